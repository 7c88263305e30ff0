// Test-only seam of the allocator. Never called by the program.
#pragma once
#include "base/types.h"

// After `successes` more successful allocations every further one fails,
// until the hook is reset with a negative value.
void PlatformAllocTestFailAfter(Qlong successes);
