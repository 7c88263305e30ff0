// The allocation primitives behind the complex array and matrix
// constructors, and the overlap test of the routines that must not write
// over their own operands.
#pragma once
#include <cstdint>

#include "base/types.h"
#include "complexvec/complex.h"

// error := 0; count 0 gives null; count >= 2^60 or no memory gives null with
// 0x80001; otherwise count elements of *fill, or of (0, 0) without a fill.
COMPLEX* CArrAllocate(Dword* error, Qword count, const COMPLEX* fill);
// A new block of count + extra elements, the first count copied from src and
// the rest (0, 0). A null src or a total of 0 gives null with error 0.
COMPLEX* CArrNewCopyExtend(Dword* error, const COMPLEX* src, Qword count, Qword extra);

// True when the blocks [a, a + na) and [b, b + nb) share memory.
inline bool CArrOverlap(const COMPLEX* a, Qword na, const COMPLEX* b, Qword nb) {
  const uintptr_t pa = reinterpret_cast<uintptr_t>(a), pb = reinterpret_cast<uintptr_t>(b);
  return na && nb && pa < pb + nb * sizeof(COMPLEX) && pb < pa + na * sizeof(COMPLEX);
}
