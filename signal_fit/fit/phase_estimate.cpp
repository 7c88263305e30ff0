// First-order phase estimate: the simplex maximises the positive
// absorption while every negative real value weighs a hundredfold.
#include "signal_fit/fit/phase_estimate.h"

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/signal/fourier.h"

namespace {

struct PhaseProblem {
  FitProblem base;  // x: the spectrum, y: the working array
  double* phi0;
  double* phi1;
};

Dword PhaseTarget(Minimizer* m) {
  const PhaseProblem* p = static_cast<const PhaseProblem*>(m->userData);
  const Qword n = p->base.pointCount;
  const Dword e = SArrFdApplyPhases(n, p->base.x, p->base.y, -*p->phi0, -*p->phi1);
  if (e != kErrNone) return e;
  double pos = 0, neg = 0;
  for (Qword i = 0; i < n; ++i) {
    const double re = p->base.y[i];
    if (re >= 0)
      pos += re * re;
    else
      neg += re * re;
  }
  m->value = 100 * neg - pos;
  return kErrNone;
}

}  // namespace

Dword SArrFdCalcPhasesBySimplex(Qword n, const double* spectrum, double* phi0, double* phi1) {
  *phi0 = SArrFdLocalPhase(n, spectrum, nullptr, kNoIndex, kNoIndex);
  *phi1 = 0;
  if (n > MaxArrCount<double>() / 2) return kErrAlloc;
  Dword error;
  double* work = NewRealArrFill(&error, 2 * n);
  if (!work) return error;
  PhaseProblem problem;
  FitProblemInit(&problem.base);
  problem.base.pointCount = n;
  problem.base.x = const_cast<double*>(spectrum);
  problem.base.y = work;
  problem.phi0 = phi0;
  problem.phi1 = phi1;
  double* params[2] = {phi1, phi0};
  Minimizer m{};
  MinimizerInit(&m, 0, nullptr, &problem);
  error = MinimizerSetProblem(&m, 0, 2, params, params, PhaseTarget);
  if (error == kErrNone) {
    m.initialStep = 1.0;
    m.tolerance = 1e-5;
    m.maxCalls = 1000;
    error = MinimizerRun(&m, kMinimizerSimplex);
    if (error == kErrTooManyFunctionCalls) error = kErrNone;
  }
  MinimizerKill(&m);
  KillPtr(&work);
  return error;
}
