// Character rules shared by the number parsers and writers of both widths.
#pragma once
#include "base/string_core.h"
#include "base/types.h"

namespace numtext {

// The blanks of the string functions: every code up to 32. Bytes from 0x80
// belong to UTF-8 characters and are never skipped as blanks.
template <class C>
inline bool IsBlank(C c) {
  return str::IsBlank(c);
}

// The digit character of the low 4 bits of a value, upper case.
template <class C>
inline C DigitChar(Qword v) {
  return static_cast<C>("0123456789ABCDEF"[v & 15]);
}

// Digits of `value` in `radix` (>= 2), most significant first, no terminator;
// returns the count. Digit values above 15 are written by their low 4 bits.
template <class C>
inline Qword WriteMagnitude(Qword value, C* out, Dword radix) {
  C tmp[64];
  Qword n = 0;
  do {
    tmp[n++] = DigitChar<C>(value % radix);
    value /= radix;
  } while (value != 0);
  for (Qword i = 0; i < n; ++i) out[i] = tmp[n - 1 - i];
  return n;
}

}  // namespace numtext
