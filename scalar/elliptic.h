// Elliptic integrals and functions: Carlson's symmetric forms, the complete
// and incomplete integrals of the three kinds, the nome, and the Jacobi
// elliptic functions sn, cn, dn with their quotients and inverses.
//
// Names ending in m take the parameter m = k^2, the others the modulus k.
// The Jacobi functions take the parameter first, then the argument. Domain
// errors give ___NAN; no status word is written.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

// Carlson's symmetric integrals by duplication; R_C and R_J give the Cauchy
// principal value for a negative last argument.
VELTRIA_API double rCarlsonIntegralRc(double x, double y);
VELTRIA_API double rCarlsonIntegralRf(double x, double y, double z);
VELTRIA_API double rCarlsonIntegralRj(double x, double y, double z, double p);

// Complete integrals K, E and Pi (characteristic n first; 1 - n sin^2 in the
// integrand). A NaN or infinite modulus or parameter is returned unchanged.
VELTRIA_API double rEllipticK(double k);
VELTRIA_API double rEllipticKm(double m);
VELTRIA_API double rEllipticE(double k);
VELTRIA_API double rEllipticEm(double m);
VELTRIA_API double rEllipticP(double n, double k);
VELTRIA_API double rEllipticPm(double n, double m);

// The nome q(m) = exp(-pi K(1 - m)/K(m)) and the complementary nome q(1 - m).
VELTRIA_API double rEllipticNomeQ(double m);
VELTRIA_API double rEllipticNomeQ1(double m);

// Incomplete integrals of amplitude phi. rIncompleteElliptics stores F and E
// (either pointer may be null) and returns 0, or 26 for k outside [0, 1] or
// phi > pi/2, storing nothing.
VELTRIA_API LibErrorCode rIncompleteElliptics(double k, double phi, double* f, double* e);
VELTRIA_API double rIncompleteEllipticF(double k, double phi);
VELTRIA_API double rIncompleteEllipticE(double k, double phi);
VELTRIA_API double rIncompleteEllipticFm(double x, double m);  // u with sn(u | m) = x
VELTRIA_API double rIncompleteEllipticP(double n, double phi, double k);

// Jacobi elliptic functions of (u | m). rSnCnDn stores the three values
// (null pointers are skipped) and returns 0, or 26 for m outside [-1, 1] or
// a NaN or infinite u, with NaN stored.
VELTRIA_API LibErrorCode rSnCnDn(double m, double u, double* sn, double* cn, double* dn);
VELTRIA_API double rSn(double m, double u);
VELTRIA_API double rCn(double m, double u);
VELTRIA_API double rDn(double m, double u);
VELTRIA_API double rNs(double m, double u);
VELTRIA_API double rNc(double m, double u);
VELTRIA_API double rNd(double m, double u);
VELTRIA_API double rSc(double m, double u);
VELTRIA_API double rSd(double m, double u);
VELTRIA_API double rCs(double m, double u);
VELTRIA_API double rCd(double m, double u);
VELTRIA_API double rDs(double m, double u);
VELTRIA_API double rDc(double m, double u);

// Inverses on the first quarter period [0, K]: the u with sn(u) = x, cn(u) = x
// or dn(u) = x.
VELTRIA_API double rSnInv(double m, double x);
VELTRIA_API double rCnInv(double m, double x);
VELTRIA_API double rDnInv(double m, double x);
