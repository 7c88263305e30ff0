// Series of the inverse-Laplace distribution view (kind 5): the discrete
// components as a histogram on a fixed logarithmic grid, the continuous
// distribution behind them as a curve in a second data object scaled to
// the histogram's height.
#include <algorithm>
#include <cmath>
#include <new>

#include "arrays/grid.h"
#include "base/double_to_int.h"
#include "base/memory.h"
#include "data_engine/data_plot.h"
#include "data_engine/data_plot_arrays.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/gw_data.h"

namespace {

constexpr Qword kBins = 256;
constexpr double kBinFirst = 1e-4;
constexpr double kBinLast = 100.0;
constexpr double kFullHeight = 100.0;

void Widen(double a, double b, double* lo, double* hi) {
  if (std::isfinite(a)) *lo = std::min(*lo, a);
  if (std::isfinite(b)) *hi = std::max(*hi, b);
}

// The number of leading discrete points: result 0 of the node, 0 when it
// is not a count, never more than the node holds.
Qword DiscreteCount(const cKyData* node) {
  const double r = node->results[0];
  if (!(r >= 1.0)) return 0;
  return std::min(DoubleToQword(r), node->points);
}

}  // namespace

LibErrorCode cKyDataPlot::BuildDistribution(cKyData* node) {
  const Qword n = node->points;
  const double* rate = node->Row(0);
  const double* amp = node->Row(1);
  if (n == 0 || !rate || !amp) return kErrMissingInputData;
  const bool log_x = XAxisLogarithmic();
  const Qword f = DiscreteCount(node);
  double height = kFullHeight;

  if (f > 0) {
    Dword error = 0;
    double* grid = NewRArrGrid(&error, kGridLogarithmic, kBinFirst, kBinLast, kBins);
    if (!grid) return kErrAlloc;
    double* histogram = NewSeriesValues(kBins);
    if (!histogram) {
      KillPtr(&grid);
      return kErrAlloc;
    }
    double sum = 0.0, sum_abs = 0.0, largest = 0.0;
    for (Qword i = 0; i < f; ++i) {
      const double x = rate[i] == 0.0 ? kBinLast : 1.0 / rate[i];
      const Qlong bin = RArrGridIndex(x, kGridLogarithmic, kBins, kBinFirst, kBinLast);
      if (bin >= 0) histogram[bin] += amp[i];
      sum += amp[i];
      sum_abs += std::fabs(amp[i]);
      largest = std::max(largest, std::fabs(amp[i]));
    }
    // Percent of the sum of the amplitudes. Amplitudes that cancel have no
    // such sum: their absolute sum stands in; without any amplitude the
    // histogram stays zero and the continuous part keeps the full height.
    const double total = (sum != 0.0 && std::isfinite(sum)) ? sum : sum_abs;
    if (total != 0.0 && std::isfinite(total)) {
      const double scale = kFullHeight / total;
      for (Qword b = 0; b < kBins; ++b) histogram[b] *= scale;
      height = std::fabs(scale) * largest;
    }
    if (!(height > 0.0) || !std::isfinite(height)) height = kFullHeight;
    if (log_x)
      for (Qword b = 0; b < kBins; ++b) grid[b] = std::log10(grid[b]);
    data->SetTitle("(time, dilt)");
    if (!AddOwnedSeries(data, grid, kBins, 1, "time", 0, kSeriesOwned)) {
      KillPtr(&histogram);
      return kErrAlloc;
    }
    if (!AddOwnedSeries(data, histogram, kBins, 1, "dilt", 0xC0000000u, kSeriesOwnedLines))
      return kErrAlloc;
  }

  cGwData* continuous = nullptr;
  if (n > f) {
    const Qword m = n - f;
    double* x = NewSeriesValues(m);
    double* y = NewSeriesValues(m);
    if (!x || !y) {
      KillPtr(&x);
      KillPtr(&y);
      return kErrAlloc;
    }
    double largest = 0.0, sum = 0.0;
    for (Qword j = 0; j < m; ++j) {
      const double r = rate[f + j];
      x[j] = r == 0.0 ? NAN : 1.0 / r;
      if (log_x) x[j] = AxisLog10(x[j]);
      y[j] = amp[f + j];
      if (std::isfinite(y[j])) {
        largest = std::max(largest, std::fabs(y[j]));
        sum += y[j];
      }
    }
    double scale = largest > 0.0 ? height / largest : 1.0;
    if (sum < 0.0) scale = -scale;
    for (Qword j = 0; j < m; ++j) y[j] *= scale;

    continuous = new (std::nothrow) cGwData();
    if (!continuous) {
      KillPtr(&x);
      KillPtr(&y);
      return kErrAlloc;
    }
    continuous->SetPlot(this);
    AddChild(continuous);
    // The axes go behind the newest data object again, so they stay under
    // every curve as in a plot with one data object.
    axes->Unlink();
    AddChild(axes);
    continuous->SetTitle("(time, cilt)");
    if (!AddOwnedSeries(continuous, x, m, 1, "time", 0, kSeriesOwned)) {
      KillPtr(&y);
      return kErrAlloc;
    }
    if (!AddOwnedSeries(continuous, y, m, 1, "cilt", 0, kSeriesOwnedAll)) return kErrAlloc;
  }

  double x_lo = 0.0, x_hi = 0.0, y_lo = 0.0, y_hi = 0.0;
  double a, b;
  if (f > 0) {
    data->GetXRange(&a, &b);
    x_lo = a;
    x_hi = b;
    data->GetYRange(&a, &b);
    y_lo = a;
    y_hi = b;
  }
  if (continuous) {
    continuous->GetXRange(&a, &b);
    Widen(a, b, &x_lo, &x_hi);
    continuous->GetYRange(&a, &b);
    Widen(a, b, &y_lo, &y_hi);
  }
  flags |= kPlotMarginX | kPlotMarginY;
  x_data_min = x_lo;
  x_data_max = x_hi;
  include_zero_x = 0;
  AutoScaleX(nullptr);
  y_data_min = y_lo;
  y_data_max = y_hi;
  AutoScaleY(nullptr);

  if (f == 0 && continuous) {
    // Only the continuous part: it becomes the plot's data object.
    cGwData* discrete = data;
    data = continuous;
    discrete->Unlink();
    delete discrete;
  }
  return kErrNone;
}
