// The weighted straight line of the calibration. Centred sums keep the
// digits when the abscissa sits far from zero (one-pass sums lose them).
#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "signal_fit/fit/linear_fits.h"

namespace {
inline bool Valid(double x, double y) { return !std::isnan(x) && !std::isnan(y); }
}  // namespace

VELTRIA_API Dword LinearRegression(const double* x, const double* y, Qword n, double* slope,
                                   double* intercept, double* sd) {
  if (!x || !y || n == 0) return kErrMissingArguments;
  if (!slope || !intercept) return kErrMissingParameters;
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  *slope = kNaN;
  *intercept = kNaN;
  if (sd) *sd = kNaN;
  Qword m = 0;
  double sx = 0, sy = 0;
  for (Qword i = 0; i < n; ++i)
    if (Valid(x[i], y[i])) {
      sx += x[i];
      sy += y[i];
      ++m;
    }
  if (m < 2) return kErrMissingParameters;
  const double md = static_cast<double>(m);
  const double mx = sx / md, my = sy / md;
  double sxx = 0, sxy = 0;
  for (Qword i = 0; i < n; ++i)
    if (Valid(x[i], y[i])) {
      const double dx = x[i] - mx;
      sxx += dx * dx;
      sxy += dx * (y[i] - my);
    }
  const double b = sxy / sxx;
  const double a = my - b * mx;
  if (!(sxx > 0) || !std::isfinite(b) || !std::isfinite(a)) return kErrIllegalArgument;
  *slope = b;
  *intercept = a;
  if (sd) {
    double ssr = 0;
    for (Qword i = 0; i < n; ++i)
      if (Valid(x[i], y[i])) {
        const double r = (y[i] - my) - b * (x[i] - mx);
        ssr += r * r;
      }
    *sd = std::sqrt(ssr / (md - 1));
  }
  return kErrNone;
}
