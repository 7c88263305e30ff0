// The complex signal of a real spectrum: through the decay, whose
// negative-time half is folded onto the positive one.
#include "base/error_codes.h"
#include "signal_fit/signal/fourier.h"

VELTRIA_API Dword SArrRealToComplexFID(Qword n, double* s) {
  const Dword status = SArrFT(n, s, 1);
  if (status != kErrNone) return status;
  double* re = s;
  double* im = s + n;
  // Sample 0 and the Nyquist sample n/2 belong to both halves and stay as
  // they are; clearing the Nyquist sample would bend the real part away
  // from the input spectrum.
  for (Qword i = 1; 2 * i < n; ++i) {
    const Qword j = n - i;
    const double rp = re[i], ip = im[i], rm = re[j], imm = im[j];
    re[i] = rp + rm;
    im[i] = ip - imm;
    re[j] = rp - rm;
    im[j] = ip + imm;
  }
  return kErrNone;
}

VELTRIA_API Dword SArrRealToComplexSpectrum(Qword n, double* s) {
  const Dword status = SArrRealToComplexFID(n, s);
  if (status != kErrNone) return status;
  return SArrFT(n, s, 0);
}
