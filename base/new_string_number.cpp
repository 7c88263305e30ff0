// New strings holding the text of the buffer writers, built in a local
// buffer first; the real forms cut their digit count to what fits there.
#include <cstring>

#include "base/memory.h"
#include "base/number_text.h"

namespace {

char16_t* NewText(const char16_t* text, Qword n) {
  Dword error = 0;
  char16_t* s = NewWordArrFill(&error, n + 1);
  if (s) std::memcpy(s, text, (n + 1) * sizeof(char16_t));
  return s;
}

char* NewText(const char* text, Qword n) {
  Dword error = 0;
  char* s = NewByteArrFill(&error, n + 1);
  if (s) std::memcpy(s, text, n + 1);
  return s;
}

}  // namespace

VELTRIA_API char16_t* NewStringFromDword(Dword v, Dword radix) {
  char16_t b[72];
  return NewText(b, DwordToBuffer(v, b, radix));
}
VELTRIA_API char16_t* NewStringFromLong(Long v, Dword radix) {
  char16_t b[72];
  return NewText(b, LongToBuffer(v, b, radix));
}
VELTRIA_API char16_t* NewStringFromQlong(Qlong v, Dword radix) {
  char16_t b[136];
  return NewText(b, QlongToBuffer(v, b, radix));
}
VELTRIA_API char16_t* NewStringFromQword(Qword v, Dword radix) {
  char16_t b[136];
  return NewText(b, QwordToBuffer(v, b, radix));
}
VELTRIA_API char16_t* NewStringFromReal(double x, Long digits, Dword radix) {
  char16_t b[104];
  return NewText(b, RealToBufferCapped(x, b, sizeof b / sizeof b[0], digits, radix));
}
VELTRIA_API char* NewStringFromDwordA(Dword v, Dword radix) {
  char b[80];
  return NewText(b, DwordToBufferA(v, b, radix));
}
VELTRIA_API char* NewStringFromLongA(Long v, Dword radix) {
  char b[80];
  return NewText(b, LongToBufferA(v, b, radix));
}
VELTRIA_API char* NewStringFromQlongA(Qlong v, Dword radix) {
  char b[144];
  return NewText(b, QlongToBufferA(v, b, radix));
}
VELTRIA_API char* NewStringFromQwordA(Qword v, Dword radix) {
  char b[144];
  return NewText(b, QwordToBufferA(v, b, radix));
}
VELTRIA_API char* NewStringFromRealA(double x, Long digits, Dword radix) {
  char b[112];
  return NewText(b, RealToBufferCappedA(x, b, sizeof b, digits, radix));
}
