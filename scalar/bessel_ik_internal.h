// Kernels shared by the I, K and Airy files; not exported.
#pragma once
#include "base/types.h"

// The large-x sum of I_nu: 1 + sum over k = 1 .. 2n + 1 of
// (-1)^k (mu - 1)(mu - 9)...(mu - (2k - 1)^2) / (k! (8x)^k), mu = 4 nu^2.
double rBesselInuAsympSum(double x, double nu, Dword n);
// From c = K at order nu - m and d = K at order nu - m - 1, m steps of
// K_(k+1) = (2k/x) K_k + K_(k-1) up to order nu.
double rBesselKRecurUp(double x, double nu, Qword m, double c, double d);

namespace bessel_detail {
// e^x K_mu(x) and e^x K_(mu+1)(x) for |mu| <= 1/2 and x > 0: Temme's series
// for x <= 2, Steed's continued fraction beyond. Scaled so that large x
// neither underflows nor loses the order recurrence built on them.
void ScaledKPair(double x, double mu, double* k_mu, double* k_mu1);
// K_nu(x) for any real order (K_-nu = K_nu) and x > 0, accurate everywhere:
// the pair above, then the upward recurrence, then e^-x.
double KnuAccurate(double x, double nu);
// K_0(x) and K_1(x) from their series (x > 0; meant for x <= 2, where they
// lose no more than a few bits to cancellation).
double K0Series(double x);
double K1Series(double x);
}  // namespace bessel_detail
