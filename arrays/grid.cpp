#include "arrays/grid.h"

#include <cmath>

#include "base/memory.h"
#include "base/strings.h"
#include "scalar/c_wrappers.h"
#include "scalar/int_helpers.h"
#include "scalar/real_helpers.h"

const NamedId RArrGridNameTable[10] = {
    {kGridLinear, "Lin"},      {kGridLinear, "LIN"},
    {kGridLinear, "lin"},      {kGridLinear, "Regular"},
    {kGridLogarithmic, "Log"}, {kGridLogarithmic, "log"},
    {kGridLogarithmic, "LOG"}, {kGridInverse, "Inverse"},
    {kGridSquare, "Square"},   {0, ""},
};

namespace {

// The grid's own coordinate and its inverse.
struct Coordinate {
  Qword kind;
  bool Linear() const {
    return kind != kGridLogarithmic && kind != kGridInverse && kind != kGridSquare;
  }
  double To(double v) const {
    switch (kind) {
      case kGridLogarithmic:
        return c_Log(v);
      case kGridInverse:
        return 1 / v;
      case kGridSquare:
        return v * v;
      default:
        return v;
    }
  }
  double From(double u) const {
    switch (kind) {
      case kGridLogarithmic:
        return c_Exp(u);
      case kGridInverse:
        return 1 / u;
      case kGridSquare:
        return c_Sqrt(u);
      default:
        return u;
    }
  }
};

}  // namespace

VELTRIA_API double* NewRArrGrid(Dword* error, Qword kind, double min, double max, Qword n) {
  double* grid = NewRealArrFill(error, n);
  if (grid) RArrGridFill(kind, min, max, n, grid);
  return grid;
}

VELTRIA_API void RArrGridFill(Qword kind, double min, double max, Qword n, double* dst) {
  if (n == 0) return;
  const Coordinate c{kind};
  const double first = c.To(min);
  const double step = (c.To(max) - first) / static_cast<double>(n - 1);
  if (c.Linear()) {  // linear and unknown kinds: the step is accumulated
    dst[0] = min;
    for (Qword i = 1; i < n; ++i) dst[i] = dst[i - 1] + step;
    return;
  }
  for (Qword i = 0; i < n; ++i) dst[i] = c.From(first + static_cast<double>(i) * step);
}

VELTRIA_API double RArrGridValue(Qword i, Qword kind, Qword n, double min, double max) {
  if (i >= n) return ___NAN;
  const Coordinate c{kind};
  const double first = c.To(min);
  const double step = (c.To(max) - first) / static_cast<double>(n - 1);
  return c.From(first + static_cast<double>(i) * step);
}

VELTRIA_API Qlong RArrGridIndex(double v, Qword kind, Qlong n, double min, double max) {
  if (std::isnan(v) || min == max || n < 2) return -1;
  const Coordinate c{kind};
  const double first = c.To(min);
  const double f = (c.To(v) - first) / ((c.To(max) - first) / static_cast<double>(n - 1));
  const Qword index = uRealRoundToQword(f, nullptr);
  const Qword last = static_cast<Qword>(n - 1);
  return static_cast<Qlong>(index < last ? index : last);
}

VELTRIA_API const char* RArrGridNameFromTypeA(Qword kind) {
  for (const NamedId* row = RArrGridNameTable; row->id; ++row)
    if (row->id == kind) return static_cast<const char*>(row->name);
  return nullptr;
}

VELTRIA_API Qword RArrGridTypeFromNameA(const char* text) {
  if (!text) return 0;
  for (const NamedId* row = RArrGridNameTable; row->id; ++row)
    if (StringStartsWithA(text, static_cast<const char*>(row->name), 0)) return row->id;
  return 0;
}

VELTRIA_API Dword RArrTestGridType(const double* x, Qword n, double tol) {
  if (n <= 2) return 0;
  const double d = x[1] - x[0];
  bool linear = true;
  for (Qword i = 2; i < n && linear; ++i) linear = std::fabs((x[i] - x[i - 1]) / d - 1) <= tol;
  if (linear) return 1;
  const double r = x[0] == 0 ? 0 : x[1] / x[0];
  for (Qword i = 2; i < n; ++i)
    if (!(std::fabs(x[i] / x[i - 1] / r - 1) <= tol)) return 0;
  return 2;
}
