// The baseline build of the transform's kernels and the choice between the
// builds.
#include "signal_fit/signal/fft_kernels.h"

#include "signal_fit/signal/fft_stockham.h"
#include "signal_fit/signal/fft_testing.h"

namespace {
const FftKernels kBaseline = {fftk::Direct<fftk::V2>};

const FftKernels* Choose() {
  const FftKernels* avx2 = FftAvx2KernelsIfSupported();
  return avx2 ? avx2 : &kBaseline;
}

const FftKernels*& Current() {
  static const FftKernels* current = Choose();
  return current;
}
}  // namespace

const FftKernels& FftBaselineKernels() { return kBaseline; }

const FftKernels& FftActiveKernels() { return *Current(); }

bool SArrFTForceBaseline(bool baseline) {
  const FftKernels*& current = Current();
  current = baseline ? &kBaseline : Choose();
  return current != &kBaseline;
}
