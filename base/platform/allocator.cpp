#include "base/platform/allocator.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

#include "base/platform/allocator_testing.h"

namespace {
Qlong g_fail_after = -1;  // < 0: never fail

bool ShouldFail() {
  if (g_fail_after < 0) return false;
  if (g_fail_after == 0) return true;
  --g_fail_after;
  return false;
}
}  // namespace

void* PlatformAlloc(size_t bytes) {
  if (ShouldFail()) return nullptr;
  return std::malloc(bytes == 0 ? 1 : bytes);
}

void* PlatformRealloc(void* block, size_t bytes) {
  if (ShouldFail()) return nullptr;
  return std::realloc(block, bytes == 0 ? 1 : bytes);
}

void PlatformFree(void* block) { std::free(block); }

size_t PlatformBlockSize(const void* block) {
  return block ? malloc_usable_size(const_cast<void*>(block)) : 0;
}

void PlatformAllocTestFailAfter(Qlong successes) { g_fail_after = successes; }

Qword PlatformAvailableMemory(void) {
  const auto pages = sysconf(_SC_AVPHYS_PAGES);
  const auto page_size = sysconf(_SC_PAGESIZE);
  Qword available =
      (pages > 0 && page_size > 0) ? static_cast<Qword>(pages) * static_cast<Qword>(page_size) : 0;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      static_cast<Qword>(limit.rlim_cur) < available)
    available = static_cast<Qword>(limit.rlim_cur);
  return available;
}
