// Sums, products, dot products, power sums, means, norms, distances,
// variances and inequality gaps of real arrays, against exact values.
#include "arrays/rarr_reduce.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

#include "support/accuracy.h"
#include "support/alloc_failure.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(RealSums, AddsInIndexOrder) {
  const double x[3] = {1, 1e16, -1e16};
  EXPECT_EQ(RArrSum(3, x, false), 0.0);
  EXPECT_EQ(RArrSum(3, x, true), 1.0);
  // The means sum backward.
  EXPECT_EQ(RArrMeanA(3, x), 1.0 / 3.0);
  const double y[3] = {-1, 2, -3};
  EXPECT_EQ(RArrAbsSum(3, y, true), 6.0);
  EXPECT_EQ(RArrAbsSum(3, y, false), 6.0);
  EXPECT_TRUE(std::isnan(RArrSum(0, x, false)));
  EXPECT_TRUE(std::isnan(RArrAbsSum(3, nullptr, true)));
  EXPECT_TRUE(std::isnan(RArrMeanA(0, x)));
  EXPECT_EQ(RArrAbsMeanA(3, y), 2.0);
}

TEST(RealSums, SkipSumsPowersAndProducts) {
  const double x[7] = {1, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(RArrSkipSum(7, x, 3), 1.0 + 4 + 7);
  EXPECT_EQ(RArrSkipSum(7, x, 1), 28.0);
  EXPECT_EQ(RArrSkipSum(7, x, ~Qword{0}), 1.0);
  EXPECT_TRUE(std::isnan(RArrSkipSum(7, x, 0)));
  EXPECT_TRUE(std::isnan(RArrSkipSum(0, x, 1)));

  EXPECT_EQ(RArrSumOfPowersI(4, x, 0), 4.0);
  EXPECT_TRUE(std::isnan(RArrSumOfPowersI(0, x, 0)));
  EXPECT_EQ(RArrSumOfPowersI(3, x, 1), 6.0);
  EXPECT_EQ(RArrSumOfPowersI(3, x, 2), 14.0);
  EXPECT_EQ(RArrSumOfPowersI(3, x, 3), 36.0);
  const double neg[2] = {-2, 3};
  EXPECT_EQ(RArrSumOfPowersI(2, neg, 3), 19.0);
  EXPECT_TRUE(WithinEps(RArrAbsSumOfPowers(2, neg, 3.0), 35.0, 16));
  EXPECT_TRUE(WithinEps(RArrSumOfSignedPowers(2, neg, 3.0), 19.0, 64));
  EXPECT_TRUE(WithinEps(RArrSumOfSignedPowers(2, neg, 0.5), std::sqrt(3.0) - std::sqrt(2.0), 64));
  EXPECT_TRUE(std::isnan(RArrSumOfSignedPowers(0, neg, 2.0)));
  EXPECT_EQ(RArrAbsSumOfPowersI(2, neg, 3), 35.0);
  EXPECT_EQ(RArrSumOfSignedPowersI(2, neg, 2), 5.0);
  EXPECT_EQ(RArrAbsSumOfPowersI(2, neg, 0), 2.0);
  EXPECT_TRUE(std::isnan(RArrAbsSumOfPowersI(0, neg, 2)));
  EXPECT_TRUE(std::isnan(RArrSumOfSignedPowersI(2, nullptr, 2)));
  // A saturated term is the answer at once.
  const double huge[3] = {1, 1e300, 1e300};
  EXPECT_EQ(RArrAbsSumOfPowers(3, huge, 2.0), std::numeric_limits<double>::max());

  EXPECT_EQ(RArrProduct(0, nullptr), 1.0);
  EXPECT_EQ(RArrAbsProduct(0, nullptr), 1.0);
  const double p[3] = {-2, 3, -4};
  EXPECT_EQ(RArrProduct(3, p), 24.0);
  EXPECT_EQ(RArrProduct(2, p), -6.0);
  EXPECT_EQ(RArrAbsProduct(2, p), 6.0);
}

TEST(RealSums, LogOfTheAbsoluteProduct) {
  const double a[3] = {-2, 3, -4}, z[3] = {5, 0, 2};
  Qlong sign = 7;
  EXPECT_TRUE(WithinEps(RArrAbsProductLn(3, a, &sign), std::log(24.0), 4));
  EXPECT_EQ(sign, 1);
  EXPECT_TRUE(WithinEps(RArrAbsProductLn(2, a, &sign), std::log(6.0), 4));
  EXPECT_EQ(sign, -1);
  EXPECT_EQ(RArrAbsProductLn(3, z, &sign), -kInf);
  EXPECT_EQ(sign, 0);
  sign = 7;
  EXPECT_EQ(RArrAbsProductLn(0, a, &sign), 0.0);
  EXPECT_EQ(sign, 7);
  // Far beyond the range of the product itself; recursive summation of 400
  // terms is within 400 eps.
  const std::vector<double> big(400, 1e300);
  EXPECT_TRUE(WithinEps(RArrAbsProductLn(400, big.data(), nullptr), 400 * std::log(1e300), 400));
}

TEST(RealDotProducts, PlainAbsoluteAndSorted) {
  const double a[3] = {1, -2, 3}, b[3] = {4, 5, -6};
  EXPECT_EQ(RArrDotProduct(3, a, b), 4.0 - 10 - 18);
  EXPECT_EQ(RArrAbsDotProduct(3, a, b), 32.0);
  EXPECT_EQ(RArrDotProduct(0, nullptr, nullptr), 0.0);
  EXPECT_TRUE(std::isnan(RArrDotProduct(3, a, nullptr)));
  // Sorted: (-2, 1, 3) with (-6, 4, 5).
  EXPECT_EQ(RArrSortedDotProduct(3, a, b), 12.0 + 4 + 15);
  // By magnitude: (1, -2, 3) with (4, 5, -6).
  EXPECT_EQ(RArrAbsSortedDotProduct(3, a, b), 4.0 + 10 + 18);
  EXPECT_EQ(RArrSortedDotProduct(1, a, b), 4.0);
  EXPECT_TRUE(std::isnan(RArrAbsSortedDotProduct(1, a, b)));
  EXPECT_EQ(RArrAbsSortedDotProduct(0, a, b), 0.0);
  AllocFailureGuard fail(1);
  const double failed = RArrSortedDotProduct(3, a, b);
  fail.Release();
  EXPECT_TRUE(std::isnan(failed));
}

TEST(RealDotProducts, RowVectorTimesMatrix) {
  // 2 x 3 column-major: columns (1, 2), (3, 4), (5, 6).
  const double A[6] = {1, 2, 3, 4, 5, 6}, x[2] = {10, -1};
  double y[3] = {};
  EXPECT_EQ(RArrByRMat(A, 2, 3, x, y), 0u);
  EXPECT_EQ(std::vector<double>(y, y + 3), (std::vector<double>{8, 26, 44}));
  EXPECT_EQ(RArrByRMat(A, 0, 3, x, y), 14u);
  EXPECT_EQ(RArrByRMat(A, 2, 0, x, y), 14u);
  EXPECT_EQ(RArrByRMat(nullptr, 2, 3, x, y), 14u);
  EXPECT_EQ(RArrByRMat(A, 2, 3, nullptr, y), 14u);
  EXPECT_EQ(RArrByRMat(A, 2, 3, x, nullptr), 18u);
}

TEST(RealPowerSums, ScaledAgainstClosedForms) {
  const double x[2] = {3, -4};
  EXPECT_TRUE(WithinEps(RArrAbsHoelderSum(2, x, 2.0), 5.0, 8));
  EXPECT_TRUE(WithinEps(RArrHoelderSumI(2, x, 2), 5.0, 8));
  // Odd n keeps the signs inside: |27 - 64|^(1/3).
  EXPECT_TRUE(WithinEps(RArrHoelderSumI(2, x, 3), std::cbrt(37.0), 16));
  EXPECT_TRUE(WithinEps(RArrAbsHoelderSumI(2, x, 3), std::cbrt(91.0), 16));
  EXPECT_TRUE(WithinEps(RArrSignedHoelderSumI(2, x, 3), -std::cbrt(37.0), 16));
  EXPECT_TRUE(WithinEps(RArrSignedHoelderSumI(2, x, 2), -std::sqrt(7.0), 16));  // 9 - 16 = -7
  EXPECT_TRUE(std::isnan(RArrAbsHoelderSumI(2, x, 0)));
  EXPECT_TRUE(std::isnan(RArrSignedHoelderSumI(0, x, 2)));
  // Far beyond the range of the squares.
  const double big[2] = {3e200, 4e200};
  EXPECT_TRUE(WithinEps(RArrAbsHoelderSum(2, big, 2.0), 5e200, 8));
  const double a[2] = {1, -2}, b[2] = {-2, 2};
  EXPECT_TRUE(WithinEps(RArrAbsMinkowskiSum(2, a, b, 2.0), 5.0, 8));
  EXPECT_TRUE(std::isnan(RArrAbsHoelderSum(2, x, 0.0)));
  EXPECT_TRUE(std::isnan(RArrHoelderSumI(2, x, 0)));
  EXPECT_TRUE(std::isnan(RArrAbsMinkowskiSum(0, a, b, 2.0)));
  const double zeros[2] = {0, 0}, some_zero[2] = {0, 2};
  EXPECT_EQ(RArrAbsHoelderSum(2, zeros, 2.0), 0.0);
  EXPECT_EQ(RArrAbsHoelderSum(2, some_zero, -1.0), 0.0);
}

TEST(RealMeans, HarmonicLehmerAndQuadratic) {
  const double x[3] = {1, 2, 4};
  EXPECT_TRUE(WithinEps(RArrMeanH(3, x), 12.0 / 7.0, 4));
  const double s[2] = {-1, 4};
  EXPECT_TRUE(WithinEps(RArrAbsMeanH(2, s), 1.6, 4));
  const double z[3] = {1, 0, 2};
  EXPECT_EQ(RArrMeanH(3, z), 0.0);
  EXPECT_EQ(RArrMeanH2(3, z), 0.0);
  const double h2[2] = {1, 1};
  EXPECT_EQ(RArrMeanH2(2, h2), 1.0);
  EXPECT_TRUE(std::isnan(RArrMeanH(0, x)));

  const double r[2] = {3, 4};
  EXPECT_EQ(RArrMeanRms(2, r), 12.5);
  EXPECT_EQ(RArrRMS(2, r), std::sqrt(12.5));
  // Lehmer: sum x^2 / sum x = 21 / 7.
  EXPECT_EQ(RArrMeanLehmerI(3, x, 2), 3.0);
  EXPECT_TRUE(WithinEps(RArrMeanLehmer(3, x, 2.0), 3.0, 16));
  EXPECT_EQ(RArrMeanLehmerI(3, x, 1), 7.0 / 3.0);
  EXPECT_EQ(RArrMeanLehmer(3, x, 0.0), RArrMeanH(3, x));
  const double zero2[2] = {0, 0};
  EXPECT_TRUE(std::isnan(RArrMeanLehmerI(2, zero2, 2)));
}

TEST(RealMeans, GeometricAndPowerMeans) {
  const double four_neg[4] = {-1, -4, -2, -8}, odd_neg[3] = {-1, 4, 2}, zero[3] = {0, 5, 7};
  EXPECT_TRUE(WithinEps(RArrMeanG(4, four_neg), 2 * std::sqrt(2.0), 8));
  EXPECT_TRUE(std::isnan(RArrMeanG(3, odd_neg)));
  EXPECT_EQ(RArrMeanG(3, zero), 0.0);
  EXPECT_EQ(RArrAbsMeanG(3, zero), 0.0);
  EXPECT_TRUE(WithinEps(RArrAbsMeanG(3, odd_neg), 2.0, 8));
  const double pair[2] = {-4, 9}, neg_pair[2] = {-4, -9}, one[1] = {-3};
  EXPECT_EQ(RArrAbsMeanG(2, pair), 6.0);
  EXPECT_EQ(RArrMeanG(2, neg_pair), 6.0);
  EXPECT_TRUE(std::isnan(RArrMeanG(2, pair)));
  EXPECT_EQ(RArrMeanG(1, one), -3.0);
  EXPECT_EQ(RArrAbsMeanG(1, one), 3.0);
  EXPECT_TRUE(std::isnan(RArrMeanG(0, one)));

  const double r[2] = {3, 4}, q[3] = {1, 2, 3};
  EXPECT_TRUE(WithinEps(RArrMeanHoelder(2, r, 2.0), std::sqrt(12.5), 16));
  EXPECT_TRUE(WithinEps(RArrMeanHoelder(2, r, 2.0), RArrRMS(2, r), 16));
  EXPECT_TRUE(WithinEps(RArrMeanHoelderI(3, q, 1), 2.0, 16));
  EXPECT_TRUE(WithinEps(RArrMeanHoelderI(2, r, -1), RArrMeanH(2, r), 16));
  EXPECT_EQ(RArrMeanHoelder(2, r, 0.0), RArrMeanG(2, r));
  EXPECT_TRUE(std::isnan(RArrMeanHoelder(0, r, 2.0)));

  // AGM of the arithmetic and geometric means; references from mpmath.agm.
  const double g[3] = {1, 2, 4};  // A = 7/3, G = 2
  EXPECT_TRUE(WithinEps(RArrMeanAGM(3, g), 2.16345559245489333169, 8));
  const double h[2] = {1, 4};  // A = 2.5, G = 2
  EXPECT_TRUE(WithinEps(RArrMeanAGM(2, h), 2.24302858028760257013, 8));
  const double same[3] = {1.75, 1.75, 1.75};
  EXPECT_TRUE(WithinEps(RArrMeanAGM(3, same), 1.75, 4));
  EXPECT_EQ(RArrMeanAGM(0, g), 0.0);
  EXPECT_TRUE(std::isnan(RArrMeanAGM(3, odd_neg)));
}

TEST(RealNorms, MaximaAndScaledEuclidean) {
  const double x[2] = {3, -4};
  EXPECT_EQ(RArrNormL1(2, x), 4.0);
  EXPECT_EQ(RArrNormL2(2, x), 5.0);
  const double z[2] = {0, 0};
  EXPECT_EQ(RArrNormL2(2, z), 0.0);
  const double big[2] = {1e200, 1e200}, tiny[2] = {1e-200, 1e-200};
  EXPECT_TRUE(WithinEps(RArrNormL2(2, big), 1e200 * std::sqrt(2.0), 2));
  EXPECT_TRUE(WithinEps(RArrNormL2(2, tiny), 1e-200 * std::sqrt(2.0), 2));
  const double with_nan[3] = {3, kNaN, -4};
  EXPECT_EQ(RArrNormL2(3, with_nan), 5.0);  // NaN elements are skipped
  const double infs[2] = {kInf, -kInf};
  EXPECT_EQ(RArrNormL2(2, infs), kInf);
  EXPECT_TRUE(std::isnan(RArrNormL2(0, x)));

  // Random vectors against the sum of squares in double-double arithmetic
  // (exact products by fma, exact sums by two-sum), after an exact scaling
  // by 2^-500 that keeps the squares in range.
  std::mt19937_64 rng(23);
  std::uniform_real_distribution<double> u(-1, 1);
  double worst = 0;
  for (int t = 0; t < 200; ++t) {
    std::vector<double> v(1 + rng() % 300);
    double hi = 0, lo = 0;
    for (auto& e : v) {
      e = u(rng) * 1e150;
      const double s = std::ldexp(e, -500);
      const double p = s * s, perr = std::fma(s, s, -p);
      const double sum = hi + p, bb = sum - hi, serr = (hi - (sum - bb)) + (p - bb);
      hi = sum;
      lo += serr + perr;
    }
    const double root = std::sqrt(hi);
    const double want = std::ldexp(root + lo / (2 * root), 500);
    worst = std::max(worst, std::fabs(RArrNormL2(v.size(), v.data()) - want) / want / kEps);
  }
  EXPECT_LT(worst, 16.0) << "worst relative error in eps";
  std::printf("RArrNormL2 worst relative error: %.2f eps\n", worst);

  const double a[3] = {1, 5, -2}, b[3] = {4, 1, -2};
  EXPECT_EQ(RArrMetricL1(3, a, b), 4.0);
  EXPECT_EQ(RArrMetricL2(3, a, b), 5.0);
  EXPECT_TRUE(std::isnan(RArrMetricL1(3, a, nullptr)));
}

TEST(RealNorms, CumulativeProfileDistances) {
  const double a[2] = {1, 3}, b[2] = {3, 1};
  // Profiles (0.25, 1) and (0.75, 1): sqrt(0.25 / 2).
  EXPECT_EQ(RArrMetricStans(2, a, b), std::sqrt(0.125));
  EXPECT_EQ(RArrMetricStans(2, a, a), 0.0);
  EXPECT_EQ(RArrMetricStans(2, nullptr, b), 14.0);
  EXPECT_TRUE(std::isnan(RArrMetricStans(0, a, b)));
  // A window over everything weighs every index 1: the same distance.
  EXPECT_EQ(RArrMetricStansLoc(2, a, b, 5, -3, 0), std::sqrt(0.125));
  EXPECT_EQ(RArrMetricStansLoc(2, a, nullptr, 0, 1, 1), 14.0);
  // Window [0, 0] with width 1: index 1 weighs exp(-1).
  const double e = std::exp(-1.0);
  const double ca = 0.25 + e * 0.75, cb = 0.75 + e * 0.25;
  const double want = std::sqrt((0.25 + (ca - cb) * (ca - cb)) / (1 + e));
  EXPECT_TRUE(WithinEps(RArrMetricStansLoc(2, a, b, 0, 0, 1), want, 8));
}

TEST(RealSpreads, VariancesAndVariations) {
  const double x[4] = {2, 4, 4, 6};
  double m = 0;
  EXPECT_EQ(RArrVariance(4, x, &m), 2.0);
  EXPECT_EQ(m, 4.0);
  EXPECT_EQ(RArrStd(4, x, nullptr), std::sqrt(2.0));
  const double one[1] = {7};
  EXPECT_EQ(RArrVariance(1, one, nullptr), 0.0);
  EXPECT_TRUE(std::isnan(RArrStd(1, one, nullptr)));
  EXPECT_TRUE(std::isnan(RArrVariance(0, x, &m)));
  const double s[2] = {-1, 3};
  EXPECT_EQ(RArrAbsVariance(2, s, &m), 1.0);
  EXPECT_EQ(m, 2.0);

  const double v[5] = {1, 4, 2, 2, 5};
  EXPECT_EQ(RArrVariation(5, v), 8.0);
  EXPECT_EQ(RArrVariationPls(5, v), 6.0);
  EXPECT_EQ(RArrVariationMns(5, v), 2.0);
  EXPECT_EQ(RArrVariation(0, nullptr), 0.0);
  EXPECT_EQ(RArrVariationMns(1, v), 0.0);
}

TEST(RealInequalities, GapsOfTheClassicalInequalities) {
  const double a[3] = {1, -2, 3}, b[3] = {4, 5, -6};
  // Cauchy n = 2: 14 * 77 - 24^2.
  EXPECT_EQ(RArrIneqCauchy(3, a, b, 2), 14.0 * 77 - 576);
  EXPECT_EQ(RArrIneqAbsCauchy(3, a, b, 2), 14.0 * 77 - 32 * 32);
  EXPECT_EQ(RArrIneqAbsSortedCauchy(3, a, b, 2), 14.0 * 77 - 32 * 32);
  // Chebyshev: 3 * 31 - 2 * 3.
  EXPECT_EQ(RArrIneqChebyshev(3, a, b), 93.0 - 6);
  EXPECT_EQ(RArrIneqAbsChebyshev(3, a, b), 3.0 * 32 - 6 * 15);
  EXPECT_NEAR(RArrIneqAbsHoelder(3, a, b, 2.0), std::sqrt(14.0 * 77) - 32, 1e-13);
  EXPECT_TRUE(std::isnan(RArrIneqAbsHoelder(3, a, b, 1.0)));
  EXPECT_TRUE(std::isnan(RArrIneqAbsSortedHoelder(3, a, b, 0.5)));
  EXPECT_NEAR(RArrIneqAbsMinkowski(3, a, b, 2.0),
              std::sqrt(14.0) + std::sqrt(77.0) - std::sqrt(25.0 + 49 + 81), 1e-13);
  EXPECT_TRUE(std::isnan(RArrIneqAbsMinkowski(3, a, b, 0.0)));
  EXPECT_EQ(RArrIneqTriangle(3, a), 6.0 - 2);
  EXPECT_EQ(RArrIneqRatioTriangle(3, a), 2.0 / 6.0);
  const double cancel[2] = {1, -1};
  EXPECT_EQ(RArrIneqRatioTriangle(2, cancel), 0.0);
  EXPECT_TRUE(std::isnan(RArrIneqRatioTriangle(0, a)));
  EXPECT_EQ(RArrAbsNecklaceExcess(3, a), 0.0);
  const double n[3] = {-7, 1, 2};
  EXPECT_EQ(RArrAbsNecklaceExcess(3, n), 4.0);
  EXPECT_TRUE(std::isnan(RArrIneqCauchy(0, a, b, 2)));
  EXPECT_TRUE(std::isnan(RArrIneqTriangle(3, nullptr)));

  // Cauchy with n = 2 is never negative on random data.
  std::mt19937_64 rng(29);
  std::uniform_real_distribution<double> u(-10, 10);
  for (int t = 0; t < 100; ++t) {
    std::vector<double> p(2 + rng() % 50), q(p.size());
    for (size_t i = 0; i < p.size(); ++i) {
      p[i] = u(rng);
      q[i] = u(rng);
    }
    const double scale =
        RArrSumOfPowersI(p.size(), p.data(), 2) * RArrSumOfPowersI(q.size(), q.data(), 2);
    EXPECT_GE(RArrIneqCauchy(p.size(), p.data(), q.data(), 2), -64 * kEps * scale);
    EXPECT_GE(RArrIneqChebyshev(p.size(), p.data(), q.data()), -1e-9);
  }
}

}  // namespace
