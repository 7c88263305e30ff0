// Automatic phase and baseline correction: a coarse grid over the two
// phases, then the simplex over the phases and the baseline coefficients,
// scored by how much the histogram of the corrected spectrum looks like a
// phased spectrum on a flat baseline.
#include "signal_fit/fit/pcbc.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/minimizer.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

namespace {

constexpr Qword kEdgeWindow = 33;  // points of each edge window
constexpr Qword kMaxBins = 5000;

struct PcBcRun {
  PcBcWork work;
  double* phi0;
  double* phi1;
  double* coef;  // m real-part coefficients, then m imaginary-part ones
  Qword m;
};

Dword PcBcApply(PcBcRun* r) {
  PcBcWork& w = r->work;
  const Qword n = w.count;
  if (w.flags & kPcBcPhasesFixed) {
    if (w.input != w.output) std::copy(w.input, w.input + 2 * n, w.output);
  } else {
    const Dword e = SArrFdApplyPhases(n, w.input, w.output, *r->phi0, *r->phi1);
    if (e != kErrNone) return e;
  }
  if (!(w.flags & kPcBcNoBaseline))
    for (int part = 0; part < 2; ++part) {
      double* values = w.output + part * n;
      double* c = r->coef + part * r->m;
      if (w.flags & kPcBcChebyshev)
        PcBcBaselineChebyshev(w, values, c, r->m);
      else
        PcBcBaselineFourier(w, values, c, r->m);
    }
  return kErrNone;
}

Dword PcBcTarget(Minimizer* mz) {
  PcBcRun* r = static_cast<PcBcRun*>(mz->userData);
  Dword e = PcBcApply(r);
  if (e != kErrNone) return e;
  PcBcWork& w = r->work;
  const Qword n = w.count, bins = w.binCount;
  const Qword skip = DoubleToQword(std::floor(static_cast<double>(n) * w.edgeFraction / 2 + 0.5));
  e = SArrHistogram(n, w.output, w.histogram, static_cast<Qlong>(bins), w.binWidth, skip);
  if (e != kErrNone) return e;
  const double* hre = w.histogram;
  const double* him = w.histogram + bins;
  double score = 0;
  for (Qword i = 0; i < bins; ++i) score += hre[i] * w.weights[i] + him[i] * w.weights[bins + i];
  for (Qword i = 0; i < bins / 2; ++i) score -= std::fabs(him[i] - him[bins - 1 - i]);
  mz->value = -score / static_cast<double>(bins);
  return kErrNone;
}

// Grid k pi / 16 for k = lo .. 16; the lowest target wins (first on ties).
Dword CoarseSearch(Minimizer* mz, double* phase, int lo) {
  double best = std::numeric_limits<double>::infinity();
  int at = lo;
  for (int k = lo; k <= 16; ++k) {
    *phase = k * std::numbers::pi / 16;
    const Dword e = PcBcTarget(mz);
    if (e != kErrNone) return e;
    if (mz->value < best) {
      best = mz->value;
      at = k;
    }
  }
  *phase = at * std::numbers::pi / 16;
  return kErrNone;
}

}  // namespace

PcBcWork* PcBcWorkInit(PcBcWork* w) {
  *w = PcBcWork{};
  w->scale = 1.0;
  w->binWidth = 1.0;
  return w;
}

Dword PcBcHistogramWeights(Qword bins, double* weights) {
  if (!weights || bins < 4) return kErrMissingInputData;
  const Qword half = bins / 2;
  const double h = static_cast<double>(half);
  const double a = 30 / h, b = 75 / h, c = 15 / h;
  for (Qword i = 0; i < bins; ++i) {
    const double u = (static_cast<double>(i) - h) / h;
    double re;
    if (u >= 0)
      re = (u < a ? 1 - u / a : 0) - 20 * (1 - (u - 1) * (u - 1)) + 21 * (u * u) * (u * u);
    else if (u > -b)
      re = 1 + u / c;
    else
      re = -96 * (b + u) / (b - 1) - 4;
    const double au = std::fabs(u);
    weights[i] = re;
    weights[bins + i] = (au < a ? 1 - au / a : 0) + 20 * (1 - au) * (1 - au);
  }
  return kErrNone;
}

VELTRIA_API Dword SArrPcBc(Qword n, const double* input, double* output, Dword flags, double* phi0,
                           double* phi1, Qword m, double noise) {
  if (!phi0 || !phi1) return kErrMissingOutputBuffer;
  *phi0 = *phi1 = std::numeric_limits<double>::quiet_NaN();
  if (!input || n == 0) return kErrMissingInputData;
  if (!output) return kErrMissingOutputBuffer;
  // The edge windows need 33 points each; the bin count needs a positive,
  // finite noise level.
  if (n < kEdgeWindow || !(noise > 0) || !std::isfinite(noise)) return kErrIllegalArgument;
  const double width = noise / 4;
  // Clamped in double: a tiny noise level or an infinite magnitude would
  // overflow the integer conversion.
  double count = SArrMaxMagnitude(n, input, nullptr) / width + 0.5;
  if (!(count <= static_cast<double>(kMaxBins))) count = static_cast<double>(kMaxBins);
  const Qword bins = DoubleToQword(count) | 1;
  if (m < 2) m = 2;
  if (m > MaxArrCount<double>() / 4) return kErrAlloc;

  Dword error;
  double* coef = NewRealArrFill(&error, 2 * m + 4 * bins);
  if (!coef) return error;
  std::fill(coef, coef + 2 * m, 0.0);
  double** ptrs = NewArrFill<double*>(&error, 2 * (2 * m + 2));
  if (!ptrs) {
    KillPtr(&coef);
    return error;
  }
  const Qword count_params = 2 * m + 2;
  double** all = ptrs;
  double** varied = ptrs + count_params;
  all[0] = phi0;
  all[1] = phi1;
  for (Qword i = 0; i < 2 * m; ++i) all[2 + i] = coef + i;
  for (Qword i = 0; i < count_params; ++i)
    varied[i] = (i < 2 ? (flags & kPcBcPhasesFixed) : (flags & kPcBcNoBaseline)) ? nullptr : all[i];

  PcBcRun run;
  PcBcWorkInit(&run.work);
  PcBcWork& w = run.work;
  w.count = n;
  w.flags = flags;
  w.input = input;
  w.output = output;
  w.scale = 10 * noise;
  w.binWidth = width;
  w.binCount = bins;
  w.histogram = coef + 2 * m;
  w.weights = coef + 2 * m + 2 * bins;
  w.edgeFraction = 0.0;
  const double hEdge = std::floor(static_cast<double>(n) * w.edgeFraction / 2 + 0.5) - 16;
  const Qword h = hEdge > 0 ? DoubleToQword(hEdge) : 0;
  w.leftStart = h;
  w.leftCentre = h + 16;
  w.leftEnd = h + 32;
  w.rightCentre = n - 1 - (h + 16);
  w.rightStart = n - 1 - (h + 32);
  w.rightEnd = n - 1 - h;
  run.phi0 = phi0;
  run.phi1 = phi1;
  run.coef = coef;
  run.m = m;

  Minimizer mz{};
  MinimizerInit(&mz, 0, nullptr, &run);
  error = MinimizerSetParams(&mz, count_params, all, varied);
  KillPtr(&ptrs);
  mz.target = PcBcTarget;
  if (error == kErrNone) error = PcBcHistogramWeights(bins, w.weights);
  if (error == kErrNone) {
    *phi1 = 0;
    error = CoarseSearch(&mz, phi0, 0);
  }
  if (error == kErrNone) error = CoarseSearch(&mz, phi1, -16);
  if (error == kErrNone) {
    mz.initialStep = 0.2;
    mz.tolerance = 1e-6;
    mz.maxCalls = 1000;
    error = MinimizerRun(&mz, kMinimizerSimplex);
    if (error == kErrTooManyFunctionCalls) error = kErrNone;
  }
  w.flags |= kPcBcFinal;
  if (error == kErrNone) {
    if (flags & kPcBcOutputCorrected) {
      error = PcBcApply(&run);
    } else {
      // The baseline alone: zero corrected without phases, negated.
      std::fill(output, output + 2 * n, 0.0);
      w.input = output;
      w.flags |= kPcBcPhasesFixed;
      error = PcBcApply(&run);
      for (Qword i = 0; i < 2 * n; ++i) output[i] = -output[i];
    }
  }
  MinimizerKill(&mz);
  KillPtr(&coef);
  return error;
}
