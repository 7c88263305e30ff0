// The JCAMP-DX parameter texts of an acquisition folder (`acqus`, `acqu2s`):
// lines "##$KEY= value". Array values follow the key's line ("##$D= (0..63)"
// and then the items, separated by blanks, across as many lines as needed);
// some writers put the items on the key's line itself, with or without the
// "(0..63)" range. Texts stand between "<" and ">".
//
// Every text handed out is valid UTF-8 (stray Latin-1 bytes converted).
#pragma once
#include <string>
#include <string_view>

#include "base/types.h"

class BrukerJcampText {
 public:
  explicit BrukerJcampText(std::string bytes) : bytes_(std::move(bytes)) {}

  // The value text of "##$KEY=": the characters after the first "=" of the
  // key's line up to the line's end, as they stand (the blank after "="
  // included). false when no line starts with the key.
  bool ValueText(std::string_view key, std::string* value) const;
  // The text between "<" and ">" of the key's value (up to the line's end
  // when ">" is missing). false when the key or its "<" is missing.
  bool AngleText(std::string_view key, std::string* text) const;
  // Item `index` (from 0) of the array "##$KEY=", counted across line
  // breaks up to the next "##" or "$$" line. false when the key is missing
  // or the array has fewer items.
  bool ArrayItem(std::string_view key, Qword index, std::string* item) const;

  // Whether a line starts with "##$KEY=".
  bool HasKey(std::string_view key) const { return FindKey(key) != std::string_view::npos; }

  const std::string& bytes() const { return bytes_; }

 private:
  // Offset of the first character after "##$KEY=" on a line that starts
  // with it; npos when none.
  size_t FindKey(std::string_view key) const;
  // The line from `start` up to (not including) its CR, LF or the end.
  std::string_view LineFrom(size_t start, size_t* next) const;

  std::string bytes_;
};
