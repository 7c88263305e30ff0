// The quarter period K(m) to about 32 digits, by the arithmetic-geometric
// mean in double-double arithmetic. A Jacobi argument u of n periods carries
// n times the error of K into the reduced argument; with K to double
// precision that alone would cost n ulp of absolute accuracy.
#include <cmath>

#include "scalar/elliptic_internal.h"
#include "scalar/real_helpers.h"

namespace {

struct DD {
  double hi;
  double lo;
};

DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

DD QuickTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

DD TwoProd(double a, double b) {
  const double p = a * b;
  return {p, std::fma(a, b, -p)};
}

DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  return QuickTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

DD Mul(DD a, DD b) {
  DD p = TwoProd(a.hi, b.hi);
  return QuickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// One Newton step on the double square root doubles its digits.
DD Sqrt(DD a) {
  const double s = std::sqrt(a.hi);
  if (s == 0) return {0, 0};
  const DD p = TwoProd(s, s);
  const double r = ((a.hi - p.hi) - p.lo) + a.lo;
  return QuickTwoSum(s, r / (2 * s));
}

DD Div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  const DD p = Mul({q1, 0}, b);
  const DD r = Add(a, {-p.hi, -p.lo});
  return QuickTwoSum(q1, r.hi / b.hi);
}

}  // namespace

QuarterPeriod JacobiQuarterPeriod(double m) {
  if (!(m < 1)) return {m == 1 ? ___PlsINF : ___NAN, 0};
  const DD half_pi = {1.5707963267948966, 6.123233995736766e-17};
  DD a = {1, 0};
  DD b = Sqrt(TwoSum(1, -m));  // 1 - m exactly as a pair
  // Quadratic convergence: once the doubles agree to 2^-52, two more steps
  // leave the difference far below the pair's precision.
  int extra = 2;
  for (int i = 0; i < 64 && extra > 0; ++i) {
    if (std::fabs(a.hi - b.hi) <= 0x1p-52 * a.hi) --extra;
    const DD an = Mul(Add(a, b), {0.5, 0});
    b = Sqrt(Mul(a, b));
    a = an;
  }
  const DD k = Div(half_pi, a);
  return {k.hi, k.lo};
}
