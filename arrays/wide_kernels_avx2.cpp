// The AVX2 build of the decomposition kernels (see wide_kernels.h). Only
// these functions are compiled for AVX2, by attribute, so the rest of the
// library keeps the baseline instruction set; fused multiply-add is a
// separate feature, not enabled here, and the build forbids contraction.
#include "arrays/wide_kernels.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#define VELTRIA_AVX2 __attribute__((target("avx2")))

namespace wide {
namespace {

// Dot products of a with 4*kQuads adjacent columns. The lanes of one
// accumulator are four columns; rows i and i+1 of the four are loaded as
// two halves each and interleaved, so every column's sum still runs over
// i in order. kQuads accumulators are independent chains.
template <int kQuads>
VELTRIA_AVX2 void DotQuads(Qword n, const double* a, const double* b, Qword ld, double* out) {
  __m256d acc[kQuads];
  for (int q = 0; q < kQuads; ++q) acc[q] = _mm256_setzero_pd();
  Qword i = 0;
  for (; i + 2 <= n; i += 2) {
    const __m256d a0 = _mm256_broadcast_sd(a + i), a1 = _mm256_broadcast_sd(a + i + 1);
    for (int q = 0; q < kQuads; ++q) {
      const double* c = b + ld * (4 * q) + i;
      // x = (c0[i], c0[i+1], c2[i], c2[i+1]), y the same of c1 and c3.
      const __m256d x = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(c)),
                                             _mm_loadu_pd(c + 2 * ld), 1);
      const __m256d y = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(c + ld)),
                                             _mm_loadu_pd(c + 3 * ld), 1);
      acc[q] = _mm256_add_pd(acc[q], _mm256_mul_pd(a0, _mm256_unpacklo_pd(x, y)));
      acc[q] = _mm256_add_pd(acc[q], _mm256_mul_pd(a1, _mm256_unpackhi_pd(x, y)));
    }
  }
  if (i < n) {
    const __m256d ai = _mm256_broadcast_sd(a + i);
    for (int q = 0; q < kQuads; ++q) {
      const double* c = b + ld * (4 * q) + i;
      const __m256d r = _mm256_set_pd(c[3 * ld], c[2 * ld], c[ld], c[0]);
      acc[q] = _mm256_add_pd(acc[q], _mm256_mul_pd(ai, r));
    }
  }
  for (int q = 0; q < kQuads; ++q) _mm256_storeu_pd(out + 4 * q, acc[q]);
}

VELTRIA_AVX2 void DotColumns(Qword n, const double* a, const double* b, Qword ld, Qword count,
                             double* out) {
  Qword k = 0;
  for (; k + 16 <= count; k += 16) DotQuads<4>(n, a, b + ld * k, ld, out + k);
  switch ((count - k) / 4) {
    case 3:
      DotQuads<3>(n, a, b + ld * k, ld, out + k);
      break;
    case 2:
      DotQuads<2>(n, a, b + ld * k, ld, out + k);
      break;
    case 1:
      DotQuads<1>(n, a, b + ld * k, ld, out + k);
      break;
    default:
      break;
  }
  k += (count - k) / 4 * 4;
  // At most three columns left: their chains side by side.
  double s[3] = {0, 0, 0};
  const Qword r = count - k;
  for (Qword i = 0; i < n && r > 0; ++i)
    for (Qword t = 0; t < r; ++t) s[t] += a[i] * b[ld * (k + t) + i];
  for (Qword t = 0; t < r; ++t) out[k + t] = s[t];
}

VELTRIA_AVX2 void Axpy(Qword n, double f, const double* __restrict x, double* __restrict y) {
  const __m256d vf = _mm256_set1_pd(f);
  Qword i = 0;
  for (; i + 8 <= n; i += 8) {
    _mm256_storeu_pd(
        y + i, _mm256_add_pd(_mm256_loadu_pd(y + i), _mm256_mul_pd(vf, _mm256_loadu_pd(x + i))));
    _mm256_storeu_pd(y + i + 4, _mm256_add_pd(_mm256_loadu_pd(y + i + 4),
                                              _mm256_mul_pd(vf, _mm256_loadu_pd(x + i + 4))));
  }
  for (; i + 4 <= n; i += 4)
    _mm256_storeu_pd(
        y + i, _mm256_add_pd(_mm256_loadu_pd(y + i), _mm256_mul_pd(vf, _mm256_loadu_pd(x + i))));
  for (; i < n; ++i) y[i] += f * x[i];
}

// The columns side by side, four rows at a time, so x is loaded once for
// all of them.
template <int kCols>
VELTRIA_AVX2 void AxpyColumnsFixed(Qword n, const double* f, const double* x, double* y, Qword ld) {
  __m256d vf[kCols];
  for (int k = 0; k < kCols; ++k) vf[k] = _mm256_set1_pd(f[k]);
  Qword i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m256d xv = _mm256_loadu_pd(x + i);
    for (int k = 0; k < kCols; ++k) {
      double* yk = y + ld * k + i;
      _mm256_storeu_pd(yk, _mm256_add_pd(_mm256_loadu_pd(yk), _mm256_mul_pd(vf[k], xv)));
    }
  }
  for (; i < n; ++i)
    for (int k = 0; k < kCols; ++k) y[ld * k + i] += f[k] * x[i];
}

VELTRIA_AVX2 void AxpyColumns(Qword n, const double* f, const double* x, double* y, Qword ld,
                              Qword count) {
  Qword k = 0;
  for (; k + 8 <= count; k += 8) AxpyColumnsFixed<8>(n, f + k, x, y + ld * k, ld);
  for (; k + 4 <= count; k += 4) AxpyColumnsFixed<4>(n, f + k, x, y + ld * k, ld);
  for (; k < count; ++k) Axpy(n, f[k], x, y + ld * k);
}

// Four columns per pass over w: w travels through the registers once per
// four columns, and each element still takes the columns in order.
VELTRIA_AVX2 void Accumulate(Qword n, Qword count, const double* f, const double* x, Qword ld,
                             double* __restrict w) {
  Qword j = 0;
  for (; j + 4 <= count; j += 4) {
    const double* x0 = x + ld * j;
    const double *x1 = x0 + ld, *x2 = x1 + ld, *x3 = x2 + ld;
    const __m256d f0 = _mm256_set1_pd(f[j]), f1 = _mm256_set1_pd(f[j + 1]);
    const __m256d f2 = _mm256_set1_pd(f[j + 2]), f3 = _mm256_set1_pd(f[j + 3]);
    Qword i = 0;
    for (; i + 4 <= n; i += 4) {
      __m256d v = _mm256_loadu_pd(w + i);
      v = _mm256_add_pd(v, _mm256_mul_pd(f0, _mm256_loadu_pd(x0 + i)));
      v = _mm256_add_pd(v, _mm256_mul_pd(f1, _mm256_loadu_pd(x1 + i)));
      v = _mm256_add_pd(v, _mm256_mul_pd(f2, _mm256_loadu_pd(x2 + i)));
      v = _mm256_add_pd(v, _mm256_mul_pd(f3, _mm256_loadu_pd(x3 + i)));
      _mm256_storeu_pd(w + i, v);
    }
    for (; i < n; ++i) {
      double v = w[i];
      v += f[j] * x0[i];
      v += f[j + 1] * x1[i];
      v += f[j + 2] * x2[i];
      v += f[j + 3] * x3[i];
      w[i] = v;
    }
  }
  for (; j < count; ++j) Axpy(n, f[j], x + ld * j, w);
}

VELTRIA_AVX2 void Rotation(Qword n, double* __restrict x, double* __restrict y, double c,
                           double s) {
  const __m256d vc = _mm256_set1_pd(c), vs = _mm256_set1_pd(s);
  Qword i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m256d xv = _mm256_loadu_pd(x + i), yv = _mm256_loadu_pd(y + i);
    _mm256_storeu_pd(x + i, _mm256_add_pd(_mm256_mul_pd(vc, xv), _mm256_mul_pd(vs, yv)));
    _mm256_storeu_pd(y + i, _mm256_sub_pd(_mm256_mul_pd(vc, yv), _mm256_mul_pd(vs, xv)));
  }
  for (; i < n; ++i) {
    const double xi = x[i], yi = y[i];
    x[i] = c * xi + s * yi;
    y[i] = c * yi - s * xi;
  }
}

// Two complex elements per vector. With x = (re, im) and its swap (im, re),
// a.re x - a.im swap(x) subtracts in the real lanes and adds in the
// imaginary ones (addsub), which is the complex product formed as the
// scalar loop forms it; then it is added to y.
VELTRIA_AVX2 void ComplexAxpy(Qword n, double are, double aim, const double* x, double* y) {
  const __m256d vr = _mm256_set1_pd(are), vi = _mm256_set1_pd(aim);
  Qword i = 0;
  for (; i + 4 <= 2 * n; i += 4) {
    const __m256d xv = _mm256_loadu_pd(x + i);
    const __m256d prod =
        _mm256_addsub_pd(_mm256_mul_pd(vr, xv), _mm256_mul_pd(vi, _mm256_permute_pd(xv, 0x5)));
    _mm256_storeu_pd(y + i, _mm256_add_pd(_mm256_loadu_pd(y + i), prod));
  }
  for (; i < 2 * n; i += 2) {
    const double xr = x[i], xi = x[i + 1];
    y[i] = y[i] + (are * xr - aim * xi);
    y[i + 1] = y[i + 1] + (are * xi + aim * xr);
  }
}

// Complex dot products of x with 2*kPairs columns: one vector holds the
// (re, im) sums of two columns, element i of both loaded as two halves; each
// sum runs over i in order. The product (a y.re - b y.im, a y.im + b y.re)
// with a = x.re, b = -x.im is again an addsub of a y and b swap(y).
template <int kPairs>
VELTRIA_AVX2 void ComplexDotPairs(Qword n, const double* x, const double* y, Qword ld,
                                  double* out) {
  __m256d acc[kPairs];
  for (int q = 0; q < kPairs; ++q) acc[q] = _mm256_setzero_pd();
  for (Qword i = 0; i < 2 * n; i += 2) {
    const __m256d a = _mm256_set1_pd(x[i]), b = _mm256_set1_pd(-x[i + 1]);
    for (int q = 0; q < kPairs; ++q) {
      const double* c = y + 2 * ld * (2 * q) + i;
      const __m256d yv = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(c)),
                                              _mm_loadu_pd(c + 2 * ld), 1);
      const __m256d prod =
          _mm256_addsub_pd(_mm256_mul_pd(a, yv), _mm256_mul_pd(b, _mm256_permute_pd(yv, 0x5)));
      acc[q] = _mm256_add_pd(acc[q], prod);
    }
  }
  for (int q = 0; q < kPairs; ++q) _mm256_storeu_pd(out + 4 * q, acc[q]);
}

VELTRIA_AVX2 void ComplexDotColumns(Qword n, const double* x, const double* y, Qword ld,
                                    Qword count, double* out) {
  Qword k = 0;
  for (; k + 8 <= count; k += 8) ComplexDotPairs<4>(n, x, y + 2 * ld * k, ld, out + 2 * k);
  for (; k + 2 <= count; k += 2) ComplexDotPairs<1>(n, x, y + 2 * ld * k, ld, out + 2 * k);
  if (k < count) {
    const double* yk = y + 2 * ld * k;
    double re = 0, im = 0;
    for (Qword i = 0; i < 2 * n; i += 2) {
      re += x[i] * yk[i] - (-x[i + 1]) * yk[i + 1];
      im += x[i] * yk[i + 1] + (-x[i + 1]) * yk[i];
    }
    out[2 * k] = re;
    out[2 * k + 1] = im;
  }
}

// eigen::ReduceColumns (eigen_kernels.h), one column per pass, for the
// columns left over by the passes of four below. The per-element operations
// and their order are those described there.
template <bool kUpdate, bool kProduct>
VELTRIA_AVX2 void ReduceOne(double* a, Qword n, Qword L, Qword j, const double* pu,
                            const double* pe, const double* u, double* p) {
  double* ct = a + n * j;
  if (kUpdate) {
    const double puj = pu[j], pej = pe[j];
    for (Qword k = j; k < L; ++k) ct[k] -= (pu[k] * pej + pe[k] * puj);
  }
  if (kProduct) {
    const double uj = u[j];
    double s = p[j] + ct[j] * uj;
    for (Qword k = j + 1; k < L; ++k) {
      s += ct[k] * u[k];
      p[k] += ct[k] * uj;
    }
    p[j] = s;
  }
}

// (a, b, c, d) := the 4 x 4 block with rows a..d, transposed.
VELTRIA_AVX2 inline void Transpose4(__m256d& a, __m256d& b, __m256d& c, __m256d& d) {
  const __m256d t0 = _mm256_unpacklo_pd(a, b), t1 = _mm256_unpackhi_pd(a, b);
  const __m256d t2 = _mm256_unpacklo_pd(c, d), t3 = _mm256_unpackhi_pd(c, d);
  a = _mm256_permute2f128_pd(t0, t2, 0x20);
  b = _mm256_permute2f128_pd(t1, t3, 0x20);
  c = _mm256_permute2f128_pd(t0, t2, 0x31);
  d = _mm256_permute2f128_pd(t1, t3, 0x31);
}

// eigen::ReduceColumns over 4*kQuads columns from j0 in one pass. The rows
// below the pass go four at a time; the four columns of a quad, transposed,
// let one vector hold the product sums of four columns, so each sum still
// takes its rows in order while four of them advance per addition. The
// per-element operations and their order are those described there.
template <int kQuads, bool kUpdate, bool kProduct>
VELTRIA_AVX2 void ReduceQuads(double* a, Qword n, Qword L, Qword j0, const double* pu,
                              const double* pe, const double* u, double* p) {
  constexpr int kWidth = 4 * kQuads;
  double* c[kWidth];
  double s[kWidth], puj[kWidth], pej[kWidth], uj[kWidth];
  for (int t = 0; t < kWidth; ++t) {
    const Qword j = j0 + t;
    c[t] = a + n * j;
    s[t] = 0;
    puj[t] = kUpdate ? pu[j] : 0.0;
    pej[t] = kUpdate ? pe[j] : 0.0;
    uj[t] = kProduct ? u[j] : 0.0;
  }
  // The triangle where the columns meet, one column after another.
  const Qword end = j0 + kWidth;
  for (int t = 0; t < kWidth; ++t) {
    const Qword j = j0 + t;
    double* ct = c[t];
    if (kUpdate)
      for (Qword k = j; k < end; ++k) ct[k] -= (pu[k] * pej[t] + pe[k] * puj[t]);
    if (kProduct) {
      s[t] = p[j] + ct[j] * uj[t];
      for (Qword k = j + 1; k < end; ++k) {
        s[t] += ct[k] * u[k];
        p[k] += ct[k] * uj[t];
      }
    }
  }
  __m256d sum[kQuads];
  for (int q = 0; q < kQuads; ++q) sum[q] = _mm256_loadu_pd(s + 4 * q);
  Qword k = end;
  for (; k + 4 <= L; k += 4) {
    __m256d pk = _mm256_setzero_pd(), puk = _mm256_setzero_pd(), pek = _mm256_setzero_pd();
    if (kProduct) pk = _mm256_loadu_pd(p + k);
    if (kUpdate) {
      puk = _mm256_loadu_pd(pu + k);
      pek = _mm256_loadu_pd(pe + k);
    }
    for (int q = 0; q < kQuads; ++q) {
      __m256d v[4];
      for (int r = 0; r < 4; ++r) {
        const int t = 4 * q + r;
        v[r] = _mm256_loadu_pd(c[t] + k);
        if (kUpdate) {
          v[r] = _mm256_sub_pd(v[r], _mm256_add_pd(_mm256_mul_pd(puk, _mm256_set1_pd(pej[t])),
                                                   _mm256_mul_pd(pek, _mm256_set1_pd(puj[t]))));
          _mm256_storeu_pd(c[t] + k, v[r]);
        }
        if (kProduct) pk = _mm256_add_pd(pk, _mm256_mul_pd(v[r], _mm256_set1_pd(uj[t])));
      }
      if (kProduct) {
        Transpose4(v[0], v[1], v[2], v[3]);  // v[r]: row k + r of the four columns
        for (int r = 0; r < 4; ++r)
          sum[q] = _mm256_add_pd(sum[q], _mm256_mul_pd(v[r], _mm256_set1_pd(u[k + r])));
      }
    }
    if (kProduct) _mm256_storeu_pd(p + k, pk);
  }
  for (int q = 0; q < kQuads; ++q) _mm256_storeu_pd(s + 4 * q, sum[q]);
  for (; k < L; ++k) {
    for (int t = 0; t < kWidth; ++t) {
      double* ct = c[t];
      if (kUpdate) ct[k] -= (pu[k] * pej[t] + pe[k] * puj[t]);
      if (kProduct) {
        s[t] += ct[k] * u[k];
        p[k] += ct[k] * uj[t];
      }
    }
  }
  if (kProduct)
    for (int t = 0; t < kWidth; ++t) p[j0 + t] = s[t];
}

template <bool kUpdate, bool kProduct>
VELTRIA_AVX2 void ReduceColumns(double* a, Qword n, Qword L, const double* pu, const double* pe,
                                const double* u, double* p) {
  Qword j0 = 0;
  for (; j0 + 8 <= L; j0 += 8) ReduceQuads<2, kUpdate, kProduct>(a, n, L, j0, pu, pe, u, p);
  for (; j0 + 4 <= L; j0 += 4) ReduceQuads<1, kUpdate, kProduct>(a, n, L, j0, pu, pe, u, p);
  for (; j0 < L; ++j0) ReduceOne<kUpdate, kProduct>(a, n, L, j0, pu, pe, u, p);
}

// A panel's 32 rows in eight four-lane sums held over all the columns.
VELTRIA_AVX2 void AccumulatePanels(Qword n, Qword count, const double* f, const double* panels,
                                   double* w) {
  constexpr Qword kSums = kPanelRows / 4;
  for (Qword i0 = 0; i0 < n; i0 += kPanelRows) {
    const Qword rows = n - i0 < kPanelRows ? n - i0 : kPanelRows;
    // A short last panel works on a copy padded with zeros; whole panels
    // (the usual case) work in place and leave the copy untouched.
    double part[kPanelRows];
    double* out = w + i0;
    if (rows < kPanelRows) {
      for (Qword r = 0; r < kPanelRows; ++r) part[r] = r < rows ? w[i0 + r] : 0;
      out = part;
    }
    __m256d s[kSums];
    for (Qword v = 0; v < kSums; ++v) s[v] = _mm256_loadu_pd(out + 4 * v);
    const double* x = panels + i0 * count;
    for (Qword j = 0; j < count; ++j, x += kPanelRows) {
      const __m256d fj = _mm256_set1_pd(f[j]);
      for (Qword v = 0; v < kSums; ++v)
        s[v] = _mm256_add_pd(s[v], _mm256_mul_pd(fj, _mm256_loadu_pd(x + 4 * v)));
    }
    for (Qword v = 0; v < kSums; ++v) _mm256_storeu_pd(out + 4 * v, s[v]);
    if (rows < kPanelRows)
      for (Qword r = 0; r < rows; ++r) w[i0 + r] = part[r];
  }
}

const Kernels kAvx2 = {
    DotColumns,
    Axpy,
    AxpyColumns,
    Accumulate,
    Rotation,
    ComplexAxpy,
    ComplexDotColumns,
    {{nullptr, ReduceColumns<false, true>},
     {ReduceColumns<true, false>, ReduceColumns<true, true>}},
    AccumulatePanels,
};

}  // namespace

const Kernels* Avx2KernelsIfSupported() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? &kAvx2 : nullptr;
}

}  // namespace wide

#else

const wide::Kernels* wide::Avx2KernelsIfSupported() { return nullptr; }

#endif
