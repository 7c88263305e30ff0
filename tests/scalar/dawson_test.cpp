// Dawson's integral and its derivatives against mpmath, its three regions
// and its rational approximation.
#include <gtest/gtest.h>

#include <cmath>

#include "erf_reference.inc"
#include "scalar/error_functions.h"
#include "scalar/real_helpers.h"
#include "special_accuracy.h"

// Ten decades, and densely over [0.5, 30] where the continued fraction works hardest.
TEST(Dawson, AgainstReferenceOverTenDecades) {
  CheckTable("rDawson", kDawsonRef, rDawson, kTol1);
  CheckTable(
      "rDawson(-x)", kDawsonRef, [](double x) { return -rDawson(-x); }, kTol1);
  CheckTable(
      "rHilbertTransformOfG.", kDawsonRef,
      [](double x) { return rHilbertTransformOfGaussian(x) * (std::sqrt(M_PI) / 2); }, kTol1);
}

// Below |x| = 8 the derivatives come from F' = 1 - 2xF and its kin, which
// cancel where the derivatives are small: absolute error there (scale 1);
// from 8 on, the differentiated asymptotic series: relative error.
template <size_t N>
void CheckDerivative(const char* name, const RefRow (&rows)[N], double (*f)(double),
                     double tol_near, double tol_far) {
  AccuracyTally near(name, tol_near, 1);
  AccuracyTally far(name, tol_far);
  for (const RefRow& r : rows) (std::fabs(r.x) < 8 ? near : far).Check(r.x, f(r.x), r.value);
}

TEST(Dawson, DerivativesAgainstReference) {
  CheckDerivative("rDawsonD", kDawsonDRef, rDawsonD, kTol1, kTol1);
  CheckDerivative("rDawsonD2", kDawsonD2Ref, rDawsonD2, kTol1, kTol1);
  CheckDerivative("rDawsonD3", kDawsonD3Ref, rDawsonD3, kTol2, kTol1);
}

TEST(Dawson, RegionsAndSpecialValues) {
  // Series below the fourth root of epsilon, asymptotic form above its inverse.
  const double s = 1e-5;
  EXPECT_EQ(rDawson(s), s * (1 - s * s * (0.6666666666666666 - s * s * 0.26666666666666666)));
  const double a = 10000;
  EXPECT_EQ(rDawson(a), 0.5 * (1 + (1 / (a * a)) * (0.5 + (1 / (a * a)) * 0.75)) / a);
  EXPECT_NEAR(rDawson(1), 0.5380795069127684, 1e-16);
  EXPECT_EQ(rDawson(0), 0);
  EXPECT_EQ(rDawson(___PlsINF), 0);
  EXPECT_TRUE(std::isnan(rDawson(___NAN)));
  EXPECT_NEAR(rDawsonD3(0.7), 0.8474, 1e-4);
  EXPECT_NEAR(rErfi(1), 1.6504257587975428, 4e-16);
}

TEST(Dawson, RationalApproximation) {
  // A fixed-cost form: a few parts in 1e6 over the whole line.
  double worst = 0;
  for (const RefRow& r : kDawsonRef) {
    worst = std::fmax(worst, std::fabs(rDawsonRa5(r.x) - r.value) / r.value);
    EXPECT_EQ(rDawsonRa5(-r.x), -rDawsonRa5(r.x));
  }
  EXPECT_LT(worst, 1e-4);
  std::printf("[accuracy] rDawsonRa5 worst relative error %.3g\n", worst);
}
