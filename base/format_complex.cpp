// The formatter's converters of complex values and complex matrices: the
// real part, a blank, the signed imaginary magnitude and "*i".
#include "base/format_real_text.h"

using namespace fmtreal;

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

#define VELTRIA_FORMAT_COMPLEX_INSTANCES(C)                                        \
  template Qword FormatComplex<C>(const FormatComplexValue*, FormatSink<C>&,       \
                                  const FormatSpecT<C>&);                          \
  template Qword FormatComplexMatrix<C>(const FormatComplexValue*, FormatSink<C>&, \
                                        const FormatSpecT<C>&);
VELTRIA_FORMAT_COMPLEX_INSTANCES(char)
VELTRIA_FORMAT_COMPLEX_INSTANCES(char16_t)
