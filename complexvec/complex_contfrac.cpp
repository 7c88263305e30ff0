// Complex continued fractions by the fundamental recurrences.
#include "base/error_codes.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_tools.h"
#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"

namespace {

struct History {
  COMPLEX h0, h1, h2;
};

// Sentinels that no ordinary value matches; the C-type form starts its
// imaginary history at zero.
History StartHistory(bool imaginary_sentinels) {
  if (imaginary_sentinels)
    return {ZeroComplex, COMPLEX(___SqrtMaxReal, ___Root3MaxReal),
            COMPLEX(-___Root3MaxReal, -___SqrtMaxReal)};
  return {ZeroComplex, COMPLEX(___SqrtMaxReal, 0.0), COMPLEX(-___Root3MaxReal, 0.0)};
}

// The common loop. coef(k, &a_k) returns b_k. The value tested is the one
// before step i; the test runs only when min_steps is not 0.
template <class Coef>
LibErrorCode RunContFrac(COMPLEX b0, COMPLEX* value, Coef coef, const COMPLEX* tail,
                         COMPLEX* approximants, Qword limit, Qword min_steps, History h) {
  COMPLEX a2(1.0, 0.0), b2(0.0, 0.0);  // A(k-2), B(k-2)
  COMPLEX a1 = b0, b1(1.0, 0.0);       // A(k-1), B(k-1)
  *value = b0;
  if (approximants) approximants[0] = b0;
  const bool test = min_steps != 0;
  for (Qword i = 1; i != 0; ++i) {
    if (i > limit) return test ? LibErrorCode{kErrTooManyIterations} : 0;
    if (test && i > min_steps && cConvergenceTest3(*value, &h.h0, &h.h1, &h.h2, ___5EpsReal))
      return 0;
    COMPLEX ak;
    const COMPLEX bk = coef(i, &ak);
    COMPLEX a0 = bk * a1 + ak * a2;
    COMPLEX b0k = bk * b1 + ak * b2;
    const double m = cAbs(b0k);
    // Rescaling leaves every approximant as it is; a zero B(k) (an
    // infinite approximant) is left alone, since scaling by the infinite
    // inverse would turn every later approximant into NaN.
    if ((m > 1e10 || m < 1e-10) && m != 0) {
      const double r = rSafeInv(m);
      a2 *= r;
      a1 *= r;
      a0 *= r;
      b2 *= r;
      b1 *= r;
      b0k *= r;
    }
    const COMPLEX v = tail ? (a0 + *tail * a1) / (b0k + *tail * b1) : a0 / b0k;
    *value = v;
    if (approximants) approximants[i] = v;
    a2 = a1;
    a1 = a0;
    b2 = b1;
    b1 = b0k;
  }
  return 0;  // the counter wrapped
}

}  // namespace

VELTRIA_API LibErrorCode cContFrac(COMPLEX, COMPLEX* value, Qword n, const COMPLEX* a,
                                   const COMPLEX* b, COMPLEX* approximants, Qword max_steps,
                                   Qword min_steps) {
  if (!value) return kErrIllegalArgument;
  const COMPLEX b0 = b ? b[0] : OneComplex;
  if (n == 0) {
    *value = b0;
    return 0;
  }
  const Qword limit = max_steps >= n ? n - 1 : max_steps;
  auto coef = [a, b](Qword k, COMPLEX* ak) {
    *ak = a ? a[k] : OneComplex;
    return b ? b[k] : OneComplex;
  };
  return RunContFrac(b0, value, coef, a, approximants, limit, min_steps, StartHistory(true));
}

VELTRIA_API LibErrorCode cContFracCoefFunc(COMPLEX x, COMPLEX* value, CContFracCoefFunction f,
                                           COMPLEX* approximants, Qword max_steps,
                                           Qword min_steps) {
  if (!f || !value) return kErrIllegalArgument;
  // The numerator stored by the k = 0 call is overwritten by b0.
  const COMPLEX b0 = f(0, x, value);
  auto coef = [f, x](Qword k, COMPLEX* ak) { return f(k, x, ak); };
  return RunContFrac(b0, value, coef, nullptr, approximants, max_steps, min_steps,
                     StartHistory(true));
}

VELTRIA_API LibErrorCode cContFracCtype(COMPLEX x, COMPLEX* value, Qword, COMPLEX b0,
                                        const COMPLEX* c, const Qlong* e, COMPLEX* approximants,
                                        Qword max_steps, Qword min_steps) {
  if (!value || !c) return kErrIllegalArgument;
  auto coef = [x, c, e](Qword k, COMPLEX* ak) {
    *ak = e ? c[k] * ccPowerSignedValue(x, e[k]) : c[k] * x;
    return OneComplex;
  };
  return RunContFrac(b0, value, coef, nullptr, approximants, max_steps, min_steps,
                     StartHistory(false));
}
