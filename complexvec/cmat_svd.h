// Singular value decomposition of a complex matrix, A = U diag(s) V^H, by
// Householder bidiagonalisation, reduction to a real bidiagonal matrix and
// the implicitly shifted QR iteration. The job code is that of the real
// decomposition (arrays/svd_job.h).
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

// A (n x p, column-major) is left unchanged. s receives min(n + 1, p)
// values: real, non-negative, decreasing (the one beyond min(n, p) is 0).
// U is n x n (tens digit 1) or n x min(n, p) (2 or more); V is p x p.
// U, s and V must all be given whatever the job. 35 when the iteration
// does not converge (with three lines on the console).
VELTRIA_API Dword CMatSVD(const COMPLEX* A, Dword n, Dword p, COMPLEX* U, COMPLEX* s, COMPLEX* V,
                          Dword job);

// Plane rotation of two reals: r = +-hypot(a, b) with the sign of the input
// of larger magnitude, c = a/r, s = b/r; a := r, b := the reconstruction
// value z. (0, 0) gives c = 1, s = 0, r = 0.
void CMatSVDRotation(double* a, double* b, double* c, double* s);
