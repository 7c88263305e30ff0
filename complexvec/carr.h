// Complex arrays and column-major complex matrices: creation, copy, fill,
// the vector kernels (scaled sum, scaling, conjugation, conjugated dot
// product, norm, plane rotation, exchange) and the matrix transposes and
// products. A CArr is a plain block of COMPLEX values with its count passed
// beside it; a CMat of rows x cols holds element (i, j) at i + rows*j.
// Release both with CArrKill / CMatKill (base/memory.h).
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

// Storage. New blocks hold (0, 0) in every element; a count of 2^60 or
// more, or rows*cols beyond 64 bits, gives null with 0x80001.
VELTRIA_API COMPLEX* CArrNew(Dword* error, Qword n);
VELTRIA_API COMPLEX* CArrNew0(Dword* error, Qword n);
VELTRIA_API COMPLEX* CArrNewCopy(Dword* error, Qword n, const COMPLEX* src);
VELTRIA_API Dword CArrCopy(Qword n, const COMPLEX* src, COMPLEX* dst);
VELTRIA_API Dword CArrFill(Qword n, COMPLEX* array, const COMPLEX* value);
VELTRIA_API Dword CArrZero(Qword n, COMPLEX* array);
VELTRIA_API Dword CArrSkipFill(Qword n, COMPLEX* array, Qword start, Qword step,
                               const COMPLEX* value);
VELTRIA_API COMPLEX* CMatNew(Dword* error, Qword rows, Qword cols);
VELTRIA_API COMPLEX* CMatNew0(Dword* error, Qword rows, Qword cols);
VELTRIA_API COMPLEX* CMatNewCopy(Dword* error, const COMPLEX* src, Qword rows, Qword cols);
VELTRIA_API Dword CMatCopy(const COMPLEX* src, Qword rows, Qword cols, COMPLEX* dst);

// Vector kernels; missing arguments give 22 (the dot product 14 and 18).
// y += a*x; an a of modulus exactly 0 changes nothing.
VELTRIA_API Dword CArrAdd(Dword n, const COMPLEX* x, COMPLEX* y, const COMPLEX* a);
VELTRIA_API Dword CArrMulConst(Dword n, const COMPLEX* src, COMPLEX* dst, const COMPLEX* a);
// A null dst conjugates src in place.
VELTRIA_API Dword CArrConjugate(Dword n, const COMPLEX* src, COMPLEX* dst);
// *result = sum of conj(x[i])*y[i] in index order.
VELTRIA_API Dword CArrDotProduct(Dword n, const COMPLEX* x, const COMPLEX* y, COMPLEX* result);
// sqrt of the plain sum of re^2 + im^2; 0 for a null or empty array.
VELTRIA_API double CArrNorm(Dword n, const COMPLEX* x);
// (x, y) := (c x + s y, c y - s x).
VELTRIA_API Dword CArrRot(Dword n, COMPLEX* x, COMPLEX* y, double c, double s);
VELTRIA_API Dword CArrSwap(Dword n, COMPLEX* x, COMPLEX* y);

// Matrices. Each product element starts at zero and accumulates in
// increasing order of the summation index. A result that overlaps an
// operand is computed aside first.
VELTRIA_API Dword CMatTranspose(const COMPLEX* src, Dword rows, Dword cols, COMPLEX* dst);
// dst := conjugate transpose of A (cols x rows); a null dst means A itself.
VELTRIA_API Dword CMatAdjoint(COMPLEX* A, Long rows, Long cols, COMPLEX* dst);
// y = A x for A rows x cols.
VELTRIA_API Dword CMatByCArr(const COMPLEX* A, const COMPLEX* x, Dword rows, Dword cols,
                             COMPLEX* y);
// y = x A (x a row of rows values, y a row of cols values).
VELTRIA_API Dword CArrByCMat(const COMPLEX* x, const COMPLEX* A, Dword rows, Dword cols,
                             COMPLEX* y);
// C (m x p) = A (m x n) B (n x p).
VELTRIA_API Dword CMatByMat(const COMPLEX* A, const COMPLEX* B, Dword m, Dword n, Dword p,
                            COMPLEX* C);
