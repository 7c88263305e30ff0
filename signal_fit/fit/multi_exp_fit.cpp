// Multi-exponential fit: the simplex moves the offset, the amplitudes and
// the natural logarithms of the rates (positive rates without bounds); the
// data are compared after division by the scale.
#include <cmath>

#include "arrays/wide_exp.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/decay_fits.h"
#include "signal_fit/fit/fit_problem.h"

namespace {

// The problem record first, so the minimizer's user data reads as a
// FitProblem; the rates of the current evaluation follow.
struct MultiExpProblem {
  FitProblem base;
  Qword k;
  double* offset;
  double* amplitudes;
  double* logRates;
  double* rates;  // exp(log-rate), computed once per evaluation
  double* terms;  // exp(-rate_j x_i) at j n + i, per evaluation
  double* model;  // per evaluation
  double* ys;     // y / scale
};

Dword MultiExpFitTarget(Minimizer* m) {
  MultiExpProblem* p = static_cast<MultiExpProblem*>(m->userData);
  const FitProblem& f = p->base;
  const Qword k = p->k, n = f.pointCount;
  for (Qword j = 0; j < k; ++j) {
    if (p->amplitudes[j] < 0) p->amplitudes[j] = 0;
    p->rates[j] = std::exp(p->logRates[j]);
  }
  // Every exponential of the evaluation in one call (the same values as
  // std::exp, several at a time), then the model term by term over the
  // points: each point still adds offset, then the terms in order.
  double* terms = p->terms;
  for (Qword j = 0; j < k; ++j)
    for (Qword i = 0; i < n; ++i) terms[j * n + i] = -p->rates[j] * f.x[i];
  wide::ExpArray(n * k, terms, terms);
  double* model = p->model;
  const double offset = *p->offset;
  for (Qword i = 0; i < n; ++i) model[i] = offset;
  for (Qword j = 0; j < k; ++j) {
    const double a = p->amplitudes[j];
    const double* t = terms + j * n;
    for (Qword i = 0; i < n; ++i) model[i] += a * t[i];
  }
  const bool spacing = (m->flags & kFitSpacingWeights) != 0;
  if (!spacing && (m->flags & 0xFFFFu) == 2) {
    // Least squares written out: |r| |r| is r r, summed in point order from
    // 0 as FitResidualSum does.
    double d = 0;
    for (Qword i = 0; i < n; ++i) {
      const double r = model[i] - p->ys[i];
      d += r * r;
    }
    m->value = d;
    return kErrNone;
  }
  FitResidualSum sum(m->flags);
  for (Qword i = 0; i < n; ++i) {
    double w = FitResidualNorm(model[i] - p->ys[i], m->flags);
    if (spacing) w *= n < 2 ? 1.0 : std::fabs(i == 0 ? f.x[1] - f.x[0] : f.x[i] - f.x[i - 1]);
    sum.AddWeight(w);
  }
  m->value = sum.Total();
  return kErrNone;
}

}  // namespace

VELTRIA_API Dword MultiExpFit(Dword flags, Qword n, const double* x, const double* y, Qword k,
                              double* amplitudes, double* rates, double* offset, double* rms,
                              double* residuals, MinimizerProgressCallback progress) {
  if (!x || !y || !offset || n == 0 || (k != 0 && (!amplitudes || !rates)))
    return kErrMissingInputData;
  if (!rms) return kErrMissingOutputBuffer;
  if (k > (MaxArrCount<double*>() - 1) / 2) return kErrAlloc;
  if (n > MaxArrCount<double>() / (k + 2) - 1) return kErrAlloc;
  const double kd = static_cast<double>(k);
  double scale = 1;
  if (flags & kFitNormalize) {
    scale = y[0] - y[n - 1];
    if (scale == 0) scale = 1;
  }
  if (flags & kFitAutoStart) {
    if (!(flags & kFitOffsetFixed)) *offset = y[n - 1];
    for (Qword i = 0; i < k; ++i) {
      amplitudes[i] = (y[0] - y[n - 1]) / kd;
      rates[i] = kd - static_cast<double>(i) * (kd - 1 / kd) / kd;
    }
  }
  *offset /= scale;
  for (Qword i = 0; i < k; ++i) {
    amplitudes[i] /= scale;
    if (amplitudes[i] < 0) amplitudes[i] = 0;
    if (rates[i] < 1e-5) rates[i] = 1e-5;
    rates[i] = std::log(rates[i]);
  }

  const Qword count = 2 * k + 1;
  Dword error;
  double** all = NewArrFill<double*>(&error, 2 * count);
  double* exps = NewRealArrFill(&error, k + n * k + 2 * n);
  if (!all || !exps) {
    KillPtr(&exps);
    KillPtr(&all);
    return error;
  }
  double** varied = all + count;
  all[0] = offset;
  for (Qword i = 0; i < k; ++i) {
    all[1 + i] = amplitudes + i;
    all[1 + k + i] = rates + i;
  }
  for (Qword i = 0; i < count; ++i) varied[i] = all[i];
  if (flags & kFitOffsetFixed) varied[0] = nullptr;

  MultiExpProblem problem;
  FitProblemInit(&problem.base);
  problem.base.pointCount = n;
  problem.base.x = const_cast<double*>(x);
  problem.base.y = const_cast<double*>(y);
  problem.base.scale = scale;
  problem.k = k;
  problem.offset = offset;
  problem.amplitudes = amplitudes;
  problem.logRates = rates;
  problem.rates = exps;
  problem.terms = exps + k;
  problem.model = exps + k + n * k;
  problem.ys = problem.model + n;
  for (Qword i = 0; i < n; ++i) problem.ys[i] = y[i] / scale;

  Minimizer m{};
  MinimizerInit(&m, flags, progress, &problem);
  error = MinimizerSetProblem(&m, flags, count, all, varied, MultiExpFitTarget);
  KillPtr(&all);
  if (error == kErrNone) {
    const double e = static_cast<double>(count);
    m.maxCalls = DoubleToQword(((35 * e + 30) * e + 25) * e);
    m.initialStep = 0.2;
    m.tolerance = 0.001;
    error = MinimizerRun(&m, kMinimizerSimplex);
    if (error == kErrTooManyFunctionCalls) error = kErrNone;
  }
  MinimizerKill(&m);
  KillPtr(&exps);
  if (error != kErrNone) return error;

  *offset *= scale;
  for (Qword i = 0; i < k; ++i) {
    amplitudes[i] *= scale;
    rates[i] = std::exp(rates[i]);
  }
  double ss = 0;
  for (Qword i = 0; i < n; ++i) {
    double model = *offset;
    for (Qword j = 0; j < k; ++j) model += amplitudes[j] * std::exp(-rates[j] * x[i]);
    const double r = model - y[i];
    if (residuals) residuals[i] = r;
    ss += r * r;
  }
  *rms = std::sqrt(ss / static_cast<double>(n));
  return kErrNone;
}
