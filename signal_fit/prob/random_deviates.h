// Random deviates of the distribution families, all drawn from the one
// uniform stream of arrays/random.h (U below is one fresh pRgUniform0).
// Integer results use all ones (0xFFFFFFFF) to mark an invalid parameter.
#pragma once
#include "base/types.h"

VELTRIA_API double pRgUniform(double c, double w);  // c + w (U - 0.5)
VELTRIA_API double pRgExponential0(void);
VELTRIA_API double pRgExponential(double lambda);
VELTRIA_API double pRgCauchy0(void);
VELTRIA_API double pRgCauchy(double x0, double gamma);
VELTRIA_API double pRgBeta(double a, double b);
VELTRIA_API double pRgChiSquare(Qword k);
VELTRIA_API double pRgFisherSnedecor(double d1, double d2);
VELTRIA_API double pRgStudent(double nu, double mu, double sigma);
VELTRIA_API double pRgStudent0(double nu);
VELTRIA_API Dword pRgBernoulli(double p);
VELTRIA_API Dword pRgPoisson(double lambda);
