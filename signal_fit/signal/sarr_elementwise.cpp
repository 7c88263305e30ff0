// Element-wise complex arithmetic on signal arrays. Every loop reads both
// parts of a sample before writing either, so src may be dst.
#include <emmintrin.h>

#include <cmath>
#include <cstring>

#include "arrays/rarr_extremes.h"
#include "arrays/smoothing.h"
#include "base/error_codes.h"
#include "scalar/elementary.h"
#include "signal_fit/signal/sarr.h"
#include "signal_fit/signal/sarr_magnitude.h"

namespace {
inline Dword Check(const double* src, const double* dst) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  return kErrNone;
}

// Applies f(re, im) -> (re', im') to every sample.
template <class F>
Dword ForEach(Qword n, const double* src, double* dst, F f) {
  if (const Dword e = Check(src, dst)) return e;
  for (Qword i = 0; i < n; ++i) f(src[i], src[n + i], dst[i], dst[n + i]);
  return kErrNone;
}
}  // namespace

VELTRIA_API Dword SArrAddConst(Qword n, const double* src, double* dst, double a, double b) {
  return ForEach(n, src, dst, [a, b](double re, double im, double& r, double& i) {
    r = re + a;
    i = im + b;
  });
}

VELTRIA_API Dword SArrIpAddConst(Qword n, double* s, double a, double b) {
  return SArrAddConst(n, s, s, a, b);
}

VELTRIA_API Dword SArrMulByReal(Qword n, const double* src, double* dst, double a, double b) {
  return ForEach(n, src, dst, [a, b](double re, double im, double& r, double& i) {
    r = re * a;
    i = im * b;
  });
}

VELTRIA_API Dword SArrIpMulByReal(Qword n, double* s, double a, double b) {
  return SArrMulByReal(n, s, s, a, b);
}

VELTRIA_API Dword SArrMulByComplex(Qword n, const double* src, double* dst, double a, double b) {
  return ForEach(n, src, dst, [a, b](double re, double im, double& r, double& i) {
    r = re * a - im * b;
    i = re * b + im * a;
  });
}

VELTRIA_API Dword SArrIpMulByComplex(Qword n, double* s, double a, double b) {
  return SArrMulByComplex(n, s, s, a, b);
}

VELTRIA_API Dword SArrMulBySArr(Qword n, const double* a, double* b) {
  if (const Dword e = Check(a, b)) return e;
  for (Qword i = 0; i < n; ++i) {
    const double ar = a[i], ai = a[n + i], br = b[i], bi = b[n + i];
    b[i] = ar * br - ai * bi;
    b[n + i] = ar * bi + ai * br;
  }
  return kErrNone;
}

VELTRIA_API Dword SArrIpMulBySArr(Qword n, double* s) { return SArrMulBySArr(n, s, s); }

VELTRIA_API Dword SArrInvertSign(Qword n, const double* src, double* dst) {
  if (const Dword e = Check(src, dst)) return e;
  // The sign bit itself, so that NaN and zero change sign too.
  for (Qword i = 0; i < 2 * n; ++i) {
    Qword bits;
    std::memcpy(&bits, &src[i], sizeof bits);
    bits ^= Qword{1} << 63;
    std::memcpy(&dst[i], &bits, sizeof bits);
  }
  return kErrNone;
}

VELTRIA_API Dword SArrIpInvertSign(Qword n, double* s) { return SArrInvertSign(n, s, s); }

// Two samples at a time: the square root of the vector unit is the correctly
// rounded one of std::sqrt, so the values are the same, without the error
// handling that keeps the compiler from vectorising the loop.
void SArrMagnitudeOfParts(Qword n, const double* re, const double* im, double* out) {
  Qword i = 0;
  for (; i + 2 <= n; i += 2) {
    const __m128d r = _mm_loadu_pd(re + i), m = _mm_loadu_pd(im + i);
    _mm_storeu_pd(out + i, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(r, r), _mm_mul_pd(m, m))));
  }
  for (; i < n; ++i) out[i] = std::sqrt(re[i] * re[i] + im[i] * im[i]);
}

VELTRIA_API Dword SArrReplaceRealByMagnitude(Qword n, const double* src, double* dst) {
  if (src == dst && src) {
    SArrMagnitudeOfParts(n, src, src + n, dst);
    return kErrNone;
  }
  return ForEach(n, src, dst, [](double re, double im, double& r, double& i) {
    r = std::sqrt(re * re + im * im);
    i = im;
  });
}

VELTRIA_API Dword SArrIpReplaceRealByMagnitude(Qword n, double* s) {
  return SArrReplaceRealByMagnitude(n, s, s);
}

VELTRIA_API Dword SArrReplaceRealByPower(Qword n, const double* src, double* dst) {
  return ForEach(n, src, dst, [](double re, double im, double& r, double& i) {
    r = re * re + im * im;
    i = im;
  });
}

VELTRIA_API Dword SArrIpReplaceRealByPower(Qword n, double* s) {
  return SArrReplaceRealByPower(n, s, s);
}

VELTRIA_API Dword SArrConvertToMagnitudeAndPhase(Qword n, const double* src, double* dst) {
  return ForEach(n, src, dst, [](double re, double im, double& r, double& i) {
    r = std::sqrt(re * re + im * im);
    i = rAzimuth(re, im);
  });
}

VELTRIA_API Dword SArrConvertToPowerAndPhase(Qword n, const double* src, double* dst) {
  return ForEach(n, src, dst, [](double re, double im, double& r, double& i) {
    r = re * re + im * im;
    i = rAzimuth(re, im);
  });
}

VELTRIA_API Dword SArrConvolute(Qword n, const double* src, double* dst, Qword m,
                                const double* kernel) {
  if (const Dword e = Check(src, dst)) return e;
  const Dword status = RArrConvolute(n, src, dst, m, kernel);
  if (status != kErrNone) return status;
  return RArrConvolute(n, src + n, dst + n, m, kernel);
}

VELTRIA_API Dword SArrHistogram(Qword n, const double* s, double* bins, Qlong nbins, double width,
                                Qword skip) {
  if (!s) return kErrMissingInputData;
  const Dword status = RArrHistogram(n, s, bins, nbins, width, skip);
  if (status != kErrNone) return status;
  return RArrHistogram(n, s + n, bins ? bins + (nbins > 0 ? nbins : 0) : nullptr, nbins, width,
                       skip);
}
