// Rational numbers: the arithmetic of Qrat (base/qrat.h), powers, means,
// folds over argument lists, and text in both widths. Products are exact
// while they fit 64 bits and wrap silently beyond; results are reduced.
#pragma once
#include "base/qrat.h"
#include "base/types.h"

// den/num, not reduced (the denominator may come out negative).
Qrat QratReciprocal(const Qrat& a);
// iReduceRatio on the pair, in place.
void QratReduce(Qrat& a);
// a^n by binary powering, each product reduced; n = 0 gives 1/1, n = 1 a.
Qrat QratPowerBySquaring(const Qrat& a, Qword n);
// n < 0: (1/a)^-n; 0/1 to a negative power is 1/0.
Qrat QratPower(const Qrat& a, Qlong n);

// Means: stored into *result, which is returned (null: nothing, null).
VELTRIA_API Qrat* QratMeanA(Qrat* result, Qrat a, Qrat b);
VELTRIA_API Qrat* QratMeanH(Qrat* result, Qrat a, Qrat b);
// (a^p + b^p) / (a^(p-1) + b^(p-1)).
VELTRIA_API Qrat* QratMeanLehmer(Qrat* result, Qrat a, Qrat b, Qlong p);

// Folds over count Qrat arguments: 0, or 18 for a null result (no argument
// read). A count of 0 reads no argument and gives the empty fold: 1/1 for
// the product, 0/1 for the sums.
VELTRIA_API Dword QratVaProduct(Qrat* result, Qword count, ...);
VELTRIA_API Dword QratVaSum(Qrat* result, Qword count, ...);
VELTRIA_API Dword QratVaSumAbs(Qrat* result, Qword count, ...);
VELTRIA_API Dword QratVaSumInv(Qrat* result, Qword count, ...);
VELTRIA_API Dword QratVaSumSqr(Qrat* result, Qword count, ...);

// The reduced value as "numerator/denominator", or the numerator alone for
// a denominator of 1; the value is reduced in place. Returns the text
// length, or 26 with an empty text for a radix below 2 (digit values above
// 15 are written by their low 4 bits, as the integer writers do). The buffer
// needs room for 131 characters in radix 2.
VELTRIA_API Qword QratToBuffer(Qrat* value, char16_t* buffer, Dword radix);
VELTRIA_API Qword QratToBufferA(Qrat* value, char* buffer, Dword radix);
// Parses "n", "n/d" (white space before the slash allowed) into *result
// (1/0 on failure); the NumStatus of the last parse, with NUM_NOSTRUCT
// when the text is no fraction. The last two arguments are not used.
VELTRIA_API NumStatus StringToQrat(const char16_t* text, Qrat* result, Qword* unused, Dword flags);
VELTRIA_API NumStatus StringToQratA(const char* text, Qrat* result, Qword* unused, Dword flags);

// Reads one console line (at most 1024 characters; the 8-bit form grooms
// it) and parses it with StringToQrat(A): the parser's status, or
// NUM_UNDEFINED with 1/0 when no line could be read.
VELTRIA_API NumStatus CinQrat(Qrat* result, const char16_t* prompt, Dword flags);
VELTRIA_API NumStatus CinQratA(Qrat* result, const char* prompt, Dword flags);
// Writes prefix, the reduced value in decimal and suffix to the console;
// the caller's value is not changed. The last argument is not used.
VELTRIA_API void CoutQrat(const char16_t* prefix, const Qrat* value, const char16_t* suffix,
                          Dword unused);
VELTRIA_API void CoutQratA(const char* prefix, const Qrat* value, const char* suffix, Dword unused);
