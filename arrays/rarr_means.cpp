// Arithmetic, harmonic, Lehmer and quadratic means of real arrays. The
// means sum from the last element down.
#include <cmath>

#include "arrays/rarr_reduce.h"
#include "scalar/real_helpers.h"

namespace {

// Backward sum of 1/f(x); false (no sum) as soon as an element is 0.
template <class F>
bool InverseSum(Qword count, const double* x, F f, double* sum) {
  double s = 0;
  for (Qword i = count; i-- > 0;) {
    if (x[i] == 0) return false;
    s += 1.0 / f(x[i]);
  }
  *sum = s;
  return true;
}

}  // namespace

VELTRIA_API double RArrMeanA(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return RArrSum(count, x, true) / static_cast<double>(count);
}

VELTRIA_API double RArrAbsMeanA(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return RArrAbsSum(count, x, true) / static_cast<double>(count);
}

VELTRIA_API double RArrMeanH(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  double s;
  if (!InverseSum(
          count, x, [](double v) { return v; }, &s))
    return 0.0;
  return static_cast<double>(count) / s;
}

VELTRIA_API double RArrAbsMeanH(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  double s;
  if (!InverseSum(
          count, x, [](double v) { return std::fabs(v); }, &s))
    return 0.0;
  return static_cast<double>(count) / s;
}

VELTRIA_API double RArrMeanH2(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  double s;
  if (!InverseSum(
          count, x, [](double v) { return v * v; }, &s))
    return 0.0;
  return std::sqrt(static_cast<double>(count) / s);
}

VELTRIA_API double RArrMeanLehmer(Qword count, const double* x, double p) {
  if (p == 0) return RArrMeanH(count, x);
  if (p == 1) return RArrMeanA(count, x);
  const double d = RArrAbsSumOfPowers(count, x, p - 1);
  if (d == 0) return ___NAN;
  return RArrAbsSumOfPowers(count, x, p) / d;
}

VELTRIA_API double RArrMeanLehmerI(Qword count, const double* x, Qword n) {
  if (n == 0) return RArrMeanH(count, x);
  if (n == 1) return RArrMeanA(count, x);
  const double d = RArrSumOfPowersI(count, x, n - 1);
  if (d == 0) return ___NAN;
  return RArrSumOfPowersI(count, x, n) / d;
}

VELTRIA_API double RArrMeanRms(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  double s = 0;
  for (Qword i = count; i-- > 0;) s += x[i] * x[i];
  return s / static_cast<double>(count);
}

VELTRIA_API double RArrRMS(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  return std::sqrt(RArrSumOfPowersI(count, x, 2) / static_cast<double>(count));
}
