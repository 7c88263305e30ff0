// Power sums of all elements and the Frobenius norm from the plain sum of
// squares.
#include "arrays/array_templates.h"
#include "arrays/rarr_reduce.h"
#include "arrays/rmat.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

VELTRIA_API double RMatSumOfPowersI(Qword rows, Qword cols, const double* A, Qword n) {
  Qword count;
  if (!MatCount(rows, cols, &count)) return ___NAN;
  return RArrSumOfPowersI(count, A, n);
}

VELTRIA_API double RMatNormL2(Qword rows, Qword cols, const double* A) {
  return rSqrt(RMatSumOfPowersI(rows, cols, A, 2));
}
