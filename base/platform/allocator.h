// The general-purpose allocator behind every library allocation (malloc
// underneath). The test-only failure hook is in allocator_testing.h.
#pragma once
#include <cstddef>

#include "base/types.h"

void* PlatformAlloc(size_t bytes);
void* PlatformRealloc(void* block, size_t bytes);
void PlatformFree(void* block);
// Bytes usable in a block from PlatformAlloc or PlatformRealloc (at least
// the size asked for); 0 for null. Lets growing texts use their slack.
size_t PlatformBlockSize(const void* block);

// Bytes of memory the system can hand out now without paging: the smaller
// of the available physical memory and the address-space limit left.
Qword PlatformAvailableMemory(void);
