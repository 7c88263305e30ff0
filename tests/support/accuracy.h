// The accuracy harness of every test program: the machine epsilon, the
// tolerance classes, the error measures (relative error in units of epsilon,
// distance in ulps) and the one tally that fails the rows beyond a tolerance
// and prints the worst and RMS error of a table. Define none of these names
// again in a test: two definitions of one name in one test program break
// the one-definition rule without a word from the linker.
#pragma once
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/types.h"

inline constexpr double kEps = std::numeric_limits<double>::epsilon();

// Tolerance classes in units of epsilon; the same in every build.
inline constexpr double kTol0 = 2;      // one correctly rounded operation, a few exact ones
inline constexpr double kTol1 = 16;     // short computations
inline constexpr double kTol2 = 256;    // series, recurrences, ill-conditioned corners
inline constexpr double kTol3 = 2048;   // long recurrences, cancellation the method bounds
inline constexpr double kTol4 = 16384;  // loosest class

// |got - want| / max(|want|, floor) in units of epsilon. Equal values
// (infinities of one sign, two NaNs) give 0; a NaN or infinity against
// anything else, and any difference where max(|want|, floor) is 0, give
// infinity. A floor > 0 turns the relative error into an absolute one where
// the function passes through zero.
double ErrorInEps(double got, double want, double floor = 0);
// Plain relative error |got - want| / max(|want|, floor), same rules, not
// scaled by epsilon: for bounds stated as fractions (1e-13).
double RelativeError(double got, double want, double floor = 0);
// Distance of got from want in units of the spacing of doubles at want
// (one ulp above |want|): 0.5 at most for a correctly rounded result.
double UlpError(double got, double want);

// For single checks: EXPECT_TRUE(WithinEps(got, want, 16)) passes when
// ErrorInEps(got, want, floor) <= tol_eps and says both values and the
// error when not.
::testing::AssertionResult WithinEps(double got, double want, double tol_eps, double floor = 0);

// Row descriptions for reports and failure messages, %.17g so that a row
// can be pasted back: At(x) "x = ...", At(x, y) "(x, y)", Call("f", x, y)
// "f(x, y)".
std::string At(double x);
std::string At(double a, double b);
std::string At(double a, double b, double c);
std::string Call(const char* fn, double a);
std::string Call(const char* fn, double a, double b);
std::string Call(const char* fn, double a, double b, double c);

// How a tally measures a row.
enum class Measure {
  kEps,  // ErrorInEps against max(|want|, the tally's floor)
  kUlp,  // UlpError
};

// Collects the error of every row of a table, fails each row beyond its
// tolerance (a NaN error fails too) and, on destruction, prints the worst
// error with the row where it was, the RMS error and the row count.
class AccuracyTally {
 public:
  AccuracyTally(std::string name, double tol, double floor = 0);
  AccuracyTally(std::string name, double tol, Measure measure);
  AccuracyTally(const AccuracyTally&) = delete;
  AccuracyTally& operator=(const AccuracyTally&) = delete;
  ~AccuracyTally();

  // One row at argument x (and order n when the function has one).
  void Check(double x, double got, double want);
  void Check(double x, double got, double want, Qword n);
  // One row described by `where` (see Call and At).
  void Check(double got, double want, const std::string& where);
  // One row with a floor of its own (an envelope, a row-dependent scale)
  // and optionally a tolerance of its own (0: the tally's).
  void CheckScaled(double got, double want, double floor, const std::string& where, double tol = 0);
  // An error the caller measured, in the tally's unit; `detail` goes into
  // the failure message. Returns whether the row is within `tol`.
  bool Add(double error, const std::string& where, double tol, const std::string& detail = "");
  bool Add(double error, const std::string& where) { return Add(error, where, tol_); }

  int count() const { return count_; }
  double worst() const { return worst_; }
  const std::string& worst_where() const { return worst_where_; }
  double rms() const;

 private:
  double Error(double got, double want, double floor) const;
  void Row(double got, double want, double floor, double tol, const std::string& where);

  std::string name_;
  double tol_;
  double floor_ = 0;
  Measure measure_ = Measure::kEps;
  double worst_ = 0;
  std::string worst_where_ = "-";
  double sum_sq_ = 0;
  int count_ = 0;
  bool tol_per_row_ = false;  // some row had a tolerance of its own
};
