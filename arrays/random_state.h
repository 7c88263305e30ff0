// Resets of the generators' module state (test only, through RandomTestReset
// of random_testing.h).
#pragma once
#include "base/types.h"

void RandomUniformReset(Qlong seed);
void RandomNormalReset(void);
