// Array statistics, the chi-square and analysis-of-variance tests, and the
// combination of normal estimates. Tests and combinations return a
// LibErrorCode (0 on success).
#pragma once
#include "base/types.h"

// Population covariance sum (x_i - mean x)(y_i - mean y)/n.
VELTRIA_API double pRArrCovariance(Qword n, const double* x, const double* y);
// sum (x_i - mean)^2/(n + c); the mean is stored when `mean` is given.
VELTRIA_API double pRArrVarianceCorr(Qlong n, const double* x, double c, double* mean);
VELTRIA_API double pRArrStdCorr(Qword n, const double* x, double c, double* mean);
// Standard deviation of zero-centred noise by `passes` rounds of clipping at
// |k s|.
VELTRIA_API double pRArrStdThreshold(Qword n, const double* x, double k, Qword passes);

VELTRIA_API LibErrorCode pTestChiSquare(Qword dof, Qword n, const double* observed,
                                        const double* expected, double variance, double* p,
                                        double* reduced);
VELTRIA_API LibErrorCode pAnovaTest(Qword k, double alpha, const double* a, double c,
                                    const double* m, Qword d, double* out);

// Minus log-likelihood sum ((x - mu_i)/sigma_i)^2/2 + ln(sqrt(2 pi) sigma_i).
VELTRIA_API double pDfNormalCombiMlp(double x, Dword n, const double* mu, const double* sigma);
VELTRIA_API LibErrorCode pNormalBayCombi(Dword n, const double* x, const double* sigma,
                                         double* mean, double* sd, double* mlp, double scale);
VELTRIA_API LibErrorCode pNormalBayCombiCor(Long n, const double* x, const double* sigma,
                                            double* mean, double* sd, double* sd_out, double* mlp,
                                            double* mlp_out, double* scale_out, double threshold);
