// Inline bodies of rHypot and rGivensRotation for the library's own inner
// loops (the SVD's QR sweeps, the QL iteration), where a call through the
// shared library's symbol table per rotation is measurable. The exported
// functions use the same bodies, so both give the same bits.
#pragma once
#include <cmath>
#include <limits>

namespace scalar {

// The larger of two values, a NaN ignored: std::fmax on the non-negative
// values it is used for here, without the library call.
inline double MaxIgnoringNaN(double a, double b) { return (a >= b || b != b) ? a : b; }

inline double HypotInline(double a, double b) {
  a = std::fabs(a);
  b = std::fabs(b);
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (a == kInf || b == kInf) return kInf;
  double big = a, small = b;  // a NaN stays in one of them
  if (b > a) {
    big = b;
    small = a;
  }
  if (big == 0) return big + small;  // 0, or NaN when small is NaN
  const double q = small / big;
  const double c = q * q;
  if (q < 1e-3) return big * (1 + c * (0.5 + c * (c / 16 - 0.125)));
  return big * std::sqrt(1 + c);
}

// rHypot(1, q) for 0 <= q <= 1 or a NaN q >= 0: the big side 1 multiplies
// nothing, and a NaN passes through as it does there (the compiler may
// square q's source instead of q, which would give a NaN its sign back).
inline double SmallHypot(double q) {
  if (q != q) return q;
  const double c = q * q;
  if (q < 1e-3) return 1 + c * (0.5 + c * (c / 16 - 0.125));
  return std::sqrt(1 + c);
}

// c = a/(m d), s = b/(m d), r = m d with m = max(|a|, |b|) and d the
// hypotenuse of (a/m, b/m). For finite m the larger of a/m and b/m is +-1
// exactly and the hypotenuse's own quotient is the smaller one unchanged,
// so two of the five divisions are skipped without changing a bit.
inline void GivensRotationInline(double* a, double* b, double* c, double* s) {
  const double fa = std::fabs(*a), fb = std::fabs(*b);
  const double m = MaxIgnoringNaN(fa, fb);
  double r = 0;
  if (m > 0) {
    double x, y, d;
    if (m < std::numeric_limits<double>::infinity() && fa == m) {
      x = std::copysign(1.0, *a);
      y = *b / m;
      const double q = std::fabs(y);  // rHypot(x, y): big 1, small |y|
      d = SmallHypot(q);
    } else if (m < std::numeric_limits<double>::infinity() && fb == m) {
      x = *a / m;
      y = std::copysign(1.0, *b);
      const double q = std::fabs(x);
      d = SmallHypot(q);
    } else {
      x = *a / m;
      y = *b / m;
      d = HypotInline(x, y);
    }
    *c = x / d;
    *s = y / d;
    r = m * d;
  } else {
    *c = 1;
    *s = 0;
  }
  *a = r;
  *b = 0;
}

}  // namespace scalar
