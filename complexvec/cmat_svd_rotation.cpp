// The plane-rotation generator of the complex decomposition.
#include <cmath>

#include "complexvec/cmat_svd.h"
#include "scalar/elementary.h"

void CMatSVDRotation(double* a, double* b, double* c, double* s) {
  const double roe = std::fabs(*a) > std::fabs(*b) ? *a : *b;
  const double scale = std::fabs(*a) + std::fabs(*b);
  double r;
  if (scale == 0.0) {
    *c = 1.0;
    *s = 0.0;
    r = 0.0;
  } else {
    const double as = *a / scale, bs = *b / scale;
    r = scale * rSqrt(as * as + bs * bs);
    if (roe < 0.0) r = -r;  // a roe of -0 keeps r positive
    *c = *a / r;
    *s = *b / r;
  }
  const double z = std::fabs(*c) > 0.0 && *s >= std::fabs(*c) ? 1.0 / *c : *s;
  *a = r;
  *b = z;
}
