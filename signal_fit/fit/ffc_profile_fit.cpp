// Profile fit over typed terms. Its terms have no model yet: the target
// compares the offset alone with the data, and the model output is left
// as it is.
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/fit/profile_simplex.h"
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
  double** pointers = NewArrFill<double*>(&error, 2 * count);
  if (!pointers) return error;
  FitProblem problem;
  ProfileProblemInit(&problem, mode, n, x, y, lower, upper);
  problem.termCount = k;
  problem.termTypes = const_cast<Dword*>(types);
  error = ProfileSimplexFit(flags, &problem, count, params, free, pointers, FfcProfileTarget);
  KillPtr(&pointers);
  return error;
}
