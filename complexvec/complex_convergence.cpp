// The complex convergence test: two real histories, the imaginary one
// tested and shifted only once the real parts agree.
#include "complexvec/complex_tools.h"
#include "scalar/numerical_tools.h"

VELTRIA_API bool cConvergenceTest3(COMPLEX x, COMPLEX* h0, COMPLEX* h1, COMPLEX* h2, double tol) {
  if (!h0 || !h1 || !h2) return false;
  // The imaginary history moves only once the real parts agree.
  if (!rConvergenceTest3(x.re, &h0->re, &h1->re, &h2->re, tol)) return false;
  return rConvergenceTest3(x.im, &h0->im, &h1->im, &h2->im, tol);
}
