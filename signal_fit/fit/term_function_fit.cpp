// Offset plus typed terms, the model of the engine's relaxation-dispersion
// fits.
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/fit/term_fits.h"

double TermFunctionValue(Dword type, double c, double tau, double eta, double v) {
  const double d = tau * v;
  switch (type) {
    case kTermExp:
      return c * std::exp(-d);
    case kTermGauss:
      return c * std::exp(-d * d);
    case kTermExpSquare:
      return c * std::exp(d * d);
    case kTermLorentz:
      return c / (1 + d * d);
    case kTermPower:
      return c * std::pow(std::fabs(v), tau);
    case kTermBpp:
      return c / (1 + d * d) + c / (0.25 + d * d);
    case kTermWeibull:
      return c / (1 + std::pow(std::fabs(d), eta));
    case kTermSolomon: {
      const double a = (1 - eta) * d, b = (1 + eta) * d;
      return c / (1 + a * a) + 3 * c / (1 + d * d) + 6 * c / (1 + b * b);
    }
    default:
      return 0;
  }
}

namespace {

Dword TermFunctionFitTarget(Minimizer* m) {
  const FitProblem* p = static_cast<const FitProblem*>(m->userData);
  const Qword k = p->termCount;
  // The first extra parameter follows the offset, amplitudes and term
  // parameters in the minimizer's list.
  const double eta = m->paramCount > 2 * k + 1 ? *m->params[2 * k + 1] : 0;
  double sum = 0;
  for (Qword i = 0; i < p->pointCount; ++i) {
    double v = *p->offset;
    for (Qword j = 0; j < k; ++j)
      v += TermFunctionValue(p->termTypes[j], p->amplitudes[j], p->rates[j], eta, p->x[i]);
    const double r = v - p->y[i];
    sum += r * r;
  }
  m->value = sum;
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword MultiTermFunctionFit(Dword flags, Qword n, const double* x, const double* y,
                                       Qword k, const Dword* types, double* amplitudes,
                                       double* params, double* offset, Qword m, double* extra,
                                       const Long* extraFree) {
  if (!x || !y || !offset || n == 0 || (k && (!types || !amplitudes || !params)) ||
      (m && (!extra || !extraFree)))
    return kErrMissingInputData;
  for (Qword j = 0; j < k; ++j)
    if ((types[j] == kTermWeibull || types[j] == kTermSolomon) && m == 0)
      return kErrIllegalArgument;
  const Qword count = 1 + 2 * k + m;
  if (k > MaxArrCount<double*>() / 4 || m > MaxArrCount<double*>() / 4) return kErrAlloc;
  Dword error;
  double** all = NewArrFill<double*>(&error, 2 * count);
  if (!all) return error;
  double** varied = all + count;
  all[0] = offset;
  varied[0] = (flags & kFitOffsetFixed) ? nullptr : offset;
  for (Qword j = 0; j < k; ++j) {
    all[1 + j] = amplitudes + j;
    all[1 + k + j] = params + j;
    varied[1 + j] = types[j] != kTermNone ? all[1 + j] : nullptr;
    varied[1 + k + j] = types[j] != kTermNone ? all[1 + k + j] : nullptr;
  }
  for (Qword j = 0; j < m; ++j) {
    all[1 + 2 * k + j] = extra + j;
    varied[1 + 2 * k + j] = extraFree[j] ? extra + j : nullptr;
  }
  FitProblem problem;
  FitProblemInit(&problem);
  problem.mode = flags;
  problem.pointCount = n;
  problem.x = const_cast<double*>(x);
  problem.y = const_cast<double*>(y);
  problem.termCount = k;
  problem.amplitudes = amplitudes;
  problem.rates = params;
  problem.offset = offset;
  problem.termTypes = const_cast<Dword*>(types);

  Minimizer mz{};
  MinimizerInit(&mz, 0, nullptr, &problem);
  error = MinimizerSetProblem(&mz, 0, count, all, varied, TermFunctionFitTarget);
  KillPtr(&all);
  if (error == kErrNone) error = MinimizerRun(&mz, kMinimizerSimplex);
  MinimizerKill(&mz);
  return error;
}
