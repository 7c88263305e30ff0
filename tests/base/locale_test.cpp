// Numbers are read and written in the "C" numeric locale whatever the
// process locale says: with a comma-decimal locale set inside the process,
// the parsers, writers and the formatter give the same texts as under "C".
#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <string>

#include "base/format.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "base/platform/c_number.h"

namespace {

struct Texts {
  double parsed;
  std::string written, formatted, c_formatted, c_inline;
};

std::string CFormat(const char* format, ...) {
  char buffer[128];
  va_list ap;
  va_start(ap, format);
  PlatformFormatC(buffer, sizeof buffer, format, ap);
  va_end(ap);
  return buffer;
}

Texts Sample() {
  Texts t;
  t.parsed = StringToRealA("  -1234.5e-3", nullptr, nullptr, 10);
  char b[64];
  RealToBufferA(2.5, b, 4, 10);
  t.written = b;
  char* f = NewSprintfA("%g|%e|%.3f", 0.125, 12345.678, -2.5);
  t.formatted = f ? f : "";
  KillStringA(&f);
  t.c_formatted = CFormat("%.4f|%g", 3.25, 1e-5);
  char c_inline[32];
  PlatformFormatCText(c_inline, sizeof c_inline, "%.3g|%.1e", 0.5, 2500.0);
  t.c_inline = c_inline;
  return t;
}

TEST(Locale, CommaDecimalLocaleChangesNoNumberText) {
  const Texts c = Sample();
  const char* set = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (!set)
    GTEST_SKIP()
        << "no comma-decimal locale on this machine (tools/install-deps.sh makes de_DE.UTF-8)";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  const Texts de = Sample();
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(de.parsed, c.parsed);
  EXPECT_EQ(c.parsed, -1.2345);
  EXPECT_EQ(de.written, c.written);
  EXPECT_EQ(de.formatted, c.formatted);
  EXPECT_EQ(de.c_formatted, c.c_formatted);
  EXPECT_EQ(c.c_formatted, "3.2500|1e-05");
  EXPECT_EQ(de.c_inline, c.c_inline);
  EXPECT_EQ(c.c_inline, "0.5|2.5e+03");
}

TEST(Locale, InlineCFormatCutsToItsBuffer) {
  char small[5];
  // The full length comes back; the buffer keeps what fits and its NUL.
  EXPECT_EQ(PlatformFormatCText(small, sizeof small, "%.4f", 3.25), 6);
  EXPECT_STREQ(small, "3.25");
  EXPECT_EQ(PlatformFormatCText(small, sizeof small, "%d", 42), 2);
  EXPECT_STREQ(small, "42");
}

}  // namespace
