// Bessel functions J and Y of integer and real order, their derivatives,
// and the spherical Bessel functions j and y. A domain error or a series
// that reaches its term cap gives ___NAN; there is no status word.
#pragma once
#include "base/types.h"

VELTRIA_API double rBesselJn(double x, Qlong n);  // any real x
VELTRIA_API double rBesselJnD(double x, Qword n);
VELTRIA_API double rBesselJnD2(double x, Qword n);
VELTRIA_API double rBesselJnu(double x, double nu);  // x < 0: NaN
VELTRIA_API double rBesselJnuD(double x, double nu);
VELTRIA_API double rBesselJnuD2(double x, double nu);

VELTRIA_API double rBesselYn(double x, Qlong n);
VELTRIA_API double rBesselYnuDefinitive(double x, double nu);  // by regions
VELTRIA_API double rBesselYnu(double x, double nu);            // from J; not at integer orders
VELTRIA_API double rBesselYnuCloseIntegers(double x, double nu);
VELTRIA_API double rBesselYnuD(double x, double nu);
VELTRIA_API double rBesselYnuSmallTemme(double x, double nu);  // |nu| <= 0.5, x <= 2

VELTRIA_API double rBessel_j0(double x);  // sin(x)/x, the same as rSinc
VELTRIA_API double rBessel_j1(double x);
VELTRIA_API double rBessel_j2(double x);
VELTRIA_API double rBessel_j0D(double x);
VELTRIA_API double rBessel_j1D(double x);
VELTRIA_API double rBessel_jnu(double x, double nu);
VELTRIA_API double rBessel_jnu_series(double x, Qword n);
VELTRIA_API double rBessel_y0(double x);
VELTRIA_API double rBessel_y1(double x);
VELTRIA_API double rBessel_y2(double x);
VELTRIA_API double rBessel_y0D(double x);
VELTRIA_API double rBessel_y1D(double x);
VELTRIA_API double rBessel_y2D(double x);
VELTRIA_API double rBessel_ynu(double x, double nu);
VELTRIA_API double rBessel_ynu_series(double x, Qlong n);
