#include "base/platform/allocator.h"

#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>

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

// Large blocks (the rows of data sets) live in the main heap, and the heap
// is marked for transparent huge pages as it grows, as the C library does
// when asked to at start-up: one fault then maps 2 MiB instead of 4 KiB,
// and on virtual machines the faults of fresh rows otherwise cost more
// than the arithmetic done on them. Freed memory at the top of the heap is
// kept up to a bound, so a run that frees rows and makes new ones does not
// fault them in again. Blocks above the mmap threshold are mapped by malloc
// on their own and marked whole. The marks are advice only: where the
// system has no huge pages, nothing changes but the thresholds.
namespace {
constexpr size_t kLargeBlock = 4096;
constexpr size_t kHugePage = 2 * 1024 * 1024;
constexpr size_t kMmapThreshold = 32 * 1024 * 1024;
constexpr size_t kTrimThreshold = 128 * 1024 * 1024;
constexpr size_t kTopPad = 32 * 1024 * 1024;

// The heap range marked so far; grown under the lock, read without it.
std::mutex g_advice_lock;
std::atomic<uintptr_t> g_advised_from{0}, g_advised_to{0};

uintptr_t PageSize() {
  static const uintptr_t size = [] {
    const auto s = sysconf(_SC_PAGESIZE);
    return s > 0 ? static_cast<uintptr_t>(s) : uintptr_t{4096};
  }();
  return size;
}
uintptr_t PageDown(uintptr_t a) { return a & ~(PageSize() - 1); }
uintptr_t PageUp(uintptr_t a) { return PageDown(a + PageSize() - 1); }

void TuneOnce() {
  static const bool tuned = [] {
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMmapThreshold));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kTrimThreshold));
    mallopt(M_TOP_PAD, static_cast<int>(kTopPad));
    return true;
  }();
  (void)tuned;
}

void Advise(uintptr_t from, uintptr_t to) {
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

// Marks what is not marked yet of the heap between the block and the
// current break, or, for a block mapped on its own, the block's whole pages.
void AdviseHugePages(void* block, size_t bytes) {
  const auto at = reinterpret_cast<uintptr_t>(block);
  const auto brk = reinterpret_cast<uintptr_t>(sbrk(0));
  if (at >= brk || at + bytes > brk) {
    if (bytes >= kHugePage) Advise(PageUp(at), PageDown(at + bytes));
    return;
  }
  const uintptr_t from = g_advised_from.load(std::memory_order_relaxed);
  if (from != 0 && at >= from && brk == g_advised_to.load(std::memory_order_relaxed)) return;
  std::lock_guard<std::mutex> hold(g_advice_lock);
  uintptr_t lo = g_advised_from.load(), hi = g_advised_to.load();
  if (lo == 0) lo = hi = PageDown(at);
  // A heap trimmed since keeps the mark on what remains of it. (One trimmed
  // and grown again by other code in between is marked from here on only:
  // the advice is for speed, nothing depends on it.)
  if (hi > brk) hi = brk;
  if (PageDown(at) < lo) {
    Advise(PageDown(at), lo);
    lo = PageDown(at);
  }
  Advise(hi, brk);
  g_advised_from.store(lo);
  g_advised_to.store(brk);
}

void* Placed(void* block, size_t bytes) {
  if (block && bytes >= kLargeBlock) AdviseHugePages(block, bytes);
  return block;
}
}  // namespace

void* PlatformAlloc(size_t bytes) {
  if (ShouldFail()) return nullptr;
  TuneOnce();
  return Placed(std::malloc(bytes == 0 ? 1 : bytes), bytes);
}

void* PlatformRealloc(void* block, size_t bytes) {
  if (ShouldFail()) return nullptr;
  TuneOnce();
  return Placed(std::realloc(block, bytes == 0 ? 1 : bytes), bytes);
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
