// "(re, im)" into a buffer and to the console.
#include "base/console_out.h"
#include "base/number_text.h"
#include "complexvec/complex_text.h"

namespace {

inline Qword WriteReal(double x, char16_t* b, Long digits) {
  return RealToBuffer(x, b, digits, 10);
}
inline Qword WriteReal(double x, char* b, Long digits) { return RealToBufferA(x, b, digits, 10); }
inline Qword WriteRealCapped(double x, char16_t* b, Qword room, Long digits) {
  return RealToBufferCapped(x, b, room, digits, 10);
}
inline Qword WriteRealCapped(double x, char* b, Qword room, Long digits) {
  return RealToBufferCappedA(x, b, room, digits, 10);
}
inline void Write(const char16_t* a, const char16_t* b, const char16_t* c) { Cout(a, b, c); }
inline void Write(const char* a, const char* b, const char* c) { CoutA(a, b, c); }

// The template "(/, /)": its characters are copied, each '/' becomes the
// next part. room is the capacity of each number with its terminator (0:
// unbounded, the caller's buffer is large enough).
template <class C>
Qword Format(const COMPLEX& z, C* buffer, Long digits, Qword room) {
  static constexpr char kTemplate[] = "(/, /)";
  const double parts[2] = {z.re, z.im};
  Qword len = 0;
  int k = 0;
  for (const char* t = kTemplate; *t; ++t) {
    if (*t != '/') {
      buffer[len++] = static_cast<C>(*t);
      continue;
    }
    const double x = parts[k++];
    len +=
        room ? WriteRealCapped(x, buffer + len, room, digits) : WriteReal(x, buffer + len, digits);
  }
  buffer[len] = 0;
  return len;
}

// A fixed local buffer; each number gets half of what the decoration
// leaves, so any digit count fits (a large one is cut to the room).
constexpr Qword kCoutRoom = 200;
constexpr Qword kPartRoom = (kCoutRoom - 5) / 2;

template <class C>
void CoutValue(const C* prefix, const COMPLEX* z, const C* suffix, Long digits) {
  C text[kCoutRoom];
  text[0] = 0;
  if (z) Format(*z, text, digits, kPartRoom);
  Write(prefix, text, suffix);
}

template <class C>
Qword ToBuffer(const COMPLEX* z, C* buffer, Long digits) {
  if (!buffer) return 0;
  if (!z) {
    buffer[0] = 0;
    return 0;
  }
  return Format(*z, buffer, digits, 0);
}

}  // namespace

VELTRIA_API Qword ComplexToBuffer(const COMPLEX* z, char16_t* buffer, Long digits) {
  return ToBuffer(z, buffer, digits);
}
VELTRIA_API Qword ComplexToBufferA(const COMPLEX* z, char* buffer, Long digits) {
  return ToBuffer(z, buffer, digits);
}

VELTRIA_API void CoutComplex(const char16_t* prefix, const COMPLEX* z, const char16_t* suffix,
                             Long digits) {
  CoutValue(prefix, z, suffix, digits);
}
VELTRIA_API void CoutComplexA(const char* prefix, const COMPLEX* z, const char* suffix,
                              Long digits) {
  CoutValue(prefix, z, suffix, digits);
}
