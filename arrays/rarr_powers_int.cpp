// Integer powers of the absolute and signed elements.
#include "arrays/elementwise.h"
#include "arrays/rarr_ops.h"
#include "scalar/special_numbers.h"

using elementwise::MapA;

VELTRIA_API Dword RArrAbsPowerI(Qword n, const double* src, double* dst, Long k) {
  return MapA(n, src, dst, [k](double x) { return riAbsPower(x, k); });
}
VELTRIA_API Dword RArrSignedPowerI(Qword n, const double* src, double* dst, Long k) {
  return MapA(n, src, dst, [k](double x) { return riSignedPower(x, k); });
}
VELTRIA_API Dword RArrSignedSquare(Qword n, const double* src, double* dst) {
  return RArrSignedPowerI(n, src, dst, 2);
}
