// Scores of sets of weights: the unit factors that make the weights
// integral counts, the total-weight factor, and the effective number of
// peaks of weighted positions.
#include <cmath>

#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/peaks.h"

namespace {
// Tuning of the factor search: bounds' numerators, width of the preference
// for small factors, number of candidates.
double g_bags_lower = 0.4;
double g_bags_upper = 18;
double g_bags_preference = 9;
Dword g_bags_candidates = 1000;

Qword ArgMax(Qword m, const double* v) {
  Qword at = 0;
  for (Qword i = 1; i < m; ++i)
    if (v[i] > v[at]) at = i;
  return at;
}

// Clears the peak at c: outwards on both sides while the values keep
// falling (or stay level).
void Erase(Qword m, double* v, Qword c) {
  const double top = v[c];
  double last = top;
  for (Qword i = c; i < m && v[i] <= last; ++i) {
    last = v[i];
    v[i] = 0;
  }
  last = top;
  for (Qword i = c; i-- > 0 && v[i] <= last;) {
    last = v[i];
    v[i] = 0;
  }
}
}  // namespace

VELTRIA_API Dword RArrBagsToBest3Counts(Dword n, const double* w, double* counts1, double* score1,
                                        double* counts2, double* score2, double* counts3,
                                        double* score3) {
  if (n == 0 || !w) return kErrMissingInputData;
  if (!counts1 || !score1 || !counts2 || !score2 || !counts3 || !score3)
    return kErrMissingOutputBuffer;
  double wmin = w[0];
  for (Dword j = 1; j < n; ++j)
    if (w[j] < wmin) wmin = w[j];
  // The factors are multiples of 1/wmin: a weight that is not positive and
  // finite leaves no range to search.
  if (!(wmin > 0) || !std::isfinite(wmin)) return kErrIllegalArgument;
  const Qword M = g_bags_candidates;
  Dword error = kErrNone;
  double* f = NewRealArrFill(&error, 2 * M);
  if (!f) return error;
  double* score = f + M;
  const double lo = g_bags_lower / wmin, hi = g_bags_upper / wmin;
  for (Qword i = 0; i < M; ++i) {
    f[i] = lo + static_cast<double>(i) * (hi - lo) / static_cast<double>(M);
    const double pref = f[i] * wmin / g_bags_preference;
    double s = std::exp(-pref * pref);
    for (Dword j = 0; j < n; ++j) {
      const double fw = f[i] * w[j];
      const double e = 2 * (fw - std::round(fw));
      s *= 1 - e * e;
    }
    score[i] = s;
  }
  double* counts[3] = {counts1, counts2, counts3};
  double* scores[3] = {score1, score2, score3};
  for (int r = 0; r < 3; ++r) {
    const Qword c = ArgMax(M, score);
    *scores[r] = score[c];
    for (Dword j = 0; j < n; ++j) counts[r][j] = f[c] * w[j];
    if (r < 2) Erase(M, score, c);
  }
  KillPtr(&f);
  return kErrNone;
}

VELTRIA_API double RArrBagsTotalWeightFactor(Qword n, const double* w, double total) {
  if (!w) return 0;
  double sum = 0;
  for (Qword j = 0; j < n; ++j) sum += w[j];
  return sum > 0 ? total / sum : 0;
}

VELTRIA_API Dword RArrEffectivePeaks(Qword n, const double* weights, const double* positions,
                                     double width, double* result, Long, Dword a) {
  if (!result) return kErrMissingOutputBuffer;
  *result = 0;
  if (n == 0) return kErrNone;
  if (!weights || !positions) return kErrMissingInputData;
  // Two bins at least, and positions that can be binned at all.
  if (a < 1 || !(width > 0) || !std::isfinite(width)) return kErrIllegalArgument;
  double pmin = positions[0], pmax = positions[0];
  for (Qword j = 0; j < n; ++j) {
    if (!std::isfinite(positions[j])) return kErrIllegalArgument;
    if (positions[j] < pmin) pmin = positions[j];
    if (positions[j] > pmax) pmax = positions[j];
  }
  const double lo = pmin - 2 * width;
  const double D = pmax - pmin + 4 * width;
  const double bins_d = static_cast<double>(a) * D / width + 0.5;
  if (!(bins_d < 4294967296.0)) return kErrIllegalArgument;
  const Qword M = DoubleToQword(bins_d);
  if (M < 2) return kErrIllegalArgument;
  const double d = D / static_cast<double>(M - 1);
  Dword error = kErrNone;
  const double zero = 0;
  double* bins = NewArrFill<double>(&error, M, &zero);
  if (!bins) return error;
  for (Qword j = 0; j < n; ++j) {
    const double kd = (positions[j] - width / 2 - lo) / d + 0.5;
    Qword k = kd > 0 ? DoubleToQword(kd) : 0;
    for (Qword b = 0; b < a; ++b)
      if (k + b < M) bins[k + b] += weights[j];
  }
  double S = 0, Q = 0;
  for (Qword i = 0; i < M; ++i) {
    S += bins[i];
    Q += bins[i] * bins[i];
  }
  *result = Q > 0 ? S * S / (Q * static_cast<double>(a)) : 0;
  KillPtr(&bins);
  return kErrNone;
}
