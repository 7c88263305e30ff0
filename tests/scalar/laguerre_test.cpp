// Generalised Laguerre polynomials against mpmath (the explicit sum), their
// coefficient fills against the same polynomials, and the edges.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/rarr.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "orthopoly_reference.inc"
#include "scalar/orthogonal_polys.h"
#include "special_accuracy.h"
#include "support/alloc_failure.h"

namespace {
double Horner(const std::vector<double>& p, double x) {
  double s = 0;
  for (size_t k = p.size(); k-- > 0;) s = s * x + p[k];
  return s;
}
// The scale of the values: Σ |coefficient|·|x|^k bounds the rounding.
double Scale(const std::vector<double>& p, double x) {
  double s = 0;
  for (size_t k = p.size(); k-- > 0;) s = s * std::fabs(x) + std::fabs(p[k]);
  return s > 0 ? s : 1;
}
}  // namespace

TEST(Laguerre, ValuesAgainstReference) {
  // Errors against the scale of the terms (floor 1 after the division).
  AccuracyTally tally("rLaguerrePolynomial", kTol2, 1);
  AccuracyTally fill("rLaguerreFillPoly", kTol1, 1);
  for (const PolyRow& r : kLaguerreRef) {
    std::vector<double> p(r.n + 1);
    ASSERT_EQ(rLaguerreFillPoly(r.n, p.data(), r.alpha), 0u);
    const double scale = Scale(p, r.x);
    tally.Check(r.x, rLaguerrePolynomial(r.x, r.n, r.alpha) / scale, r.value / scale, r.n);
    fill.Check(r.x, Horner(p, r.x) / scale, r.value / scale, r.n);
  }
  AccuracyTally d("rLaguerrePolyD", kTol2, 1);
  for (const PolyRow& r : kLaguerreDRef) {
    std::vector<double> p(r.n);
    ASSERT_EQ(rLaguerreFillPoly(r.n - 1, p.data(), r.alpha + 1), 0u);
    const double scale = Scale(p, r.x);
    d.Check(r.x, rLaguerrePolyD(r.x, r.n, r.alpha) / scale, r.value / scale, r.n);
  }
  EXPECT_EQ(rLaguerrePolyD(0.3, 0, 1.5), 0);
}

TEST(Laguerre, ExactCoefficients) {
  // L_2^(0) = (x² - 4x + 2)/2.
  double p[3];
  ASSERT_EQ(rLaguerreFillPoly(2, p, 0), 0u);
  EXPECT_EQ(std::vector<double>(p, p + 3), (std::vector<double>{1, -2, 0.5}));
  for (double x : {0.0, 0.75, 3.5})
    EXPECT_EQ(rLaguerrePolynomial(x, 2, 0), (x * x - 4 * x + 2) / 2);
  // L_2^(a) = (a + 1)(a + 2)/2 - (a + 2)x + x²/2: a = 3 gives 10, -5, 1/2.
  ASSERT_EQ(rLaguerreFillPoly(2, p, 3), 0u);
  EXPECT_EQ(std::vector<double>(p, p + 3), (std::vector<double>{10, -5, 0.5}));
  // a = -2: (-1)(0)/2 = 0, 0, 1/2, so L_2^(-2) = x²/2.
  ASSERT_EQ(rLaguerreFillPoly(2, p, -2), 0u);
  EXPECT_EQ(std::vector<double>(p, p + 3), (std::vector<double>{0, 0, 0.5}));
  // L_3^(-1) = -x/... : C(2, 3 - k)(-1)^k/k! gives 0, -1, 1, -1/6.
  double q[4];
  ASSERT_EQ(rLaguerreFillPoly(3, q, -1), 0u);
  EXPECT_EQ(q[0], 0);
  EXPECT_DOUBLE_EQ(q[1], -1);
  EXPECT_DOUBLE_EQ(q[2], 1);
  EXPECT_DOUBLE_EQ(q[3], -1.0 / 6);
}

TEST(Laguerre, SeriesAndEdges) {
  const double c[] = {0, 0, 1};
  for (double x : {0.2, 1.7, 6.0}) {
    for (double a : {0.0, 1.5, -0.5}) {
      EXPECT_NEAR(rLaguerreSeries(x, c, 2, a), rLaguerrePolynomial(x, 2, a), 1e-14);
    }
  }
  const double d[] = {2.385, -1, 0.5, 3};
  const double x = 1.25, a = 0.75;
  double want = 0;
  for (Qword k = 0; k < 4; ++k) want += d[k] * rLaguerrePolynomial(x, k, a);
  EXPECT_NEAR(rLaguerreSeries(x, d, 3, a), want, 1e-14);
  EXPECT_EQ(rLaguerreSeries(x, d, 0, a), 2.385);
  EXPECT_TRUE(std::isnan(rLaguerreSeries(x, nullptr, 3, a)));
  EXPECT_EQ(rLaguerreFillPoly(3, nullptr, 0), kErrMissingOutputBuffer);

  Dword error = 99;
  double* p = rLaguerreNewPoly(&error, 4, 0.5);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_DOUBLE_EQ(p[4], 1.0 / 24);
  RArrKill(&p);
  AllocFailureGuard fail(0);
  EXPECT_EQ(rLaguerreNewPoly(&error, 4, 0.5), nullptr);
  fail.Release();
  EXPECT_EQ(error, kErrAlloc);
  EXPECT_EQ(rLaguerreNewPoly(&error, ~Qword{0}, 0.5), nullptr);
  EXPECT_EQ(error, kErrAlloc);
}
