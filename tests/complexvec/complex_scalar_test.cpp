// Modulus, argument, norms, distances, quadrants and angle tests.
#include "complexvec/complex_scalar.h"

#include <cmath>
#include <limits>

#include "support/complex_accuracy.h"

using ctest::Identical;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = 3.141592653589793;

TEST(ComplexScalar, PartsNormsAndDistances) {
  const COMPLEX z(3, -4), w(-1.5, 2.25);
  EXPECT_EQ(cReal(z), 3);
  EXPECT_EQ(cImag(z), -4);
  EXPECT_EQ(cAbs(z), 5);
  EXPECT_EQ(cAbs2(z), 25);
  EXPECT_EQ(cNormL1(z), 7);
  // w - z = (-4.5, 6.25): exact squares and sums.
  EXPECT_EQ(cDistanceSquare(z, w), 20.25 + 39.0625);
  EXPECT_EQ(cDistanceL1(z, w), 10.75);
  EXPECT_EQ(cDistance(COMPLEX(1, 1), COMPLEX(4, 5)), 5);
  // The modulus does not overflow where the squared modulus does.
  EXPECT_NEAR(cAbs(COMPLEX(3e300, 4e300)) / 5e300, 1.0, 4e-16);
  EXPECT_EQ(cAbs2(COMPLEX(3e300, 4e300)), std::numeric_limits<double>::infinity());
  EXPECT_EQ(cAbs(COMPLEX(0, 0)), 0);
}

TEST(ComplexScalar, ArgumentRange) {
  struct {
    COMPLEX z;
    double want;
  } rows[] = {
      {COMPLEX(-1, 0), kPi},           {COMPLEX(-1, -0.0), kPi}, {COMPLEX(0, 0), 0},
      {COMPLEX(0, -1), -kPi / 2},      {COMPLEX(0, 1), kPi / 2}, {COMPLEX(1, 1), kPi / 4},
      {COMPLEX(-1, -1), -3 * kPi / 4},
  };
  for (const auto& r : rows) EXPECT_LE(ErrorInEps(cArg(r.z), r.want), 2) << ctest::Show(r.z);
}

TEST(ComplexScalar, Normalize) {
  COMPLEX z(3, 4);
  EXPECT_EQ(cNormalize(&z), 5);
  EXPECT_TRUE(Identical(z, COMPLEX(0.6, 0.8)));
  COMPLEX zero(0, 0);
  EXPECT_EQ(cNormalize(&zero), 0);
  EXPECT_TRUE(Identical(zero, COMPLEX(0, 0)));
  COMPLEX nan(kNaN, 1);
  EXPECT_TRUE(std::isnan(cNormalize(&nan)));
  EXPECT_EQ(nan.im, 1);  // left unchanged
  EXPECT_TRUE(std::isnan(cNormalize(nullptr)));
}

TEST(ComplexScalar, Quadrants) {
  EXPECT_EQ(cQuadrant(COMPLEX(-1, 2)), 1u);
  EXPECT_EQ(cQuadrant(COMPLEX(1, -2)), 2u);
  EXPECT_EQ(cQuadrant(COMPLEX(-1, -2)), 3u);
  EXPECT_EQ(cQuadrant(COMPLEX(0, 0)), 0u);
  EXPECT_EQ(cQuadrant(COMPLEX(-0.0, -0.0)), 0u);
  EXPECT_EQ(cQuadrant(COMPLEX(kNaN, kNaN)), 0u);
  EXPECT_TRUE(cAreInSameQuadrant(COMPLEX(0, 1), COMPLEX(-1, 1)));
  EXPECT_TRUE(cAreInSameQuadrant(COMPLEX(2, -3), COMPLEX(0.5, -0.25)));
  EXPECT_FALSE(cAreInSameQuadrant(COMPLEX(2, -3), COMPLEX(-0.5, -0.25)));
  EXPECT_FALSE(cAreInSameQuadrant(COMPLEX(kNaN, 1), COMPLEX(1, 1)));
}

TEST(ComplexScalar, AcuteAngles) {
  EXPECT_TRUE(cIsAngleAcute(COMPLEX(1, 0), COMPLEX(0, 1)));
  EXPECT_FALSE(cIsAngleAcute(COMPLEX(1, 0), COMPLEX(-1, 0)));
  EXPECT_TRUE(cIsAngleAcute(COMPLEX(0, 0), COMPLEX(-1, 0)));
  EXPECT_TRUE(cIsAngleAcute(COMPLEX(1, 2), COMPLEX(3, -1)));
  EXPECT_FALSE(cIsAngleAcute(COMPLEX(kNaN, 0), COMPLEX(1, 0)));
}

}  // namespace
