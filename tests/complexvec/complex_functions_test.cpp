// The exported complex functions: the edge cases, branch rules and
// identities, beside the reference table of complex_reference_test.cpp.
#include "complexvec/complex_functions.h"

#include <cmath>
#include <limits>

#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "scalar/real_helpers.h"
#include "support/complex_accuracy.h"

using ctest::ErrorEps;
using ctest::Identical;
using ctest::Show;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = 3.141592653589793;
const double kSqrt3 = 1.7320508075688772;
const double kLn2 = 0.6931471805599453;

COMPLEX Call(COMPLEX* (*f)(COMPLEX*, Qlong), COMPLEX z, Qlong k) { return *f(&z, k); }

TEST(ComplexFunctions, ReplaceTheArgumentAndReturnIt) {
  COMPLEX z(0.5, -1.25);
  EXPECT_EQ(ccExp(&z), &z);
  EXPECT_TRUE(Identical(z, ccExpValue(COMPLEX(0.5, -1.25))));
  EXPECT_EQ(ccExp(nullptr), nullptr);
  EXPECT_EQ(ccLog(nullptr, 0), nullptr);
  EXPECT_EQ(ccUnity(nullptr, 1.0), nullptr);
  COMPLEX r;
  EXPECT_EQ(ccUnity(&r, 0.75), &r);
  EXPECT_TRUE(Identical(r, ccUnityValue(0.75)));
}

TEST(ComplexFunctions, SquareRootBranches) {
  EXPECT_CNEAR(Call(ccSqrt, COMPLEX(-4, 0), 0), COMPLEX(0, 2), 2);
  EXPECT_CNEAR(Call(ccSqrt, COMPLEX(-4, 0), 1), COMPLEX(0, -2), 2);
  EXPECT_TRUE(Identical(Call(ccSqrt, COMPLEX(0, 0), 0), COMPLEX(0, 0)));
  // Every branch squares back to z; the principal root has re >= 0 and odd
  // branches are its negative.
  const COMPLEX zs[] = {COMPLEX(0.75, 1.25), COMPLEX(-2.385, -0.5), COMPLEX(-3, 0)};
  for (const COMPLEX z : zs) {
    const COMPLEX principal = Call(ccSqrt, z, 0);
    EXPECT_GE(principal.re, 0) << Show(z);
    for (Qlong k = -3; k <= 3; ++k) {
      const COMPLEX s = Call(ccSqrt, z, k);
      EXPECT_CNEAR(s * s, z, 4);
      EXPECT_TRUE(Identical(s, (k & 1) ? -principal : principal)) << Show(z) << " k=" << k;
    }
  }
  // The principal root of a value on the negative axis points up.
  EXPECT_GT(ccSqrtValue(COMPLEX(-3, 0), 0).im, 0);
  EXPECT_GT(ccSqrtValue(COMPLEX(-3, -0.0), 0).im, 0);
}

TEST(ComplexFunctions, CubeRootBranches) {
  EXPECT_CNEAR(Call(ccCbrt, COMPLEX(8, 0), 1), COMPLEX(2, 0), 2);
  EXPECT_CNEAR(Call(ccCbrt, COMPLEX(8, 0), 2), COMPLEX(-1, kSqrt3), 4);
  EXPECT_CNEAR(Call(ccCbrt, COMPLEX(8, 0), 0), COMPLEX(-1, -kSqrt3), 4);
  const COMPLEX z(-2.385, 0.5);
  for (Qlong k = -5; k <= 5; ++k) {
    const COMPLEX r = Call(ccCbrt, z, k);
    EXPECT_CNEAR(r * r * r, z, 8);
    // Branches repeat with period 3 from 0 up; negative k turn by -120 degrees.
    const Qlong same = k >= 0 ? k % 3 : 0;
    EXPECT_TRUE(Identical(r, Call(ccCbrt, z, same))) << k;
  }
  EXPECT_CNEAR(Call(ccCbrtD, COMPLEX(8, 0), 1), COMPLEX(1.0 / 12, 0), 2);
  EXPECT_CNEAR(Call(ccCbrtA, COMPLEX(8, 0), 1), COMPLEX(12, 0), 2);
}

TEST(ComplexFunctions, LogarithmBranches) {
  EXPECT_CNEAR(Call(ccLog, COMPLEX(-1, 0), 0), COMPLEX(0, kPi), 1);
  EXPECT_CNEAR(Call(ccLog, COMPLEX(-1, 0), -1), COMPLEX(0, -kPi), 1);
  EXPECT_CNEAR(Call(ccLog, COMPLEX(2, 0), 3), COMPLEX(kLn2, 6 * kPi), 1);
  const COMPLEX l0 = Call(ccLog, COMPLEX(0, 0), 0);
  EXPECT_TRUE(std::isnan(l0.re));
  // exp(log_k z) = z on every branch.
  const COMPLEX zs[] = {COMPLEX(0.75, 1.25), COMPLEX(-2.385, -0.5), COMPLEX(1e-3, -7)};
  for (const COMPLEX z : zs)
    for (Qlong k = -2; k <= 2; ++k)
      EXPECT_CNEAR(ccExpValue(ccLogValue(z, k)), z, 8 + 8 * std::abs(k));
  COMPLEX p(0, 0);
  ccPower(&p, COMPLEX(2, 0));
  EXPECT_TRUE(std::isnan(p.re) && std::isnan(p.im));
  COMPLEX q(0, 0);
  ccrPower(&q, 2.0);
  EXPECT_TRUE(std::isnan(q.re) && std::isnan(q.im));
}

TEST(ComplexFunctions, SeriesSwitchesNearZero) {
  COMPLEX e(1e-20, 0);
  ccExpm1(&e);
  EXPECT_TRUE(Identical(e, COMPLEX(1e-20, 0)));
  // log1p adds the branch to the series value as well.
  COMPLEX l(1e-10, 2e-10);
  ccLog1p(&l, 1);
  // z - z^2/2 = (1e-10 + 1.5e-20, 2e-10 - 2e-20), plus 2 pi on the imaginary side.
  EXPECT_LE(ErrorInEps(l.re, 1.00000000015e-10), 2);
  EXPECT_LE(ErrorInEps(l.im, 2 * kPi + 1.9999999998e-10), 2);
  // The two sides of the series switch agree (both approximate the same function).
  const double t = 4 * ___Root4EpsReal;
  const COMPLEX below = ccLog1pValue(COMPLEX(t * 0.999, 0), 0);
  const COMPLEX above = ccLog1pValue(COMPLEX(t * 1.001, 0), 0);
  EXPECT_NEAR(below.re / (t * 0.999), above.re / (t * 1.001), 1e-6);
}

TEST(ComplexFunctions, Pochhammer) {
  struct {
    COMPLEX z;
    Qlong n;
    COMPLEX want;
  } rows[] = {
      {COMPLEX(3, 0), 2, COMPLEX(12, 0)},      {COMPLEX(3, 0), -2, COMPLEX(6, 0)},
      {COMPLEX(0, 0), 0, COMPLEX(1, 0)},       {COMPLEX(0, 0), 5, COMPLEX(0, 0)},
      {COMPLEX(0, 1), 3, COMPLEX(-3, 1)},  // i (1 + i)(2 + i)
      {COMPLEX(0, 1), -3, COMPLEX(3, 1)},  // i (i - 1)(i - 2)
      {COMPLEX(1.5, -2), 1, COMPLEX(1.5, -2)}, {COMPLEX(1.5, -2), -1, COMPLEX(1.5, -2)},
  };
  for (const auto& r : rows) {
    COMPLEX z = r.z;
    ccPochhammer(&z, r.n);
    EXPECT_TRUE(z == r.want) << Show(r.z) << " n=" << r.n << ": " << Show(z);
  }
  // Huge orders end: the product reaches zero or overflows and stays there.
  COMPLEX big(0.5, 0.25);
  ccPochhammer(&big, INT64_MAX);
  EXPECT_FALSE(std::isfinite(big.re) && std::isfinite(big.im));
  COMPLEX zero(-3, 0);
  ccPochhammer(&zero, INT64_MAX);
  EXPECT_TRUE(zero == COMPLEX(0, 0)) << Show(zero);
  COMPLEX minimum(2, 0);
  ccPochhammer(&minimum, INT64_MIN);  // falling factorial of order 2^63
  EXPECT_TRUE(minimum == COMPLEX(0, 0)) << Show(minimum);
}

TEST(ComplexFunctions, TruncatedExponentialSeries) {
  COMPLEX z(2, 0);
  ccExpt(&z, 3);
  EXPECT_CNEAR(z, COMPLEX(1 + 2 + 2 + 4.0 / 3, 0), 1);
  z = COMPLEX(2, 0);
  EXPECT_TRUE(Identical(*ccExpt(&z, 0), COMPLEX(1, 0)));
}

TEST(ComplexFunctions, InverseFunctionsOnTheirCuts) {
  // acos(-2) = (pi, +ln(2 + sqrt 3)) by the logarithmic form (C99 cacos
  // gives the conjugate there).
  const double l = 1.3169578969248166;
  COMPLEX z(-2, 0);
  ccAcos(&z);
  EXPECT_CNEAR(z, COMPLEX(kPi, l), 2);
  z = COMPLEX(2, 0);
  ccAcos(&z);
  EXPECT_CNEAR(z, COMPLEX(0, -l), 2);
  z = COMPLEX(2, 0);
  ccAsin(&z);
  EXPECT_CNEAR(z, COMPLEX(kPi / 2, -l), 2);
  z = COMPLEX(-2, 0);
  ccAcosh(&z);
  EXPECT_CNEAR(z, COMPLEX(-l, kPi), 2);
  // Inverses undo their functions away from the cuts.
  const COMPLEX w(0.375, -0.625);
  EXPECT_CNEAR(ccSinValue(ccAsinValue(w)), w, 8);
  EXPECT_CNEAR(ccCosValue(ccAcosValue(w)), w, 8);
  EXPECT_CNEAR(ccTanValue(ccAtanValue(w)), w, 8);
  EXPECT_CNEAR(ccCotValue(ccAcotValue(w)), w, 8);
  EXPECT_CNEAR(ccSinhValue(ccAsinhValue(w)), w, 8);
  EXPECT_CNEAR(ccCoshValue(ccAcoshValue(w)), w, 8);
  EXPECT_CNEAR(ccTanhValue(ccAtanhValue(w)), w, 8);
  EXPECT_CNEAR(ccCothValue(ccAcothValue(w)), w, 8);
}

TEST(ComplexFunctions, RootsOfRealsAndOfUnity) {
  COMPLEX r;
  EXPECT_CNEAR(*ccRootOfUnity(&r, 4, 5), COMPLEX(0, 1), 2);
  EXPECT_TRUE(Identical(*ccRootOfUnity(&r, 0, 7), COMPLEX(1, 0)));
  EXPECT_TRUE(Identical(*ccRootOfUnity(&r, 1, 7), COMPLEX(1, 0)));
  EXPECT_CNEAR(*ccRootOfMinusOne(&r, 2, 0), COMPLEX(0, 1), 2);
  EXPECT_TRUE(Identical(*ccRootOfMinusOne(&r, 0, 3), COMPLEX(1, 0)));
  EXPECT_TRUE(Identical(*ccRootOfMinusOne(&r, 1, 3), COMPLEX(-1, 0)));
  EXPECT_CNEAR(*ccrRoot(&r, -8, 3, 0), COMPLEX(1, kSqrt3), 4);
  EXPECT_CNEAR(*ccrCbrt(&r, -8, 1), COMPLEX(-2, 0), 2);
  EXPECT_TRUE(Identical(*ccrRoot(&r, 0.0, 3, 1), COMPLEX(0, 0)));
  EXPECT_TRUE(Identical(*ccrRoot(&r, -5.5, 1, 1), COMPLEX(-5.5, 0)));
  ccrRoot(&r, 8, 0, 0);
  EXPECT_TRUE(std::isnan(r.re) && std::isnan(r.im));
  EXPECT_TRUE(Identical(*ccrSqrt(&r, 9, 0), COMPLEX(3, 0)));
  EXPECT_TRUE(Identical(*ccrSqrt(&r, -9, 0), COMPLEX(0, 3)));
  EXPECT_TRUE(Identical(*ccrSqrt(&r, -9, 3), COMPLEX(-0.0, -3)));
  // Every root of unity of order n to the n-th power is 1.
  for (Qword k = 0; k < 7; ++k)
    EXPECT_CNEAR(ccPowerUnsignedValue(ccRootOfUnityValue(7, k), 7), COMPLEX(1, 0), 16);
  EXPECT_CNEAR(*ccMagArg(&r, 2, kPi / 2), COMPLEX(0, 2), 2);
}

TEST(ComplexFunctions, Means) {
  COMPLEX z(1, 0);
  ccMeanAGM(&z, COMPLEX(2, 0));
  EXPECT_CNEAR(z, COMPLEX(1.4567910310469068, 0), 2);
  z = COMPLEX(1, 0);
  ccMeanAGM(&z, COMPLEX(-1, 0));
  EXPECT_TRUE(z == COMPLEX(0, 0)) << Show(z);
  // Every input ends, NaN and infinities included.
  z = COMPLEX(kNaN, 1);
  ccMeanAGM(&z, COMPLEX(1, 1));
  EXPECT_TRUE(std::isnan(z.re));
  z = COMPLEX(std::numeric_limits<double>::infinity(), 0);
  ccMeanAGM(&z, COMPLEX(1, 0));
  EXPECT_FALSE(std::isfinite(z.re));
  // The geometric mean lies on the side of the arithmetic mean.
  z = COMPLEX(-1, 0.5);
  ccMeanG(&z, COMPLEX(-2, -0.25));
  EXPECT_LT(z.re, 0);
  z = COMPLEX(1.5, -2);
  EXPECT_TRUE(Identical(*ccMeanA(&z, COMPLEX(0.5, 1)), COMPLEX(1, -0.5)));
}

TEST(ComplexFunctions, PartWiseOperations) {
  COMPLEX z(3, 4);
  EXPECT_TRUE(Identical(*ccConjugate(&z), COMPLEX(3, -4)));
  z = COMPLEX(3, 4);
  EXPECT_CNEAR(*ccAbsC1ArgC2(&z, COMPLEX(0, -2)), COMPLEX(0, -5), 1);
  z = COMPLEX(3, 4);
  EXPECT_TRUE(Identical(*ccAbsC1ArgC2(&z, COMPLEX(0, 0)), COMPLEX(0, 0)));
  z = COMPLEX(3, 4);
  ccAbsC1ArgC2(&z, COMPLEX(kNaN, 0));  // a NaN modulus counts as not 0
  EXPECT_TRUE(std::isnan(z.re));
  z = COMPLEX(1, 2);
  EXPECT_TRUE(Identical(*ccMulByConjugate(&z, COMPLEX(3, -1)), COMPLEX(1, 7)));
  z = COMPLEX(-1.5, 2.5);
  EXPECT_TRUE(Identical(*ccCopySign(&z, COMPLEX(3, -0.5)), COMPLEX(1.5, -2.5)));
  z = COMPLEX(-1.5, 2.5);
  EXPECT_TRUE(Identical(*ccCopySign(&z, COMPLEX(-0.0, -1)), COMPLEX(1.5, -2.5)));
  z = COMPLEX(-1.5, 2.5);
  EXPECT_TRUE(Identical(*ccFloor(&z), COMPLEX(-2, 2)));
  z = COMPLEX(-1.75, 2.25);
  COMPLEX ip;
  EXPECT_TRUE(Identical(*ccModf(&z, &ip), COMPLEX(-0.75, 0.25)));
  EXPECT_TRUE(Identical(ip, COMPLEX(-1, 2)));
  z = COMPLEX(-1.75, 2.25);
  EXPECT_TRUE(Identical(*ccModf(&z, nullptr), COMPLEX(-0.75, 0.25)));
}

TEST(ComplexFunctions, PowersOfTheModulus) {
  EXPECT_EQ(ciAbsPower(COMPLEX(3, 4), 0), 1);
  EXPECT_EQ(ciAbsPower(COMPLEX(3, 4), 1), 5);
  EXPECT_EQ(ciAbsPower(COMPLEX(3, 4), 2), 25);
  EXPECT_EQ(crAbsPower(COMPLEX(3, 4), 0.5), rPow(5, 0.5));
  EXPECT_EQ(crAbsPower(COMPLEX(3, 4), 0), 1);
  EXPECT_TRUE(std::isnan(crAbsPower(COMPLEX(3, 4), kNaN)));
  COMPLEX z(3, 4);
  EXPECT_CNEAR(*cciArgPower(&z, 2), COMPLEX(15, 20), 1);
  z = COMPLEX(3, 4);
  EXPECT_CNEAR(*ccrArgPower(&z, 0.0), COMPLEX(0.6, 0.8), 2);
  z = COMPLEX(3, 4);
  EXPECT_TRUE(Identical(*cciPower(&z, 2), COMPLEX(-7, 24)));
}

COMPLEX Square(COMPLEX z) { return z * z; }

TEST(ComplexFunctions, VariadicSumsAndProducts) {
  COMPLEX r;
  EXPECT_TRUE(Identical(*ccVaSum(&r, 0), COMPLEX(0, 0)));
  EXPECT_TRUE(Identical(*ccVaProduct(&r, 0), COMPLEX(1, 0)));
  EXPECT_TRUE(Identical(*ccVaSum(&r, 3, COMPLEX(1, 2), COMPLEX(-0.5, 0.25), COMPLEX(4, -1)),
                        COMPLEX(4.5, 1.25)));
  EXPECT_TRUE(
      Identical(*ccVaProduct(&r, 3, COMPLEX(1, 2), COMPLEX(3, -1), COMPLEX(0, 1)), COMPLEX(-5, 5)));
  EXPECT_TRUE(Identical(*ccVaSumFunc(&r, 2, Square, COMPLEX(1, 0), COMPLEX(2, 0)), COMPLEX(5, 0)));
  EXPECT_TRUE(Identical(*ccVaSumFunc(&r, 0, Square), COMPLEX(0, 0)));
  EXPECT_TRUE(
      Identical(*ccVaProductFunc(&r, 2, Square, COMPLEX(0, 1), COMPLEX(2, 0)), COMPLEX(-4, 0)));
  EXPECT_TRUE(Identical(*ccVaProductFunc(&r, 0, Square), COMPLEX(1, 0)));
  ccVaSumFunc(&r, 1, nullptr, COMPLEX(1, 0));
  EXPECT_TRUE(std::isnan(r.re));
  EXPECT_TRUE(Identical(*ccVaSumInv(&r, 2, COMPLEX(1, 0), COMPLEX(0, 0)), COMPLEX(0, 0)));
  EXPECT_TRUE(*ccVaSumInv(&r, 2, COMPLEX(2, 0), COMPLEX(2, 0)) == COMPLEX(1, 0));
  ccVaSumInv(&r, 0);
  EXPECT_TRUE(std::isnan(r.re) && std::isnan(r.im));
  // Parallel resistors: 1/(1/(1+i) + 1/(1-i)) = 1.
  EXPECT_CNEAR(*ccVaSumInv(&r, 2, COMPLEX(1, 1), COMPLEX(1, -1)), COMPLEX(1, 0), 1);
}

TEST(ComplexFunctions, TrigonometricIdentities) {
  const COMPLEX zs[] = {COMPLEX(0.75, 1.25), COMPLEX(-2.385, -0.5), COMPLEX(1.5, 3)};
  for (const COMPLEX z : zs) {
    const COMPLEX s = ccSinValue(z), c = ccCosValue(z);
    // The squares cancel: the error scales with their size.
    EXPECT_CNEAR(s * s + c * c, COMPLEX(1, 0), 4 * (cAbs2(s) + cAbs2(c)));
    EXPECT_CNEAR(ccSinhValue(z), 0.5 * (ccExpValue(z) - ccExpValue(-z)), 8);
    EXPECT_CNEAR(ccCoshValue(z), 0.5 * (ccExpValue(z) + ccExpValue(-z)), 8);
    EXPECT_CNEAR(ccTanValue(z) * ccCotValue(z), COMPLEX(1, 0), 8);
    EXPECT_CNEAR(ccTanhValue(z) * ccCothValue(z), COMPLEX(1, 0), 8);
  }
}

}  // namespace
