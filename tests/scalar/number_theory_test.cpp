#include "scalar/number_theory.h"

#include <gtest/gtest.h>

#include <vector>

#include "scalar/prime_test.h"

namespace {

#include "number_theory_ref.inc"

constexpr Qword kAllOnes = ~Qword{0};
constexpr Qword kLargestPrime = 18446744073709551557u;  // 2^64 - 59

std::vector<bool> Sieve(Qword limit) {
  std::vector<bool> prime(limit + 1, true);
  prime[0] = prime[1] = false;
  for (Qword p = 2; p * p <= limit; ++p)
    if (prime[p])
      for (Qword q = p * p; q <= limit; q += p) prime[q] = false;
  return prime;
}

TEST(Primes, AgreeWithASieveUpToTwoMillion) {
  const Qword limit = 2000000;
  const auto prime = Sieve(limit);
  Qword count = 0;
  for (Qword n = 0; n <= limit; ++n) {
    ASSERT_EQ(uIsPrime(n), prime[n]) << n;
    count += prime[n];
    if (n % 1000 == 0 && n <= 100000) {
      // Smallest factor: the first sieve prime dividing n.
      Qword spf = n;
      for (Qword p = 2; p * p <= n; ++p)
        if (n % p == 0) {
          spf = p;
          break;
        }
      EXPECT_EQ(uSpf(n), n <= 2 ? n : spf) << n;
    }
  }
  EXPECT_EQ(count, 148933u);
  // The Miller-Rabin test alone, below the small numbers that uIsPrime
  // settles by trial division.
  for (Qword n = 3; n <= limit; n += 2) ASSERT_EQ(primes::IsPrimeExact(n), prime[n]) << n;
  EXPECT_EQ(uPrimesPi(100), 25u);
  EXPECT_EQ(uPrimesPi(1), 0u);
  EXPECT_EQ(uPrimesPi(2), 1u);
}

// Base-2 pseudoprimes pass the Fermat filter and must still be rejected.
TEST(Primes, PseudoprimesAndLargeNumbers) {
  for (Qword n : {Qword{341}, Qword{561}, Qword{1194649}, Qword{12327121}, Qword{1000003} * 1000033,
                  Qword{4294967291} * 4294967279})
    EXPECT_FALSE(uIsPrime(n)) << n;
  EXPECT_TRUE(uIsPrime(kLargestPrime));
  EXPECT_TRUE(uIsPrime(4294967291u));
  EXPECT_FALSE(uIsPrime(kAllOnes));
  EXPECT_EQ(uSpf(Qword{1000003} * 1000033), 1000003u);
  EXPECT_EQ(uSpf(1194649), 1093u);  // 1093^2, a Wieferich square
  EXPECT_EQ(uSpf(kLargestPrime), kLargestPrime);
  EXPECT_EQ(uGpf(Qword{1000003} * 1000033), 1000033u);
}

// Numbers that fool Miller-Rabin with small base sets: the smallest strong
// pseudoprimes to the first k prime bases (OEIS A014233), strong base-2
// pseudoprimes, Carmichael numbers and semiprimes p (2p - 1) and p q near
// 2^32.
TEST(Primes, StrongPseudoprimesAreComposite) {
  for (Qword n : {Qword{2047},
                  Qword{1373653},
                  Qword{25326001},
                  Qword{3215031751},
                  Qword{2152302898747},
                  Qword{3474749660383},
                  Qword{341550071728321},
                  Qword{3825123056546413051u},
                  Qword{3277},
                  Qword{4033},
                  Qword{4681},
                  Qword{8321},
                  Qword{15841},
                  Qword{29341},
                  Qword{42799},
                  Qword{49141},
                  Qword{52633},
                  Qword{65281},
                  Qword{74665},
                  Qword{80581},
                  Qword{85489},
                  Qword{88357},
                  Qword{90751},
                  Qword{1105},
                  Qword{1729},
                  Qword{2465},
                  Qword{2821},
                  Qword{6601},
                  Qword{8911},
                  Qword{41041},
                  Qword{825265},
                  Qword{321197185},
                  Qword{4759123141},
                  Qword{1122004669633},
                  Qword{4294967291} * 4294967291,
                  Qword{4294967279} * 4294967291,
                  Qword{2147483647} * 4294967291,
                  Qword{3037000493} * 6074000985,
                  Qword{1000000007} * 1999999999}) {
    EXPECT_FALSE(uIsPrime(n)) << n;
    // uSpf trusts the same exact test after the Fermat filter (kept to
    // numbers whose trial division is quick).
    if (n < (Qword{1} << 42)) {
      EXPECT_NE(uSpf(n), n) << n;
    }
  }
  for (Qword p : {Qword{2147483647}, Qword{2305843009213693951u}, Qword{9223372036854775783u},
                  Qword{4294967311}, Qword{1000000000039}, Qword{18446744073709551533u}})
    EXPECT_TRUE(uIsPrime(p)) << p;
}

// Segments of large numbers against a sieve by every prime up to their root.
TEST(Primes, AgreeWithSegmentedSieves) {
  for (const Qword start : {Qword{1} << 32, Qword{1000000000000}, Qword{1} << 50}) {
    const Qword width = 20000;
    Qword root = 1;
    while (root * root <= start + width) ++root;
    const auto small = Sieve(root);
    std::vector<bool> prime(width, true);
    for (Qword p = 2; p <= root; ++p) {
      if (!small[p]) continue;
      for (Qword q = (start + p - 1) / p * p; q < start + width; q += p) prime[q - start] = false;
    }
    Qword primes_found = 0;
    for (Qword i = 0; i < width; ++i) {
      ASSERT_EQ(uIsPrime(start + i), prime[i]) << start + i;
      primes_found += prime[i];
    }
    EXPECT_GT(primes_found, 100u);  // the segments are not empty
  }
}

TEST(Primes, SearchAndPredicates) {
  EXPECT_EQ(uSpf(91), 7u);
  EXPECT_EQ(uGpf(12), 3u);
  EXPECT_EQ(uGpf(10), 5u);
  EXPECT_EQ(uGpf(7), 7u);
  EXPECT_EQ(uGpf(2), 2u);
  EXPECT_EQ(uNextPrime(7), 11u);
  EXPECT_EQ(uNextPrime(1), 2u);
  EXPECT_EQ(uNextPrime(2), 3u);
  EXPECT_EQ(uPrevPrime(3), 2u);
  EXPECT_EQ(uPrevPrime(2), kAllOnes);
  EXPECT_EQ(uPrevPrime(100), 97u);
  EXPECT_EQ(uPrevPrime(kAllOnes), kLargestPrime);
  // No prime above the largest 64-bit prime: the invalid marker, not a wrap.
  EXPECT_EQ(uNextPrime(kLargestPrime), kAllOnes);
  EXPECT_EQ(uNextPrime(kLargestPrime - 1), kLargestPrime);
  EXPECT_TRUE(uNextIsPrime(10));
  EXPECT_EQ(uPreviousIsPrime(2), 0u);
  EXPECT_EQ(uPreviousIsPrime(4), 1u);
  EXPECT_EQ(uIsOddPrime(2), 0u);
  EXPECT_EQ(uIsComposite(3), 0u);
  EXPECT_EQ(uIsComposite(9), 1u);
  EXPECT_EQ(uIsOddComposite(8), 0u);
  EXPECT_EQ(uIsTwinPrime(5), 1u);
  EXPECT_EQ(uIsTwinPrime(23), 0u);
  EXPECT_EQ(uIsLowerOfTwinPrimes(11), 1u);
  EXPECT_EQ(uIsUpperOfTwinPrimes(13), 1u);
  EXPECT_EQ(uIsBetweenTwinPrimes(12), 1u);
  EXPECT_EQ(uIsNeighbourOfPrime(0), 0u);
  EXPECT_EQ(uIsNeighbourOfPrime(8), 1u);
  EXPECT_EQ(uIsBiPrime(49), 1u);
  EXPECT_EQ(uIsTriPrime(30), 1u);
  EXPECT_EQ(uIsTriPrime(16), 0u);
}

TEST(ArithmeticFunctions, AgainstExactFactorisation) {
  for (const auto& r : kArithRows) {
    const Qword n = r[0];
    EXPECT_EQ(uOmega(n), r[1]) << n;
    EXPECT_EQ(uBigOmega(n), r[2]) << n;
    EXPECT_EQ(uSopf(n), r[3]) << n;
    EXPECT_EQ(uSopfr(n), r[4]) << n;
    EXPECT_EQ(uTotient(n), r[5]) << n;
    EXPECT_EQ(static_cast<Qword>(uMoebius(n)), r[6]) << n;
    EXPECT_EQ(uRadical(n, 2), r[10]) << n;
    EXPECT_EQ(uSigma(n, 0), r[7]) << n;
    EXPECT_EQ(uSigma(n, 1), r[8]) << n;
    EXPECT_EQ(uSigma(n, 2), r[9]) << n;
  }
  EXPECT_EQ(uTotient(0), 0u);
  EXPECT_EQ(uRadical(72, 3), 36u);
  EXPECT_EQ(uRadical(72, 1), 1u);
  EXPECT_EQ(uIsSquarefree(30), 1u);
  EXPECT_EQ(uIsSquarefree(12), 0u);
}

TEST(ArithmeticFunctions, DivisorSumsAndAbundance) {
  EXPECT_EQ(uSigma(12, 0), 6u);
  EXPECT_EQ(uSigma(12, 1), 28u);
  EXPECT_EQ(uSigma(1, 1), 1u);
  EXPECT_EQ(uJordanTotient(6, 2), 24u);
  EXPECT_EQ(uJordanTotient(36, 1), 12u);
  EXPECT_EQ(uJordanTotient(10, 0), 0u);
  EXPECT_EQ(uJordanTotient(1, 5), 1u);
  EXPECT_EQ(uJordanTotient(12, 3), 1728u / 8 * 7 / 27 * 26);  // J3(12) = 12^3 (1 - 1/8)(1 - 1/27)
  EXPECT_EQ(uIsPerfect(28), 1u);
  EXPECT_EQ(uIsPerfect(8128), 1u);
  EXPECT_EQ(uIsAbundant(12), 1u);
  EXPECT_EQ(uIsDeficient(8), 1u);
  EXPECT_EQ(uAreFriendly(6, 28), 1u);
  EXPECT_EQ(uAreFriendly(6, 12), 0u);
}

TEST(ArithmeticFunctions, PrimeExponents) {
  EXPECT_EQ(uPrimeInFactorial(100, 5), 24u);
  EXPECT_EQ(uPrimeInFactorial(100, 1), 0u);
  EXPECT_EQ(uPrimeInBinomial(10, 5, 2), 2u);
  EXPECT_EQ(uPrimeInMultisets(3, 2, 2), 1u);
  EXPECT_EQ(uPrimeInDoubleFactorial(10, 2), 8u);  // 10!! = 3840 = 2^8 * 15
  EXPECT_EQ(uPrimeInDoubleFactorial(9, 3), 3u);   // 9!! = 945 = 3^3 5 7
  EXPECT_EQ(uPrimeInDoubleFactorial(15, 5), 2u);  // 15!! = 2027025 = 3^4 5^2 7 11 13
  EXPECT_EQ(uPrimeInDoubleFactorial(3, 5), 0u);
}

TEST(PowersAndRoots, Tests) {
  Qword e = 99, p = 0;
  EXPECT_TRUE(uIsPowerOf(81, 3, &e));
  EXPECT_EQ(e, 4u);
  EXPECT_TRUE(uIsPowerOf(1, 7, &e));
  EXPECT_EQ(e, 0u);
  EXPECT_FALSE(uIsPowerOf(80, 3, &e));
  EXPECT_EQ(e, 0u);
  EXPECT_FALSE(uIsPowerOf(0, 3, &e));
  EXPECT_TRUE(uIsPowerOf(1, 0, nullptr));
  EXPECT_EQ(uIsProperPowerOf(9, 3, &e), 1u);
  EXPECT_EQ(uIsProperPowerOf(3, 3, &e), 0u);
  EXPECT_EQ(e, 1u);
  EXPECT_EQ(uIsProperPower(36, &e), 6u);
  EXPECT_EQ(e, 2u);
  EXPECT_EQ(uIsProperPower(72, &e), 72u);
  EXPECT_EQ(e, 1u);
  EXPECT_EQ(uIsProperPower(1, &e), 1u);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(uMaxLePower(1000, 10, &p), 3u);
  EXPECT_EQ(p, 1000u);
  EXPECT_EQ(uMaxLePower(999, 10, &p), 2u);
  EXPECT_EQ(p, 100u);
  EXPECT_EQ(uMaxLePower(999, 1, &p), 0u);
  EXPECT_EQ(p, 1u);
  Qword co = 0;
  EXPECT_EQ(uMaxPowerDivisor(48, 2, &co), 4u);
  EXPECT_EQ(co, 3u);
  EXPECT_EQ(uIsTwo2N(64), 1u);
  EXPECT_EQ(uIsTwo2N(0), 0u);
  EXPECT_EQ(uIsNotTwo2N(6), 1u);
  EXPECT_EQ(uDiffersByTwo2n(3, 11), 1u);
  EXPECT_EQ(uDiffersByTwo2n(5, 5), 0u);
  EXPECT_EQ(iDiffersByTwo2n(-3, 5), 1u);
  EXPECT_EQ(iDiffersByTwo2n(INT64_MIN, 0), 1u);
  EXPECT_TRUE(uDiffersByPowerOf(10, 1, 3));
  EXPECT_TRUE(uDiffersByPowerOf(4, 4, 0));
  EXPECT_FALSE(uDiffersByPowerOf(4, 4, 2));
}

// Exact roots up to 2^64 - 1 (the estimate in doubles is corrected both ways).
TEST(PowersAndRoots, RootsAgainstExactIntegers) {
  for (const auto& r : kRootRows) {
    Qword p = 0;
    EXPECT_EQ(uLeRthRoot(r[0], r[1], &p), r[2]) << r[0] << " " << r[1];
    EXPECT_EQ(p, r[1] >= 64 || r[0] <= 3 ? p : r[3]) << r[0] << " " << r[1];
  }
  Qword p = 0;
  EXPECT_EQ(uLeRthRoot(26, 3, &p), 2u);
  EXPECT_EQ(p, 8u);
  EXPECT_EQ(uLeRthRoot(27, 3, &p), 3u);
  EXPECT_EQ(p, 27u);
  EXPECT_EQ(uLeRthRoot(0, 2, &p), 0u);
  EXPECT_EQ(p, 0u);
  EXPECT_EQ(uLeRthRoot(50, 0, &p), 0u);
  EXPECT_EQ(p, 1u);
  EXPECT_EQ(uLeRthRoot(50, 1, &p), 50u);
  EXPECT_EQ(p, 50u);
  EXPECT_EQ(uLeRthRoot(kAllOnes, 70, &p), 1u);
  EXPECT_EQ(p, 1u);
}

TEST(Digits, BaseTen) {
  EXPECT_EQ(uNumberOfDigits(0, 10), 0u);
  EXPECT_EQ(uNumberOfDigits(kAllOnes, 10), 20u);
  EXPECT_EQ(uNumberOfDigits(255, 16), 2u);
  EXPECT_EQ(uSumOfDigits(1234, 10), 10u);
  EXPECT_EQ(uProductOfDigits(105, 10), 0u);
  EXPECT_EQ(uProductOfDigits(0, 10), 1u);
  EXPECT_EQ(uProductOfDigits(234, 10), 24u);
  EXPECT_EQ(uReverseDigits(1200, 10), 21u);
  EXPECT_EQ(uReverseDigits(6, 2), 3u);
  EXPECT_EQ(uIsPalindrome(12321, 10), 1u);
  EXPECT_EQ(uIsPalindrome(5, 2), 1u);
  EXPECT_EQ(uDigitalRoot(38, 10), 2u);
  EXPECT_EQ(uDigitalRoot(0, 10), 0u);
  EXPECT_EQ(uComplementDigits(123, 10), 876u);
  EXPECT_EQ(uComplementDigits(5, 2), 2u);
}

// Bases 0 and 1 have no digits: every digit function ends at once.
TEST(Digits, DegenerateBasesEnd) {
  for (Qword b : {Qword{0}, Qword{1}}) {
    EXPECT_EQ(uNumberOfDigits(12345, b), 0u);
    EXPECT_EQ(uSumOfDigits(12345, b), 0u);
    EXPECT_EQ(uProductOfDigits(12345, b), 0u);
    EXPECT_EQ(uReverseDigits(12345, b), 12345u);
    EXPECT_EQ(uDigitalRoot(12345, b), 0u);
    EXPECT_EQ(uComplementDigits(12345, b), 12345u);
  }
}

TEST(Modular, AgainstPythonIntegers) {
  for (const auto& r : kModRows) {
    EXPECT_EQ(uModAdd(r[0], r[1], r[3]), r[4]) << r[0] << " " << r[1] << " " << r[3];
    EXPECT_EQ(uModAdd3(r[0], r[1], r[2], r[3]), r[5]);
    EXPECT_EQ(uModSub(r[0], r[1], r[3]), r[6]);
    EXPECT_EQ(uModMul(r[0], r[1], r[3]), r[7]);
    EXPECT_EQ(uModPwr(r[0], r[1], r[3]), r[3] < 2 ? 0 : r[8]);
  }
  EXPECT_EQ(uModMul(4, 3, 6), 0u);
  EXPECT_EQ(uModSub(1, 4, 3), 0u);
  EXPECT_EQ(uModPwr(2, 10, 1000), 24u);
  EXPECT_EQ(uModPwr(5, 0, 7), 1u);
  EXPECT_EQ(uModPwr(5, 3, 1), 0u);
}

// A modulus of 0 has no residues: the invalid marker instead of a trap.
TEST(Modular, ZeroModulusDoesNotTrap) {
  EXPECT_EQ(uModAdd(3, 4, 0), kAllOnes);
  EXPECT_EQ(uModAdd3(3, 4, 5, 0), kAllOnes);
  EXPECT_EQ(uModSub(3, 4, 0), kAllOnes);
  EXPECT_EQ(uModMul(3, 4, 0), kAllOnes);
  EXPECT_EQ(uModPwr(3, 4, 0), 0u);
}

TEST(Carry, AgainstPythonIntegers) {
  for (const auto& r : kCarryRows) {
    Qword w = r[0];
    EXPECT_EQ(uMulc(&w, r[1], r[2]), r[4]);
    EXPECT_EQ(w, r[3]);
    Qword low = r[5];
    const Qword rem = uDivr(&low, r[7], r[6]);
    EXPECT_EQ(low, r[8]) << r[5] << " " << r[6] << " " << r[7];
    EXPECT_EQ(rem, r[9]);
  }
  Qword w = kAllOnes;
  EXPECT_EQ(uMulc(&w, kAllOnes, kAllOnes), kAllOnes);
  EXPECT_EQ(w, 0u);
  Qword low = 0;
  EXPECT_EQ(uDivr(&low, 3, 1), 1u);
  EXPECT_EQ(low, 6148914691236517205u);
  low = 9;
  EXPECT_EQ(uDivr(&low, 0, 1), 0u);
  EXPECT_EQ(low, 0u);
}

TEST(Carry, MultiWordAddSubtractNegate) {
  // (2^64 - 1, 1) + (1, 0) word by word = (0, 2).
  Qword lo = kAllOnes, hi = 1;
  const Qword c = uAddc(&lo, 1, 0);
  EXPECT_EQ(c, 1u);
  uAddc(&hi, 0, c);
  EXPECT_EQ(lo, 0u);
  EXPECT_EQ(hi, 2u);
  const Qword b = uSubb(&lo, 1, 0);
  EXPECT_EQ(b, 1u);
  uSubb(&hi, 0, b);
  EXPECT_EQ(lo, kAllOnes);
  EXPECT_EQ(hi, 1u);
  // Two's-complement negation of (5, 0): (-5, all ones).
  Qword n0 = 5, n1 = 0;
  const Qword k = uComplc(&n0, 1);
  uComplc(&n1, k);
  EXPECT_EQ(n0, Qword{0} - 5);
  EXPECT_EQ(n1, kAllOnes);
  Qlong s = -1;
  EXPECT_EQ(iAddc(&s, 1, 0), 1);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(iSubb(&s, 1, 0), 1);
  Qlong z = 0;
  EXPECT_EQ(iComplc(&z, 1), 1);
  EXPECT_EQ(z, 0);
}

TEST(Shifts, BothDirections) {
  EXPECT_EQ(uShift(1, 63), Qword{1} << 63);
  EXPECT_EQ(uShift(1, 64), 0u);
  EXPECT_EQ(uShift(kAllOnes, -60), 15u);
  EXPECT_EQ(uShift(5, INT64_MIN), 0u);
  EXPECT_EQ(uMulBy2ToE(3, 2), 12u);
  EXPECT_EQ(iShift(-8, -1), -4);
  EXPECT_EQ(iShift(-8, -63), 0);
  EXPECT_EQ(iShift(-8, 2), -32);
  EXPECT_EQ(iMulBy2ToE(7, 0), 7);
}

TEST(GrayAndPermutations, RoundTrips) {
  for (Qword n : {Qword{0}, Qword{1}, Qword{2}, Qword{12345}, kAllOnes, Qword{1} << 63})
    EXPECT_EQ(uGrayDecode(uGrayCode(n)), n);
  EXPECT_EQ(uGrayCode(2), 3u);
  // Multiplication by 7 permutes 0..9; the inverse undoes it.
  std::vector<bool> seen(10, false);
  for (Qword i = 0; i < 10; ++i) {
    const Qword j = uPermuteNc0(i, 10, 7);
    ASSERT_LT(j, 10u);
    seen[j] = true;
    EXPECT_EQ(uPermuteNc0Inv(j, 10, 7), i);
  }
  for (bool s : seen) EXPECT_TRUE(s);
  for (Qword i = 0; i < 12; ++i) EXPECT_EQ(uPermuteNcInv(uPermuteNc(i, 12, 5), 12, 5), i);
  EXPECT_EQ(uPermuteNc0(3, 0, 7), kAllOnes);
  EXPECT_EQ(uPermuteNc0Inv(3, 0, 7), kAllOnes);
  EXPECT_EQ(uPermuteNc0Inv(3, 10, 0), kAllOnes);
  // Large ranges stay exact and end at once.
  const Qword big = kLargestPrime;
  const Qword c = 0x9E3779B97F4A7C15u;
  const Qword i = 123456789012345u;
  EXPECT_EQ(uPermuteNc0Inv(uPermuteNc0(i, big, c), big, c), i);
  // No solution (c shares a factor with n and does not divide): t = c.
  EXPECT_EQ(uPermuteNc0Inv(1, 4, 2), (1 + 4 * 2) / 2 % 4);
}

}  // namespace
