// The real matrix: rows x cols doubles in column-major order, element (i, j)
// at i + rows*j, with the dimensions passed beside the pointer (rows first).
// Creation, copy and fill, special matrices, products, whole-block
// arithmetic, rearrangements and the allocating row operations. Element
// offsets are formed in 64 bits whatever the width of the dimensions.
#pragma once
#include "base/types.h"

// Creation, copy and fill. A rows*cols that does not fit 64 bits is refused
// (null with 0x80001) before anything is allocated.
VELTRIA_API double* RMatNew(Dword* error, Qword rows, Qword cols);
VELTRIA_API double* RMatNew0(Dword* error, Qword rows, Qword cols);
VELTRIA_API double* RMatNewCopy(Dword* error, Qword rows, Qword cols, const double* src);
VELTRIA_API Dword RMatCopy(Qword rows, Qword cols, const double* src, double* dst);
VELTRIA_API Dword RMatFill(Qword rows, Qword cols, double* M, double value);
VELTRIA_API Dword RMatZero(Qword rows, Qword cols, double* M);

// Special matrices. cols 0 means cols = rows (cols = n).
VELTRIA_API Dword RMatFillIdentity(double* M, Qword rows, Qword cols);
VELTRIA_API double* RMatNewIdentity(Dword* error, Qword rows, Qword cols);
VELTRIA_API Dword RMatFillVandermonde(double* M, const double* x, Qword n, Qword cols);
VELTRIA_API double* RMatNewVandermonde(Dword* error, const double* x, Qword n, Qword cols);
VELTRIA_API double RMatVandermondeDeterminant(Qword n, const double* x);
// G (n x n) = the dot products of the columns of A (k x n).
VELTRIA_API Dword RMatFillGram(Qword n, double* G, Qword k, const double* A);
VELTRIA_API double* RMatNewGram(Dword* error, Qword n, Qword k, const double* A);

// Products. C must not overlap the operands; every element is accumulated
// from 0.0 in increasing order of the summation index.
VELTRIA_API Dword RMatByMat(const double* A, const double* B, Dword m, Dword n, Dword p, double* C);
// C = A*B^T for A m x n, B p x n (two names of one body).
VELTRIA_API Dword RMatByMatT(const double* A, const double* B, Dword m, Dword n, Dword p,
                             double* C);
VELTRIA_API Dword RMatTByMat(const double* A, const double* B, Dword m, Dword n, Dword p,
                             double* C);
VELTRIA_API Dword RMatByRArr(const double* A, Qword rows, Qword cols, const double* x, double* y);
VELTRIA_API Dword RMatByDiagL(double* A, Dword n, const double* d);
VELTRIA_API Dword RMatByDiagR(double* A, Dword n, const double* d);
// A := S*A (S rows x rows) and A := A*S (S cols x cols) through a temporary.
VELTRIA_API Dword RMatBySquareMatL(double* A, Dword rows, Dword cols, const double* S);
VELTRIA_API Dword RMatBySquareMatR(double* A, Dword rows, Dword cols, const double* S);

// Whole-block arithmetic and reductions.
VELTRIA_API Dword RMatSum(const double* A, const double* B, Qword rows, Qword cols, double* C);
VELTRIA_API Dword RMatDiff(const double* A, const double* B, Qword rows, Qword cols, double* C);
VELTRIA_API double RMatSumOfPowersI(Qword rows, Qword cols, const double* A, Qword n);
VELTRIA_API double RMatNormL2(Qword rows, Qword cols, const double* A);
VELTRIA_API double RMatTrace(Qword rows, Qword cols, const double* A);

// Rearrangements; src may be dst.
VELTRIA_API Dword RMatTranspose(const double* src, Dword rows, Dword cols, double* dst);
VELTRIA_API Dword RMatReverseC(Dword rows, Dword cols, const double* src, double* dst);
VELTRIA_API Dword RMatReverseR(Dword rows, Dword cols, const double* src, double* dst);
VELTRIA_API Dword RMatRunningSumC(Dword rows, Dword cols, const double* src, double* dst);
VELTRIA_API Dword RMatRunningSumR(Dword rows, Dword cols, const double* src, double* dst);

// Allocating row operations: the new matrix, or null.
VELTRIA_API double* NewRMatAppendRows0(const double* A, Qword rows, Qword cols, Qword extra);
VELTRIA_API double* NewRMatRemoveRows(const double* A, Qword rows, Qword cols, Qword k);
// Reserved entry: reads nothing and answers 9.
VELTRIA_API Dword NewRMatFromAsciFile(void* a, Dword b, Dword c, void* d);
