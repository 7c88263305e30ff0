// The regularised incomplete beta against mpmath, in units in the last place
// of the correctly rounded value (tools/gen_beta_inc_accuracy_reference.py):
// shapes up to 1e5 and the arguments the t, F and binomial distributions
// pass, with nu up to 1e6.
//
// Before the prefactor was taken apart around its peak and the fraction's
// denominators were written with lambda = a - (a+b)x, the same rows gave
// worst 3.3e7 ulp (rms 1.6e6) where I >= 1e-10, 1.9e6 ulp down to 1e-50 and
// 4.2e4 ulp below.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "scalar/gamma.h"

namespace {
struct BetaIncRow {
  int kind;  // 0 shapes, 1 Student's t, 2 Fisher's F, 3 binomial
  double x, a, b, value;
};
#include "beta_inc_accuracy.inc"

double UlpsOff(double got, double want) {
  if (got == want) return 0;
  if (!std::isfinite(got)) return std::numeric_limits<double>::infinity();
  const double w = std::fabs(want);
  return std::fabs(got - want) / (std::nextafter(w, 2 * w + 1) - w);
}

// Worst and RMS of the error in ulp; the allowance of a row may grow with
// |ln I|, because below I = 1e-10 the value is e^E with E of that size and
// E itself is a double (its rounding alone is |E| eps/2 relative in e^E).
class BetaIncTally {
 public:
  BetaIncTally(const char* name, double base, double per_log)
      : name_(name), base_(base), per_log_(per_log) {}
  ~BetaIncTally() {
    if (count_ == 0) return;
    std::printf("[ ulp ] %-36s worst %8.2f ulp at I_%.17g(%.17g, %.17g), rms %7.3f ulp, %d rows\n",
                name_, worst_, wx_, wa_, wb_, std::sqrt(sum_sq_ / count_), count_);
  }
  void Check(const BetaIncRow& r) {
    const double got = rBetaIncReg(r.x, r.a, r.b);
    const double e = UlpsOff(got, r.value);
    const double allowed = base_ + per_log_ * std::fabs(std::log(r.value));
    EXPECT_LE(e, allowed) << "rBetaIncReg(" << r.x << ", " << r.a << ", " << r.b << ") = " << got
                          << ", want " << r.value;
    ++count_;
    if (std::isfinite(e)) sum_sq_ += e * e;
    if (e > worst_ || count_ == 1) {
      worst_ = e;
      wx_ = r.x;
      wa_ = r.a;
      wb_ = r.b;
    }
  }

 private:
  const char* name_;
  double base_, per_log_;
  double worst_ = 0, wx_ = 0, wa_ = 0, wb_ = 0, sum_sq_ = 0;
  int count_ = 0;
};

constexpr const char* kKindName[] = {
    "rBetaIncReg shapes, I >= 1e-10", "rBetaIncReg Student t, I >= 1e-10",
    "rBetaIncReg Fisher F, I >= 1e-10", "rBetaIncReg binomial, I >= 1e-10"};
}  // namespace

TEST(BetaIncAccuracy, ModerateValues) {
  // Worst 36 ulp (a = 94640, b = 298 at I = 1.8e-8), rms 4.4; 33 ulp where
  // the complement switch takes 1 - 0.887 (a = 140, b = 0.5).
  for (int kind = 0; kind < 4; ++kind) {
    BetaIncTally t(kKindName[kind], 48, 0);
    for (const BetaIncRow& r : kBetaIncRows)
      if (r.kind == kind && r.value >= 1e-10) t.Check(r);
  }
}

TEST(BetaIncAccuracy, Tails) {
  // About 2 |ln I| ulp: worst 963 ulp at I = 3.3e-223.
  BetaIncTally t("rBetaIncReg, I < 1e-10", 16, 3);
  for (const BetaIncRow& r : kBetaIncRows)
    if (r.value < 1e-10) t.Check(r);
}

TEST(BetaIncAccuracy, ComplementIsExact) {
  // Where 1 - x is exact, I_x(a, b) + I_(1-x)(b, a) = 1: the two calls take
  // opposite sides of the switch, with lambda of opposite signs.
  const double shapes[] = {0.7, 3.25, 11.5, 12.5, 240.0, 5.5e3, 7.7e4};
  double worst = 0;
  for (double a : shapes)
    for (double b : shapes)
      for (double z : {-3.0, -1.0, 0.0, 0.5, 2.0}) {
        const double m = a / (a + b);
        const double sd = std::sqrt(a * b / ((a + b) * (a + b) * (a + b + 1)));
        const double x = std::fmin(std::fmax(m + z * sd, 0.5), 1 - 1.0 / 1024);
        const double sum = rBetaIncReg(x, a, b) + rBetaIncReg(1.0 - x, b, a);
        worst = std::fmax(worst, std::fabs(sum - 1.0) / std::numeric_limits<double>::epsilon());
        EXPECT_NEAR(sum, 1.0, 16 * std::numeric_limits<double>::epsilon())
            << "x = " << x << ", a = " << a << ", b = " << b;
      }
  std::printf("[ accuracy ] rBetaIncReg complement sum worst %.1f eps\n", worst);
}
