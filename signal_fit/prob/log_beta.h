// Logarithms of beta functions and Stirling corrections that keep their
// accuracy when an argument is large: the densities built on them would
// otherwise lose every digit to the cancellation of two huge log-gammas.
#pragma once
#include "base/types.h"

// ln Gamma(z) - ((z - 1/2) ln z - z + ln(2 pi)/2), for z >= 10.
VELTRIA_INTERNAL double ProbStirlingCorrection(double z);
// ln B(a, b) for a, b > 0; the difference of the log-gammas is formed
// analytically once the larger argument reaches 10.
VELTRIA_INTERNAL double ProbBetaLn(double a, double b);
// ln(lambda^x e^(-lambda)/Gamma(x + 1)) for x >= 0, lambda > 0.
VELTRIA_INTERNAL double ProbPoissonLn(double x, double lambda);
