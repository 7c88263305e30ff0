// The accuracy harness for complex values: bit identity (signs of zeros and
// NaN count), a printable form, and the normwise error in units of epsilon.
// Tallies, tolerance classes and kEps are the ones of accuracy.h.
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "accuracy.h"
#include "complexvec/complex.h"

namespace ctest {

inline uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

// Same value bit for bit, so the signs of zeros and NaN count.
inline bool Identical(COMPLEX a, COMPLEX b) {
  return Bits(a.re) == Bits(b.re) && Bits(a.im) == Bits(b.im);
}

inline std::string Show(COMPLEX z) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "(%.17g, %.17g)", z.re, z.im);
  return buf;
}

// Normwise relative error |got - want| / |want| in units of epsilon; an
// exact zero reference gives the absolute error in units of epsilon (the
// complex functions' zeros are exact, their neighbourhood is not).
inline double ErrorEps(COMPLEX got, COMPLEX want) {
  const double d = std::hypot(got.re - want.re, got.im - want.im);
  const double m = std::hypot(want.re, want.im);
  if (std::isnan(d)) return INFINITY;
  return (m > 0 ? d / m : d) / kEps;
}

}  // namespace ctest

// Within a few ulp of the expected value, normwise.
#define EXPECT_CNEAR(got, want, tol)                                        \
  do {                                                                      \
    const COMPLEX g_ = (got), w_ = (want);                                  \
    EXPECT_LE(ctest::ErrorEps(g_, w_), tol)                                 \
        << #got << " = " << ctest::Show(g_) << " want " << ctest::Show(w_); \
  } while (0)
