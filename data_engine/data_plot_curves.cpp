// Series of the curve views: a relaxation curve with its fit and
// components (kind 2), a dispersion profile (kind 6) and a QARRAY table
// (kind 102).
#include <algorithm>
#include <cmath>

#include "base/double_to_int.h"
#include "data_engine/data_plot.h"
#include "data_engine/data_plot_arrays.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/gw_data.h"

namespace {

constexpr Dword kDataColour = 0xC0000000u;
constexpr Dword kDataiColour = 0x800000u;
constexpr Dword kFitColour = 0xF000u;

// The number of components the node's result 0 names, limited to what the
// linked node holds (rates in row 0, amplitudes in row 1).
Qword ComponentCount(const cKyData* node) {
  const cKyData* linked = node->linked;
  if (!linked || linked->rows < 2 || !linked->matrix) return 0;
  const double r = node->results[0];
  if (!(r >= 1.0)) return 0;
  return std::min(DoubleToQword(r), linked->points);
}

}  // namespace

// One "comp" curve per component and one at the offset, over the node's x.
static LibErrorCode AddComponents(cGwData* data, cKyData* node) {
  const Qword m = ComponentCount(node);
  const Qword n = node->points;
  const double* tau = node->Row(0);
  const double offset = std::isnan(node->results[1]) ? 0.0 : node->results[1];
  const double* rates = node->linked ? node->linked->Row(0) : nullptr;
  const double* amplitudes = node->linked ? node->linked->Row(1) : nullptr;
  for (Qword i = 0; i <= m && tau; ++i) {
    double* c = NewSeriesValues(n);
    if (!c) return kErrAlloc;
    for (Qword j = 0; j < n; ++j)
      c[j] = i < m ? amplitudes[i] * std::exp(-rates[i] * tau[j]) + offset : offset;
    if (!AddOwnedSeries(data, c, n, 1, "comp", kGwGrey, kSeriesOwnedLines)) return kErrAlloc;
  }
  return kErrNone;
}

LibErrorCode cKyDataPlot::BuildCurve(cKyData* node) {
  if (!AddRowSeries(data, node, 0, 1, "tau", 0, kSeriesBorrowedX)) return kErrMissingInputData;
  cGwArr* d = AddRowSeries(data, node, 1, 1, "data", kDataColour, kSeriesMarkers);
  if (!d) return kErrMissingInputData;
  d->marker_kind = 1;
  d->marker_size = 3;
  if (flags & kDataPlotShowDatai) {
    cGwArr* di = AddRowSeries(data, node, 2, 1, "datai", kDataiColour, kSeriesMarkers);
    if (!di) return kErrMissingInputData;
    di->marker_kind = 3;
    di->marker_size = 6;
  }
  if (node->rows > 3) {
    if ((flags & kDataPlotShowComp) && !std::isnan(node->results[0]) && node->linked) {
      const LibErrorCode e = AddComponents(data, node);
      if (e) return e;
    }
    const LibErrorCode e = AddFitAndDelta(node);
    if (e) return e;
  }
  ScaleFromData();
  return kErrNone;
}

LibErrorCode cKyDataPlot::BuildProfile(cKyData* node) {
  const Qword n = node->points;
  if (n == 0 || !node->Row(0)) return kErrMissingInputData;
  for (Qword r = 0; r < node->rows; ++r) {
    const double* row = node->Row(r);
    double* v = NewSeriesValues(n);
    if (!v) return kErrAlloc;
    for (Qword i = 0; i < n; ++i) v[i] = AxisLog10(row[i]);
    const bool fit = r > 0 && node->row_flags && node->row_flags[r] == kKyRowResult;
    const char* name = r == 0 ? "brlx" : (fit ? "fit" : "r");
    const Dword colour = r == 0 ? 0 : (fit ? kFitColour : kDataColour);
    const Dword series_flags =
        r == 0 ? kSeriesOwnedX : (fit ? kSeriesOwnedLines : kSeriesOwnedMarkers);
    if (!AddOwnedSeries(data, v, n, 1, name, colour, series_flags)) return kErrMissingInputData;
  }
  ScaleFromData();
  return kErrNone;
}

LibErrorCode cKyDataPlot::BuildQarray(cKyData* node) {
  if (node->points == 0 || !node->matrix) return kErrMissingInputData;
  double* x = nullptr;
  Qword n = 0;
  if (node->ExtractRow(&x, &n, 0, 1.0) != kErrNone) return kErrAlloc;
  if (XAxisLogarithmic())
    for (Qword i = 0; i < n; ++i) x[i] = AxisLog10(x[i]);
  if (!AddOwnedSeries(data, x, n, 1, "tau", 0, kSeriesOwnedX)) return kErrMissingInputData;
  if (!AddRowSeries(data, node, 2, 1, "qtot", kGwGrey, kSeriesBorrowedLines) ||
      !AddRowSeries(data, node, 1, 1, "qr", kDataColour, kSeriesBorrowedLines))
    return kErrMissingInputData;
  data->SetTitle("(tau, qtot, qr)");
  flags |= kPlotMarginX | kPlotMarginY;
  data->GetXRange(&x_data_min, &x_data_max);
  include_zero_x = 0;
  x_margin = 1.0 / (2.0 * static_cast<double>(n));
  AutoScaleX(nullptr);
  data->GetYRange(&y_data_min, &y_data_max);
  AutoScaleY(nullptr);
  return kErrNone;
}
