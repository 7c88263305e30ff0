// Parsers of numbers: the documented cases, both widths, the input bits of
// the status word, and the strict worker against an exact model.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "base/number_text.h"
#include "scalar/real_helpers.h"

namespace {

std::u16string W(const std::string& s) {
  std::u16string w;
  for (unsigned char c : s) w.push_back(static_cast<char16_t>(static_cast<signed char>(c)));
  return w;
}

struct RealCase {
  const char* text;
  double value;  // NaN means NaN expected
  NumStatus status;
  Qword consumed;
};

TEST(StringToReal, DocumentedCasesBothWidths) {
  const RealCase cases[] = {
      {"  12.5", 12.5, 0, 6},
      {"12.5x", 12.5, 0x20, 4},
      {"12.5 ", 12.5, 0x20, 4},
      {"abc", NAN, 0x30, 0},
      {"  abc", NAN, 0x30, 2},
      {"", NAN, 0x10, 0},
      {"   ", NAN, 0x10, 0},
      {"-0x1.8p1", -3.0, 0, 8},
      {"inf", INFINITY, 0, 3},
      {"-Infinity", -INFINITY, 0, 9},
      {"1.7976931348623157e308", 1.7976931348623157e308, 0x100, 22},
      {"-1.7976931348623157e308", -1.7976931348623157e308, 0x100, 23},
      {"1e999", INFINITY, 0x100, 5},
      {"-1e999,", -INFINITY, 0x120, 6},
      {"1e-999", 0.0, 0, 6},
      {"+.5e1", 5.0, 0, 5},
  };
  for (const RealCase& c : cases) {
    for (int wide = 0; wide < 2; ++wide) {
      NumStatus st = 0;
      Qword used = 777;
      const double v = wide ? StringToReal(W(c.text).c_str(), &st, &used, 10)
                            : StringToRealA(c.text, &st, &used, 10);
      SCOPED_TRACE(std::string(c.text) + (wide ? " (wide)" : " (8-bit)"));
      if (std::isnan(c.value)) {
        EXPECT_TRUE(std::isnan(v));
      } else {
        EXPECT_EQ(v, c.value);
      }
      EXPECT_EQ(st, c.status);
      EXPECT_EQ(used, c.consumed);
    }
  }
}

TEST(StringToReal, NullTextAndInputBits) {
  NumStatus st = 0x3 | 0x400;  // only the two input bits survive
  Qword used = 99;
  EXPECT_EQ(StringToRealA(nullptr, &st, &used, 10), 0.0);
  EXPECT_EQ(st, 0x13u);
  EXPECT_EQ(used, 99u);
  st = 0x2 | 0x20;
  EXPECT_EQ(StringToRealA("4", &st, nullptr, 10), 4.0);
  EXPECT_EQ(st, 0x2u);
  EXPECT_EQ(StringToRealA("4", nullptr, nullptr, 10), 4.0);
}

TEST(StringToReal, BlankRulesOfEachWidth) {
  // Control codes and blanks are skipped; bytes of UTF-8 characters and
  // wide codes above 32 are not.
  NumStatus st = 0;
  Qword used = 0;
  EXPECT_EQ(StringToRealA("\t\x01 7", &st, &used, 10), 7.0);
  EXPECT_EQ(used, 4u);
  EXPECT_TRUE(
      std::isnan(StringToRealA("\xE9"
                               "7",
                               &st, &used, 10)));
  EXPECT_EQ(st, 0x30u);
  const char16_t wide[] = {0xE9, '7', 0};
  EXPECT_TRUE(std::isnan(StringToReal(wide, &st, &used, 10)));
  EXPECT_EQ(st, 0x30u);
  // A wide character beyond the number's syntax ends it.
  const char16_t tail[] = {'2', '.', '5', 0x2212, '1', 0};
  EXPECT_EQ(StringToReal(tail, &st, &used, 10), 2.5);
  EXPECT_EQ(st, 0x20u);
  EXPECT_EQ(used, 3u);
}

TEST(StringToReal, LongWideDigitRunReadsExactly) {
  // Longer than any local buffer: the value must still be the rounded one.
  std::string s = "0." + std::string(600, '0') + "1e601";
  NumStatus st = 0;
  Qword used = 0;
  EXPECT_EQ(StringToReal(W(s).c_str(), &st, &used, 10), 1.0);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(used, s.size());
}

TEST(NumberOfRealItemsInString, CountsUntilAFailedRead) {
  struct {
    const char* text;
    Qword count, consumed;
  } cases[] = {{" 1 2.5 -3 x 4", 3, 9}, {"1,2", 1, 1}, {"", 0, 0}, {"  7  ", 1, 3}, {"1x", 1, 1}};
  for (const auto& c : cases) {
    Qword used = 1234;
    EXPECT_EQ(NumberOfRealItemsInStringA(c.text, &used), c.count) << c.text;
    EXPECT_EQ(used, c.consumed) << c.text;
    EXPECT_EQ(NumberOfRealItemsInString(W(c.text).c_str(), &used), c.count) << c.text;
    EXPECT_EQ(used, c.consumed) << c.text;
  }
  Qword used = 5;
  EXPECT_EQ(NumberOfRealItemsInStringA(nullptr, &used), 0u);
  EXPECT_EQ(used, 0u);
}

TEST(GeneralIntegerParsers, DocumentedCases) {
  NumStatus st = 0;
  Qword used = 0;
  EXPECT_EQ(StringToDwordA("2.5", &st, &used, 10), 3u);
  EXPECT_EQ(st, 0x40u);
  EXPECT_EQ(StringToDwordA("7 8", &st, &used, 10), 7u);
  EXPECT_EQ(st, 0u);  // the reader's 0x20 is not kept after a good read
  EXPECT_EQ(used, 1u);
  EXPECT_EQ(StringToDwordA("-3", &st, &used, 10), 0u);
  EXPECT_EQ(st, 0x20200u);
  EXPECT_EQ(StringToDwordA("5e9", &st, &used, 10), 4294967294u);
  EXPECT_EQ(st, 0x10100u);
  st = 0x3;
  EXPECT_EQ(StringToLongA("x", &st, &used, 10), 0);
  EXPECT_EQ(st, 0x33u);  // failed read: the reader's bits, input bits included
  st = 0x3;
  EXPECT_EQ(StringToLongA("-2.5", &st, &used, 10), -3);
  EXPECT_EQ(st, 0x40u);
  EXPECT_EQ(StringToQlongA("1e300", &st, &used, 10), INT64_MAX);
  EXPECT_EQ(st, 0x4100u);
  EXPECT_EQ(StringToQwordA("18446744073709551616", &st, &used, 10), 0xFFFFFFFFFFFFFFFEu);
  EXPECT_EQ(st, 0x40100u);
  EXPECT_EQ(StringToQword(u"4503599627370497", &st, &used, 10), 4503599627370497u);
  EXPECT_EQ(st, 0x400u);
  EXPECT_EQ(StringToLong(nullptr, &st, &used, 10), 0);
  EXPECT_EQ(st, 0x10u);
}

struct StrictCase {
  const char* text;
  NumStatus in;
  Qword value;
  NumStatus status;
  Qword consumed;
};

TEST(StrictParsers, DwordDocumentedCases) {
  const StrictCase cases[] = {
      {"0x1F", 1, 31, 1, 4},
      {"0x1F", 0, 0, 0x20, 1},
      {"0b101", 1, 5, 1, 5},
      {"0b121", 1, 1, 0x21, 3},
      {"4294967296", 0, 0xFFFFFFFF, 0x11100, 10},
      {"4294967296", 2, 0, 0x11102, 10},
      {"-1", 0, 0xFFFFFFFF, 0, 2},
      {"  +-5  ", 0, 0xFFFFFFFB, 0, 7},
      {"0o17", 1, 15, 1, 4},
      {"0X", 1, 0, 0x11, 2},
      {"   ", 0, 0, 0x10, 3},
      {"12 x", 0, 12, 0x20, 3},
      {"3000000000", 0, 3000000000u, 0x1000, 10},
  };
  for (const StrictCase& c : cases) {
    for (int wide = 0; wide < 2; ++wide) {
      NumStatus st = c.in;
      Qword used = 0;
      const Dword v = wide ? StringToDwordStrict(W(c.text).c_str(), &st, &used)
                           : StringToDwordStrictA(c.text, &st, &used);
      SCOPED_TRACE(c.text);
      EXPECT_EQ(v, c.value);
      EXPECT_EQ(st, c.status);
      EXPECT_EQ(used, c.consumed);
    }
  }
}

TEST(StrictParsers, LongAndQwordDocumentedCases) {
  NumStatus st = 0;
  EXPECT_EQ(StringToLongStrictA("-2147483647", &st, nullptr), -2147483647);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(StringToLongStrictA("-2147483648", &st, nullptr), -2147483647);
  EXPECT_EQ(st, 0x1100u);
  st = 0;
  EXPECT_EQ(StringToLongStrictA("3000000000", &st, nullptr), 0x7FFFFFFF);
  EXPECT_EQ(st, 0x1100u);
  st = 2;
  EXPECT_EQ(StringToLongStrictA("3000000000", &st, nullptr), static_cast<Long>(3000000000u));
  EXPECT_EQ(st, 0x1102u);
  st = 0;
  EXPECT_EQ(StringToQwordStrictA("18446744073709551615", &st, nullptr), 0xFFFFFFFFFFFFFFFFu);
  EXPECT_EQ(st, 0x15000u);
  st = 0;
  EXPECT_EQ(StringToQwordStrictA("18446744073709551616", &st, nullptr), 0xFFFFFFFFFFFFFFFEu);
  EXPECT_EQ(st, 0x55100u);
  st = 0;
  StringToQwordStrictA("25000000000000000000", &st, nullptr);
  EXPECT_TRUE(st & 0x100);
  st = 0;
  EXPECT_EQ(StringToQwordStrictA(nullptr, &st, nullptr), 0u);
  EXPECT_EQ(st, 0x10u);
  // Signed 64-bit: magnitudes from 2^63 overflow and saturate with the sign
  // of the text; with input bit 2 the wrapped value stays.
  st = 0;
  EXPECT_EQ(StringToQlongStrictA("9223372036854775807", &st, nullptr), INT64_MAX);
  EXPECT_EQ(st, 0x11000u);
  st = 0;
  EXPECT_EQ(StringToQlongStrictA("9223372036854775808", &st, nullptr), INT64_MAX);
  EXPECT_EQ(st, 0x15100u);
  st = 0;
  EXPECT_EQ(StringToQlongStrictA("-99999999999999999999", &st, nullptr), -INT64_MAX);
  EXPECT_EQ(st, 0x55100u);
  st = 2;
  EXPECT_EQ(StringToQlongStrictA("-9223372036854775808", &st, nullptr), INT64_MIN);
  EXPECT_EQ(st, 0x15102u);
}

// Exact model of the strict worker: digits accumulated in 128 bits with an
// overflow flag beyond 2^64 - 1.
struct Model {
  Qword value;
  NumStatus status;
};

Model StrictModel(const std::string& digits, bool negative, int radix, NumStatus in) {
  unsigned __int128 v = 0;
  bool over = false;
  for (char c : digits) {
    const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    v = v * radix + d;
    if (v > UINT64_MAX) {
      over = true;
      v &= UINT64_MAX;
    }
  }
  const Qword mag = static_cast<Qword>(v);
  NumStatus st = in;
  if (over) st |= 0x55100;
  if (mag >= (Qword{1} << 63)) {
    st |= 0x15000;
  } else if (mag > 0xFFFFFFFFu) {
    st |= 0x11000;
  } else if (mag > 0x7FFFFFFFu) {
    st |= 0x1000;
  }
  Qword r = negative ? Qword{0} - mag : mag;
  if (over && !(in & 2)) r = negative ? 0x7FFFFFFFFFFFFFFFu : 0xFFFFFFFFFFFFFFFEu;
  return {r, st};
}

TEST(StrictParsers, QwordAgainstExactModel) {
  std::mt19937_64 rng(20261210);
  const char* alphabet = "0123456789abcdefABCDEF";
  for (int i = 0; i < 20000; ++i) {
    const int radix_pick = static_cast<int>(rng() % 4);
    const int radix = (int[]){10, 16, 2, 8}[radix_pick];
    const char* prefix = (const char*[]){"", "0x", "0b", "0o"}[radix_pick];
    const int span = radix == 16 ? 22 : radix;
    std::string digits;
    const int len = 1 + static_cast<int>(rng() % (radix == 2 ? 70 : 26));
    for (int k = 0; k < len; ++k) digits.push_back(alphabet[rng() % span]);
    const bool negative = rng() & 1;
    const NumStatus in = (radix == 10 ? (rng() & 1) : 1) | ((rng() & 1) ? 2 : 0);
    const std::string text = std::string(negative ? "-" : "") + prefix + digits;
    const Model m = StrictModel(digits, negative, radix, in);
    NumStatus st = in;
    Qword used = 0;
    const Qword v = StringToQwordStrictA(text.c_str(), &st, &used);
    ASSERT_EQ(v, m.value) << text;
    ASSERT_EQ(st, m.status) << text;
    ASSERT_EQ(used, text.size()) << text;
  }
}

TEST(RangeTests, DocumentedCasesAndFailedReads) {
  Long v = 0;
  EXPECT_EQ(StringTestForLongA("15", 1, 10, &v), 0x10000000u);
  EXPECT_EQ(v, 15);
  EXPECT_EQ(StringTestForLongA("0", 1, 10, &v), 0x20000000u);
  EXPECT_EQ(StringTestForLongA("5", 1, 10, &v), 0u);
  EXPECT_EQ(v, 5);
  EXPECT_EQ(StringTestForLongA("5.5", 1, 10, &v), 0x40u);  // read not clean: no limit test
  Dword d = 0;
  EXPECT_EQ(StringTestForDword(u"4000000000", 0, 4000000001u, &d), 0u);  // unsigned comparison
  EXPECT_EQ(StringTestForDwordA("-1", 0, 10, &d), 0x20200u);
  Qword q = 0;
  EXPECT_EQ(StringTestForQwordA("-1", 0, 10, &q), 0x80200u);
  Qlong ql = 0;
  EXPECT_EQ(StringTestForQlongA("-7", -5, 5, &ql), 0x20000000u);
  EXPECT_EQ(StringTestForQlongA("-7", -5, 5, nullptr), 0x20000000u);
  double r = 0;
  EXPECT_EQ(StringTestForRealA("2.5", 0.0, 2.0, &r), 0x10000000u);
  EXPECT_EQ(r, 2.5);
  EXPECT_EQ(StringTestForReal(u"x", 0.0, 2.0, &r), 0x30u);
  // A NaN lies in no interval.
  EXPECT_EQ(StringTestForRealA("nan", 0.0, 2.0, &r), 0x30000000u);
}

}  // namespace
