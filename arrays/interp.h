// Interpolation and extrapolation of tabulated functions: the two- and
// three-point kernels, lookups in sorted tables (two arrays, or one array of
// interleaved (x, y) pairs), Lagrange and Newton polynomials through every
// point, and the quadratic, cubic and extended splines.
//
// Table x values must be strictly ascending; n counts points in both forms.
#pragma once
#include "base/types.h"

// Kernels: plain arithmetic, no checks; they extrapolate.
VELTRIA_API double rIntExt2L(double x, double x0, double x1, double y0, double y1);
VELTRIA_API double rIntExt3Q(double x, double x0, double x1, double x2, double y0, double y1,
                             double y2);
// Returns the parabola's second derivative; *xe, *ye receive its vertex.
VELTRIA_API double rIntExt3QExtreme(double x0, double x1, double x2, double y0, double y1,
                                    double y2, double* xe, double* ye);
// One quadratic segment from (x0, y0) with starting slope *slope: its value
// at x; *slope becomes the segment's slope at x1.
VELTRIA_API double rSplineQ2(double x, double x0, double x1, double y0, double y1, double* slope);

// Lookups: the end values outside the table, NaN for a null table, a NaN x
// or fewer points than the rule needs (one for the line, three for the
// parabola).
VELTRIA_API double RArrIntExt2LXarrYarr(double x, const double* X, const double* Y, Qword n);
VELTRIA_API double RArrIntExt2LXYarr(double x, const double* XY, Qword n);
VELTRIA_API double RArrIntExt3QXarrYarr(double x, const double* X, const double* Y, Qword n);
VELTRIA_API double RArrIntExt3QXYarr(double x, const double* XY, Qword n);

// The polynomial through all n points. Lagrange: NaN for coinciding x; the
// interleaved form gives 0 for a null table or n < 2, the other NaN.
VELTRIA_API double RArrIntExtLagrangeXarrYarr(double x, const double* X, const double* Y, Qword n);
VELTRIA_API double RArrIntExtLagrangeXYarr(double x, const double* XY, Qword n);
// Newton: work holds n doubles; with mode 1 it receives the value and every
// derivative at x. NaN for a null table or work, or n < 2.
VELTRIA_API double RArrIntExtNewtonXarrYarr(double x, const double* X, const double* Y, Qword n,
                                            double* work, Qword mode);
VELTRIA_API double RArrIntExtNewtonXYarr(double x, const double* XY, Qword n, double* work,
                                         Qword mode);

// Quadratic spline at m ascending points; mode 2 (n > 2) starts with the
// slope of the parabola through the first three points, any other mode with
// the first chord. m 0: 0; null out 18; null input or n < 2: 14; x not
// strictly ascending 26.
VELTRIA_API Dword RArrSpline2XarrYarr(const double* X, const double* Y, Qword n, const double* xs,
                                      double* out, Qword m, Qword mode);
// Natural cubic spline at m points in any order. Null input or n <= 1: 22;
// null out 18; x not strictly ascending 26.
VELTRIA_API Dword RArrSpline3XarrYarr(const double* X, const double* Y, Qword n, const double* xs,
                                      double* out, Qword m);
// Piecewise polynomials over segments of `step` intervals, each through a
// window of deg points around its segment and matching nd derivatives at its
// start (d0 at x[0], then those of the previous segment). Outputs that no
// segment reaches stay NaN. p is only checked for null.
VELTRIA_API Dword RArrSplineEx(const double* X, const double* Y, Qword n, const double* d0,
                               const void* p, Qword nd, const double* xs, double* out, Qword m,
                               Qword deg, Qword step);

// Cubic spline workers. yp1, ypn: end slopes; above 9.9e29 a natural end.
VELTRIA_INTERNAL Dword RArrSpline3Worker(const double* X, const double* Y, Qword n, double* y2,
                                         double yp1, double ypn);
VELTRIA_INTERNAL Dword RArrSpline3Eval(const double* X, const double* Y, Qword n, const double* y2,
                                       double x, double* out);
// The (k+1) x (k+1) column-major system of one extended-spline segment: h
// rows through the window abscissae s, then k+1-h rows of derivatives 1, 2,
// ... at s[m0]; the polynomial is centred on (s[m0] + s[m0 + step])/2.
VELTRIA_INTERNAL void RArrSplineExMatrix(double* A, Qword k, const double* s, Qword h, Qword m0,
                                         Qword step);
