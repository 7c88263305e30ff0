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

// The radix (as its log2) of the pass over the remaining length 2^rem: the
// last pass (radix 2, 4 or 8, no factors) at 8 and below; above, 8 unless
// the rest would end in a lone radix-2 pass.
constexpr unsigned FftPassRadixLog(unsigned rem) { return rem <= 3 ? rem : (rem % 3 == 1 ? 2 : 3); }

// The Stockham factors of size 2^log2n: for each pass but the last, of
// length L and radix R, 2(R - 1) rows of L/R values: the real and imaginary
// parts of exp(2 pi i p k / L) for k = 1 .. R-1 and p < L/R. Null when the memory is
// refused; a valid pointer without entries up to 8 points.
const double* FftStockhamTables(unsigned log2n);
// The scratch rows' offsets into the work area, which holds 2 n +
// kFftWorkExtra doubles for n points.
constexpr Qword kFftWorkOffsetRe = 72, kFftWorkOffsetIm = 208, kFftWorkExtra = 256;
// A work area of at least count doubles, kept between calls; null when the
// memory is refused.
double* FftWork(Qword count);
