// The exponential integrals E1, En and Ein.
#include "scalar/elementary.h"
#include "scalar/error_functions.h"
#include "scalar/error_functions_internal.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kEulerGamma = 0.5772156649015329;
// Below x = 1 the upward recurrence from E1 serves orders up to here; above,
// the continued fraction converges in a few dozen steps for every x > 0.
constexpr Qword kRecurrenceMaxOrder = 32;
constexpr double kTiny = 1e-300;
}  // namespace

double EnContFrac(double x, Qword n) {
  const double nd = static_cast<double>(n);
  // Modified Lentz: finds how deep the fraction must go.
  double b = x + nd;
  double c = ___MaxReal;
  double d = 1 / b;
  int depth = 1;
  for (; depth < 1000; ++depth) {
    const double a = -depth * (nd - 1 + depth);
    b += 2;
    d = a * d + b;
    // Lentz's guards: a vanishing denominator is replaced by a tiny one.
    if (d == 0) d = kTiny;
    c = b + a / c;
    if (c == 0) c = kTiny;
    d = 1 / d;
    if (rAbs(c * d - 1) < ___EpsReal) break;
  }
  // The running product of Lentz's method gathers one rounding per step
  // (30 eps near x = 1); the same fraction evaluated backwards from a few
  // levels deeper holds to an ulp or two.
  double t = 0;
  for (int i = depth + 10; i >= 1; --i) t = -i * (nd - 1 + i) / (x + nd + 2 * i + t);
  return 1 / (x + nd + t);
}

// The power series alone loses all digits by cancellation for large x
// (wrong sign near 30, NaN at 800); from x = 1 the continued fraction of
// E_n with n = 1 takes over.
VELTRIA_API double rE_1(double x) {
  if (x != x) return x;  // rather than 1000 rounds of NaN
  if (x >= 1) {
    if (rIsPlsINF(x)) return 0;
    return EnContFrac(x, 1) * rExp(-x);
  }
  double t = -x;
  double s = -x;
  for (int k = 1; k < 1000;) {
    const double prev = t;
    const double kd = k;
    t *= -kd * x / ((kd + 1) * (kd + 1));
    s += t;
    ++k;
    if (rAbs(prev - t) < ___EpsReal) break;
  }
  return -kEulerGamma - rLog(x) - s;
}

VELTRIA_API double rEn(double x, Qword n) {
  if (x != x) return x;
  if (x <= 0) {
    if (x < 0) return ___NAN;
    return n > 1 ? 1 / static_cast<double>(n - 1) : ___PlsINF;
  }
  if (n == 0) return rExp(-x) / x;
  if (rIsPlsINF(x)) return 0;
  if (x < 1 && n <= kRecurrenceMaxOrder) {
    const double e = rExp(-x);
    double en = rE_1(x);
    for (Qword i = 1; i < n; ++i) en = (e - x * en) / static_cast<double>(i);
    return en;
  }
  return EnContFrac(x, n) * rExp(-x);
}

// The series runs until its partial sums repeat over a full period of the
// alternating signs. Once the terms leave the double range (x above about
// 720) the sums are no longer finite and never repeat: NaN then.
VELTRIA_API double rEinSeries(double x, Qword* count) {
  if (rIsNAN(x)) return ___NAN;
  double q = 1;
  double s = 1;
  // The sums one and two steps back; they start as 0 and -1.
  double back1 = 0;
  double back2 = -1;
  Qword k = 1;
  for (;;) {
    ++k;
    const double kd = static_cast<double>(k);
    q *= -x / kd;
    s += q / kd;
    if (s == back2) break;
    if (rIsNAN(s)) {
      if (count) *count = k - 1;
      return ___NAN;
    }
    back2 = back1;
    back1 = s;
  }
  if (count) *count = k - 1;
  return x * s;
}
