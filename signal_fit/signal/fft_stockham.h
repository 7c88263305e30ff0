// The transform's passes as templates over the vector type V (double for
// the scalar edges, or a GCC vector of W doubles), included by each build of
// the kernels. Internal linkage keeps the builds' copies apart; nothing here
// calls into a header, so every instruction comes from the including build.
//
// Stockham radix-4 passes on split real and imaginary rows: a pass of length
// L and stride s reads x[q + s(p + jL/4)] for j < 4 and writes the 4-point
// transform, times exp(+-2 pi i p k / L), to y[q + s(4p + k)]; the output
// lands in natural order without a bit reversal. The last pass (length 4 or
// 2, no factors) can run in place and applies the scaling and centring.
#pragma once
#include "base/types.h"
#include "signal_fit/signal/fft_plan.h"

namespace {
namespace fftk {

typedef double V2 __attribute__((vector_size(16)));
typedef long long I2 __attribute__((vector_size(16)));
typedef double V4 __attribute__((vector_size(32)));
typedef long long I4 __attribute__((vector_size(32)));

template <class V>
constexpr Qword Width() {
  return sizeof(V) / sizeof(double);
}

template <class V>
inline V Ld(const double* p) {
  V v;
  __builtin_memcpy(&v, p, sizeof v);
  return v;
}
template <class V>
inline void St(double* p, V v) {
  __builtin_memcpy(p, &v, sizeof v);
}
template <class V>
inline V Splat(double x) {
  if constexpr (Width<V>() == 1) {
    return x;
  } else {
    V v;
    for (Qword l = 0; l < Width<V>(); ++l) v[l] = x;
    return v;
  }
}

// y := y * w, or y * conj(w) for the inverse.
template <class V, bool kInv>
inline void Rotate(V& yr, V& yi, V wr, V wi) {
  const V r = kInv ? yr * wr + yi * wi : yr * wr - yi * wi;
  const V i = kInv ? yi * wr - yr * wi : yi * wr + yr * wi;
  yr = r;
  yi = i;
}

// y[k] = sum_j x[j] exp(+-2 pi i j k / 4).
template <class V, bool kInv>
inline void Dft4(const V* xr, const V* xi, V* yr, V* yi) {
  const V s0r = xr[0] + xr[2], s0i = xi[0] + xi[2];
  const V d0r = xr[0] - xr[2], d0i = xi[0] - xi[2];
  const V s1r = xr[1] + xr[3], s1i = xi[1] + xi[3];
  const V d1r = xr[1] - xr[3], d1i = xi[1] - xi[3];
  yr[0] = s0r + s1r;
  yi[0] = s0i + s1i;
  yr[2] = s0r - s1r;
  yi[2] = s0i - s1i;
  if constexpr (!kInv) {
    yr[1] = d0r - d1i;
    yi[1] = d0i + d1r;
    yr[3] = d0r + d1i;
    yi[3] = d0i - d1r;
  } else {
    yr[1] = d0r + d1i;
    yi[1] = d0i - d1r;
    yr[3] = d0r - d1i;
    yi[3] = d0i + d1r;
  }
}

// One pass of length len and stride s (a multiple of the width).
template <class V, bool kInv>
void Pass4(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
           double* __restrict yi, Qword len, Qword s, const double* tw) {
  const Qword m = len / 4, sm = s * m;
  for (Qword p = 0; p < m; ++p) {
    const V w1r = Splat<V>(tw[p]), w1i = Splat<V>(tw[m + p]);
    const V w2r = Splat<V>(tw[2 * m + p]), w2i = Splat<V>(tw[3 * m + p]);
    const V w3r = Splat<V>(tw[4 * m + p]), w3i = Splat<V>(tw[5 * m + p]);
    const double* ar = xr + s * p;
    const double* ai = xi + s * p;
    double* br = yr + 4 * s * p;
    double* bi = yi + 4 * s * p;
    for (Qword q = 0; q < s; q += Width<V>()) {
      V ur[4], ui[4], vr[4], vi[4];
      for (int j = 0; j < 4; ++j) {
        ur[j] = Ld<V>(ar + j * sm + q);
        ui[j] = Ld<V>(ai + j * sm + q);
      }
      Dft4<V, kInv>(ur, ui, vr, vi);
      Rotate<V, kInv>(vr[1], vi[1], w1r, w1i);
      Rotate<V, kInv>(vr[2], vi[2], w2r, w2i);
      Rotate<V, kInv>(vr[3], vi[3], w3r, w3i);
      for (int k = 0; k < 4; ++k) {
        St<V>(br + k * s + q, vr[k]);
        St<V>(bi + k * s + q, vi[k]);
      }
    }
  }
}

// dst[W k + j] = v[j][k] for the four vectors v (W = 2 or 4): the outputs
// of W neighbouring p, each with its four k, laid out as the pass wants.
template <class V>
inline void StoreTransposed(double* dst, const V* v) {
  if constexpr (Width<V>() == 4) {
    const V t0 = __builtin_shuffle(v[0], v[1], I4{0, 4, 2, 6});
    const V t1 = __builtin_shuffle(v[0], v[1], I4{1, 5, 3, 7});
    const V t2 = __builtin_shuffle(v[2], v[3], I4{0, 4, 2, 6});
    const V t3 = __builtin_shuffle(v[2], v[3], I4{1, 5, 3, 7});
    St<V>(dst, __builtin_shuffle(t0, t2, I4{0, 1, 4, 5}));
    St<V>(dst + 4, __builtin_shuffle(t1, t3, I4{0, 1, 4, 5}));
    St<V>(dst + 8, __builtin_shuffle(t0, t2, I4{2, 3, 6, 7}));
    St<V>(dst + 12, __builtin_shuffle(t1, t3, I4{2, 3, 6, 7}));
  } else {
    St<V>(dst, __builtin_shuffle(v[0], v[1], I2{0, 2}));
    St<V>(dst + 2, __builtin_shuffle(v[2], v[3], I2{0, 2}));
    St<V>(dst + 4, __builtin_shuffle(v[0], v[1], I2{1, 3}));
    St<V>(dst + 6, __builtin_shuffle(v[2], v[3], I2{1, 3}));
  }
}

// The first pass (stride 1) with the lanes running over p.
template <class V, bool kInv>
void Pass4First(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
                double* __restrict yi, Qword len, const double* tw) {
  const Qword m = len / 4;
  for (Qword p = 0; p < m; p += Width<V>()) {
    V ur[4], ui[4], vr[4], vi[4];
    for (int j = 0; j < 4; ++j) {
      ur[j] = Ld<V>(xr + j * m + p);
      ui[j] = Ld<V>(xi + j * m + p);
    }
    Dft4<V, kInv>(ur, ui, vr, vi);
    for (int k = 1; k < 4; ++k)
      Rotate<V, kInv>(vr[k], vi[k], Ld<V>(tw + (2 * k - 2) * m + p),
                      Ld<V>(tw + (2 * k - 1) * m + p));
    StoreTransposed<V>(yr + 4 * p, vr);
    StoreTransposed<V>(yi + 4 * p, vi);
  }
}

// The last pass (radix 4 or 2, stride s a multiple of the width), in place
// or not. With kFinish the result is scaled, alternated and swapped as asked.
template <class V, bool kInv, bool kFinish>
void PassLast(const double* xr, const double* xi, double* yr, double* yi, Qword radix, Qword s,
              const FftFinish& f) {
  constexpr Qword W = Width<V>();
  const Qword flip = f.swap ? radix / 2 : 0;
  // An even stride makes an output's parity its lane's.
  V mult = Splat<V>(f.scale);
  if constexpr (W > 1)
    for (Qword l = 1; l < W; l += 2) mult[l] = f.alternate ? -f.scale : f.scale;
  for (Qword q = 0; q < s; q += W) {
    V ur[4], ui[4], vr[4], vi[4];
    for (Qword j = 0; j < radix; ++j) {
      ur[j] = Ld<V>(xr + j * s + q);
      ui[j] = Ld<V>(xi + j * s + q);
    }
    if (radix == 4) {
      Dft4<V, kInv>(ur, ui, vr, vi);
    } else {
      vr[0] = ur[0] + ur[1];
      vi[0] = ui[0] + ui[1];
      vr[1] = ur[0] - ur[1];
      vi[1] = ui[0] - ui[1];
    }
    for (Qword k = 0; k < radix; ++k) {
      if constexpr (kFinish) {
        V g = mult;
        if constexpr (W == 1) g = (f.alternate && ((q + s * k) & 1)) ? -f.scale : f.scale;
        vr[k] = vr[k] * g;
        vi[k] = vi[k] * g;
      }
      St<V>(yr + (k ^ flip) * s + q, vr[k]);
      St<V>(yi + (k ^ flip) * s + q, vi[k]);
    }
  }
}

// s0 interleaved transforms of length n (element j of transform q at
// q + s0 j) from re/im into re/im, with u as scratch of the same size.
template <class V, bool kInv, bool kFinish>
void Stockham(double* re, double* im, double* ur, double* ui, Qword n, Qword s0, const double* tw,
              const FftFinish& f) {
  constexpr Qword W = Width<V>();
  double *xr = re, *xi = im, *yr = ur, *yi = ui;
  Qword len = n, s = s0;
  for (; len > 4; len /= 4, s *= 4) {
    if (s >= W)
      Pass4<V, kInv>(xr, xi, yr, yi, len, s, tw);
    else if (s == 1 && len / 4 >= W)
      Pass4First<V, kInv>(xr, xi, yr, yi, len, tw);
    else
      Pass4<double, kInv>(xr, xi, yr, yi, len, s, tw);
    tw += 6 * (len / 4);
    double* t = xr;
    xr = yr, yr = t;
    t = xi;
    xi = yi, yi = t;
  }
  if (len < 2) return;
  if (s >= W)
    PassLast<V, kInv, kFinish>(xr, xi, re, im, len, s, f);
  else
    PassLast<double, kInv, kFinish>(xr, xi, re, im, len, s, f);
}

template <class V, bool kInv>
void DirectT(double* s, Qword n, const double* tw, double* work, const FftFinish& f) {
  Stockham<V, kInv, true>(s, s + n, work, work + n, n, 1, tw, f);
}

template <class V>
void Direct(double* s, Qword n, const double* tw, double* work, bool inverse, const FftFinish& f) {
  if (inverse)
    DirectT<V, true>(s, n, tw, work, f);
  else
    DirectT<V, false>(s, n, tw, work, f);
}

// n = r m points as an r x m matrix x[m i + j]: the r-point transforms of
// the columns (kFftPanel at a time, copied out as a panel), each result
// k times exp(+-2 pi i j k / n) into row k of t; the m-point transforms of
// t's rows in place; then X[r k2 + k] = t[m k + k2] back into s.
template <class V, bool kInv>
void BigT(double* s, const FftBigPlan& P, double* work, const FftFinish& f) {
  constexpr Qword B = kFftPanel, W = Width<V>();
  const Qword n = P.n, r = P.r, m = P.m;
  double* tr = work;
  double* ti = work + n;
  double* pr = work + 2 * n;
  double* pi = pr + r * B;
  double* qr = pi + r * B;
  double* qi = qr + r * B;
  double* rr = qi + r * B;
  double* ri = rr + m;
  const Qword lo_mask = (Qword{1} << P.h) - 1, hi_count = n >> P.h, lo_count = lo_mask + 1;
  const double* tq_r = P.tq;
  const double* tq_i = P.tq + r * B;
  const FftFinish none = {1.0, false, false};
  for (Qword j0 = 0; j0 < m; j0 += B) {
    for (Qword i = 0; i < r; ++i)
      for (Qword c = 0; c < B; c += W) {
        St<V>(pr + i * B + c, Ld<V>(s + m * i + j0 + c));
        St<V>(pi + i * B + c, Ld<V>(s + n + m * i + j0 + c));
      }
    Stockham<V, kInv, false>(pr, pi, qr, qi, r, B, P.tw_r, none);
    for (Qword k = 0; k < r; ++k) {
      const Qword e = (j0 * k) & (n - 1);
      const double hr = P.t_hi[e >> P.h], hi = P.t_hi[hi_count + (e >> P.h)];
      const double lr = P.t_lo[e & lo_mask], li = P.t_lo[lo_count + (e & lo_mask)];
      const V br = Splat<V>(hr * lr - hi * li), bi = Splat<V>(hr * li + hi * lr);
      for (Qword c = 0; c < B; c += W) {
        const V cr = Ld<V>(tq_r + k * B + c), ci = Ld<V>(tq_i + k * B + c);
        const V wr = br * cr - bi * ci, wi = br * ci + bi * cr;
        V yr = Ld<V>(pr + k * B + c), yi = Ld<V>(pi + k * B + c);
        Rotate<V, kInv>(yr, yi, wr, wi);
        St<V>(tr + m * k + j0 + c, yr);
        St<V>(ti + m * k + j0 + c, yi);
      }
    }
  }
  for (Qword k = 0; k < r; ++k)
    Stockham<V, kInv, false>(tr + m * k, ti + m * k, rr, ri, m, 1, P.tw_m, none);
  // Output r k2 + k (its upper half first when swapped): alternation
  // follows k, as r is even.
  const Qword half = f.swap ? m / 2 : 0;
  for (Qword k2 = 0; k2 < m; k2 += B)
    for (Qword k = 0; k < r; ++k) {
      const double g = (f.alternate && (k & 1)) ? -f.scale : f.scale;
      for (Qword c = 0; c < B; ++c) {
        const Qword dst = r * ((k2 + c) ^ half) + k;
        s[dst] = tr[m * k + k2 + c] * g;
        s[n + dst] = ti[m * k + k2 + c] * g;
      }
    }
}

template <class V>
void Big(double* s, const FftBigPlan& plan, double* work, bool inverse, const FftFinish& f) {
  if (inverse)
    BigT<V, true>(s, plan, work, f);
  else
    BigT<V, false>(s, plan, work, f);
}

}  // namespace fftk
}  // namespace
