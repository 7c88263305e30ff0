// Reductions of one or two real arrays to a number: sums, products, dot
// products, scaled power sums, means, norms, distances, variances and the
// gaps of the classical inequalities. Results are doubles, never a status
// (except RArrByRMat); a null array or a count of 0 gives NaN unless noted.
//
// Summation order: sums with a `backward` flag run from the last element
// down when it is set; every other own loop runs from index 0 up, except in
// the means, variances and inequality gaps, which sum from the last element
// down (and pass backward = true to the sums they call).
#pragma once
#include "base/types.h"

VELTRIA_API double RArrSum(Qword count, const double* x, bool backward);
VELTRIA_API double RArrAbsSum(Qword count, const double* x, bool backward);
// x[0] + x[step] + ...; NaN for a step of 0.
VELTRIA_API double RArrSkipSum(Qword count, const double* x, Qword step);
VELTRIA_API double RArrSumOfPowersI(Qword count, const double* x, Qword n);
VELTRIA_API double RArrAbsSumOfPowers(Qword count, const double* x, double p);
VELTRIA_API double RArrSumOfSignedPowers(Qword count, const double* x, double p);
VELTRIA_API double RArrAbsSumOfPowersI(Qword count, const double* x, Qword n);
VELTRIA_API double RArrSumOfSignedPowersI(Qword count, const double* x, Qword n);
VELTRIA_API double RArrProduct(Qword count, const double* x);     // empty: 1
VELTRIA_API double RArrAbsProduct(Qword count, const double* x);  // empty: 1
// Sum of ln abs(x), the product's sign in *sign (optional); empty: 0.
VELTRIA_API double RArrAbsProductLn(Qword count, const double* x, Qlong* sign);

// Dot products: 0 for a count of 0, NaN for a null array.
VELTRIA_API double RArrDotProduct(Qword count, const double* a, const double* b);
VELTRIA_API double RArrAbsDotProduct(Qword count, const double* a, const double* b);
VELTRIA_API double RArrSortedDotProduct(Qword count, const double* a, const double* b);
VELTRIA_API double RArrAbsSortedDotProduct(Qword count, const double* a, const double* b);
// y (cols) = x (rows) times the column-major rows x cols matrix A.
VELTRIA_API Dword RArrByRMat(const double* A, Dword rows, Dword cols, const double* x, double* y);

// Scaled power sums: NaN also for an exponent of 0.
VELTRIA_API double RArrAbsHoelderSum(Qword count, const double* x, double p);
VELTRIA_API double RArrAbsHoelderSumI(Qword count, const double* x, Qlong n);
VELTRIA_API double RArrHoelderSumI(Qword count, const double* x, Qlong n);
VELTRIA_API double RArrSignedHoelderSumI(Qword count, const double* x, Qlong n);
VELTRIA_API double RArrAbsMinkowskiSum(Qword count, const double* a, const double* b, double p);

// Means.
VELTRIA_API double RArrMeanA(Qword count, const double* x);
VELTRIA_API double RArrAbsMeanA(Qword count, const double* x);
VELTRIA_API double RArrMeanG(Qword count, const double* x);
VELTRIA_API double RArrAbsMeanG(Qword count, const double* x);
VELTRIA_API double RArrMeanAGM(Qword count, const double* x);  // empty: 0
VELTRIA_API double RArrMeanHoelder(Qword count, const double* x, double p);
VELTRIA_API double RArrMeanHoelderI(Qword count, const double* x, Qlong n);
VELTRIA_API double RArrMeanH(Qword count, const double* x);
VELTRIA_API double RArrAbsMeanH(Qword count, const double* x);
VELTRIA_API double RArrMeanH2(Qword count, const double* x);
VELTRIA_API double RArrMeanLehmer(Qword count, const double* x, double p);
VELTRIA_API double RArrMeanLehmerI(Qword count, const double* x, Qword n);
VELTRIA_API double RArrMeanRms(Qword count, const double* x);  // the mean square, no root
VELTRIA_API double RArrRMS(Qword count, const double* x);

// Norms, distances and spreads. The L1 forms are maxima, not sums.
VELTRIA_API double RArrNormL1(Qword count, const double* x);
VELTRIA_API double RArrNormL2(Qword count, const double* x);
VELTRIA_API double RArrMetricL1(Qword count, const double* a, const double* b);
VELTRIA_API double RArrMetricL2(Qword count, const double* a, const double* b);
// A null array gives 14.0 (the code of missing input as a number).
VELTRIA_API double RArrMetricStans(Qword count, const double* a, const double* b);
VELTRIA_API double RArrMetricStansLoc(Qword count, const double* a, const double* b, double lo,
                                      double hi, double width);
VELTRIA_API double RArrVariance(Qword count, const double* x, double* mean);
VELTRIA_API double RArrStd(Qword count, const double* x, double* mean);
VELTRIA_API double RArrAbsVariance(Qword count, const double* x, double* mean);
VELTRIA_API double RArrVariation(Qword count, const double* x);     // empty: 0
VELTRIA_API double RArrVariationPls(Qword count, const double* x);  // empty: 0
VELTRIA_API double RArrVariationMns(Qword count, const double* x);  // empty: 0

// Inequality gaps.
VELTRIA_API double RArrIneqCauchy(Qword count, const double* a, const double* b, Long n);
VELTRIA_API double RArrIneqAbsCauchy(Qword count, const double* a, const double* b, Long n);
VELTRIA_API double RArrIneqAbsSortedCauchy(Qword count, const double* a, const double* b, Long n);
VELTRIA_API double RArrIneqChebyshev(Qword count, const double* a, const double* b);
VELTRIA_API double RArrIneqAbsChebyshev(Qword count, const double* a, const double* b);
VELTRIA_API double RArrIneqAbsHoelder(Qword count, const double* a, const double* b, double p);
VELTRIA_API double RArrIneqAbsSortedHoelder(Qword count, const double* a, const double* b,
                                            double p);
VELTRIA_API double RArrIneqAbsMinkowski(Qword count, const double* a, const double* b, double p);
VELTRIA_API double RArrIneqTriangle(Qword count, const double* x);
VELTRIA_API double RArrIneqRatioTriangle(Qword count, const double* x);
VELTRIA_API double RArrAbsNecklaceExcess(Qword count, const double* x);
