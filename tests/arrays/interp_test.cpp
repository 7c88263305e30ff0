// Kernels, table lookups and the Lagrange and Newton polynomials: closed
// forms (polynomials the rules must reproduce) and numpy.interp
// (tools/gen_interp_reference.py).
#include "arrays/interp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/accuracy.h"

namespace {

struct InterpCase {
  std::vector<double> x, y, points, linear, natural, clamped;
  double yp1, ypn;
};
#include "interp_reference.inc"
#include "test_poly.h"

using test_poly::Poly;

std::vector<double> Interleave(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<double> xy;
  for (size_t i = 0; i < x.size(); ++i) {
    xy.push_back(x[i]);
    xy.push_back(y[i]);
  }
  return xy;
}

TEST(InterpKernels, LineAndParabola) {
  EXPECT_EQ(rIntExt2L(3, 0, 1, 0, 2), 6.0);
  EXPECT_EQ(rIntExt2L(0.25, 0, 1, 4, 8), 5.0);
  EXPECT_EQ(rIntExt3Q(3, 0, 1, 2, 0, 1, 4), 9.0);
  // Any parabola through three uneven points, on both slope branches
  // (the longer interval on the right, then on the left), in and outside.
  const Poly p{{1.75, -2.375, 0.625}};
  const double sets[][3] = {{-1.25, 0.5, 3.0}, {-3.5, 1.25, 1.875}, {0.1, 0.2, 0.7}};
  for (const auto& s : sets)
    for (double x : {-4.0, -0.3, 0.5, 1.4, 2.9, 6.25}) {
      const double got = rIntExt3Q(x, s[0], s[1], s[2], p.At(s[0]), p.At(s[1]), p.At(s[2]));
      EXPECT_NEAR(got, p.At(x), 64 * kEps * p.Scale(x)) << s[0] << " " << x;
    }
}

TEST(InterpKernels, ParabolaVertex) {
  double xe = 0, ye = 0;
  EXPECT_EQ(rIntExt3QExtreme(0, 1, 2, 1, 0, 1, &xe, &ye), 2.0);
  EXPECT_EQ(xe, 1.0);
  EXPECT_EQ(ye, 0.0);
  EXPECT_EQ(rIntExt3QExtreme(-1, 0, 1, 0, 1, 0, &xe, &ye), -2.0);
  EXPECT_EQ(xe, 0.0);
  EXPECT_EQ(ye, 1.0);
  // 0.625 (x - 1.9)^2 - 2.25 through uneven points: d = 1.25, vertex known.
  const Poly p{{0.625 * 1.9 * 1.9 - 2.25, -2 * 0.625 * 1.9, 0.625}};
  const double d = rIntExt3QExtreme(-0.5, 0.75, 4, p.At(-0.5), p.At(0.75), p.At(4), &xe, &ye);
  EXPECT_NEAR(d, 1.25, 32 * kEps);
  EXPECT_NEAR(xe, 1.9, 32 * kEps);
  EXPECT_NEAR(ye, -2.25, 64 * kEps);
  // Collinear points have no vertex; null outputs are skipped.
  EXPECT_EQ(rIntExt3QExtreme(0, 1, 2, 0, 1, 2, nullptr, nullptr), 0.0);
}

TEST(InterpKernels, QuadraticSegmentFollowsAParabola) {
  // Started with the parabola's slope, the segment is the parabola and ends
  // with its slope.
  const Poly p{{0.5, 1.25, -0.75}};
  const Poly dp = p.Derivative();
  double slope = dp.At(-1);
  for (double x : {-1.5, -0.2, 2.5}) {
    double s = slope;
    EXPECT_NEAR(rSplineQ2(x, -1, 1.5, p.At(-1), p.At(1.5), &s), p.At(x), 32 * kEps * p.Scale(x));
    EXPECT_NEAR(s, dp.At(1.5), 32 * kEps * dp.Scale(1.5));
  }
  EXPECT_TRUE(std::isnan(rSplineQ2(0, 0, 1, 0, 1, nullptr)));
}

TEST(InterpLookup, LinearAgainstNumpyInterp) {
  for (const InterpCase& c : kInterpCases) {
    const Qword n = c.x.size();
    const std::vector<double> xy = Interleave(c.x, c.y);
    for (size_t j = 0; j < c.points.size(); ++j) {
      const double want = c.linear[j];
      const double tol = 4 * kEps * (std::fabs(want) + 1);
      EXPECT_NEAR(RArrIntExt2LXarrYarr(c.points[j], c.x.data(), c.y.data(), n), want, tol)
          << n << " " << c.points[j];
      EXPECT_NEAR(RArrIntExt2LXYarr(c.points[j], xy.data(), n), want, tol);
    }
  }
}

TEST(InterpLookup, LinearRules) {
  const double X[3] = {0, 1, 2}, Y[3] = {0, 2, 3};
  EXPECT_EQ(RArrIntExt2LXarrYarr(3, X, Y, 2), 2.0);  // held, not extrapolated
  EXPECT_EQ(RArrIntExt2LXarrYarr(-7, X, Y, 3), 0.0);
  EXPECT_EQ(RArrIntExt2LXarrYarr(1, X, Y, 3), 2.0);  // a knot exactly
  EXPECT_EQ(RArrIntExt2LXarrYarr(1.5, X, Y, 3), 2.5);
  // One point is a constant; no point, a null table or a NaN x give NaN.
  EXPECT_EQ(RArrIntExt2LXarrYarr(5, X, Y, 1), 0.0);
  EXPECT_TRUE(std::isnan(RArrIntExt2LXarrYarr(0.5, X, Y, 0)));
  EXPECT_TRUE(std::isnan(RArrIntExt2LXarrYarr(0.5, nullptr, Y, 3)));
  EXPECT_TRUE(std::isnan(RArrIntExt2LXarrYarr(NAN, X, Y, 1)));
  EXPECT_TRUE(std::isnan(RArrIntExt2LXYarr(0.5, nullptr, 3)));
  const double XY[2] = {4, 9};
  EXPECT_EQ(RArrIntExt2LXYarr(0, XY, 1), 9.0);
  EXPECT_TRUE(std::isnan(RArrIntExt2LXYarr(0, XY, 0)));
}

TEST(InterpLookup, ThreePointRules) {
  // A parabola is reproduced inside the table; outside the ends are held.
  const Poly p{{-1.5, 0.875, 0.3125}};
  const std::vector<double> x = {-2, -1.25, -0.5, 0.75, 1.5, 3.25, 4};
  std::vector<double> y;
  for (double v : x) y.push_back(p.At(v));
  const std::vector<double> xy = Interleave(x, y);
  const Qword n = x.size();
  for (double t : {-1.9, -1.0, -0.875, 0.1, 0.75, 2.0, 3.9}) {
    EXPECT_NEAR(RArrIntExt3QXarrYarr(t, x.data(), y.data(), n), p.At(t), 64 * kEps * p.Scale(t));
    EXPECT_NEAR(RArrIntExt3QXYarr(t, xy.data(), n), p.At(t), 64 * kEps * p.Scale(t));
  }
  EXPECT_EQ(RArrIntExt3QXarrYarr(-5, x.data(), y.data(), n), y[0]);
  EXPECT_EQ(RArrIntExt3QXYarr(9, xy.data(), n), y[n - 1]);

  // Which three points: y = 2^i tells the triples apart.
  const double X[5] = {0, 1, 2, 3, 4}, Y[5] = {1, 2, 4, 8, 16};
  auto through = [&](double t, int c) {
    return rIntExt3Q(t, X[c - 1], X[c], X[c + 1], Y[c - 1], Y[c], Y[c + 1]);
  };
  EXPECT_EQ(RArrIntExt3QXarrYarr(1.5, X, Y, 5), through(1.5, 2));  // tie: the right knot
  EXPECT_EQ(RArrIntExt3QXarrYarr(1.4, X, Y, 5), through(1.4, 1));
  EXPECT_EQ(RArrIntExt3QXarrYarr(0.2, X, Y, 5), through(0.2, 1));  // kept inside
  EXPECT_EQ(RArrIntExt3QXarrYarr(3.7, X, Y, 5), through(3.7, 3));  // the last three
  EXPECT_NE(through(1.5, 2), through(1.5, 1));

  // Fewer than three points, a null table or a NaN x: NaN.
  for (Qword m : {0, 1, 2}) {
    EXPECT_TRUE(std::isnan(RArrIntExt3QXarrYarr(0.5, X, Y, m))) << m;
    EXPECT_TRUE(std::isnan(RArrIntExt3QXYarr(0.5, xy.data(), m))) << m;
  }
  EXPECT_TRUE(std::isnan(RArrIntExt3QXarrYarr(0.5, X, nullptr, 5)));
  EXPECT_TRUE(std::isnan(RArrIntExt3QXYarr(0.5, nullptr, 5)));
  EXPECT_TRUE(std::isnan(RArrIntExt3QXarrYarr(NAN, X, Y, 5)));
}

TEST(InterpPolynomial, Lagrange) {
  const double X[3] = {0, 1, 2}, Y[3] = {1, 3, 7};
  EXPECT_EQ(RArrIntExtLagrangeXarrYarr(3, X, Y, 3), 13.0);
  const double XY[6] = {0, 1, 1, 3, 2, 7};
  EXPECT_EQ(RArrIntExtLagrangeXYarr(3, XY, 3), 13.0);
  // A quartic through five uneven points, in and outside, and exact knots.
  const Poly p{{0.5, -1.25, 0.375, 2.0, -0.4375}};
  const std::vector<double> x = {-1.75, -0.5, 0.25, 1.125, 2.5};
  std::vector<double> y;
  for (double v : x) y.push_back(p.At(v));
  const std::vector<double> xy = Interleave(x, y);
  for (double t : {-2.5, -1.0, 0.0, 0.6, 1.9, 3.0}) {
    EXPECT_NEAR(RArrIntExtLagrangeXarrYarr(t, x.data(), y.data(), 5), p.At(t),
                256 * kEps * p.Scale(t))
        << t;
    EXPECT_NEAR(RArrIntExtLagrangeXYarr(t, xy.data(), 5), p.At(t), 256 * kEps * p.Scale(t));
  }
  for (size_t i = 0; i < x.size(); ++i)
    EXPECT_EQ(RArrIntExtLagrangeXarrYarr(x[i], x.data(), y.data(), 5), y[i]);

  const double Xdup[3] = {0, 1, 1};
  EXPECT_TRUE(std::isnan(RArrIntExtLagrangeXarrYarr(0.5, Xdup, Y, 3)));
  const double XYdup[6] = {0, 1, 1, 3, 1, 7};
  EXPECT_TRUE(std::isnan(RArrIntExtLagrangeXYarr(0.5, XYdup, 3)));
  EXPECT_TRUE(std::isnan(RArrIntExtLagrangeXarrYarr(0.5, X, Y, 1)));
  EXPECT_TRUE(std::isnan(RArrIntExtLagrangeXarrYarr(0.5, nullptr, Y, 3)));
  EXPECT_EQ(RArrIntExtLagrangeXYarr(0.5, XY, 1), 0.0);
  EXPECT_EQ(RArrIntExtLagrangeXYarr(0.5, nullptr, 3), 0.0);
}

TEST(InterpPolynomial, NewtonValueAndDerivatives) {
  const double X[3] = {0, 1, 2}, Y[3] = {1, 3, 7};
  double w[5];
  EXPECT_EQ(RArrIntExtNewtonXarrYarr(3, X, Y, 3, w, 1), 13.0);
  EXPECT_EQ(w[0], 13.0);
  EXPECT_EQ(w[1], 7.0);
  EXPECT_EQ(w[2], 2.0);
  EXPECT_EQ(RArrIntExtNewtonXarrYarr(3, X, Y, 3, w, 0), 13.0);

  // A quartic: value and every derivative at x, in and outside the table,
  // from both table forms alike.
  const Poly p{{0.5, -1.25, 0.375, 2.0, -0.4375}};
  const std::vector<double> x = {-1.75, -0.5, 0.25, 1.125, 2.5};
  std::vector<double> y;
  for (double v : x) y.push_back(p.At(v));
  const std::vector<double> xy = Interleave(x, y);
  for (double t : {-2.5, 0.0, 0.6, 3.0}) {
    double wa[5], wb[5];
    const double va = RArrIntExtNewtonXarrYarr(t, x.data(), y.data(), 5, wa, 1);
    const double vb = RArrIntExtNewtonXYarr(t, xy.data(), 5, wb, 1);
    EXPECT_EQ(va, vb);
    EXPECT_EQ(va, wa[0]);
    Poly d = p;
    for (int k = 0; k < 5; ++k) {
      EXPECT_NEAR(wa[k], d.At(t), 1024 * kEps * (d.Scale(t) + 1)) << t << " order " << k;
      EXPECT_EQ(wa[k], wb[k]);
      d = d.Derivative();
    }
    EXPECT_NEAR(RArrIntExtNewtonXarrYarr(t, x.data(), y.data(), 5, wa, 0), p.At(t),
                256 * kEps * p.Scale(t));
  }
  // Too few points, a null table or no work array: NaN.
  EXPECT_TRUE(std::isnan(RArrIntExtNewtonXarrYarr(0.5, X, Y, 1, w, 0)));
  EXPECT_TRUE(std::isnan(RArrIntExtNewtonXarrYarr(0.5, X, nullptr, 3, w, 0)));
  EXPECT_TRUE(std::isnan(RArrIntExtNewtonXarrYarr(0.5, X, Y, 3, nullptr, 0)));
  EXPECT_TRUE(std::isnan(RArrIntExtNewtonXYarr(0.5, nullptr, 3, w, 1)));
  EXPECT_TRUE(std::isnan(RArrIntExtNewtonXYarr(0.5, xy.data(), 1, w, 1)));
}

}  // namespace
