// The signal-array transform's kernels in two builds, chosen once per process:
// the baseline (two-lane SSE2 vectors) and, where the processor supports it,
// AVX2 (four lanes, no fused multiply-add). Each output value gets the same
// operations in the same order in both, so they agree to the bit.
#pragma once
#include "base/types.h"
#include "signal_fit/signal/fft_plan.h"

struct FftKernels {
  // The whole transform of the n points of s in place (work: 4n + kFftWorkExtra doubles),
  // with the Stockham tables of size n.
  void (*direct)(double* s, Qword n, const double* tw, double* work, bool inverse,
                 const FftFinish& finish);
};

// The kernels of this process; the choice is made at the first call.
const FftKernels& FftActiveKernels();
const FftKernels& FftBaselineKernels();
// The AVX2 build, or null where the processor cannot run it.
const FftKernels* FftAvx2KernelsIfSupported();
