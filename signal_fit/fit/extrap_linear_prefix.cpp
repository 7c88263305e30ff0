// Intercept at zero as the most frequent intercept of the straight lines
// through the first 2, 3, ..., n points.
#include <cmath>

#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/extrapolation.h"
#include "signal_fit/fit/linear_fits.h"

namespace {

// Lower edge of the fullest of `bins` bins over [min, max] (first on ties).
double Mode(const double* v, Qword count, Qword bins, Qword* hist) {
  double lo = v[0], hi = v[0];
  for (Qword i = 1; i < count; ++i) {
    lo = std::fmin(lo, v[i]);
    hi = std::fmax(hi, v[i]);
  }
  const double width = (hi - lo) / static_cast<double>(bins);
  for (Qword b = 0; b < bins; ++b) hist[b] = 0;
  for (Qword i = 0; i < count; ++i) {
    const double f = std::floor((v[i] - lo) / width);
    Qword b = 0;  // all values equal (0/0) land in the first bin
    if (f >= 0) b = f >= static_cast<double>(bins - 1) ? bins - 1 : DoubleToQword(f);
    ++hist[b];
  }
  Qword best = 0;
  for (Qword b = 1; b < bins; ++b)
    if (hist[b] > hist[best]) best = b;
  return width > 0 ? lo + static_cast<double>(best) * width : lo;
}

}  // namespace

VELTRIA_API Dword RArrExt2ZeroByLinearFit(const double* x, const double* y, Qword n,
                                          double* intercept, double* slope) {
  if (!x || !y) return kErrMissingArguments;
  if (!intercept || !slope) return kErrMissingParameters;
  if (n < 2) return kErrIllegalArgument;
  Dword error;
  double* work = NewRealArrFill(&error, 2 * (n - 1));
  Qword* hist = work ? NewArrFill<Qword>(&error, n - 1) : nullptr;
  if (!hist) {
    KillPtr(&work);
    return error;
  }
  double* a = work;
  double* b = work + (n - 1);
  Qword valid = 0;
  for (Qword i = 2; i <= n; ++i) {
    double s = 0, c = 0;
    // A prefix without a line (too few valid pairs, one abscissa) is left out.
    if (LinearRegression(x, y, i, &s, &c, nullptr) == kErrNone) {
      a[valid] = c;
      b[valid] = s;
      ++valid;
    }
  }
  if (valid == 0) {
    error = kErrIllegalArgument;
  } else {
    *intercept = Mode(a, valid, n - 1, hist);
    *slope = Mode(b, valid, n - 1, hist);
  }
  KillPtr(&hist);
  KillPtr(&work);
  return error;
}
