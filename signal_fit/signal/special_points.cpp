// Special points of a spectrum: extremes of the smoothed data and of its
// first and second derivatives, combined into peak positions.
#include <cmath>

#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/peaks.h"
#include "signal_fit/signal/savgol.h"

namespace {
// Moves each data maximum that sits on no second-derivative minimum to the
// nearest one within reach, and cancels slope extremes with no peak between.
void PostProcess(Qword n, Qword* label, Qword reach) {
  constexpr Qword kCurvMin = kPpCurvatureMinNonPositive | kPpCurvatureMinPositive;
  bool pending = false;
  Qword at = 0;
  for (Qword i = 1; i + 1 < n; ++i) {
    if (label[i] & kPpSlopeMax) {
      pending = true;
      at = i;
    }
    if (label[i] & kPpPeak) pending = false;
    if (pending && (label[i] & kPpSlopeMin)) {
      label[at] &= ~Qword{kPpSlopeMax};
      label[i] &= ~Qword{kPpSlopeMin};
      pending = false;
    }
    if ((label[i] & kPpDataMax) && !(label[i] & kCurvMin)) {
      const Qword lo = i >= reach ? i - reach : 0;
      const Qword hi = n - 1 - i > reach ? i + reach : n - 1;
      Qword best = n;
      Qword best_distance = 0;
      for (Qword j = lo; j <= hi; ++j) {
        if (!(label[j] & kCurvMin)) continue;
        const Qword distance = j > i ? j - i : i - j;
        if (best == n || distance < best_distance) {
          best = j;
          best_distance = distance;
        }
      }
      if (best != n) {
        label[i] &= ~Qword{kPpDataMax | kPpPeak};
        label[best] |= kPpDataMax | kPpPeak;
      }
    }
  }
}
}  // namespace

VELTRIA_API Dword PpNewSpecialPointsLabels(Qlong n, const double* data, double noise, double factor,
                                           double width, Qword** labels, double** smoothed) {
  if (!labels) return kErrMissingOutputBuffer;
  *labels = nullptr;
  if (n <= 0 || !data) return kErrMissingInputData;
  const Qword N = static_cast<Qword>(n);
  Dword error = kErrNone;
  const Qword zero = 0;
  Qword* label = NewArrFill<Qword>(&error, N, &zero);
  double* sm = label ? NewRealArrFill(&error, N) : nullptr;
  double* work = sm ? NewRealArrFill(&error, 2 * N) : nullptr;
  Long* marks = work ? NewArrFill<Long>(&error, N) : nullptr;
  if (!marks) {
    KillPtr(&label);
    KillPtr(&sm);
    KillPtr(&work);
    return kErrAlloc;
  }
  double* d1 = work;
  double* d2 = work + N;
  Qword order = 0, points = 0;
  double g = 0;
  Dword status = RArrSavitskyGolay(N, data, sm, 0.5 * width, 0, &order, &points, &g, 0, 0);
  if (status == kErrNone) status = PpFillLocalExtremesIarr(N, sm, marks, noise * g, factor, 0);
  if (status == kErrNone)
    for (Qword i = 0; i < N; ++i) {
      if (marks[i] > 0) label[i] = kPpDataMax | kPpPeak;
      if (marks[i] < 0) label[i] = kPpDataMin;
    }
  if (status == kErrNone)
    status = RArrSavitskyGolay(N, data, d1, width, 1, &order, &points, &g, 0, 0);
  if (status == kErrNone) status = PpFillLocalExtremesIarr(N, d1, marks, noise * g, 7.0, 0);
  if (status == kErrNone)
    for (Qword i = 0; i < N; ++i) {
      if (marks[i] > 0) label[i] |= kPpSlopeMax;
      if (marks[i] < 0) label[i] |= kPpSlopeMin;
    }
  if (status == kErrNone)
    status = RArrSavitskyGolay(N, data, d2, width, 2, &order, &points, &g, 0, 0);
  if (status == kErrNone) status = PpFillLocalExtremesIarr(N, d2, marks, noise * g, 7.0, 0);
  if (status == kErrNone) {
    for (Qword i = 0; i < N; ++i) {
      if (marks[i] > 0) label[i] |= kPpCurvatureMax;
      if (marks[i] < 0)
        label[i] |= d2[i] > 0 ? Qword{kPpCurvatureMinPositive}
                              : Qword{kPpCurvatureMinNonPositive | kPpPeak};
    }
    const double r = std::floor(2 + width / 2);
    PostProcess(N, label, r > 0 ? DoubleToQword(r) : 0);
  }
  KillPtr(&marks);
  KillPtr(&work);
  if (status != kErrNone) {
    KillPtr(&label);
    KillPtr(&sm);
    return status;
  }
  *labels = label;
  if (smoothed) {
    *smoothed = sm;
  } else {
    KillPtr(&sm);
  }
  return kErrNone;
}
