// Two- and three-point lookups in sorted tables; they hold the end values
// outside the table instead of extrapolating.
#include <cmath>

#include "arrays/interp.h"
#include "arrays/interp_table.h"
#include "scalar/real_helpers.h"

namespace {

using interp::Table;

double Linear(const Table& t, double x) {
  if (!t.Present() || t.n == 0 || std::isnan(x)) return ___NAN;
  const Qword last = t.n - 1;
  if (x <= t.X(0)) return t.Y(0);
  if (x >= t.X(last)) return t.Y(last);
  const Qword lo = interp::Bracket(t, x);
  return rIntExt2L(x, t.X(lo), t.X(lo + 1), t.Y(lo), t.Y(lo + 1));
}

// The parabola through the knot nearest to x and its two neighbours (a tie
// takes the right knot), kept one knot inside either end.
double Quadratic(const Table& t, double x) {
  if (!t.Present() || t.n < 3 || std::isnan(x)) return ___NAN;
  const Qword last = t.n - 1;
  if (x <= t.X(0)) return t.Y(0);
  if (x >= t.X(last)) return t.Y(last);
  const Qword lo = interp::Bracket(t, x), hi = lo + 1;
  Qword c = t.X(hi) - x > x - t.X(lo) ? lo : hi;
  if (c == 0) c = 1;
  if (c == last) c = last - 1;
  return rIntExt3Q(x, t.X(c - 1), t.X(c), t.X(c + 1), t.Y(c - 1), t.Y(c), t.Y(c + 1));
}

}  // namespace

VELTRIA_API double RArrIntExt2LXarrYarr(double x, const double* X, const double* Y, Qword n) {
  return Linear(interp::Separate(X, Y, n), x);
}
VELTRIA_API double RArrIntExt2LXYarr(double x, const double* XY, Qword n) {
  return Linear(interp::Interleaved(XY, n), x);
}
VELTRIA_API double RArrIntExt3QXarrYarr(double x, const double* X, const double* Y, Qword n) {
  return Quadratic(interp::Separate(X, Y, n), x);
}
VELTRIA_API double RArrIntExt3QXYarr(double x, const double* XY, Qword n) {
  return Quadratic(interp::Interleaved(XY, n), x);
}
