// Number theory on unsigned 64-bit integers: primality and factors,
// arithmetic functions, powers and roots, digits, modular and multi-word
// carry arithmetic, shifts, Gray code and range permutations.
#pragma once
#include "base/types.h"

// Primes.
VELTRIA_API bool uIsPrime(Qword n);
VELTRIA_API Qword uSpf(Qword n);
VELTRIA_API Qword uGpf(Qword n);
VELTRIA_API Qword uNextPrime(Qword n);
VELTRIA_API Qword uPrevPrime(Qword n);
VELTRIA_API bool uNextIsPrime(Qword n);
VELTRIA_API Dword uPreviousIsPrime(Qword n);
VELTRIA_API Qword uPrimesPi(Qword n);
VELTRIA_API Dword uIsOddPrime(Qword n);
VELTRIA_API Dword uIsComposite(Qword n);
VELTRIA_API Dword uIsOddComposite(Qword n);
VELTRIA_API Dword uIsTwinPrime(Qword n);
VELTRIA_API Dword uIsLowerOfTwinPrimes(Qword n);
VELTRIA_API Dword uIsUpperOfTwinPrimes(Qword n);
VELTRIA_API Dword uIsBetweenTwinPrimes(Qword n);
VELTRIA_API Dword uIsNeighbourOfPrime(Qword n);
VELTRIA_API Dword uIsBiPrime(Qword n);
VELTRIA_API Dword uIsTriPrime(Qword n);

// Arithmetic functions.
VELTRIA_API Qword uOmega(Qword n);
VELTRIA_API Qword uBigOmega(Qword n);
VELTRIA_API Qword uSopf(Qword n);
VELTRIA_API Qword uSopfr(Qword n);
VELTRIA_API Qword uRadical(Qword n, Qword r);
VELTRIA_API Qlong uMoebius(Qword n);
VELTRIA_API Dword uIsSquarefree(Qword n);
VELTRIA_API Qword uSigma(Qword n, Qword k);
VELTRIA_API Qword uTotient(Qword n);
VELTRIA_API Qword uJordanTotient(Qword n, Qword k);
VELTRIA_API Dword uIsPerfect(Qword n);
VELTRIA_API Dword uIsAbundant(Qword n);
VELTRIA_API Dword uIsDeficient(Qword n);
VELTRIA_API Dword uAreFriendly(Qword a, Qword b);
VELTRIA_API Qword uPrimeInFactorial(Qword n, Qword p);
VELTRIA_API Qword uPrimeInBinomial(Qword n, Qword k, Qword p);
VELTRIA_API Qword uPrimeInMultisets(Qword n, Qword k, Qword p);
VELTRIA_API Qword uPrimeInDoubleFactorial(Qword n, Qword p);

// Powers and roots.
VELTRIA_API Qword uMaxLePower(Qword n, Qword b, Qword* power);
VELTRIA_API Qword uMaxPowerDivisor(Qword n, Qword b, Qword* cofactor);
VELTRIA_API bool uIsPowerOf(Qword n, Qword b, Qword* exponent);
VELTRIA_API Dword uIsProperPowerOf(Qword n, Qword b, Qword* exponent);
VELTRIA_API Qword uIsProperPower(Qword n, Qword* exponent);
VELTRIA_API Qword uLeRthRoot(Qword n, Qword r, Qword* power);
VELTRIA_API Dword uIsTwo2N(Qword n);
VELTRIA_API Dword uIsNotTwo2N(Qword n);
VELTRIA_API Dword uDiffersByTwo2n(Qword a, Qword b);
VELTRIA_API Dword iDiffersByTwo2n(Qlong a, Qlong b);
VELTRIA_API bool uDiffersByPowerOf(Qword a, Qword b, Qword base);

// Digits in base b.
VELTRIA_API Qword uNumberOfDigits(Qword n, Qword b);
VELTRIA_API Qword uSumOfDigits(Qword n, Qword b);
VELTRIA_API Qword uProductOfDigits(Qword n, Qword b);
VELTRIA_API Qword uReverseDigits(Qword n, Qword b);
VELTRIA_API Dword uIsPalindrome(Qword n, Qword b);
VELTRIA_API Qword uDigitalRoot(Qword n, Qword b);
VELTRIA_API Qword uComplementDigits(Qword n, Qword b);

// Modular arithmetic; a modulus of 0 gives the invalid marker (all ones).
VELTRIA_API Qword uModAdd(Qword a, Qword b, Qword m);
VELTRIA_API Qword uModAdd3(Qword a, Qword b, Qword c, Qword m);
VELTRIA_API Qword uModSub(Qword a, Qword b, Qword m);
VELTRIA_API Qword uModMul(Qword a, Qword b, Qword m);
VELTRIA_API Qword uModPwr(Qword a, Qword e, Qword m);

// Multi-word carry arithmetic.
VELTRIA_API Qword uAddc(Qword* w, Qword a, Qword b);
VELTRIA_API Qlong iAddc(Qlong* w, Qlong a, Qlong b);
VELTRIA_API Qword uSubb(Qword* w, Qword a, Qword b);
VELTRIA_API Qlong iSubb(Qlong* w, Qlong a, Qlong b);
VELTRIA_API Qword uComplc(Qword* w, Qword a);
VELTRIA_API Qlong iComplc(Qlong* w, Qlong a);
VELTRIA_API Qword uMulc(Qword* w, Qword a, Qword b);
VELTRIA_API Qword uDivr(Qword* low, Qword d, Qword high);

// Shifts, Gray code and permutations.
VELTRIA_API Qword uShift(Qword n, Qlong e);
VELTRIA_API Qword uMulBy2ToE(Qword n, Qlong e);
VELTRIA_API Qlong iShift(Qlong n, Qlong e);
VELTRIA_API Qlong iMulBy2ToE(Qlong n, Qlong e);
VELTRIA_API Qword uGrayCode(Qword n);
VELTRIA_API Qword uGrayDecode(Qword g);
VELTRIA_API Qword uPermuteNc0(Qword i, Qword n, Qword c);
VELTRIA_API Qword uPermuteNc0Inv(Qword i, Qword n, Qword c);
VELTRIA_API Qword uPermuteNc(Qword i, Qword n, Qword c);
VELTRIA_API Qword uPermuteNcInv(Qword i, Qword n, Qword c);
