// The in-place conversions between the two readings of a series.
#include "arrays/generating_functions.h"
#include "arrays/rarr_ops.h"

VELTRIA_API Dword RArrIpOgfOfEgf(Qword n, double* data) { return RArrOgfOfEgf(n, data, data); }
VELTRIA_API Dword RArrIpEgfOfOgf(Qword n, double* data) { return RArrEgfOfOgf(n, data, data); }
