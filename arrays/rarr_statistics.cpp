// The fourteen-field statistics record of a real array, in one pass.
#include <cmath>

#include "arrays/rarr_extremes.h"
#include "base/error_codes.h"

VELTRIA_API Dword RArrStatistics(Qword count, const double* x, RArrStatisticsRecord* rec) {
  if (!x || count == 0) return kErrMissingInputData;
  if (!rec) return kErrMissingOutputBuffer;
  double mx = x[0], mn = x[0], amin = std::fabs(x[0]);
  Qword imax = 0, imin = 0, iamin = 0;
  double sum = x[0], sum2 = x[0] * x[0], variation = 0;
  // Running mean and sum of squared deviations (Welford) for the spread:
  // no cancellation between the mean square and the squared mean.
  double wmean = x[0], m2 = 0;
  for (Qword i = 1; i < count; ++i) {
    const double v = x[i];
    if (v > mx) {
      mx = v;
      imax = i;
    } else if (v < mn) {
      mn = v;
      imin = i;
    }
    if (std::fabs(v) < amin) {
      amin = std::fabs(v);
      iamin = i;
    }
    sum += v;
    sum2 += v * v;
    variation += std::fabs(v - x[i - 1]);
    const double d = v - wmean;
    wmean += d / static_cast<double>(i + 1);
    m2 += d * (v - wmean);
  }
  const double n = static_cast<double>(count);
  rec->max = mx;
  rec->max_index = imax;
  rec->min = mn;
  rec->min_index = imin;
  const bool max_wins = std::fabs(mx) >= std::fabs(mn);
  rec->abs_max = max_wins ? std::fabs(mx) : std::fabs(mn);
  rec->abs_max_index = max_wins ? imax : imin;
  rec->abs_min = amin;
  rec->abs_min_index = iamin;
  rec->range = mx - mn;
  rec->abs_range = rec->abs_max - amin;
  rec->mean = sum / n;
  rec->rms = std::sqrt(sum2 / n);
  rec->spread = std::sqrt(m2 / n);
  rec->total_variation = variation;
  return kErrNone;
}
