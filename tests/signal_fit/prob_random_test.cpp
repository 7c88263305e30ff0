#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "arrays/random.h"
#include "arrays/random_testing.h"
#include "signal_fit/prob/probability.h"
#include "signal_fit/prob/random_deviates.h"

namespace {

#define PROB_CASE(f, x, a, b, c, v, tol)
#define PROB_CHF(f, t, a, b, c, re, im, tol)
#define PROB_CHI2_SF(dof, x, sf)
#define PROB_KS_CRITICAL(n, d) {n, d},
struct KsRow {
  int n;
  double d;
};
const KsRow kKs[] = {
#define PROB_PROPS(fam, a, b, c, field, v, tol)
#include "tests/signal_fit/prob_reference.inc"
#undef PROB_PROPS
};
#undef PROB_CASE
#undef PROB_CHF
#undef PROB_CHI2_SF
#undef PROB_KS_CRITICAL

double KsCritical(int n) {
  for (const KsRow& r : kKs)
    if (r.n == n) return r.d;
  return 0.0;
}

class ProbRandom : public ::testing::Test {
 protected:
  void SetUp() override { RandomTestReset(12345); }
  void TearDown() override { RandomTestReset(-1); }
};

// Largest distance between the empirical and the target cdf.
double KsStatistic(std::vector<double> v, const std::function<double(double)>& cdf) {
  std::sort(v.begin(), v.end());
  const double n = static_cast<double>(v.size());
  double d = 0.0;
  for (size_t i = 0; i < v.size(); ++i) {
    const double f = cdf(v[i]);
    d = std::max(d, std::max(f - i / n, (i + 1) / n - f));
  }
  return d;
}

struct KsCase {
  const char* name;
  int n;
  std::function<double()> draw;
  std::function<double(double)> cdf;
};

TEST_F(ProbRandom, DeviatesFollowTheirDistributions) {
  const KsCase cases[] = {
      {"Uniform", 1000000, [] { return pRgUniform(2.0, 3.0); },
       [](double x) { return pCfUniform(x, 2.0, 3.0); }},
      {"Exponential0", 1000000, [] { return pRgExponential0(); },
       [](double x) { return pCfExponential0(x); }},
      {"Exponential", 1000000, [] { return pRgExponential(2.5); },
       [](double x) { return pCfExponential(x, 2.5); }},
      {"Cauchy", 1000000, [] { return pRgCauchy(1.0, 0.5); },
       [](double x) { return pCfCauchy(x, 1.0, 0.5); }},
      {"Beta", 100000, [] { return pRgBeta(2.5, 0.7); },
       [](double x) { return pCfBeta(x, 2.5, 0.7); }},
      {"ChiSquare", 100000, [] { return pRgChiSquare(5); },
       [](double x) { return pCfChiSquare(x, 5.0); }},
      {"FisherSnedecor", 100000, [] { return pRgFisherSnedecor(3.0, 7.0); },
       [](double x) { return pCfFisherSnedecor(x, 3.0, 7.0); }},
      {"Student", 100000, [] { return pRgStudent(4.0, 1.0, 2.0); },
       [](double x) { return pCfStudent(x, 4.0, 1.0, 2.0); }},
      {"Student0", 100000, [] { return pRgStudent0(2.0); },
       [](double x) { return pCfStudent0(x, 2.0); }},
  };
  for (const KsCase& c : cases) {
    std::vector<double> v(c.n);
    for (double& x : v) x = c.draw();
    const double critical = KsCritical(c.n);
    ASSERT_GT(critical, 0.0);
    EXPECT_LT(KsStatistic(v, c.cdf), critical) << c.name;
  }
}

TEST_F(ProbRandom, SameSeedSameStream) {
  std::vector<double> a, b;
  for (int i = 0; i < 50; ++i) a.push_back(pRgStudent0(3.0) + pRgPoisson(80.0) + pRgExponential0());
  RandomTestReset(12345);
  for (int i = 0; i < 50; ++i) b.push_back(pRgStudent0(3.0) + pRgPoisson(80.0) + pRgExponential0());
  EXPECT_EQ(a, b);
}

TEST_F(ProbRandom, InvalidParameters) {
  EXPECT_EQ(pRgBernoulli(1.5), 0xFFFFFFFFu);
  EXPECT_EQ(pRgBernoulli(-0.1), 0xFFFFFFFFu);
  EXPECT_EQ(pRgPoisson(-1.0), 0xFFFFFFFFu);
  EXPECT_EQ(pRgPoisson(std::nan("")), 0xFFFFFFFFu);
  EXPECT_EQ(pRgPoisson(0.0), 0u);
  EXPECT_TRUE(std::isnan(pRgExponential(0.0)));
  EXPECT_EQ(pRgBernoulli(1.0), 1u);
  EXPECT_EQ(pRgBernoulli(0.0), 0u);
}

TEST_F(ProbRandom, BernoulliFrequency) {
  const int n = 1000000;
  int ones = 0;
  for (int i = 0; i < n; ++i) ones += pRgBernoulli(0.3);
  EXPECT_NEAR(ones / double(n), 0.3, 5 * std::sqrt(0.3 * 0.7 / n));
}

// Pearson chi-square of the count histogram against the mass function,
// for the multiplication method and the rejection method.
TEST_F(ProbRandom, PoissonCountsFollowTheMassFunction) {
  for (double lambda : {3.5, 25.0, 45.0, 400.0}) {
    const int n = 200000;
    const int top = static_cast<int>(lambda + 8 * std::sqrt(lambda) + 10);
    std::vector<double> hist(top + 1, 0.0);
    for (int i = 0; i < n; ++i) {
      const Dword k = pRgPoisson(lambda);
      hist[std::min<Dword>(k, top)] += 1.0;
    }
    double chi2 = 0.0;
    int bins = 0;
    double tail_expected = n;
    for (int k = 0; k < top; ++k) {
      const double e = n * pMfPoisson(k, lambda);
      tail_expected -= e;
      if (e < 20.0) {  // sparse bins are pooled into their neighbours' tail
        hist[top] += hist[k];
        tail_expected += e;
        continue;
      }
      chi2 += (hist[k] - e) * (hist[k] - e) / e;
      ++bins;
    }
    chi2 += (hist[top] - tail_expected) * (hist[top] - tail_expected) / tail_expected;
    EXPECT_LT(chi2, pQfChiSquare(0.999, bins)) << lambda;
  }
}

// Above about 745 the product of uniforms underflowed past e^(-lambda);
// mean and variance at large means over 1e5 draws, within 5 standard errors.
TEST_F(ProbRandom, PoissonLargeMeans) {
  for (double lambda : {1000.0, 1e6, 1e9}) {
    const int n = 100000;
    double s = 0.0, q = 0.0;
    for (int i = 0; i < n; ++i) {
      const double k = pRgPoisson(lambda);
      s += k;
      q += k * k;
    }
    const double mean = s / n;
    const double var = (q - s * s / n) / (n - 1);
    EXPECT_NEAR(mean, lambda, 5 * std::sqrt(lambda / n)) << lambda;
    // The variance of the sample variance is about 2 lambda^2/n (+ lambda/n).
    EXPECT_NEAR(var, lambda, 5 * lambda * std::sqrt(2.0 / n)) << lambda;
  }
}

}  // namespace
