// The tables behind the signal-array transform, built once per size and kept
// for the life of the process (single-threaded), and the shared work area.
#pragma once
#include "base/types.h"

// Sizes up to 2^kFftDirectMaxLog run as one Stockham transform in the cache;
// larger ones split into r column transforms and r rows of 2^kFftRowLog.
constexpr unsigned kFftDirectMaxLog = 13;
constexpr unsigned kFftRowLog = 12;
// Columns per panel of the split transform.
constexpr Qword kFftPanel = 8;

// How the last pass leaves the result: every value times scale (negated at
// odd output indexes when alternate is set), and with swap the two halves
// exchanged.
struct FftFinish {
  double scale;
  bool swap;
  bool alternate;
};

// The split transform of n = r * m points: the column transforms of length r
// (Stockham tables tw_r), the factors exp(2 pi i j k / n) of the columns as
// t_hi[e >> h] * t_lo[e & (2^h - 1)] for the panel's first column and
// tq[k * kFftPanel + q] for its q-th column, and the rows of length m
// (tables tw_m). Every table holds its real parts, then its imaginary parts.
struct FftBigPlan {
  Qword n, r, m;
  unsigned h;
  const double* tw_r;
  const double* tw_m;
  const double* t_hi;
  const double* t_lo;
  const double* tq;
};

// cos and sin of 2 pi e / n (n a power of two, e < n), each within about an
// ulp: the angle is reduced to an octant exactly before sin and cos are taken.
void FftUnitRoot(Qword e, Qword n, double* c, double* s);

// The Stockham factors of size 2^log2n: for each pass of length L = n, n/4,
// ... above 4, six rows of L/4 values: the real and imaginary parts of
// exp(2 pi i p k / L) for k = 1, 2, 3 and p < L/4. Null when the memory is
// refused; a valid pointer without entries below 8 points.
const double* FftStockhamTables(unsigned log2n);
// The split-transform plan of size 2^log2n (above the direct sizes); false
// when the memory is refused.
bool FftBigPlanFor(unsigned log2n, FftBigPlan* plan);
// A work area of at least count doubles, kept between calls; null when the
// memory is refused.
double* FftWork(Qword count);
// Doubles of work a transform of size 2^log2n needs.
Qword FftWorkCount(unsigned log2n);
