// The formatter's converters of reals and real matrices: a fixed-point form
// (g) and an exponent form (e, f), digits cut by the library's digit loop.
#include <cmath>

#include "base/format_engine.h"
#include "base/num_chars.h"
#include "base/real_digits.h"
#include "scalar/real_helpers.h"

namespace {

using numtext::DigitChar;
using numtext::MantissaDigits;

template <class C>
Qword Width(const FormatSpecT<C>& spec, Qword fallback) {
  if (spec.width == -1) return fallback;
  const Qword w = static_cast<Dword>(spec.width);
  return w < kFormatMaxField ? w : kFormatMaxField;
}

template <class C>
Qlong Precision(const FormatSpecT<C>& spec) {
  if (spec.precision == -1) return 6;
  return spec.precision < static_cast<Qlong>(kFormatMaxField) ? spec.precision : kFormatMaxField;
}

// A value that is not a number is written as such, never as digits.
template <class C>
bool PutSpecial(double x, FormatSink<C>& out) {
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
void PutDigits(MantissaDigits& gen, FormatSink<C>& out, Qlong n) {
  for (Qlong i = 0; i < n; ++i) out.Put(DigitChar<C>(gen.Next()));
}

// Fixed-point digits of a finite x with p places after the point.
template <class C>
void PutFixed(double x, Qlong p, FormatSink<C>& out) {
  Long k = 0;
  double m = rMantissaAndExponent(x, &k, 10);
  if (x < 0) {
    out.Put('-');
    m = -m;
  }
  MantissaDigits gen(m, 10);
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
Qword RealG(double x, FormatSink<C>& out, Qword width, Qlong p) {
  const Qword start = out.Length();
  if (!PutSpecial(x, out)) PutFixed(x, p, out);
  out.PadFrom(start, width);
  return out.Length() - start;
}

template <class C>
Qword RealEF(double x, FormatSink<C>& out, const FormatSpecT<C>& spec) {
  // The wide form writes values below 10 in magnitude in the fixed form.
  if (sizeof(C) == 2 && std::fabs(x) < 10) return RealG(x, out, Width(spec, 1), Precision(spec));
  const Qword start = out.Length();
  if (!PutSpecial(x, out)) {
    Long k = 0;
    double m = rMantissaAndExponent(x, &k, 10);
    if (x == 0) k = 0;  // the zero marker is no decimal exponent
    if (x < 0) {
      out.Put('-');
      m = -m;
    }
    MantissaDigits gen(m, 10);
    const Qlong p = Precision(spec);
    const Qlong n = p < 1 ? 1 : p;  // at least one digit, and no point for one
    out.Put(DigitChar<C>(gen.Next()));
    if (n > 1) {
      out.Put('.');
      PutDigits(gen, out, n - 1);
    }
    if (k != 0) {
      out.Put('e');
      out.Put(k > 0 ? '+' : '-');
      C digits[16];
      const Qword len = numtext::WriteMagnitude(
          static_cast<Qword>(k > 0 ? k : -static_cast<Qlong>(k)), digits, 10);
      out.Put(digits, len);
    }
  }
  out.PadFrom(start, Width(spec, 1));
  return out.Length() - start;
}

// Rows start with a line feed, columns are separated by TAB; column-major.
template <class C, class T, class F>
Qword Matrix(const T* first, FormatSink<C>& out, const FormatSpecT<C>& spec, F element) {
  const Qword start = out.Length();
  for (Qword i = 0; i < spec.rows; ++i) {
    out.Put('\n');
    for (Qword j = 0; j < spec.columns; ++j) {
      if (j > 0) out.Put('\t');
      element(first + i + j * spec.rows, out, spec);
    }
  }
  return out.Length() - start;
}

}  // namespace

template <class C>
Qword FormatRealG(const double* value, FormatSink<C>& out, const FormatSpecT<C>& spec) {
  return RealG(*value, out, Width(spec, 1), Precision(spec));
}

template <class C>
Qword FormatRealEF(const double* value, FormatSink<C>& out, const FormatSpecT<C>& spec) {
  return RealEF(*value, out, spec);
}

template <class C>
Qword FormatRealMatrixG(const double* first, FormatSink<C>& out, const FormatSpecT<C>& spec) {
  return Matrix(first, out, spec, FormatRealG<C>);
}

template <class C>
Qword FormatRealMatrixE(const double* first, FormatSink<C>& out, const FormatSpecT<C>& spec) {
  return Matrix(first, out, spec, FormatRealEF<C>);
}

template <class C>
Qword FormatComplex(const FormatComplexValue* value, FormatSink<C>& out,
                    const FormatSpecT<C>& spec) {
  const Qword start = out.Length();
  const Qlong p = Precision(spec);
  RealG(value->re, out, 1, p);
  const double im = value->im;
  out.Put(' ');
  out.Put(im < 0 ? '-' : '+');
  if (std::isnan(im)) {
    out.PutAscii("NaN");
  } else if (std::isinf(im)) {
    out.PutAscii("INF");  // the sign is already written
  } else {
    PutFixed(std::fabs(im), p, out);
  }
  out.PutAscii("*i");
  out.PadFrom(start, Width(spec, 2));
  return out.Length() - start;
}

template <class C>
Qword FormatComplexMatrix(const FormatComplexValue* first, FormatSink<C>& out,
                          const FormatSpecT<C>& spec) {
  return Matrix(first, out, spec, FormatComplex<C>);
}

#define VELTRIA_FORMAT_REAL_INSTANCES(C)                                                     \
  template Qword FormatRealG<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&);       \
  template Qword FormatRealEF<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&);      \
  template Qword FormatRealMatrixG<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&); \
  template Qword FormatRealMatrixE<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&); \
  template Qword FormatComplex<C>(const FormatComplexValue*, FormatSink<C>&,                 \
                                  const FormatSpecT<C>&);                                    \
  template Qword FormatComplexMatrix<C>(const FormatComplexValue*, FormatSink<C>&,           \
                                        const FormatSpecT<C>&);
VELTRIA_FORMAT_REAL_INSTANCES(char)
VELTRIA_FORMAT_REAL_INSTANCES(char16_t)
