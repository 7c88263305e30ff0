// Table-driven accuracy checks of special functions against reference
// values: error in units of epsilon, tolerance classes, worst and RMS error
// reported per table.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "base/types.h"

struct RefRow {
  double x;
  double value;
};
struct RefRowN {
  double x;
  Qword n;
  double value;
};

// Tolerance classes in units of epsilon; the same in every build.
inline constexpr double kTol0 = 2;
inline constexpr double kTol1 = 16;
inline constexpr double kTol2 = 256;
inline constexpr double kTol3 = 2048;
inline constexpr double kTol4 = 16384;

inline constexpr double kEps = std::numeric_limits<double>::epsilon();

// |got - want| / max(|want|, floor) in units of epsilon; a floor > 0 turns
// the relative error into an absolute one near zeros of the function.
inline double ErrorInEps(double got, double want, double floor = 0) {
  if (got == want) return 0;
  if (std::isnan(got) || std::isnan(want)) return std::numeric_limits<double>::infinity();
  const double scale = std::fmax(std::fabs(want), floor);
  if (scale == 0) return std::numeric_limits<double>::infinity();
  return std::fabs(got - want) / scale / kEps;
}

// Collects the error of each row, fails the rows beyond the tolerance and
// prints the table's worst and RMS error.
class AccuracyTally {
 public:
  AccuracyTally(const char* name, double tol_eps, double floor = 0)
      : name_(name), tol_(tol_eps), floor_(floor) {}
  ~AccuracyTally() {
    if (count_ == 0) return;
    std::printf(
        "[accuracy] %-24s worst %10.2f eps at x = %.17g (n = %llu), rms %8.2f eps, %d rows\n",
        name_, worst_, worst_x_, static_cast<unsigned long long>(worst_n_),
        std::sqrt(sum_sq_ / count_), count_);
  }
  void Check(double x, double got, double want, Qword n = 0) {
    const double e = ErrorInEps(got, want, floor_);
    EXPECT_LE(e, tol_) << name_ << "(" << x << ", n = " << n << "): expected " << want
                       << ", obtained " << got << ", error " << e << " eps, tolerance " << tol_;
    ++count_;
    if (std::isfinite(e)) sum_sq_ += e * e;
    if (e > worst_ || count_ == 1) {
      worst_ = e;
      worst_x_ = x;
      worst_n_ = n;
    }
  }

 private:
  const char* name_;
  double tol_;
  double floor_;
  double worst_ = 0;
  double worst_x_ = 0;
  Qword worst_n_ = 0;
  double sum_sq_ = 0;
  int count_ = 0;
};

template <size_t N, class F>
void CheckTable(const char* name, const RefRow (&rows)[N], F f, double tol_eps, double floor = 0) {
  AccuracyTally tally(name, tol_eps, floor);
  for (const RefRow& r : rows) tally.Check(r.x, f(r.x), r.value);
}
