// Integer writers in radix 2 to 16: digits without leading zeros, a '-'
// for negative values, no '+'.
#include "base/num_chars.h"
#include "base/number_text.h"

namespace {

using numtext::WriteMagnitude;

// A radix below 2 gives the empty text (the buffer always holds a terminator).
template <class C>
Qword Unsigned(Qword v, C* buffer, Dword radix) {
  Qword n = 0;
  if (v == 0) {
    buffer[n++] = '0';
  } else if (radix >= 2) {
    n = WriteMagnitude(v, buffer, radix);
  }
  buffer[n] = 0;
  return n;
}

template <class C>
Qword Signed(Qlong v, C* buffer, Dword radix, bool zero_first) {
  Qword n = 0;
  if (zero_first && v == 0) {
    buffer[n++] = '0';
  } else if (radix >= 2) {
    Qword magnitude = static_cast<Qword>(v);
    if (v < 0) {
      buffer[n++] = '-';
      magnitude = Qword{0} - magnitude;
    }
    n += WriteMagnitude(magnitude, buffer + n, radix);
  }
  buffer[n] = 0;
  return n;
}

}  // namespace

VELTRIA_API Qword DwordToBuffer(Dword v, char16_t* b, Dword r) { return Unsigned(v, b, r); }
VELTRIA_API Qword QwordToBuffer(Qword v, char16_t* b, Dword r) { return Unsigned(v, b, r); }
VELTRIA_API Qword LongToBuffer(Long v, char16_t* b, Dword r) { return Signed(v, b, r, true); }
VELTRIA_API Qword QlongToBuffer(Qlong v, char16_t* b, Dword r) { return Signed(v, b, r, false); }
VELTRIA_API Qword DwordToBufferA(Dword v, char* b, Dword r) { return Unsigned(v, b, r); }
VELTRIA_API Qword QwordToBufferA(Qword v, char* b, Dword r) { return Unsigned(v, b, r); }
VELTRIA_API Qword LongToBufferA(Long v, char* b, Dword r) { return Signed(v, b, r, true); }
VELTRIA_API Qword QlongToBufferA(Qlong v, char* b, Dword r) { return Signed(v, b, r, false); }
