// Sums of signed powers: each term keeps the sign of its element.
#include "arrays/rarr_reduce.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double RArrSumOfSignedPowers(Qword count, const double* x, double p) {
  if (!x || count == 0) return ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += rSignedPower(x[i], p);
  return s;
}
