// Integer combinatorics against exact values from Python integers
// (tools/gen_combinatorics_ref.py) and the documented edge cases.
#include "scalar/combinatorics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "base/num_status.h"
#include "support/alloc_failure.h"

namespace {

struct U1Ref {
  Qword n;
  Qword value;
  bool overflow;
};
struct U2Ref {
  Qword n, k;
  Qword value;
  bool overflow;
};
struct I2Ref {
  Qlong a, b;
  Qlong value;
  bool overflow;
};
struct EulerRef {
  Qword n;
  Qword u;
  bool u_overflow;
  Qlong i;
  bool i_overflow;
};
struct FibRef {
  Qword n, fib, lucas;
};
struct GcdRef {
  Qword a, b, gcd, lcm;
};
struct RatioRef {
  int op;
  Qlong p, q, a, b, rp, rq;
  bool overflow;
};

#include "combinatorics_ref.inc"

constexpr NumStatus kJunk = 0xDEAD0000u;  // a stale status the call must clear
constexpr Qword kAllOnes = ~Qword{0};

template <class Ref, class F>
void CheckUnsigned1(const Ref* rows, size_t count, F f, const char* name) {
  for (size_t i = 0; i < count; ++i) {
    NumStatus st = kJunk;
    const Qword got = f(rows[i].n, &st);
    EXPECT_EQ(got, rows[i].value) << name << "(" << rows[i].n << ")";
    EXPECT_EQ(st, rows[i].overflow ? NUM_OVERFLOW : 0u) << name << "(" << rows[i].n << ")";
    EXPECT_EQ(f(rows[i].n, nullptr), rows[i].value) << name << " without status";
  }
}

template <size_t N, class F>
void CheckUnsigned2(const U2Ref (&rows)[N], F f, const char* name) {
  for (const U2Ref& r : rows) {
    NumStatus st = kJunk;
    EXPECT_EQ(f(r.n, r.k, &st), r.value) << name << "(" << r.n << ", " << r.k << ")";
    EXPECT_EQ(st, r.overflow ? NUM_OVERFLOW : 0u) << name << "(" << r.n << ", " << r.k << ")";
  }
}

template <size_t N, class F>
void CheckSigned2(const I2Ref (&rows)[N], F f, const char* name) {
  for (const I2Ref& r : rows) {
    NumStatus st = kJunk;
    EXPECT_EQ(f(r.a, r.b, &st), r.value) << name << "(" << r.a << ", " << r.b << ")";
    EXPECT_EQ(st, r.overflow ? NUM_OVERFLOW : 0u) << name << "(" << r.a << ", " << r.b << ")";
  }
}

TEST(Factorials, MatchExactValuesAndOverflowAt21) {
  CheckUnsigned1(kFactorialRef, std::size(kFactorialRef), uFactorial, "uFactorial");
  CheckUnsigned1(kDoubleFactorialRef, std::size(kDoubleFactorialRef), uDoubleFactorial,
                 "uDoubleFactorial");
  EXPECT_EQ(uFactorial(20, nullptr), 2432902008176640000ull);
  NumStatus st = kJunk;
  EXPECT_EQ(uFactorial(kAllOnes, &st), kAllOnes);
  EXPECT_EQ(st, NUM_OVERFLOW);
}

TEST(Factorials, SignedForms) {
  NumStatus st = kJunk;
  EXPECT_EQ(iFactorial(-1, &st), 0);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(iFactorial(20, &st), 2432902008176640000ll);
  EXPECT_EQ(iFactorial(21, &st), INT64_MIN);
  EXPECT_EQ(st, NUM_OVERFLOW);
  EXPECT_EQ(iFactorial(INT64_MIN, &st), 0);
  EXPECT_EQ(iDoubleFactorial(33, &st), 6332659870762850625ll);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(iDoubleFactorial(34, &st), INT64_MIN);
  EXPECT_EQ(st, NUM_OVERFLOW);
  EXPECT_EQ(iDoubleFactorial(31, &st), 191898783962510625ll);
  EXPECT_EQ(st, 0u);
  struct {
    Qlong n;
    Qlong value;
    NumStatus status;
  } const rows[] = {{-1, 1, 0},
                    {-3, -1, 0},
                    {-5, INT64_MIN, 0x50},
                    {-7, INT64_MIN, 0x50},
                    {-2, INT64_MIN, 0x10},
                    {-4, INT64_MIN, 0x10},
                    {INT64_MIN, INT64_MIN, 0x10},
                    {INT64_MIN + 1, INT64_MIN, 0x50}};
  for (const auto& r : rows) {
    st = kJunk;
    EXPECT_EQ(iDoubleFactorial(r.n, &st), r.value) << r.n;
    EXPECT_EQ(st, r.status) << r.n;
  }
}

TEST(Binomials, MatchExactValues) {
  CheckUnsigned2(kBinomialRef, uBinomial, "uBinomial");
  CheckSigned2(kIBinomialRef, iBinomial, "iBinomial");
  EXPECT_EQ(uBinomial(67, 33, nullptr), 14226520737620288370ull);
  NumStatus st = 0;
  EXPECT_EQ(uBinomial(68, 34, &st), kAllOnes);
  EXPECT_EQ(st, NUM_OVERFLOW);
  EXPECT_EQ(iBinomial(-1, 3, nullptr), -1);
  EXPECT_EQ(iBinomial(-2, 2, nullptr), 3);
}

TEST(Binomials, CentralAndMultisets) {
  NumStatus st = kJunk;
  for (Qword n = 0; n < 80; ++n) {
    EXPECT_EQ(uCentralBinomial(n, &st), uBinomial(n, n / 2, nullptr)) << n;
  }
  EXPECT_EQ(uCentralBinomial(67, &st), 14226520737620288370ull);
  EXPECT_EQ(uCentralBinomial(68, &st), kAllOnes);
  EXPECT_EQ(st, NUM_OVERFLOW);
  // Multisets of k from n kinds, counted by hand: {aa, ab, ac, bb, bc, cc}.
  EXPECT_EQ(uCountMultisets(3, 2, &st), 6u);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(uCountMultisets(0, 0, &st), 1u);
  EXPECT_EQ(uCountMultisets(0, 3, &st), 0u);
  EXPECT_EQ(uCountMultisets(1, kAllOnes, &st), 1u);
  EXPECT_EQ(uCountMultisets(kAllOnes, 1, &st), kAllOnes);
  EXPECT_EQ(st, 0u);
  st = kJunk;
  EXPECT_EQ(uCountMultisets(Qword{1} << 63, Qword{1} << 63, &st), kAllOnes);
  EXPECT_EQ(st, NUM_OVERFLOW);
  EXPECT_EQ(iCountMultisets(3, 2, &st), 6);
  EXPECT_EQ(st, 0u);
  EXPECT_EQ(iCountMultisets(-3, 2, &st), 3);  // C(-2, 2) = 3
  EXPECT_EQ(iCountMultisets(5, 0, &st), 1);
  EXPECT_EQ(iCountMultisets(5, -1, &st), 0);
  EXPECT_EQ(iCountMultisets(INT64_MAX, 2, &st), INT64_MIN);
  EXPECT_EQ(st, NUM_OVERFLOW);
}

TEST(Pochhammer, MatchesExactProducts) {
  CheckSigned2(kPochhammerRef, iPochhammer, "iPochhammer");
  EXPECT_EQ(iPochhammer(3, -2, nullptr), 6);
  EXPECT_EQ(iPochhammer(-3, 5, nullptr), 0);
  EXPECT_EQ(iPochhammer(-3, 3, nullptr), -6);
}

TEST(Sequences, TablesMatchExactValues) {
  CheckUnsigned1(kBellRef, std::size(kBellRef), uBellNumber, "uBellNumber");
  CheckUnsigned1(kCatalanRef, std::size(kCatalanRef), uCatalanNumber, "uCatalanNumber");
  for (const EulerRef& r : kEulerRef) {
    NumStatus st = kJunk;
    EXPECT_EQ(uEulerNumber(r.n, &st), r.u) << r.n;
    EXPECT_EQ(st, r.u_overflow ? NUM_OVERFLOW : 0u) << r.n;
    st = kJunk;
    EXPECT_EQ(iEulerNumber(static_cast<Qlong>(r.n), &st), r.i) << r.n;
    EXPECT_EQ(st, r.i_overflow ? NUM_OVERFLOW : 0u) << r.n;
  }
  EXPECT_EQ(uEulerNumber(24, nullptr), 15514534163557086905ull);
  EXPECT_EQ(iEulerNumber(2, nullptr), -1);
  EXPECT_EQ(uEulerNumber(kAllOnes, nullptr), 0u);  // odd
  NumStatus st = kJunk;
  EXPECT_EQ(iEulerNumber(-2, &st), INT64_MIN);
  EXPECT_EQ(st, NUM_UNDEFINED);
}

TEST(Sequences, FibonacciAndLucasIncludingWrappedValues) {
  for (const FibRef& r : kFibLucasRef) {
    NumStatus st = kJunk;
    EXPECT_EQ(uFibonacci(r.n, &st), r.fib) << r.n;
    EXPECT_EQ(st, r.n > 93 ? 0x40100u : 0u) << r.n;
    st = kJunk;
    EXPECT_EQ(uLucas(r.n, &st), r.lucas) << r.n;
    EXPECT_EQ(st, r.n > 92 ? 0x40100u : 0u) << r.n;
  }
  NumStatus st = kJunk;
  EXPECT_EQ(uFibonacci(93, &st), 12200160415121876738ull);
  EXPECT_EQ(st, 0u);
}

TEST(Sequences, SignedFibonacciAndLucas) {
  // F_(-n) = (-1)^(n+1) F_n and L_(-n) = (-1)^n L_n, wrapped as 64-bit words.
  for (Qlong n = -200; n <= 200; ++n) {
    const Qword m = static_cast<Qword>(n < 0 ? -n : n);
    const bool fneg = n < 0 && m % 2 == 0;
    const bool lneg = n < 0 && m % 2 == 1;
    const Qword fu = uFibonacci(m, nullptr);
    const Qword lu = uLucas(m, nullptr);
    NumStatus st = kJunk;
    EXPECT_EQ(iFibonacci(n, &st), static_cast<Qlong>(fneg ? 0 - fu : fu)) << n;
    NumStatus want = (m > 93 ? 0x40100u : 0u) | (m > 92 ? (fneg ? 0x8100u : 0x4100u) : 0u);
    EXPECT_EQ(st, want) << n;
    st = kJunk;
    EXPECT_EQ(iLucas(n, &st), static_cast<Qlong>(lneg ? 0 - lu : lu)) << n;
    want = (m > 92 ? 0x40100u : 0u) | (m > 90 ? (lneg ? 0x8100u : 0x4100u) : 0u);
    EXPECT_EQ(st, want) << n;
  }
  EXPECT_EQ(iFibonacci(-4, nullptr), -3);
  EXPECT_EQ(iFibonacci(-5, nullptr), 5);
  NumStatus st = kJunk;
  EXPECT_EQ(iLucas(90, &st), 6440026026380244498ll);
  EXPECT_EQ(st, 0u);
  iLucas(91, &st);
  EXPECT_EQ(st, 0x4100u);
  EXPECT_EQ(iLucas(-2, nullptr), 3);
  EXPECT_EQ(iLucas(-3, nullptr), -4);
  iFibonacci(INT64_MIN, &st);  // the magnitude 2^63 is reachable
  EXPECT_EQ(st, 0x40100u | 0x8100u);
}

TEST(Gcd, PairsMatchExactValues) {
  for (const GcdRef& r : kGcdRef) {
    EXPECT_EQ(uGcd(r.a, r.b), r.gcd) << r.a << " " << r.b;
    EXPECT_EQ(uGcd(r.b, r.a), r.gcd);
    EXPECT_EQ(uScm(r.a, r.b), r.lcm) << r.a << " " << r.b;
    EXPECT_EQ(uAreCoprime(r.a, r.b), r.gcd == 1);
    EXPECT_EQ(uAreNotCoprime(r.a, r.b), r.gcd != 1);
  }
  EXPECT_EQ(uGcd(0, 0), 0u);
  EXPECT_EQ(uScm(0, 5), 0u);
  EXPECT_EQ(uScm(Qword{1} << 32, (Qword{1} << 32) + 1), kAllOnes);
}

TEST(Gcd, SignedForms) {
  EXPECT_EQ(iGcd(-12, 18), 6);
  EXPECT_EQ(iGcd(12, -18), 6);
  EXPECT_EQ(iGcd(INT64_MIN, 6), 2);
  EXPECT_EQ(iScm(-4, 6), -12);
  EXPECT_EQ(iScm(-4, -6), 12);
  EXPECT_EQ(iScm(INT64_MAX, INT64_MAX - 1), INT64_MIN);
  EXPECT_EQ(iScm(0x7FFFFFFFFFFFFFFEll, 1), 0x7FFFFFFFFFFFFFFEll);
  EXPECT_EQ(iScm(INT64_MAX, 1), INT64_MIN);
  EXPECT_TRUE(iAreCoprime(-9, 28));
  EXPECT_TRUE(iAreNotCoprime(-9, 27));
  EXPECT_FALSE(iAreCoprime(0, 0));
}

TEST(Gcd, ArgumentLists) {
  EXPECT_EQ(uVaGcd(3, Qword{84}, Qword{126}, Qword{210}), 42u);
  EXPECT_EQ(uVaGcd(1, Qword{15}), 15u);
  EXPECT_EQ(uVaGcd(0), 0u);  // nothing is read
  EXPECT_EQ(iVaGcd(3, Qlong{-84}, Qlong{126}, Qlong{-210}), 42);
  EXPECT_EQ(uVaScm(4, Qword{4}, Qword{6}, Qword{10}, Qword{7}), 420u);
  EXPECT_EQ(uVaScm(0), 1u);
  EXPECT_EQ(uVaScm(3, Qword{1} << 40, (Qword{1} << 40) - 1, Qword{3}), kAllOnes);
  EXPECT_EQ(iVaScm(3, Qlong{-4}, Qlong{6}, Qlong{-10}), 60);
  EXPECT_EQ(iVaScm(2, INT64_MAX, Qlong{2}), INT64_MIN);
  EXPECT_TRUE(uVaAreCoprime(3, Qword{6}, Qword{10}, Qword{15}));
  EXPECT_FALSE(uVaAreNotCoprime(3, Qword{6}, Qword{10}, Qword{15}));
  EXPECT_FALSE(iVaAreCoprime(3, Qlong{-6}, Qlong{10}, Qlong{-14}));
  EXPECT_TRUE(iVaAreNotCoprime(3, Qlong{-6}, Qlong{10}, Qlong{-14}));
  EXPECT_FALSE(uVaAreCoprime(0));
  EXPECT_TRUE(iVaAreNotCoprime(0));
}

TEST(Ratios, Reduce) {
  struct {
    Qlong p, q, rp, rq;
    bool result;
  } const rows[] = {
      {4, -6, -2, 3, true},
      {0, 0, 1, 0, true},
      {-3, 0, -1, 0, true},
      {0, 7, 0, 1, true},
      {0, 1, 0, 1, false},
      {3, -5, -3, 5, false},
      {-4, -6, 2, 3, true},
      {5, 7, 5, 7, false},
      {INT64_MIN, INT64_MIN, 1, 1, true},
      {2, INT64_MIN, -1, 0x4000000000000000ll, true},
      {3, INT64_MIN, -1, 0, true},  // -3/2^63 has no positive 64-bit denominator
  };
  for (const auto& r : rows) {
    Qlong p = r.p;
    Qlong q = r.q;
    EXPECT_EQ(iReduceRatio(&p, &q), r.result) << r.p << "/" << r.q;
    EXPECT_EQ(p, r.rp) << r.p << "/" << r.q;
    EXPECT_EQ(q, r.rq) << r.p << "/" << r.q;
  }
  Qword up = 12;
  Qword uq = 18;
  EXPECT_TRUE(uReduceRatio(&up, &uq));
  EXPECT_EQ(up, 2u);
  EXPECT_EQ(uq, 3u);
  EXPECT_FALSE(uReduceRatio(&up, &uq));
  up = 0;
  uq = 0;
  EXPECT_FALSE(uReduceRatio(&up, &uq));
}

TEST(Ratios, ArithmeticMatchesExactFractions) {
  Long (*const ops[])(Qlong*, Qlong*, Qlong, Qlong) = {iAddRatios, iSubRatios, iMulRatios,
                                                       iDivRatios};
  for (const RatioRef& r : kRatioRef) {
    Qlong p = r.p;
    Qlong q = r.q;
    EXPECT_EQ(ops[r.op](&p, &q, r.a, r.b), r.overflow ? Long{NUM_OVERFLOW} : 0)
        << r.op << ": " << r.p << "/" << r.q << ", " << r.a << "/" << r.b;
    EXPECT_EQ(p, r.rp);
    EXPECT_EQ(q, r.rq);
  }
  Qlong p = INT64_MIN;
  Qlong q = INT64_MIN;
  EXPECT_EQ(iAddRatios(&p, &q, INT64_MIN, INT64_MIN), 0);
  EXPECT_EQ(p, 2);
  EXPECT_EQ(q, 1);
  p = 1;
  q = 2;
  EXPECT_EQ(iDivRatios(&p, &q, 0, 5), 0);  // division by zero: undefined ratio
  EXPECT_EQ(p, 1);
  EXPECT_EQ(q, 0);
}

TEST(Ratios, Thomae) {
  EXPECT_TRUE(std::isnan(riThomae(3, 0)));
  EXPECT_EQ(riThomae(2, 4), 0.5);
  EXPECT_EQ(riThomae(-6, 9), 1.0 / 3.0);
  EXPECT_EQ(riThomae(0, 5), 1.0);
  EXPECT_TRUE(std::isnan(ruThomae(3, 0)));
  EXPECT_EQ(ruThomae(6, 8), 0.25);
}

TEST(PowerBySquaring, WrapsModulo2To64) {
  EXPECT_EQ(uPowerBySquaring(2, 0), 1u);
  EXPECT_EQ(uPowerBySquaring(7, 1), 7u);
  EXPECT_EQ(uPowerBySquaring(2, 63), Qword{1} << 63);
  EXPECT_EQ(uPowerBySquaring(2, 64), 0u);
  EXPECT_EQ(uPowerBySquaring(3, 40), 12157665459056928801ull);
  // 3 has order 2^62 modulo 2^64.
  EXPECT_EQ(uPowerBySquaring(3, Qword{1} << 62), 1u);
  EXPECT_NE(uPowerBySquaring(3, Qword{1} << 61), 1u);
  Qword r = 1;
  for (int i = 0; i < 100; ++i) r *= 12345;
  EXPECT_EQ(uPowerBySquaring(12345, 100), r);
}

}  // namespace

namespace {

TEST(Stirling, MatchExactValues) {
  CheckUnsigned2(kStirling1Ref, uStirling1, "uStirling1");
  CheckUnsigned2(kStirling2Ref, uStirling2, "uStirling2");
  for (const U2Ref& r : kStirling1Ref) {
    NumStatus st = kJunk;
    const Qlong n = static_cast<Qlong>(r.n);
    const Qlong k = static_cast<Qlong>(r.k);
    const bool fits = !r.overflow && r.value < (Qword{1} << 63);
    const Qlong want =
        fits ? (((n - k) & 1) ? -static_cast<Qlong>(r.value) : static_cast<Qlong>(r.value))
             : INT64_MIN;
    EXPECT_EQ(iStirling1(n, k, &st), want) << n << " " << k;
    EXPECT_EQ(st, fits ? 0u : NUM_OVERFLOW) << n << " " << k;
  }
  EXPECT_EQ(uStirling1(5, 2, nullptr), 50u);
  EXPECT_EQ(iStirling1(5, 2, nullptr), -50);
  EXPECT_EQ(uStirling2(5, 2, nullptr), 15u);
  EXPECT_EQ(uStirling2(5, 0, nullptr), 0u);
  EXPECT_EQ(uStirling2(0, 0, nullptr), 1u);
  EXPECT_EQ(iStirling1(-3, 1, nullptr), 0);
}

TEST(Stirling, HugeArgumentsEndWithOverflowAtOnce) {
  // Rows that would otherwise be walked for 2^40 steps, or allocated with
  // 2^40 entries.
  const struct {
    Qword n, k;
  } rows[] = {{Qword{1} << 40, 3},
              {(Qword{1} << 40) + 2, Qword{1} << 40},
              {1 << 17, 1 << 16},
              {kAllOnes, kAllOnes - 2},
              {120000, 119998}};
  for (const auto& r : rows) {
    NumStatus st = kJunk;
    EXPECT_EQ(uStirling1(r.n, r.k, &st), kAllOnes) << r.n << " " << r.k;
    EXPECT_EQ(st, NUM_OVERFLOW);
    EXPECT_EQ(uStirling2(r.n, r.k, &st), kAllOnes) << r.n << " " << r.k;
    EXPECT_EQ(st, NUM_OVERFLOW);
    EXPECT_EQ(uStirling2(r.n, r.k, nullptr), kAllOnes);
  }
  // S(n, n-2) = C(n, 3) + 3 C(n, 4) still fits just below the bound.
  const Qword n = 9000;
  NumStatus st = kJunk;
  EXPECT_EQ(uStirling2(n, n - 2, &st),
            n * (n - 1) * (n - 2) / 6 + 3 * (n * (n - 1) * (n - 2) / 6 * (n - 3) / 4));
  EXPECT_EQ(st, 0u);
}

TEST(Stirling, AllocationFailureIsReported) {
  AllocFailureGuard fail(0);
  NumStatus st = kJunk;
  EXPECT_EQ(uStirling2(10, 4, &st), kAllOnes);
  fail.Release();
  EXPECT_EQ(st, 0x80000000u);
  EXPECT_EQ(uStirling2(10, 4, &st), 34105u);
  EXPECT_EQ(st, 0u);
}

}  // namespace
