// The streaming peak picker: a maximum is confirmed once the series has
// fallen more than delta below it and it stands more than delta above the
// low before it; a minimum mirrored.
#include <cfloat>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/peaks.h"

VELTRIA_API PpState* PpStartPeakPicking(double delta) {
  Dword error = kErrNone;
  PpState* state = NewArrFill<PpState>(&error, 1);
  if (!state) return nullptr;
  *state = PpState{};
  state->delta = delta;
  state->last_index = kNoIndex;
  return state;
}

VELTRIA_API Dword PpPickNextPeak(Qword index, double value, PpState* state) {
  if (!state) return 0;
  // The end call drives both trackers to the far side of every value, so
  // that the last extreme of either kind is confirmed whatever its sign.
  const bool end = index == kNoIndex;
  const double x = end ? -DBL_MAX : value;
  const double y = end ? DBL_MAX : value;
  PpState& s = *state;
  if (index <= s.last_index) {  // first call, or a repeated index
    s.max_candidate_index = s.max_reference_index = s.max_trailing_index = index;
    s.min_candidate_index = s.min_reference_index = s.min_trailing_index = index;
    s.max_candidate_value = s.max_reference_value = s.max_trailing_value = x;
    s.min_candidate_value = s.min_reference_value = s.min_trailing_value = y;
    s.last_index = index;
    return 0;
  }
  Dword flags = 0;
  const double delta = s.delta;
  if (x < s.max_trailing_value) {
    s.max_trailing_index = index;
    s.max_trailing_value = x;
    bool peak = false;
    if (s.max_candidate_value > x + delta &&
        s.max_candidate_value > s.max_reference_value + delta) {
      s.peak_index = s.max_candidate_index;
      s.peak_value = s.max_candidate_value;
      flags |= 2;
      peak = true;
    }
    if (x < s.max_reference_value || peak) {
      s.max_candidate_index = s.max_reference_index = index;
      s.max_candidate_value = s.max_reference_value = x;
    }
  } else if (x > s.max_candidate_value) {
    s.max_candidate_index = s.max_trailing_index = index;
    s.max_candidate_value = s.max_trailing_value = x;
  }
  if (y > s.min_trailing_value) {
    s.min_trailing_index = index;
    s.min_trailing_value = y;
    bool valley = false;
    if (s.min_candidate_value < y - delta &&
        s.min_candidate_value < s.min_reference_value - delta) {
      s.valley_index = s.min_candidate_index;
      s.valley_value = s.min_candidate_value;
      flags |= 1;
      valley = true;
    }
    if (y > s.min_reference_value || valley) {
      s.min_candidate_index = s.min_reference_index = index;
      s.min_candidate_value = s.min_reference_value = y;
    }
  } else if (y < s.min_candidate_value) {
    s.min_candidate_index = s.min_trailing_index = index;
    s.min_candidate_value = s.min_trailing_value = y;
  }
  s.last_index = index;
  return flags;
}

VELTRIA_API void PpTerminatePeakPicking(PpState* state) { KillPtr(&state); }

VELTRIA_API void PpStateKill(void* holder) { KillPtr(holder); }

VELTRIA_API Dword PpFillLocalExtremesIarr(Qword n, const double* data, Long* marks, double scale,
                                          double factor, Long kind) {
  if (n == 0 || !data) return kErrMissingInputData;
  if (!marks) return kErrMissingOutputBuffer;
  PpState* state = PpStartPeakPicking(scale * factor);
  if (!state) return kErrAlloc;
  auto mark = [&](Dword flags) {
    if ((flags & 2) && kind >= 0) {
      marks[state->peak_index] = 1;
    } else if ((flags & 1) && kind <= 0) {
      marks[state->valley_index] = -1;
    }
  };
  for (Qword i = 0; i < n; ++i) {
    const Dword flags = PpPickNextPeak(i, data[i], state);
    marks[i] = 0;
    mark(flags);
  }
  mark(PpPickNextPeak(kNoIndex, 0, state));
  PpTerminatePeakPicking(state);
  return kErrNone;
}

VELTRIA_API Dword PpNewLocalExtremesIarr(Qword n, const double* data, Long** marks, double scale,
                                         double factor, Long kind) {
  if (!marks) return kErrMissingOutputBuffer;
  *marks = nullptr;
  if (n == 0 || !data) return kErrMissingInputData;
  Dword error = kErrNone;
  Long* m = NewArrFill<Long>(&error, n);
  if (!m) return error;
  error = PpFillLocalExtremesIarr(n, data, m, scale, factor, kind);
  if (error != kErrNone) {
    KillPtr(&m);
    return error;
  }
  *marks = m;
  return kErrNone;
}
