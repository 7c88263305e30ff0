// Event probabilities.
#include "signal_fit/prob/events.h"

#include "base/platform/allocator.h"
#include "scalar/real_helpers.h"

double pAllOfEvents(Qword n, const double* p) {
  double r = 1.0;
  for (Qword i = 0; i < n; ++i) r *= p[i];
  return r;
}

double pNoneOfEvents(Qword n, const double* p) {
  double r = 1.0;
  for (Qword i = 0; i < n; ++i) r *= 1.0 - p[i];
  return r;
}

double pAtLeastOneOfEvents(Qword n, const double* p) {
  double s = 0.0;
  for (Qword i = 0; i < n; ++i) s += p[i] * (1.0 - s);
  return s;
}

double pAtLeastOneOfTwoEvents(double a, double b) { return a + b * (1.0 - a); }

double pNeitherOfTwoEvents(double a, double b) { return (1.0 - a) * (1.0 - b); }

double pExactlyOneOfTwoEvents(double a, double b) { return a * (1.0 - b) + b * (1.0 - a); }

// The count distribution of the first i events, kept for counts 0..k only,
// grows one event at a time: O(n k) work instead of the exponential
// recursion over halves.
double pExactlyKofEvents(Qword k, Qword n, const double* p) {
  if (n < k) return 0.0;
  if (k == 0) return pNoneOfEvents(n, p);
  if (k == n) return pAllOfEvents(n, p);
  if (n == 2) return pExactlyOneOfTwoEvents(p[0], p[1]);
  double* f = static_cast<double*>(PlatformAlloc((k + 1) * sizeof(double)));
  if (f == nullptr) return ___NAN;
  f[0] = 1.0;
  for (Qword j = 1; j <= k; ++j) f[j] = 0.0;
  for (Qword i = 0; i < n; ++i) {
    const double pi = p[i];
    const Qword top = i + 1 < k ? i + 1 : k;
    for (Qword j = top; j > 0; --j) f[j] = f[j] * (1.0 - pi) + f[j - 1] * pi;
    f[0] *= 1.0 - pi;
  }
  const double r = f[k];
  PlatformFree(f);
  return r;
}

double pConditionalProbability(double a, double b) {
  const double ab = a * b;
  return ab / (ab + (1.0 - a) * (1.0 - b));
}

double pSymBilinearForm(double a, double b) { return a * b + (1.0 - a) * (1.0 - b); }
