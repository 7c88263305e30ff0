// K_0, K_1 below x = 2 and J_0, J_1 against mpmath (tools/
// gen_bessel_01_reference.py): relative error in eps for K, error in eps of
// the envelope max(|J|, sqrt(2/(pi x))) for J, whose zeros make the relative
// error meaningless. Worst and RMS printed per function.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "scalar/bessel.h"
#include "scalar/bessel_ik.h"
#include "support/accuracy.h"

namespace {
struct Bessel01Row {
  double x, v0, v1;
};
struct Bessel01EnvRow {
  double x, v0, v1, envelope;
};
#include "bessel_01_reference.inc"
}  // namespace

TEST(Bessel01, KBelowTwo) {
  // Rational forms on [1, 2), the fused series below: worst 4.4 and 5.4 eps,
  // rms 0.8 and 0.7 (the general series was 35.7 and 20.2, rms 14.4 and 6.8).
  AccuracyTally k0("K_0 (rBesselKnuDefinitive)", 8);
  AccuracyTally k1("K_1 (rBesselKnuDefinitive)", 8);
  for (const Bessel01Row& r : kK01Rows) {
    k0.Check(r.x, rBesselKnuDefinitive(r.x, 0), r.v0);
    k1.Check(r.x, rBesselKnuDefinitive(r.x, 1), r.v1);
  }
  // The series itself (orders 0 and 1 summed with I and psi along).
  AccuracyTally s0("rBesselKnSeries(x, 0)", 48);
  AccuracyTally s1("rBesselKnSeries(x, 1)", 48);
  for (const Bessel01Row& r : kK01Rows) {
    s0.Check(r.x, rBesselKnSeries(r.x, 0), r.v0);
    s1.Check(r.x, rBesselKnSeries(r.x, -1), r.v1);
  }
}

TEST(Bessel01, J) {
  // Dedicated forms: worst 1.9 and 3.1 eps, rms 0.5 and 0.6 (the
  // general-order path was 9.7 and 6.1, rms 1.4 and 1.2).
  AccuracyTally j0("J_0 (rBesselJn)", 6);
  AccuracyTally j1("J_1 (rBesselJn)", 6);
  for (const Bessel01EnvRow& r : kJ01Rows) {
    j0.CheckScaled(rBesselJn(r.x, 0), r.v0, r.envelope, At(r.x));
    j1.CheckScaled(rBesselJn(r.x, 1), r.v1, r.envelope, At(r.x));
  }
}
