#include "app/core/setup_values.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "app/core/bruker_text.h"

const char* const kSetupNuclides[kSetupColumns] = {"29Si", "13C"};

namespace {

enum class Kind { kFlag, kUnsigned, kReal, kSigned };

struct Line {
  const char* key;
  Kind kind;
  void* (*field)(SetupColumn*);
  Dword limit;  // largest unsigned value accepted when read back
};

#define FIELD(member) [](SetupColumn* c) -> void* { return &c->member; }

// The fourteen lines in their order in the section.
const Line kLines[] = {
    {"DoGroupDelay", Kind::kFlag, FIELD(do_group_delay), 1},
    {"DoApo", Kind::kFlag, FIELD(do_apodization), 1},
    {"DoApoCos2", Kind::kFlag, FIELD(do_cos2), 1},
    {"ApoCos2Par", Kind::kReal, FIELD(tmax), 0},
    {"DoApoSmooStep", Kind::kFlag, FIELD(do_smoothstep), 1},
    {"ApoSmooStepParA", Kind::kReal, FIELD(smooth_a), 0},
    {"ApoSmooStepParN", Kind::kUnsigned, FIELD(smooth_n), 0xFFFFFFFFu},
    {"DoZeroFill", Kind::kFlag, FIELD(do_zero_fill), 1},
    {"ZeroFillPar", Kind::kUnsigned, FIELD(zero_fill_choice), kZeroFillChoices - 1},
    {"QTarget", Kind::kUnsigned, FIELD(target), 2},
    {"DoQuant", Kind::kFlag, FIELD(do_quantify), 1},
    {"QMode", Kind::kUnsigned, FIELD(mode), 1},
    {"QFrom", Kind::kSigned, FIELD(from), 0},
    {"QTo", Kind::kSigned, FIELD(to), 0},
};

#undef FIELD

std::string ValueText(const Line& line, SetupColumn* c) {
  void* p = line.field(c);
  switch (line.kind) {
    case Kind::kFlag:
      return *static_cast<std::uint8_t*>(p) ? "1" : "0";
    case Kind::kUnsigned:
      return std::to_string(*static_cast<Dword*>(p));
    case Kind::kSigned:
      return std::to_string(*static_cast<Long*>(p));
    case Kind::kReal:
      return FormatSetupReal(*static_cast<double*>(p));
  }
  return std::string();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ParseSigned(std::string_view t, long long lo, long long hi, long long* out) {
  t = BrukerTrim(t);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  long long v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || v < lo || v > hi)
    return false;
  *out = v;
  return true;
}

// One value of a line into a temporary column; false when it does not fit.
bool TakeValue(const Line& line, std::string_view text, SetupColumn* c) {
  void* p = line.field(c);
  long long v = 0;
  switch (line.kind) {
    case Kind::kFlag:
    case Kind::kUnsigned:
      if (!ParseSigned(text, 0, line.limit, &v)) return false;
      if (line.kind == Kind::kFlag)
        *static_cast<std::uint8_t*>(p) = static_cast<std::uint8_t>(v);
      else
        *static_cast<Dword*>(p) = static_cast<Dword>(v);
      return true;
    case Kind::kSigned:
      if (!ParseSigned(text, INT32_MIN, INT32_MAX, &v)) return false;
      *static_cast<Long*>(p) = static_cast<Long>(v);
      return true;
    case Kind::kReal: {
      const double d = BrukerParseReal(text);
      if (std::isnan(d)) return false;
      *static_cast<double*>(p) = d;
      return true;
    }
  }
  return false;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::string FormatSetupReal(double value) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
  return std::string(buffer, r.ptr);
}

std::string FormatSetupText(const SetupValues& setup) {
  SetupValues copy = setup;
  std::string text;
  for (const Line& line : kLines) {
    text += line.key;
    for (int c = 0; c < kSetupColumns; ++c) text += " " + ValueText(line, &copy.column[c]);
    text += "\r\n";
  }
  return text;
}

int ParseSetupText(const char* text, SetupValues* setup) {
  if (text == nullptr) return 0;
  std::string_view rest(text);
  int taken = 0;
  for (const Line& line : kLines) {
    // Blank lines between entries are passed over, as scanf passes blanks.
    while (!rest.empty() && (rest.front() == '\r' || rest.front() == '\n')) rest.remove_prefix(1);
    const size_t end = rest.find_first_of("\r\n");
    const std::string_view one = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    const std::vector<std::string_view> words = Words(one);
    if (words.size() != 3 || words[0] != line.key) break;
    SetupValues trial = *setup;
    bool ok = true;
    for (int c = 0; c < kSetupColumns && ok; ++c)
      ok = TakeValue(line, words[1 + c], &trial.column[c]);
    if (!ok) break;
    *setup = trial;
    ++taken;
  }
  return taken;
}

SetupColumnTexts SetupColumnToTexts(const SetupColumn& column) {
  SetupColumnTexts t;
  t.tmax = FormatSetupReal(column.tmax);
  t.smooth_a = FormatSetupReal(column.smooth_a);
  t.smooth_n = std::to_string(column.smooth_n);
  t.from = std::to_string(column.from);
  t.to = std::to_string(column.to);
  return t;
}

bool SetupColumnFromTexts(const SetupColumnTexts& texts, SetupColumn* column, std::string* bad) {
  const double tmax = BrukerParseReal(texts.tmax);
  if (!(std::isfinite(tmax) && tmax > 0)) {
    *bad = "Tmax [s]";
    return false;
  }
  const double a = BrukerParseReal(texts.smooth_a);
  if (!(std::isfinite(a) && a > 0)) {
    *bad = "a [s]";
    return false;
  }
  long long n = 0, from = 0, to = 0;
  if (!ParseSigned(texts.smooth_n, 1, 0xFFFFFFFFll, &n)) {
    *bad = "n";
    return false;
  }
  if (!ParseSigned(texts.from, INT32_MIN, INT32_MAX, &from)) {
    *bad = "from";
    return false;
  }
  if (!ParseSigned(texts.to, INT32_MIN, INT32_MAX, &to)) {
    *bad = "to";
    return false;
  }
  column->tmax = tmax;
  column->smooth_a = a;
  column->smooth_n = static_cast<Dword>(n);
  column->from = static_cast<Long>(from);
  column->to = static_cast<Long>(to);
  return true;
}

std::string SetupFieldAlert(int column, const std::string& field) {
  const char* nuclide = column >= 0 && column < kSetupColumns ? kSetupNuclides[column] : "?";
  return "Invalid value of \"" + field + "\" in the " + nuclide + " setup.";
}
