// The complex value type: construction, equality, arithmetic, integer powers
// and the constants.
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "scalar/real_helpers.h"
#include "support/complex_accuracy.h"

using ctest::Bits;
using ctest::Identical;
using ctest::Show;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(ComplexType, LayoutIsTwoDoubles) {
  static_assert(std::is_trivially_copyable_v<COMPLEX>);
  COMPLEX a[2] = {COMPLEX(1.5, -2.5), COMPLEX(3.25, 4.75)};
  const double* d = &a[0].re;
  EXPECT_EQ(d[0], 1.5);
  EXPECT_EQ(d[1], -2.5);
  EXPECT_EQ(d[2], 3.25);
  EXPECT_EQ(d[3], 4.75);
}

TEST(ComplexType, Construction) {
  EXPECT_TRUE(Identical(COMPLEX(), COMPLEX(0.0, 0.0)));
  EXPECT_TRUE(Identical(COMPLEX(2.385), COMPLEX(2.385, 0.0)));
  EXPECT_TRUE(Identical(COMPLEX(Long{3}), COMPLEX(3.0, 0.0)));
  EXPECT_TRUE(Identical(COMPLEX(Long{-2147483647 - 1}), COMPLEX(-2147483648.0, 0.0)));
  EXPECT_TRUE(COMPLEX(3) == COMPLEX(3.0, 0.0));
  COMPLEX a(1.25, -0.5);
  COMPLEX b = a;
  EXPECT_TRUE(Identical(a, b));
  COMPLEX& self = a;
  a = self;
  EXPECT_TRUE(Identical(a, COMPLEX(1.25, -0.5)));
}

TEST(ComplexType, Equality) {
  EXPECT_FALSE(COMPLEX(kNaN, 0) == COMPLEX(kNaN, 0));
  EXPECT_FALSE(COMPLEX(0, kNaN) == COMPLEX(0, kNaN));
  EXPECT_TRUE(COMPLEX(+0.0, 0) == COMPLEX(-0.0, 0));
  EXPECT_TRUE(COMPLEX(1, -0.0) == COMPLEX(1, 0.0));
  EXPECT_FALSE(COMPLEX(1, 2) == COMPLEX(1, 2.0000000000000004));
  EXPECT_TRUE(COMPLEX(1, 2) != COMPLEX(2, 1));
}

// Products and quotients of small dyadic values are exact, so every row is
// compared bit for bit against the formula worked out by hand.
struct BinaryRow {
  const char* what;
  COMPLEX got;
  COMPLEX want;
};

TEST(ComplexType, ArithmeticExactRows) {
  const COMPLEX a(1.5, -2.25), b(0.5, 4.0);
  const double d = -0.75;
  const BinaryRow rows[] = {
      {"a + b", a + b, COMPLEX(2.0, 1.75)},
      {"a - b", a - b, COMPLEX(1.0, -6.25)},
      {"a * b", a * b, COMPLEX(0.75 + 9.0, 6.0 - 1.125)},
      {"i * i", IComplex * IComplex, COMPLEX(-1.0, 0.0)},
      {"d * a", d * a, COMPLEX(-1.125, 1.6875)},
      {"a * d", a * d, COMPLEX(-1.125, 1.6875)},
      {"d + a", d + a, COMPLEX(0.75, -2.25)},
      {"a + d", a + d, COMPLEX(0.75, -2.25)},
      {"a - d", a - d, COMPLEX(2.25, -2.25)},
      {"d - a", d - a, COMPLEX(-2.25, 2.25)},
      {"a / d", a / d, COMPLEX(-2.0, 3.0)},
      {"1 / i", 1.0 / IComplex, COMPLEX(0.0, -1.0)},
      {"(3,4) / (1,2)", COMPLEX(3, 4) / COMPLEX(1, 2), COMPLEX(2.2, -0.4)},
      {"5 / (1,2)", 5.0 / COMPLEX(1, 2), COMPLEX(1.0, -2.0)},
      {"(1,2) / 4u", COMPLEX(1, 2) / Qword{4}, COMPLEX(0.25, 0.5)},
      {"-(0,0)", -COMPLEX(0.0, 0.0), COMPLEX(-0.0, -0.0)},
      {"-(1,-2)", -COMPLEX(1, -2), COMPLEX(-1, 2)},
  };
  for (const auto& r : rows)
    EXPECT_TRUE(Identical(r.got, r.want))
        << r.what << ": " << Show(r.got) << " want " << Show(r.want);
}

TEST(ComplexType, QuotientIsTheUnscaledFormula) {
  // s = b.re^2 + b.im^2 overflows for |b| ~ 1e200, so the textbook quotient
  // gives zeros where the true value is about 1e-200: no scaling by design.
  const COMPLEX q = COMPLEX(1, 1) / COMPLEX(1e200, 1e200);
  EXPECT_TRUE(Identical(q, COMPLEX(0.0, 0.0))) << Show(q);
  // A zero divisor follows IEEE rules part by part.
  const COMPLEX z1 = COMPLEX(1, 2) / COMPLEX(0, 0);
  EXPECT_TRUE(std::isnan(z1.re) && std::isnan(z1.im)) << Show(z1);
  const COMPLEX z2 = 1.0 / COMPLEX(0, 0);
  EXPECT_TRUE(std::isnan(z2.re) && std::isnan(z2.im)) << Show(z2);
  const COMPLEX z3 = COMPLEX(1, 0) / 0.0;
  EXPECT_EQ(z3.re, kInf);
  EXPECT_TRUE(std::isnan(z3.im));
}

TEST(ComplexType, UnsignedOperandsStayPositive) {
  const Qword u = ~Qword{0};
  const COMPLEX p = COMPLEX(1, 1) * u;
  const COMPLEX q = u * COMPLEX(1, 1);
  EXPECT_EQ(p.re, 18446744073709551616.0);
  EXPECT_EQ(p.im, 18446744073709551616.0);
  EXPECT_TRUE(Identical(p, q));
  COMPLEX r(3, -6);
  r /= Qword{1} << 63;
  EXPECT_TRUE(Identical(r, COMPLEX(3 * 0x1p-63, -6 * 0x1p-63)));
  // A plain int operand takes the real forms.
  EXPECT_TRUE(Identical(COMPLEX(1, 2) * 2, COMPLEX(2, 4)));
  EXPECT_TRUE(Identical(COMPLEX(1, 2) / 2, COMPLEX(0.5, 1)));
}

TEST(ComplexType, InPlaceForms) {
  COMPLEX a(1.5, -2.25);
  COMPLEX& r1 = (a += COMPLEX(0.5, 0.25));
  EXPECT_EQ(&r1, &a);
  EXPECT_TRUE(Identical(a, COMPLEX(2.0, -2.0)));
  a *= 1.5;
  EXPECT_TRUE(Identical(a, COMPLEX(3.0, -3.0)));
  a /= 4.0;
  EXPECT_TRUE(Identical(a, COMPLEX(0.75, -0.75)));
  COMPLEX s(3, 4);
  COMPLEX& r2 = (s *= s);  // squares through a temporary
  EXPECT_EQ(&r2, &s);
  EXPECT_TRUE(Identical(s, COMPLEX(-7, 24)));
  COMPLEX t(1, 2);
  t *= COMPLEX(3, -1);
  EXPECT_TRUE(Identical(t, COMPLEX(5, 5)));
}

// Exact powers of Gaussian integers in 128-bit integer arithmetic.
void GaussPower(int64_t a, int64_t b, unsigned n, __int128* re, __int128* im) {
  __int128 r = 1, i = 0;
  for (unsigned k = 0; k < n; ++k) {
    const __int128 nr = r * a - i * b;
    const __int128 ni = r * b + i * a;
    r = nr;
    i = ni;
  }
  *re = r;
  *im = i;
}

TEST(ComplexType, UnsignedPowerOfGaussianIntegersIsExact) {
  const int64_t bases[][2] = {{1, 1}, {2, -3}, {-5, 4}, {0, 7}, {-3, 0}, {11, 2}};
  for (const auto& g : bases) {
    for (unsigned n = 0; n <= 12; ++n) {
      __int128 re, im;
      GaussPower(g[0], g[1], n, &re, &im);
      // Only rows whose intermediate squares stay below 2^53 are exact.
      if (re > (__int128{1} << 50) || re < -(__int128{1} << 50) || im > (__int128{1} << 50) ||
          im < -(__int128{1} << 50))
        continue;
      const COMPLEX z(static_cast<double>(g[0]), static_cast<double>(g[1]));
      const COMPLEX got = ccPowerUnsignedValue(z, n);
      EXPECT_EQ(got.re, static_cast<double>(re)) << Show(z) << "^" << n;
      EXPECT_EQ(got.im, static_cast<double>(im)) << Show(z) << "^" << n;
      EXPECT_TRUE(Identical(ccPowerSignedValue(z, n), got));
    }
  }
}

TEST(ComplexType, PowerEdgeCases) {
  EXPECT_TRUE(Identical(ccPowerUnsignedValue(NanComplex, 0), COMPLEX(1, 0)));
  EXPECT_TRUE(Identical(ccPowerUnsignedValue(COMPLEX(0, 0), 0), COMPLEX(1, 0)));
  EXPECT_TRUE(Identical(ccPowerSignedValue(COMPLEX(0, 0), 0), COMPLEX(1, 0)));
  const COMPLEX z(1.125, -3.5);
  EXPECT_TRUE(Identical(ccPowerUnsignedValue(z, 1), z));
  const COMPLEX inv0 = ccPowerSignedValue(COMPLEX(0, 0), -1);
  EXPECT_TRUE(std::isnan(inv0.re) && std::isnan(inv0.im));
  EXPECT_TRUE(Identical(ccPowerSignedValue(COMPLEX(2, 0), -2), COMPLEX(0.25, 0)));
  EXPECT_TRUE(ccPowerUnsignedValue(COMPLEX(0, 1), 2) == COMPLEX(-1, 0));
  // The largest exponents: i^(2^63) = 1, (-1)^(2^64 - 1) = -1, and the
  // smallest signed exponent is taken as 2^63.
  EXPECT_TRUE(ccPowerUnsignedValue(IComplex, Qword{1} << 63) == COMPLEX(1, 0));
  EXPECT_TRUE(ccPowerUnsignedValue(COMPLEX(-1, 0), ~Qword{0}) == COMPLEX(-1, 0));
  EXPECT_TRUE(ccPowerSignedValue(MnsIComplex, INT64_MIN) == COMPLEX(1, 0));
  EXPECT_TRUE(ccPowerSignedValue(COMPLEX(2, 0), INT64_MIN) == COMPLEX(0, 0));
  // (1+i)^-4 = 1/(-4) exactly.
  EXPECT_TRUE(ccPowerSignedValue(COMPLEX(1, 1), -4) == COMPLEX(-0.25, 0));
}

TEST(ComplexType, SignedPowerInvertsFirst) {
  // z^-n is (1/z)^n, not 1/z^n: the two differ in rounding, and the power
  // inverts first. Both agree with the exact value to a few ulp.
  const COMPLEX z(0.7, 1.3);
  const COMPLEX w = COMPLEX(1, 0) / z;
  for (Qlong n = 1; n <= 9; ++n) {
    EXPECT_TRUE(Identical(ccPowerSignedValue(z, -n), ccPowerUnsignedValue(w, n)));
    const COMPLEX back = ccPowerSignedValue(z, -n) * ccPowerUnsignedValue(z, n);
    EXPECT_LT(ctest::ErrorEps(back, COMPLEX(1, 0)), 4 * n) << n;
  }
}

TEST(ComplexConstants, Values) {
  EXPECT_TRUE(Identical(ZeroComplex, COMPLEX(0.0, 0.0)));
  EXPECT_TRUE(Identical(OneComplex, COMPLEX(1.0, 0.0)));
  EXPECT_TRUE(Identical(TwoComplex, COMPLEX(2.0, 0.0)));
  EXPECT_TRUE(Identical(MnsOneComplex, COMPLEX(-1.0, 0.0)));
  EXPECT_TRUE(Identical(IComplex, COMPLEX(0.0, 1.0)));
  EXPECT_TRUE(Identical(MnsIComplex, COMPLEX(0.0, -1.0)));
  // NanComplex holds the library's NaN in both parts, bit for bit.
  EXPECT_EQ(Bits(NanComplex.re), Bits(___NAN));
  EXPECT_EQ(Bits(NanComplex.im), Bits(___NAN));
}

// A static initialiser of this program reads the constants; they must
// already be set, whatever order the initialisers run in.
const COMPLEX kSeenAtStart[2] = {NanComplex, IComplex};

TEST(ComplexConstants, SetBeforeStaticInitialisers) {
  EXPECT_EQ(Bits(kSeenAtStart[0].re), Bits(___NAN));
  EXPECT_EQ(Bits(kSeenAtStart[0].im), Bits(___NAN));
  EXPECT_TRUE(Identical(kSeenAtStart[1], COMPLEX(0, 1)));
}

}  // namespace
