// Set-up, evaluation and dispatch of the minimizer.
#include "signal_fit/fit/minimizer.h"

#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "base/memory.h"

Minimizer* MinimizerInit(Minimizer* m, Dword flags, MinimizerProgressCallback progress,
                         void* userData) {
  m->flags = flags;
  m->paramCount = 0;
  m->params = nullptr;
  m->variedParams = nullptr;
  m->maxCalls = 100000;
  m->tolerance = 1e-4;
  m->initialStep = 0.2;
  m->method = kMinimizerNone;
  m->target = nullptr;
  m->userData = userData;
  m->progress = progress;
  m->progressData = nullptr;
  m->firstValue = 0;
  m->value = 0;
  m->calls = 0;
  m->variedCount = 0;
  m->varied = nullptr;
  return m;
}

Dword MinimizerSetParams(Minimizer* m, Qword count, double* const* params,
                         double* const* variedParams) {
  if (count == 0 || !params || !variedParams) return kErrMissingInputData;
  KillPtr(&m->varied);
  KillPtr(&m->variedParams);
  KillPtr(&m->params);
  m->variedCount = 0;
  m->paramCount = count;
  Dword error;
  m->params = NewArrFill<double*>(&error, count);
  if (!m->params) return error;
  m->variedParams = NewArrFill<double*>(&error, count);
  if (!m->variedParams) {
    KillPtr(&m->params);
    return error;
  }
  for (Qword i = 0; i < count; ++i) {
    m->params[i] = params[i];
    m->variedParams[i] = variedParams[i];
  }
  return kErrNone;
}

Dword MinimizerSetProblem(Minimizer* m, Dword flags, Qword count, double* const* params,
                          double* const* variedParams, MinimizerTarget target) {
  if (count == 0 || !params || !variedParams) return kErrMissingInputData;
  m->flags = flags;
  m->target = target;
  return MinimizerSetParams(m, count, params, variedParams);
}

Dword MinimizerEval(Minimizer* m) {
  if (!m->target) return kErrMissingFunction;
  Dword r = m->target(m);
  if (r != kErrNone) return r;
  if (std::isnan(m->value)) {
    // A NaN would never rank and the run would idle to its budget: at the
    // start point there is nothing to descend from, elsewhere it ranks as
    // the worst possible value.
    if (m->calls == 0) return kErrIllegalArgument;
    m->value = std::numeric_limits<double>::infinity();
  }
  if (m->calls == 0 && m->progress) {
    r = m->progress(m, kMinimizerFirstEval);
    if (r != kErrNone) return r;
  }
  ++m->calls;
  return m->progress ? m->progress(m, kMinimizerEval) : kErrNone;
}

Dword MinimizerCollectVaried(Minimizer* m) {
  KillPtr(&m->varied);
  m->variedCount = 0;
  Qword count = 0;
  for (Qword i = 0; i < m->paramCount; ++i)
    if (m->variedParams && m->variedParams[i]) ++count;
  if (count == 0) return kErrNone;
  Dword error;
  m->varied = NewArrFill<double*>(&error, count);
  if (!m->varied) return error;
  for (Qword i = 0; i < m->paramCount; ++i)
    if (m->variedParams[i]) m->varied[m->variedCount++] = m->variedParams[i];
  return kErrNone;
}

Dword MinimizerRun(Minimizer* m, Qword method) {
  m->method = method;
  if (method == kMinimizerNone) return kErrNone;
  if (method != kMinimizerSimplex && method != kMinimizerPatternSearch)
    return kErrNotYetImplemented;
  Dword r = MinimizerCollectVaried(m);
  if (r != kErrNone) return r;
  r = method == kMinimizerSimplex ? MinimizerSimplex(m) : MinimizerPatternSearch(m);
  if (m->progress) m->progress(m, kMinimizerEnd);
  return r;
}

void MinimizerKill(Minimizer* m) {
  KillPtr(&m->varied);
  KillPtr(&m->variedParams);
  KillPtr(&m->params);
  m->variedCount = 0;
  m->paramCount = 0;
}
