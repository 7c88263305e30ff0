// Givens and Jacobi plane rotations.
#include <cmath>

#include "scalar/elementary.h"
#include "scalar/hypot_givens_inline.h"
#include "scalar/numerical_tools.h"
#include "scalar/real_helpers.h"

VELTRIA_API void rGivensRotation(double* a, double* b, double* c, double* s) {
  scalar::GivensRotationInline(a, b, c, s);
}

VELTRIA_API void rJacobiRotation(double* app, double* aqq, double* apq, double* c, double* s) {
  const double d = *app - *aqq;
  const double g = std::fabs(*apq);
  if (g < ___5EpsReal * std::fabs(d)) {
    if (*app > *aqq) {
      *c = 1;
      *s = 0;
    } else {
      // The entries are exchanged: the quarter turn c = 0, s = 1 does that.
      const double t = *app;
      *app = *aqq;
      *aqq = t;
      *c = 0;
      *s = 1;
    }
    *apq = 0;
    return;
  }
  double t;
  if (std::fabs(d) < ___5EpsReal * g) {
    *c = 0.7071067811865476;
    *s = ((d < 0) == (*apq < 0)) ? *c : -*c;
    t = *s / *c;
  } else {
    const double theta = 0.5 * d / *apq;
    t = (theta < 0 ? -1.0 : 1.0) / (std::fabs(theta) + std::sqrt(1 + theta * theta));
    *c = 1 / std::sqrt(1 + t * t);
    *s = t * *c;
  }
  *app += t * *apq;
  *aqq -= t * *apq;
  *apq = 0;
}
