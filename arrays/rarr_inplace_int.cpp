// In-place variants of the integer-power and running operations.
#include "arrays/rarr_integrate.h"
#include "arrays/rarr_ops.h"

VELTRIA_API Dword RArrIpAbsPowerI(Qword n, double* d, Long k) { return RArrAbsPowerI(n, d, d, k); }
VELTRIA_API Dword RArrIpSignedPowerI(Qword n, double* d, Long k) {
  return RArrSignedPowerI(n, d, d, k);
}
VELTRIA_API Dword RArrIpSignedSquare(Qword n, double* d) { return RArrSignedSquare(n, d, d); }

// The running sums, products and integrals in place.
VELTRIA_API Dword RArrIpRunningSum(Qword n, double* d) { return RArrRunningSum(n, d, d); }
VELTRIA_API Dword RArrIpRunningProduct(Qword n, double* d) { return RArrRunningProduct(n, d, d); }
VELTRIA_API Dword RArrIpRunningTrapez2(Qword n, double* d) { return RArrRunningTrapez2(n, d, d); }
VELTRIA_API Dword RArrIpRunningModTrapez(Qword n, double* d, double before, double after) {
  return RArrRunningModTrapez(n, d, d, before, after);
}
