// Exported complex continued fractions and generating-function sums under
// the library's three-value convergence test. Each returns a LibErrorCode:
// 0, 26 for a missing callback or value pointer, 39 when the step limit is
// reached while the test is active; the value goes through `value`.
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

// Returns the partial denominator b_k and stores the partial numerator a_k.
typedef COMPLEX (*CContFracCoefFunction)(Qword k, COMPLEX x, COMPLEX* a);
// Returns the coefficient c_k, or for the ratio forms c_0 at k = 0 and
// c_k / c_(k-1) above.
typedef COMPLEX (*CGfCoefFunction)(Qword k);

// Tests x against the history h0, h1, h2: the real parts first; the
// imaginary history is tested and shifted only when the real parts pass.
VELTRIA_API bool cConvergenceTest3(COMPLEX x, COMPLEX* h0, COMPLEX* h1, COMPLEX* h2, double tol);

// Sum of c_k z^k (Ogf) or c_k z^k / k! (Egf), its s-th derivative (s > 0)
// or its |s|-fold integral from 0 (s < 0).
VELTRIA_API LibErrorCode cOgfCoefFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                      Qword max_steps, Qword min_steps);
VELTRIA_API LibErrorCode cOgfCoefRatioFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                           Qword max_steps, Qword min_steps);
VELTRIA_API LibErrorCode cEgfCoefFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                      Qword max_steps, Qword min_steps);
VELTRIA_API LibErrorCode cEgfCoefRatioFunc(COMPLEX z, COMPLEX* value, CGfCoefFunction f, Qlong s,
                                           Qword max_steps, Qword min_steps);
