#include "data_engine/engine_text.h"

#include <cstring>

#include "base/memory.h"

char* EngineCopyRangeA(const char* text, Qword length, LibErrorCode* error) {
  if (!text) return nullptr;
  Dword e = kErrNone;
  char* copy = NewByteArrFill(&e, length + 1);
  if (!copy) {
    *error = kErrAlloc;
    return nullptr;
  }
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

char* EngineCopyA(const char* text, LibErrorCode* error) {
  if (!text) return nullptr;
  return EngineCopyRangeA(text, std::strlen(text), error);
}

char16_t* EngineCopyW(const char16_t* text, LibErrorCode* error) {
  if (!text) return nullptr;
  Qword n = 0;
  while (text[n]) ++n;
  Dword e = kErrNone;
  char16_t* copy = NewWordArrFill(&e, n + 1);
  if (!copy) {
    *error = kErrAlloc;
    return nullptr;
  }
  std::memcpy(copy, text, (n + 1) * sizeof(char16_t));
  return copy;
}
