// Reals as text and back: RealToBuffer against the documented examples, an
// independent implementation of its digit loop (committed table), the exact
// binary expansion in radix 2 and 16; StringToRealA against glibc strtod.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "base/memory.h"
#include "base/number_text.h"

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

double FromBits(unsigned long long b) {
  double x;
  std::memcpy(&x, &b, 8);
  return x;
}
unsigned long long Bits(double x) {
  unsigned long long b;
  std::memcpy(&b, &x, 8);
  return b;
}

std::string Narrow(const char16_t* w) {
  std::string s;
  for (; *w; ++w) s.push_back(static_cast<char>(*w));
  return s;
}

std::string RealA(double x, Long digits, Dword radix) {
  char buffer[512];
  const Qword n = RealToBufferA(x, buffer, digits, radix);
  EXPECT_EQ(n, std::strlen(buffer));
  return buffer;
}

TEST(RealToBuffer, DocumentedExamples) {
  const struct {
    double x;
    Long digits;
    Dword radix;
    const char* text;
  } cases[] = {
      {1.5, 0, 10, "1.50000000000000"},
      {123456, 3, 10, "1.23e5"},
      {0.05, 3, 10, "0.0500"},
      {123, 3, 10, "123."},
      {0.0001, 2, 10, "1.0e-4"},
      {-2, 1, 10, "-2."},
      {0, 5, 10, "0"},
      {16, 4, 2, "1.000_100"},
      {8, 4, 2, "1000."},
      {0, 0, 10, "0.00000000000000"},
      {INFINITY, 3, 10, "+INF"},
      {-INFINITY, 3, 10, "-INF"},
      {NAN, 3, 10, "NaN"},
      {1e-310, 4, 10, "0"},
      {0.5, 0, 2, "0.1000000000000000000000000000000000000000000000000000"},
      {255, 0, 16, "FF.00000000000"},
      {-1.0 / 1024, 2, 16, "-0.0040"},
      {-1.0 / 65536, 2, 16, "-1.0_-4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RealA(c.x, c.digits, c.radix), c.text)
        << c.x << " digits " << c.digits << " radix " << c.radix;
    char16_t wide[512];
    RealToBuffer(c.x, wide, c.digits, c.radix);
    EXPECT_EQ(Narrow(wide), c.text);
  }
  char b[8] = "xxxxxxx";
  EXPECT_EQ(RealToBufferA(2.5, b, 3, 1), 0u);  // no radix below 2
  EXPECT_STREQ(b, "");
}

TEST(RealToBuffer, ExactValuesNeverPrintBelowThemselves) {
  // Exact integers and short binary fractions keep their own digits; values
  // whose binary form lies below a short decimal show that (99.99).
  const struct {
    double x;
    Long digits;
    const char* text;
  } cases[] = {
      {99999, 6, "99999.0"},
      {123456, 6, "123456."},
      {999999999999999.0, 15, "999999999999999."},
      {0.375, 3, "0.375"},
      {99.99, 8, "99.989999"},
      {1e22, 3, "1.00e22"},
      {9007199254740993.0, 16, "9007199254740992."},
      {0.1, 25, "0.1000000000000000055511151"},
      {5e-324, 0, "4.94065645841246e-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(RealA(c.x, c.digits, 10), c.text) << c.x;
}

TEST(RealToBuffer, DecimalDigitLoopMatchesIndependentModel) {
  for (const RealTextRow& row : kRealToBufferRows) {
    const double x = FromBits(row.bits);
    ASSERT_EQ(RealA(x, row.digits, 10), row.text) << std::hexfloat << x << " digits " << row.digits;
  }
}

// Exact digits of |x| in radix 2^shift (1 or 4), from the integer significand.
std::string ExactPowerOfTwoText(double x, Long n, int shift) {
  const Dword radix = 1u << shift;
  const unsigned long long b = Bits(x);
  const int biased = static_cast<int>((b >> 52) & 0x7FF);
  unsigned long long sig = b & ((1ULL << 52) - 1);
  int exp2 = biased == 0 ? -1074 : biased - 1075;
  if (biased != 0) sig |= 1ULL << 52;
  int top = 63 - __builtin_clzll(sig) + exp2;  // weight of the leading bit
  auto bit = [&](int w) -> unsigned {
    return (w - exp2 >= 0 && w - exp2 < 64) ? (sig >> (w - exp2)) & 1 : 0;
  };
  const int e = top >= 0 ? top / shift : -((-top + shift - 1) / shift);  // floor(top / shift)
  std::string digits;
  for (Long i = 0; i < n; ++i) {
    unsigned d = 0;
    for (int k = shift - 1; k >= 0; --k) d = d * 2 + bit((e - i) * shift + k);
    digits.push_back("0123456789ABCDEF"[d]);
  }
  std::string out = x < 0 ? "-" : "";
  if (e < -3 || e >= n) {
    out += digits.substr(0, 1) + "." + digits.substr(1) + "_";
    if (e < 0) out += "-";
    unsigned mag = static_cast<unsigned>(e < 0 ? -e : e);
    std::string ed;
    do {
      ed.insert(ed.begin(), "0123456789ABCDEF"[mag % radix]);
      mag /= radix;
    } while (mag);
    out += ed;
  } else if (e < 0) {
    out += "0." + std::string(-e - 1, '0') + digits;
  } else {
    out += digits.substr(0, e + 1) + "." + digits.substr(e + 1);
  }
  return out;
}

TEST(RealToBuffer, RadixTwoAndSixteenAreTheExactBinaryExpansion) {
  std::mt19937_64 rng(99);
  for (int i = 0; i < 20000; ++i) {
    double x;
    do {
      x = FromBits(rng());
    } while (!std::isfinite(x) || std::fabs(x) < std::ldexp(1.0, -1024));
    const Long n2 = 1 + static_cast<Long>(rng() % 60);
    const Long n16 = 1 + static_cast<Long>(rng() % 16);
    ASSERT_EQ(RealA(x, n2, 2), ExactPowerOfTwoText(x, n2, 1)) << std::hexfloat << x;
    ASSERT_EQ(RealA(x, n16, 16), ExactPowerOfTwoText(x, n16, 4)) << std::hexfloat << x;
  }
}

TEST(NewStringFromReal, DigitsAreCutToTheLocalBuffer) {
  char* s = NewStringFromRealA(-1e-300, 100000, 2);
  ASSERT_NE(s, nullptr);
  EXPECT_LE(std::strlen(s), 111u);
  EXPECT_EQ(s[0], '-');
  EXPECT_EQ(std::string(s).substr(0, 3), "-1.");
  KillStringA(&s);
  char16_t* w = NewStringFromReal(1.0 / 3, 1000, 10);
  ASSERT_NE(w, nullptr);
  const std::string n = Narrow(w);
  EXPECT_LE(n.size(), 103u);
  EXPECT_EQ(n.substr(0, 8), "0.333333");
  KillString(&w);
  s = NewStringFromRealA(0.0, 0, 10);  // digits 0 keeps its meaning
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(s, "0.00000000000000");
  KillStringA(&s);
  char small[5];
  EXPECT_EQ(RealToBufferCappedA(-12345.678, small, sizeof small, 6, 10), 4u);
  EXPECT_STREQ(small, "-1.e");
}

TEST(NewStringFromNumbers, IntegerForms) {
  char* s = NewStringFromQlongA(INT64_MIN, 10);
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(s, "-9223372036854775808");
  KillStringA(&s);
  char16_t* w = NewStringFromQword(~Qword{0}, 2);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Narrow(w), std::string(64, '1'));
  KillString(&w);
  w = NewStringFromLong(-255, 16);
  EXPECT_EQ(Narrow(w), "-FF");
  KillString(&w);
  s = NewStringFromDwordA(0, 1);
  EXPECT_STREQ(s, "0");
  KillStringA(&s);
}

// Random decimal texts of 17 to 25 digits, exact halfway cases, subnormals,
// hexadecimal floats and the words, each against the C library.
std::string RandomRealText(std::mt19937_64& rng) {
  std::string s;
  switch (rng() % 6) {
    case 0:
    case 1: {
      if (rng() & 1) s += '-';
      const int digits = 17 + static_cast<int>(rng() % 9);
      const int point = static_cast<int>(rng() % digits);
      for (int i = 0; i < digits; ++i) {
        if (i == point && i > 0) s += '.';
        s += static_cast<char>('0' + rng() % 10);
      }
      const int exp = static_cast<int>(rng() % 700) - 350;
      s += "e" + std::to_string(exp);
      return s;
    }
    case 2: {  // halfway between two doubles in [2^53, 2^64): an odd multiple of half an ulp
      const int k = 53 + static_cast<int>(rng() % 11);
      const unsigned long long ulp = 1ULL << (k - 52);
      const unsigned long long base = (1ULL << k) + (rng() % (1ULL << 52)) * ulp;
      s = std::to_string(base + ulp / 2);
      if (rng() & 1) s += "000e-3";
      return s;
    }
    case 3: {  // subnormal range and the underflow edge
      s = std::to_string(1 + rng() % 9) + "." + std::to_string(rng() % 1000000000000000ULL);
      s += "e-" + std::to_string(300 + rng() % 30);
      return s;
    }
    case 4: {
      char b[64];
      std::snprintf(b, sizeof b, "%s0x%llx.%llxp%d", (rng() & 1) ? "-" : "",
                    static_cast<unsigned long long>(rng() % 16),
                    static_cast<unsigned long long>(rng() % (1ULL << 52)),
                    static_cast<int>(rng() % 2200) - 1100);
      return b;
    }
    default: {
      const char* words[] = {"inf",   "-INF",    "infinity", "nan", "NaN(123)", "-nan",
                             "1e400", "-1e-400", "0x",       "1e",  ".e5",      "+.5"};
      return words[rng() % 12];
    }
  }
}

TEST(StringToReal, AgreesWithTheCLibraryBitForBit) {
  std::mt19937_64 rng(4711);
  for (int i = 0; i < 100000; ++i) {
    const std::string text = RandomRealText(rng);
    char* end = nullptr;
    const double want = std::strtod(text.c_str(), &end);
    NumStatus st = 0;
    Qword used = 0;
    const double got = StringToRealA(text.c_str(), &st, &used, 10);
    const Qword want_used = static_cast<Qword>(end - text.c_str());
    if (want_used == 0) {
      ASSERT_TRUE(std::isnan(got)) << text;
      ASSERT_TRUE(st & NUM_UNDEFINED) << text;
      continue;
    }
    if (std::isnan(want)) {
      ASSERT_TRUE(std::isnan(got)) << text;
    } else {
      ASSERT_EQ(Bits(got), Bits(want)) << text;
    }
    ASSERT_EQ(used, want_used) << text;
    ASSERT_EQ((st & NUM_ILLEGALCHAR) != 0, text[want_used] != 0) << text;
    // The wide reader gives the same.
    std::u16string w(text.begin(), text.end());
    const double gw = StringToReal(w.c_str(), nullptr, nullptr, 10);
    ASSERT_TRUE(Bits(gw) == Bits(got) || (std::isnan(gw) && std::isnan(got))) << text;
  }
}

TEST(RealText, RoundTripWithSeventeenDigitsLosesAtMostTheCutUlps) {
  // The loop cuts digits, so a 17-digit text reads back within a few ulps.
  std::mt19937_64 rng(7);
  for (int i = 0; i < 5000; ++i) {
    double x;
    do {
      x = FromBits(rng());
    } while (!std::isfinite(x) || std::fabs(x) < 1e-300 || std::fabs(x) > 1e300);
    const std::string t = RealA(x, 17, 10);
    const double back = StringToRealA(t.c_str(), nullptr, nullptr, 10);
    ASSERT_LE(std::fabs(back - x), 64 * std::fabs(x) * 2.220446049250313e-16) << t;
  }
}

}  // namespace
