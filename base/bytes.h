// Exported byte utilities: overlap-safe copy, zeroing, the system
// allocators, the memory pattern test, byte-order reversal, and the heap
// sort of 64-bit values.
#pragma once
#include "base/types.h"

VELTRIA_API void* MemCopy(void* target, const void* source, Qword bytes);
VELTRIA_API void* MemZero(void* block, Qword bytes);
VELTRIA_API Dword MemDefaultAllocOrFree(Qword bytes, void** address_of_pointer);
VELTRIA_API Dword MemGlobalAllocOrFree(Qword bytes, void** address_of_pointer);
VELTRIA_API Qword MemDefaultMaxAllocatableBlock(void);
VELTRIA_API Qword MemGlobalMaxAllocatableBlock(void);
VELTRIA_API Qword MemTest(void* block, Qword bytes, void** first_fault);
VELTRIA_API Qword InvertBytesOrder(void* buffer, Qword bytes);

// Negative when a belongs before b.
typedef Long (*HeapSortCompare)(Qword a, Qword b);
VELTRIA_API void HeapSortByPointers(Qword count, Qword* values, HeapSortCompare compare,
                                    Long direction);

// Binary digits of *value: max(1, floor(log2 v) + 1).
void BitsNeeded(const Qword* value, Dword* bits);
