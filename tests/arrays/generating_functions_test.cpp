// Series arithmetic against mpmath.taylor (tools/gen_gf_reference.py) and
// exact identities; conversions, evaluation against closed forms, and the
// standard series.
#include "arrays/generating_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/rarr_ops.h"
#include "base/memory.h"
#include "support/accuracy.h"
#include "support/alloc_failure.h"

namespace {

#include "gf_reference.inc"

using Vec = std::vector<double>;
typedef Dword (*Unary)(Qword, const double*, double*);
typedef Dword (*Binary)(Qword, const double*, const double*, double*);

// Relative error in units of eps, against the largest reference
// coefficient up to that index (the recurrences add terms of that size).
void ExpectClose(const double* got, const double* want, int n, double eps_units, const char* what) {
  double scale = 0;
  for (int i = 0; i < n; ++i) {
    scale = std::fmax(scale, std::fabs(want[i]));
    EXPECT_NEAR(got[i], want[i], eps_units * kEps * scale) << what << " coefficient " << i;
  }
}

TEST(GfArithmetic, AgainstMpmathTaylor) {
  struct UnaryRow {
    const char* name;
    Unary op;
    const double *a, *want;
  };
  const UnaryRow unary[] = {
      {"OgfRecip", RArrOgf1Div, kGfOgfA, kGfOgfRecip},
      {"OgfSqrt", RArrOgfSqrt, kGfOgfA, kGfOgfSqrt},
      {"EgfRecip", RArrEgf1Div, kGfEgfA, kGfEgfRecip},
      {"EgfSqrt", RArrEgfSqrt, kGfEgfA, kGfEgfSqrt},
  };
  for (const UnaryRow& r : unary) {
    Vec out(kGfTerms), in(r.a, r.a + kGfTerms);
    ASSERT_EQ(r.op(kGfTerms, r.a, out.data()), 0u) << r.name;
    ExpectClose(out.data(), r.want, kGfTerms, 16, r.name);
    // In place through the temporary: the same coefficients.
    ASSERT_EQ(r.op(kGfTerms, in.data(), in.data()), 0u) << r.name;
    EXPECT_EQ(in, out) << r.name;
  }
  struct BinaryRow {
    const char* name;
    Binary op;
    const double *a, *b, *want;
  };
  const BinaryRow binary[] = {
      {"OgfMul", RArrOgfMul, kGfOgfA, kGfOgfB, kGfOgfMul},
      {"OgfDiv", RArrOgfDiv, kGfOgfA, kGfOgfB, kGfOgfDiv},
      {"EgfMul", RArrEgfMul, kGfEgfA, kGfEgfB, kGfEgfMul},
      {"EgfDiv", RArrEgfDiv, kGfEgfA, kGfEgfB, kGfEgfDiv},
  };
  for (const BinaryRow& r : binary) {
    Vec out(kGfTerms);
    ASSERT_EQ(r.op(kGfTerms, r.a, r.b, out.data()), 0u) << r.name;
    ExpectClose(out.data(), r.want, kGfTerms, 16, r.name);
    Vec a(r.a, r.a + kGfTerms), b(r.b, r.b + kGfTerms);
    ASSERT_EQ(r.op(kGfTerms, a.data(), r.b, a.data()), 0u);
    ASSERT_EQ(r.op(kGfTerms, r.a, b.data(), b.data()), 0u);
    EXPECT_EQ(a, out) << r.name;
    EXPECT_EQ(b, out) << r.name;
  }
}

TEST(GfArithmetic, ExactIdentities) {
  // 1/(1 - x) and back.
  const Vec one_minus_x = {1, -1, 0, 0, 0, 0};
  Vec r(6), p(6);
  ASSERT_EQ(RArrOgf1Div(6, one_minus_x.data(), r.data()), 0u);
  EXPECT_EQ(r, Vec(6, 1.0));
  ASSERT_EQ(RArrOgfMul(6, r.data(), one_minus_x.data(), p.data()), 0u);
  EXPECT_EQ(p, (Vec{1, 0, 0, 0, 0, 0}));
  // x/(1 + x) = x - x^2 + x^3 - ...; its constant term is 0, so it has no
  // reciprocal series.
  const Vec x = {0, 1, 0, 0, 0, 0}, one_plus_x = {1, 1, 0, 0, 0, 0};
  ASSERT_EQ(RArrOgfDiv(6, x.data(), one_plus_x.data(), p.data()), 0u);
  EXPECT_EQ(p, (Vec{0, 1, -1, 1, -1, 1}));
  EXPECT_EQ(RArrOgf1Div(6, p.data(), r.data()), 15u);
  // (1 + x)^2 has the square root 1 + x.
  const Vec square = {1, 2, 1};
  Vec s(3);
  ASSERT_EQ(RArrOgfSqrt(3, square.data(), s.data()), 0u);
  EXPECT_EQ(s, (Vec{1, 1, 0}));

  // Exponential reading: 1/exp(x) = exp(-x) exactly for twenty terms (the
  // binomial sums stay integers below 2^53); exp(x)^2 = exp(2x), whose
  // square root is exp(x) again; exp(2x)/exp(x) = exp(x).
  const Vec e(20, 1.0);
  Vec inv(20), alt(20), e2(20), back(20);
  for (int i = 0; i < 20; ++i) alt[i] = i % 2 ? -1 : 1;
  ASSERT_EQ(RArrEgf1Div(20, e.data(), inv.data()), 0u);
  EXPECT_EQ(inv, alt);
  ASSERT_EQ(RArrEgfMul(20, e.data(), e.data(), e2.data()), 0u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(e2[i], std::ldexp(1.0, i)) << i;
  ASSERT_EQ(RArrEgfSqrt(20, e2.data(), back.data()), 0u);
  EXPECT_EQ(back, e);
  ASSERT_EQ(RArrEgfDiv(20, e2.data(), e.data(), back.data()), 0u);
  EXPECT_EQ(back, e);
  // Sum and difference are coefficient-wise under both names.
  ASSERT_EQ(RArrEgfAdd(20, e.data(), alt.data(), back.data()), 0u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(back[i], i % 2 ? 0.0 : 2.0);
  ASSERT_EQ(RArrOgfSub(20, e.data(), alt.data(), back.data()), 0u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(back[i], i % 2 ? 2.0 : 0.0);
  ASSERT_EQ(RArrOgfAdd(20, e.data(), e.data(), back.data()), 0u);
  EXPECT_EQ(back, Vec(20, 2.0));
  ASSERT_EQ(RArrEgfSub(20, e.data(), e.data(), back.data()), 0u);
  EXPECT_EQ(back, Vec(20, 0.0));
}

TEST(GfArithmetic, Checks) {
  const double a[2] = {1, 2};
  double d[2] = {7, 7};
  for (Binary op : {RArrOgfMul, RArrEgfMul, RArrOgfDiv, RArrEgfDiv}) {
    EXPECT_EQ(op(2, nullptr, a, d), 14u);
    EXPECT_EQ(op(2, a, nullptr, d), 14u);
    EXPECT_EQ(op(0, a, a, d), 14u);
    EXPECT_EQ(op(2, a, a, nullptr), 18u);
  }
  for (Unary op :
       {RArrOgf1Div, RArrEgf1Div, RArrOgfSqrt, RArrEgfSqrt, RArrOgfOfEgf, RArrEgfOfOgf}) {
    EXPECT_EQ(op(2, nullptr, d), 14u);
    EXPECT_EQ(op(0, a, d), 14u);
    EXPECT_EQ(op(2, a, nullptr), 18u);
  }
  EXPECT_EQ(d[0], 7.0);
  // Constant terms: reciprocals need a[0] != 0; the ordinary square root
  // a[0] > 0, the exponential one a[0] != 0 (negative gives NaN).
  const double zero[2] = {0, 1}, neg[2] = {-1, 0};
  EXPECT_EQ(RArrOgf1Div(2, zero, d), 15u);
  EXPECT_EQ(RArrEgf1Div(2, zero, d), 15u);
  EXPECT_EQ(RArrOgfSqrt(2, zero, d), 15u);
  EXPECT_EQ(RArrOgfSqrt(2, neg, d), 15u);
  EXPECT_EQ(RArrEgfSqrt(2, zero, d), 15u);
  EXPECT_EQ(d[0], 7.0);
  EXPECT_EQ(RArrEgfSqrt(2, neg, d), 0u);
  EXPECT_TRUE(std::isnan(d[0]));
  // The quotient does not test b[0].
  const double one[2] = {1, 0};
  EXPECT_EQ(RArrOgfDiv(2, one, zero, d), 0u);
  EXPECT_FALSE(std::isfinite(d[0]));
}

TEST(GfArithmetic, TemporaryAllocationFailure) {
  double a[3] = {1, 2, 3};
  AllocFailureGuard fail(0);
  const Dword status = RArrOgfMul(3, a, a, a);
  fail.Release();
  EXPECT_EQ(status, 0x80001u);
  EXPECT_EQ(a[0], 1.0);
  EXPECT_EQ(a[2], 3.0);
}

TEST(GfConvert, FactorialsBothWays) {
  const Vec e = {1, 1, 1, 1};
  Vec o(4), back(4);
  ASSERT_EQ(RArrOgfOfEgf(4, e.data(), o.data()), 0u);
  EXPECT_EQ(o, (Vec{1, 1, 0.5, 1.0 / 6}));
  ASSERT_EQ(RArrEgfOfOgf(4, o.data(), back.data()), 0u);
  EXPECT_EQ(back, e);
  Vec in = e;
  ASSERT_EQ(RArrIpOgfOfEgf(4, in.data()), 0u);
  EXPECT_EQ(in, o);
  ASSERT_EQ(RArrIpEgfOfOgf(4, in.data()), 0u);
  EXPECT_EQ(in, e);
  EXPECT_EQ(RArrIpOgfOfEgf(4, nullptr), 14u);
  // Past 20! the factorials are no longer exact integers: the round trip
  // keeps every coefficient to a few eps.
  Vec big(30, 1.0), conv(30);
  ASSERT_EQ(RArrOgfOfEgf(30, big.data(), conv.data()), 0u);
  EXPECT_NEAR(conv[25], 1 / 15511210043330985984000000.0, 64 * kEps * conv[25]);
  ASSERT_EQ(RArrIpEgfOfOgf(30, conv.data()), 0u);
  for (int i = 0; i < 30; ++i) EXPECT_NEAR(conv[i], 1.0, 64 * kEps) << i;
}

TEST(GfEval, OrdinaryValueDerivativesAndIntegrals) {
  const double a[3] = {1, 1, 1};
  double r = -1;
  EXPECT_EQ(RArrOgfEval(2, &r, a, 3, 0, 0), 0u);
  EXPECT_EQ(r, 7.0);
  EXPECT_EQ(RArrOgfEval(2, &r, a, 3, 1, 0), 0u);
  EXPECT_EQ(r, 5.0);
  EXPECT_EQ(RArrOgfEval(2, &r, a, 3, 2, 0), 0u);
  EXPECT_EQ(r, 2.0);
  EXPECT_EQ(RArrOgfEval(2, &r, a, 3, -1, 0), 0u);
  EXPECT_NEAR(r, 2 + 2 + 8.0 / 3, 4 * kEps * 7);
  EXPECT_EQ(RArrOgfEval(2, &r, a, 3, 3, 0), 14u);
  EXPECT_EQ(r, 0.0);
  EXPECT_EQ(RArrOgfEval(2, &r, nullptr, 3, 0, 0), 14u);
  EXPECT_EQ(RArrOgfEval(2, &r, a, 0, -2, 0), 14u);
  EXPECT_EQ(RArrOgfEval(2, nullptr, a, 3, 0, 0), 18u);

  // exp from its coefficients 1/i!: every derivative is exp, the integrals
  // are exp less its first Taylor terms.
  Vec c(40);
  double f = 1;
  for (int i = 0; i < 40; ++i) {
    c[i] = f;
    f /= i + 1;
  }
  const double x = 1.375, ex = std::exp(x);
  for (Qlong k : {0, 1, 2, 5}) {
    ASSERT_EQ(RArrOgfEval(x, &r, c.data(), 40, k, 0), 0u);
    EXPECT_NEAR(r, ex, 16 * kEps * ex) << k;
  }
  ASSERT_EQ(RArrOgfEval(x, &r, c.data(), 40, -1, 0), 0u);
  EXPECT_NEAR(r, std::expm1(x), 16 * kEps * ex);
  ASSERT_EQ(RArrOgfEval(x, &r, c.data(), 40, -3, 0), 0u);
  const double tail3 = ex - 1 - x - x * x / 2;
  EXPECT_NEAR(r, tail3, 32 * kEps * ex);
  ASSERT_EQ(RArrOgfEval(-x, &r, c.data(), 40, -2, 0), 0u);
  EXPECT_NEAR(r, std::exp(-x) - 1 + x, 32 * kEps);

  // The sum stops once it settles: a huge coefficient far out is never
  // reached unless the test waits for it.
  c[35] = 1e300;
  ASSERT_EQ(RArrOgfEval(x, &r, c.data(), 40, 0, 0), 0u);
  EXPECT_NEAR(r, ex, 16 * kEps * ex);
  ASSERT_EQ(RArrOgfEval(x, &r, c.data(), 40, 0, 36), 0u);
  EXPECT_GT(r, 1e290);
}

TEST(GfEval, Exponential) {
  const Vec ones(20, 1.0);
  double r = -1;
  ASSERT_EQ(RArrEgfEval(1, &r, ones.data(), 20, 0), 0u);
  EXPECT_NEAR(r, std::exp(1.0), 2 * kEps * 3);
  // Coefficients (-1)^i: exp(-x).
  Vec alt(60);
  for (int i = 0; i < 60; ++i) alt[i] = i % 2 ? -1 : 1;
  ASSERT_EQ(RArrEgfEval(0.8125, &r, alt.data(), 60, 5), 0u);
  EXPECT_NEAR(r, std::exp(-0.8125), 16 * kEps);
  // minTerms 0 adds every term, so a trap far out is reached; any other
  // value lets the test stop first.
  Vec trap = ones;
  trap.resize(60, 1.0);
  trap[50] = 1e300;
  ASSERT_EQ(RArrEgfEval(0.5, &r, trap.data(), 60, 1), 0u);
  EXPECT_NEAR(r, std::exp(0.5), 4 * kEps * 2);
  ASSERT_EQ(RArrEgfEval(0.5, &r, trap.data(), 60, 0), 0u);
  EXPECT_GT(r, 1e200);

  r = 5;
  EXPECT_EQ(RArrEgfEval(1, &r, nullptr, 3, 0), 14u);
  EXPECT_EQ(RArrEgfEval(1, &r, ones.data(), 0, 0), 14u);
  EXPECT_EQ(r, 5.0);
  EXPECT_EQ(RArrEgfEval(1, nullptr, ones.data(), 3, 0), 18u);
}

TEST(GfStandard, Series) {
  double* a = RArrNewOgf_1Div1Mnsx(5);
  double* b = RArrNewEgf_Exp(5);
  double* c = RArrNewOgf_1Div1Plsx(5);
  ASSERT_TRUE(a && b && c);
  for (Qword i = 0; i < 5; ++i) {
    EXPECT_EQ(a[i], 1.0);
    EXPECT_EQ(b[i], rEgfCoef_Exp(i));
    EXPECT_EQ(c[i], rOgfCoef_1Div1Plsx(i));
    EXPECT_EQ(rOgfCoef_1Div1Mnsx(i), 1.0);
  }
  EXPECT_EQ(c[0], 1.0);
  EXPECT_EQ(c[1], -1.0);
  // 1/(1 + x) times (1 + x) is 1.
  const double opx[5] = {1, 1, 0, 0, 0};
  double p[5];
  ASSERT_EQ(RArrOgfMul(5, c, opx, p), 0u);
  EXPECT_EQ(Vec(p, p + 5), (Vec{1, 0, 0, 0, 0}));
  RArrKill(&a);
  RArrKill(&b);
  RArrKill(&c);
  EXPECT_EQ(RArrNewOgf_1Div1Mnsx(0), nullptr);
  EXPECT_EQ(RArrNewOgf_1Div1Plsx(0), nullptr);
  AllocFailureGuard fail(0);
  EXPECT_EQ(RArrNewOgf_1Div1Plsx(3), nullptr);
  fail.Release();

  EXPECT_EQ(rOgfCoef_Exp(3), 1.0 / 6);
  EXPECT_EQ(rOgfCoef_Exp(0), 1.0);
  EXPECT_EQ(rOgfCoef_Exp(1000), 0.0);
  EXPECT_EQ(rOgfCoefRatio_Exp(0), 1.0);
  EXPECT_EQ(rOgfCoefRatio_Exp(4), 0.25);
  EXPECT_TRUE(std::isnan(rOgfCoefRatio_Exp(-2)));
}

}  // namespace
