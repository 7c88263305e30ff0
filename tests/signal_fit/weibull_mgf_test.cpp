// The Weibull moment generating function against mpmath quadrature
// (tools/gen_weibull_mgf_reference.py), with shapes just above 1 where the
// series needs millions of terms near s = t lambda = 1, and beyond 1 up to
// values of 1e300. A row may be off by a few eps times (1 + its condition
// number |s| M'(s)/M(s)): s itself is a rounded double.
//
// Summing the series alone (1000 terms) gave 0.75 for 0.49999 at k = 1.0001,
// s = -1, 741 for 1327 at s = 1, and 3.2e109 for 3.2e121 at k = 1.2, s = 4.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "scalar/real_helpers.h"
#include "signal_fit/prob/probability.h"

namespace {
struct WeibullMgfRow {
  double s, k, value, condition;
};
#include "weibull_mgf_reference.inc"

constexpr double kEps = std::numeric_limits<double>::epsilon();

TEST(WeibullMgf, AgainstQuadrature) {
  // Worst 2.9 eps per (1 + condition); 7000 eps outright at a condition of
  // 7.2e4 (k = 1.005, s = 1.0625, M = 1.3e160).
  double worst = 0, worst_s = 0, worst_k = 0, sum_sq = 0;
  for (const WeibullMgfRow& r : kWeibullMgfRows) {
    for (double lambda : {1.0, 0.25, 4.0}) {
      const double got = pMGfWeibull(r.s / lambda, r.k, lambda);
      const double e = std::fabs(got - r.value) / r.value / kEps / (1.0 + r.condition);
      EXPECT_LE(e, 8.0) << "pMGfWeibull(" << r.s / lambda << ", " << r.k << ", " << lambda
                        << ") = " << got << ", want " << r.value;
      sum_sq += std::isfinite(e) ? e * e : 0;
      if (!(e <= worst)) {
        worst = e;
        worst_s = r.s;
        worst_k = r.k;
      }
    }
  }
  std::printf(
      "[ accuracy ] pMGfWeibull worst %.2f eps/(1 + cond) at s = %g, k = %g; rms %.2f, %zu rows\n",
      worst, worst_s, worst_k, std::sqrt(sum_sq / (3 * std::size(kWeibullMgfRows))),
      3 * std::size(kWeibullMgfRows));
}

TEST(WeibullMgf, ClosedFormAtShapeTwo) {
  // M = 1 + s sqrt(pi)/2 e^(s^2/4) erfc(-s/2) for k = 2; the erfc form
  // cancels for s < 0, so only s >= 0 is compared with it here.
  for (double s : {0.125, 0.7, 1.0, 2.5, 6.0, 11.0}) {
    const double want = 1.0 + s * 0.886226925452758 * std::exp(s * s / 4) * std::erfc(-s / 2);
    EXPECT_NEAR(pMGfWeibull(s, 2.0, 1.0) / want, 1.0, 64 * kEps * (1 + s * s)) << s;
  }
}

TEST(WeibullMgf, OverflowAndLimits) {
  // Shape 1.001 at s = 1.03: M is about 10^(1.1e9).
  EXPECT_EQ(pMGfWeibull(1.03, 1.001, 1.0), ___PlsINF);
  EXPECT_EQ(pMGfWeibull(50.0, 1.1, 1.0), ___PlsINF);
  EXPECT_EQ(pMGfWeibull(___PlsINF, 2.0, 1.0), ___PlsINF);
  EXPECT_EQ(pMGfWeibull(1e300, 2.0, 1.0), ___PlsINF);
  EXPECT_EQ(pMGfWeibull(1e300, 1e6, 1.0), ___PlsINF);
  EXPECT_EQ(pMGfWeibull(-1e300, 2.0, 1.0), 0.0);
  // A huge shape is a unit point mass: e^s.
  EXPECT_NEAR(pMGfWeibull(5.0, 1e300, 1.0) / std::exp(5.0), 1.0, 8 * kEps * (1 + 5));
  EXPECT_EQ(pMGfWeibull(___MnsINF, 2.0, 1.0), 0.0);
  EXPECT_TRUE(std::isnan(pMGfWeibull(std::nan(""), 2.0, 1.0)));
  // Far to the left M tends to k Gamma(k) |s|^-k.
  const double s = -1e6;
  EXPECT_NEAR(pMGfWeibull(s, 1.5, 1.0) / (1.5 * std::tgamma(1.5) * std::pow(-s, -1.5)), 1.0, 1e-5);
  // The unit shape stays the exponential law, and the shape rule holds.
  EXPECT_EQ(pMGfWeibull(0.5, 1.0, 1.0), 2.0);
  EXPECT_TRUE(std::isnan(pMGfWeibull(0.5, 0.999, 1.0)));
}

TEST(WeibullMgf, ContinuousAcrossTheMethods) {
  // Near s = 1 with k just above 1 the series gives way to the integral
  // as s grows; M must rise smoothly through the change.
  for (double k : {1.0005, 1.003, 1.02}) {
    double prev = pMGfWeibull(0.8, k, 1.0);
    double prev_slope = 0;
    for (double s = 0.8 + 1.0 / 256; s <= 1.0; s += 1.0 / 256) {
      const double m = pMGfWeibull(s, k, 1.0);
      ASSERT_GT(m, prev) << "k = " << k << ", s = " << s;
      const double slope = (m - prev) * 256;
      ASSERT_GE(slope, prev_slope * (1 - 1e-9)) << "M is convex: k = " << k << ", s = " << s;
      prev = m;
      prev_slope = slope;
    }
  }
}
}  // namespace
