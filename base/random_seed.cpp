#include "base/random_seed.h"

#include "base/platform/clock.h"

VELTRIA_API Qword KyRandomSeed(void) {
  Qword count = 0;
  WinPerformanceCounter(&count);
  return count & 0xFFFF;
}
