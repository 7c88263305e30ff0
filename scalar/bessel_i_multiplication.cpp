// I of real order by the multiplication theorem of J:
// I_nu(x) = sum over k >= 0 of x^k/k! J_(nu+k)(x).
#include <cmath>

#include "scalar/bessel.h"
#include "scalar/bessel_ik.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rBesselInuThroughMultiplication(double x, double nu) {
  if (!(x >= 0) || std::isnan(nu)) return ___NAN;
  double sum = rBesselJnu(x, nu);
  double factor = 1;  // x^k/k!
  for (int k = 1; k <= 1000; ++k) {
    factor *= x / k;
    const double add = factor * rBesselJnu(x, nu + k);
    sum += add;
    // A change measured against the sum, not absolutely: I_nu(x) may be
    // far below 1 (I_20(0.1) is 3e-45). Only past order x do the terms fall
    // steadily; before it one of them may be small near a zero of J.
    if (std::fabs(add) <= ___5EpsReal * std::fabs(sum) && nu + k > x) break;
  }
  return sum;
}
