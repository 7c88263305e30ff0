// Row types of the generated gamma, zeta and special-number reference
// tables, and the tracker that reports the worst error of a table in units
// of ___EpsReal.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "base/types.h"

struct Ref1 {
  double x, v;
};
struct Ref2 {
  double x, v1, v2;
};
struct Ref3 {
  double a, x, v1, v2;
};
struct Ref4 {
  double x, a, b, v1, v2;
};
struct RefI {
  Qlong n;
  double v;
};
struct RefAz {
  double x;
  Qword order;
  double v;
};
struct RefNum1 {
  Qword n;
  double v;
};
struct RefNum2 {
  Qword n;
  double v1, v2;
};
struct RefStirling {
  Qword n, k;
  double c1, s2;  // 0: beyond the double range
};
struct RefBinom {
  Qlong n, k;
  double v;
};

// Relative error in eps against max(|expected|, floor): floor 0 is the plain
// relative error; floor 1 measures log-like results, whose absolute error is
// what matters, absolutely below 1.
class WorstError {
 public:
  WorstError(const char* name, double tol_eps, double floor = 0)
      : name_(name), tol_(tol_eps), floor_(floor) {}
  ~WorstError() {
    std::printf("[ accuracy ] %-28s worst %10.1f eps (tolerance %g) at %s\n", name_, worst_, tol_,
                where_.c_str());
  }
  void Check(double got, double expected, const std::string& call) {
    const double scale = std::fmax(std::fabs(expected), floor_);
    const double err =
        got == expected ? 0.0 : std::fabs(got - expected) / (scale * 2.220446049250313e-16);
    if (!(err <= tol_)) {
      ADD_FAILURE() << call << ": expected " << expected << ", got " << got << ", error " << err
                    << " eps, tolerance " << tol_ << " eps";
    }
    if (err > worst_ || std::isnan(err)) {
      worst_ = err;
      where_ = call;
    }
  }

 private:
  const char* name_;
  double tol_;
  double floor_;
  double worst_ = 0;
  std::string where_ = "-";
};

inline std::string Call(const char* fn, double a) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s(%.17g)", fn, a);
  return buf;
}
inline std::string Call(const char* fn, double a, double b) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%s(%.17g, %.17g)", fn, a, b);
  return buf;
}
inline std::string Call(const char* fn, double a, double b, double c) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s(%.17g, %.17g, %.17g)", fn, a, b, c);
  return buf;
}
