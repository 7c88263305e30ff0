// Power-sum equations sum_j a_j x_j^(i+1) = y_i solved by the simplex on a
// root-scaled residual sum, singly and from random starts.
#include <algorithm>
#include <cmath>

#include "base/error_codes.h"
#include "base/ieee.h"
#include "base/memory.h"
#include "signal_fit/fit/fit_problem.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/fit/term_fits.h"
#include "signal_fit/prob/random_deviates.h"

namespace {

// Residual of equation i at the current variables.
double Equation(const FitProblem* p, Qword i) {
  double s = 0;
  for (Qword j = 0; j < p->pointCount; ++j) {
    const double xj = p->x[j];
    double power = xj;
    for (Qword e = 0; e < i; ++e) power *= xj;
    s += p->amplitudes[j] * power;
  }
  return p->y[i] - s;
}

Dword PowersSumTarget(Minimizer* m) {
  const FitProblem* p = static_cast<const FitProblem*>(m->userData);
  const double lo = std::fmin(p->limitA, p->limitB), hi = std::fmax(p->limitA, p->limitB);
  for (Qword j = 0; j < p->pointCount; ++j)
    if (!(p->x[j] >= lo && p->x[j] <= hi)) {
      m->value = ___MaxReal;
      return kErrNone;
    }
  double sum = 0;
  for (Qword i = 0; i < p->pointCount; ++i)
    sum += std::pow(std::fabs(Equation(p, i)), 2.0 / static_cast<double>(i + 1));
  m->value = sum;
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword PowersSumEquationsFit(Qword n, const double* a, const double* y, double* x,
                                        double limitA, double limitB, double* target,
                                        double* residuals) {
  if (n == 0 || !a || !y) return kErrMissingArguments;
  if (!x) return kErrMissingOutputBuffer;
  Dword error;
  double** all = NewArrFill<double*>(&error, n);
  if (!all) return error;
  for (Qword j = 0; j < n; ++j) all[j] = x + j;
  FitProblem problem;
  FitProblemInit(&problem);
  problem.pointCount = n;
  problem.x = x;
  problem.y = const_cast<double*>(y);
  problem.amplitudes = const_cast<double*>(a);
  problem.limitA = limitA;
  problem.limitB = limitB;
  Minimizer m{};
  MinimizerInit(&m, 0, nullptr, &problem);
  error = MinimizerSetProblem(&m, 0, n, all, all, PowersSumTarget);
  KillPtr(&all);
  if (error == kErrNone) {
    m.maxCalls = 10000;
    m.tolerance = 1e-6;
    m.initialStep = 0.2;
    error = MinimizerRun(&m, kMinimizerSimplex);
  }
  if (error == kErrNone) {
    if (target) *target = m.value;
    if (residuals)
      for (Qword i = 0; i < n; ++i) residuals[i] = Equation(&problem, i);
  }
  MinimizerKill(&m);
  return error;
}

VELTRIA_API Dword PowersSumEquationsAutomaticFit(Qword tries, Qword n, const double* a,
                                                 const double* y, double* x, double limitA,
                                                 double limitB, double* best, double* residuals) {
  if (n == 0 || !a || !y) return kErrMissingArguments;
  if (!x) return kErrMissingOutputBuffer;
  Dword error;
  double* work = NewRealArrFill(&error, 2 * n);
  if (!work) return error;
  double* start = work;
  double* res = work + n;
  double bestValue = ___MaxReal;
  if (best) *best = bestValue;
  const double mean = (limitA + limitB) / 2, width = std::fabs(limitB - limitA);
  // A problem on which every fit fails would never collect its successes.
  const Qword maxFailures = tries > (kNoIndex - 100) / 10 ? kNoIndex : 10 * tries + 100;
  Qword successes = 0, failures = 0;
  while (successes < tries && failures < maxFailures) {
    for (Qword j = 0; j < n; ++j) start[j] = pRgUniform(mean, width);
    double value = 0;
    if (PowersSumEquationsFit(n, a, y, start, limitA, limitB, &value, res) != kErrNone) {
      ++failures;
      continue;
    }
    ++successes;
    if (value < bestValue) {
      bestValue = value;
      if (best) *best = value;
      std::copy(start, start + n, x);
      if (residuals) std::copy(res, res + n, residuals);
    }
  }
  KillPtr(&work);
  return successes == 0 && tries != 0 ? kErrSolutionNotFound : kErrNone;
}
