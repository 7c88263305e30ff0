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

// b0 + a1/(b1 + a2/(b2 + ...)) from n coefficients (null arrays are all
// ones); a[0], when a is given, is a tail value. The first argument is not read.
VELTRIA_API LibErrorCode cContFrac(COMPLEX x_unused, COMPLEX* value, Qword n, const COMPLEX* a,
                                   const COMPLEX* b, COMPLEX* approximants, Qword max_steps,
                                   Qword min_steps);
VELTRIA_API LibErrorCode cContFracCoefFunc(COMPLEX x, COMPLEX* value, CContFracCoefFunction f,
                                           COMPLEX* approximants, Qword max_steps, Qword min_steps);
// b0 + c1 x^e1/(1 + c2 x^e2/(1 + ...)); e null means every exponent is 1.
// The third argument is not read.
VELTRIA_API LibErrorCode cContFracCtype(COMPLEX x, COMPLEX* value, Qword count_unused, COMPLEX b0,
                                        const COMPLEX* c, const Qlong* e, COMPLEX* approximants,
                                        Qword max_steps, Qword min_steps);

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
