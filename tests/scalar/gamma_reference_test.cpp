// The gamma family against mpmath reference tables (tools/
// gen_gamma_zeta_reference.py). Tolerances are what the library's
// algorithms reach, in units of ___EpsReal; each table prints its worst row.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_rows.h"
#include "scalar/gamma.h"

namespace {
#include "gamma_reference.inc"

}  // namespace

TEST(GammaReference, LogGamma) {
  // Absolute error below 1 (the relative error near the zeros at 1 and 2 is
  // measured in ulps by gamma_ulp_test.cpp).
  AccuracyTally e("rGammaLn", 32, 1.0);
  for (const Ref1& r : kGammaLnRef) e.Check(rGammaLn(r.x), r.v, Call("rGammaLn", r.x));
}

TEST(GammaReference, Gamma) {
  // A loose bound scaled with |ln Gamma(x)|, as for a value made by exp of
  // the logarithm; gamma_ulp_test.cpp holds the ulp bound.
  AccuracyTally e("rGamma / max(1, |lnGamma|)", 32);
  for (const Ref1& r : kGammaRef) {
    const double scale = std::fmax(1.0, std::fabs(std::log(std::fabs(r.v))));
    e.Check(r.v + (rGamma(r.x) - r.v) / scale, r.v, Call("rGamma", r.x));
  }
}

TEST(GammaReference, ReciprocalGamma) {
  AccuracyTally e("r1DivGamma / max(1, |lnGamma|)", 32);
  for (const Ref1& r : kGammaRef) {
    const double scale = std::fmax(1.0, std::fabs(std::log(std::fabs(r.v))));
    const double inv = 1.0 / r.v;
    e.Check(inv + (r1DivGamma(r.x) - inv) / scale, inv, Call("r1DivGamma", r.x));
  }
}

TEST(GammaReference, DigammaTrigamma) {
  // Digamma has a zero near 1.4616 and the negative axis: absolute error
  // below 1.
  AccuracyTally e0("rPsi0", 8, 1.0);
  AccuracyTally e1("rPsi1", 8);
  for (const Ref2& r : kPsiRef) {
    e0.Check(rPsi0(r.x), r.v1, Call("rPsi0", r.x));
    e1.Check(rPsi1(r.x), r.v2, Call("rPsi1", r.x));
  }
}

TEST(GammaReference, RegularisedIncompleteGamma) {
  AccuracyTally ep("rGammaIncP", 2048);
  AccuracyTally eq("rGammaIncQ", 2048);
  for (const Ref3& r : kGammaIncRef) {
    ep.Check(rGammaIncP(r.a, r.x), r.v1, Call("rGammaIncP", r.a, r.x));
    eq.Check(rGammaIncQ(r.a, r.x), r.v2, Call("rGammaIncQ", r.a, r.x));
  }
}

TEST(GammaReference, RegularisedIncompleteGammaLargeShape) {
  AccuracyTally ep("rGammaIncP large a", 8192);
  AccuracyTally eq("rGammaIncQ large a", 8192);
  for (const Ref3& r : kGammaIncLargeRef) {
    ep.Check(rGammaIncP(r.a, r.x), r.v1, Call("rGammaIncP", r.a, r.x));
    eq.Check(rGammaIncQ(r.a, r.x), r.v2, Call("rGammaIncQ", r.a, r.x));
  }
}

TEST(GammaReference, IncompleteGamma) {
  AccuracyTally el("rGammaIncLower", 512);
  AccuracyTally eu("rGammaIncUpper", 512);
  for (const Ref3& r : kGammaIncUnregRef) {
    el.Check(rGammaIncLower(r.a, r.x), r.v1, Call("rGammaIncLower", r.a, r.x));
    eu.Check(rGammaIncUpper(r.a, r.x), r.v2, Call("rGammaIncUpper", r.a, r.x));
  }
}

TEST(GammaReference, Beta) {
  AccuracyTally el("rBetaLn", 2048, 1.0);
  // Beyond 171 the value comes from exp(ln B): ln B's absolute error, up to
  // a few hundred units, becomes relative error.
  AccuracyTally eb("rBeta", 4096);
  for (const Ref3& r : kBetaRef) {
    el.Check(rBetaLn(r.a, r.x), r.v1, Call("rBetaLn", r.a, r.x));
    eb.Check(rBeta(r.a, r.x), r.v2, Call("rBeta", r.a, r.x));
  }
}

TEST(GammaReference, IncompleteBeta) {
  AccuracyTally er("rBetaIncReg", 1024);
  AccuracyTally ep("rBetaInc", 1024);
  for (const Ref4& r : kBetaIncRef) {
    er.Check(rBetaIncReg(r.x, r.a, r.b), r.v1, Call("rBetaIncReg", r.x, r.a, r.b));
    ep.Check(rBetaInc(r.x, r.a, r.b), r.v2, Call("rBetaInc", r.x, r.a, r.b));
  }
}
