// Stirling numbers of both kinds as reals: exact where the integer
// functions succeed, real recurrences beyond.
#include "base/memory.h"
#include "scalar/combinatorics.h"
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

constexpr double kZeroReal = 0;

namespace {
constexpr NumStatus kAllocFailed = 0x80000000u;

// Runs one triangle recurrence T(i+1, m) = f(i, m) T(i, m) + T(i, m-1) on a
// row of k + 1 reals from T(1, 1) = 1 up to row n, touching only the band of
// entries that reach T(n, k) (so the cost is n (n - k + 1), not n k).
// Returns NaN on allocation failure and +infinity on overflow of an entry
// (every entry of the band adds into T(n, k) with a factor of at least 1).
template <typename Factor>
double BandRecurrence(Qword n, Qword k, Factor factor) {
  Dword err = 0;
  double* row = NewRealArrFill(&err, k + 1, &kZeroReal);
  if (!row) return ___NAN;
  row[1] = 1.0;
  for (Qword i = 1; i < n; ++i) {
    const Qword top = i + 1 < k ? i + 1 : k;
    const Qword reach = n - 1 - i;  // rows still to come after this one
    const Qword low = k > reach + 1 ? k - reach : 1;
    bool overflow = false;
    for (Qword m = top; m >= low; --m) {
      row[m] = factor(i, m) * row[m] + row[m - 1];
      if (rIsNAN(row[m])) overflow = true;
    }
    if (overflow) {
      KillPtr(&row);
      return ___PlsINF;
    }
  }
  const double result = row[k];
  KillPtr(&row);
  return result;
}
}  // namespace

VELTRIA_API double ruStirling1(Qword n, Qword k) {
  NumStatus status = 0;
  const Qword c = uStirling1(n, k, &status);
  if (status == 0) return static_cast<double>(c);
  if (status & kAllocFailed) return ___NAN;
  if (k == 1) return rFactorial(static_cast<Qlong>(n - 1));
  if (n == k + 1) return static_cast<double>(n) * static_cast<double>(n - 1) / 2.0;
  const double r = BandRecurrence(n, k, [](Qword i, Qword) { return static_cast<double>(i); });
  return rIsNAN(r) ? ___NAN : r;
}

VELTRIA_API double rStirling1(Qword n, Qword k) {
  const double c = ruStirling1(n, k);
  const bool odd = ((n - k) & 1) != 0;
  if (rIsNAN(c)) return odd ? ___MnsINF : ___PlsINF;
  return odd ? -c : c;
}

VELTRIA_API double rStirling2(Qword n, Qword k) {
  NumStatus status = 0;
  const Qword s = uStirling2(n, k, &status);
  if (status == 0) return static_cast<double>(s);
  // The alternating sum cancels unless n is well above k ln k: its terms
  // grow like k e^(-n/k) relative to the result. Otherwise the positive
  // recurrence S(i+1, m) = m S(i, m) + S(i, m-1).
  const double dn = static_cast<double>(n);
  const double dk = static_cast<double>(k);
  if (k > 1 && dn < dk * (rLog(dk) + 8.0)) {
    return BandRecurrence(n, k, [](Qword, Qword m) { return static_cast<double>(m); });
  }
  double c = (k & 1) ? 1.0 : -1.0;
  double r = c;
  for (Qword i = 2; i <= k; ++i) {
    const double d = static_cast<double>(i - 1);
    c = -c * ((dk - d) / d / d) * ruPower((d + 1.0) / d, n - 1);
    r = r / d + c;
  }
  return r;
}
