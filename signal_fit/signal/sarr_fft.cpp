// In-place radix-2 Fourier transform of a signal array with the centred
// ordering of the spectrum and the symmetric 1/sqrt(n) scaling.
//
// The factors of every stage sit in their own contiguous row, tabulated
// once per call from a coarse and a fine table of exact sines (each entry
// one product of two correctly rounded values, so a few ulp at any size).
// Two radix-2 stages run in one pass over the data (the same operations in
// the same order, half the memory traffic), two samples at a time; the
// small stages run block by block while a block sits in the cache, and only
// the large stages stream over the whole array.
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

namespace {
constexpr Qword kFine = 64;          // fine twiddle table length
constexpr Qword kCacheBlock = 4096;  // complex points per cache block

typedef double V2 __attribute__((vector_size(16)));

inline V2 Load(const double* p) {
  V2 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(double* p, V2 v) { std::memcpy(p, &v, sizeof v); }

Qword Reverse(Qword x, unsigned bits) {
  Qword r = 0;
  for (unsigned b = 0; b < bits; ++b) r |= ((x >> b) & 1) << (bits - 1 - b);
  return r;
}

void BitReverseSimple(Qword n, double* re, double* im) {
  Qword j = 0;
  for (Qword i = 0; i + 1 < n; ++i) {
    if (i < j) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
    Qword bit = n >> 1;
    while (j & bit) {
      j ^= bit;
      bit >>= 1;
    }
    j |= bit;
  }
}

// The index splits into high, middle and low parts of b, L - 2b and b
// bits; reversal maps (hi, mid, lo) to (rev lo, rev mid, rev hi). Tiles mid
// and rev(mid) (2^b rows of 2^b neighbours each) are copied into a local
// buffer and written back transposed, so every access to the array runs
// along a row; swapping in place would jump by 2^(L-b) for every element
// and keep evicting its own cache lines.
void BitReverse(Qword n, double* re, double* im) {
  constexpr unsigned b = 5;
  constexpr Qword B = Qword{1} << b;
  unsigned L = 0;
  while ((Qword{1} << L) < n) ++L;
  if (L < 2 * b + 2) {
    BitReverseSimple(n, re, im);
    return;
  }
  Qword rb[B];
  for (Qword x = 0; x < B; ++x) rb[x] = Reverse(x, b);
  const unsigned mid_bits = L - 2 * b;
  const unsigned shift = L - b;
  double tile[2][2][B * B];  // [tile m / m2][re / im][hi * B + lo]
  double* data[2] = {re, im};
  for (Qword m = 0; m < (Qword{1} << mid_bits); ++m) {
    const Qword m2 = Reverse(m, mid_bits);
    if (m2 < m) continue;
    const Qword mids[2] = {m, m2};
    const int tiles = m == m2 ? 1 : 2;
    for (int t = 0; t < tiles; ++t)
      for (int part = 0; part < 2; ++part)
        for (Qword hi = 0; hi < B; ++hi)
          std::memcpy(&tile[t][part][hi * B], data[part] + ((hi << shift) | (mids[t] << b)),
                      B * sizeof(double));
    // Tile t goes to the rows of tile 1 - t (itself when m = m2).
    for (int t = 0; t < tiles; ++t) {
      const Qword target = mids[tiles - 1 - t];
      for (int part = 0; part < 2; ++part)
        for (Qword r = 0; r < B; ++r) {
          double* row = data[part] + ((r << shift) | (target << b));
          const double* src = tile[t][part];
          const Qword lo = rb[r];
          for (Qword c = 0; c < B; ++c) row[c] = src[rb[c] * B + lo];
        }
    }
  }
}

// wr[m + j], wi[m + j] = exp(sign i pi j / m) for every stage m < n, j < m.
void Twiddles(Qword n, double sign, double* wr, double* wi) {
  const Qword half = n / 2;
  double* tr = wr + half;  // the largest row: exp(sign 2 pi i k / n)
  double* ti = wi + half;
  const double unit = 2.0 * std::numbers::pi / static_cast<double>(n);
  double fr[kFine], fi[kFine];
  const Qword fine = half < kFine ? half : kFine;
  for (Qword b = 0; b < fine; ++b) {
    fr[b] = std::cos(unit * static_cast<double>(b));
    fi[b] = sign * std::sin(unit * static_cast<double>(b));
  }
  for (Qword a = 0; a < half; a += fine) {
    const double cr = std::cos(unit * static_cast<double>(a));
    const double ci = sign * std::sin(unit * static_cast<double>(a));
    for (Qword b = 0; b < fine; ++b) {
      tr[a + b] = cr * fr[b] - ci * fi[b];
      ti[a + b] = cr * fi[b] + ci * fr[b];
    }
  }
  for (Qword m = half / 2; m >= 1; m /= 2)
    for (Qword j = 0; j < m; ++j) {
      wr[m + j] = wr[2 * m + 2 * j];
      wi[m + j] = wi[2 * m + 2 * j];
    }
}

// One radix-2 stage of half-length m over [begin, end).
void Stage(double* re, double* im, Qword begin, Qword end, Qword m, const double* wr,
           const double* wi) {
  const double* cr = wr + m;
  const double* ci = wi + m;
  for (Qword k = begin; k < end; k += 2 * m) {
    double* r0 = re + k;
    double* i0 = im + k;
    double* r1 = r0 + m;
    double* i1 = i0 + m;
    for (Qword j = 0; j < m; ++j) {
      const double c = cr[j], s = ci[j];
      const double tr = c * r1[j] - s * i1[j];
      const double ti = c * i1[j] + s * r1[j];
      const double ar = r0[j], ai = i0[j];
      r0[j] = ar + tr;
      i0[j] = ai + ti;
      r1[j] = ar - tr;
      i1[j] = ai - ti;
    }
  }
}

// The radix-2 stages of half-length m and 2m in one pass, on samples
// j, j + m, j + 2m, j + 3m of each block of 4m. T is double or V2 (two
// neighbouring j at once); the factor of the odd quarter in the second
// stage is the first quarter's times sign i.
template <class T>
inline void Quad(double* r, double* i, Qword m, Qword j, const double* w1r, const double* w1i,
                 const double* w2r, const double* w2i, double sign) {
  auto ld = [](const double* p) {
    if constexpr (sizeof(T) == sizeof(double)) {
      return *p;
    } else {
      return Load(p);
    }
  };
  auto st = [](double* p, T v) {
    if constexpr (sizeof(T) == sizeof(double)) {
      *p = v;
    } else {
      Store(p, v);
    }
  };
  const T c1 = ld(w1r + j), n1 = ld(w1i + j);
  const T c2 = ld(w2r + j), n2 = ld(w2i + j);
  const T c3 = -sign * n2, n3 = sign * c2;
  const T x0r = ld(r + j), x0i = ld(i + j);
  const T x1r = ld(r + m + j), x1i = ld(i + m + j);
  const T x2r = ld(r + 2 * m + j), x2i = ld(i + 2 * m + j);
  const T x3r = ld(r + 3 * m + j), x3i = ld(i + 3 * m + j);
  T tr = c1 * x1r - n1 * x1i;
  T ti = c1 * x1i + n1 * x1r;
  const T y0r = x0r + tr, y0i = x0i + ti;
  const T y1r = x0r - tr, y1i = x0i - ti;
  tr = c1 * x3r - n1 * x3i;
  ti = c1 * x3i + n1 * x3r;
  const T y2r = x2r + tr, y2i = x2i + ti;
  const T y3r = x2r - tr, y3i = x2i - ti;
  tr = c2 * y2r - n2 * y2i;
  ti = c2 * y2i + n2 * y2r;
  st(r + j, y0r + tr);
  st(i + j, y0i + ti);
  st(r + 2 * m + j, y0r - tr);
  st(i + 2 * m + j, y0i - ti);
  tr = c3 * y3r - n3 * y3i;
  ti = c3 * y3i + n3 * y3r;
  st(r + m + j, y1r + tr);
  st(i + m + j, y1i + ti);
  st(r + 3 * m + j, y1r - tr);
  st(i + 3 * m + j, y1i - ti);
}

void Stage2(double* re, double* im, Qword begin, Qword end, Qword m, const double* wr,
            const double* wi, double sign) {
  const double* w1r = wr + m;
  const double* w1i = wi + m;
  const double* w2r = wr + 2 * m;
  const double* w2i = wi + 2 * m;
  for (Qword k = begin; k < end; k += 4 * m) {
    if (m == 1) {
      Quad<double>(re + k, im + k, 1, 0, w1r, w1i, w2r, w2i, sign);
      continue;
    }
    for (Qword j = 0; j < m; j += 2) Quad<V2>(re + k, im + k, m, j, w1r, w1i, w2r, w2i, sign);
  }
}

// Stages first, 2 first, ... below limit over [begin, end), two at a time.
void Stages(double* re, double* im, Qword begin, Qword end, Qword first, Qword limit,
            const double* wr, const double* wi, double sign) {
  Qword m = first;
  for (; 4 * m <= limit; m *= 4) Stage2(re, im, begin, end, m, wr, wi, sign);
  if (2 * m <= limit) Stage(re, im, begin, end, m, wr, wi);
}
}  // namespace

VELTRIA_API Dword SArrFT(Qword n, double* s, Long direction) {
  if (!s || n == 0) return kErrMissingInputData;
  if ((n & (n - 1)) != 0) return kErrIllegalArgument;
  if (n == 1) return kErrNone;
  Dword error = kErrNone;
  double* w = NewRealArrFill(&error, 2 * n);  // the rows' cosines, then their sines
  if (!w) return error;
  double* re = s;
  double* im = s + n;
  const double sign = direction == 0 ? 1.0 : -1.0;
  if (direction != 0) SArrSwapHalfs(n, s);
  Twiddles(n, sign, w, w + n);
  BitReverse(n, re, im);
  const Qword block = n < kCacheBlock ? n : kCacheBlock;
  for (Qword b = 0; b < n; b += block) Stages(re, im, b, b + block, 1, block, w, w + n, sign);
  Stages(re, im, 0, n, block, n, w, w + n, sign);
  const double scale = 1.0 / std::sqrt(static_cast<double>(n));
  for (Qword i = 0; i < 2 * n; ++i) s[i] *= scale;
  if (direction == 0) SArrSwapHalfs(n, s);
  KillPtr(&w);
  return kErrNone;
}
