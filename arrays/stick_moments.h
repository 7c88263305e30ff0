// Shape descriptors of stick distributions: weighted moments, their
// normalised forms, Chebyshev shape coefficients and the moments of a
// box-broadened profile.
#pragma once
#include "base/types.h"

VELTRIA_API Dword RArrSticksM1toM4(Qword n, const double* x, const double* w, double* m1,
                                   double* a1, double* m2, double* s2, double* m3, double* a3,
                                   double* m4, double* s4);
VELTRIA_API double RArrShapeSticksM1toM4(Qword n, const double* x, const double* w, double* m1,
                                         double* a1, double* s2, double* m3, double* a3, double* m4,
                                         double* s4);
VELTRIA_API Dword RArrShapesChebyshev(Qword n, const double* x, const double* w, Dword k, double* c,
                                      double* h);
VELTRIA_API Dword RArrShapeProps(Qword n, const double* a, const double* x, double width,
                                 double* centre, double* lines, double* adev, double* sigma,
                                 double* s2, double* skew, double* askew, double* ratio3,
                                 double* kurt, double* ratio4, Qlong oversampling);
