// Sums of signed powers (each term keeps the sign of its element) and of
// absolute integer powers.
#include "arrays/rarr_reduce.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

VELTRIA_API double RArrSumOfSignedPowers(Qword count, const double* x, double p) {
  if (!x || count == 0) return ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += rSignedPower(x[i], p);
  return s;
}

VELTRIA_API double RArrAbsSumOfPowersI(Qword count, const double* x, Qword n) {
  if (!x || count == 0) return ___NAN;
  const Qlong k = static_cast<Qlong>(n);
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += riAbsPower(x[i], k);
  return s;
}

VELTRIA_API double RArrSumOfSignedPowersI(Qword count, const double* x, Qword n) {
  if (!x || count == 0) return ___NAN;
  const Qlong k = static_cast<Qlong>(n);
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += riSignedPower(x[i], k);
  return s;
}
