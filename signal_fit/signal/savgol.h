// Savitzky-Golay smoothing and differentiation of equally spaced real data
// and two estimates of the white-noise level of a real array.
#pragma once
#include "base/types.h"

// m coefficients c with sum c_i y_i = the k-th derivative (by sample index)
// of the least-squares polynomial of order p through a window of m samples,
// taken at the window centre + x. *gain := sqrt(sum c_i^2) (NaN on
// failure). Null when k > p, p + 1 > m, or memory fails. Release with
// RArrKill.
VELTRIA_API double* RArrNewSGcoeff(Qword k, Qword m, Qword p, double x, double* gain);
// Window count for derivative k and width; *order := k + 3.
VELTRIA_API Qword RArrSGpoints(Qword k, double width, Qword* order);
// flags: 1 the caller's *order and *points are used, 2 the derivative is
// not divided by k!.
VELTRIA_API Dword RArrSavitskyGolay(Qword n, const double* in, double* out, double width, Qword k,
                                    Qword* order, Qword* points, double* gain, Dword flags,
                                    double position);
// Ends handled by off-centre coefficient sets; in may be out.
VELTRIA_API Dword RArrSavitskyGolayEx(Qword n, const double* in, double* out, double* gain,
                                      double position, Qword k, Qword p, Qword m, Dword flags,
                                      double* centre);
VELTRIA_API Dword RArrNoiseEstimateBySavitskyGolay(Qword n, const double* data, double* noise,
                                                   double* smoothed, Qword order, Qword window,
                                                   Qword passes, double threshold);
VELTRIA_API Dword RArrNoiseEstimateBySorting(Qword n, const double* data, double* noise,
                                             Dword flag);
