// Bounded addition, subtraction, multiplication, division and remainder.
#include <cmath>

#include "base/num_status.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"

namespace {

void Store(Long* status, NumStatus bits) {
  if (status) *status = static_cast<Long>(bits);
}

// A product or quotient of nonzero finite operands that still reached an
// infinity or an exact 0 (the logarithmic pre-tests round near the limits,
// and factors below ___MinReal skip them) saturates like a detected one.
double Saturate(double r, bool negative, NumStatus* bits) {
  if (std::isinf(r)) {
    *bits = NUM_OVERFLOW;
    return negative ? -___MaxReal : ___MaxReal;
  }
  if (r == 0) {
    *bits = NUM_UNDERFLOW;
    return negative ? -___MinReal : ___MinReal;
  }
  return r;
}

}  // namespace

VELTRIA_API double rBoundAdd(double a, double b, Long* status) {
  Store(status, 0);
  if (a == 0) return b;
  if (b == 0) return a;
  const bool negate = a < 0;
  if (negate) {
    a = -a;
    b = -b;
  }
  NumStatus bits = 0;
  double r;
  if (b < 0) {
    r = a + b;
    if (r == 0) bits = NUM_UNDERFLOW;
  } else if (b >= ___MaxReal - a) {
    r = ___MaxReal;
    bits = NUM_OVERFLOW;
  } else {
    r = a + b;
  }
  Store(status, bits);
  return negate ? -r : r;
}

VELTRIA_API double rBoundSub(double a, double b, Long* status) { return rBoundAdd(a, -b, status); }

VELTRIA_API double rBoundMul(double a, double b, Long* status) {
  Store(status, 0);
  if (a == 0 || b == 0) return 0;
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  const double large = fa > fb ? fa : fb;
  const double small = fa > fb ? fb : fa;
  const bool negative = (a < 0) != (b < 0);
  NumStatus bits = 0;
  double r;
  if (small > 1 && large > ___SqrtMaxReal && rLog(large) + rLog(small) > ___LnMaxReal) {
    r = negative ? -___MaxReal : ___MaxReal;
    bits = NUM_OVERFLOW;
  } else if (small <= 1 && large < 1 && small < ___SqrtMinReal &&
             rLog(large) + rLog(small) < ___LnMinReal) {
    r = negative ? -___MinReal : ___MinReal;
    bits = NUM_UNDERFLOW;
  } else {
    r = Saturate(a * b, negative, &bits);
  }
  Store(status, bits);
  return r;
}

VELTRIA_API double rBoundDiv(double a, double b, Long* status) {
  Store(status, 0);
  if (a == 0) return 0;
  if (b == 0) {
    Store(status, NUM_OVERFLOW);
    return a > 0 ? ___MaxReal : -___MaxReal;
  }
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  const bool negative = (a < 0) != (b < 0);
  NumStatus bits = 0;
  double r;
  if (fb >= 1 && fa < fb * ___MinReal) {
    r = negative ? -___MinReal : ___MinReal;
    bits = NUM_UNDERFLOW;
  } else if (fb < 1 && fa > fb * ___MaxReal) {
    r = negative ? -___MaxReal : ___MaxReal;
    bits = NUM_OVERFLOW;
  } else {
    r = Saturate(a / b, negative, &bits);
  }
  Store(status, bits);
  return r;
}

VELTRIA_API double rBoundMod(double a, double b, double* quotient, Long* status) {
  Store(status, 0);
  if (b == 0) return a;
  if (std::isnan(a) || std::isnan(b)) {
    if (quotient) *quotient = a + b;
    return a + b;
  }
  const double B = std::fabs(b);
  const double A = std::fabs(a);
  double R = A;
  double q = 0;
  if (B <= R) {
    q = rBoundDiv(R, B, nullptr);
    if (!(q + 0.5 > q)) {
      // The quotient has no integer resolution left.
      Store(status, NUM_PRECISIONLIM);
      R = 0;
    } else {
      // q < 2^52 is whole after the floor, and the remainder R - q B is a
      // double whenever q is the true quotient; the fused form gets it
      // exactly, so the correction below sees its true sign.
      q = rFloor(q);
      R = std::fma(-q, B, A);
      if (R < 0) {
        q -= 1;
        R = std::fma(-q, B, A);
      } else if (R >= B) {
        q += 1;
        R = std::fma(-q, B, A);
      }
    }
  }
  if (quotient) *quotient = a < 0 ? -q : q;
  return a < 0 ? -R : R;
}
