// The nome q(m) = exp(-pi K(1 - m)/K(m)) and its complement q(1 - m). Both
// K are AGM quotients, K(m) = (pi/2)/AGM(1, sqrt(1 - m)), so the ratio is
// formed from sqrt(m) and sqrt(1 - m) directly, without forming 1 - (1 - m).
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/elliptic.h"
#include "scalar/means.h"
#include "scalar/real_helpers.h"

namespace {

constexpr double kPi = 3.141592653589793;

// exp(-pi K(1 - m)/K(m)) with mc = 1 - m given separately.
double NomeExponential(double m, double mc) {
  return rExp(-kPi * rMeanAGM(1, std::sqrt(mc)) / rMeanAGM(1, std::sqrt(m)));
}

}  // namespace

VELTRIA_API double rEllipticNomeQ(double m) {
  if (rIsNAN(m)) return m;
  if (m < 0 || m > 1) return ___NAN;
  if (m > 0.5) return rEllipticNomeQ1(1 - m);
  if (m < 2 * ___SqrtEpsReal) return m * (1.0 / 16 + m * (1.0 / 32 + 21 * m / 1024));
  return NomeExponential(m, 1 - m);
}

VELTRIA_API double rEllipticNomeQ1(double m) {
  if (rIsNAN(m)) return m;
  if (m < 0 || m > 1) return ___NAN;
  if (m > 0.5) return rEllipticNomeQ(1 - m);
  return NomeExponential(1 - m, m);
}
