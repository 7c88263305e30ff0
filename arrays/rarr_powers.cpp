// Powers of the elements of real arrays.
#include "arrays/elementwise.h"
#include "arrays/rarr_ops.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

using elementwise::MapA;

VELTRIA_API Dword RArrAbsPower(Qword n, const double* src, double* dst, double p) {
  return MapA(n, src, dst, [p](double x) { return rPow(x, p); });
}
VELTRIA_API Dword RArrPowerI(Qword n, const double* src, double* dst, Long k) {
  return MapA(n, src, dst, [k](double x) { return riPower(x, k); });
}
VELTRIA_API Dword RArrSquare(Qword n, const double* src, double* dst) {
  return RArrPowerI(n, src, dst, 2);
}
VELTRIA_API Dword RArrSignedPower(Qword n, const double* src, double* dst, double p) {
  return MapA(n, src, dst, [p](double x) { return rSignedPower(x, p); });
}
