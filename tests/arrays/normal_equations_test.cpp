// The scaled solve against exact polynomial data on abscissas where the raw
// Gram matrix spans many decades.
#include "arrays/normal_equations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"

namespace {

struct Case {
  int degree;
  double x0, x1;
};

// Gram matrix and right-hand side of the monomial basis for y = sum c_j x^j.
void Build(const Case& c, const std::vector<double>& coef, std::vector<double>& G,
           std::vector<double>& b) {
  const int k = c.degree + 1, n = 40;
  G.assign(k * k, 0.0);
  b.assign(k, 0.0);
  for (int p = 0; p < n; ++p) {
    const double x = c.x0 + (c.x1 - c.x0) * p / (n - 1);
    double y = 0, xp = 1;
    std::vector<double> phi(k);
    for (int j = 0; j < k; ++j, xp *= x) {
      phi[j] = xp;
      y += coef[j] * xp;
    }
    for (int i = 0; i < k; ++i) {
      b[i] += phi[i] * y;
      for (int j = 0; j < k; ++j) G[i + k * j] += phi[i] * phi[j];
    }
  }
}

TEST(NormalEquations, WideAbscissaSolvesWhereTheRawInverterGivesUp) {
  const Case cases[] = {{3, 0, 1000}, {4, 0, 100}, {5, -100, 100}, {2, 1e7, 1e7 + 10}};
  for (const Case& c : cases) {
    std::vector<double> coef;
    for (int j = 0; j <= c.degree; ++j) coef.push_back(0.5 + j);
    std::vector<double> G, b;
    Build(c, coef, G, b);
    std::vector<double> raw = G, rawb = b;
    const Dword raw_status = RMatInvert(raw.data(), c.degree + 1, rawb.data(), 1);
    std::vector<double> G0 = G;
    ASSERT_EQ(SolveScaledNormalEquations(G.data(), c.degree + 1, b.data(), 1), kErrNone)
        << c.degree << " raw inverter said " << raw_status;
    // The residual of the original system is small relative to its size.
    const int k = c.degree + 1;
    for (int i = 0; i < k; ++i) {
      double r = 0, scale = 0;
      for (int j = 0; j < k; ++j) {
        r += G0[i + k * j] * b[j];
        scale += std::fabs(G0[i + k * j] * b[j]);
      }
      double rhs = 0;
      for (int j = 0; j < k; ++j) rhs += G0[i + k * j] * coef[j];
      EXPECT_LE(std::fabs(r - rhs), 1e-8 * scale) << "degree " << c.degree << " row " << i;
    }
    // The inverse times G is the identity.
    for (int i = 0; i < k; ++i)
      for (int j = 0; j < k; ++j) {
        double s = 0, mag = 0;
        for (int l = 0; l < k; ++l) {
          s += G[i + k * l] * G0[l + k * j];
          mag += std::fabs(G[i + k * l] * G0[l + k * j]);
        }
        EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-8 * mag + 1e-12);
      }
  }
}

TEST(NormalEquations, RefusesEmptyAndSingular) {
  EXPECT_EQ(SolveScaledNormalEquations(nullptr, 2, nullptr, 0), kErrMissingInputData);
  double G[4] = {1, 1, 1, 1};
  EXPECT_EQ(SolveScaledNormalEquations(G, 2, nullptr, 0), kErrIllegalArgument);
}

}  // namespace
