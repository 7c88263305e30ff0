// Bounded and safe arithmetic: saturation, status words, the sign rules and
// the remainder against the exact fmod.
#include "scalar/safe_arith.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "base/num_status.h"
#include "scalar/real_helpers.h"

namespace {

constexpr Long kOvf = 256;
constexpr Long kUnf = 512;
constexpr Long kPrec = 1024;
constexpr Long kStale = 0x7777;  // a stale status the call must overwrite

struct BinRow {
  double a, b, want;
  Long status;
};

template <size_t N>
void CheckRows(double (*f)(double, double, Long*), const BinRow (&rows)[N], const char* name) {
  for (const BinRow& r : rows) {
    Long st = kStale;
    const double got = f(r.a, r.b, &st);
    EXPECT_EQ(got, r.want) << name << "(" << r.a << ", " << r.b << ")";
    EXPECT_EQ(std::signbit(got), std::signbit(r.want)) << name << "(" << r.a << ", " << r.b << ")";
    EXPECT_EQ(st, r.status) << name << "(" << r.a << ", " << r.b << ")";
    EXPECT_EQ(f(r.a, r.b, nullptr), r.want) << name << " without status";
  }
}

TEST(BoundedArithmetic, Add) {
  const double M = ___MaxReal;
  const BinRow rows[] = {
      {M, M, M, kOvf},
      {-M, -M, -M, kOvf},
      {1, -1, 0, kUnf},
      {0, 2.385, 2.385, 0},
      {2.385, 0, 2.385, 0},
      {1.5, 2.25, 3.75, 0},
      {-1.5, 2.25, 0.75, 0},
      {M, -M, 0, kUnf},
      {M / 2, M / 2, M, kOvf},  // reaching ___MaxReal exactly counts
      {M / 2, M / 4, 0.75 * M, 0},
      {-M, M / 4, -0.75 * M, 0},
      {___PlsINF, 1, M, kOvf},
  };
  CheckRows(rBoundAdd, rows, "rBoundAdd");
}

TEST(BoundedArithmetic, Sub) {
  for (double x : {2.385, -1e300, 4.9e-324, ___MaxReal}) {
    Long st = kStale;
    EXPECT_EQ(rBoundSub(x, x, &st), 0) << x;
    EXPECT_EQ(st, kUnf) << x;
  }
  const BinRow rows[] = {{___MaxReal, -___MaxReal, ___MaxReal, kOvf}, {5, 7.25, -2.25, 0}};
  CheckRows(rBoundSub, rows, "rBoundSub");
}

TEST(BoundedArithmetic, Mul) {
  const double M = ___MaxReal;
  const double m = ___MinReal;
  const BinRow rows[] = {
      {1e200, 1e200, M, kOvf},
      {-1e200, 1e200, -M, kOvf},
      {1e-200, 1e-200, m, kUnf},
      {-1e-200, 1e-200, -m, kUnf},
      {2, 3, 6, 0},
      {0, ___PlsINF, 0, 0},
      {1e154, 1e154, 1e154 * 1e154, 0},
      // At the edge the logarithms round; the product itself decides.
      {0x1.fffffffffffffp+511, 0x1.0000000000001p+512, M, kOvf},
      {M, 1.0000000000000002, M, kOvf},
      // A factor below ___MinReal skips the logarithmic test: the product
      // is kept unless it vanishes (half the smallest subnormal rounds to 0).
      {1e-320, 0.5, 5e-321, 0},
      {4.9e-324, 0.5, m, kUnf},
      {1e-320, 1e-10, m, kUnf},
      {-1e-320, 1e-10, -m, kUnf},
  };
  CheckRows(rBoundMul, rows, "rBoundMul");
}

TEST(BoundedArithmetic, Div) {
  const double M = ___MaxReal;
  const double m = ___MinReal;
  const BinRow rows[] = {
      {1, 0, M, kOvf},
      {-1, 0, -M, kOvf},
      {0, 0, 0, 0},
      {1e-300, 1e300, m, kUnf},
      {-1e-300, 1e300, -m, kUnf},
      {1e300, 1e-300, M, kOvf},
      {1e300, -1e-300, -M, kOvf},
      {7.5, 2.5, 3, 0},
      {1, ___PlsINF, m, kUnf},
      {M, 0.5, M, kOvf},
  };
  CheckRows(rBoundDiv, rows, "rBoundDiv");
}

TEST(BoundedArithmetic, ModEdgeCases) {
  const struct {
    double a, b, rem, quot;
    Long status;
  } rows[] = {
      {7, -3, 1, 2, 0},
      {-7, 3, -1, -2, 0},
      {3, 3, 0, 1, 0},
      {2, 3, 2, 0, 0},
      {-3, 3, -0.0, -1, 0},
      {1e300, 1e-300, 0, ___MaxReal, kPrec},
      {0x1p53, 1, 0, 0x1p53, kPrec},
      {0x1p51 + 1, 2, 1, 0x1p50, 0},
  };
  for (const auto& r : rows) {
    Long st = kStale;
    double q = -99;
    EXPECT_EQ(rBoundMod(r.a, r.b, &q, &st), r.rem) << r.a << " mod " << r.b;
    EXPECT_EQ(q, r.quot) << r.a << " mod " << r.b;
    EXPECT_EQ(st, r.status) << r.a << " mod " << r.b;
  }
  double q = -99;
  Long st = kStale;
  EXPECT_EQ(rBoundMod(5, 0, &q, &st), 5);
  EXPECT_EQ(q, -99);  // not written
  EXPECT_EQ(st, 0);
  EXPECT_EQ(rBoundMod(5, 3, nullptr, nullptr), 2);
}

// The remainder is the exact one (fmod is exact), and quotient times divisor
// plus remainder gives back the dividend.
TEST(BoundedArithmetic, ModMatchesExactRemainder) {
  std::mt19937_64 rng(20261210);
  std::uniform_real_distribution<double> mant(1, 2);
  std::uniform_int_distribution<int> ex(-40, 40);
  std::uniform_int_distribution<int> shift(-5, 45);  // quotients below 2^47
  for (int i = 0; i < 20000; ++i) {
    const int ea = ex(rng);
    const double a = std::ldexp(mant(rng), ea) * (i % 2 ? -1 : 1);
    const double b = std::ldexp(mant(rng), ea - shift(rng)) * (i % 3 ? 1 : -1);
    double q;
    Long st;
    const double r = rBoundMod(a, b, &q, &st);
    EXPECT_EQ(r, std::fmod(a, b)) << a << " mod " << b;
    EXPECT_EQ(st, 0);
    EXPECT_EQ(q, std::trunc(q));
    EXPECT_EQ(std::signbit(q), std::signbit(a));
    EXPECT_EQ(std::fma(std::fabs(q), std::fabs(b), std::fabs(r)), std::fabs(a))
        << a << " mod " << b;
  }
}

TEST(SafeArithmetic, InfinitiesWithTheRightSign) {
  EXPECT_EQ(rSafeInv(0), ___PlsINF);
  EXPECT_EQ(rSafeInv(-1e-310), ___MnsINF);
  EXPECT_EQ(rSafeInv(4), 0.25);
  EXPECT_EQ(rSafeDiv(1, 1e-310), ___PlsINF);
  EXPECT_EQ(rSafeDiv(-1, 1e-310), ___MnsINF);
  EXPECT_EQ(rSafeDiv(-1, -1e-310), ___PlsINF);
  EXPECT_EQ(rSafeDiv(1, 0), ___PlsINF);
  EXPECT_TRUE(std::isnan(rSafeDiv(0, 0)));
  EXPECT_EQ(rSafeDiv(1e-310, 1e-310), 1);
  EXPECT_EQ(rSafeDiv(7.5, 2.5), 3);
  EXPECT_EQ(rSafeMul(1e200, -1e200), ___MnsINF);
  EXPECT_EQ(rSafeMul(-1e200, -1e200), ___PlsINF);
  EXPECT_EQ(rSafeMul(1e100, 1e100), 1e100 * 1e100);
  EXPECT_EQ(rSafeMul(1e-200, 1e-200), 0);  // underflow is the processor's
}

TEST(SafeArithmetic, Proportion) {
  EXPECT_EQ(rSafeProportion(1e300, 1e300, 1e300), 1e300);
  EXPECT_EQ(rSafeProportion(1e-300, 1e-300, 1e-300), 1e-300);
  EXPECT_EQ(rSafeProportion(-1e300, 1e300, 1e300), -1e300);
  EXPECT_EQ(rSafeProportion(-1e300, -1e300, -1e300), -1e300);
  EXPECT_EQ(rSafeProportion(6, 4, 3), 8);
  EXPECT_EQ(rSafeProportion(1e300, 1e300, 1e-300), ___PlsINF);
  EXPECT_EQ(rSafeProportion(1e300, -1e300, 1e-300), ___MnsINF);
  EXPECT_EQ(rSafeProportion(2, 3, 0), ___PlsINF);
}

TEST(RoundToEps, Table) {
  const struct {
    double a, q, want;
  } rows[] = {
      {2.5, 1, 3},
      {-2.5, 1, -3},
      {7, 0, 7},
      {7.3, -1, 7.3},
      {7.3, ___NAN, 7.3},
      {0.26, 0.1, 0.1 * 3},
      {-0.26, 0.1, -0.1 * 3},
      {1234.5678, 0.25, 1234.5},
      {0.49999999999999994, 1, 0},
      {1e300, 1e-300, 1e-300 * (___MaxReal)},  // the quotient saturates
  };
  for (const auto& r : rows) {
    EXPECT_EQ(rRoundToEps(r.a, r.q), r.want) << r.a << " to " << r.q;
  }
}

}  // namespace
