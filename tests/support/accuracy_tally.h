// Worst and RMS error of a function over a table of reference values, in a
// unit the caller names (ulps of the reference, or eps times a scale),
// printed when the tally goes out of scope. Every row above the tolerance
// fails the test.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

// One unit in the last place of `want`: the spacing of doubles at its
// exponent.
inline double UlpOf(double want) {
  const double a = std::fabs(want);
  return std::nextafter(a, std::numeric_limits<double>::infinity()) - a;
}

class AccuracyTally {
 public:
  AccuracyTally(const char* name, double tolerance, const char* unit)
      : name_(name), unit_(unit), tolerance_(tolerance) {}
  AccuracyTally(const AccuracyTally&) = delete;
  AccuracyTally& operator=(const AccuracyTally&) = delete;
  ~AccuracyTally() {
    std::printf(
        "[accuracy] %-34s worst %8.2f %s at x = %.17g, rms %6.3f %s, %d rows (tolerance %g)\n",
        name_, worst_, unit_, where_, rows_ ? std::sqrt(sum_sq_ / rows_) : 0.0, unit_, rows_,
        tolerance_);
  }
  // |got - want| in units of `unit_size`: 0 when equal, +inf when `got` is
  // not finite.
  void Check(double x, double got, double want, double unit_size) {
    const double e = got == want           ? 0
                     : !std::isfinite(got) ? std::numeric_limits<double>::infinity()
                                           : std::fabs(got - want) / unit_size;
    EXPECT_LE(e, tolerance_) << name_ << "(" << x << "): got " << got << ", want " << want;
    ++rows_;
    sum_sq_ += e * e;
    if (!(e <= worst_)) {
      worst_ = e;
      where_ = x;
    }
  }
  void CheckUlp(double x, double got, double want) { Check(x, got, want, UlpOf(want)); }
  void CheckEps(double x, double got, double want, double scale) {
    Check(x, got, want, scale * std::numeric_limits<double>::epsilon());
  }

 private:
  const char* name_;
  const char* unit_;
  double tolerance_;
  double worst_ = 0, where_ = 0, sum_sq_ = 0;
  int rows_ = 0;
};
