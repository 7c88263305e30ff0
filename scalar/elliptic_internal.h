// Pieces of the elliptic family shared between its files and with the
// vector geometry: integrals from the complementary parameter, the quarter
// period to double-double precision, and the half-argument step of the
// Jacobi functions.
#pragma once
#include "base/types.h"

// K and E of the parameter 1 - mc, computed from mc itself: near m = 1 the
// difference 1 - m would lose the digits that decide the logarithmic growth.
double EllipticKFromComplement(double mc);
double EllipticEFromComplement(double mc);

// K(m) as hi + lo, about 32 significant digits, for -1 <= m < 1: reducing a
// large argument by whole periods multiplies the error of K.
struct QuarterPeriod {
  double hi;
  double lo;
};
QuarterPeriod JacobiQuarterPeriod(double m);

// sn, cn and dn at the midpoint of two arguments in [0, K] from the values at
// both ends. Returns 0, or 26 for m outside [-1, 1] (nothing stored).
Dword rJacobiMidpoint(double sn1, double cn1, double dn1, double sn2, double cn2, double dn2,
                      double m, double* sn, double* cn, double* dn);
