// Marks the points of a spectrum whose smoothed slope stands out of the
// noise, closes short gaps between them and widens every region.
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/peaks.h"
#include "signal_fit/signal/sarr.h"
#include "signal_fit/signal/savgol.h"

namespace {
void FillGaps(Qword n, Dword* marks, Qword gap) {
  Qword i = 0;
  while (i < n && marks[i] == 0) ++i;
  while (i < n) {
    while (i < n && marks[i] != 0) ++i;
    const Qword start = i;
    while (i < n && marks[i] == 0) ++i;
    // A run that reaches the end stays open.
    if (i < n && i - start < gap)
      for (Qword j = start; j < i; ++j) marks[j] = 1;
  }
}

void Widen(Qword n, Dword* marks, Qword e) {
  Qword i = 0;
  while (i < n) {
    if (marks[i] == 0) {
      ++i;
      continue;
    }
    const Qword start = i;
    while (i < n && marks[i] != 0) ++i;
    const Qword end = i;
    for (Qword j = start >= e ? start - e : 0; j < start; ++j) marks[j] = 1;
    const Qword stop = n - end > e ? end + e : n;
    for (Qword j = end; j < stop; ++j) marks[j] = 1;
    i = stop;
  }
}
}  // namespace

VELTRIA_API Dword SArrFindSignalRegions(Qword n, const double* s, Dword* marks, Long use_real,
                                        double factor, Qword gap) {
  if (!s) return kErrMissingInputData;
  if (!marks) return kErrMissingOutputBuffer;
  if (gap == 0) gap = n / 50;
  if (gap < 10) gap = 10;
  if (n < gap) {
    // Too short to tell signal from noise: no region, and no stale marks.
    for (Qword i = 0; i < n; ++i) marks[i] = 0;
    return kErrNone;
  }
  Dword error = kErrNone;
  double* copy = SArrNewCopy(&error, n, s);
  if (!copy) return error;
  if (!(factor > 0)) factor = 7;
  double sigma = 0;
  Dword status = RArrNoiseEstimateBySavitskyGolay(n, copy, &sigma, nullptr, 3, 17, 3, 3.0);
  if (status == kErrNone && use_real == 0) status = SArrReplaceRealByMagnitude(n, copy, copy);
  double gain = 0;
  if (status == kErrNone)
    status = RArrSavitskyGolayEx(n, copy, copy, &gain, 0, 1, 3, 17, 0, nullptr);
  if (status == kErrNone) {
    const double level = factor * sigma;
    for (Qword i = 0; i < n; ++i) marks[i] = level > std::fabs(copy[i]) ? 0 : 1;
    FillGaps(n, marks, gap);
    Widen(n, marks, gap / 3);
  }
  KillPtr(&copy);
  return status;
}
