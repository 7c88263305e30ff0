// Reading reals: the runtime's conversion from the first non-blank character,
// with the NumStatus report, and the count of blank-separated reals.
#include <cmath>
#include <cstring>

#include "base/ieee.h"
#include "base/num_chars.h"
#include "base/number_text.h"
#include "base/platform/allocator.h"
#include "base/platform/c_number.h"

namespace {

using numtext::IsBlank;

// Characters that can belong to a real's syntax (decimal, hexadecimal,
// the words for infinity and NaN with their parenthesised tail).
inline bool MaybeNumberChar(char16_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '+' ||
         c == '-' || c == '.' || c == '_' || c == '(' || c == ')';
}

PlatformRealParse Convert(const char* p) { return PlatformTextToReal(p); }

// Wide text: the runtime reads bytes, so the run of characters that can
// belong to a number is narrowed first (nothing beyond it can be converted).
PlatformRealParse Convert(const char16_t* p) {
  Qword n = 0;
  while (MaybeNumberChar(p[n])) ++n;
  char local[256];
  char* narrow = local;
  if (n >= sizeof local) {
    narrow = static_cast<char*>(PlatformAlloc(static_cast<size_t>(n + 1)));
    if (!narrow) {  // no memory: read what the local buffer holds
      narrow = local;
      n = sizeof local - 1;
    }
  }
  for (Qword i = 0; i < n; ++i) narrow[i] = static_cast<char>(p[i]);
  narrow[n] = 0;
  const PlatformRealParse r = PlatformTextToReal(narrow);
  if (narrow != local) PlatformFree(narrow);
  return r;
}

template <class C>
double TextToReal(const C* text, NumStatus* status, Qword* consumed) {
  NumStatus st = status ? (*status & (NUM_PREFIXES | NUM_KEEPWRAPPED)) : 0;
  if (!text) {
    if (status) *status = st | NUM_UNDEFINED;
    return 0.0;
  }
  Qword start = 0;
  while (text[start] != 0 && IsBlank(text[start])) ++start;
  if (text[start] == 0) {
    if (status) *status = st | NUM_UNDEFINED;
    if (consumed) *consumed = 0;
    return ___NAN;
  }
  const PlatformRealParse r = Convert(text + start);
  double value = r.value;
  const Qword end = start + r.consumed;
  if (r.consumed == 0) {
    st |= NUM_UNDEFINED;
    value = ___NAN;
  } else if (std::fabs(value) == ___MaxReal || (r.range_error && std::isinf(value))) {
    // A text beyond the largest double reads as infinity; that is an overflow.
    st |= NUM_OVERFLOW;
  }
  if (text[end] != 0) st |= NUM_ILLEGALCHAR;
  if (consumed) *consumed = end;
  if (status) *status = st;
  return value;
}

template <class C>
Qword CountReals(const C* text, Qword* consumed) {
  Qword count = 0;
  Qword total = 0;
  if (text) {
    for (;;) {
      NumStatus st = 0;
      Qword used = 0;
      TextToReal(text + total, &st, &used);
      if (st & NUM_UNDEFINED) break;
      ++count;
      total += used;
    }
  }
  if (consumed) *consumed = total;
  return count;
}

}  // namespace

VELTRIA_API double StringToReal(const char16_t* text, NumStatus* status, Qword* consumed, Dword) {
  return TextToReal(text, status, consumed);
}
VELTRIA_API double StringToRealA(const char* text, NumStatus* status, Qword* consumed, Dword) {
  return TextToReal(text, status, consumed);
}
VELTRIA_API Qword NumberOfRealItemsInString(const char16_t* text, Qword* consumed) {
  return CountReals(text, consumed);
}
VELTRIA_API Qword NumberOfRealItemsInStringA(const char* text, Qword* consumed) {
  return CountReals(text, consumed);
}
