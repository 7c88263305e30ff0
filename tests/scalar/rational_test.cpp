// Qrat against Python's fractions.Fraction (rational_reference.inc), the
// parse table, the text writer and the folds.
#include "scalar/rational.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "base/num_status.h"

namespace {

struct Pair {
  Qlong n, d;
};
struct RationalRow {
  Pair a, b, product, sum, quotient;
  int has_quotient;
  Pair difference;
  int less;
  Pair inverse_square;
  int has_inverse_square;
  Pair cube;
  int has_cube;
  Pair mean_a, mean_h;
  int has_mean_h;
  Pair lehmer;
  int has_lehmer;
  const char* text;
};

#include "rational_reference.inc"

Qrat Q(Pair p) { return Qrat(p.n, p.d); }

// Same numerator and denominator: reduced results have one form only.
::testing::AssertionResult Same(const char* what, const Qrat& got, Pair want, const Qrat& a,
                                const Qrat& b) {
  if (got.numerator == want.n && got.denominator == want.d) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << " of " << a.numerator << "/" << a.denominator << " and " << b.numerator << "/"
         << b.denominator << ": got " << got.numerator << "/" << got.denominator << ", want "
         << want.n << "/" << want.d;
}

TEST(Rational, OperationsAgreeWithExactFractions) {
  for (const RationalRow& r : kRationalRows) {
    const Qrat a = Q(r.a), b = Q(r.b);
    EXPECT_TRUE(Same("a*b", a * b, r.product, a, b));
    EXPECT_TRUE(Same("a+b", a + b, r.sum, a, b));
    if (r.has_quotient) {
      EXPECT_TRUE(Same("a/b", a / b, r.quotient, a, b));
    }
    Qrat d = a;
    d -= b;
    EXPECT_TRUE(Same("a-=b", d, r.difference, a, b));
    Qrat m = a;
    m *= b;
    EXPECT_TRUE(Same("a*=b", m, r.product, a, b));
    Qrat s = a;
    s += b;
    EXPECT_TRUE(Same("a+=b", s, r.sum, a, b));
    Qrat ra = a, rb = b;
    QratReduce(ra);
    QratReduce(rb);
    EXPECT_EQ(ra < rb, r.less != 0) << r.text;
    if (r.has_inverse_square) {
      EXPECT_TRUE(Same("a^-2", QratPower(a, -2), r.inverse_square, a, b));
    }
    if (r.has_cube) {
      EXPECT_TRUE(Same("a^3", QratPower(a, 3), r.cube, a, b));
    }
    Qrat mean;
    EXPECT_EQ(QratMeanA(&mean, a, b), &mean);
    EXPECT_TRUE(Same("mean A", mean, r.mean_a, a, b));
    if (r.has_mean_h) {
      QratMeanH(&mean, a, b);
      EXPECT_TRUE(Same("mean H", mean, r.mean_h, a, b));
    }
    if (r.has_lehmer) {
      QratMeanLehmer(&mean, a, b, 2);
      EXPECT_TRUE(Same("Lehmer", mean, r.lehmer, a, b));
    }
    // Text of the reduced value, and parsed back from the text as given.
    char text[140];
    Qrat t = a;
    const Qword n = QratToBufferA(&t, text, 10);
    EXPECT_STREQ(text, r.text);
    EXPECT_EQ(n, std::string(r.text).size());
    EXPECT_TRUE(Same("reduced in place", t, Pair{ra.numerator, ra.denominator}, a, b));
    const std::string given = std::to_string(r.a.n) + " / " + std::to_string(r.a.d);
    Qrat parsed;
    EXPECT_EQ(StringToQratA(given.c_str(), &parsed, nullptr, 0), 0u) << given;
    EXPECT_TRUE(Same("parsed", parsed, Pair{ra.numerator, ra.denominator}, a, b));
  }
}

TEST(Rational, UnaryMinusReciprocalAndDivisionByAnInteger) {
  struct Case {
    Qrat a;
    Pair negated, reciprocal, halved;
  };
  const Case cases[] = {
      {Qrat(6, -4), {3, 2}, {-4, 6}, {-3, 4}},
      {Qrat(0, 5), {0, 1}, {5, 0}, {0, 1}},
      {Qrat(7), {-7, 1}, {1, 7}, {7, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Same("-a", -c.a, c.negated, c.a, c.a));
    EXPECT_TRUE(Same("1/a", QratReciprocal(c.a), c.reciprocal, c.a, c.a));
    EXPECT_TRUE(Same("a/2", c.a / 2, c.halved, c.a, c.a));
  }
}

TEST(Rational, PowersAndMeansOfTheEdgeCases) {
  EXPECT_TRUE(Same("pow", QratPower(Qrat(2, 3), -2), {9, 4}, Qrat(2, 3), Qrat(-2)));
  EXPECT_TRUE(Same("pow", QratPower(Qrat(-5, 7), 0), {1, 1}, Qrat(-5, 7), Qrat(0)));
  EXPECT_TRUE(Same("pow", QratPower(Qrat(0, 1), -1), {1, 0}, Qrat(0), Qrat(-1)));
  EXPECT_TRUE(Same("pow", QratPower(Qrat(-1, 2), 5), {-1, 32}, Qrat(-1, 2), Qrat(5)));
  // The smallest exponent: (1/1)^(2^63) by its unsigned magnitude.
  EXPECT_TRUE(Same("pow", QratPower(Qrat(-1), INT64_MIN), {1, 1}, Qrat(-1), Qrat(0)));
  EXPECT_TRUE(Same("pow", QratPowerBySquaring(Qrat(4, 6), 1), {4, 6}, Qrat(4, 6), Qrat(1)));
  Qrat m;
  QratMeanA(&m, Qrat(1, 2), Qrat(1, 3));
  EXPECT_TRUE(Same("A", m, {5, 12}, Qrat(1, 2), Qrat(1, 3)));
  QratMeanH(&m, Qrat(1, 2), Qrat(1, 3));
  EXPECT_TRUE(Same("H", m, {2, 5}, Qrat(1, 2), Qrat(1, 3)));
  // Negative values: the harmonic mean stays in canonical form.
  QratMeanH(&m, Qrat(-1, 2), Qrat(-1, 3));
  EXPECT_TRUE(Same("H", m, {-2, 5}, Qrat(-1, 2), Qrat(-1, 3)));
  QratMeanLehmer(&m, Qrat(1, 2), Qrat(1, 3), 1);
  EXPECT_TRUE(Same("Lehmer", m, {5, 12}, Qrat(1, 2), Qrat(1, 3)));
  EXPECT_EQ(QratMeanA(nullptr, Qrat(1), Qrat(2)), nullptr);
  EXPECT_TRUE(Qrat(-1, 2) < Qrat(1, 3));
  EXPECT_FALSE(Qrat(1, 3) < Qrat(1, 3));
}

TEST(Rational, FoldsOverArgumentLists) {
  Qrat r;
  EXPECT_EQ(QratVaSumAbs(&r, 3, Qrat(-1, 2), Qrat(1, 3), Qrat(-1, 6)), 0u);
  EXPECT_TRUE(Same("sum abs", r, {1, 1}, r, r));
  // A negative denominator is a negative value too.
  QratVaSumAbs(&r, 2, Qrat(1, -2), Qrat(3, -4));
  EXPECT_TRUE(Same("sum abs", r, {5, 4}, r, r));
  QratVaSum(&r, 3, Qrat(1, 2), Qrat(1, 3), Qrat(1, 6));
  EXPECT_TRUE(Same("sum", r, {1, 1}, r, r));
  QratVaProduct(&r, 3, Qrat(2, 3), Qrat(-9, 4), Qrat(1, 5));
  EXPECT_TRUE(Same("product", r, {-3, 10}, r, r));
  QratVaSumInv(&r, 3, Qrat(1, 2), Qrat(-3), Qrat(2, 5));
  EXPECT_TRUE(Same("sum inv", r, {25, 6}, r, r));
  QratVaSumSqr(&r, 2, Qrat(1, 2), Qrat(-2, 3));
  EXPECT_TRUE(Same("sum sqr", r, {25, 36}, r, r));
  QratVaSum(&r, 1, Qrat(6, -4));
  EXPECT_TRUE(Same("one value", r, {-3, 2}, r, r));
  // A count of 0 reads nothing: the empty sum and product.
  r = Qrat(9, 9);
  EXPECT_EQ(QratVaSum(&r, 0), 0u);
  EXPECT_TRUE(Same("empty sum", r, {0, 1}, r, r));
  EXPECT_EQ(QratVaProduct(&r, 0), 0u);
  EXPECT_TRUE(Same("empty product", r, {1, 1}, r, r));
  EXPECT_EQ(QratVaSumSqr(nullptr, 1, Qrat(1)), 18u);
}

TEST(Rational, TextOfAValue) {
  struct Case {
    Qrat q;
    Dword radix;
    const char* text;
    Qword result;
    Pair after;
  };
  // Digits in other radixes as Python's format(n, 'b') and format(n, 'X') give them.
  const Case cases[] = {
      {Qrat(6, -4), 10, "-3/2", 4, {-3, 2}},
      {Qrat(5, 1), 10, "5", 1, {5, 1}},
      {Qrat(0, 7), 10, "0", 1, {0, 1}},
      {Qrat(6, -4), 2, "-11/10", 6, {-3, 2}},
      {Qrat(510, 32), 16, "FF/10", 5, {255, 16}},
      {Qrat(INT64_MIN, 1), 10, "-9223372036854775808", 20, {INT64_MIN, 1}},
      {Qrat(-4, 0), 10, "-1/0", 4, {-1, 0}},
      {Qrat(6, -4), 1, "", 26, {6, -4}},
      {Qrat(6, -4), 17, "-3/2", 4, {-3, 2}},
  };
  for (const Case& c : cases) {
    char text[140] = "junk";
    char16_t wide[140] = u"junk";
    Qrat q = c.q, w = c.q;
    EXPECT_EQ(QratToBufferA(&q, text, c.radix), c.result) << c.text;
    EXPECT_EQ(QratToBuffer(&w, wide, c.radix), c.result) << c.text;
    EXPECT_STREQ(text, c.text);
    EXPECT_EQ(std::u16string(wide), std::u16string(c.text, c.text + strlen(c.text)));
    EXPECT_TRUE(Same("value after", q, c.after, c.q, c.q));
  }
  // The longest text: 131 places in radix 2.
  char longest[131];
  Qrat q(INT64_MIN, INT64_MAX);
  EXPECT_EQ(QratToBufferA(&q, longest, 2), 129u);
}

TEST(Rational, ParseTable) {
  struct Case {
    const char* text;
    Pair value;
    NumStatus status;  // exactly, or with all of these bits when `some`
    bool some;
  };
  const Case cases[] = {
      {"3/4", {3, 4}, 0, false},
      {"6/-4", {-3, 2}, 0, false},
      {"5", {5, 1}, 0, false},
      {"  -12 /  8", {-3, 2}, 0, false},
      {"5x", {5, 0}, 0xA0, false},
      {"3/", {3, 0}, 0x90, false},
      {"-0/5", {0, 1}, 0, false},
      {"1/0", {1, 0}, 0, false},
      {"4/0", {1, 0}, 0, false},
      {"-4/0", {-1, 0}, 0, false},
      {"", {1, 0}, NUM_UNDEFINED | NUM_NOSTRUCT, true},
      {"abc", {1, 0}, NUM_UNDEFINED | NUM_NOSTRUCT, true},
      {"3/x", {3, 0}, NUM_UNDEFINED | NUM_NOSTRUCT, true},
      // Too large a numerator: no fraction, whatever the stored value.
      {"99999999999999999999/2", {0, -99}, NUM_NOSTRUCT, true},
  };
  for (const Case& c : cases) {
    Qrat a, w;
    const NumStatus sa = StringToQratA(c.text, &a, nullptr, 0);
    const std::u16string wide(c.text, c.text + strlen(c.text));
    const NumStatus sw = StringToQrat(wide.c_str(), &w, nullptr, 0);
    if (c.some) {
      EXPECT_EQ(sa & c.status, c.status) << c.text;
    } else {
      EXPECT_EQ(sa, c.status) << c.text;
    }
    EXPECT_EQ(sw, sa) << c.text;
    if (c.value.d == -99) continue;
    EXPECT_TRUE(Same(c.text, a, c.value, a, a));
    EXPECT_TRUE(Same(c.text, w, c.value, w, w));
  }
  EXPECT_NE(StringToQratA(nullptr, nullptr, nullptr, 0) & NUM_NOSTRUCT, 0u);
}

}  // namespace
