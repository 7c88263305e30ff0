// Peak, step, bump, threshold and taper shapes: their defining points,
// symmetries and the Gaussian-edge mapping.
#include "scalar/shapes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scalar/real_helpers.h"

TEST(Shapes, LorentzianPeaks) {
  EXPECT_EQ(rLorentzianPeak0(2), 0.5);
  EXPECT_EQ(rLorentzianPeak0(-2), 0.5);
  EXPECT_EQ(rLorentzianPeak0(0), 1);
  const double x0 = 1.25, w = 0.375, A = 2.385;
  EXPECT_DOUBLE_EQ(rLorentzianPeak(x0 + 2 * w, x0, w, A), A / 2);
  EXPECT_EQ(rLorentzianPeak(x0, x0, w, A), A);
  EXPECT_DOUBLE_EQ(rLorentzianPeakArea(2, 1), M_PI);
  // The area under rLorentzianPeak is 2π·w·A (four times the area function):
  // by the antiderivative 2w·A·atan(u/2) over u = (x - x0)/w.
  EXPECT_DOUBLE_EQ(4 * rLorentzianPeakArea(w, A), 2 * M_PI * w * A);
  const double lo = 0.5, c = 1.5, hi = 4;
  EXPECT_EQ(rBiLorentzianPeak(lo, lo, c, hi), 0.5);
  EXPECT_EQ(rBiLorentzianPeak(hi, lo, c, hi), 0.5);
  EXPECT_EQ(rBiLorentzianPeak(c, lo, c, hi), 1);
  EXPECT_DOUBLE_EQ(rBiLorentzianPeak(c + 2 * (hi - c), lo, c, hi), 0.2);
}

TEST(Shapes, SoftSteps) {
  for (double w : {0.5, -0.5, 3.0}) {
    EXPECT_EQ(rSoftStepUpL(0, w), 0.5);
    EXPECT_EQ(rSoftStepUpL(std::fabs(w), w), 0.75);
    EXPECT_EQ(rSoftStepUpL(-std::fabs(w), w), 0.25);
    for (double x : {-7.0, -0.3, 0.2, 2.385}) {
      EXPECT_EQ(rSoftStepDownL(x, w) + rSoftStepUpL(x, w), 1);
      EXPECT_NEAR(rSoftStepUpL(x, w) + rSoftStepUpL(-x, w), 1, 1e-16);
    }
  }
  EXPECT_EQ(rSoftStepUpL(0.1, 0), 1);
  EXPECT_EQ(rSoftStepUpL(0, 0), 1);
  EXPECT_EQ(rSoftStepUpL(-0.1, 0), 0);
  EXPECT_EQ(rSoftStepUpL(1e20, 1e-10), 1);  // width negligible: the hard step
  EXPECT_TRUE(std::isnan(rSoftStepUpL(___NAN, 1)));
  EXPECT_TRUE(std::isnan(rSoftStepUpL(___NAN, 0)));
  EXPECT_TRUE(std::isnan(rSoftStepUpL(0.5, ___NAN)));
  EXPECT_TRUE(std::isnan(rSoftStepDownL(-0.5, ___NAN)));

  EXPECT_EQ(rSoftStepUpG(0, 0.5, 0.01), 0.5);
  EXPECT_EQ(rSoftStepUpG(0.5, 0.5, 0.01), std::exp(0.6931471805599453 * (0.75 - 1) / 0.75));
  EXPECT_EQ(rSoftStepUpG(-100, 1, 0.01), 0);  // L value about 5e-5, below the cut-off
  EXPECT_EQ(rSoftStepUpG(1, 0, 0.01), 1);     // L value 1 maps to 1
  EXPECT_EQ(rSoftStepDownG(-100, 1), 1);
  EXPECT_EQ(rSoftStepDownG(0, 1), 0.5);
}

TEST(Shapes, RectanglesAndBumps) {
  const double lo = -1, hi = 2, wlo = 0.5, whi = 0.25;
  EXPECT_EQ(rSoftEdgedRectL(hi + whi, lo, hi, wlo, whi), 0.5);
  EXPECT_EQ(rSoftEdgedRectL(lo - wlo, lo, hi, wlo, whi), 0.5);
  EXPECT_EQ(rSoftEdgedRectL(0.3, lo, hi, wlo, whi), 1);
  for (double x : {2.0, 3.0, 1e6}) EXPECT_EQ(rSoftEdgedRectL(x, lo, hi, wlo, 0), 1) << x;
  EXPECT_EQ(rSoftEdgedRectG(hi + whi, lo, hi, wlo, whi, 0.01), 0.5);
  EXPECT_EQ(rSoftEdgedRectG(hi + 20, lo, hi, wlo, whi, 0.01), 0);

  const double w = 3, e = 0.75;
  EXPECT_EQ(rBumpL(w / 2 + e, w, e), 0.5);
  EXPECT_EQ(rBumpL(-w / 2 - e, w, e), 0.5);
  EXPECT_EQ(rBumpG(w / 2 + e, w, e, 0.01), 0.5);
  EXPECT_DOUBLE_EQ(rBumpG(w / 2 + 2 * e, w, e, 0.01), 0.0625);  // 2^-4

  const double c = 2, r = 0.5;
  EXPECT_EQ(rBumpReledgeL(c, c, r), 1);
  EXPECT_DOUBLE_EQ(rBumpReledgeL(c / (1 + r), c, r), 0.5);
  EXPECT_DOUBLE_EQ(rBumpReledgeL(c * (1 + r), c, r), 0.5);
  EXPECT_EQ(rBumpReledgeL(3, c, 7), rBumpReledgeL(3, c, 1));  // r clamped to 1
  EXPECT_EQ(rBumpReledgeL(3, c, 0), 0);                       // r = 0: a spike
  EXPECT_DOUBLE_EQ(rBumpReledgeG(c * (1 + r), c, r, 0.01), 0.5);
}

TEST(Shapes, Thresholds) {
  const double lo = 0.5, mid = 1, hi = 3;
  for (double s : {1.0, 3.0}) EXPECT_EQ(rThresholdL(mid, lo, mid, hi, s), 0.5);
  EXPECT_DOUBLE_EQ(rThresholdL(hi, lo, mid, hi, 3), 0.95);
  EXPECT_DOUBLE_EQ(rThresholdL(lo, lo, mid, hi, 3), 0.05);
  EXPECT_DOUBLE_EQ(rThresholdL(hi, hi, mid, lo, 3), 0.95);     // bounds in the other order
  EXPECT_DOUBLE_EQ(rThresholdL(lo, -hi, -mid, -lo, 3), 0.05);  // magnitudes
  EXPECT_EQ(rThresholdL(-1, lo, mid, hi, 2), 0);
  EXPECT_EQ(rThresholdL(0, lo, mid, hi, 2), 0);
  EXPECT_EQ(rThresholdL(1e9, lo, mid, hi, 2), 1);
  EXPECT_TRUE(std::isnan(rThresholdL(___NAN, lo, mid, hi, 2)));
  // Rising through the range.
  double prev = 0;
  for (double x = 0.2; x < 10; x += 0.1) {
    const double v = rThresholdL(x, lo, mid, hi, 3);
    EXPECT_GE(v, prev) << x;
    prev = v;
  }
  const double c = 1.5, r = 0.25;
  EXPECT_EQ(rThresholdRelL(c, c, r), 0.5);
  EXPECT_DOUBLE_EQ(rThresholdRelL((1 + r) * c, c, r), 0.95);
  EXPECT_DOUBLE_EQ(rThresholdRelL(c / (1 + r), c, r), 0.05);
  EXPECT_EQ(rThresholdRelG(c, c, r, 0.01), 0.5);
  EXPECT_EQ(rThresholdRelG(c / (1 + r), c, r, 0.1), 0);  // 0.05 is below the cut-off
  EXPECT_DOUBLE_EQ(rThresholdG(hi, lo, mid, hi, 3, 0.01),
                   std::exp(0.6931471805599453 * (0.95 - 1) / 0.95));
}

TEST(Shapes, Tapers) {
  const double b = 1.5;
  EXPECT_EQ(rSmoothLoBoundTaper(0, b, 2), b);
  EXPECT_EQ(rSmoothLoBoundTaper(2 * b, b, 2), 2 * b);
  EXPECT_EQ(rSmoothLoBoundTaper(7, b, 2), 7);
  EXPECT_EQ(rSmoothLoBoundTaper(-1.25, b, 2), -rSmoothLoBoundTaper(1.25, b, 2));
  // Slope 1 where it joins x: the one-sided difference quotient at k·b.
  const double h = 1e-7;
  EXPECT_NEAR((rSmoothLoBoundTaper(2 * b, b, 2) - rSmoothLoBoundTaper(2 * b - h, b, 2)) / h, 1,
              1e-6);

  EXPECT_EQ(rSmoothHiBoundTaper(0.5, b, 2), 0.5);  // below b/2: unchanged
  EXPECT_NEAR(rSmoothHiBoundTaper(1e9, b, 2), b, 1e-8);
  EXPECT_EQ(rSmoothHiBoundTaper(___PlsINF, b, 2), b);
  EXPECT_EQ(rSmoothHiBoundTaper(1e300, b, 2), b);
  EXPECT_DOUBLE_EQ(rSmoothHiBoundTaper(3, b, 2), 3 - (3 - 0.75) * (3 - 0.75) / 3);
  EXPECT_EQ(rSmoothHiBoundTaper(-3, b, 2), -rSmoothHiBoundTaper(3, b, 2));
  EXPECT_NEAR((rSmoothHiBoundTaper(0.75 + h, b, 2) - rSmoothHiBoundTaper(0.75, b, 2)) / h, 1, 1e-6);

  const double lo = 0.5, hi = 4, k = 2;
  EXPECT_EQ(rSmoothHiAndLoBoundsTaper(0.3, lo, hi, k),
            rSmoothHiBoundTaper(rSmoothLoBoundTaper(0.3, lo, k), hi, k));
  const double kk = 0.25;
  EXPECT_EQ(rSmoothIntervalTaper(2.385, lo, hi, kk),
            rSmoothHiBoundTaper(rSmoothLoBoundTaper(2.385, lo, 1 + kk * (hi / lo - 1)), hi,
                                1 / (1 - kk * (1 - lo / hi))));
}
