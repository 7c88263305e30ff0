// In-place radix-2 Fourier transform of a signal array with the centred
// ordering of the spectrum and the symmetric 1/sqrt(n) scaling.
//
// The twiddle factors are tabulated once per call from a coarse and a fine
// table of exact sines (each entry is one product of two correctly rounded
// values, so the table is accurate to a few ulp at any size), and the small
// butterfly stages run block by block while a block still sits in the
// cache; only the large stages stream over the whole array.
#include <cmath>
#include <numbers>
#include <utility>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

namespace {
constexpr Qword kFine = 64;          // fine twiddle table length
constexpr Qword kCacheBlock = 4096;  // complex points per cache block

void BitReverse(Qword n, double* re, double* im) {
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

// w[k] = exp(sign 2 pi i k / n) for k < n/2.
void Twiddles(Qword n, double sign, double* wr, double* wi) {
  const Qword half = n / 2;
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
      wr[a + b] = cr * fr[b] - ci * fi[b];
      wi[a + b] = cr * fi[b] + ci * fr[b];
    }
  }
}

// One butterfly stage of half-length m over [begin, end).
inline void Stage(double* re, double* im, Qword begin, Qword end, Qword m, Qword stride,
                  const double* wr, const double* wi) {
  if (m == 1) {
    for (Qword k = begin; k < end; k += 2) {
      const double ar = re[k], ai = im[k], br = re[k + 1], bi = im[k + 1];
      re[k] = ar + br;
      im[k] = ai + bi;
      re[k + 1] = ar - br;
      im[k + 1] = ai - bi;
    }
    return;
  }
  for (Qword k = begin; k < end; k += 2 * m) {
    double* r0 = re + k;
    double* i0 = im + k;
    double* r1 = r0 + m;
    double* i1 = i0 + m;
    for (Qword j = 0; j < m; ++j) {
      const double c = wr[j * stride], s = wi[j * stride];
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
}  // namespace

VELTRIA_API Dword SArrFT(Qword n, double* s, Long direction) {
  if (!s || n == 0) return kErrMissingInputData;
  if ((n & (n - 1)) != 0) return kErrIllegalArgument;
  if (n == 1) return kErrNone;
  Dword error = kErrNone;
  double* w = NewQwordArrFill(&error, n);  // n/2 cosines, then n/2 sines
  if (!w) return error;
  double* re = s;
  double* im = s + n;
  if (direction != 0) SArrSwapHalfs(n, s);
  Twiddles(n, direction == 0 ? 1.0 : -1.0, w, w + n / 2);
  BitReverse(n, re, im);
  const Qword block = n < kCacheBlock ? n : kCacheBlock;
  for (Qword b = 0; b < n; b += block)
    for (Qword m = 1; m < block; m *= 2) Stage(re, im, b, b + block, m, n / (2 * m), w, w + n / 2);
  for (Qword m = block; m < n; m *= 2) Stage(re, im, 0, n, m, n / (2 * m), w, w + n / 2);
  const double scale = 1.0 / std::sqrt(static_cast<double>(n));
  for (Qword i = 0; i < 2 * n; ++i) s[i] *= scale;
  if (direction == 0) SArrSwapHalfs(n, s);
  KillPtr(&w);
  return kErrNone;
}
