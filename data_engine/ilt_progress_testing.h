// Test-only views of the running transform's process-wide progress state.
#pragma once
#include "base/types.h"

// Forgets a transform that did not end (no end event).
void IltProgressResetForTesting();
// The process-wide zone index and step counter.
Qword IltProgressZoneForTesting();
Qword IltProgressStepForTesting();
