// Test-only seam of the random generators. Never called by the program.
#pragma once
#include "base/types.h"

// Forgets the generators' state (the stream and the stored second normal
// deviate) and makes the next first use seed from `seed` instead of the
// clock; a negative seed restores the clock.
void RandomTestReset(Qlong seed);
