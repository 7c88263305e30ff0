// The by-value workers behind the exported complex functions. Callers in
// the library use these directly: ccSqrtValue(z, 0) is the principal square
// root, ccUnityValue(t) the unit phasor (cos t, sin t).
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

// Exponentials and logarithms; k is the branch of the logarithm.
COMPLEX ccExpValue(COMPLEX z);
COMPLEX ccExpm1Value(COMPLEX z);
COMPLEX ccExptValue(COMPLEX z, Qword n);
COMPLEX ccLogValue(COMPLEX z, Qlong k);
COMPLEX ccLog1pValue(COMPLEX z, Qlong k);
COMPLEX ccLogAValue(COMPLEX z, Qlong k);
COMPLEX ccLogDValue(COMPLEX z);
COMPLEX ccLogADValue(COMPLEX z, Qlong n, Qlong k);

// Powers.
COMPLEX ccPowerValue(COMPLEX z, COMPLEX w);
COMPLEX ccrPowerValue(COMPLEX z, double x);
COMPLEX cciPowerValue(COMPLEX z, Qlong n);
COMPLEX cciArgPowerValue(COMPLEX z, Qlong n);
COMPLEX ccrArgPowerValue(COMPLEX z, double x);
double ciAbsPowerValue(COMPLEX z, Qlong n);
double crAbsPowerValue(COMPLEX z, double x);

// Roots on a chosen branch, roots of unity and of -1, phasors.
COMPLEX ccUnityValue(double t);
COMPLEX ccMagArgValue(double m, double t);
COMPLEX ccSqrtValue(COMPLEX z, Qlong k);
COMPLEX ccSqrtAValue(COMPLEX z, Qlong k);
COMPLEX ccSqrtDValue(COMPLEX z, Qlong k);
COMPLEX ccCbrtValue(COMPLEX z, Qlong k);
COMPLEX ccCbrtAValue(COMPLEX z, Qlong k);
COMPLEX ccCbrtDValue(COMPLEX z, Qlong k);
COMPLEX ccrSqrtValue(double x, Qlong k);
COMPLEX ccrRootValue(double x, Qword n, Qword k);
COMPLEX ccrCbrtValue(double x, Qword k);
COMPLEX ccRootOfUnityValue(Qword n, Qword k);
COMPLEX ccRootOfMinusOneValue(Qword n, Qword k);

// Trigonometric and hyperbolic functions and their inverses.
COMPLEX ccSinValue(COMPLEX z);
COMPLEX ccCosValue(COMPLEX z);
COMPLEX ccTanValue(COMPLEX z);
COMPLEX ccCotValue(COMPLEX z);
COMPLEX ccSinhValue(COMPLEX z);
COMPLEX ccCoshValue(COMPLEX z);
COMPLEX ccTanhValue(COMPLEX z);
COMPLEX ccCothValue(COMPLEX z);
COMPLEX ccAsinValue(COMPLEX z);
COMPLEX ccAcosValue(COMPLEX z);
COMPLEX ccAtanValue(COMPLEX z);
COMPLEX ccAcotValue(COMPLEX z);
COMPLEX ccAsinhValue(COMPLEX z);
COMPLEX ccAcoshValue(COMPLEX z);
COMPLEX ccAtanhValue(COMPLEX z);
COMPLEX ccAcothValue(COMPLEX z);

// Closed-form integral of t^n (ln t)^m from 0 to z, rising and falling
// factorials.
COMPLEX ccAS4_1_51Value(COMPLEX z, Qword n, Qword m, Qlong k);
COMPLEX ccPochhammerValue(COMPLEX z, Qlong n);

// Means.
COMPLEX ccMeanAValue(COMPLEX z, COMPLEX w);
COMPLEX ccMeanGValue(COMPLEX z, COMPLEX w);
COMPLEX ccMeanAGMValue(COMPLEX z, COMPLEX w);

// Part-wise operations.
COMPLEX ccConjugateValue(COMPLEX z);
COMPLEX ccAbsC1ArgC2Value(COMPLEX z, COMPLEX w);
COMPLEX ccMulByConjugateValue(COMPLEX z, COMPLEX w);
COMPLEX ccCopySignValue(COMPLEX z, COMPLEX w);
COMPLEX ccFloorValue(COMPLEX z);
COMPLEX ccModfValue(COMPLEX z, COMPLEX* integer_parts);
