// Writers of pointers, byte counts with binary units, and booleans.
#include "base/num_chars.h"
#include "base/number_text.h"

namespace {

using numtext::WriteMagnitude;

template <class C>
Qword Append(C* buffer, Qword n, const char* text) {
  while (*text) buffer[n++] = static_cast<C>(*text++);
  buffer[n] = 0;
  return n;
}

template <class C>
Qword Pointer(Qword v, C* buffer) {
  if (v == 0) return Append(buffer, 0, "NULL");
  if (v == ~Qword{0}) return Append(buffer, 0, "INVALID");
  Qword n = Append(buffer, 0, "0x");
  n += WriteMagnitude(v, buffer + n, 16);
  buffer[n] = 0;
  return n;
}

// The count is shown in the largest binary unit that keeps at least 16 K of
// it, with '+' when the shifts dropped bits.
template <class C>
Qword Kmg(C* buffer, Qword count, Dword detail) {
  Qword reduced = count;
  int shifts = 0;
  while (reduced > 16383) {
    reduced >>= 10;
    ++shifts;
  }
  Qword n = WriteMagnitude(reduced, buffer, 10);
  if (shifts > 0) {
    buffer[n++] = ' ';
    buffer[n++] = static_cast<C>(" KMGTPE "[shifts]);
    if ((reduced << (10 * shifts)) != count) buffer[n++] = '+';
  }
  if ((detail & 0xFF) != 0) {
    n = Append(buffer, n, " [");
    n += WriteMagnitude(count, buffer + n, 10);
    buffer[n++] = ']';
  }
  buffer[n] = 0;
  return n;
}

template <class C>
Qword Bool(Dword flag, C* buffer) {
  return Append(buffer, 0, (flag & 0xFF) ? "true" : "false");
}

}  // namespace

VELTRIA_API Qword PointerToBuffer(Qword v, char16_t* b) { return Pointer(v, b); }
VELTRIA_API Qword PointerToBufferA(Qword v, char* b) { return Pointer(v, b); }
VELTRIA_API Qword QwordToKMGbuffer(char16_t* b, Qword count, Dword detail) {
  return Kmg(b, count, detail);
}
VELTRIA_API Qword QwordToKMGbufferA(char* b, Qword count, Dword detail) {
  return Kmg(b, count, detail);
}
VELTRIA_API Qword BoolToBuffer(Dword flag, char16_t* b) { return Bool(flag, b); }
VELTRIA_API Qword BoolToBufferA(Dword flag, char* b) { return Bool(flag, b); }
