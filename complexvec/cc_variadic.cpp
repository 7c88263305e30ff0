// Variadic sums and products of complex values, directly or through a
// caller's function, and the reciprocal of the sum of reciprocals.
#include <cstdarg>

#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"

namespace {
// The first value starts the fold, so one value comes back bit for bit.
template <class Op, class Map>
COMPLEX Fold(COMPLEX empty, Qword count, va_list ap, Op op, Map map) {
  if (count == 0) return empty;
  COMPLEX r = map(ComplexFromPlain(va_arg(ap, ComplexPlain)));
  for (Qword i = 1; i < count; ++i) r = op(r, map(ComplexFromPlain(va_arg(ap, ComplexPlain))));
  return r;
}
COMPLEX Add(COMPLEX a, COMPLEX b) { return a + b; }
COMPLEX Mul(COMPLEX a, COMPLEX b) { return a * b; }
COMPLEX Same(COMPLEX z) { return z; }
}  // namespace

VELTRIA_API COMPLEX* ccVaSum(COMPLEX* result, Qword count, ...) {
  va_list ap;
  va_start(ap, count);
  const COMPLEX r = Fold(ZeroComplex, count, ap, Add, Same);
  va_end(ap);
  if (result) *result = r;
  return result;
}

VELTRIA_API COMPLEX* ccVaProduct(COMPLEX* result, Qword count, ...) {
  va_list ap;
  va_start(ap, count);
  const COMPLEX r = Fold(OneComplex, count, ap, Mul, Same);
  va_end(ap);
  if (result) *result = r;
  return result;
}

// A missing function gives no value.
VELTRIA_API COMPLEX* ccVaSumFunc(COMPLEX* result, Qword count, CFunction f, ...) {
  va_list ap;
  va_start(ap, f);
  const COMPLEX r = f ? Fold(ZeroComplex, count, ap, Add, f) : NanComplex;
  va_end(ap);
  if (result) *result = r;
  return result;
}

VELTRIA_API COMPLEX* ccVaProductFunc(COMPLEX* result, Qword count, CFunction f, ...) {
  va_list ap;
  va_start(ap, f);
  const COMPLEX r = f ? Fold(OneComplex, count, ap, Mul, f) : NanComplex;
  va_end(ap);
  if (result) *result = r;
  return result;
}

// A zero value makes the result 0 at once; no value gives 1/(0, 0).
VELTRIA_API COMPLEX* ccVaSumInv(COMPLEX* result, Qword count, ...) {
  va_list ap;
  va_start(ap, count);
  COMPLEX sum = ZeroComplex;
  bool zero = false;
  for (Qword i = 0; i < count; ++i) {
    const COMPLEX v = ComplexFromPlain(va_arg(ap, ComplexPlain));
    if (cAbs(v) == 0) {
      zero = true;
      break;
    }
    sum += 1.0 / v;
  }
  va_end(ap);
  if (result) *result = zero ? ZeroComplex : 1.0 / sum;
  return result;
}
