// Integration of samples at unit spacing (the caller scales by the step):
// running sums, products and integrals, whole-array trapezoid and Simpson
// rules, the mean m-th difference, and Gauss-Legendre nodes and weights.
// The running operations work in place (y may equal dst).
#pragma once
#include "base/types.h"

// Null y 14, then null dst 18; count 0 writes nothing.
VELTRIA_API Dword RArrRunningSum(Qword n, const double* y, double* dst);
VELTRIA_API Dword RArrRunningProduct(Qword n, const double* y, double* dst);
VELTRIA_API Dword RArrRunningTrapez2(Qword n, const double* y, double* dst);
// Four-point rule with y[-1] = before and y[n] = after.
VELTRIA_API Dword RArrRunningModTrapez(Qword n, const double* y, double* dst, double before,
                                       double after);

VELTRIA_API double RArrTrapez2(const double* y);    // one interval, y[0..1]
VELTRIA_API double RArrSimpson3(const double* y);   // one panel, y[0..2]
VELTRIA_API double RArrSimpson38(const double* y);  // one panel, y[0..3]; NaN for null y
// Whole-array rules; NaN for a null y or n 0. One point integrates to 0, two
// points by the trapezoid, and the composite rules close a remainder of one
// interval with the trapezoid and of two with the Simpson 1/3 panel.
VELTRIA_API double RArrTrapez2Ex(Qword n, const double* y);
VELTRIA_API double RArrSimpson3Ex(Qword n, const double* y);
VELTRIA_API double RArrSimpson38Ex(Qword n, const double* y);

// Mean of the m-th differences divided by m!; y is overwritten by the
// differences. A null y returns 14.0.
VELTRIA_API double RArrMthCurvature(Qword n, double* y, Dword m);

// The n nodes (ascending for a < b) and weights of Gauss-Legendre
// quadrature on [a, b]. Null x or w: nothing is written.
VELTRIA_API void RArrGaussLegendrePoints(double a, double b, Qword n, double* x, double* w);
