// Where the signal is and what its extremes are: the signal-region finder,
// the streaming peak picker with its state record, local-extreme marks,
// special-point labels of a spectrum, and the scores of weight sets.
#pragma once
#include "base/types.h"

// The peak picker's state, owned by the caller between calls.
struct PpState {
  Qword valley_index;  // last reported minimum
  double valley_value;
  Qword peak_index;  // last reported maximum
  double peak_value;
  double delta;      // hysteresis
  Qword last_index;  // index of the previous call, all ones at the start
  // Maximum tracker: candidate, reference and trailing minimum.
  Qword max_candidate_index;
  double max_candidate_value;
  Qword max_reference_index;
  double max_reference_value;
  Qword max_trailing_index;
  double max_trailing_value;
  // Minimum tracker: candidate, reference and trailing maximum.
  Qword min_candidate_index;
  double min_candidate_value;
  Qword min_reference_index;
  double min_reference_value;
  Qword min_trailing_index;
  double min_trailing_value;
};
static_assert(sizeof(PpState) == 18 * 8, "eighteen 64-bit fields");

// Labels of PpNewSpecialPointsLabels.
enum PpSpecialPointLabel : Qword {
  kPpDataMax = 0x1,
  kPpDataMin = 0x2,
  kPpSlopeMax = 0x10,
  kPpSlopeMin = 0x20,
  kPpCurvatureMinNonPositive = 0x100,
  kPpCurvatureMinPositive = 0x200,
  kPpCurvatureMax = 0x400,
  kPpPeak = 0x1000,
};

// marks[i] := 1 inside a region of signal, 0 outside.
VELTRIA_API Dword SArrFindSignalRegions(Qword n, const double* s, Dword* marks, Long use_real,
                                        double factor, Qword gap);

VELTRIA_API PpState* PpStartPeakPicking(double delta);
// Index all ones ends the series. Returns 2 when a peak, 1 when a valley
// was confirmed (both may be set).
VELTRIA_API Dword PpPickNextPeak(Qword index, double value, PpState* state);
VELTRIA_API void PpTerminatePeakPicking(PpState* state);
// Releases the state record held in *holder and clears the pointer.
VELTRIA_API void PpStateKill(void* holder);

// marks: 1 maximum, -1 minimum, 0 elsewhere; kind > 0 maxima only, < 0
// minima only, 0 both.
VELTRIA_API Dword PpFillLocalExtremesIarr(Qword n, const double* data, Long* marks, double scale,
                                          double factor, Long kind);
VELTRIA_API Dword PpNewLocalExtremesIarr(Qword n, const double* data, Long** marks, double scale,
                                         double factor, Long kind);
VELTRIA_API Dword PpNewSpecialPointsLabels(Qlong n, const double* data, double noise, double factor,
                                           double width, Qword** labels, double** smoothed);

// Scores of sets of weights.
VELTRIA_API Dword RArrBagsToBest3Counts(Dword n, const double* w, double* counts1, double* score1,
                                        double* counts2, double* score2, double* counts3,
                                        double* score3);
VELTRIA_API double RArrBagsTotalWeightFactor(Qword n, const double* w, double total);
VELTRIA_API Dword RArrEffectivePeaks(Qword n, const double* weights, const double* positions,
                                     double width, double* result, Long ignored, Dword a);
