// Dot products (plain, absolute, after sorting) and the row vector times a
// column-major matrix.
#include <cmath>

#include "arrays/rarr_reduce.h"
#include "arrays/rarr_sort.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/real_helpers.h"

VELTRIA_API double RArrDotProduct(Qword count, const double* a, const double* b) {
  if (count == 0) return 0.0;
  if (!a || !b) return ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += a[i] * b[i];
  return s;
}

VELTRIA_API double RArrAbsDotProduct(Qword count, const double* a, const double* b) {
  if (count == 0) return 0.0;
  if (!a || !b) return ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += std::fabs(a[i] * b[i]);
  return s;
}

namespace {

// Pairs the k-th of a with the k-th of b in the orders of two new index
// arrays; NaN when either could not be made.
double PairedSum(Qword count, const double* a, const double* b, Qword* ia, Qword* ib, bool abs) {
  double s = ___NAN;
  if (ia && ib) {
    s = 0;
    for (Qword i = 0; i < count; ++i) {
      const double t = a[ia[i]] * b[ib[i]];
      s += abs ? std::fabs(t) : t;
    }
  }
  KillPtr(&ia);
  KillPtr(&ib);
  return s;
}

}  // namespace

VELTRIA_API double RArrSortedDotProduct(Qword count, const double* a, const double* b) {
  if (count == 0) return 0.0;
  if (!a || !b) return ___NAN;
  return PairedSum(count, a, b, RArrNewSortIndex(count, a, 1, nullptr),
                   RArrNewSortIndex(count, b, 1, nullptr), false);
}

VELTRIA_API double RArrAbsSortedDotProduct(Qword count, const double* a, const double* b) {
  if (count == 0) return 0.0;
  if (!a || !b) return ___NAN;
  return PairedSum(count, a, b, RArrNewAbsSortIndex(count, a, 1), RArrNewAbsSortIndex(count, b, 1),
                   true);
}

VELTRIA_API Dword RArrByRMat(const double* A, Dword rows, Dword cols, const double* x, double* y) {
  if (rows == 0 || cols == 0 || !A || !x) return kErrMissingInputData;
  if (!y) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < cols; ++i) {
    const double* column = A + Qword{rows} * i;
    double s = 0;
    for (Qword j = 0; j < rows; ++j) s += x[j] * column[j];
    y[i] = s;
  }
  return kErrNone;
}
