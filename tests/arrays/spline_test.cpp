// Quadratic, cubic and extended splines: the natural and clamped cubic
// against exact rational splines that the generator also checks against
// scipy's CubicSpline (tools/gen_interp_reference.py), polynomials that each
// spline must reproduce, and the simpler rules the extended spline reduces
// to for small degrees.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/interp.h"
#include "support/accuracy.h"

namespace {

struct InterpCase {
  std::vector<double> x, y, points, linear, natural, clamped;
  double yp1, ypn;
};
#include "interp_reference.inc"
#include "test_poly.h"

using test_poly::Poly;

std::vector<double> Samples(const Poly& p, const std::vector<double>& x) {
  std::vector<double> y;
  for (double v : x) y.push_back(p.At(v));
  return y;
}

// Uneven ascending knots.
std::vector<double> Knots(Qword n) {
  std::vector<double> x;
  for (Qword i = 0; i < n; ++i) {
    const double t = static_cast<double>(i);
    x.push_back(-1.5 + 0.375 * t + 0.0625 * std::sin(2.3 * t));
  }
  return x;
}

// Ascending points covering [x0, x[n-1]]: every knot and points between.
std::vector<double> Between(const std::vector<double>& x) {
  std::vector<double> t;
  for (size_t i = 0; i + 1 < x.size(); ++i) {
    t.push_back(x[i]);
    t.push_back(x[i] + 0.3 * (x[i + 1] - x[i]));
    t.push_back(x[i] + 0.85 * (x[i + 1] - x[i]));
  }
  t.push_back(x.back());
  return t;
}

TEST(Spline2, Examples) {
  const double X[3] = {0, 1, 2}, Y[3] = {0, 1, 4};
  const double xs[2] = {0.5, 1.5};
  double out[2];
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 3, xs, out, 2, 1), 0u);
  EXPECT_EQ(out[0], 0.5);
  EXPECT_EQ(out[1], 2.0);
}

TEST(Spline2, ReproducesAParabolaFromItsStartSlope) {
  // Mode 2 starts with the exact slope of a parabola, so every segment is
  // that parabola, also before the first and beyond the last knot.
  const Poly p{{0.75, -1.375, 0.8125}};
  const std::vector<double> x = Knots(9);
  const std::vector<double> y = Samples(p, x);
  std::vector<double> xs = {x[0] - 1.0};
  for (double t : Between(x)) xs.push_back(t);
  xs.push_back(x.back() + 0.5);
  xs.push_back(x.back() + 2.0);
  std::vector<double> out(xs.size());
  ASSERT_EQ(RArrSpline2XarrYarr(x.data(), y.data(), x.size(), xs.data(), out.data(), xs.size(), 2),
            0u);
  for (size_t j = 0; j < xs.size(); ++j)
    EXPECT_NEAR(out[j], p.At(xs[j]), 256 * kEps * p.Scale(xs[j])) << xs[j];
}

TEST(Spline2, ChainsTheSegmentKernel) {
  // Mode 1 against the segment kernel chained by hand from the first chord.
  const std::vector<double> x = {0, 0.5, 1.75, 2, 3.5};
  const std::vector<double> y = {1, -0.5, 2, 2.25, 0};
  const std::vector<double> xs = {-0.5, 0.25, 0.5, 1.0, 1.9, 3.0, 4.0};
  std::vector<double> out(xs.size());
  ASSERT_EQ(RArrSpline2XarrYarr(x.data(), y.data(), 5, xs.data(), out.data(), xs.size(), 1), 0u);
  const int seg[7] = {1, 1, 1, 2, 3, 4, 4};
  for (size_t j = 0; j < xs.size(); ++j) {
    double slope = (y[1] - y[0]) / (x[1] - x[0]);
    for (int i = 1; i < seg[j]; ++i) rSplineQ2(x[i], x[i - 1], x[i], y[i - 1], y[i], &slope);
    const int i = seg[j];
    const double want = rSplineQ2(xs[j], x[i - 1], x[i], y[i - 1], y[i], &slope);
    EXPECT_NEAR(out[j], want, 8 * kEps * (std::fabs(want) + 1)) << xs[j];
  }
}

TEST(Spline2, Checks) {
  const double X[3] = {0, 1, 2}, Y[3] = {0, 1, 4}, xs[2] = {0.5, 1.5};
  double out[2] = {7, 7};
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 3, xs, out, 0, 1), 0u);
  EXPECT_EQ(RArrSpline2XarrYarr(nullptr, Y, 3, xs, nullptr, 0, 1), 0u);
  EXPECT_EQ(RArrSpline2XarrYarr(nullptr, Y, 3, xs, nullptr, 2, 1), 18u);
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 0, xs, out, 2, 1), 14u);
  EXPECT_EQ(RArrSpline2XarrYarr(X, nullptr, 3, xs, out, 2, 1), 14u);
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 3, nullptr, out, 2, 1), 14u);
  // One point makes no segment: refused, nothing written.
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 1, xs, out, 2, 1), 14u);
  EXPECT_EQ(out[0], 7.0);
  // A repeated knot is refused before anything is written.
  const double Xdup[3] = {0, 1, 1};
  EXPECT_EQ(RArrSpline2XarrYarr(Xdup, Y, 3, xs, out, 2, 1), 26u);
  EXPECT_EQ(out[0], 7.0);
  // Mode 2 on two points falls back to the chord.
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 2, xs, out, 2, 2), 0u);
  EXPECT_EQ(out[0], 0.5);
  EXPECT_EQ(out[1], 1.5);
  // A NaN point gives NaN and does not hold back the points after it.
  const double odd[3] = {0.5, NAN, 1.5};
  double o3[3];
  EXPECT_EQ(RArrSpline2XarrYarr(X, Y, 3, odd, o3, 3, 1), 0u);
  EXPECT_EQ(o3[0], 0.5);
  EXPECT_TRUE(std::isnan(o3[1]));
  EXPECT_EQ(o3[2], 2.0);
}

TEST(Spline3, NaturalAgainstExactAndScipy) {
  for (const InterpCase& c : kInterpCases) {
    std::vector<double> out(c.points.size());
    ASSERT_EQ(RArrSpline3XarrYarr(c.x.data(), c.y.data(), c.x.size(), c.points.data(), out.data(),
                                  out.size()),
              0u);
    for (size_t j = 0; j < out.size(); ++j)
      EXPECT_NEAR(out[j], c.natural[j], 16 * kEps * (std::fabs(c.natural[j]) + 1))
          << c.x.size() << " " << c.points[j];
  }
  const double X[3] = {0, 1, 2}, Y[3] = {0, 1, 0}, x = 0.5;
  double v = 0;
  EXPECT_EQ(RArrSpline3XarrYarr(X, Y, 3, &x, &v, 1), 0u);
  EXPECT_EQ(v, 0.6875);
}

TEST(Spline3, ClampedAgainstExactAndScipy) {
  for (const InterpCase& c : kInterpCases) {
    const Qword n = c.x.size();
    std::vector<double> y2(n);
    ASSERT_EQ(RArrSpline3Worker(c.x.data(), c.y.data(), n, y2.data(), c.yp1, c.ypn), 0u);
    for (size_t j = 0; j < c.points.size(); ++j) {
      double v = 0;
      ASSERT_EQ(RArrSpline3Eval(c.x.data(), c.y.data(), n, y2.data(), c.points[j], &v), 0u);
      EXPECT_NEAR(v, c.clamped[j], 16 * kEps * (std::fabs(c.clamped[j]) + 1))
          << n << " " << c.points[j];
    }
  }
}

TEST(Spline3, ClampedReproducesACubic) {
  const Poly p{{-0.25, 1.5, -0.625, 0.3125}};
  const Poly dp = p.Derivative();
  const std::vector<double> x = Knots(8);
  const std::vector<double> y = Samples(p, x);
  std::vector<double> y2(x.size());
  ASSERT_EQ(
      RArrSpline3Worker(x.data(), y.data(), x.size(), y2.data(), dp.At(x[0]), dp.At(x.back())), 0u);
  for (double t : {x[0] - 0.5, -1.0, 0.1, 0.77, x.back(), x.back() + 0.75}) {
    double v = 0;
    ASSERT_EQ(RArrSpline3Eval(x.data(), y.data(), x.size(), y2.data(), t, &v), 0u);
    EXPECT_NEAR(v, p.At(t), 256 * kEps * p.Scale(t)) << t;
  }
}

TEST(Spline3, Checks) {
  const double X[3] = {0, 1, 2}, Y[3] = {0, 1, 0}, xs[2] = {0.5, 1.5};
  double out[2] = {7, 7};
  EXPECT_EQ(RArrSpline3XarrYarr(nullptr, Y, 3, xs, out, 2), 22u);
  EXPECT_EQ(RArrSpline3XarrYarr(X, Y, 3, nullptr, out, 2), 22u);
  EXPECT_EQ(RArrSpline3XarrYarr(X, Y, 3, xs, nullptr, 2), 18u);
  EXPECT_EQ(RArrSpline3XarrYarr(X, Y, 1, xs, out, 2), 22u);
  // A repeated knot cannot carry a cubic, wherever the points lie.
  const double Xdup[4] = {0, 1, 1, 2}, Ydup[4] = {0, 1, 2, 0};
  EXPECT_EQ(RArrSpline3XarrYarr(Xdup, Ydup, 4, xs, out, 2), 26u);
  const double far = 1.9;
  EXPECT_EQ(RArrSpline3XarrYarr(Xdup, Ydup, 4, &far, out, 1), 26u);
  // Two points: a straight line, extrapolated.
  const double at = 3;
  EXPECT_EQ(RArrSpline3XarrYarr(X, Y, 2, &at, out, 1), 0u);
  EXPECT_EQ(out[0], 3.0);

  double y2[3];
  EXPECT_EQ(RArrSpline3Worker(X, nullptr, 3, y2, 1e30, 1e30), 22u);
  EXPECT_EQ(RArrSpline3Worker(X, Y, 1, y2, 1e30, 1e30), 22u);
  EXPECT_EQ(RArrSpline3Worker(X, Y, 3, nullptr, 1e30, 1e30), 18u);
  ASSERT_EQ(RArrSpline3Worker(X, Y, 3, y2, 1e30, 1e30), 0u);
  double v;
  EXPECT_EQ(RArrSpline3Eval(X, Y, 3, nullptr, 0.5, &v), 22u);
  EXPECT_EQ(RArrSpline3Eval(X, Y, 1, y2, 0.5, &v), 22u);
  EXPECT_EQ(RArrSpline3Eval(X, Y, 3, y2, 0.5, nullptr), 18u);
  // Eval meets a zero-width interval only at an end of the table.
  const double Xz[3] = {0, 0, 1}, zero[3] = {0, 0, 0};
  EXPECT_EQ(RArrSpline3Eval(Xz, Y, 3, zero, -0.5, &v), 26u);
}

// Extended spline on data of a polynomial of the degree its windows and
// derivative conditions carry, started with the exact derivatives.
struct ExCase {
  Qword n, deg, step, nd, degree;  // degree: h_min + nd - 1
};

TEST(SplineEx, ReproducesPolynomialsOfItsDegree) {
  const ExCase cases[] = {
      {9, 3, 2, 0, 2},                     // f 0: three-point windows, piecewise quadratic
      {10, 3, 2, 1, 2},                    // last segment of one interval: two points and one slope
      {13, 5, 2, 0, 3},                    // f 1: four points at the ends, five inside
      {13, 5, 2, 2, 5}, {12, 6, 3, 1, 4},  // f 1; last segment of two intervals with four points
      {8, 7, 1, 0, 3},  // deg made 6, f 2: windows cut to four points at both ends
      {5, 9, 2, 3, 7},  // f 3: every window is the whole table
      {3, 5, 4, 1, 3},  // no whole segment: only the shorter last one
  };
  for (const ExCase& c : cases) {
    Poly p;
    for (Qword k = 0; k <= c.degree; ++k)
      p.c.push_back((k % 2 ? -0.5 : 0.75) / static_cast<double>(k + 1) + 0.125 * k);
    const std::vector<double> x = Knots(c.n);
    const std::vector<double> y = Samples(p, x);
    std::vector<double> d0;
    Poly d = p;
    for (Qword q = 0; q < c.nd; ++q) {
      d = d.Derivative();
      d0.push_back(d.At(x[0]));
    }
    const std::vector<double> xs = Between(x);
    std::vector<double> out(xs.size());
    ASSERT_EQ(RArrSplineEx(x.data(), y.data(), c.n, d0.data(), &c, c.nd, xs.data(), out.data(),
                           xs.size(), c.deg, c.step),
              0u)
        << c.n << " " << c.deg << " " << c.step << " " << c.nd;
    for (size_t j = 0; j < xs.size(); ++j)
      EXPECT_NEAR(out[j], p.At(xs[j]), 1024 * kEps * p.Scale(xs[j]))
          << c.n << " " << c.deg << " " << c.step << " " << c.nd << " at " << xs[j];
  }
}

TEST(SplineEx, SmallDegreesAreTheSimpleRules) {
  const std::vector<double> x = Knots(7);
  const std::vector<double> y = {0.5, -1.25, 2.0, 1.75, -0.5, 3.0, 0.25};
  const std::vector<double> xs = Between(x);
  const Qword m = xs.size();
  std::vector<double> out(m), want(m);
  // deg 2, step 1: straight lines between neighbours.
  ASSERT_EQ(
      RArrSplineEx(x.data(), y.data(), 7, nullptr, nullptr, 0, xs.data(), out.data(), m, 2, 1), 0u);
  for (Qword j = 0; j < m; ++j)
    EXPECT_NEAR(out[j], RArrIntExt2LXarrYarr(xs[j], x.data(), y.data(), 7), 64 * kEps * 4) << xs[j];
  // deg 2, step 1 and one slope: the quadratic spline started with it.
  const double chord = (y[1] - y[0]) / (x[1] - x[0]);
  ASSERT_EQ(RArrSplineEx(x.data(), y.data(), 7, &chord, &chord, 1, xs.data(), out.data(), m, 2, 1),
            0u);
  ASSERT_EQ(RArrSpline2XarrYarr(x.data(), y.data(), 7, xs.data(), want.data(), m, 1), 0u);
  for (Qword j = 0; j < m; ++j) EXPECT_NEAR(out[j], want[j], 256 * kEps * 8) << xs[j];
  // deg 4, step 1: the cubic through the segment's points and one neighbour
  // on either side (three points at the ends).
  ASSERT_EQ(
      RArrSplineEx(x.data(), y.data(), 7, nullptr, nullptr, 0, xs.data(), out.data(), m, 4, 1), 0u);
  for (Qword j = 0; j < m; ++j) {
    Qword k = 0;
    while (k + 2 < 7 && xs[j] > x[k + 1]) ++k;
    const Qword lo = k == 0 ? 0 : k - 1, hi = k + 2 < 7 ? k + 2 : 6;
    const double w = RArrIntExtLagrangeXarrYarr(xs[j], x.data() + lo, y.data() + lo, hi - lo + 1);
    EXPECT_NEAR(out[j], w, 256 * kEps * 8) << xs[j];
  }
}

TEST(SplineEx, Checks) {
  const std::vector<double> x = Knots(5), y = {1, 2, 0, 1, 3};
  const double xs[3] = {x[0], x[2], x[4]};
  const double d = 1;
  double out[3];
  auto call = [&](const double* X, const double* d0, const void* p, Qword nd, const double* pts,
                  double* o, Qword m, Qword n, Qword deg, Qword step) {
    return RArrSplineEx(X, y.data(), n, d0, p, nd, pts, o, m, deg, step);
  };
  EXPECT_EQ(call(nullptr, &d, &d, 1, xs, out, 3, 5, 3, 1), 22u);
  EXPECT_EQ(call(x.data(), &d, &d, 1, nullptr, out, 3, 5, 3, 1), 22u);
  EXPECT_EQ(call(x.data(), nullptr, &d, 1, xs, out, 3, 5, 3, 1), 22u);
  EXPECT_EQ(call(x.data(), &d, nullptr, 1, xs, out, 3, 5, 3, 1), 22u);
  EXPECT_EQ(call(x.data(), nullptr, nullptr, 0, xs, out, 3, 5, 3, 1), 0u);
  EXPECT_EQ(call(x.data(), &d, &d, 1, xs, nullptr, 3, 5, 3, 1), 18u);
  EXPECT_EQ(call(x.data(), &d, &d, 1, xs, out, 0, 5, 3, 1), 18u);
  EXPECT_EQ(call(x.data(), &d, &d, 1, xs, out, 3, 5, 3, 0), 25u);
  EXPECT_EQ(call(x.data(), &d, &d, 1, xs, out, 3, 1, 3, 1), 25u);
  EXPECT_EQ(call(x.data(), &d, &d, 1, xs, out, 3, 5, 3, 3), 25u);
  // More coefficients than the exact factorials carry.
  std::vector<double> many(20, 0.0);
  EXPECT_EQ(call(x.data(), many.data(), &d, 20, xs, out, 3, 5, 3, 1), 25u);
  EXPECT_EQ(call(x.data(), nullptr, nullptr, 0, xs, out, 3, 5, 22, 1), 25u);
  EXPECT_EQ(call(x.data(), many.data(), &d, 1, xs, out, 3, 5, 21, 1), 25u);
  EXPECT_EQ(call(x.data(), many.data(), &d, 1, xs, out, 3, 5, 20, 1), 0u);  // 21 is the limit

  // A first point before the table: nothing is evaluated. Points beyond the
  // last knot stay NaN.
  const double early[2] = {x[0] - 0.1, x[1]};
  EXPECT_EQ(call(x.data(), nullptr, nullptr, 0, early, out, 2, 5, 3, 1), 0u);
  EXPECT_TRUE(std::isnan(out[0]));
  EXPECT_TRUE(std::isnan(out[1]));
  const double late[2] = {x[3], x[4] + 0.1};
  EXPECT_EQ(call(x.data(), nullptr, nullptr, 0, late, out, 2, 5, 3, 1), 0u);
  EXPECT_FALSE(std::isnan(out[0]));
  EXPECT_TRUE(std::isnan(out[1]));
  // A repeated knot makes a segment's system singular.
  std::vector<double> xd = x;
  xd[2] = xd[1];
  EXPECT_NE(call(xd.data(), nullptr, nullptr, 0, xs, out, 3, 5, 4, 1), 0u);
}

}  // namespace
