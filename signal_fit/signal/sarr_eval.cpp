// The operation-code evaluators of signal arrays, single-precision signal
// arrays and signal matrices.
#include <cmath>
#include <cstring>

#include "arrays/random.h"
#include "arrays/rarr_ops.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/elementary.h"
#include "signal_fit/signal/fourier.h"
#include "signal_fit/signal/sarr.h"

namespace {
// The real-array code on each half, the real half's failure first.
Dword Halves(Qword n, const double* src, double* dst, Dword code, double p1, double p2) {
  const Dword re = RArrEval(n, src, dst, code, p1);
  const Dword im = RArrEval(n, src + n, dst + n, code, p2);
  return re != kErrNone ? re : im;
}

bool Known(Dword op) { return op >= 1 && op <= 41 && op != 33; }
}  // namespace

VELTRIA_API Dword SArrEval(Qword n, const double* src, double* dst, Dword op, double p1,
                           double p2) {
  if (!Known(op)) return kErrUnknownCommand;
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  switch (op) {
    case 1:
    case 5:
    case 6:
    case 7:
    case 8:
      return RArrEval(2 * n, src, dst, op, p1);
    case 25:
      return SArrReplaceRealByMagnitude(n, src, dst);
    case 26:
      return SArrConvertToMagnitudeAndPhase(n, src, dst);
    case 27: {
      double level = p1;
      return SArrNormalizeMagnitude(n, src, dst, &level);
    }
    case 28:
      return SArrReplaceRealByPower(n, src, dst);
    case 29:
      return SArrConvertToPowerAndPhase(n, src, dst);
    case 30:
      return SArrSwapRealAndImaginary(n, src, dst);
    case 31:
      return SArrMulByComplex(n, src, dst, p1, p2);
    case 32: {
      const Dword e = SArrCopy(n, src, dst);
      return e != kErrNone ? e : SArrRealToComplexSpectrum(n, dst);
    }
    case 34: {
      const Dword e = SArrCopy(n, src, dst);
      return e != kErrNone ? e : SArrFT(n, dst, p1 != 0 ? 1 : 0);
    }
    case 35: {
      // Rounded half away from zero, then cut to its low 32 bits.
      const Qlong k = DoubleToQlong(std::round(p1));
      return SArrCorrectBrukerFid(n, src, dst, static_cast<Qword>(k) & 0xFFFFFFFFu);
    }
    case 36:
      return SArrMulBySArr(n, src, dst);
    case 37:
      return SArrCopyRealIntoImag(n, src, dst);
    case 38:
      return SArrCopyImagIntoReal(n, src, dst);
    default:  // 2-4, 9-24, 39-41: each half by its own parameter
      return Halves(n, src, dst, op, p1, p2);
  }
}

VELTRIA_API double* NewSArrEval(Dword* error, Qword n, const double* src, Dword op, double p1,
                                double p2) {
  *error = kErrNone;
  double* s = SArrNew0(error, n);
  if (!s) return nullptr;
  const Dword status = SArrEval(n, src, s, op, p1, p2);
  if (status != kErrNone) {
    *error = status;
    KillPtr(&s);
  }
  return s;
}

VELTRIA_API double* NewSArrFromCFArrEval(Dword* error, Qword n, const float* src, Dword op,
                                         double p1, double p2) {
  double* s = NewSArrFromCFArr(error, n, src);
  if (!s || op == 0) return s;
  const Dword status = SArrEval(n, s, s, op, p1, p2);
  if (status != kErrNone) {
    *error = status;
    KillPtr(&s);
  }
  return s;
}

VELTRIA_API Dword CFArrEval(Qword n, const float* src, float* dst, Dword op, double p1, double p2) {
  // A null array cannot be evaluated; reporting success for it would hide
  // the caller's fault.
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  if (op == 1) {
    if (src != dst) std::memmove(dst, src, 2 * n * sizeof(float));
    return kErrNone;
  }
  for (Qword i = 0; i < n; ++i) {
    const double re = src[2 * i], im = src[2 * i + 1];
    double r = re, m = im;
    switch (op) {
      case 2:
        r = p1;
        m = p2;
        break;
      case 3:
        r = re + p1;
        m = im + p2;
        break;
      case 4:
        r = re * p1;
        m = im * p2;
        break;
      case 25:
        r = std::hypot(re, im);
        break;
      case 26:
        r = std::hypot(re, im);
        m = rAzimuth(re, im);
        break;
      case 28: {
        const float fr = src[2 * i], fi = src[2 * i + 1];
        r = fr * fr + fi * fi;
        break;
      }
      case 30:
        r = im;
        m = re;
        break;
      case 31:
        r = re * p1 - im * p2;
        m = re * p2 + im * p1;
        break;
      case 37:
        m = re;
        break;
      case 38:
        r = im;
        break;
      case 41:
        r = re + pRgNormal(0, p1);
        m = im + pRgNormal(0, p2);
        break;
      default:
        break;
    }
    dst[2 * i] = static_cast<float>(r);
    dst[2 * i + 1] = static_cast<float>(m);
  }
  return kErrNone;
}

VELTRIA_API float* NewCFArrFromSArrEval(Dword* error, Qword n, const double* src, Dword op,
                                        double p1, double p2) {
  float* c = NewCFArrFromSArr(error, n, src);
  if (!c) return nullptr;
  const Dword status = CFArrEval(n, c, c, op, p1, p2);
  if (status != kErrNone) {
    *error = status;
    KillPtr(&c);
  }
  return c;
}

VELTRIA_API Dword SMatEvalC(Qword n, Qword m, const double* src, double* dst, Dword op, double p1,
                            double p2) {
  if (!src) return kErrMissingInputData;
  if (!dst) return kErrMissingOutputBuffer;
  for (Qword j = 0; j < m; ++j) {
    const Dword status = SArrEval(n, src + 2 * n * j, dst + 2 * n * j, op, p1, p2);
    if (status != kErrNone) return status;
  }
  return kErrNone;
}

VELTRIA_API Dword NewSMatEvalC(Qword n, Qword m, const double* src, double** out, Dword op,
                               double p1, double p2) {
  if (!out) return kErrMissingOutputBuffer;
  if (n != 0 && m > MaxArrCount<double>() / 2 / n) return kErrAlloc;
  Dword error = kErrNone;
  *out = NewRealArrFill(&error, 2 * n * m);
  if (!*out) return error;
  std::memset(*out, 0, 2 * n * m * sizeof(double));
  const Dword status = SMatEvalC(n, m, src, *out, op, p1, p2);
  if (status != kErrNone) KillPtr(out);
  return status;
}
