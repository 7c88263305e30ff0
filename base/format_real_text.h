// Internal pieces shared by the formatter's converters of reals and complex
// values: field width and precision, non-numbers, the fixed-point digits and
// the matrix layout.
#pragma once
#include <cmath>

#include "base/format_engine.h"
#include "base/ieee.h"
#include "base/num_chars.h"
#include "base/real_digits.h"

namespace fmtreal {

template <class C>
inline Qword Width(const FormatSpecT<C>& spec, Qword fallback) {
  if (spec.width == -1) return fallback;
  const Qword w = static_cast<Dword>(spec.width);
  return w < kFormatMaxField ? w : kFormatMaxField;
}

template <class C>
inline Qlong Precision(const FormatSpecT<C>& spec) {
  if (spec.precision == -1) return 6;
  return spec.precision < static_cast<Qlong>(kFormatMaxField) ? spec.precision : kFormatMaxField;
}

// A value that is not a number is written as such, never as digits.
template <class C>
inline bool PutSpecial(double x, FormatSink<C>& out) {
  if (rIsPlsINF(x)) {
    out.PutAscii("+INF");
  } else if (rIsMnsINF(x)) {
    out.PutAscii("-INF");
  } else if (rIsNAN(x)) {
    out.PutAscii("NaN");
  } else {
    return false;
  }
  return true;
}

template <class C>
inline void PutDigits(numtext::RealDigits& gen, FormatSink<C>& out, Qlong n) {
  for (Qlong i = 0; i < n; ++i) out.Put(numtext::DigitChar<C>(gen.Next()));
}

// Fixed-point digits of a finite x with p places after the point.
template <class C>
inline void PutFixed(double x, Qlong p, FormatSink<C>& out) {
  Long k = 0;
  const double m = rMantissaAndExponent(x, &k, 10);
  if (x < 0) out.Put('-');
  numtext::RealDigits gen(x, 10, m, k, p + 18);
  k = gen.Exponent();
  if (k < 0) {
    out.Put('0');
    if (p > 0) {
      out.Put('.');
      const Qlong lead = -static_cast<Qlong>(k) - 1;
      const Qlong zeros = lead < p ? lead : p;
      out.Repeat('0', static_cast<Qword>(zeros));
      PutDigits(gen, out, p - zeros);
    }
  } else {
    PutDigits(gen, out, static_cast<Qlong>(k) + 1);
    if (p > 0) {
      out.Put('.');
      PutDigits(gen, out, p);
    }
  }
}

template <class C>
inline Qword RealG(double x, FormatSink<C>& out, Qword width, Qlong p) {
  const Qword start = out.Length();
  if (!PutSpecial(x, out)) PutFixed(x, p, out);
  out.PadFrom(start, width);
  return out.Length() - start;
}

// Most characters one matrix conversion may write. Every row costs at least
// its line feed and every element a character, so a shape is refused before
// anything is written when even that lower bound would pass the limit (a
// 4294967295 x 0 shape asked for four billion line feeds).
inline constexpr Qword kFormatMaxMatrixText = Qword{1} << 28;

// Rows start with a line feed, columns are separated by TAB; column-major.
template <class C, class T, class F>
inline Qword Matrix(const T* first, FormatSink<C>& out, const FormatSpecT<C>& spec, F element) {
  const Qword start = out.Length();
  const Qword per_row = spec.columns == 0 ? 1 : 2 * spec.columns;  // line feed or TAB + a digit
  if (spec.rows != 0 &&
      (spec.columns > kFormatMaxMatrixText || per_row > kFormatMaxMatrixText / spec.rows)) {
    out.Abandon();
    return 0;
  }
  for (Qword i = 0; i < spec.rows; ++i) {
    out.Put('\n');
    for (Qword j = 0; j < spec.columns; ++j) {
      if (j > 0) out.Put('\t');
      element(first + i + j * spec.rows, out, spec);
    }
  }
  return out.Length() - start;
}

}  // namespace fmtreal
