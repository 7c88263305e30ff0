// Test-only seams of the signal-array transform. Never called by the program.
#pragma once

// true: every later transform runs the baseline kernels; false: the choice
// made from the processor again. Returns whether the AVX2 kernels are now used.
bool SArrFTForceBaseline(bool baseline);
// Frees the kept tables and work area, so the next transform builds them
// again (and an allocation failure can be provoked there).
void SArrFTReleaseTables();
