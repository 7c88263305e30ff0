// IEEE special values by bit pattern, the error NaN, tolerant comparisons.
#include <bit>
#include <cmath>

#include "scalar/real_helpers.h"

namespace {
inline Qword BitsOf(double x) { return std::bit_cast<Qword>(x); }
}  // namespace

VELTRIA_API double* rSetNAN(double* x) {
  *x = ___NAN;
  return x;
}
VELTRIA_API void rSetPlsINF(double* x) { *x = std::bit_cast<double>(Qword{0x7FF0000000000000}); }
VELTRIA_API void rSetMnsINF(double* x) { *x = std::bit_cast<double>(Qword{0xFFF0000000000000}); }

VELTRIA_API double rSetERR(Dword code) {
  return std::bit_cast<double>((Qword{0xFFFF0000} << 32) | code);
}
VELTRIA_API Dword rGetERR(double x) {
  return rIsNAN(x) ? static_cast<Dword>(BitsOf(x) & 0xFFFFFFFF) : 0;
}

VELTRIA_API Long rCompare(double a, double b, double tol) {
  if (std::fabs(a - b) <= tol * (std::fabs(a) + std::fabs(b))) return 0;
  if (a < 0 && b >= 0) return -1;
  if (a >= 0 && b < 0) return 1;
  if (a >= 0 && b >= 0) return a < b ? -1 : 1;
  return a > b ? -1 : 1;  // both negative (or NaN): by magnitude
}

VELTRIA_API Long rCompareTo0(double x, double tol) {
  if (std::fabs(x) <= tol) return 0;
  return x < 0 ? -1 : 1;
}

VELTRIA_API bool rIsDifferentAbs(double a, double b, double tol) { return std::fabs(b - a) > tol; }
VELTRIA_API bool rIsDifferentRel(double a, double b, double tol) {
  return std::fabs(b - a) > tol * std::fmax(std::fabs(a), std::fabs(b));
}
VELTRIA_API bool rIsZeroAbs(double x, double tol) { return !(std::fabs(x) > tol); }
VELTRIA_API double rKronDelta(double a, double b, double tol) {
  return rIsDifferentRel(a, b, tol) ? 0.0 : 1.0;
}

VELTRIA_API bool rReplaceIfDifferentAbs(double* a, double b, double tol) {
  if (!rIsDifferentAbs(*a, b, tol)) return false;
  *a = b;
  return true;
}
VELTRIA_API bool rReplaceIfDifferentRel(double* a, double b, double tol) {
  if (!rIsDifferentRel(*a, b, tol)) return false;
  *a = b;
  return true;
}

VELTRIA_API bool rIsBetweenAtoB(double x, double a, double b) {
  return a <= b ? (a <= x && x <= b) : (b <= x && x <= a);
}
VELTRIA_API bool rHaveSameSign(double a, double b) {
  return (a >= 0 && b >= 0) || (a <= 0 && b <= 0);
}

VELTRIA_API bool rIsInteger(double x) {
  // Inside the signed 64-bit range, -2^63 included; false for NaN.
  if (!(x >= -9223372036854775808.0 && x < 9223372036854775808.0)) return false;
  return x - static_cast<double>(static_cast<Qlong>(x)) == 0.0;
}
