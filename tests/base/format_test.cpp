// The formatter: every documented case of the conversion-field parser, the
// engine and the converters, in both engines; the real forms against the
// independent digit-loop table; limits and failures.
#include "base/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/format_engine.h"
#include "base/memory.h"
#include "base/strings.h"
#include "support/alloc_failure.h"

namespace {

struct RealTextRow {
  unsigned long long bits;
  Long digits;
  const char* text;
};
struct FormatRealRow {
  unsigned long long bits;
  Long width, precision;
  const char *g, *ef_wide, *ef_byte;
};
#include "real_text_table.inc"

// Takes ownership of an 8-bit engine result; "<null>" for null.
std::string Take(char* s) {
  if (!s) return "<null>";
  std::string r = s;
  KillStringA(&s);
  return r;
}
std::string Take(char16_t* s) {
  if (!s) return "<null>";
  std::string r;
  for (const char16_t* p = s; *p; ++p) r.push_back(*p < 0x80 ? static_cast<char>(*p) : '?');
  KillString(&s);
  return r;
}
// Wide format of an 8-bit one; the byte 0xA7 becomes the section sign U+00A7.
std::u16string W(const std::string& s) {
  std::u16string w;
  for (unsigned char c : s) w.push_back(c);
  return w;
}

template <class... T>
std::string A(const char* f, T... args) {
  return Take(NewSprintfA(f, args...));
}
template <class... T>
std::string Wd(const char* f, T... args) {
  return Take(NewSprintf(W(f).c_str(), args...));
}
// Both engines must give the same text.
template <class... T>
std::string Both(const char* f, T... args) {
  const std::string a = A(f, args...);
  EXPECT_EQ(Wd(f, args...), a) << f;
  return a;
}

TEST(FormatParseSpec, FieldsOfEachPart) {
  FormatSpecA s;
  EXPECT_EQ(FormatParseSpec("%-12.3&3lf", &s), 10u);
  EXPECT_EQ(s.flag, '-');
  EXPECT_EQ(s.width, 12);
  EXPECT_EQ(s.precision, 3);
  EXPECT_EQ(s.by_address, 1u);
  EXPECT_EQ(s.element_size, 8u);
  EXPECT_EQ(s.size_modifier, 'l');
  EXPECT_EQ(s.conversion, 'f');
  EXPECT_EQ(FormatParseSpec("%*.*hhu", &s), 7u);
  EXPECT_EQ(s.width, -2);
  EXPECT_EQ(s.precision, -2);
  EXPECT_EQ(s.size_modifier, 'H');
  EXPECT_EQ(s.element_size, 1u);
  EXPECT_EQ(FormatParseSpec("%.x", &s), 3u);
  EXPECT_EQ(s.precision, 0);
  EXPECT_EQ(s.element_size, 4u);
  EXPECT_EQ(FormatParseSpec("%l3d", &s), 4u);
  EXPECT_EQ(s.element_size, 8u);
  EXPECT_EQ(s.size_modifier, 0);
  EXPECT_EQ(FormatParseSpec("%Lf", &s), 3u);
  EXPECT_EQ(s.element_size, 10u);
  EXPECT_EQ(FormatParseSpec("%&2p", &s), 4u);
  EXPECT_EQ(s.element_size, 8u);  // p and n are always 8
  EXPECT_EQ(FormatParseSpec("%lls", &s), 4u);
  EXPECT_EQ(s.element_size, 2u);
  EXPECT_EQ(FormatParseSpec("%r\xA7"
                            "3\xA7"
                            "4x",
                            &s),
            6u);
  EXPECT_EQ(s.rows, 3u);
  EXPECT_EQ(s.columns, 4u);
  EXPECT_EQ(FormatParseSpec("%C\xA7"
                            "2",
                            &s),
            4u);
  EXPECT_EQ(s.rows, 2u);
  EXPECT_EQ(s.columns, 1u);
  EXPECT_EQ(s.element_size, 0u);  // C has no size in the 8-bit parser
  EXPECT_EQ(FormatParseSpec("%q", &s), 2u);
  EXPECT_EQ(s.conversion, 0);
  EXPECT_EQ(FormatParseSpec("%W", &s), 2u);
  EXPECT_EQ(s.conversion, 0);
  EXPECT_EQ(FormatParseSpec(nullptr, &s), 0u);
  EXPECT_EQ(s.rows, 1u);
  EXPECT_EQ(FormatParseSpec("%99999999999d", &s), 13u);
  EXPECT_EQ(s.width, 0x7FFFFFFF);  // never read back as "none" or '*'

  FormatSpec w;
  const char16_t wide[] = {'%', 'r', 0xA7, '2', 0xA7, '3', 0};
  EXPECT_EQ(FormatParseSpec(wide, &w), 6u);
  EXPECT_EQ(w.rows, 2u);
  EXPECT_EQ(w.columns, 3u);
  EXPECT_EQ(FormatParseSpec(u"%W", &w), 2u);
  EXPECT_EQ(w.conversion, u'W');
  EXPECT_EQ(FormatParseSpec(u"%ls", &w), 3u);
  EXPECT_EQ(w.element_size, 1u);
  EXPECT_EQ(FormatParseSpec(u"%S", &w), 2u);
  EXPECT_EQ(w.element_size, 2u);
}

TEST(FormatEngine, IntegersIgnoreWidthPrecisionAndFlag) {
  EXPECT_EQ(Both("%d", 7), "7");
  EXPECT_EQ(Both("%5d", 7), "7");
  EXPECT_EQ(Both("%+d", 7), "7");
  EXPECT_EQ(Both("%x", 255), "255");
  EXPECT_EQ(Both("%X|%o", 255, 8), "255|8");
  EXPECT_EQ(Both("%hhu", 300), "44");
  EXPECT_EQ(Both("%hd", 70000), "4464");
  EXPECT_EQ(Both("%hhd", 200), "-56");
  EXPECT_EQ(Both("%lld", -1LL), "-1");
  EXPECT_EQ(Both("%zu %llu", ~Qword{0}, Qword{1} << 40), "18446744073709551615 1099511627776");
  EXPECT_EQ(Both("%lu", 0xFFFFFFFFu), "4294967295");
  EXPECT_EQ(Both("%d", INT32_MIN), "-2147483648");
  EXPECT_EQ(Both("%lld", INT64_MIN), "-9223372036854775808");
  const Dword all = 0xFFFFFFFFu;
  EXPECT_EQ(Both("%&u", &all), "4294967295");
  const Qlong big = -5000000000LL;
  EXPECT_EQ(Both("%&3d", &big), "-5000000000");
  EXPECT_EQ(Both("%*d", 3, 42), "42");
  EXPECT_EQ(Both("%u", ~Qword{0} >> 32), "4294967295");
}

TEST(FormatEngine, LiteralsPercentAndUnknownConversions) {
  EXPECT_EQ(Both("100%%"), "100%");
  EXPECT_EQ(Both("%%d"), "%d");
  EXPECT_EQ(Both("%5%"), "%");
  EXPECT_EQ(Both("a%kb"), "a%kb");
  EXPECT_EQ(Both("%q"), "%q");
  EXPECT_EQ(Both("%M%O%T%V"), "%M%O%T%V");
  EXPECT_EQ(Both(" Weights[%],  Rates[1/s], T[s]:\n"), " Weights[%],  Rates[1/s], T[s]:\n");
  EXPECT_EQ(Both("%*k|%d", 9, 5), "%k|5");  // '*' is fetched before the echo
  EXPECT_EQ(A("%W"), "%W");
  EXPECT_EQ(Wd("%W"), "%W");
  EXPECT_EQ(Both("%Lf|%d", 3), "|3");  // size 10: nothing, no argument taken
  EXPECT_EQ(Both(""), "<null>");
  EXPECT_EQ(Take(NewSprintfA(nullptr)), "<null>");
  EXPECT_EQ(Take(NewSprintf(nullptr)), "<null>");
  // A format that ends inside a specification keeps what was written.
  EXPECT_EQ(Both("100%"), "100%");
  EXPECT_EQ(Both("x%-5"), "x%-5");
  EXPECT_EQ(Both("%ll"), "%ll");
}

TEST(FormatEngine, CountCharactersAndText) {
  Qword n = 99;
  EXPECT_EQ(Both("ab%nc", &n), "abc");
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(Both("%n", &n), "<null>");
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(A("[%s]", "abc"), "[abc]");
  EXPECT_EQ(Wd("[%s]", "abc"), "[abc]");
  EXPECT_EQ(Wd("[%S]", u"wide"), "[wide]");
  EXPECT_EQ(A("[%ls]", u"wide"), "[wide]");
  EXPECT_EQ(Both("%s", static_cast<const char*>(nullptr)), "<null>");
  EXPECT_EQ(Both("%s", ""), "");  // an empty text still makes a string
  const char* text = "via";
  EXPECT_EQ(A("%&s", &text), "via");
  EXPECT_EQ(Both("%c%c", 'o', 'k'), "ok");
  EXPECT_EQ(Both("%c", 0), "");
  EXPECT_EQ(Both("a%cb", 0), "ab");
  // Wide engine: bytes from 0x80 widen as signed values.
  char16_t* w = NewSprintf(u"%c%s", 0xE9, "\xC3");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w[0], 0xFFE9);
  EXPECT_EQ(w[1], 0xFFC3);
  KillString(&w);
  // 8-bit engine: wide text keeps the low byte.
  EXPECT_EQ(A("%ls",
              u"\x0141"
              "b"),
            "Ab");
}

TEST(FormatEngine, Pointers) {
  EXPECT_EQ(Both("%p", static_cast<void*>(nullptr)), "NULL");
  EXPECT_EQ(Both("%p", reinterpret_cast<void*>(~uintptr_t{0})), "INVALID");
  EXPECT_EQ(Both("%p", reinterpret_cast<void*>(uintptr_t{0x1A2B})), "0x1A2B");
  EXPECT_EQ(A("%S", reinterpret_cast<void*>(uintptr_t{0xBEEF})), "0xBEEF");
  void* p = reinterpret_cast<void*>(uintptr_t{0xC0FFEE});
  EXPECT_EQ(Both("%&p", &p), "0xC0FFEE");
}

TEST(FormatConverters, DocumentedRealExamples) {
  EXPECT_EQ(Both("%g", 1.0), "1.000000");
  EXPECT_EQ(Both("%.0g", 2.5), "2");
  EXPECT_EQ(Both("%.3g", 0.0123), "0.012");
  EXPECT_EQ(Both("%12.2g", 3.14159), "        3.14");
  EXPECT_EQ(Both("%g|%g", 2.5, -2.5), "2.500000|-2.500000");
  EXPECT_EQ(Both("%.2g", 0.05), "0.05");
  EXPECT_EQ(Both("%10.0g", 12345.678), "     12345");
  EXPECT_EQ(Both("%g|%g|%g", 0.0, 1e-7, -1e-7), "0.000000|0.000000|-0.000000");
  EXPECT_EQ(Both("%g|%g", 0.999999999, 99.99), "0.999999|99.989999");
  EXPECT_EQ(Wd("%e", 0.05), "0.050000");
  EXPECT_EQ(Both("%e", -12345.678), "-1.23456e+4");
  EXPECT_EQ(Both("%e|%e", 10.0, 1e300), "1.00000e+1|1.00000e+300");
  EXPECT_EQ(Both("%.1e", 123.456), "1e+2");
  EXPECT_EQ(Wd("%e|%f", 7.0, -5.0), "7.000000|-5.000000");
  EXPECT_EQ(A("%e|%f", 0.05, 7.0), "5.00000e-2|7.00000");
  EXPECT_EQ(A("%e", 0.0), "0.00000");
  EXPECT_EQ(Both("%.0e", 12345.0), "1e+4");
  const float f = 0.5f;
  EXPECT_EQ(Both("%&2g", &f), "0.500000");
  const double d = 2.25;
  EXPECT_EQ(Both("%&g", &d), "2.250000");
}

TEST(FormatConverters, NonNumbersAreWrittenAsSuch) {
  EXPECT_EQ(Both("%g|%g|%g", NAN, INFINITY, -INFINITY), "NaN|+INF|-INF");
  EXPECT_EQ(Both("%e|%e|%e", NAN, INFINITY, -INFINITY), "NaN|+INF|-INF");
  EXPECT_EQ(Both("%6g", NAN), "   NaN");
}

TEST(FormatConverters, RealFormsMatchIndependentModel) {
  for (const FormatRealRow& row : kFormatRealRows) {
    double x;
    std::memcpy(&x, &row.bits, 8);
    std::string spec = "%";
    if (row.width >= 0) spec += std::to_string(row.width);
    if (row.precision >= 0) spec += "." + std::to_string(row.precision);
    ASSERT_EQ(A((spec + "g").c_str(), x), row.g) << spec << " " << std::hexfloat << x;
    ASSERT_EQ(Wd((spec + "g").c_str(), x), row.g) << spec << " " << std::hexfloat << x;
    ASSERT_EQ(Wd((spec + "e").c_str(), x), row.ef_wide) << spec << " " << std::hexfloat << x;
    ASSERT_EQ(A((spec + "e").c_str(), x), row.ef_byte) << spec << " " << std::hexfloat << x;
  }
}

TEST(FormatConverters, Matrices) {
  const double m[] = {1, 2, 3, 4};
  EXPECT_EQ(Both("%r\xA7"
                 "2\xA7"
                 "2",
                 m),
            "\n1.000000\t3.000000\n2.000000\t4.000000");
  const double e[] = {10, 100};
  EXPECT_EQ(Both("%E\xA7"
                 "2\xA7"
                 "1",
                 e),
            "\n1.00000e+1\n1.00000e+2");
  EXPECT_EQ(Both("%r\xA7"
                 "1\xA7"
                 "1|%r\xA7"
                 "2\xA7"
                 "0",
                 2.5, 3.5),
            "2.500000|3.500000");
  EXPECT_EQ(Both("[%r\xA7"
                 "0\xA7"
                 "3]",
                 m),
            "[]");
  EXPECT_EQ(Both("[%r\xA7"
                 "2\xA7"
                 "0]",
                 1.0) +
                "",
            "[1.000000]");
  EXPECT_EQ(Both("[%r\xA7"
                 "3\xA7"
                 "0]",
                 m),
            "[\n\n\n]");
  EXPECT_EQ(Both("%5.1r\xA7"
                 "1\xA7"
                 "2",
                 m),
            "\n  1.0\t  2.0");
  // A shape whose text would pass the conversion's limit is refused at once
  // (four billion line feeds before).
  char* huge = NewSprintfA(
      "%E\xA7"
      "4294967295\xA7"
      "0",
      m);
  EXPECT_EQ(huge, nullptr);
  KillStringA(&huge);
  const double* none = nullptr;
  EXPECT_EQ(Both("%r\xA7"
                 "2\xA7"
                 "2",
                 none),
            "<null>");
}

TEST(FormatConverters, ComplexValues) {
  const FormatComplexValue a{1.5, -0.25}, zero{0, 0}, b{-2, 3}, h{0.5, 0.5};
  EXPECT_EQ(Both("%C", a), "1.500000 -0.250000*i");
  EXPECT_EQ(Both("%Z", zero), "0.000000 +0.000000*i");
  EXPECT_EQ(Both("%20.2Z", b), "       -2.00 +3.00*i");
  EXPECT_EQ(Both("%Z", h), "0.500000 +0.500000*i");
  EXPECT_EQ(Both("%.0Z", h), "0 +0*i");
  EXPECT_EQ(Both("%&Z", &a), "1.500000 -0.250000*i");
  const FormatComplexValue pair[] = {{1, 0}, {0, 1}};
  EXPECT_EQ(Both("%C\xA7"
                 "1\xA7"
                 "2",
                 pair),
            "\n1.000000 +0.000000*i\t0.000000 +1.000000*i");
  const FormatComplexValue odd{NAN, -INFINITY}, odd2{INFINITY, NAN};
  EXPECT_EQ(Both("%Z|%Z", odd, odd2), "NaN -INF*i|+INF +NaN*i");
  // An explicit size other than 16: nothing, and with '&' the address is taken.
  EXPECT_EQ(Both("%l3Z|%d", 5), "|5");
  EXPECT_EQ(Both("%&l3Z|%d", &a, 5), "|5");
}

TEST(FormatConverters, Rationals) {
  const Qrat q1{3, 4}, q2{-12, 5}, q3{0, 1}, q4{-3, 4}, q5{120, 7}, q6{3, -4}, q7{-3, -4},
      q8{INT64_MIN, 1}, q9{-3, 0};
  EXPECT_EQ(Both("%Q", q1), " 3 / 4");
  EXPECT_EQ(Both("%Q", q2), "- 12 / 5");
  EXPECT_EQ(Both("%Q", q3), " 0 / 1");
  EXPECT_EQ(Both("%Q", q4), "- 3 / 4");
  EXPECT_EQ(Both("%Q", q5), " 120 / 7");
  EXPECT_EQ(Both("%Q|%Q", q6, q7), "- 3 / 4| 3 / 4");
  EXPECT_EQ(Both("%Q", q8), "- 9223372036854775808 / 1");
  EXPECT_EQ(Both("%Q", q9), "- 3 / 0");
  EXPECT_EQ(Both("%&Q", &q5), " 120 / 7");
}

TEST(FormatEngine, LargePiecesAndFieldsStayDefined) {
  // Longer than the traditional 1024-place work buffer: nothing is lost.
  std::string lit(5000, 'x');
  EXPECT_EQ(A(lit.c_str()), lit);
  EXPECT_EQ(Wd(lit.c_str()), lit);
  std::string long_text(3000, 'y');
  EXPECT_EQ(Wd("%s", long_text.c_str()), long_text);
  std::vector<double> big(40 * 40, 1.25);
  const std::string mat =
      A("%r\xA7"
        "40\xA7"
        "40",
        big.data());
  EXPECT_EQ(mat.size(), 40u * (1 + 40 * 8 + 39));
  // Widths and precisions are cut to 1023 places.
  EXPECT_EQ(A("%999999999g", 1.0).size(), 1023u);
  EXPECT_EQ(A("%*g", -5, 1.0).size(), 1023u);
  EXPECT_EQ(A("%.5000g", 1.0).size(), 2u + 1023u);
  EXPECT_EQ(A("%g", 1e308).size(), 309u + 7u);
}

TEST(SprintfEntryPoints, AppendAndBuffer) {
  char* s = nullptr;
  EXPECT_STREQ(SprintfAppendA(&s, "%d", 12), "12");
  EXPECT_STREQ(SprintfAppendA(&s, "-%s", "ab"), "12-ab");
  EXPECT_STREQ(SprintfAppendA(&s, nullptr), "12-ab");
  EXPECT_EQ(SprintfAppendA(nullptr, "x"), nullptr);
  KillStringA(&s);
  char16_t* w = nullptr;
  SprintfAppend(&w, u"%g", 0.5);
  SprintfAppend(&w, u" %C", FormatComplexValue{1, 2});
  EXPECT_EQ(Take(w), "0.500000 1.000000 +2.000000*i");
  char b[8];
  EXPECT_EQ(SprintfToBufferA(b, 4, "%s", "abcdef"), 3u);
  EXPECT_STREQ(b, "abc");
  EXPECT_EQ(SprintfToBufferA(b, 0, "%s", "abcdef"), 0u);
  EXPECT_EQ(SprintfToBufferA(b, sizeof b, ""), 0u);
  EXPECT_STREQ(b, "");
  char16_t wb[8];
  EXPECT_EQ(SprintfToBuffer(wb, 8, u"%d", -42), 3u);
  EXPECT_EQ(std::u16string(wb), u"-42");
  EXPECT_EQ(SprintfToBuffer(wb, ~Qword{0}, u"%u", 7u), 1u);
}

TEST(SprintfEntryPoints, ManyAppendsKeepEveryLine) {
  char* s = NewStringA(0, 0);  // an empty string held before is replaced
  std::string want;
  for (int i = 0; i < 3000; ++i) {
    SprintfAppendA(&s, "line %d: %.3g\n", i, i * 0.5);
    want += "line " + std::to_string(i) + ": ";
    char b[64];
    SprintfToBufferA(b, sizeof b, "%.3g\n", i * 0.5);
    want += b;
  }
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(std::string(s), want);
  KillStringA(&s);
  char16_t* w = nullptr;
  for (int i = 0; i < 500; ++i) SprintfAppend(&w, u"%d,", i % 10);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(std::u16string(w).size(), 1000u);
  EXPECT_EQ(std::u16string(w).substr(0, 6), u"0,1,2,");
  KillString(&w);
}

TEST(SprintfEntryPoints, AppendUnderFailingAllocationsIsWholeOrNothing) {
  // Whichever allocation fails: the old text with the whole piece, the old
  // text alone (the piece could not be made), or null as StringAppend gives.
  const std::string tail(4000, 'z');
  bool saw_null = false, saw_whole = false;
  for (Qlong k = 0; k < 14; ++k) {
    char* s = nullptr;
    SprintfAppendA(&s, "%s", "start");
    ASSERT_NE(s, nullptr);
    AllocFailureGuard fail(k);
    char* r = SprintfAppendA(&s, "%s", tail.c_str());
    fail.Release();
    EXPECT_EQ(r, s);
    if (!s) {
      saw_null = true;
      continue;
    }
    const std::string got = s;
    EXPECT_TRUE(got == "start" || got == "start" + tail) << k;
    saw_whole = saw_whole || got == "start" + tail;
    KillStringA(&s);
  }
  EXPECT_TRUE(saw_null);
  EXPECT_TRUE(saw_whole);
}

TEST(SprintfEntryPoints, ExhaustedMemoryGivesNullNotAPartialText) {
  for (Qlong k = 0; k < 6; ++k) {
    AllocFailureGuard fail(k);
    char* s = NewSprintfA(
        "%s and a long tail %r\xA7"
        "20\xA7"
        "20",
        std::string(200, 'a').c_str(), std::vector<double>(400, 3.0).data());
    fail.Release();
    EXPECT_EQ(s, nullptr) << k;
    KillStringA(&s);
  }
}

}  // namespace
