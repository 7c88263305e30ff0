// Tapers that bend values softly towards a lower or upper bound; all odd.
#include "scalar/shapes.h"

VELTRIA_API double rSmoothLoBoundTaper(double x, double b, double k) {
  if (x < 0) return -rSmoothLoBoundTaper(-x, b, k);
  const double kb = k * b;
  if (x > kb) return x;
  const double t = (kb - x) / kb;
  return x + t * t * b;
}

VELTRIA_API double rSmoothHiBoundTaper(double x, double b, double k) {
  if (x < 0) return -rSmoothHiBoundTaper(-x, b, k);
  const double knee = b / k;
  if (x < knee) return x;
  // x - (x - knee)²/x, rearranged so that neither the square overflows nor
  // the difference cancels for large x.
  return knee * (2 - knee / x);
}

VELTRIA_API double rSmoothHiAndLoBoundsTaper(double x, double lo, double hi, double k) {
  return rSmoothHiBoundTaper(rSmoothLoBoundTaper(x, lo, k), hi, k);
}

VELTRIA_API double rSmoothIntervalTaper(double x, double lo, double hi, double k) {
  return rSmoothHiBoundTaper(rSmoothLoBoundTaper(x, lo, 1 + k * (hi / lo - 1)), hi,
                             1 / (1 - k * (1 - lo / hi)));
}
