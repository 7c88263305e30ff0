#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error_codes.h"
#include "signal_fit/prob/events.h"
#include "signal_fit/prob/probability.h"
#include "signal_fit/prob/statistics.h"

namespace {

struct SfRow {
  Qword dof;
  double chi2, sf;
};
#define PROB_CASE(f, x, a, b, c, v, tol)
#define PROB_CHF(f, t, a, b, c, re, im, tol)
#define PROB_KS_CRITICAL(n, d)
#define PROB_CHI2_SF(dof, x, sf) {dof, x, sf},
const SfRow kSfRows[] = {
#define PROB_PROPS(fam, a, b, c, field, v, tol)
#include "tests/signal_fit/prob_reference.inc"
#undef PROB_PROPS
};
#undef PROB_CASE
#undef PROB_CHF
#undef PROB_KS_CRITICAL
#undef PROB_CHI2_SF

TEST(ProbEvents, SimpleCombinations) {
  const double half[] = {0.5, 0.5, 0.5};
  EXPECT_DOUBLE_EQ(pAtLeastOneOfEvents(2, half), 0.75);
  EXPECT_EQ(pAllOfEvents(0, nullptr), 1.0);
  EXPECT_EQ(pNoneOfEvents(0, nullptr), 1.0);
  EXPECT_DOUBLE_EQ(pAllOfEvents(3, half), 0.125);
  EXPECT_DOUBLE_EQ(pNoneOfEvents(3, half), 0.125);
  EXPECT_DOUBLE_EQ(pExactlyKofEvents(1, 3, half), 0.375);
  EXPECT_EQ(pExactlyKofEvents(4, 3, half), 0.0);
  EXPECT_DOUBLE_EQ(pAtLeastOneOfTwoEvents(0.2, 0.5), 0.6);
  EXPECT_DOUBLE_EQ(pNeitherOfTwoEvents(0.2, 0.5), 0.4);
  EXPECT_DOUBLE_EQ(pExactlyOneOfTwoEvents(0.2, 0.5), 0.5);
  EXPECT_DOUBLE_EQ(pConditionalProbability(0.2, 0.5), 0.2);
  EXPECT_DOUBLE_EQ(pSymBilinearForm(0.2, 0.5), 0.5);
}

// Against enumeration of all 2^n outcomes in long double.
TEST(ProbEvents, ExactlyKMatchesEnumeration) {
  const double p[] = {0.1, 0.93, 0.5, 0.27, 0.66, 0.05, 0.8, 0.41, 0.999, 0.33, 0.72, 0.18};
  const int n = 12;
  std::vector<long double> dist(n + 1, 0.0L);
  for (int mask = 0; mask < (1 << n); ++mask) {
    long double q = 1.0L;
    int count = 0;
    for (int i = 0; i < n; ++i) {
      if (mask & (1 << i)) {
        q *= p[i];
        ++count;
      } else {
        q *= 1.0L - p[i];
      }
    }
    dist[count] += q;
  }
  for (int k = 0; k <= n; ++k) {
    const double expected = static_cast<double>(dist[k]);
    EXPECT_NEAR(pExactlyKofEvents(k, n, p), expected, 1e-15 * expected + 1e-300) << k;
  }
}

// Many equal events: the binomial mass, by products in long double. The
// recursion over halves took exponential time here.
TEST(ProbEvents, ExactlyKOfManyEventsIsBinomial) {
  const Qword n = 400;
  const double pv = 0.3;
  std::vector<double> p(n, pv);
  for (Qword k : {Qword{1}, Qword{120}, Qword{200}}) {
    long double b = 1.0L;  // C(n, k) p^k (1 - p)^(n - k), term by term
    for (Qword i = 0; i < k; ++i) b = b * (n - i) / (i + 1) * pv;
    for (Qword i = 0; i < n - k; ++i) b *= 1.0L - pv;
    const double expected = static_cast<double>(b);
    EXPECT_NEAR(pExactlyKofEvents(k, n, p.data()), expected, 1e-13 * expected) << k;
  }
}

TEST(ProbStatistics, CovarianceAndVariance) {
  // x = 0..4, y = x^2: population covariance 20 - 2*6 = 8; the same with a
  // large offset, which a one-pass formula would lose.
  double x[5], y[5], xs[5];
  for (int i = 0; i < 5; ++i) {
    x[i] = i;
    y[i] = i * i;
    xs[i] = 1e9 + i;
  }
  EXPECT_DOUBLE_EQ(pRArrCovariance(5, x, y), 8.0);
  EXPECT_DOUBLE_EQ(pRArrCovariance(5, xs, y), 8.0);
  EXPECT_TRUE(std::isnan(pRArrCovariance(0, x, y)));
  EXPECT_TRUE(std::isnan(pRArrCovariance(5, nullptr, y)));

  double mean = 0.0;
  EXPECT_DOUBLE_EQ(pRArrVarianceCorr(5, xs, -1.0, &mean), 2.5);  // sample variance
  EXPECT_DOUBLE_EQ(mean, 1e9 + 2.0);
  EXPECT_DOUBLE_EQ(pRArrVarianceCorr(5, x, 0.0, nullptr), 2.0);
  EXPECT_TRUE(std::isnan(pRArrVarianceCorr(1, x, -1.0, nullptr)));
  EXPECT_TRUE(std::isnan(pRArrVarianceCorr(5, nullptr, 0.0, nullptr)));
  EXPECT_DOUBLE_EQ(pRArrStdCorr(5, x, -1.0, nullptr), std::sqrt(2.5));
  EXPECT_TRUE(std::isnan(pRArrStdCorr(1, x, -1.0, nullptr)));
}

TEST(ProbStatistics, StdThreshold) {
  // Ten values of +-1 and one outlier of 100: the first estimate is about
  // 30, so clipping at 0.5 s drops only the outlier and leaves the spread of
  // the +-1 values; further passes keep it.
  std::vector<double> v;
  for (int i = 0; i < 10; ++i) v.push_back(i % 2 ? 1.0 : -1.0);
  v.push_back(100.0);
  const double s0 = pRArrStdCorr(v.size(), v.data(), -1.0, nullptr);
  EXPECT_DOUBLE_EQ(pRArrStdThreshold(v.size(), v.data(), 3.0, 0), s0);
  const double inner = std::sqrt(10.0 / 9.0);  // ten +-1 values, mean 0
  EXPECT_DOUBLE_EQ(pRArrStdThreshold(v.size(), v.data(), 0.5, 1), inner);
  EXPECT_DOUBLE_EQ(pRArrStdThreshold(v.size(), v.data(), 0.5, 3), inner);

  // All zero: s = 0 is the answer, not NaN.
  const double zeros[6] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(pRArrStdThreshold(6, zeros, 3.0, 4), 0.0);
  // A threshold that keeps fewer than two values keeps the previous s.
  const double spread[4] = {-3.0, 1.0, 2.0, 4.0};
  const double s1 = pRArrStdCorr(4, spread, -1.0, nullptr);
  EXPECT_DOUBLE_EQ(pRArrStdThreshold(4, spread, 0.01, 2), s1);
  EXPECT_TRUE(std::isnan(pRArrStdThreshold(1, spread, 3.0, 2)));
}

TEST(ProbTests, ChiSquareAgainstScipy) {
  for (const SfRow& r : kSfRows) {
    // One residual of sqrt(chi2 * variance) gives the wanted statistic.
    const double variance = 2.0;
    const double observed[3] = {1.0, 2.0 + std::sqrt(r.chi2 * variance), 3.0};
    const double expected[3] = {1.0, 2.0, 3.0};
    double p = -1.0, reduced = -1.0;
    ASSERT_EQ(pTestChiSquare(r.dof, 3, observed, expected, variance, &p, &reduced), kErrNone);
    EXPECT_NEAR(p, r.sf, 1e-12 * r.sf) << r.dof << " " << r.chi2;
    EXPECT_NEAR(reduced, r.chi2 / r.dof, 1e-13 * r.chi2);
  }
  const double o[2] = {1.0, 2.0};
  double p = -1.0;
  ASSERT_EQ(pTestChiSquare(4, 2, o, o, 1.0, &p, nullptr), kErrNone);
  EXPECT_EQ(p, 1.0 - pCfChiSquare(0.0, 4.0));
  EXPECT_EQ(pTestChiSquare(0, 2, o, o, 1.0, &p, nullptr), kErrIllegalParameters);
  EXPECT_EQ(pTestChiSquare(4, 0, o, o, 1.0, &p, nullptr), kErrIllegalParameters);
  EXPECT_EQ(pTestChiSquare(4, 2, nullptr, o, 1.0, &p, nullptr), kErrMissingInputData);
  EXPECT_EQ(pTestChiSquare(4, 2, o, o, 0.0, &p, nullptr), kErrMissingInputData);
  EXPECT_EQ(pTestChiSquare(4, 2, o, o, 1.0, nullptr, nullptr), kErrMissingOutputBuffer);
}

TEST(ProbTests, AnovaBound) {
  const double a[2] = {2.0, 0.5};
  const double m[4] = {4.0, 99.0, 99.0, 9.0};  // column-major; only the diagonal is read
  double out[2];
  ASSERT_EQ(pAnovaTest(5, 0.95, a, 1.5, m, 2, out), kErrNone);
  // The rational approximation gives the 95 % normal quantile to 4.5e-4.
  const double t = std::sqrt(-2.0 * std::log(0.05));
  const double z = t - (2.515517 + 0.802853 * t + 0.010328 * t * t) /
                           (1 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
  EXPECT_NEAR(z, 1.6448536269514722, 4.5e-4);
  const double g = std::exp(2 * z * std::sqrt(4 + (z * z - 3) / 6) / 4);
  EXPECT_NEAR(out[0], std::sqrt((g - 1) * 2.0 * 1.5 * 4.0), 1e-14);
  EXPECT_NEAR(out[1], std::sqrt((g - 1) * 0.5 * 1.5 * 9.0), 1e-14);
  // alpha = 0: z is negative, g is held at 1, no spread.
  ASSERT_EQ(pAnovaTest(5, 0.0, a, 1.5, m, 2, out), kErrNone);
  EXPECT_EQ(out[0], 0.0);
  EXPECT_EQ(pAnovaTest(1, 0.95, a, 1.5, m, 2, out), kErrIllegalParameters);
  EXPECT_EQ(pAnovaTest(5, 1.5, a, 1.5, m, 2, out), kErrIllegalParameters);
  EXPECT_EQ(pAnovaTest(5, 0.95, a, -1.0, m, 2, out), kErrIllegalParameters);
  EXPECT_EQ(pAnovaTest(5, 0.95, a, 1.5, nullptr, 2, out), kErrIllegalParameters);
  EXPECT_EQ(pAnovaTest(5, 0.95, a, 1.5, m, 0, out), kErrIllegalParameters);
  EXPECT_EQ(pAnovaTest(5, 0.95, a, 1.5, m, 2, nullptr), kErrMissingOutputBuffer);
}

TEST(ProbCombination, NormalCombination) {
  const double x[3] = {1.0, 1.2, 0.9};
  const double s[3] = {0.1, 0.2, 0.1};
  double mean, sd, mlp;
  ASSERT_EQ(pNormalBayCombi(3, x, s, &mean, &sd, &mlp, 1.0), kErrNone);
  // Inverse-variance weights 100, 25, 100.
  EXPECT_NEAR(mean, (100 * 1.0 + 25 * 1.2 + 100 * 0.9) / 225.0, 1e-15);
  EXPECT_NEAR(sd, std::sqrt(1.0 / 225.0), 1e-15);
  double direct = 0;
  for (int i = 0; i < 3; ++i) {
    const double z = (mean - x[i]) / s[i];
    direct += z * z / 2 + std::log(std::sqrt(2 * M_PI) * s[i]);
  }
  EXPECT_NEAR(pDfNormalCombiMlp(mean, 3, x, s), direct, 1e-14);
  EXPECT_NEAR(mlp, direct / 3 - std::log(std::sqrt(2 * M_PI) * sd) - 0.5 * std::log(3.0), 1e-14);
  EXPECT_EQ(pNormalBayCombi(0, x, s, &mean, &sd, &mlp, 1.0), kErrIllegalParameters);
}

TEST(ProbCombination, CorrectedScale) {
  const double x[3] = {1.0, 2.0, 0.5};  // inconsistent with sigma 0.1
  const double s[3] = {0.1, 0.1, 0.1};
  double mean, sd, sd_out, mlp, mlp_out, scale;
  const double threshold = 0.0;
  ASSERT_EQ(pNormalBayCombiCor(3, x, s, &mean, &sd, &sd_out, &mlp, &mlp_out, &scale, threshold),
            kErrNone);
  ASSERT_GT(mlp, threshold);
  EXPECT_LT(mlp_out, threshold);
  EXPECT_GT(scale, 1.0);
  // Within about 1 %: a scale 2 % smaller is not yet consistent.
  double m2, sd2, mlp2;
  pNormalBayCombi(3, x, s, &m2, &sd2, &mlp2, scale / 1.02);
  EXPECT_GE(mlp2, threshold);
  EXPECT_NEAR(sd_out, sd * scale, 1e-12 * sd * scale);

  // Already consistent: scale 1, outputs equal the plain combination.
  ASSERT_EQ(pNormalBayCombiCor(3, x, s, &mean, &sd, &sd_out, &mlp, &mlp_out, &scale, 1e300),
            kErrNone);
  EXPECT_EQ(scale, 1.0);
  EXPECT_EQ(sd_out, sd);

  // Thresholds that can never be met end with an error instead of a hang.
  for (double bad : {std::nan(""), -HUGE_VAL}) {
    EXPECT_NE(pNormalBayCombiCor(3, x, s, &mean, &sd, &sd_out, &mlp, &mlp_out, &scale, bad),
              kErrNone);
  }
}

}  // namespace
