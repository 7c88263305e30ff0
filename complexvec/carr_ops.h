// The loops of the complex vector kernels, shared by the exported CArr
// functions and the decomposition so both run one body. Each element sees
// the operations of the textbook formula in index order.
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

namespace carr {

// y[i] += a*x[i].
inline void Axpy(Qword n, COMPLEX a, const COMPLEX* x, COMPLEX* y) {
  for (Qword i = 0; i < n; ++i) y[i] = y[i] + a * x[i];
}

// dst[i] = a*src[i]; dst may be src.
inline void Scale(Qword n, COMPLEX a, const COMPLEX* src, COMPLEX* dst) {
  for (Qword i = 0; i < n; ++i) dst[i] = a * src[i];
}

// Sum of conj(x[i])*y[i], each product formed before it is added.
inline COMPLEX DotC(Qword n, const COMPLEX* x, const COMPLEX* y) {
  double re = 0.0, im = 0.0;
  for (Qword i = 0; i < n; ++i) {
    re += x[i].re * y[i].re - (-x[i].im) * y[i].im;
    im += x[i].re * y[i].im + (-x[i].im) * y[i].re;
  }
  return COMPLEX(re, im);
}

// Four dot products against one x at once (independent sums, each in
// index order, so each equals DotC bit for bit).
inline void DotC4(Qword n, const COMPLEX* x, const COMPLEX* y0, const COMPLEX* y1,
                  const COMPLEX* y2, const COMPLEX* y3, COMPLEX* out) {
  double r0 = 0, i0 = 0, r1 = 0, i1 = 0, r2 = 0, i2 = 0, r3 = 0, i3 = 0;
  for (Qword i = 0; i < n; ++i) {
    const double a = x[i].re, b = -x[i].im;
    r0 += a * y0[i].re - b * y0[i].im;
    i0 += a * y0[i].im + b * y0[i].re;
    r1 += a * y1[i].re - b * y1[i].im;
    i1 += a * y1[i].im + b * y1[i].re;
    r2 += a * y2[i].re - b * y2[i].im;
    i2 += a * y2[i].im + b * y2[i].re;
    r3 += a * y3[i].re - b * y3[i].im;
    i3 += a * y3[i].im + b * y3[i].re;
  }
  out[0] = COMPLEX(r0, i0);
  out[1] = COMPLEX(r1, i1);
  out[2] = COMPLEX(r2, i2);
  out[3] = COMPLEX(r3, i3);
}

// Plain sum of re^2 + im^2.
inline double SumSquares(Qword n, const COMPLEX* x) {
  double sum = 0.0;
  for (Qword i = 0; i < n; ++i) sum += x[i].re * x[i].re + x[i].im * x[i].im;
  return sum;
}

// (x, y) := (c x + s y, c y - s x).
inline void Rot(Qword n, COMPLEX* x, COMPLEX* y, double c, double s) {
  for (Qword i = 0; i < n; ++i) {
    const COMPLEX t = c * x[i] + s * y[i];
    y[i] = c * y[i] - s * x[i];
    x[i] = t;
  }
}

inline void Swap(Qword n, COMPLEX* x, COMPLEX* y) {
  for (Qword i = 0; i < n; ++i) {
    const COMPLEX t = x[i];
    x[i] = y[i];
    y[i] = t;
  }
}

}  // namespace carr
