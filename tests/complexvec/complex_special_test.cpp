// The complex functions built on the gamma family: edge cases beside
// their reference table.
#include <cmath>

#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "scalar/real_helpers.h"
#include "support/complex_accuracy.h"

using ctest::ErrorEps;
using ctest::Identical;
using ctest::Show;

namespace {

const double kPi = 3.141592653589793;
const double kLn2 = 0.6931471805599453;

TEST(ComplexSpecial, LogarithmDerivativesAndAntiderivatives) {
  struct {
    Qlong n;
    COMPLEX want;
  } rows[] = {
      {7, COMPLEX(5.625, 0)},
      {6, COMPLEX(-120.0 / 64, 0)},
      {-1, COMPLEX(2 * kLn2 - 2, 0)},
      {1, COMPLEX(0.5, 0)},
      {2, COMPLEX(-0.25, 0)},
      {3, COMPLEX(0.25, 0)},
      {4, COMPLEX(-6.0 / 16, 0)},
      {5, COMPLEX(24.0 / 32, 0)},
      {0, COMPLEX(kLn2, 0)},
      {Qlong{1} << 32, COMPLEX(kLn2, 0)},
      {(Qlong{1} << 32) + 1, COMPLEX(0.5, 0)},
  };
  // From order 6 on the value is exp(ln Gamma(n) - n ln z): the rounding of
  // the exponent makes it the 256-eps class.
  for (const auto& r : rows) {
    COMPLEX w(2, 0);
    ccLogAD(&w, r.n, 0);
    EXPECT_CNEAR(w, r.want, r.n >= 6 && r.n < 100 ? 256 : 16);
  }
  // Derivatives ignore the branch; antiderivatives carry it.
  COMPLEX a(2, 0), b(2, 0);
  ccLogAD(&a, 7, 0);
  ccLogAD(&b, 7, 5);
  EXPECT_TRUE(Identical(a, b));
}

TEST(ComplexSpecial, IntegralOfPowerTimesLogPower) {
  struct {
    COMPLEX z;
    Qword n, m;
    COMPLEX want;
  } rows[] = {
      {COMPLEX(1, 0), 0, 1, COMPLEX(-1, 0)},
      {COMPLEX(1, 0), 0, 2, COMPLEX(2, 0)},
      {COMPLEX(2, 0), 1, 0, COMPLEX(2, 0)},
      {COMPLEX(0, 0), 3, 2, COMPLEX(0, 0)},
  };
  for (const auto& r : rows) {
    COMPLEX z = r.z;
    ccAS4_1_51(&z, r.n, r.m, 0);
    EXPECT_CNEAR(z, r.want, 2);
  }
}

TEST(ComplexSpecial, FactorialScaling) {
  COMPLEX z(0, 0);
  EXPECT_TRUE(Identical(*ccDivByFact(&z, 5), COMPLEX(0, 0)));
  z = COMPLEX(3, 4);
  EXPECT_CNEAR(*ccDivByFact(&z, 4), COMPLEX(0.125, 1.0 / 6), 2);
  z = COMPLEX(3, 4);
  EXPECT_CNEAR(*ccMulByFact(&z, 4), COMPLEX(72, 96), 2);
  // n! overflows, the product does not.
  EXPECT_EQ(ccDivByFact(nullptr, 3), nullptr);
  z = COMPLEX(3e-300, 4e-300);
  ccMulByFact(&z, 171);
  EXPECT_TRUE(std::isfinite(z.re) && z.re > 0) << Show(z);
}

}  // namespace
