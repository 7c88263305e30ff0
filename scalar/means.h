// Two-argument means and the variadic aggregates. The means answer ___NAN
// for their domain errors (a negative product in rMeanG, a negative
// argument of the arithmetic-geometric means, k = 0 in rMeanHeroK, opposite
// signs with a vanishing sum in rMeanH); the rPow-based means take
// magnitudes. Finite arguments give finite means: intermediate squares and
// products are scaled by powers of two where they would leave the range.
#pragma once
#include "base/types.h"

VELTRIA_API double rMeanA(double a, double b);
VELTRIA_API double rMeanG(double a, double b);
VELTRIA_API double rMeanH(double a, double b);
VELTRIA_API double rMeanH2(double a, double b);  // power mean of order -2
VELTRIA_API double rMeanRms(double a, double b);
VELTRIA_API double rMeanHero(double a, double b);
VELTRIA_API double rMeanHeroK(double a, double b, Qword k);
VELTRIA_API double rMeanHoelder(double a, double b, double p);
VELTRIA_API double rMeanHoelderI(double a, double b, Qlong k);
VELTRIA_API double rMeanLehmer(double a, double b, double p);
VELTRIA_API double rMeanLehmerI(double a, double b, Qlong k);
VELTRIA_API double rMeanAGM(double a, double b);
VELTRIA_API double rMeanMAGM(double a, double b);

// Aggregates of a count and that many doubles (for the Func forms: a count,
// a function, then the doubles). A count of 0 reads nothing: sums give 0,
// products 1, rVaSumInv 1/0, the means the processor's 0/0. A null function
// with a count above 0 gives ___NAN.
VELTRIA_API double rVaSum(Qword count, ...);
VELTRIA_API double rVaSumFunc(Qword count, double (*f)(double), ...);
VELTRIA_API double rVaSumInv(Qword count, ...);  // 1 / sum of 1/x; 0 if some x is 0
VELTRIA_API double rVaSumLnAbs(Qword count, ...);
VELTRIA_API double rVaSumSquares(Qword count, ...);
VELTRIA_API double rVaProduct(Qword count, ...);
VELTRIA_API double rVaProductFunc(Qword count, double (*f)(double), ...);
VELTRIA_API double rVaMeanA(Dword count, ...);
VELTRIA_API double rVaMeanH(Dword count, ...);
VELTRIA_API double rVaMeanRms(Dword count, ...);
