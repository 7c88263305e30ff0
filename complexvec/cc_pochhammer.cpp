// Rising and falling factorials of a complex value.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/real_helpers.h"

namespace {
bool IsFinite(COMPLEX z) { return !rIsNAN(z.re) && !rIsNAN(z.im); }

// z (z + 1) ... (z + count - 1). A zero or overflowed product stays zero or
// non-finite, so the loop stops there and a huge count cannot hang.
COMPLEX Rising(COMPLEX z, Qword count) {
  COMPLEX q = z;
  for (Qword j = 1; j < count; ++j) {
    q = q * (z + static_cast<double>(j));
    if ((q.re == 0 && q.im == 0) || !IsFinite(q)) break;
  }
  return q;
}
}  // namespace

COMPLEX ccPochhammerValue(COMPLEX z, Qlong n) {
  if (n == 0) return OneComplex;
  if (z.re == 0 && z.im == 0) return ZeroComplex;
  if (n == 1 || n == -1) return z;
  if (n > 0) return Rising(z, static_cast<Qword>(n));
  // The falling factorial from the rising one of -z; |n| = 2^63 included.
  const Qword count = Qword{0} - static_cast<Qword>(n);
  const COMPLEX q = Rising(-z, count);
  return (count & 1) ? -q : q;
}

VELTRIA_API COMPLEX* ccPochhammer(COMPLEX* z, Qlong n) {
  return ReplaceBy(z, ccPochhammerValue, n);
}
