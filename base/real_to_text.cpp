// Real to text in radix 2 to 16 with a fixed count of digits, cut and never
// rounded: in radix 10 from the value's shortest exact text, in the other
// radices by the library's own loop over rMantissaAndExponent.
#include "base/ieee.h"
#include "base/num_chars.h"
#include "base/number_text.h"
#include "base/real_digits.h"

namespace {

using numtext::DigitChar;
using numtext::RealDigits;

// Digits a double holds in the radix: the largest n with radix^n <= 2^52,
// which is floor(-ln(eps) / ln(radix)) computed without rounding doubts.
Long DefaultDigits(Dword radix) {
  const Qword limit = Qword{1} << 52;
  Long n = 0;
  for (Qword p = radix; p <= limit; p *= radix) {
    ++n;
    if (p > limit / radix) break;
  }
  return n;
}

// Worst overhead around the digits: sign, point, exponent marker and a
// radix-2 exponent of sign and 11 digits.
constexpr Qword kOverhead = 15;

Qword WriteLong(Long v, char16_t* b, Dword radix) { return LongToBuffer(v, b, radix); }
Qword WriteLong(Long v, char* b, Dword radix) { return LongToBufferA(v, b, radix); }

template <class C>
Qword Put(C* buffer, Qword n, const char* text) {
  while (*text) buffer[n++] = static_cast<C>(*text++);
  buffer[n] = 0;
  return n;
}

template <class C>
Qword RealText(double x, C* buffer, Long digits, Dword radix) {
  if (rIsPlsINF(x)) return Put(buffer, 0, "+INF");
  if (rIsMnsINF(x)) return Put(buffer, 0, "-INF");
  if (rIsNAN(x)) return Put(buffer, 0, "NaN");
  if (radix < 2) return Put(buffer, 0, "");
  if (digits < 0) digits = 0;  // a negative count asks for nothing sensible: the default
  if (digits != 0 && rAbs(x) < ___MinReal) return Put(buffer, 0, "0");
  Long e = 0;
  const double m = rMantissaAndExponent(x, &e, radix);
  const Qlong n = digits != 0 ? digits : DefaultDigits(radix);
  Qword len = 0;
  if (m < 0) buffer[len++] = '-';
  RealDigits gen(x, radix, m, e, n);
  e = gen.Exponent();
  const Qlong ex = e;
  if (ex < -3 || ex >= n) {
    buffer[len++] = DigitChar<C>(gen.Next());
    buffer[len++] = '.';
    for (Qlong i = 1; i < n; ++i) buffer[len++] = DigitChar<C>(gen.Next());
    if (ex > -4951) {
      buffer[len++] = radix == 10 ? 'e' : '_';
      len += WriteLong(e, buffer + len, radix);
    }
  } else if (ex < 0) {
    buffer[len++] = '0';
    buffer[len++] = '.';
    for (Qlong i = 0; i < -ex - 1; ++i) buffer[len++] = '0';
    for (Qlong i = 0; i < n; ++i) buffer[len++] = DigitChar<C>(gen.Next());
  } else {
    for (Qlong i = 0; i < n; ++i) {
      buffer[len++] = DigitChar<C>(gen.Next());
      if (i == ex) buffer[len++] = '.';
    }
  }
  buffer[len] = 0;
  return len;
}

template <class C>
Qword RealTextCapped(double x, C* buffer, Qword capacity, Long digits, Dword radix) {
  if (capacity == 0) return 0;
  // Digits 0 keeps its own meaning (zero then prints with all its places).
  const Long wanted = digits > 0 ? digits : (radix >= 2 ? DefaultDigits(radix) : 1);
  C local[kOverhead + 2 + 1];
  if (capacity <= kOverhead + 1) {
    // Too small for even one digit with every decoration: write one digit
    // into a local buffer and keep what fits.
    const Qword n = RealText(x, local, 1, radix);
    const Qword keep = n < capacity - 1 ? n : capacity - 1;
    for (Qword i = 0; i < keep; ++i) buffer[i] = local[i];
    buffer[keep] = 0;
    return keep;
  }
  const Qword fit = capacity - kOverhead - 1;
  if (static_cast<Qword>(wanted) > fit) digits = static_cast<Long>(fit);
  return RealText(x, buffer, digits, radix);
}

}  // namespace

VELTRIA_API Qword RealToBuffer(double x, char16_t* b, Long digits, Dword radix) {
  return RealText(x, b, digits, radix);
}
VELTRIA_API Qword RealToBufferA(double x, char* b, Long digits, Dword radix) {
  return RealText(x, b, digits, radix);
}
Qword RealToBufferCapped(double x, char16_t* b, Qword capacity, Long digits, Dword radix) {
  return RealTextCapped(x, b, capacity, digits, radix);
}
Qword RealToBufferCappedA(double x, char* b, Qword capacity, Long digits, Dword radix) {
  return RealTextCapped(x, b, capacity, digits, radix);
}
