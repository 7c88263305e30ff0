#include "app/core/bruker_jcamp.h"

#include "app/core/bruker_text.h"

size_t BrukerJcampText::FindKey(std::string_view key) const {
  const std::string label = "##$" + std::string(key) + "=";
  size_t at = 0;
  const std::string_view all(bytes_);
  while (at < all.size()) {
    // Keys count only at the start of a line: a text value that happens to
    // hold a label must not be taken for it.
    if (all.compare(at, label.size(), label) == 0) return at + label.size();
    const size_t eol = all.find_first_of("\r\n", at);
    if (eol == std::string_view::npos) break;
    at = eol + 1;
  }
  return std::string_view::npos;
}

std::string_view BrukerJcampText::LineFrom(size_t start, size_t* next) const {
  const std::string_view all(bytes_);
  size_t eol = all.find_first_of("\r\n", start);
  if (eol == std::string_view::npos) eol = all.size();
  size_t after = eol;
  if (after < all.size() && all[after] == '\r') ++after;
  if (after < all.size() && all[after] == '\n') ++after;
  *next = after;
  return all.substr(start, eol - start);
}

bool BrukerJcampText::ValueText(std::string_view key, std::string* value) const {
  const size_t at = FindKey(key);
  if (at == std::string_view::npos) return false;
  size_t next;
  *value = BrukerValidUtf8(LineFrom(at, &next));
  return true;
}

bool BrukerJcampText::AngleText(std::string_view key, std::string* text) const {
  const size_t at = FindKey(key);
  if (at == std::string_view::npos) return false;
  size_t next;
  const std::string_view line = LineFrom(at, &next);
  const size_t open = line.find('<');
  if (open == std::string_view::npos) return false;
  const size_t close = line.find('>', open + 1);
  const size_t end = close == std::string_view::npos ? line.size() : close;
  *text = BrukerValidUtf8(line.substr(open + 1, end - open - 1));
  return true;
}

bool BrukerJcampText::ArrayItem(std::string_view key, Qword index, std::string* item) const {
  const size_t at = FindKey(key);
  if (at == std::string_view::npos) return false;
  size_t next;
  std::string_view line = LineFrom(at, &next);
  // The range "(0..63)" is no item.
  const std::string_view head = BrukerTrim(line);
  if (!head.empty() && head.front() == '(') {
    const size_t close = line.find(')');
    line = close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
  }
  Qword count = 0;
  for (;;) {
    size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      if (i >= line.size()) break;
      const size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
      if (count == index) {
        *item = BrukerValidUtf8(line.substr(start, i - start));
        return true;
      }
      ++count;
    }
    if (next >= bytes_.size()) return false;
    line = LineFrom(next, &next);
    if (line.substr(0, 2) == "##" || line.substr(0, 2) == "$$") return false;
  }
}
