#include "base/bytes.h"

#include <cstring>

#include "base/error_codes.h"
#include "base/platform/allocator.h"

namespace {

inline Qword LoadWord(const unsigned char* p) {
  Qword w;
  std::memcpy(&w, p, 8);
  return w;
}
inline void StoreWord(unsigned char* p, Qword w) { std::memcpy(p, &w, 8); }

// Both "system allocators" are the platform allocator here.
Dword AllocOrFree(Qword bytes, void** address_of_pointer) {
  if (!address_of_pointer) return kErrAlloc;
  if (bytes == 0) {
    PlatformFree(*address_of_pointer);
    *address_of_pointer = nullptr;
    return kErrNone;
  }
  *address_of_pointer = PlatformAlloc(static_cast<size_t>(bytes));
  return *address_of_pointer ? kErrNone : kErrAlloc;
}

}  // namespace

VELTRIA_API void* MemCopy(void* target, const void* source, Qword bytes) {
  if (bytes == 0 || !target || !source || target == source) return target;
  auto* dst = static_cast<unsigned char*>(target);
  const auto* src = static_cast<const unsigned char*>(source);
  const Qword words = bytes / 8;
  const Qword rest = bytes % 8;
  if (dst < src) {
    // Forward: each word is read whole before it is written.
    for (Qword i = 0; i < words; ++i) StoreWord(dst + 8 * i, LoadWord(src + 8 * i));
    for (Qword i = words * 8; i < bytes; ++i) dst[i] = src[i];
  } else {
    for (Qword i = bytes; i > words * 8; --i) dst[i - 1] = src[i - 1];
    for (Qword i = words; i > 0; --i) StoreWord(dst + 8 * (i - 1), LoadWord(src + 8 * (i - 1)));
  }
  (void)rest;
  return target;
}

VELTRIA_API void* MemZero(void* block, Qword bytes) {
  if (!block) return nullptr;
  auto* p = static_cast<unsigned char*>(block);
  const Qword words = bytes / 8;
  for (Qword i = 0; i < words; ++i) StoreWord(p + 8 * i, 0);
  for (Qword i = words * 8; i < bytes; ++i) p[i] = 0;
  return block;
}

VELTRIA_API Dword MemDefaultAllocOrFree(Qword bytes, void** address_of_pointer) {
  return AllocOrFree(bytes, address_of_pointer);
}

VELTRIA_API Dword MemGlobalAllocOrFree(Qword bytes, void** address_of_pointer) {
  return AllocOrFree(bytes, address_of_pointer);
}

// A probe that allocates ever larger blocks tells nothing on a system that
// overcommits memory: allocations of far more than exists succeed and fail
// only when touched. The honest answer is the memory the system can hand
// out now without paging, bounded by the process's address-space limit.
VELTRIA_API Qword MemDefaultMaxAllocatableBlock(void) { return PlatformAvailableMemory(); }
VELTRIA_API Qword MemGlobalMaxAllocatableBlock(void) { return PlatformAvailableMemory(); }

VELTRIA_API Qword MemTest(void* block, Qword bytes, void** first_fault) {
  if (first_fault) *first_fault = nullptr;
  if (!block) return 0;
  static constexpr unsigned char kPatterns[] = {0x00, 0x55, 0xAA, 0xFF};
  volatile unsigned char* p = static_cast<volatile unsigned char*>(block);
  Qword failures = 0;
  for (Qword i = 0; i < bytes; ++i) {
    const unsigned char old = p[i];
    bool failed = false;
    for (unsigned char pattern : kPatterns) {
      p[i] = pattern;
      if (p[i] != pattern) failed = true;
    }
    p[i] = old;
    if (failed) {
      if (failures == 0 && first_fault) *first_fault = const_cast<unsigned char*>(p + i);
      ++failures;
    }
  }
  return failures;
}

VELTRIA_API Qword InvertBytesOrder(void* buffer, Qword bytes) {
  if (!buffer || bytes < 2) return 0;
  auto* p = static_cast<unsigned char*>(buffer);
  const Qword swaps = bytes / 2;
  for (Qword i = 0; i < swaps; ++i) {
    const unsigned char t = p[i];
    p[i] = p[bytes - 1 - i];
    p[bytes - 1 - i] = t;
  }
  return swaps;
}

void BitsNeeded(const Qword* value, Dword* bits) {
  Qword v = *value;
  Dword n = 1;
  while (v >>= 1) ++n;
  *bits = n;
}
