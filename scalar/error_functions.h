// The error-function family: erf and erfc with their antiderivatives and
// derivatives, fast forms, the inverse, the imaginary error function,
// Dawson's integral, Faddeeva's function on the imaginary axis, the
// exponential integrals and the sine and cosine integrals.
#pragma once
#include "base/types.h"

VELTRIA_API double rErf(double x);
VELTRIA_API double rErfc(double x);
VELTRIA_API double rErfA(double x);
VELTRIA_API double rErfcA(double x);
VELTRIA_API double rErfD(double x);
VELTRIA_API double rErfD2(double x);
VELTRIA_API double rErfcD(double x);
VELTRIA_API double rErfcD2(double x);
VELTRIA_API double rErfFast(double x);
VELTRIA_API double rErfcFast(double x);
VELTRIA_API double rErfInvFast(double x);
VELTRIA_API double rErfInv(double x);

VELTRIA_API double rErfi(double x);
VELTRIA_API double rErfiD(double x);
VELTRIA_API double rErfiD2(double x);
VELTRIA_API double rDawson(double x);
VELTRIA_API double rDawsonD(double x);
VELTRIA_API double rDawsonD2(double x);
VELTRIA_API double rDawsonD3(double x);
VELTRIA_API double rDawsonRa5(double x);
VELTRIA_API double rHilbertTransformOfGaussian(double x);

VELTRIA_API double rFaddeevaIw(double x);
VELTRIA_API double rFaddeevaIwD(double x);

VELTRIA_API double rE_1(double x);
VELTRIA_API double rEn(double x, Qword n);
// count (optional) receives the number of terms added after the first.
VELTRIA_API double rEinSeries(double x, Qword* count);
VELTRIA_API double rSineIntegral(double x);
VELTRIA_API double rCosineIntegral(double x);
