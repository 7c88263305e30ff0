// Dense linear algebra on real column-major matrices: the singular value
// decomposition (full and thin), reconstruction from it, back-substitution
// and least squares, Gauss-Jordan inversion with full pivoting, and the
// symmetric eigenproblem (Householder tridiagonalisation, QL iteration).
//
// SVD job code, decimal: the tens digit selects U (0 none, 1 all rows
// columns, 2 or more the first min(rows, cols)), the units digit V (0 none,
// else all of it). A is overwritten. s receives min(rows + 1, cols) values,
// non-negative and decreasing, with the columns of U and V in that order.
#pragma once
#include "base/types.h"

VELTRIA_API Dword RMatSVD(double* A, Qword rows, Qword cols, double* U, double* s, double* V,
                          Dword job);
VELTRIA_API Dword RMatThinSVD(double* A, Qword rows, Qword cols, double* U, double* s, double* V);
// x = V*diag(1/s)*U^T*b, zero singular values skipped; x may be b.
VELTRIA_API Dword RMatSVDBacksub(const double* U, const double* s, const double* V, Qword rows,
                                 Qword cols, const double* b, double* x);
VELTRIA_API Dword RMatFromSVD(double* A, Dword rows, Dword cols, const double* U, const double* s,
                              const double* V);
// U read as rows x cols, s as cols values, V as cols x cols.
VELTRIA_API Dword RMatFromThinSVD(double* A, Dword rows, Dword cols, const double* U,
                                  const double* s, const double* V);
// Least squares through the thin decomposition of a copy of A; singular
// values below threshold times the largest are dropped.
VELTRIA_API Dword SolveLinearSystemBySVD(const double* A, double* x, const double* b, Qword rows,
                                         Qword cols, double threshold);

// A (n x n) := its inverse; B (n x m), when given, := the solution of A*X = B.
VELTRIA_API Dword RMatInvert(double* A, Qword n, double* B, Dword m);

// Symmetric A (n x n) := its eigenvectors (column k for eigenvalue k), in
// the order the QL iteration leaves them.
VELTRIA_API Dword RMatDiagonalize(double* A, Dword n, double* eigenvalues);
// The same eigenvalues, bit for bit and in the same order, without the
// vectors (O(n^3) less work); A is used as work space.
VELTRIA_API Dword RMatEigenvalues(double* A, Dword n, double* eigenvalues);
VELTRIA_API Dword RMatTriDiagonalize(double* A, Dword n, double* d, double* e);
VELTRIA_API Dword RMatTriDiQL(double* A, Dword n, double* d, double* e);
