// Running sums and integrals, quadrature rules against exact integrals of
// low-degree polynomials, and Gauss-Legendre points against an mpmath table
// (tools/gauss_legendre_reference.py).
#include "arrays/rarr_integrate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "support/accuracy.h"

namespace {

TEST(RunningOps, SumsProductsAndTrapezoid) {
  const double y[3] = {1, 2, 3};
  double d[3];
  EXPECT_EQ(RArrRunningSum(3, y, d), 0u);
  EXPECT_EQ(std::vector<double>(d, d + 3), (std::vector<double>{1, 3, 6}));
  EXPECT_EQ(RArrRunningProduct(3, y, d), 0u);
  EXPECT_EQ(std::vector<double>(d, d + 3), (std::vector<double>{1, 2, 6}));
  EXPECT_EQ(RArrRunningTrapez2(3, y, d), 0u);
  EXPECT_EQ(std::vector<double>(d, d + 3), (std::vector<double>{0.5, 2.5, 4}));
  // In place.
  double in[3] = {1, 2, 3};
  EXPECT_EQ(RArrRunningTrapez2(3, in, in), 0u);
  EXPECT_EQ(std::vector<double>(in, in + 3), (std::vector<double>{0.5, 2.5, 4}));
  double one[1] = {5};
  EXPECT_EQ(RArrRunningTrapez2(1, one, one), 0u);
  EXPECT_EQ(one[0], 0.0);

  for (auto op : {RArrRunningSum, RArrRunningProduct, RArrRunningTrapez2}) {
    EXPECT_EQ(op(3, nullptr, nullptr), 14u);
    EXPECT_EQ(op(3, y, nullptr), 18u);
    EXPECT_EQ(op(0, nullptr, d), 14u);
    EXPECT_EQ(op(0, y, d), 0u);
  }
}

TEST(RunningOps, FourPointRule) {
  const double ones[4] = {1, 1, 1, 1};
  double d[4];
  EXPECT_EQ(RArrRunningModTrapez(4, ones, d, 1, 1), 0u);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(d[i], i, 4 * kEps * i) << i;
  EXPECT_EQ(RArrRunningModTrapez(4, nullptr, d, 1, 1), 14u);
  EXPECT_EQ(RArrRunningModTrapez(4, ones, nullptr, 1, 1), 18u);
  EXPECT_EQ(RArrRunningModTrapez(0, ones, d, 1, 1), 0u);
  double single[1] = {7};
  EXPECT_EQ(RArrRunningModTrapez(1, single, single, 0, 0), 0u);
  EXPECT_EQ(single[0], 0.0);
  // Two points: 13/24 (y0 + y1) - 1/24 (before + after), exact for a line.
  const double two[2] = {0, 1};
  EXPECT_EQ(RArrRunningModTrapez(2, two, d, -1, 2), 0u);
  EXPECT_NEAR(d[1], 0.5, 4 * kEps);

  // A straight line y = i with before -1 and after n: dst[i] = i^2 / 2, also
  // in place.
  for (Qword n : {3, 4, 9, 50}) {
    std::vector<double> y(n), out(n);
    for (Qword i = 0; i < n; ++i) y[i] = static_cast<double>(i);
    ASSERT_EQ(RArrRunningModTrapez(n, y.data(), out.data(), -1, static_cast<double>(n)), 0u);
    ASSERT_EQ(RArrRunningModTrapez(n, y.data(), y.data(), -1, static_cast<double>(n)), 0u);
    for (Qword i = 0; i < n; ++i) {
      const double want = 0.5 * static_cast<double>(i * i);
      EXPECT_NEAR(out[i], want, 8 * kEps * (want + 1)) << n << " " << i;
      EXPECT_EQ(y[i], out[i]);
    }
  }
}

// Samples of p at 0 .. n-1 and the exact integral of p over [0, n-1].
struct Poly {
  std::vector<double> c;  // coefficients, c[k] of t^k
  double At(double t) const {
    double v = 0;
    for (size_t k = c.size(); k-- > 0;) v = v * t + c[k];
    return v;
  }
  double Integral(double t) const {
    double v = 0;
    for (size_t k = 0; k < c.size(); ++k) v += c[k] * std::pow(t, k + 1) / (k + 1);
    return v;
  }
};

std::vector<double> Samples(const Poly& p, Qword n) {
  std::vector<double> y(n);
  for (Qword i = 0; i < n; ++i) y[i] = p.At(static_cast<double>(i));
  return y;
}

TEST(Quadrature, SmallCasesByHand) {
  const double y3[3] = {1, 2, 3};
  EXPECT_EQ(RArrTrapez2Ex(3, y3), 4.0);
  EXPECT_EQ(RArrTrapez2Ex(1, y3), 0.0);
  EXPECT_TRUE(std::isnan(RArrTrapez2Ex(0, y3)));
  EXPECT_TRUE(std::isnan(RArrTrapez2Ex(3, nullptr)));
  EXPECT_EQ(RArrTrapez2(y3), 1.5);
  EXPECT_EQ(RArrSimpson3(y3), 4.0);
  const double sq5[5] = {0, 1, 4, 9, 16}, sq4[4] = {0, 1, 4, 9}, cube[4] = {0, 1, 8, 27};
  EXPECT_EQ(RArrSimpson3Ex(5, sq5), 64.0 / 3.0);
  EXPECT_EQ(RArrSimpson3Ex(4, sq4), 8.0 / 3.0 + 6.5);
  EXPECT_EQ(RArrSimpson38Ex(4, cube), 20.25);
  EXPECT_EQ(RArrSimpson38(cube), 20.25);
  EXPECT_TRUE(std::isnan(RArrSimpson38(nullptr)));
  // Short arrays: no width, then the trapezoid, then the Simpson panel.
  EXPECT_EQ(RArrSimpson3Ex(1, y3), 0.0);
  EXPECT_EQ(RArrSimpson3Ex(2, y3), 1.5);
  EXPECT_EQ(RArrSimpson38Ex(1, y3), 0.0);
  EXPECT_EQ(RArrSimpson38Ex(2, y3), 1.5);
  EXPECT_EQ(RArrSimpson38Ex(3, y3), 4.0);
  EXPECT_TRUE(std::isnan(RArrSimpson3Ex(0, y3)));
  EXPECT_TRUE(std::isnan(RArrSimpson38Ex(5, nullptr)));
}

TEST(Quadrature, ExactOnLowDegreePolynomials) {
  const Poly line{{2.5, -0.75}};
  const Poly cubic{{1.25, -2.0, 0.375, 0.0625}};
  for (Qword n = 2; n <= 40; ++n) {
    const double span = static_cast<double>(n - 1);
    const std::vector<double> yl = Samples(line, n), yc = Samples(cubic, n);
    const double tl = line.Integral(span), tc = cubic.Integral(span);
    const double tol_l = 64 * kEps * (std::fabs(tl) + span * 30);
    const double tol_c = 64 * kEps * (std::fabs(tc) + span * span * span * span);
    EXPECT_NEAR(RArrTrapez2Ex(n, yl.data()), tl, tol_l) << n;
    EXPECT_NEAR(RArrSimpson3Ex(n, yl.data()), tl, tol_l) << n;
    EXPECT_NEAR(RArrSimpson38Ex(n, yl.data()), tl, tol_l) << n;
    // Simpson 1/3 with an odd count and 3/8 with count 1 mod 3 integrate
    // cubics exactly.
    if (n % 2 == 1) {
      EXPECT_NEAR(RArrSimpson3Ex(n, yc.data()), tc, tol_c) << n;
    }
    if (n % 3 == 1) {
      EXPECT_NEAR(RArrSimpson38Ex(n, yc.data()), tc, tol_c) << n;
    }
    // A remainder of two intervals closes with a Simpson panel: still exact
    // for quadratics.
    if (n % 3 == 0) {
      const Poly quad{{0.5, 1.0, -0.25}};
      const std::vector<double> yq = Samples(quad, n);
      EXPECT_NEAR(RArrSimpson38Ex(n, yq.data()), quad.Integral(span),
                  64 * kEps * (1 + span * span * span))
          << n;
    }
  }
}

TEST(Quadrature, MthCurvature) {
  double sq[5] = {0, 1, 4, 9, 16};
  EXPECT_EQ(RArrMthCurvature(5, sq, 2), 1.0);
  double cube[6] = {0, 1, 8, 27, 64, 125};
  EXPECT_EQ(RArrMthCurvature(6, cube, 3), 1.0);  // third differences 6, / 3!
  double m0[4] = {1, 2, 3, 6};
  EXPECT_EQ(RArrMthCurvature(4, m0, 0), 3.0);
  double two[2] = {1, 2};
  EXPECT_TRUE(std::isnan(RArrMthCurvature(2, two, 2)));
  double three[3] = {1, 2, 3};
  EXPECT_EQ(RArrMthCurvature(3, three, 4), 0.0);
  EXPECT_EQ(RArrMthCurvature(3, nullptr, 1), 14.0);
  // A huge order with a short array ends at once.
  EXPECT_EQ(RArrMthCurvature(3, three, 4000000000u), 0.0);
}

struct GlRow {
  int n;
  double node, weight;
};
const GlRow kGl[] = {
#include "gauss_legendre_reference.inc"
};

// Weight tolerance: 16 eps times the conditioning 1 + 1/(1 - |x|) of the
// weight on its node.
double WeightTol(double node, double weight) {
  return 16 * kEps * weight * (1 + 1 / (1 - std::fabs(node)));
}

TEST(GaussLegendre, SmallClosedForms) {
  double x[3], w[3];
  RArrGaussLegendrePoints(-1, 1, 2, x, w);
  EXPECT_NEAR(x[0], -1 / std::sqrt(3.0), 2 * kEps);
  EXPECT_NEAR(x[1], 1 / std::sqrt(3.0), 2 * kEps);
  EXPECT_NEAR(w[0], 1.0, WeightTol(x[0], 1));
  EXPECT_NEAR(w[1], 1.0, WeightTol(x[1], 1));
  RArrGaussLegendrePoints(-1, 1, 3, x, w);
  EXPECT_NEAR(x[0], -std::sqrt(0.6), 2 * kEps);
  EXPECT_EQ(x[1], 0.0);
  EXPECT_NEAR(x[2], std::sqrt(0.6), 2 * kEps);
  EXPECT_NEAR(w[0], 5.0 / 9, WeightTol(x[0], 5.0 / 9));
  EXPECT_NEAR(w[1], 8.0 / 9, WeightTol(x[1], 8.0 / 9));
  EXPECT_NEAR(w[2], 5.0 / 9, WeightTol(x[2], 5.0 / 9));
  double y[3], v[3];
  RArrGaussLegendrePoints(0, 2, 3, y, v);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(y[i], x[i] + 1, 4 * kEps);
    EXPECT_EQ(v[i], w[i]);
  }
  RArrGaussLegendrePoints(-1, 1, 1, x, w);
  EXPECT_EQ(x[0], 0.0);
  EXPECT_EQ(w[0], 2.0);
  // Nothing written for null outputs or n 0.
  RArrGaussLegendrePoints(-1, 1, 3, nullptr, w);
  RArrGaussLegendrePoints(-1, 1, 0, x, w);
  EXPECT_EQ(x[0], 0.0);
}

TEST(GaussLegendre, AgainstTheMpmathTableUpTo200) {
  double worst_node = 0, worst_weight = 0;
  int worst_weight_n = 0;
  size_t row = 0;
  std::vector<double> x, w;
  for (int n = 1; n <= 200; ++n) {
    x.assign(n, 0);
    w.assign(n, 0);
    RArrGaussLegendrePoints(-1, 1, n, x.data(), w.data());
    const int half = n / 2;  // nodes below 0 mirror those above
    for (int k = 0; k < (n + 1) / 2; ++k, ++row) {
      ASSERT_LT(row, sizeof(kGl) / sizeof(kGl[0]));
      ASSERT_EQ(kGl[row].n, n);
      const int i = half + k;  // the k-th non-negative node
      const double dn = std::fabs(x[i] - kGl[row].node);
      const double dm = std::fabs(-x[n - 1 - i] - kGl[row].node);
      worst_node = std::max({worst_node, dn, dm});
      // A node rounded to a double moves 1 - x^2 by about eps: the weight's
      // relative error grows like eps / (1 - x), whatever the method.
      const double cond = 1 + 1 / (1 - kGl[row].node);
      const double dw = std::fabs(w[i] - kGl[row].weight) / kGl[row].weight / kEps / cond;
      if (dw > worst_weight) {
        worst_weight = dw;
        worst_weight_n = n;
      }
      EXPECT_LE(dn, 4e-16) << "n=" << n << " k=" << k;
      EXPECT_LE(dm, 4e-16) << "n=" << n << " k=" << k;
      EXPECT_EQ(w[i], w[n - 1 - i]);
    }
    for (int i = 1; i < n; ++i) ASSERT_LT(x[i - 1], x[i]) << "n=" << n;
  }
  EXPECT_EQ(row, sizeof(kGl) / sizeof(kGl[0]));
  std::printf(
      "Gauss-Legendre n<=200: worst node error %.3g, worst weight error %.1f eps x (1 + 1/(1-x)) "
      "(n=%d)\n",
      worst_node, worst_weight, worst_weight_n);
  EXPECT_LE(worst_weight, 16.0);
}

TEST(GaussLegendre, IntegratesPolynomialsOfDegree2nMinus1) {
  // The n-point rule on [0, 3] is exact for t^(2n-1): 3^(2n) / (2n).
  for (int n : {1, 2, 5, 10, 20}) {
    std::vector<double> x(n), w(n);
    RArrGaussLegendrePoints(0, 3, n, x.data(), w.data());
    double s = 0;
    for (int i = 0; i < n; ++i) s += w[i] * std::pow(x[i], 2 * n - 1);
    const double want = std::pow(3.0, 2 * n) / (2 * n);
    EXPECT_NEAR(s, want, 64 * n * kEps * want) << n;
  }
}

}  // namespace

namespace {

TEST(GaussLegendre, LargeOrdersEndAndStayConsistent) {
  // Newton stops on its cap if the last bits oscillate; the rule stays a
  // rule: ascending nodes inside the interval, weights summing to its length.
  for (Qword n : {Qword{501}, Qword{2000}}) {
    std::vector<double> x(n), w(n);
    RArrGaussLegendrePoints(-1, 1, n, x.data(), w.data());
    double s = 0;
    for (Qword i = 0; i < n; ++i) {
      s += w[i];
      ASSERT_GT(w[i], 0.0);
      if (i) {
        ASSERT_LT(x[i - 1], x[i]);
      }
    }
    EXPECT_GT(x[0], -1.0);
    EXPECT_LT(x[n - 1], 1.0);
    EXPECT_NEAR(s, 2.0, 1e-9) << n;
  }
}

}  // namespace
