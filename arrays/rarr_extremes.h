// Extremes of real arrays with their indices, counters against bounds,
// bands, values and levels, the value search, the zero-centred histogram and
// the one-pass statistics record.
//
// NaN elements: the scans start from element 0 and use strict comparisons,
// so a NaN is never taken once a number is held, and a NaN element 0 stays
// the result (with index 0). The range of a NaN element 0 is NaN.
#pragma once
#include "base/types.h"

// Index outputs are optional, set to -1 before anything else; the value is
// NaN for a null array or count 0.
VELTRIA_API double RArrMax(Qword count, const double* x, Qlong* index);
VELTRIA_API double RArrMin(Qword count, const double* x, Qlong* index);
VELTRIA_API double RArrAbsMax(Qword count, const double* x, Qlong* index);
VELTRIA_API double RArrAbsMin(Qword count, const double* x, Qlong* index);
// The element of largest magnitude with its sign (the maximum wins a tie).
VELTRIA_API double RArrExtreme(Qword count, const double* x, Qlong* index);
VELTRIA_API double RArrAbsExtreme(Qword count, const double* x, Qlong* index);
VELTRIA_API double RArrRangeMinMax(Qword count, const double* x, Qlong* imin, Qlong* imax);
VELTRIA_API double RArrRangeAbsMinMax(Qword count, const double* x, Qlong* imin, Qlong* imax);

// Counters.
VELTRIA_API Qlong RArrAboveCount(Qword count, const double* x, double bound);
VELTRIA_API Qlong RArrBelowCount(Qword count, const double* x, double bound);
VELTRIA_API Qlong RArrBandCount(Qword count, const double* x, double lo, double hi, Qword* above,
                                Qword* below);
VELTRIA_API Qlong RArrValueCount(Qword count, const double* x, double v, double tol);
VELTRIA_API Qlong RArrSignInversionsCount(Qword count, const double* x, double level, Qword* down,
                                          Qword* up);
// Elements at a distance of abs(tol) or more from every earlier element.
// A NaN or infinite element is near nothing, so it always counts.
VELTRIA_API Qlong RArrChainedGroupsCount(Qword count, const double* x, double tol);

VELTRIA_API bool RArrIsValuePresent(Qword count, const double* x, double v, double tol,
                                    Qlong* index);

// Bins h = nbins/2 + floor(x/width), clamped to the first and last bin, for
// the elements skip <= i < count - skip; NaN elements are not counted.
// 14 null x or count 0, 18 null bins, 26 width not above 0 or nbins below 1.
VELTRIA_API Dword RArrHistogram(Qword count, const double* x, double* bins, Qlong nbins,
                                double width, Qword skip);

struct RArrStatisticsRecord {
  double max;
  Qword max_index;
  double min;
  Qword min_index;
  double abs_max;
  Qword abs_max_index;
  double abs_min;
  Qword abs_min_index;
  double range;
  double abs_range;
  double mean;    // forward sum / count
  double rms;     // sqrt(forward sum of squares / count)
  double spread;  // population standard deviation, accumulated stably in the same pass
  double total_variation;
};
static_assert(sizeof(RArrStatisticsRecord) == 14 * 8, "fourteen 8-byte fields");

VELTRIA_API Dword RArrStatistics(Qword count, const double* x, RArrStatisticsRecord* rec);
