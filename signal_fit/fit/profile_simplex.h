// Internal: the simplex run both relaxation-profile fits share.
#pragma once
#include "base/types.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"

// The problem of a profile: n points (x, y) under the fit mode, with bounds.
void ProfileProblemInit(FitProblem* problem, Dword mode, Qword n, const double* x, const double* y,
                        const double* lower, const double* upper);

// Simplex over params[0, count): pointers holds 2 count entries, filled with
// every parameter's address and then those of the varied ones (null for a
// fixed one, and for the offset params[0] under kFitOffsetFixed), which the
// caller can read afterwards. At most 100000 calls; running out of them is
// no error.
Dword ProfileSimplexFit(Dword flags, FitProblem* problem, Qword count, double* params,
                        const Long* free, double** pointers, MinimizerTarget target);
