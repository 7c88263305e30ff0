// The library's one uniform random generator and the deviates built on it.
// Every generator advances the same stream, seeded once on first use.
#pragma once
#include "base/types.h"

// Uniform deviate in (0, 1): minimal-standard congruential generator with a
// 32-entry shuffle table.
VELTRIA_API double pRgUniform0(void);
// Standard normal deviate by the polar method.
VELTRIA_API double pRgNormal0(void);
// mean + sd * standard normal deviate.
VELTRIA_API double pRgNormal(double mean, double sd);
