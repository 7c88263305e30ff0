// The quantities of one block over a point window.
#include "data_engine/proc_quantity.h"

#include <cmath>

#include "arrays/rarr_extremes.h"
#include "arrays/rarr_reduce.h"
#include "signal_fit/fit/extrapolation.h"

namespace {

// One quantity of `count` values from y, by the summary modes 1 to 3.
double Summary(Qword mode, Qword count, const double* y) {
  switch (mode) {
    case 1:
      return RArrMeanA(count, y);
    case 2:
      return RArrMax(count, y, nullptr);
    default:
      return RArrSum(count, y, true);
  }
}

// The extrapolations of modes 4 and 5 on y over the window.
LibErrorCode Extrapolate(const QuantityRows& r, Qword mode, Qword order, const double* y,
                         double* value) {
  const Qword n = r.last - r.first + 1;
  if (mode == 5) return ExtrapToZeroByCheby(r.x + r.first, y + r.first, value, n, order);
  // The x step is taken from the point after the first: a window that
  // starts on the last point has none.
  if (r.first + 1 >= r.points) return kErrIllegalParameters;
  const double x0 = r.x[r.first];
  const double dx = r.x[r.first + 1] - x0;
  const Qword m = n < r.points - 1 ? n : r.points - 1;
  double gain = 0;
  return ExtrapToZeroBySavGol(y + r.first, x0, dx, value, &gain, 0, m, order);
}

}  // namespace

bool QuantityModeKnown(Qword mode) { return mode >= 1 && mode <= 5; }

const char* QuantityReportFormat(Qword mode) {
  switch (mode) {
    case 1:
      return " Average in [%llu, %llu]\n";
    case 2:
      return " Maximum in [%llu, %llu]\n";
    case 3:
      return " Integral in [%llu, %llu]\n";
    case 4:
      return " Savizky-Golay extrapolation in [%llu, %llu]\n";
    default:
      return " Chebyshev extrapolation in [%llu, %llu]\n";
  }
}

LibErrorCode MeasureQuantities(const QuantityRows& r, Qword mode, Dword flags, Qword order,
                               Quantities* out) {
  out->q1 = std::nan("");
  out->q2 = std::nan("");
  out->second = false;
  if (!QuantityModeKnown(mode)) return kErrIllegalMode;
  const Qword n = r.last - r.first + 1;
  if (mode <= 3) {
    const bool whole = (flags & kQuantWholeRow) != 0;
    out->second = whole || !(flags & kQuantFirstOnly);
    out->q1 = Summary(mode, n, r.re + r.first);
    if (whole)
      out->q2 = Summary(mode, r.points, r.re);
    else if (out->second)
      out->q2 = Summary(mode, n, r.im + r.first);
    return kErrNone;
  }
  // The whole-row flag means nothing to the extrapolations.
  const LibErrorCode e1 = Extrapolate(r, mode, order, r.re, &out->q1);
  LibErrorCode e2 = kErrNone;
  out->second = !(flags & kQuantFirstOnly);
  if (out->second) e2 = Extrapolate(r, mode, order, r.im, &out->q2);
  return e1 != kErrNone ? e1 : e2;
}
