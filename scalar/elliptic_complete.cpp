// Complete elliptic integrals of the first, second and third kind by
// arithmetic-geometric means.
#include <cmath>

#include "scalar/elliptic.h"
#include "scalar/elliptic_internal.h"
#include "scalar/means.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kQuarterPi = 0.7853981633974483;

// Pi(n | m) with mc = 1 - m given separately (Carlson's AGM scheme: a
// quadratically converging sum of the Q_j alongside the AGM of 1 and k').
double EllipticPCore(double n, double m, double mc) {
  if (std::isnan(n)) return n;
  if (std::isinf(n)) return 0;  // the integrand vanishes as |n| grows
  if (n == 1) return ___PlsINF;
  if (mc == 0) return n < 1 ? ___PlsINF : ___NAN;  // k = 1: no finite value
  double a = 1;
  double g = std::sqrt(mc);
  const double agm = rMeanAGM(1, g);
  double q = 1;
  double sum = 1;
  // n > 1 is the principal value, through Pi(n) = K - Pi(m/n).
  double p = n < 1 ? std::sqrt(1 - n) : std::sqrt(1 - m / n);
  // The AGM may settle before the Q_j do (p starts far from sqrt(a g) for
  // n well below 0), so the sum's own convergence ends the loop too.
  for (int i = 0;
       i < 100 && (a - g > a * ___5EpsReal || std::fabs(q) > ___EpsReal * std::fabs(sum)); ++i) {
    const double p2 = p * p;
    const double ag = a * g;
    const double t = p2 + ag;
    q *= (p2 - ag) / (2 * t);
    p = t / (2 * p);
    sum += q;
    const double an = 0.5 * (a + g);
    g = std::sqrt(ag);
    a = an;
  }
  if (n < 1) return kQuarterPi / agm * (2 + n / (1 - n) * sum);
  return kQuarterPi / agm * (m / (m - n)) * sum;
}

}  // namespace

double EllipticKFromComplement(double mc) {
  if (mc == 0) return ___PlsINF;
  return kHalfPi / rMeanAGM(1, std::sqrt(mc));
}

double EllipticEFromComplement(double mc) {
  if (mc == 0) return 1;
  return kHalfPi * rMeanMAGM(1, mc) / rMeanAGM(1, std::sqrt(mc));
}

VELTRIA_API double rEllipticK(double k) {
  if (rIsNAN(k)) return k;
  if (k < 0 || k > 1) return ___NAN;
  if (k == 1) return ___PlsINF;
  return kHalfPi / rMeanAGM(1 - k, 1 + k);
}

VELTRIA_API double rEllipticKm(double m) {
  if (rIsNAN(m)) return m;
  if (m < 0 || m > 1) return ___NAN;
  return EllipticKFromComplement(1 - m);
}

VELTRIA_API double rEllipticE(double k) {
  if (rIsNAN(k)) return k;
  if (k < 0 || k > 1) return ___NAN;
  if (k == 1) return 1;
  return kHalfPi * rMeanMAGM(1, (1 - k) * (1 + k)) / rMeanAGM(1 - k, 1 + k);
}

VELTRIA_API double rEllipticEm(double m) {
  if (rIsNAN(m)) return m;
  if (m < 0 || m > 1) return ___NAN;
  return EllipticEFromComplement(1 - m);
}

VELTRIA_API double rEllipticP(double n, double k) {
  if (rIsNAN(k)) return k;
  if (k > 1 || k < -1) return ___NAN;
  return EllipticPCore(n, k * k, (1 - k) * (1 + k));
}

VELTRIA_API double rEllipticPm(double n, double m) {
  if (rIsNAN(m)) return m;
  if (m < 0 || m > 1) return ___NAN;
  return EllipticPCore(n, m, 1 - m);
}
