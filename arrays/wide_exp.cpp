// The choice of the exponential's build (see wide_exp.h).
#include "arrays/wide_exp.h"

#include <cmath>

#include "arrays/wide_exp_testing.h"

namespace wide {
namespace {

void ScalarExp(Qword n, const double* x, double* out) {
  for (Qword i = 0; i < n; ++i) out[i] = std::exp(x[i]);
}

ExpArrayFunction Choose() {
  const ExpArrayFunction v = Avx2ExpIfSupported();
  return v ? v : ScalarExp;
}

ExpArrayFunction& Current() {
  static ExpArrayFunction current = Choose();
  return current;
}

}  // namespace

void ExpArray(Qword n, const double* x, double* out) { Current()(n, x, out); }

}  // namespace wide

bool WideExpForceScalar(bool scalar) {
  wide::ExpArrayFunction& current = wide::Current();
  current = scalar ? wide::ScalarExp : wide::Choose();
  return current != wide::ScalarExp;
}
