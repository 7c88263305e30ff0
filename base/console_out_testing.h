// Test-only seam of the console output. Never called by the program.
#pragma once

// Forgets the colour last set, as at the start of a process.
void ConResetStateForTest(void);
