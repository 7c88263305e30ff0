// The formatter's converters of integers, pointers and rationals: decimal
// digits whatever the letter; width, precision and flag are not read.
#include "base/format_engine.h"
#include "base/num_chars.h"
#include "base/number_text.h"

namespace {

template <class C>
Qword PutMagnitude(Qword v, FormatSink<C>& out) {
  C digits[24];
  const Qword n = numtext::WriteMagnitude(v, digits, 10);
  out.Put(digits, n);
  return n;
}

Qword Magnitude(Qlong v) {
  return v < 0 ? Qword{0} - static_cast<Qword>(v) : static_cast<Qword>(v);
}

}  // namespace

template <class C>
Qword FormatPointer(const Qword* value, FormatSink<C>& out, const FormatSpecT<C>&) {
  C text[24];
  Qword n;
  if constexpr (sizeof(C) == 2) {
    n = PointerToBuffer(*value, text);
  } else {
    n = PointerToBufferA(*value, text);
  }
  out.Put(text, n);
  return n;
}

template <class C>
Qword FormatSigned(const Qlong* value, FormatSink<C>& out, const FormatSpecT<C>&) {
  Qword n = 0;
  if (*value < 0) {
    out.Put('-');
    n = 1;
  }
  return n + PutMagnitude(Magnitude(*value), out);
}

template <class C>
Qword FormatUnsigned(const Qword* value, FormatSink<C>& out, const FormatSpecT<C>&) {
  return PutMagnitude(*value, out);
}

// A sign column ("-" or nothing), a blank, the numerator, " / " and the
// denominator, both as magnitudes.
template <class C>
Qword FormatRational(const Qrat* value, FormatSink<C>& out, const FormatSpecT<C>&) {
  const Qword start = out.Length();
  const Qlong a = value->numerator;
  const Qlong b = value->denominator;
  // A negative numerator over a zero denominator keeps its sign in the
  // column rather than falling through every case.
  const bool negative = (a < 0 && b >= 0) || (a > 0 && b < 0);
  if (negative) out.Put('-');
  out.Put(' ');
  PutMagnitude(Magnitude(a), out);
  out.PutAscii(" / ");
  if (a == 0 && b < 0) out.Put('-');  // zero over a negative count: shown as it is
  PutMagnitude(Magnitude(b), out);
  return out.Length() - start;
}

#define VELTRIA_FORMAT_INT_INSTANCES(C)                                                  \
  template Qword FormatPointer<C>(const Qword*, FormatSink<C>&, const FormatSpecT<C>&);  \
  template Qword FormatSigned<C>(const Qlong*, FormatSink<C>&, const FormatSpecT<C>&);   \
  template Qword FormatUnsigned<C>(const Qword*, FormatSink<C>&, const FormatSpecT<C>&); \
  template Qword FormatRational<C>(const Qrat*, FormatSink<C>&, const FormatSpecT<C>&);
VELTRIA_FORMAT_INT_INSTANCES(char)
VELTRIA_FORMAT_INT_INSTANCES(char16_t)
