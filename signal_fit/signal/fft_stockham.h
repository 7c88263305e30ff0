// The transform's passes as templates over the vector type V (double for
// the scalar edges, or a GCC vector of W doubles), included by each build of
// the kernels. Internal linkage keeps the builds' copies apart; nothing here
// calls into a header, so every instruction comes from the including build.
//
// Stockham radix-4 passes on split real and imaginary rows: a pass of length
// L and stride s reads x[q + s(p + jL/4)] for j < 4 and writes the 4-point
// transform, times exp(+-2 pi i p k / L), to y[q + s(4p + k)]; the output
// lands in natural order without a bit reversal. The last pass (length 8, 4
// or 2, no factors) can run in place and applies the scaling and centring.
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

// y[k] = sum_j x[j] exp(+-2 pi i j k / 8): the 4-point transforms of the
// even and the odd samples, the odd ones turned by the eighth roots.
template <class V, bool kInv>
inline void Dft8(const V* xr, const V* xi, V* yr, V* yi) {
  constexpr double h = 0.70710678118654752440;  // sqrt(1/2)
  V er[4], ei[4], or_[4], oi[4], ur[4], ui[4];
  for (int j = 0; j < 4; ++j) {
    ur[j] = xr[2 * j], ui[j] = xi[2 * j];
  }
  Dft4<V, kInv>(ur, ui, er, ei);
  for (int j = 0; j < 4; ++j) {
    ur[j] = xr[2 * j + 1], ui[j] = xi[2 * j + 1];
  }
  Dft4<V, kInv>(ur, ui, or_, oi);
  const V a1 = or_[1], b1 = oi[1], a2 = or_[2], b2 = oi[2], a3 = or_[3], b3 = oi[3];
  if constexpr (!kInv) {
    or_[1] = (a1 - b1) * h, oi[1] = (a1 + b1) * h;
    or_[2] = -b2, oi[2] = a2;
    or_[3] = (-a3 - b3) * h, oi[3] = (a3 - b3) * h;
  } else {
    or_[1] = (a1 + b1) * h, oi[1] = (b1 - a1) * h;
    or_[2] = b2, oi[2] = -a2;
    or_[3] = (b3 - a3) * h, oi[3] = (-a3 - b3) * h;
  }
  for (int k = 0; k < 4; ++k) {
    yr[k] = er[k] + or_[k], yi[k] = ei[k] + oi[k];
    yr[k + 4] = er[k] - or_[k], yi[k + 4] = ei[k] - oi[k];
  }
}

// The last pass (radix 2, 4 or 8, no factors; stride s a multiple of kSpan
// times the width), in place or not, with the scaling, alternation and swap
// asked for. kSpan vectors of each row at a time: with the rows' distance a
// multiple of the cache's way size they all fall into one cache set, so each
// cache line is read and written whole while it is there.
template <class V, bool kInv, int kRadix, int kSpan>
void PassLast(const double* xr, const double* xi, double* yr, double* yi, Qword s,
              const FftFinish& f) {
  constexpr Qword W = Width<V>();
  const Qword flip = f.swap ? kRadix / 2 : 0;
  // An even stride makes an output's parity its lane's.
  V mult = Splat<V>(f.scale);
  if constexpr (W > 1)
    for (Qword l = 1; l < W; l += 2) mult[l] = f.alternate ? -f.scale : f.scale;
  for (Qword q = 0; q < s; q += kSpan * W) {
    V ur[kSpan][kRadix], ui[kSpan][kRadix], vr[kSpan][kRadix], vi[kSpan][kRadix];
    for (int j = 0; j < kRadix; ++j)
      for (int h = 0; h < kSpan; ++h) {
        ur[h][j] = Ld<V>(xr + j * s + q + h * W);
        ui[h][j] = Ld<V>(xi + j * s + q + h * W);
      }
    for (int h = 0; h < kSpan; ++h) {
      if constexpr (kRadix == 8) {
        Dft8<V, kInv>(ur[h], ui[h], vr[h], vi[h]);
      } else if constexpr (kRadix == 4) {
        Dft4<V, kInv>(ur[h], ui[h], vr[h], vi[h]);
      } else {
        vr[h][0] = ur[h][0] + ur[h][1];
        vi[h][0] = ui[h][0] + ui[h][1];
        vr[h][1] = ur[h][0] - ur[h][1];
        vi[h][1] = ui[h][0] - ui[h][1];
      }
    }
    for (int k = 0; k < kRadix; ++k)
      for (int h = 0; h < kSpan; ++h) {
        V g = mult;
        if constexpr (W == 1) g = (f.alternate && ((q + s * k) & 1)) ? -f.scale : f.scale;
        St<V>(yr + (k ^ flip) * s + q + h * W, vr[h][k] * g);
        St<V>(yi + (k ^ flip) * s + q + h * W, vi[h][k] * g);
      }
  }
}

template <class V, bool kInv, int kRadix>
void Last(const double* xr, const double* xi, double* yr, double* yi, Qword s, const FftFinish& f) {
  constexpr Qword kLine = 64 / sizeof(double);
  if (s >= kLine && kLine > Width<V>())
    PassLast<V, kInv, kRadix, kLine / Width<V>()>(xr, xi, yr, yi, s, f);
  else if (s >= Width<V>())
    PassLast<V, kInv, kRadix, 1>(xr, xi, yr, yi, s, f);
  else
    PassLast<double, kInv, kRadix, 1>(xr, xi, yr, yi, s, f);
}

// The n-point transform from re/im into re/im, with u as scratch of the
// same size: radix-4 passes down to a length of 8 or less, then the last.
template <class V, bool kInv>
void Stockham(double* re, double* im, double* ur, double* ui, Qword n, const double* tw,
              const FftFinish& f) {
  constexpr Qword W = Width<V>();
  double *xr = re, *xi = im, *yr = ur, *yi = ui;
  Qword len = n, s = 1;
  for (; len > 8; len /= 4, s *= 4) {
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
  if (len == 8)
    Last<V, kInv, 8>(xr, xi, re, im, s, f);
  else if (len == 4)
    Last<V, kInv, 4>(xr, xi, re, im, s, f);
  else if (len == 2)
    Last<V, kInv, 2>(xr, xi, re, im, s, f);
}

// The scratch rows start off the data's alignment, at different offsets,
// so that their rows and the data's do not all meet in the same cache sets.
template <class V, bool kInv>
void DirectT(double* s, Qword n, const double* tw, double* work, const FftFinish& f) {
  Stockham<V, kInv>(s, s + n, work + kFftWorkOffsetRe, work + n + kFftWorkOffsetIm, n, tw, f);
}

template <class V>
void Direct(double* s, Qword n, const double* tw, double* work, bool inverse, const FftFinish& f) {
  if (inverse)
    DirectT<V, true>(s, n, tw, work, f);
  else
    DirectT<V, false>(s, n, tw, work, f);
}

}  // namespace fftk
}  // namespace
