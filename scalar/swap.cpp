#include "scalar/real_helpers.h"

VELTRIA_API double* rSwap(double* a, double* b) {
  const double t = *a;
  *a = *b;
  *b = t;
  return b;
}
