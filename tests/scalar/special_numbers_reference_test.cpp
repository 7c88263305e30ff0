// Special numbers, zeta and eta against exact integers and rationals and
// mpmath (tools/gen_gamma_zeta_reference.py). Tolerances in units of
// ___EpsReal; each table prints its worst row.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_rows.h"
#include "scalar/special_numbers.h"

namespace {
#include "special_reference.inc"
}  // namespace

TEST(SpecialNumbersReference, Bernoulli) {
  // Exact table to 40; then n! zeta(n) 2/(2 pi)^n, whose n! = exp(lnGamma)
  // carries lnGamma's absolute error (up to about 1000 at n = 249).
  AccuracyTally e("rBernoulliNum", 2048);
  AccuracyTally f("rBernoulliNumDivFact", 64);
  for (const RefNum2& r : kBernoulliRef) {
    e.Check(rBernoulliNum(r.n), r.v1, Call("rBernoulliNum", static_cast<double>(r.n)));
    f.Check(rBernoulliNumDivFact(r.n), r.v2,
            Call("rBernoulliNumDivFact", static_cast<double>(r.n)));
    if (r.n <= 40) {
      EXPECT_EQ(rBernoulliNum(r.n), r.v1) << r.n;
    }
  }
}

TEST(SpecialNumbersReference, EulerAndZigzag) {
  // Beyond 25 a closed asymptotic formula raised to the n-th power.
  AccuracyTally e("ruEulerNum", 512);
  AccuracyTally z("rEulerZigZagNum", 2048);
  for (const RefNum2& r : kEulerRef) {
    e.Check(ruEulerNum(r.n), r.v1, Call("ruEulerNum", static_cast<double>(r.n)));
    if (r.n < 26) {
      EXPECT_EQ(ruEulerNum(r.n), r.v1) << r.n;
    }
    if (r.n <= 170) {
      z.Check(rEulerZigZagNum(r.n), r.v2, Call("rEulerZigZagNum", static_cast<double>(r.n)));
    } else if (r.n & 1) {
      EXPECT_TRUE(std::isnan(rEulerZigZagNum(r.n))) << r.n;  // odd n beyond 170 are not evaluated
    }
  }
}

TEST(SpecialNumbersReference, Stirling) {
  // (n - 1)! = exp(lnGamma(n)) for k = 1 beyond 20.
  AccuracyTally e1("ruStirling1", 128);
  AccuracyTally e2("rStirling2", 16);
  for (const RefStirling& r : kStirlingRef) {
    const double n = static_cast<double>(r.n), k = static_cast<double>(r.k);
    if (r.c1 != 0) {
      e1.Check(ruStirling1(r.n, r.k), r.c1, Call("ruStirling1", n, k));
    } else {
      EXPECT_TRUE(std::isnan(ruStirling1(r.n, r.k))) << r.n << " " << r.k;
    }
    if (r.s2 != 0) {
      e2.Check(rStirling2(r.n, r.k), r.s2, Call("rStirling2", n, k));
    } else {
      EXPECT_EQ(rStirling2(r.n, r.k), INFINITY) << r.n << " " << r.k;
    }
  }
}

TEST(SpecialNumbersReference, Harmonic) {
  AccuracyTally e("rHarmonicNumber", 4);
  for (const RefNum1& r : kHarmonicRef)
    e.Check(rHarmonicNumber(r.n), r.v, Call("rHarmonicNumber", static_cast<double>(r.n)));
}

TEST(SpecialNumbersReference, IntegerBinomial) {
  // Beyond 64 bits exp of three log-gammas: lnGamma(1001) carries 5900 ulps of 1.
  AccuracyTally e("riBinomial", 4096);
  for (const RefBinom& r : kBinomialIntRef) {
    e.Check(riBinomial(r.n, r.k), r.v,
            Call("riBinomial", static_cast<double>(r.n), static_cast<double>(r.k)));
  }
}

TEST(ZetaReference, RealArgument) {
  // Zeta: absolute below 1 (the trivial zeros); from 47 on zeta is taken as
  // 1 (zeta(47) - 1 = 7e-15, 32 units). Zeta - 1 is relative: the 40-term
  // Taylor tables reach 2e-12 of it at the far edge of the last interval.
  AccuracyTally e("rRiemannZeta", 128, 1.0);
  AccuracyTally m("rRiemannZetaM1", 16384);
  for (const Ref2& r : kZetaRef) {
    e.Check(rRiemannZeta(r.x), r.v1, Call("rRiemannZeta", r.x));
    m.Check(rRiemannZetaM1(r.x), r.v2, Call("rRiemannZetaM1", r.x));
  }
}

TEST(ZetaReference, Eta) {
  // Near the trivial zeros of zeta the factor 1 - 2^(1-x) (about -1900 at
  // -9.9) multiplies zeta's absolute error.
  AccuracyTally e("rDirichletEta", 2048, 1.0);
  for (const Ref1& r : kEtaRef) e.Check(rDirichletEta(r.x), r.v, Call("rDirichletEta", r.x));
}

TEST(ZetaReference, IntegerArgument) {
  // Negative odd n through Bernoulli numbers, n! = exp(lnGamma).
  AccuracyTally e("riRiemannZeta", 256);
  AccuracyTally m("ruRiemannZetaM1", 4);
  AccuracyTally h("riDirichletEta", 64);
  for (const RefI& r : kZetaIntRef)
    e.Check(riRiemannZeta(r.n), r.v, Call("riRiemannZeta", static_cast<double>(r.n)));
  for (const RefI& r : kZetaM1IntRef) {
    m.Check(ruRiemannZetaM1(static_cast<Qword>(r.n)), r.v,
            Call("ruRiemannZetaM1", static_cast<double>(r.n)));
  }
  for (const RefI& r : kEtaIntRef)
    h.Check(riDirichletEta(r.n), r.v, Call("riDirichletEta", static_cast<double>(r.n)));
}

TEST(ZetaReference, AzDerivatives) {
  // The derivatives of a 40-term Taylor series: low orders keep the
  // series' accuracy; order 13 and 20 keep only 13 and 5 digits far from a
  // centre, as the truncated series must.
  AccuracyTally lo("rRiemannAzD order <= 7", 1024);
  AccuracyTally hi("rRiemannAzD order 13, 20", 1e-4 / 2.220446049250313e-16);
  for (const RefAz& r : kAzDerivRef) {
    (r.order <= 7 ? lo : hi)
        .Check(rRiemannAzD(r.x, r.order), r.v,
               Call("rRiemannAzD", r.x, static_cast<double>(r.order)));
  }
}
