// Angles from a point or from a coordinate and a radius, robust where one
// coordinate is negligible against the other.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
}  // namespace

VELTRIA_API double rAtanXY(double x, double y) {
  if (x < 0) {
    x = -x;
    y = -y;
  }
  const double ay = std::fabs(y);
  if (x + ay == x) return 0.0;  // also x = y = 0
  if (x + ay == ay) return y < 0 ? -kHalfPi : kHalfPi;
  return std::atan(y / x);
}

VELTRIA_API double rAcotanXY(double x, double y) { return rAtanXY(y, x); }

// -0.0 counts as y >= 0, so the negative x axis is pi from either side.
VELTRIA_API double rAzimuth(double x, double y) {
  if (x >= 0) return rAtanXY(x, y);
  if (y >= 0) return kPi - rAtanXY(-x, y);
  return -kPi - rAtanXY(-x, y);
}

// A coordinate beyond the radius (rounding) is taken at the radius.
VELTRIA_API double rAcosXR(double x, double r) {
  if (r < 0) {
    x = -x;
    r = -r;
  }
  const double m = std::fabs(x);
  double angle;
  if (m > r) {
    angle = 0.0;
  } else if (r == 0) {
    return ___NAN;
  } else {
    angle = rAcos(m / r);
  }
  return x < 0 ? kPi - angle : angle;
}

// As rAcosXR: beyond the radius the end of the domain, +-pi/2, so the angle
// stays continuous when rounding puts |y| just above r.
VELTRIA_API double rAsinXR(double y, double r) {
  if (r < 0) {
    y = -y;
    r = -r;
  }
  const double m = std::fabs(y);
  double angle;
  if (m > r) {
    angle = kHalfPi;
  } else if (r == 0) {
    return ___NAN;
  } else {
    angle = std::asin(m / r);
  }
  return y < 0 ? -angle : angle;
}

VELTRIA_API double rAcosXY(double x, double y) { return rAcosXR(x, rHypot(x, y)); }
VELTRIA_API double rAsinXY(double x, double y) { return rAsinXR(y, rHypot(x, y)); }
