// The system's clocks.
#pragma once
#include "base/types.h"

// The performance counter (a monotonic clock in nanoseconds) and its ticks
// per second; each returns 1, or 0 when the clock cannot be read.
Dword WinPerformanceCounter(Qword* count);
Dword WinPerformanceFrequency(Qword* frequency);
