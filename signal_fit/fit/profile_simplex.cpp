#include "signal_fit/fit/profile_simplex.h"

#include "base/error_codes.h"

void ProfileProblemInit(FitProblem* problem, Dword mode, Qword n, const double* x, const double* y,
                        const double* lower, const double* upper) {
  FitProblemInit(problem);
  problem->mode = mode;
  problem->pointCount = n;
  problem->x = const_cast<double*>(x);
  problem->y = const_cast<double*>(y);
  problem->lowerBounds = const_cast<double*>(lower);
  problem->upperBounds = const_cast<double*>(upper);
}

Dword ProfileSimplexFit(Dword flags, FitProblem* problem, Qword count, double* params,
                        const Long* free, double** pointers, MinimizerTarget target) {
  double** all = pointers;
  double** varied = pointers + count;
  for (Qword i = 0; i < count; ++i) {
    all[i] = params + i;
    varied[i] = free[i] ? params + i : nullptr;
  }
  if (flags & kFitOffsetFixed) varied[0] = nullptr;
  Minimizer m{};
  MinimizerInit(&m, flags, nullptr, problem);
  Dword error = MinimizerSetProblem(&m, flags, count, all, varied, target);
  if (error == kErrNone) {
    m.maxCalls = 100000;
    m.initialStep = 0.5;
    m.tolerance = 1e-5;
    error = MinimizerRun(&m, kMinimizerSimplex);
    if (error == kErrTooManyFunctionCalls) error = kErrNone;
  }
  MinimizerKill(&m);
  return error;
}
