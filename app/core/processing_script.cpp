#include "app/core/processing_script.h"

#include <cstdarg>
#include <cstdio>

#include "app/core/bruker_text.h"
#include "base/string_search.h"
#include "data_engine/proc_quantity.h"

namespace {

// A text with an embedded NUL names no nuclide.
bool SameIgnoringCase(const std::string& a, const char* b) {
  return a.find('\0') == std::string::npos && StringsCompareA(a.c_str(), b, kCompareNoCase, 0) == 0;
}

// Appends C printf text; the lines hold integers and texts only, so the
// locale plays no part (reals are formatted apart, in the "C" way).
void Append(std::string* out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string* out, const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n > 0) out->append(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

// "%g" of C printf in the "C" locale.
std::string G(double v) { return BrukerFormatG(v, 6); }

}  // namespace

int FindSetupColumn(const std::string& nuclide) {
  for (int c = 0; c < kSetupColumns; ++c)
    if (SameIgnoringCase(nuclide, kSetupNuclides[c])) return c;
  return -1;
}

std::string ProcessingScriptLines(const SetupColumn& c, Qword item) {
  const unsigned long long i = item;
  std::string s;
  if (c.do_group_delay) Append(&s, "%s, %u, %u, %uz%llu\r\n", "#GROUPDELAY", 1u, 0u, 0u, i);
  if (c.do_zero_fill && c.zero_fill_choice != 0) {
    const Dword k = c.zero_fill_choice;
    // 1 doubles the points; k from 2 on asks for 2^k points (at most 2^63).
    const unsigned long long factor = k == 1 ? 1 : 0;
    const unsigned long long points = k == 1 ? 0 : (k < 64 ? 1ull << k : 0);
    Append(&s, "%s, %u, %u, %uz%llu, %s, %llu, %llu\r\n", "#ZEROFILL", 1u, 0u, 0u, i, "", factor,
           points);
  }
  if (c.do_apodization && c.do_cos2)
    Append(&s, "%s, %u, %u, %uz%llu, %s, %s, %s\r\n", "#APODIZE", 3u, 0u, 0u, i, "", "0,-1",
           G(c.tmax).c_str());
  if (c.do_apodization && c.do_smoothstep)
    Append(&s, "%s, %u, %u, %uz%llu, %s, %s, %s, %u\r\n", "#APODIZE", 8u, 0u, 0u, i, "", "0,-1",
           G(c.smooth_a).c_str(), c.smooth_n);
  if (c.do_quantify) {
    const unsigned mode = c.mode == 1 ? 2u : 1u;
    unsigned flags = kQuantFirstOnly;
    if (c.target == 1) flags |= kQuantMagnitude;
    if (c.target == 2) flags |= kQuantPower;
    // From and to travel as unsigned 32-bit words: -1 is 4294967295, beyond
    // the last point.
    Append(&s, "%s, %u, %u, %uz%llu, %s, %u, %u\r\n", "#QUANTIFY", mode, flags, 0u, i, "",
           static_cast<unsigned>(c.from), static_cast<unsigned>(c.to));
  }
  return s;
}

bool BuildProcessingScript(const SetupValues& setup, const std::vector<std::string>& nuclides,
                           std::string* script, Qword* bad_item) {
  script->clear();
  for (size_t i = 0; i < nuclides.size(); ++i)
    if (FindSetupColumn(nuclides[i]) < 0) {
      *bad_item = i;
      return false;
    }
  for (size_t i = 0; i < nuclides.size(); ++i)
    *script += ProcessingScriptLines(setup.column[FindSetupColumn(nuclides[i])], i);
  return true;
}

std::string InvalidNuclideAlert(Qword item) {
  char text[64];
  std::snprintf(text, sizeof text, "Invalid nuclide in data #%llu.",
                static_cast<unsigned long long>(item + 1));
  return text;
}
