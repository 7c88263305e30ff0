// Binomial-type counts of integer arguments as reals: exact where the
// unsigned result fits, logarithms of gamma beyond.
#include "scalar/combinatorics.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

namespace {
double LogForm(double n, double k) {
  return rExp(rGammaLn(1.0 + n) - rGammaLn(1.0 + n - k) - rGammaLn(1.0 + k));
}
}  // namespace

VELTRIA_API double riBinomial(Qlong n, Qlong k) {
  if (k == 0) return 1.0;
  if (k < 0) return 0.0;
  if (k == 1) return static_cast<double>(n);  // also where k - n - 1 overflows
  if (n < 0) {
    // C(n, k) = (-1)^k C(k - n - 1, k); k - n - 1 may exceed the signed range.
    const Qword m = static_cast<Qword>(k) + (Qword{0} - static_cast<Qword>(n)) - 1;
    double v;
    if (m <= static_cast<Qword>(INT64_MAX)) {
      v = riBinomial(static_cast<Qlong>(m), k);
    } else {
      v = LogForm(static_cast<double>(m), static_cast<double>(k));
    }
    return (k & 1) ? -v : v;
  }
  if (n < k) return 0.0;
  if (n == k) return 1.0;
  if (n - k < k) k = n - k;
  NumStatus status = 0;
  const Qword exact = uBinomial(static_cast<Qword>(n), static_cast<Qword>(k), &status);
  if (status == 0) return static_cast<double>(exact);
  return LogForm(static_cast<double>(n), static_cast<double>(k));
}

VELTRIA_API double riCatalanNumber(Qlong n) {
  if (n < 0) return ___NAN;
  if (n > INT64_MAX / 2) return ___NAN;  // 2n wraps; the value overflows long before
  return riBinomial(2 * n, n) / (static_cast<double>(n) + 1.0);
}

VELTRIA_API double riCentralBinomial(Qlong n) {
  if (n < 0) return ___NAN;
  return riBinomial(n, n / 2);
}

VELTRIA_API double riCountMultisets(Qlong n, Qlong k) {
  Qlong top;
  if (__builtin_add_overflow(n, k, &top) || __builtin_sub_overflow(top, 1, &top)) return ___NAN;
  return riBinomial(top, k);
}
