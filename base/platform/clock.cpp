#include "base/platform/clock.h"

#include <time.h>

Dword WinPerformanceCounter(Qword* count) {
  timespec ts{};
  if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return 0;
  *count = static_cast<Qword>(ts.tv_sec) * 1000000000u + static_cast<Qword>(ts.tv_nsec);
  return 1;
}

Dword WinPerformanceFrequency(Qword* frequency) {
  *frequency = 1000000000u;
  return 1;
}
