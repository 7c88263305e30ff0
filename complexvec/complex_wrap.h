// The one shape of the exported complex functions: copy the argument, run
// the by-value worker, store the result back and return the pointer.
#pragma once
#include "complexvec/complex.h"

template <class Worker, class... Args>
inline COMPLEX* ReplaceBy(COMPLEX* z, Worker worker, Args... args) {
  if (z) *z = worker(*z, args...);
  return z;
}

// For the functions without a complex input: fill the result object.
template <class Worker, class... Args>
inline COMPLEX* FillWith(COMPLEX* result, Worker worker, Args... args) {
  if (result) *result = worker(args...);
  return result;
}
