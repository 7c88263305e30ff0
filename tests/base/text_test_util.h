// Helpers of the text tests: ASCII test texts in both widths, and results
// of new strings taken over into std::string values.
#pragma once
#include <string>

#include "base/memory.h"

// The wide twin of an ASCII test text (each byte as its unsigned code).
inline std::u16string W(const char* text) {
  std::u16string out;
  for (; *text; ++text) out.push_back(static_cast<unsigned char>(*text));
  return out;
}

// The 8-bit form of a wide result whose codes are all below 256.
inline std::string N(const char16_t* text) {
  std::string out;
  for (; text && *text; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

// Takes a new string: its text (or "<null>") and releases it.
inline std::string Take(char* text) {
  std::string out = text ? std::string(text) : std::string("<null>");
  KillStringA(&text);
  return out;
}
inline std::string Take(char16_t* text) {
  std::string out = text ? N(text) : std::string("<null>");
  KillString(&text);
  return out;
}
