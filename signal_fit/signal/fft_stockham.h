// The transform's passes as templates over the vector type V (double for
// the scalar edges, or a GCC vector of W doubles), included by each build of
// the kernels. Internal linkage keeps the builds' copies apart; nothing here
// calls into a header, so every instruction comes from the including build.
//
// Stockham passes of radix R = 8 or 4 on split real and imaginary rows: a
// pass of length L and stride s reads x[q + s(p + jL/R)] for j < R and writes
// the R-point transform, times exp(+-2 pi i p k / L), to y[q + s(Rp + k)];
// the output lands in natural order without a bit reversal. The last pass
// (length 8, 4 or 2, no factors) applies the scaling and centring.
#pragma once
#include "base/types.h"
#include "signal_fit/signal/fft_plan.h"

namespace {
namespace fftk {

typedef double V2 __attribute__((vector_size(16)));
typedef double V4 __attribute__((vector_size(32)));

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
  } else if constexpr (Width<V>() == 4) {
    return __builtin_shufflevector(V{x}, V{x}, 0, 0, 0, 0);
  } else {
    return __builtin_shufflevector(V{x}, V{x}, 0, 0);
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

template <class V, bool kInv, int kRadix>
inline void Dft(const V* xr, const V* xi, V* yr, V* yi) {
  if constexpr (kRadix == 8)
    Dft8<V, kInv>(xr, xi, yr, yi);
  else
    Dft4<V, kInv>(xr, xi, yr, yi);
}

// The R-point transforms of the s values at p of one pass, each output k
// turned by its factor (all 1 at p = 0, where kTurn is false).
template <class V, bool kInv, int kRadix, bool kTurn>
inline void Butterflies(const double* __restrict ar, const double* __restrict ai,
                        double* __restrict br, double* __restrict bi, Qword s, Qword sm,
                        const double* tw, Qword m) {
  for (Qword q = 0; q < s; q += Width<V>()) {
    V ur[kRadix], ui[kRadix], vr[kRadix], vi[kRadix];
    for (int j = 0; j < kRadix; ++j) {
      ur[j] = Ld<V>(ar + j * sm + q);
      ui[j] = Ld<V>(ai + j * sm + q);
    }
    Dft<V, kInv, kRadix>(ur, ui, vr, vi);
    if constexpr (kTurn)
      for (int k = 1; k < kRadix; ++k)
        Rotate<V, kInv>(vr[k], vi[k], Splat<V>(tw[(2 * k - 2) * m]), Splat<V>(tw[(2 * k - 1) * m]));
    for (int k = 0; k < kRadix; ++k) {
      St<V>(br + k * s + q, vr[k]);
      St<V>(bi + k * s + q, vi[k]);
    }
  }
}

// One pass of radix R (4 or 8), length len and stride s (a multiple of the
// width): factors k = 1 .. R-1 in rows of len/R at tw.
template <class V, bool kInv, int kRadix>
void Pass(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
          double* __restrict yi, Qword len, Qword s, const double* tw) {
  const Qword m = len / kRadix, sm = s * m;
  Butterflies<V, kInv, kRadix, false>(xr, xi, yr, yi, s, sm, tw, m);
  for (Qword p = 1; p < m; ++p)
    Butterflies<V, kInv, kRadix, true>(xr + s * p, xi + s * p, yr + kRadix * s * p,
                                       yi + kRadix * s * p, s, sm, tw + p, m);
}

// Transposes W vectors of W lanes in place (v[j][l] := v[l][j]).
template <class V>
inline void Transpose(V* v) {
  if constexpr (Width<V>() == 4) {
    const V t0 = __builtin_shufflevector(v[0], v[1], 0, 4, 2, 6);
    const V t1 = __builtin_shufflevector(v[0], v[1], 1, 5, 3, 7);
    const V t2 = __builtin_shufflevector(v[2], v[3], 0, 4, 2, 6);
    const V t3 = __builtin_shufflevector(v[2], v[3], 1, 5, 3, 7);
    v[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    v[1] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    v[2] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    v[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
  } else {
    const V t0 = __builtin_shufflevector(v[0], v[1], 0, 2);
    v[1] = __builtin_shufflevector(v[0], v[1], 1, 3);
    v[0] = t0;
  }
}

// dst[R l + k] = v[k][l]: the R outputs of W neighbouring p, in the order
// the pass wants them.
template <class V, int kRadix>
inline void StoreTransposed(double* dst, const V* v) {
  constexpr Qword W = Width<V>();
  for (int h = 0; h < kRadix; h += W) {
    V t[W];
    for (Qword l = 0; l < W; ++l) t[l] = v[h + l];
    Transpose<V>(t);
    for (Qword l = 0; l < W; ++l) St<V>(dst + kRadix * l + h, t[l]);
  }
}

// The first pass (stride 1) with the lanes running over p.
template <class V, bool kInv, int kRadix>
void PassFirst(const double* __restrict xr, const double* __restrict xi, double* __restrict yr,
               double* __restrict yi, Qword len, const double* tw) {
  const Qword m = len / kRadix;
  for (Qword p = 0; p < m; p += Width<V>()) {
    V ur[kRadix], ui[kRadix], vr[kRadix], vi[kRadix];
    for (int j = 0; j < kRadix; ++j) {
      ur[j] = Ld<V>(xr + j * m + p);
      ui[j] = Ld<V>(xi + j * m + p);
    }
    Dft<V, kInv, kRadix>(ur, ui, vr, vi);
    for (int k = 1; k < kRadix; ++k)
      Rotate<V, kInv>(vr[k], vi[k], Ld<V>(tw + (2 * k - 2) * m + p),
                      Ld<V>(tw + (2 * k - 1) * m + p));
    StoreTransposed<V, kRadix>(yr + kRadix * p, vr);
    StoreTransposed<V, kRadix>(yi + kRadix * p, vi);
  }
}

template <class V, bool kInv, int kRadix>
void AnyPass(const double* xr, const double* xi, double* yr, double* yi, Qword len, Qword s,
             const double* tw) {
  constexpr Qword W = Width<V>();
  if (s >= W)
    Pass<V, kInv, kRadix>(xr, xi, yr, yi, len, s, tw);
  else if (s == 1 && len / kRadix >= W)
    PassFirst<V, kInv, kRadix>(xr, xi, yr, yi, len, tw);
  else
    Pass<double, kInv, kRadix>(xr, xi, yr, yi, len, s, tw);
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
  if (kRadix < 8 && s >= kLine && kLine > Width<V>())
    PassLast<V, kInv, kRadix, kLine / Width<V>()>(xr, xi, yr, yi, s, f);
  else if (s >= Width<V>())
    PassLast<V, kInv, kRadix, 1>(xr, xi, yr, yi, s, f);
  else
    PassLast<double, kInv, kRadix, 1>(xr, xi, yr, yi, s, f);
}

// The n-point transform of s in place through the two scratch areas of
// work, in the passes FftSchedule gives.
template <class V, bool kInv>
void DirectT(double* s, Qword n, const double* tw, double* work, const FftFinish& f) {
  unsigned radix_logs[kFftMaxPasses];
  unsigned rem = 0;
  while ((Qword{1} << rem) < n) ++rem;
  const unsigned passes = FftSchedule(rem, radix_logs);
  const double* xr = s;
  const double* xi = s + n;
  Qword stride = 1;
  for (unsigned k = 0; k + 1 < passes; ++k) {
    double* yr = work + 2 * (k & 1) * n + kFftWorkOffset[2 * (k & 1)];
    double* yi = work + (2 * (k & 1) + 1) * n + kFftWorkOffset[2 * (k & 1) + 1];
    const Qword len = Qword{1} << rem, radix = Qword{1} << radix_logs[k];
    if (radix == 8)
      AnyPass<V, kInv, 8>(xr, xi, yr, yi, len, stride, tw);
    else
      AnyPass<V, kInv, 4>(xr, xi, yr, yi, len, stride, tw);
    tw += 2 * (radix - 1) * (len / radix);
    stride *= radix;
    rem -= radix_logs[k];
    xr = yr, xi = yi;
  }
  if (rem == 3)
    Last<V, kInv, 8>(xr, xi, s, s + n, stride, f);
  else if (rem == 2)
    Last<V, kInv, 4>(xr, xi, s, s + n, stride, f);
  else if (rem == 1)
    Last<V, kInv, 2>(xr, xi, s, s + n, stride, f);
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
