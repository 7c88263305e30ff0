// Modified Bessel functions I and K and the Airy functions against mpmath
// references (tools/gen_bessel_ik_reference.py), error in eps, worst row
// printed per function.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "scalar/bessel_ik.h"

struct BesselRefRow {
  double x, nu, value;
};
struct AiryRefRow {
  double x, ai, bi, envelope;
};

#include "bessel_ik_reference.inc"

namespace {
constexpr double kEps = 2.220446049250313e-16;

class Worst {
 public:
  Worst(const char* name, double tol) : name_(name), tol_(tol) {}
  ~Worst() {
    std::printf("[accuracy] %-22s worst %9.1f eps at x = %.17g, nu = %.17g (%d rows)\n", name_,
                worst_, wx_, wnu_, rows_);
  }
  // scale 0: relative to the value itself.
  void Check(double x, double nu, double got, double want, double scale = 0, double tol = 0) {
    ++rows_;
    if (tol == 0) tol = tol_;
    const double s = scale > 0 ? scale : std::fabs(want);
    double e = got == want ? 0 : std::fabs(got - want) / (s * kEps);
    if (std::isnan(e)) e = INFINITY;
    EXPECT_LE(e, tol) << name_ << "(" << x << ", " << nu << "): expected " << want << ", got "
                      << got;
    if (e > worst_) {
      worst_ = e;
      wx_ = x;
      wnu_ = nu;
    }
  }

 private:
  const char* name_;
  double tol_;
  double worst_ = 0, wx_ = 0, wnu_ = 0;
  int rows_ = 0;
};

bool IsInteger(double v) { return v == std::floor(v); }
}  // namespace

// Tolerances in eps; 1e-13 relative is 450 eps.
TEST(BesselIK, IAgainstReference) {
  Worst definitive("rBesselInuDefinitive", 256);
  Worst integer("rBesselIn", 256);
  Worst i0("rBessel_I0", 16);
  for (const BesselRefRow& r : kBesselIRef) {
    definitive.Check(r.x, r.nu, rBesselInuDefinitive(r.x, r.nu), r.value);
    if (IsInteger(r.nu))
      integer.Check(r.x, r.nu, rBesselIn(r.x, static_cast<Qlong>(r.nu)), r.value);
    if (r.nu == 0) i0.Check(r.x, 0, rBessel_I0(r.x), r.value);
  }
}

// K of high order is reached by the upward recurrence, whose rounding adds
// up to about 0.1 eps per step, and above 1e5 by Debye's expansion, whose
// exponent nu·eta cancels to about nu/2 eps.
double KOrderTolerance(double base, double nu) {
  nu = std::fabs(nu);
  return nu > 1e5 ? base + 0.5 * nu : base + 0.1 * nu;
}

TEST(BesselIK, KAgainstReference) {
  Worst definitive("rBesselKnuDefinitive", 128);
  Worst knu("rBessel_Knu", 32);
  Worst high("K, orders above 100", 0);  // tolerance per row
  Worst k0("rBesselK0", 16);
  Worst rat("rBesselK0Rat/K1Rat", 16);
  Worst series("rBesselKnSeries x<=2", 64);
  for (const BesselRefRow& r : kBesselKRef) {
    if (std::fabs(r.nu) > 100) {
      high.Check(r.x, r.nu, rBesselKnuDefinitive(r.x, r.nu), r.value, 0,
                 KOrderTolerance(128, r.nu));
      high.Check(r.x, r.nu, rBessel_Knu(r.x, r.nu), r.value, 0, KOrderTolerance(32, r.nu));
      continue;
    }
    definitive.Check(r.x, r.nu, rBesselKnuDefinitive(r.x, r.nu), r.value);
    knu.Check(r.x, r.nu, rBessel_Knu(r.x, r.nu), r.value);
    if (r.nu == 0) k0.Check(r.x, 0, rBesselK0(r.x), r.value);
    if (r.nu == 0 && r.x >= 1) rat.Check(r.x, 0, rBesselK0Rat(r.x), r.value);
    if (r.nu == 1 && r.x >= 1) rat.Check(r.x, 1, rBesselK1Rat(r.x), r.value);
    // The series is the method of small arguments; beyond 2 it cancels.
    if (IsInteger(r.nu) && r.nu <= 30 && r.x <= 2) {
      series.Check(r.x, r.nu, rBesselKnSeries(r.x, static_cast<Qlong>(r.nu)), r.value);
    }
  }
}

// Relative where the functions do not oscillate (x >= -1), absolute in
// units of the envelope |x|^-1/4/sqrt(pi) below.
TEST(Airy, AgainstReference) {
  Worst ai("rAi", 32);
  Worst bi("rBi", 32);
  for (const AiryRefRow& r : kAiryRef) {
    ai.Check(r.x, 0, rAi(r.x), r.ai, r.envelope);
    bi.Check(r.x, 0, rBi(r.x), r.bi, r.envelope);
  }
}
