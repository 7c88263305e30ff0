// The tables behind the signal-array transform, built once per size and kept
// for the life of the process (single-threaded), and the shared work area.
#pragma once
#include "base/types.h"

// How the last pass leaves the result: every value times scale (negated at
// odd output indexes when alternate is set), and with swap the two halves
// exchanged.
struct FftFinish {
  double scale;
  bool swap;
  bool alternate;
};

// cos and sin of 2 pi e / n (n a power of two, e < n), each within about an
// ulp: the angle is reduced to an octant exactly before sin and cos are taken.
void FftUnitRoot(Qword e, Qword n, double* c, double* s);

// The passes of a transform of 2^log2n points as the log2 of their radixes
// (8, 4 or 2), the last one without factors; returns their count (at most
// kFftMaxPasses). The first pass reads the data and the last writes it;
// the others go between two scratch areas. Small sizes take the fewest
// passes. Larger ones, whose data rows lie a multiple of the cache's way size
// apart, read and write the data in radix-4 passes, so that no pass needs
// more lines of one cache set than it holds, and run radix 8 in between.
constexpr unsigned kFftMaxPasses = 64;
unsigned FftSchedule(unsigned log2n, unsigned* radix_logs);

// The Stockham factors of size 2^log2n: for each pass but the last (in
// the order of FftSchedule), of length L and radix R, 2(R - 1) rows of L/R values: the real and
// imaginary parts of exp(2 pi i p k / L) for k = 1 .. R-1 and p < L/R. Null when the memory is
// refused; a valid pointer without entries up to 8 points.
const double* FftStockhamTables(unsigned log2n);
// The work area of n points holds two scratch areas of n points, each a
// real and an imaginary row, at 4 n + kFftWorkExtra doubles: the rows start
// at offsets kFftWorkOffset[k] (plus k n) that put each in cache sets of its
// own.
constexpr Qword kFftWorkOffset[4] = {72, 208, 344, 480};
constexpr Qword kFftWorkExtra = 512;
// Sizes above 2^kFftKeepMaxLog points give their tables and work area back
// after each transform, so a rare huge transform does not pin its memory.
constexpr unsigned kFftKeepMaxLog = 20;
void FftForget(unsigned log2n);
// A work area of at least count doubles, kept between calls; null when the
// memory is refused.
double* FftWork(Qword count);
