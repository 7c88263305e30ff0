// The paired-array accumulator of (weight, position) pairs that merges
// coincident positions, and sets of disjoint closed intervals.
#pragma once
#include "base/types.h"

struct RArrPairedArrays {
  Qword count;
  double* weights;
  double* positions;
  Qword capacity;
  double tolerance;  // 0 or less (or NaN): no merging
};

VELTRIA_API Dword NewRArrPairedArrays(RArrPairedArrays** holder, double tolerance, Qword capacity);
VELTRIA_API Dword RArrPairedAddPair(double weight, double position, RArrPairedArrays** holder);
VELTRIA_API Dword RArrPairedGetPointers(Qword* count, double** weights, double** positions,
                                        RArrPairedArrays** holder);
VELTRIA_API Dword RArrPairedReset(RArrPairedArrays** holder);
VELTRIA_API RArrPairedArrays** RArrPairedDelete(RArrPairedArrays** holder);

// An interval set: pairs (lo, hi), sorted and disjoint, then an end pair
// whose hi <= lo; the empty set is (0, 0) or a null array.
VELTRIA_API double* NewRArrRanges(Dword* error);
VELTRIA_API Dword RArrRangesAddRange(double** holder, double a, double b);
VELTRIA_API Qword RArrRangesCount(const double* set);
VELTRIA_API Dword RArrRangesPointIsIn(double x, const double* set);
VELTRIA_API Dword RArrRangesIntervalIsNested(double a, double b, const double* set, Dword* index);
