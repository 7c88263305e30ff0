// The in-place variants: each is its operation with the destination equal to
// the source.
#include "arrays/rarr_ops.h"

VELTRIA_API Dword RArrIpAbs(Qword n, double* d) { return RArrAbs(n, d, d); }
VELTRIA_API Dword RArrIpAbsPower(Qword n, double* d, double p) { return RArrAbsPower(n, d, d, p); }
VELTRIA_API Dword RArrIpAddConst(Qword n, double* d, double c) { return RArrAddConst(n, d, d, c); }
VELTRIA_API Dword RArrIpAddNoise(Qword n, double* d, double s) { return RArrAddNoise(n, d, d, s); }
VELTRIA_API Dword RArrIpClip(Qword mode, Qword n, double* d, double a) {
  return RArrClip(mode, n, d, d, a);
}
VELTRIA_API Dword RArrIpInversSignedModf(Qword n, double* d, double a) {
  return RArrInversSignedModf(n, d, d, a);
}
VELTRIA_API Dword RArrIpInvertSign(Qword n, double* d) { return RArrInvertSign(n, d, d); }
VELTRIA_API Dword RArrIpModf(Qword n, double* d, double a) { return RArrModf(n, d, d, a); }
VELTRIA_API Dword RArrIpMulConst(Qword n, double* d, double c) { return RArrMulConst(n, d, d, c); }
VELTRIA_API Dword RArrIpPowerI(Qword n, double* d, Long k) { return RArrPowerI(n, d, d, k); }
VELTRIA_API Dword RArrIpSwapHalfs(Qword n, double* d) { return RArrSwapHalfs(n, d, d); }
VELTRIA_API Dword RArrIpReverse(Qword n, double* d) { return RArrReverse(n, d, d); }
VELTRIA_API Dword RArrIpRotate(Qword n, double* d, Qlong k) { return RArrRotate(n, d, d, k); }
VELTRIA_API Dword RArrIpShiftR(Qword n, double* d, Qlong k) { return RArrShiftR(n, d, d, k); }
VELTRIA_API Dword RArrIpShiftZ(Qword n, double* d, Qlong k) { return RArrShiftZ(n, d, d, k); }
VELTRIA_API Dword RArrIpSignedModf(Qword n, double* d, double a) {
  return RArrSignedModf(n, d, d, a);
}
VELTRIA_API Dword RArrIpSignedPower(Qword n, double* d, double p) {
  return RArrSignedPower(n, d, d, p);
}
VELTRIA_API Dword RArrIpSquare(Qword n, double* d) { return RArrSquare(n, d, d); }
