// The inline Givens generator skips the divisions whose results are known
// (the larger side over itself is +-1, the hypotenuse's quotient over 1):
// it must give exactly the bits of the plain description, quotient by
// quotient, for every kind of input, NaN and infinity included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "scalar/elementary.h"
#include "scalar/hypot_givens_inline.h"
#include "scalar/numerical_tools.h"

namespace {

uint64_t Bits(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

// The plain description: m = fmax(|a|, |b|), d = rHypot(a/m, b/m),
// c = (a/m)/d, s = (b/m)/d, r = m d.
void PlainGivens(double* a, double* b, double* c, double* s) {
  const double m = std::fmax(std::fabs(*a), std::fabs(*b));
  double r = 0;
  if (m > 0) {
    const double x = *a / m, y = *b / m;
    const double d = rHypot(x, y);
    *c = x / d;
    *s = y / d;
    r = m * d;
  } else {
    *c = 1;
    *s = 0;
  }
  *a = r;
  *b = 0;
}

void ExpectSameBits(double a, double b) {
  double a1 = a, b1 = b, c1 = -7, s1 = -7;
  double a2 = a, b2 = b, c2 = -7, s2 = -7;
  PlainGivens(&a1, &b1, &c1, &s1);
  scalar::GivensRotationInline(&a2, &b2, &c2, &s2);
  EXPECT_EQ(Bits(a1), Bits(a2)) << a << ", " << b;
  EXPECT_EQ(Bits(b1), Bits(b2)) << a << ", " << b;
  EXPECT_EQ(Bits(c1), Bits(c2)) << a << ", " << b;
  EXPECT_EQ(Bits(s1), Bits(s2)) << a << ", " << b;
  // The exported generator is the same body.
  double a3 = a, b3 = b, c3 = -7, s3 = -7;
  rGivensRotation(&a3, &b3, &c3, &s3);
  EXPECT_EQ(Bits(a1), Bits(a3)) << a << ", " << b;
  EXPECT_EQ(Bits(c1), Bits(c3)) << a << ", " << b;
  EXPECT_EQ(Bits(s1), Bits(s3)) << a << ", " << b;
}

TEST(GivensInline, SameBitsAsThePlainDescriptionOnSpecialValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double tiny = std::numeric_limits<double>::denorm_min();
  const double big = std::numeric_limits<double>::max();
  const std::vector<double> v = {0.0,
                                 -0.0,
                                 1.0,
                                 -1.0,
                                 3.0,
                                 -4.0,
                                 1e-3,
                                 9.99e-4,
                                 1e-300,
                                 tiny,
                                 -tiny,
                                 big,
                                 -big,
                                 inf,
                                 -inf,
                                 nan,
                                 -nan,
                                 0.5,
                                 2.0,
                                 1e300,
                                 1e-310,
                                 7e-4,
                                 -1.0000000000000002};
  for (double a : v)
    for (double b : v) ExpectSameBits(a, b);
}

TEST(GivensInline, SameBitsAsThePlainDescriptionOnRandomPairs) {
  std::mt19937_64 g(39);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::uniform_int_distribution<int> ex(-40, 40);
  for (int i = 0; i < 200000; ++i) {
    const double a = std::ldexp(u(g), ex(g)), b = std::ldexp(u(g), ex(g));
    ExpectSameBits(a, b);
    ExpectSameBits(a, a * 1e-4);  // the short series of the hypotenuse
    ExpectSameBits(-b, b);        // equal magnitudes
  }
}

TEST(GivensInline, MaxIgnoringNaNIsFmaxOnMagnitudes) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double cases[][2] = {{0.0, 1.0}, {1.0, 0.0}, {2.0, 2.0},
                             {nan, 3.0}, {3.0, nan}, {0.0, 0.0}};
  for (const auto& c : cases)
    EXPECT_EQ(Bits(std::fmax(c[0], c[1])), Bits(scalar::MaxIgnoringNaN(c[0], c[1])));
  EXPECT_TRUE(std::isnan(scalar::MaxIgnoringNaN(nan, nan)));
}

}  // namespace
