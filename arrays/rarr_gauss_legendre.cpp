// Nodes and weights of Gauss-Legendre quadrature by Newton's method on the
// Legendre polynomial, from the asymptotic first guess of each root.
#include <cmath>

#include "arrays/rarr_integrate.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double kPi = 3.141592653589793;
// Newton converges quadratically from the first guess in a handful of
// steps; the cap only stops a last-bit oscillation from looping for ever.
constexpr int kMaxNewtonSteps = 100;

}  // namespace

VELTRIA_API void RArrGaussLegendrePoints(double a, double b, Qword n, double* x, double* w) {
  if (!x || !w || n == 0) return;
  const double mid = 0.5 * (b + a), half = 0.5 * (b - a);
  const double dn = static_cast<double>(n);
  const Qword roots = (n + 1) / 2;
  for (Qword i = 0; i < roots; ++i) {
    double z = std::cos(kPi * (static_cast<double>(i) + 0.75) / (dn + 0.5));
    double zn = z, d = 0;
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
      double p = 1, prev = 0;  // p(j), p(j-1)
      for (Qword j = 0; j < n; ++j) {
        const double dj = static_cast<double>(j);
        const double next = ((2 * dj + 1) * z * p - dj * prev) / (dj + 1);
        prev = p;
        p = next;
      }
      d = dn * (z * p - prev) / (z * z - 1);
      zn = z - p / d;
      const bool done = std::fabs(zn - z) <= ___5EpsReal;
      z = zn;
      if (done) break;
    }
    x[i] = mid - half * zn;
    x[n - 1 - i] = mid + half * zn;
    w[i] = w[n - 1 - i] = 2 * half / ((1 - zn * zn) * d * d);
  }
}
