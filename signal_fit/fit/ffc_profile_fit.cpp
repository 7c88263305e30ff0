// Profile fit over typed terms. Its terms have no model yet: the target
// compares the offset alone with the data, and the model output is left
// as it is.
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/fit/term_fits.h"

namespace {

Qword TermParameterCount(Dword type) {
  switch (type) {
    case 1:
    case 4:
      return 2;
    case 2:
    case 3:
    case 5:
      return 3;
    case 6:
      return 9;
    default:
      return 0;
  }
}

Dword FfcProfileTarget(Minimizer* m) {
  const FitProblem* p = static_cast<const FitProblem*>(m->userData);
  const double offset = *m->params[0];
  double sum = 0;
  for (Qword i = 0; i < p->pointCount; ++i) sum += (offset - p->y[i]) * (offset - p->y[i]);
  m->value = sum;
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword FfcProfileFit(Dword flags, Dword mode, Qword n, const double* x, const double* y,
                                Qword k, const Dword* types, double* params, const Long* free,
                                const double* lower, const double* upper, double* /*model*/) {
  if (!x || !y || !params || !free || n == 0 || (k && !types)) return kErrMissingInputData;
  Qword count = 1;
  for (Qword j = 0; j < k; ++j) count += TermParameterCount(types[j]);
  Dword error;
  double** all = NewArrFill<double*>(&error, 2 * count);
  if (!all) return error;
  double** varied = all + count;
  for (Qword i = 0; i < count; ++i) {
    all[i] = params + i;
    varied[i] = free[i] ? params + i : nullptr;
  }
  if (flags & kFitOffsetFixed) varied[0] = nullptr;
  FitProblem problem;
  FitProblemInit(&problem);
  problem.mode = mode;
  problem.pointCount = n;
  problem.x = const_cast<double*>(x);
  problem.y = const_cast<double*>(y);
  problem.termCount = k;
  problem.termTypes = const_cast<Dword*>(types);
  problem.lowerBounds = const_cast<double*>(lower);
  problem.upperBounds = const_cast<double*>(upper);
  Minimizer m{};
  MinimizerInit(&m, flags, nullptr, &problem);
  error = MinimizerSetProblem(&m, flags, count, all, varied, FfcProfileTarget);
  KillPtr(&all);
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
