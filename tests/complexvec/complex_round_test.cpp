// Rounding both parts of a complex value to a quantum.
#include "complexvec/complex_functions.h"
#include "support/complex_accuracy.h"

using ctest::Identical;

namespace {

TEST(ComplexRound, BothPartsToAQuantum) {
  COMPLEX z(2.5, -2.5);
  EXPECT_TRUE(Identical(*ccRoundToEps(&z, 1), COMPLEX(3, -3)));
  z = COMPLEX(7.25, 1);
  EXPECT_TRUE(Identical(*ccRoundToEps(&z, 0), COMPLEX(7.25, 1)));
  z = COMPLEX(0.26, -0.74);
  ccRoundToEps(&z, 0.1);
  EXPECT_NEAR(z.re, 0.3, 1e-15);
  EXPECT_NEAR(z.im, -0.7, 1e-15);
  EXPECT_EQ(ccRoundToEps(nullptr, 0.1), nullptr);
}

}  // namespace
