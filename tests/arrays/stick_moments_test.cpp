#include "arrays/stick_moments.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Shapes, SticksMoments) {
  const double x[] = {1, 3}, w[] = {1, 1};
  double m1, a1, m2, s2, m3, a3, m4, s4;
  ASSERT_EQ(RArrSticksM1toM4(2, x, w, &m1, &a1, &m2, &s2, &m3, &a3, &m4, &s4), 0u);
  EXPECT_EQ(m1, 2);
  EXPECT_EQ(a1, 1);
  EXPECT_EQ(m2, 1);
  EXPECT_EQ(s2, 0);
  EXPECT_EQ(m3, 0);
  EXPECT_EQ(a3, 1);
  EXPECT_EQ(m4, 1);
  EXPECT_EQ(s4, 0);
  const double zero[] = {0, 0};
  EXPECT_EQ(RArrSticksM1toM4(2, x, zero, &m1, &a1, &m2, &s2, &m3, &a3, &m4, &s4), 15u);
  EXPECT_EQ(m1, 0);
  // A skewed set: positions 0, 0, 3 (mean 1): m3 = (1 + 1 + 8)/3.
  const double xs[] = {0, 0, 3}, ws[] = {1, 1, 1};
  ASSERT_EQ(RArrSticksM1toM4(3, xs, ws, &m1, &a1, &m2, &s2, &m3, &a3, &m4, &s4), 0u);
  EXPECT_DOUBLE_EQ(m2, 2);
  EXPECT_DOUBLE_EQ(m3, (-1 - 1 + 8) / 3.0);
  EXPECT_DOUBLE_EQ(s2, (-1 - 1 + 4) / 3.0);
}

TEST(Shapes, NormalisedMoments) {
  const double x[] = {0, 1, 2}, w[] = {1, 2, 1};
  double m1, a1, s2, m3, a3, m4, s4;
  const double sigma = RArrShapeSticksM1toM4(3, x, w, &m1, &a1, &s2, &m3, &a3, &m4, &s4);
  EXPECT_DOUBLE_EQ(sigma, std::sqrt(0.5));
  EXPECT_DOUBLE_EQ(m4, 2);
  EXPECT_EQ(m3, 0);
  EXPECT_EQ(m1, 1);
  const double zero[] = {0, 0, 0};
  EXPECT_TRUE(std::isnan(RArrShapeSticksM1toM4(3, x, zero, &m1, &a1, &s2, &m3, &a3, &m4, &s4)));
}

TEST(Shapes, ChebyshevCoefficients) {
  const double x[] = {-1, 1}, w[] = {1, 1};
  double c[3] = {9, 9, 9}, h[1] = {9};
  ASSERT_EQ(RArrShapesChebyshev(2, x, w, 2, c, h), 0u);
  EXPECT_EQ(c[0], 2);
  EXPECT_EQ(c[1], 0);
  EXPECT_EQ(c[2], 1);
  EXPECT_DOUBLE_EQ(h[0], 1 / std::sqrt(2.0));
  // k = 5: T3 and T4 of u = +-1/sqrt(2) averaged; T3 is odd (cancels), T4(u) = 8u^4 - 8u^2 + 1 =
  // -1.
  double c5[6], h5[3];
  ASSERT_EQ(RArrShapesChebyshev(2, x, w, 5, c5, h5), 0u);
  EXPECT_NEAR(c5[3], 0, 1e-15);
  EXPECT_NEAR(c5[4], -1, 1e-15);
  EXPECT_EQ(c5[5], 0);
  const double u = 1 / std::sqrt(2.0);
  EXPECT_NEAR(h5[1], 4 * u * u * u - 3 * u, 1e-15);  // sign(u) T3(u), same for both sticks
  EXPECT_EQ(h5[2], 0);
  EXPECT_EQ(RArrShapesChebyshev(0, x, w, 2, c, h), 14u);
  const double zero[] = {0, 0};
  EXPECT_EQ(RArrShapesChebyshev(2, x, zero, 2, c, h), 40u);
}

TEST(Shapes, BroadenedProfile) {
  const double a[] = {1}, x[] = {10};
  double c, lines, adev, sigma, s2, skew, askew, r3, kurt, r4;
  ASSERT_EQ(RArrShapeProps(1, a, x, 1, &c, &lines, &adev, &sigma, &s2, &skew, &askew, &r3, &kurt,
                           &r4, 10),
            0u);
  EXPECT_NEAR(c, 10, 0.1);
  // A box covers width x oversampling + 1 grid points, both edges included.
  EXPECT_DOUBLE_EQ(lines, 1.1);
  EXPECT_NEAR(sigma, 1 / std::sqrt(12.0), 0.05);  // a box of width 1
  EXPECT_NEAR(kurt, 1.8, 0.1);
  // Two well separated lines of equal intensity count as two.
  const double a2[] = {1, 1}, x2[] = {0, 20};
  ASSERT_EQ(RArrShapeProps(2, a2, x2, 1, &c, &lines, &adev, &sigma, &s2, &skew, &askew, &r3, &kurt,
                           &r4, 10),
            0u);
  EXPECT_DOUBLE_EQ(lines, 2.2);
  EXPECT_NEAR(c, 10, 0.1);
  const double neg[] = {-1};
  EXPECT_EQ(RArrShapeProps(1, neg, x, 1, &c, &lines, &adev, &sigma, &s2, &skew, &askew, &r3, &kurt,
                           &r4, 10),
            15u);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(lines, 0);
}

// A width that is not positive or an oversampling below 1 is refused.
TEST(Shapes, BroadenedProfileRefusesDegenerateGrids) {
  const double a[] = {1}, x[] = {10};
  double o[10];
  for (double width : {0.0, -1.0, static_cast<double>(NAN), static_cast<double>(INFINITY)})
    EXPECT_EQ(RArrShapeProps(1, a, x, width, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5], &o[6], &o[7],
                             &o[8], &o[9], 10),
              25u);
  EXPECT_EQ(RArrShapeProps(1, a, x, 1, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5], &o[6], &o[7],
                           &o[8], &o[9], 0),
            25u);
}

}  // namespace
