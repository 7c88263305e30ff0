// Evaluation of a truncated series at x with one running factor per term;
// the sum may stop early once three successive partial sums agree.
#include "arrays/generating_functions.h"
#include "base/error_codes.h"
#include "scalar/gamma.h"
#include "scalar/iteration_loop.h"
#include "scalar/real_helpers.h"

namespace {

inline Qword Magnitude(Qlong k) { return k < 0 ? Qword{0} - static_cast<Qword>(k) : k; }

// 1/m!, 0 once m! overflows.
double InverseFactorial(Qword m) {
  constexpr Qword kLastFinite = 170;
  return m > kLastFinite ? 0.0 : 1 / rFactorial(static_cast<Qlong>(m));
}

}  // namespace

VELTRIA_API Dword RArrOgfEval(double x, double* result, const double* a, Qword n, Qlong k,
                              Qword minTerms) {
  if (!result) return kErrMissingOutputBuffer;
  *result = 0;
  if (!a) return kErrMissingInputData;
  const Qword m = Magnitude(k);
  // The k-th derivative needs a[k].
  if (k >= 0 ? n <= m : n == 0) return kErrMissingInputData;

  double factor, sum;
  Qword terms = n - 1;
  if (k == 0) {
    factor = 1;
    sum = a[0];
  } else if (k > 0) {
    factor = rFactorial(k);
    sum = a[m] * factor;
    terms = n - m - 1;
  } else {
    factor = InverseFactorial(m);
    sum = a[0] * factor;
  }
  iteration::History history;
  for (Qword i = 1; i <= terms; ++i) {
    if (i > minTerms && history.Converged(sum)) break;
    const double di = static_cast<double>(i);
    if (k == 0) {
      factor *= x;
      sum += a[i] * factor;
    } else if (k > 0) {
      factor = factor * x * (static_cast<double>(m) + di) / di;
      sum += a[i + m] * factor;
    } else {
      factor = factor * x * di / (static_cast<double>(m) + di);
      sum += a[i] * factor;
    }
  }
  if (k < 0) sum *= ruPower(x, m);
  *result = sum;
  return kErrNone;
}

VELTRIA_API Dword RArrEgfEval(double x, double* result, const double* a, Qword n, Qword minTerms) {
  if (!a || n == 0) return kErrMissingInputData;
  if (!result) return kErrMissingOutputBuffer;
  const bool test = minTerms > 0;
  const Qword first = minTerms < 3 ? 3 : minTerms;
  iteration::History history;
  double sum = a[0], factor = 1;
  for (Qword i = 1; i < n; ++i) {
    if (test && i > first && history.Converged(sum)) break;
    factor = factor * x / static_cast<double>(i);
    sum += a[i] * factor;
  }
  *result = sum;
  return kErrNone;
}
