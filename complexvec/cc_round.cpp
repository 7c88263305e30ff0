// Rounding of both parts of a complex value to a quantum.
#include "complexvec/complex_functions.h"
#include "scalar/safe_arith.h"

VELTRIA_API COMPLEX* ccRoundToEps(COMPLEX* z, double q) {
  if (z) {
    z->re = rRoundToEps(z->re, q);
    z->im = rRoundToEps(z->im, q);
  }
  return z;
}
