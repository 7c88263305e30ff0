// Probabilities of combinations of independent events (p_i in [0, 1]).
#pragma once
#include "base/types.h"

VELTRIA_API double pAllOfEvents(Qword n, const double* p);
VELTRIA_API double pNoneOfEvents(Qword n, const double* p);
VELTRIA_API double pAtLeastOneOfEvents(Qword n, const double* p);
VELTRIA_API double pAtLeastOneOfTwoEvents(double a, double b);
VELTRIA_API double pNeitherOfTwoEvents(double a, double b);
VELTRIA_API double pExactlyOneOfTwoEvents(double a, double b);
// Probability that exactly k of the n events occur.
VELTRIA_API double pExactlyKofEvents(Qword k, Qword n, const double* p);
VELTRIA_API double pConditionalProbability(double a, double b);
VELTRIA_API double pSymBilinearForm(double a, double b);
