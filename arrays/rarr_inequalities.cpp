// Gaps of the classical inequalities (Cauchy, Chebyshev, Hoelder,
// Minkowski, triangle): non-negative for real data up to rounding. Sums in
// backward order where the called sum has a choice.
#include <cmath>

#include "arrays/rarr_extremes.h"
#include "arrays/rarr_reduce.h"
#include "scalar/real_helpers.h"
#include "scalar/safe_arith.h"

namespace {

inline bool Empty(Qword count, const double* a, const double* b) { return !a || !b || count == 0; }

double CauchyGap(Qword count, const double* a, const double* b, Long n, double dot) {
  const Qword k = static_cast<Qword>(static_cast<Qlong>(n));
  return RArrSumOfPowersI(count, a, k) * RArrSumOfPowersI(count, b, k) - riPower(dot, n);
}

double HoelderGap(Qword count, const double* a, const double* b, double p, double dot) {
  const double q = p / (p - 1);
  return RArrAbsHoelderSum(count, a, p) * RArrAbsHoelderSum(count, b, q) - dot;
}

}  // namespace

VELTRIA_API double RArrIneqCauchy(Qword count, const double* a, const double* b, Long n) {
  if (Empty(count, a, b)) return ___NAN;
  return CauchyGap(count, a, b, n, RArrDotProduct(count, a, b));
}

VELTRIA_API double RArrIneqAbsCauchy(Qword count, const double* a, const double* b, Long n) {
  if (Empty(count, a, b)) return ___NAN;
  return CauchyGap(count, a, b, n, RArrAbsDotProduct(count, a, b));
}

VELTRIA_API double RArrIneqAbsSortedCauchy(Qword count, const double* a, const double* b, Long n) {
  if (Empty(count, a, b)) return ___NAN;
  return CauchyGap(count, a, b, n, RArrAbsSortedDotProduct(count, a, b));
}

VELTRIA_API double RArrIneqChebyshev(Qword count, const double* a, const double* b) {
  if (Empty(count, a, b)) return ___NAN;
  return static_cast<double>(count) * RArrSortedDotProduct(count, a, b) -
         RArrSum(count, a, true) * RArrSum(count, b, true);
}

VELTRIA_API double RArrIneqAbsChebyshev(Qword count, const double* a, const double* b) {
  if (Empty(count, a, b)) return ___NAN;
  return static_cast<double>(count) * RArrAbsSortedDotProduct(count, a, b) -
         RArrAbsSum(count, a, true) * RArrAbsSum(count, b, true);
}

VELTRIA_API double RArrIneqAbsHoelder(Qword count, const double* a, const double* b, double p) {
  if (Empty(count, a, b) || !(p > 1)) return ___NAN;
  return HoelderGap(count, a, b, p, RArrAbsDotProduct(count, a, b));
}

VELTRIA_API double RArrIneqAbsSortedHoelder(Qword count, const double* a, const double* b,
                                            double p) {
  if (Empty(count, a, b) || !(p > 1)) return ___NAN;
  return HoelderGap(count, a, b, p, RArrAbsSortedDotProduct(count, a, b));
}

VELTRIA_API double RArrIneqAbsMinkowski(Qword count, const double* a, const double* b, double p) {
  if (Empty(count, a, b) || p == 0) return ___NAN;
  return RArrAbsHoelderSum(count, a, p) + RArrAbsHoelderSum(count, b, p) -
         RArrAbsMinkowskiSum(count, a, b, p);
}

VELTRIA_API double RArrIneqTriangle(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return RArrAbsSum(count, x, true) - std::fabs(RArrSum(count, x, true));
}

VELTRIA_API double RArrIneqRatioTriangle(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return rSafeDiv(std::fabs(RArrSum(count, x, true)), RArrAbsSum(count, x, true));
}

VELTRIA_API double RArrAbsNecklaceExcess(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return 2 * RArrAbsExtreme(count, x, nullptr) - RArrAbsSum(count, x, true);
}
