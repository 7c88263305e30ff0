// The paired-array accumulator.
#include <cmath>

#include "arrays/paired_ranges.h"
#include "arrays/rarr.h"
#include "base/memory.h"

namespace {
constexpr Qword kGrowth = 10;

void Release(RArrPairedArrays** holder) {
  RArrKill(&(*holder)->weights);
  RArrKill(&(*holder)->positions);
  KillPtr(holder);
}
}  // namespace

VELTRIA_API Dword NewRArrPairedArrays(RArrPairedArrays** holder, double tolerance, Qword capacity) {
  *holder = nullptr;
  if (capacity == 0) capacity = kGrowth;
  Dword error = kErrNone;
  RArrPairedArrays* record = NewArrFill<RArrPairedArrays>(&error, 1);
  if (!record) return kErrAlloc;
  *record = RArrPairedArrays{0, nullptr, nullptr, capacity, tolerance};
  record->weights = RArrNew(&error, capacity);
  if (record->weights) record->positions = RArrNew(&error, capacity);
  if (!record->positions) {
    Release(&record);
    return kErrAlloc;
  }
  *holder = record;
  return kErrNone;
}

// A growth that fails keeps the accumulator as it was (the pair just added
// stays) and reports the failure; nothing the caller collected is lost.
VELTRIA_API Dword RArrPairedAddPair(double weight, double position, RArrPairedArrays** holder) {
  if (!holder || !*holder) return kErrMissingOutputBuffer;
  RArrPairedArrays* r = *holder;
  if (r->tolerance > 0) {
    for (Qword i = 0; i < r->count; ++i) {
      if (std::fabs(position - r->positions[i]) < r->tolerance) {
        r->weights[i] += weight;
        return kErrNone;
      }
    }
  }
  r->weights[r->count] = weight;
  r->positions[r->count] = position;
  ++r->count;
  if (r->count < r->capacity) return kErrNone;
  Dword error = kErrNone;
  const Qword grown = r->capacity + kGrowth;
  double* weights = RArrNew(&error, grown);
  double* positions = weights ? RArrNew(&error, grown) : nullptr;
  if (!positions) {
    RArrKill(&weights);
    --r->count;  // keep the invariant count < capacity: the new pair is dropped
    return kErrAlloc;
  }
  RArrCopy(r->count, r->weights, weights);
  RArrCopy(r->count, r->positions, positions);
  RArrKill(&r->weights);
  RArrKill(&r->positions);
  r->weights = weights;
  r->positions = positions;
  r->capacity = grown;
  return kErrNone;
}

VELTRIA_API Dword RArrPairedGetPointers(Qword* count, double** weights, double** positions,
                                        RArrPairedArrays** holder) {
  if (!holder || !*holder) {
    *weights = nullptr;
    *positions = nullptr;
    return kErrMissingInputData;
  }
  *count = (*holder)->count;
  *weights = (*holder)->weights;
  *positions = (*holder)->positions;
  return kErrNone;
}

VELTRIA_API Dword RArrPairedReset(RArrPairedArrays** holder) {
  if (!holder || !*holder) return kErrMissingOutputBuffer;
  (*holder)->count = 0;
  return kErrNone;
}

VELTRIA_API RArrPairedArrays** RArrPairedDelete(RArrPairedArrays** holder) {
  if (holder && *holder) Release(holder);
  return holder;
}
