// Geometric, arithmetic-geometric and power means of real arrays. The means
// sum from the last element down.
#include <cmath>

#include "arrays/rarr_reduce.h"
#include "scalar/means.h"
#include "scalar/real_helpers.h"

namespace {

// exp of the mean of ln abs(x) from three elements on; 0 as soon as an
// element is 0; NaN for an odd number of negative elements unless `abs`.
double LogMean(Qword count, const double* x, bool abs) {
  double s = 0;
  Qword negatives = 0;
  for (Qword i = count; i-- > 0;) {
    if (x[i] == 0) return 0.0;
    negatives += (x[i] < 0);
    s += std::log(std::fabs(x[i]));
  }
  if (!abs && (negatives & 1)) return ___NAN;
  return std::exp(s / static_cast<double>(count));
}

}  // namespace

VELTRIA_API double RArrMeanG(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  if (count == 1) return x[0];
  if (count == 2) return rMeanG(x[0], x[1]);
  return LogMean(count, x, false);
}

VELTRIA_API double RArrAbsMeanG(Qword count, const double* x) {
  if (!x || count == 0) return ___NAN;
  if (count == 1) return std::fabs(x[0]);
  if (count == 2) return rMeanG(std::fabs(x[0]), std::fabs(x[1]));
  return LogMean(count, x, true);
}

VELTRIA_API double RArrMeanAGM(Qword count, const double* x) {
  if (!x || count == 0) return 0.0;
  const double g = RArrMeanG(count, x);
  if (std::isnan(g)) return g;
  return rMeanAGM(RArrMeanA(count, x), g);
}

VELTRIA_API double RArrMeanHoelder(Qword count, const double* x, double p) {
  if (p == 0) return RArrMeanG(count, x);
  const double h = RArrAbsHoelderSum(count, x, p);
  if (std::isnan(h)) return h;
  return h / rPow(static_cast<double>(count), 1.0 / p);
}

VELTRIA_API double RArrMeanHoelderI(Qword count, const double* x, Qlong n) {
  if (n == 0) return RArrMeanG(count, x);
  const double h = RArrHoelderSumI(count, x, n);
  if (std::isnan(h)) return h;
  return h / rPow(static_cast<double>(count), 1.0 / static_cast<double>(n));
}
