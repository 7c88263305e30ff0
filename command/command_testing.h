// Test-only seams of the command interface. Never called by the program.
#pragma once
#include "base/platform/clock.h"

// Puts the framework's application information back to the constructor's
// defaults, as at the start of a process.
void KyFrameworkAppInfoResetForTesting(void);

// Code 7 reads this time instead of the clock; null goes back to the clock.
void KyCommandClockOverrideForTesting(const SYSTEMTIME* time);
