// Closed counts over the product states of groups with 2I = s_g, for every
// number K of raised quanta: states N(K), raisable (state, group) pairs R,
// lowerable pairs L, (state, raised, lowered) triples F, ways X to add two
// quanta, and first-order combination pairs C1 from K to K + 1.
#pragma once
#include "base/types.h"

struct SpinCounts {
  Dword length = 0;  // K = 0 .. length - 1 (length = sum of s_g + 1)
  double* block = nullptr;
  double* N = nullptr;
  double* R = nullptr;
  double* L = nullptr;
  double* F = nullptr;
  double* X = nullptr;
  double* C1 = nullptr;
  ~SpinCounts();
};

// Counts of the groups' maxima s (count groups); 0 or 0x80001. The groups
// split into the first half and the rest, each counted the same way, and
// the two are joined by convolution, all values of K at once.
LibErrorCode SpinCountStates(const Dword* s, Dword count, SpinCounts* out);
