// Shared helpers of the complex tests: tolerance classes in units of epsilon
// and the error measures the tables are checked with.
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "complexvec/complex.h"

namespace ctest {

constexpr double kEps = 2.220446049250313e-16;
// Tolerance classes, the same in every build.
constexpr double kTol0 = 2;
constexpr double kTol1 = 16;
constexpr double kTol2 = 256;
constexpr double kTol3 = 2048;

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
// exact zero reference gives the absolute error in units of epsilon.
inline double ErrorEps(COMPLEX got, COMPLEX want) {
  const double d = std::hypot(got.re - want.re, got.im - want.im);
  const double m = std::hypot(want.re, want.im);
  if (std::isnan(d)) return INFINITY;
  return (m > 0 ? d / m : d) / kEps;
}

// Relative error of one real in units of epsilon.
inline double RealErrorEps(double got, double want) {
  if (got == want) return 0;
  const double d = std::fabs(got - want);
  if (std::isnan(d)) return INFINITY;
  return (want != 0 ? d / std::fabs(want) : d) / kEps;
}

// Keeps the worst error of a table and prints it with its row.
struct Worst {
  double eps = 0;
  std::string row;
  void Note(double e, const std::string& where) {
    if (e > eps) {
      eps = e;
      row = where;
    }
  }
  void Report(const char* table) const {
    std::printf("    %s: worst %.2f eps%s%s\n", table, eps, row.empty() ? "" : " at ", row.c_str());
  }
};

}  // namespace ctest

// Within a few ulp of the expected value, normwise.
#define EXPECT_CNEAR(got, want, tol)                                        \
  do {                                                                      \
    const COMPLEX g_ = (got), w_ = (want);                                  \
    EXPECT_LE(ctest::ErrorEps(g_, w_), tol)                                 \
        << #got << " = " << ctest::Show(g_) << " want " << ctest::Show(w_); \
  } while (0)
