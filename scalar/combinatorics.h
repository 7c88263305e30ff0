// Exact integer combinatorics: gcd and lcm (also of argument lists),
// coprimality, ratios of two integers, factorials, binomials, the
// Pochhammer symbol, Stirling, Bell, Catalan, Euler, Fibonacci and Lucas
// numbers. A result that does not fit is the invalid marker of its type
// (all ones unsigned, 0x8000000000000000 signed) with NUM_OVERFLOW in the
// optional status word. A signed result of magnitude 2^63 (-2^63 included,
// whose bits are the marker) is reported the same way.
#pragma once
#include "base/types.h"

// Greatest common divisor, least common multiple and coprimality.
VELTRIA_API Qword uGcd(Qword a, Qword b);
VELTRIA_API Qlong iGcd(Qlong a, Qlong b);
VELTRIA_API Qword uScm(Qword a, Qword b);
VELTRIA_API Qlong iScm(Qlong a, Qlong b);
VELTRIA_API bool uAreCoprime(Qword a, Qword b);
VELTRIA_API bool iAreCoprime(Qlong a, Qlong b);
VELTRIA_API bool uAreNotCoprime(Qword a, Qword b);
VELTRIA_API bool iAreNotCoprime(Qlong a, Qlong b);

// The same over a count and that many values, each passed as a 64-bit
// integer (Qword or Qlong, not a narrower literal). A count of 0 reads
// nothing and answers for the empty list: gcd 0, lcm 1, not coprime.
VELTRIA_API Qword uVaGcd(Qword count, ...);
VELTRIA_API Qlong iVaGcd(Qword count, ...);
VELTRIA_API Qword uVaScm(Qword count, ...);
VELTRIA_API Qlong iVaScm(Qword count, ...);
VELTRIA_API bool uVaAreCoprime(Qword count, ...);
VELTRIA_API bool iVaAreCoprime(Qword count, ...);
VELTRIA_API bool uVaAreNotCoprime(Qword count, ...);
VELTRIA_API bool iVaAreNotCoprime(Qword count, ...);

// Ratios p/q held by address; the second ratio a/b by value. The four
// arithmetic operations return 0, or NUM_OVERFLOW when the exact reduced
// result does not fit in 64 bits (the ratio then becomes the undefined
// ratio sign/0).
VELTRIA_API bool iReduceRatio(Qlong* p, Qlong* q);
VELTRIA_API bool uReduceRatio(Qword* p, Qword* q);
VELTRIA_API Long iAddRatios(Qlong* p, Qlong* q, Qlong a, Qlong b);
VELTRIA_API Long iSubRatios(Qlong* p, Qlong* q, Qlong a, Qlong b);
VELTRIA_API Long iMulRatios(Qlong* p, Qlong* q, Qlong a, Qlong b);
VELTRIA_API Long iDivRatios(Qlong* p, Qlong* q, Qlong a, Qlong b);
VELTRIA_API double riThomae(Qlong p, Qlong q);
VELTRIA_API double ruThomae(Qword p, Qword q);

// Factorials, binomials, multisets and the Pochhammer symbol.
VELTRIA_API Qword uFactorial(Qword n, NumStatus* status);
VELTRIA_API Qlong iFactorial(Qlong n, NumStatus* status);
VELTRIA_API Qword uDoubleFactorial(Qword n, NumStatus* status);
VELTRIA_API Qlong iDoubleFactorial(Qlong n, NumStatus* status);
VELTRIA_API Qword uBinomial(Qword n, Qword k, NumStatus* status);
VELTRIA_API Qlong iBinomial(Qlong n, Qlong k, NumStatus* status);
VELTRIA_API Qword uCentralBinomial(Qword n, NumStatus* status);
VELTRIA_API Qword uCountMultisets(Qword n, Qword k, NumStatus* status);
VELTRIA_API Qlong iCountMultisets(Qlong n, Qlong k, NumStatus* status);
VELTRIA_API Qlong iPochhammer(Qlong a, Qlong n, NumStatus* status);

// Number sequences.
VELTRIA_API Qword uStirling1(Qword n, Qword k, NumStatus* status);
VELTRIA_API Qlong iStirling1(Qlong n, Qlong k, NumStatus* status);
VELTRIA_API Qword uStirling2(Qword n, Qword k, NumStatus* status);
VELTRIA_API Qword uBellNumber(Qword n, NumStatus* status);
VELTRIA_API Qword uCatalanNumber(Qword n, NumStatus* status);
VELTRIA_API Qword uEulerNumber(Qword n, NumStatus* status);
VELTRIA_API Qlong iEulerNumber(Qlong n, NumStatus* status);
VELTRIA_API Qword uFibonacci(Qword n, NumStatus* status);
VELTRIA_API Qword uLucas(Qword n, NumStatus* status);
VELTRIA_API Qlong iFibonacci(Qlong n, NumStatus* status);
VELTRIA_API Qlong iLucas(Qlong n, NumStatus* status);

// base^n modulo 2^64 by binary powering; n = 0 gives 1.
Qword uPowerBySquaring(const Qword& base, Qword n);
