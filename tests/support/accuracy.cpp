#include "accuracy.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char buf[128];
  std::snprintf(buf, sizeof buf, format, a, b, c);
  return buf;
}
std::string Format(const char* format, const char* fn, double a, double b = 0, double c = 0) {
  char buf[192];
  std::snprintf(buf, sizeof buf, format, fn, a, b, c);
  return buf;
}
}  // namespace

double RelativeError(double got, double want, double floor) {
  if (got == want || (std::isnan(got) && std::isnan(want))) return 0;
  const double d = std::fabs(got - want);
  if (std::isnan(d) || std::isinf(d)) return kInf;
  const double scale = std::fmax(std::fabs(want), floor);
  if (scale == 0) return kInf;
  return d / scale;
}

double ErrorInEps(double got, double want, double floor) {
  return RelativeError(got, want, floor) / kEps;
}

double UlpError(double got, double want) {
  if (got == want || (std::isnan(got) && std::isnan(want))) return 0;
  if (!std::isfinite(got) || !std::isfinite(want)) return kInf;
  const double a = std::fabs(want);
  return std::fabs(got - want) / (std::nextafter(a, kInf) - a);
}

::testing::AssertionResult WithinEps(double got, double want, double tol_eps, double floor) {
  const double e = ErrorInEps(got, want, floor);
  if (e <= tol_eps) return ::testing::AssertionSuccess();
  char buf[160];
  std::snprintf(buf, sizeof buf, "got %.17g, want %.17g: error %g eps, tolerance %g", got, want, e,
                tol_eps);
  return ::testing::AssertionFailure() << buf;
}

std::string At(double x) { return Format("x = %.17g", x); }
std::string At(double a, double b) { return Format("(%.17g, %.17g)", a, b); }
std::string At(double a, double b, double c) { return Format("(%.17g, %.17g, %.17g)", a, b, c); }
std::string Call(const char* fn, double a) { return Format("%s(%.17g)", fn, a); }
std::string Call(const char* fn, double a, double b) {
  return Format("%s(%.17g, %.17g)", fn, a, b);
}
std::string Call(const char* fn, double a, double b, double c) {
  return Format("%s(%.17g, %.17g, %.17g)", fn, a, b, c);
}

AccuracyTally::AccuracyTally(std::string name, double tol, double floor)
    : name_(std::move(name)), tol_(tol), floor_(floor) {}

AccuracyTally::AccuracyTally(std::string name, double tol, Measure measure)
    : name_(std::move(name)), tol_(tol), measure_(measure) {}

AccuracyTally::~AccuracyTally() {
  if (count_ == 0) return;
  const char* unit = measure_ == Measure::kUlp ? "ulp" : "eps";
  char tol[32] = "per row";
  if (!tol_per_row_) std::snprintf(tol, sizeof tol, "%g", tol_);
  std::printf("[ accuracy ] %-30s worst %9.3g %s at %s, rms %8.3g %s, %d rows (tolerance %s)\n",
              name_.c_str(), worst_, unit, worst_where_.c_str(), rms(), unit, count_, tol);
}

double AccuracyTally::rms() const { return count_ == 0 ? 0 : std::sqrt(sum_sq_ / count_); }

double AccuracyTally::Error(double got, double want, double floor) const {
  return measure_ == Measure::kUlp ? UlpError(got, want) : ErrorInEps(got, want, floor);
}

void AccuracyTally::Row(double got, double want, double floor, double tol,
                        const std::string& where) {
  char detail[96];
  std::snprintf(detail, sizeof detail, "expected %.17g, got %.17g", want, got);
  Add(Error(got, want, floor), where, tol, detail);
}

void AccuracyTally::Check(double x, double got, double want) {
  const double e = Error(got, want, floor_);
  // The row's text is made only when it is needed.
  if (e <= tol_ && e <= worst_ && count_ > 0) {
    ++count_;
    sum_sq_ += e * e;
    return;
  }
  Row(got, want, floor_, tol_, At(x));
}

void AccuracyTally::Check(double x, double got, double want, Qword n) {
  char where[96];
  std::snprintf(where, sizeof where, "x = %.17g, n = %llu", x, static_cast<unsigned long long>(n));
  Row(got, want, floor_, tol_, where);
}

void AccuracyTally::Check(double got, double want, const std::string& where) {
  Row(got, want, floor_, tol_, where);
}

void AccuracyTally::CheckScaled(double got, double want, double floor, const std::string& where,
                                double tol) {
  Row(got, want, floor, tol == 0 ? tol_ : tol, where);
}

bool AccuracyTally::Add(double error, const std::string& where, double tol,
                        const std::string& detail) {
  const bool within = error <= tol;
  if (tol != tol_) tol_per_row_ = true;
  if (!within) {
    ADD_FAILURE() << name_ << " at " << where << (detail.empty() ? "" : ": ") << detail
                  << ", error " << error << (measure_ == Measure::kUlp ? " ulp" : " eps")
                  << ", tolerance " << tol;
  }
  ++count_;
  // An infinite or NaN error counts into the worst, not into the RMS.
  if (std::isfinite(error)) sum_sq_ += error * error;
  // A NaN error is the worst there can be and stays so.
  if (count_ == 1 || (!std::isnan(worst_) && (std::isnan(error) || error > worst_))) {
    worst_ = error;
    worst_where_ = where;
  }
  return within;
}
