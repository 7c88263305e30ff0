// The Gram matrix of the columns of a matrix.
#include "arrays/rarr_reduce.h"
#include "arrays/rmat.h"
#include "base/error_codes.h"
#include "base/memory.h"

// Each pair of columns once, mirrored.
VELTRIA_API Dword RMatFillGram(Qword n, double* G, Qword k, const double* A) {
  if (k == 0 || n == 0 || !A) return kErrMissingInputData;
  if (!G) return kErrMissingOutputBuffer;
  for (Qword i = 0; i < n; ++i)
    for (Qword j = 0; j <= i; ++j) {
      const double v = RArrDotProduct(k, A + k * i, A + k * j);
      G[j + n * i] = v;
      if (i != j) G[i + n * j] = v;
    }
  return kErrNone;
}

VELTRIA_API double* RMatNewGram(Dword* error, Qword n, Qword k, const double* A) {
  double* G = RMatNew(error, n, n);
  if (!G) return nullptr;
  *error = RMatFillGram(n, G, k, A);
  if (*error != kErrNone) KillPtr(&G);
  return G;
}
