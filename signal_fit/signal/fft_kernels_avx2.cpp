// The AVX2 build of the transform's kernels: the same templates as the
// baseline, compiled for AVX2 from here on (fused multiply-add is a separate
// feature, not enabled, and the build forbids contraction anyway).
#include "signal_fit/signal/fft_kernels.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#pragma GCC push_options
#pragma GCC target("avx2")
#include "signal_fit/signal/fft_stockham.h"
#pragma GCC pop_options

namespace {
const FftKernels kAvx2 = {fftk::Direct<fftk::V4>};
}  // namespace

const FftKernels* FftAvx2KernelsIfSupported() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? &kAvx2 : nullptr;
}

#else

const FftKernels* FftAvx2KernelsIfSupported() { return nullptr; }

#endif
