// Arithmetic of real arrays with constants and with a second array.
#include <bit>
#include <cmath>

#include "arrays/elementwise.h"
#include "arrays/random.h"
#include "arrays/rarr_ops.h"
#include "scalar/real_helpers.h"

using elementwise::CheckA;
using elementwise::CheckB;
using elementwise::MapA;
using elementwise::ZipB;

VELTRIA_API Dword RArrAdd(Qword n, const double* a, const double* b, double* dst) {
  return ZipB(n, a, b, dst, [](double x, double y) { return x + y; });
}
VELTRIA_API Dword RArrSub(Qword n, const double* a, const double* b, double* dst) {
  return ZipB(n, a, b, dst, [](double x, double y) { return x - y; });
}
VELTRIA_API Dword RArrMul(Qword n, const double* a, const double* b, double* dst) {
  return ZipB(n, a, b, dst, [](double x, double y) { return x * y; });
}
// An exact zero divisor gives NaN in that element.
VELTRIA_API Dword RArrDiv(Qword n, const double* a, const double* b, double* dst) {
  return ZipB(n, a, b, dst, [](double x, double y) { return y == 0 ? ___NAN : x / y; });
}

VELTRIA_API Dword RArrAdd2(Qword n, const double* src, double* dst, double f) {
  if (n == 0) return kErrNone;
  if (const Dword e = CheckB(src, src, dst)) return e;
  if (f == 1) {
    for (Qword i = 0; i < n; ++i) dst[i] += src[i];
  } else {
    for (Qword i = 0; i < n; ++i) dst[i] += f * src[i];
  }
  return kErrNone;
}

VELTRIA_API Dword RArrSub2(Qword n, const double* src, double* dst, double f) {
  if (n == 0) return kErrNone;
  if (const Dword e = CheckB(src, src, dst)) return e;
  if (f == 1) {
    for (Qword i = 0; i < n; ++i) dst[i] -= src[i];
  } else {
    for (Qword i = 0; i < n; ++i) dst[i] -= f * src[i];
  }
  return kErrNone;
}

VELTRIA_API Dword RArrMul2(Qword n, const double* src, double* dst) {
  return RArrMul(n, dst, src, dst);
}
VELTRIA_API Dword RArrDiv2(Qword n, const double* src, double* dst) {
  return RArrDiv(n, dst, src, dst);
}

VELTRIA_API Dword RArrLinCombi(Qword n, const double* a, double ca, const double* b, double cb,
                               double* dst) {
  return ZipB(n, a, b, dst, [ca, cb](double x, double y) { return ca * x + cb * y; });
}

VELTRIA_API Dword RArrAddConst(Qword n, const double* src, double* dst, double c) {
  return MapA(n, src, dst, [c](double x) { return x + c; });
}
VELTRIA_API Dword RArrMulConst(Qword n, const double* src, double* dst, double c) {
  return MapA(n, src, dst, [c](double x) { return x * c; });
}

// One draw per element, in index order.
VELTRIA_API Dword RArrAddNoise(Qword n, const double* src, double* dst, double sigma) {
  return MapA(n, src, dst, [sigma](double x) { return x + pRgNormal(0, sigma); });
}

VELTRIA_API Dword RArrAbs(Qword n, const double* src, double* dst) {
  return MapA(n, src, dst, [](double x) { return std::fabs(x); });
}

// The sign bit flips: 0.0 becomes -0.0 and a NaN keeps its payload.
VELTRIA_API Dword RArrInvertSign(Qword n, const double* src, double* dst) {
  return MapA(n, src, dst, [](double x) {
    return std::bit_cast<double>(std::bit_cast<Qword>(x) ^ 0x8000000000000000u);
  });
}

VELTRIA_API void RArrPlaneRotation(Qword n, double* x, double* y, double c, double s) {
  for (Qword i = 0; i < n; ++i) {
    const double xi = x[i], yi = y[i];
    x[i] = c * xi + s * yi;
    y[i] = c * yi - s * xi;
  }
}
