// Test-only seam of the kernel choice. Never called by the program.
#pragma once

// true: every later call uses the baseline kernels; false: the choice made
// from the processor again. Returns whether the AVX2 kernels are now used.
bool WideKernelsForceBaseline(bool baseline);
