#include "command/config_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/error_codes.h"

namespace {

constexpr char kDiscriminator[] = "KyApp Configuration";
constexpr const char* kHeaders[] = {"Recent files:", "User's script:", "Setup:"};
constexpr char kCrLf[] = "\r\n";

// One line: [begin, end) holds its text without the line end; next is the
// start of the following line.
struct Line {
  size_t begin;
  size_t end;
  size_t next;
};

std::vector<Line> SplitLines(const std::string& file) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < file.size()) {
    const size_t lf = file.find('\n', pos);
    Line line;
    line.begin = pos;
    if (lf == std::string::npos) {
      line.end = file.size();
      line.next = file.size();
    } else {
      line.end = lf > pos && file[lf - 1] == '\r' ? lf - 1 : lf;
      line.next = lf + 1;
    }
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

bool LineIs(const std::string& file, const Line& line, const char* text) {
  const size_t n = std::strlen(text);
  return line.end - line.begin == n && file.compare(line.begin, n, text) == 0;
}

bool LineStartsWithQuote(const std::string& file, const Line& line) {
  return line.end > line.begin && file[line.begin] == '"';
}

bool LineIsEmpty(const Line& line) { return line.end == line.begin; }

// Where a section sits: the header line and the body's lines [first, last).
// The script's closing quote is recorded; `closed` false means no script.
struct Place {
  bool found = false;
  size_t header = 0;
  size_t first = 0;
  size_t last = 0;
  bool closed = false;
};

// Lines after `first` that form the section's body, by its rule.
size_t BodyEnd(const std::string& file, const std::vector<Line>& lines, KyConfigSection section,
               size_t first, bool* closed) {
  *closed = false;
  size_t i = first;
  switch (section) {
    case kKyConfigRecentFiles:
      while (i < lines.size() && LineStartsWithQuote(file, lines[i])) ++i;
      return i;
    case kKyConfigUserScript: {
      if (i >= lines.size() || !LineStartsWithQuote(file, lines[i])) return i;
      // The writer ends the script's last line with its closing quote. The
      // first quote after the opening one must be that: a quote anywhere
      // else (an entry of a section appended after a script whose quote was
      // never closed) means the script is damaged, and it must not swallow
      // the sections that follow it.
      for (size_t j = i; j < lines.size(); ++j) {
        const size_t from = j == i ? lines[j].begin + 1 : lines[j].begin;
        const void* quote = std::memchr(file.data() + from, '"', lines[j].end - from);
        if (quote == nullptr) continue;
        if (static_cast<const char*>(quote) != file.data() + lines[j].end - 1) return i;
        *closed = true;
        return j + 1;
      }
      // No closing quote: no script body at all.
      return i;
    }
    case kKyConfigSetup:
      while (i < lines.size() && !LineIsEmpty(lines[i])) ++i;
      return i;
  }
  return i;
}

// Walks the file's lines: a whole line equal to a header starts a section
// and its body is skipped; the first section of each kind is the one used.
Place FindSection(const std::string& file, const std::vector<Line>& lines, KyConfigSection wanted) {
  Place place;
  size_t i = 0;
  while (i < lines.size()) {
    Dword kind = 3;
    for (Dword k = 0; k < 3; ++k)
      if (LineIs(file, lines[i], kHeaders[k])) kind = k;
    if (kind == 3) {
      ++i;
      continue;
    }
    bool closed = false;
    const size_t last = BodyEnd(file, lines, static_cast<KyConfigSection>(kind), i + 1, &closed);
    if (kind == wanted) {
      place.found = true;
      place.header = i;
      place.first = i + 1;
      place.last = last;
      place.closed = closed;
      return place;
    }
    i = last > i + 1 ? last : i + 1;
  }
  return place;
}

// Bare LF becomes CR LF; CR LF stays.
std::string WithCrLf(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n' && (p == text || p[-1] != '\r')) out += '\r';
    out += *p;
  }
  return out;
}

}  // namespace

bool KyConfigHasDiscriminator(const std::string& file) {
  size_t i = 0;
  while (i < file.size() && i < 100 &&
         (file[i] == ' ' || file[i] == '\t' || file[i] == '\r' || file[i] == '\n'))
    ++i;
  return i < 100 && file.compare(i, sizeof kDiscriminator - 1, kDiscriminator) == 0;
}

bool KyConfigReadSection(const std::string& file, KyConfigSection section, std::string* text) {
  text->clear();
  if (!KyConfigHasDiscriminator(file)) return false;
  const std::vector<Line> lines = SplitLines(file);
  const Place place = FindSection(file, lines, section);
  if (!place.found) return false;
  switch (section) {
    case kKyConfigRecentFiles:
      for (size_t i = place.first; i < place.last; ++i)
        text->append(file, lines[i].begin, lines[i].end - lines[i].begin);
      return place.last > place.first;
    case kKyConfigUserScript:
      if (!place.closed) return false;
      for (size_t i = place.first; i < place.last; ++i) {
        const size_t from = i == place.first ? lines[i].begin + 1 : lines[i].begin;
        if (i + 1 == place.last) {
          text->append(file, from, file.find('"', from) - from);
        } else {
          text->append(file, from, lines[i].end - from);
          text->append(kCrLf);
        }
      }
      return true;
    case kKyConfigSetup:
      for (size_t i = place.first; i < place.last; ++i) {
        text->append(file, lines[i].begin, lines[i].end - lines[i].begin);
        text->append(kCrLf);
      }
      return place.last > place.first;
  }
  return false;
}

Dword KyConfigBuildScriptBody(const char* script, std::string* body) {
  if (script == nullptr || script[0] == 0) return static_cast<Dword>(-1);
  // The script is stored between quotes: a quote inside would end it early
  // and leave the rest behind as stray lines.
  if (std::strchr(script, '"') != nullptr) return kErrIllegalParameters;
  *body = '"' + WithCrLf(script) + '"' + kCrLf;
  return 0;
}

Dword KyConfigBuildSetupBody(const char* setup, std::string* body) {
  if (setup == nullptr || setup[0] == 0) return static_cast<Dword>(-1);
  std::string text = WithCrLf(setup);
  // An empty line ends the section: the lines after it would be left behind
  // outside it and pile up with every write.
  if (text.compare(0, 2, kCrLf) == 0 || text.find("\r\n\r\n") != std::string::npos)
    return kErrIllegalParameters;
  if (text.size() < 2 || text.compare(text.size() - 2, 2, kCrLf) != 0) text += kCrLf;
  *body = text;
  return 0;
}

Dword KyConfigBuildRecentEntry(const char* path, Qword data_type, std::string* entry) {
  if (path == nullptr || path[0] == 0) return static_cast<Dword>(-1);
  // An entry is one line between quotes.
  if (std::strpbrk(path, "\"\r\n") != nullptr) return kErrIllegalParameters;
  char type[32];
  std::snprintf(type, sizeof type, "%" PRIu64, data_type);
  *entry = '"' + std::string(path) + '"' + type;
  return 0;
}

std::string KyConfigWriteSection(const std::string& file, bool exists, KyConfigSection section,
                                 const std::string& body) {
  // The recent-files body is one entry without its line end.
  const std::string inserted = section == kKyConfigRecentFiles ? body + kCrLf : body;
  if (!exists || !KyConfigHasDiscriminator(file))
    return std::string(kDiscriminator) + kCrLf + kCrLf + kHeaders[section] + kCrLf + inserted;

  const std::vector<Line> lines = SplitLines(file);
  const Place place = FindSection(file, lines, section);
  if (!place.found) {
    std::string out = file;
    // A last line without its line end is ended first, so the new header
    // stays a line of its own.
    if (!out.empty() && out.back() != '\n') out += kCrLf;
    return out + kCrLf + kHeaders[section] + kCrLf + inserted;
  }

  const size_t body_start = place.first < lines.size() ? lines[place.first].begin : file.size();
  const size_t body_end = place.last < lines.size() ? lines[place.last].begin : file.size();
  std::string out = file.substr(0, body_start);
  if (body_start == file.size() && !out.empty() && out.back() != '\n') out += kCrLf;
  out += inserted;
  if (section == kKyConfigRecentFiles) {
    // The old entries follow the new one: without the one equal to it, at
    // most 29 of them.
    bool removed = false;
    Qword kept = 1;
    for (size_t i = place.first; i < place.last; ++i) {
      const Line& line = lines[i];
      if (!removed && line.end - line.begin == body.size() &&
          file.compare(line.begin, body.size(), body) == 0) {
        removed = true;
        continue;
      }
      if (kept == kKyConfigMaxRecent) continue;
      ++kept;
      out.append(file, line.begin, line.next - line.begin);
      if (line.next == line.end) out += kCrLf;  // the file's last line had no line end
    }
  }
  out.append(file, body_end, std::string::npos);
  return out;
}

bool KyConfigKeepsSections(const std::string& file, const std::string& updated,
                           KyConfigSection section, const std::string& body) {
  for (Dword k = 0; k < 3; ++k) {
    const auto kind = static_cast<KyConfigSection>(k);
    std::string old_text, new_text;
    const bool had = KyConfigReadSection(file, kind, &old_text);
    const bool has = KyConfigReadSection(updated, kind, &new_text);
    if (kind != section) {
      if (had != has || old_text != new_text) return false;
      continue;
    }
    if (!has) return false;
    switch (kind) {
      case kKyConfigRecentFiles:
        if (new_text.compare(0, body.size(), body) != 0) return false;
        break;
      case kKyConfigUserScript:
        // The body is the script between its quotes, then CR LF.
        if (body.size() < 4 || new_text != body.substr(1, body.size() - 4)) return false;
        break;
      case kKyConfigSetup:
        if (new_text != body) return false;
        break;
    }
  }
  return true;
}
