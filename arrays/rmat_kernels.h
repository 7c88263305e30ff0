// Inner kernels of the matrix products and decompositions: two-lane vectors
// of the compiler (plain SSE2 on x86-64, no fused multiply-add), so every
// element sees exactly the operations, in exactly the order, of the plain
// scalar loop it replaces.
#pragma once
#include <cstring>

#include "base/types.h"

namespace rmat {

typedef double V2 __attribute__((vector_size(16)));

inline V2 Load2(const double* p) {
  V2 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store2(double* p, V2 v) { std::memcpy(p, &v, sizeof v); }
inline V2 Splat2(double x) { return V2{x, x}; }

// y[i] += f*x[i].
inline void Axpy(Qword n, double f, const double* __restrict x, double* __restrict y) {
  Qword i = 0;
  const V2 vf = Splat2(f);
  for (; i + 4 <= n; i += 4) {
    Store2(y + i, Load2(y + i) + vf * Load2(x + i));
    Store2(y + i + 2, Load2(y + i + 2) + vf * Load2(x + i + 2));
  }
  for (; i < n; ++i) y[i] += f * x[i];
}

// x[i] *= f.
inline void Scale(Qword n, double f, double* x) {
  Qword i = 0;
  const V2 vf = Splat2(f);
  for (; i + 2 <= n; i += 2) Store2(x + i, Load2(x + i) * vf);
  for (; i < n; ++i) x[i] *= f;
}

// The plain dot product: sum from 0.0, index 0 upwards.
inline double Dot(Qword n, const double* a, const double* b) {
  double s = 0;
  for (Qword i = 0; i < n; ++i) s += a[i] * b[i];
  return s;
}

// Four dot products of a with b0..b3 at once, each with the plain order:
// independent chains instead of one chain at a time.
inline void Dot4(Qword n, const double* a, const double* b0, const double* b1, const double* b2,
                 const double* b3, double* out) {
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  for (Qword i = 0; i < n; ++i) {
    const double ai = a[i];
    s0 += ai * b0[i];
    s1 += ai * b1[i];
    s2 += ai * b2[i];
    s3 += ai * b3[i];
  }
  out[0] = s0;
  out[1] = s1;
  out[2] = s2;
  out[3] = s3;
}

// (x, y) := (c*x + s*y, c*y - s*x).
inline void PlaneRotation(Qword n, double* __restrict x, double* __restrict y, double c, double s) {
  const V2 vc = Splat2(c), vs = Splat2(s);
  Qword i = 0;
  for (; i + 2 <= n; i += 2) {
    const V2 xv = Load2(x + i), yv = Load2(y + i);
    Store2(x + i, vc * xv + vs * yv);
    Store2(y + i, vc * yv - vs * xv);
  }
  for (; i < n; ++i) {
    const double xi = x[i], yi = y[i];
    x[i] = c * xi + s * yi;
    y[i] = c * yi - s * xi;
  }
}

inline void SwapColumns(Qword n, double* __restrict x, double* __restrict y) {
  for (Qword i = 0; i < n; ++i) {
    const double t = x[i];
    x[i] = y[i];
    y[i] = t;
  }
}

// C (m x p, leading dimension m) = A (m x n) times the n x p matrix whose
// element (k, j) is B[k*bk + j*bj]; every element summed from 0.0 in
// increasing k. Tiles of 4 rows by 4 columns keep 8 vector sums in registers.
void MatMul(const double* A, const double* B, Qword bk, Qword bj, Qword m, Qword n, Qword p,
            double* C);

}  // namespace rmat
