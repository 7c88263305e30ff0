// Modified Bessel functions I and K and the Airy functions against mpmath
// references (tools/gen_bessel_ik_reference.py), error in eps, worst row
// printed per function.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "scalar/bessel_ik.h"
#include "support/accuracy.h"

struct BesselRefRow {
  double x, nu, value;
};
struct AiryRefRow {
  double x, ai, bi, envelope;
};

#include "bessel_ik_reference.inc"

namespace {
bool IsInteger(double v) { return v == std::floor(v); }
}  // namespace

// Tolerances in eps (1e-13 relative is 450 eps); the tolerance of the
// orders above 100 is set per row.
TEST(BesselIK, IAgainstReference) {
  AccuracyTally definitive("rBesselInuDefinitive", 256);
  AccuracyTally integer("rBesselIn", 256);
  AccuracyTally i0("rBessel_I0", 16);
  for (const BesselRefRow& r : kBesselIRef) {
    definitive.Check(rBesselInuDefinitive(r.x, r.nu), r.value, At(r.x, r.nu));
    if (IsInteger(r.nu))
      integer.Check(rBesselIn(r.x, static_cast<Qlong>(r.nu)), r.value, At(r.x, r.nu));
    if (r.nu == 0) i0.Check(rBessel_I0(r.x), r.value, At(r.x, 0));
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
  AccuracyTally definitive("rBesselKnuDefinitive", 128);
  AccuracyTally knu("rBessel_Knu", 32);
  AccuracyTally high("K, orders above 100", 0);
  AccuracyTally k0("rBesselK0", 16);
  AccuracyTally rat("rBesselK0Rat/K1Rat", 16);
  AccuracyTally series("rBesselKnSeries x<=2", 64);
  for (const BesselRefRow& r : kBesselKRef) {
    if (std::fabs(r.nu) > 100) {
      high.CheckScaled(rBesselKnuDefinitive(r.x, r.nu), r.value, 0, At(r.x, r.nu),
                       KOrderTolerance(128, r.nu));
      high.CheckScaled(rBessel_Knu(r.x, r.nu), r.value, 0, At(r.x, r.nu),
                       KOrderTolerance(32, r.nu));
      continue;
    }
    definitive.Check(rBesselKnuDefinitive(r.x, r.nu), r.value, At(r.x, r.nu));
    knu.Check(rBessel_Knu(r.x, r.nu), r.value, At(r.x, r.nu));
    if (r.nu == 0) k0.Check(rBesselK0(r.x), r.value, At(r.x, 0));
    if (r.nu == 0 && r.x >= 1) rat.Check(rBesselK0Rat(r.x), r.value, At(r.x, 0));
    if (r.nu == 1 && r.x >= 1) rat.Check(rBesselK1Rat(r.x), r.value, At(r.x, 1));
    // The series is the method of small arguments; beyond 2 it cancels.
    if (IsInteger(r.nu) && r.nu <= 30 && r.x <= 2) {
      series.Check(rBesselKnSeries(r.x, static_cast<Qlong>(r.nu)), r.value, At(r.x, r.nu));
    }
  }
}

// Relative where the functions do not oscillate (x >= -1), absolute in
// units of the envelope |x|^-1/4/sqrt(pi) below.
TEST(Airy, AgainstReference) {
  AccuracyTally ai("rAi", 32);
  AccuracyTally bi("rBi", 32);
  for (const AiryRefRow& r : kAiryRef) {
    ai.CheckScaled(rAi(r.x), r.ai, r.envelope, At(r.x));
    bi.CheckScaled(rBi(r.x), r.bi, r.envelope, At(r.x));
  }
}
