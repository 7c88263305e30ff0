// The formatter's converters of reals and real matrices: a fixed-point form
// (g) and an exponent form (e, f), digits cut (never rounded) from the value's
// shortest exact text.
#include "base/format_real_text.h"

namespace {

using namespace fmtreal;

template <class C>
Qword RealEF(double x, FormatSink<C>& out, const FormatSpecT<C>& spec) {
  // The wide form writes values below 10 in magnitude in the fixed form.
  if (sizeof(C) == 2 && std::fabs(x) < 10) return RealG(x, out, Width(spec, 1), Precision(spec));
  const Qword start = out.Length();
  if (!PutSpecial(x, out)) {
    Long k = 0;
    const double m = rMantissaAndExponent(x, &k, 10);
    if (x < 0) out.Put('-');
    numtext::RealDigits gen(x, 10, m, k, Precision(spec) + 1);
    k = gen.Exponent();
    if (x == 0) k = 0;  // the zero marker is no decimal exponent
    const Qlong p = Precision(spec);
    const Qlong n = p < 1 ? 1 : p;  // at least one digit, and no point for one
    out.Put(numtext::DigitChar<C>(gen.Next()));
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

#define VELTRIA_FORMAT_REAL_INSTANCES(C)                                                     \
  template Qword FormatRealG<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&);       \
  template Qword FormatRealEF<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&);      \
  template Qword FormatRealMatrixG<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&); \
  template Qword FormatRealMatrixE<C>(const double*, FormatSink<C>&, const FormatSpecT<C>&);
VELTRIA_FORMAT_REAL_INSTANCES(char)
VELTRIA_FORMAT_REAL_INSTANCES(char16_t)
