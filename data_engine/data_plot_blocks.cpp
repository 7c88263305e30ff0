// Series of the views of decays: one block (kind 4), its apodization view
// (kind 100), all blocks of an item (kind 3), and their y ranges.
#include <algorithm>
#include <cmath>

#include "base/memory.h"
#include "data_engine/data_plot.h"
#include "data_engine/data_plot_arrays.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/gw_data.h"
#include "scalar/elementary.h"

namespace {

constexpr Dword kRealColour = 0xC0000000u;
constexpr Dword kImagColour = 0x800000u;
constexpr Dword kFitColour = 0xF000u;
constexpr Dword kDeltaColour = 0xFF00FF00u;

void Widen(double v, double* lo, double* hi) {
  if (!std::isfinite(v)) return;
  if (!std::isfinite(*lo) || v < *lo) *lo = v;
  if (!std::isfinite(*hi) || v > *hi) *hi = v;
}

}  // namespace

LibErrorCode cKyDataPlot::AddComplexSeries(cKyData* item, Qlong block) {
  cKyData* b = (item && block >= 0) ? item->Child(static_cast<Qword>(block)) : nullptr;
  if (!b) return kErrMissingInputData;
  const Qword index = static_cast<Qword>(block);
  const Qword n = b->points;
  const double* re = b->Row(1);
  const double* im = b->Row(2);
  // A series that cannot be made is left out; the others still show.
  if (re) AddRowSeries(data, b, 1, index, "real", kRealColour, kSeriesBorrowed);
  if (im) AddRowSeries(data, b, 2, index, "imag", kImagColour, kSeriesBorrowed);
  if (!re || !im || n == 0 || !(flags & (kDataPlotShowMagn | kDataPlotShowPowr))) return kErrNone;

  // One pass of magnitudes serves the "magn" series and the unit of "powr".
  double* magn = NewSeriesValues(n);
  if (!magn) return kErrNone;
  double largest = 0.0;
  for (Qword i = 0; i < n; ++i) {
    magn[i] = rHypot(re[i], im[i]);
    if (magn[i] > largest) largest = magn[i];
  }
  // Power in units of the largest magnitude; a block without signal has
  // no such unit and keeps its power (all zeros) instead of 0/0.
  double* powr = (flags & kDataPlotShowPowr) ? NewSeriesValues(n) : nullptr;
  if (powr) {
    const double unit = (largest > 0.0 && std::isfinite(largest)) ? largest : 1.0;
    for (Qword i = 0; i < n; ++i) powr[i] = (re[i] * re[i] + im[i] * im[i]) / unit;
  }
  if (flags & kDataPlotShowMagn)
    AddOwnedSeries(data, magn, n, index, "magn", 0, kSeriesOwned);
  else
    KillPtr(&magn);
  if (powr) AddOwnedSeries(data, powr, n, index, "powr", kGwGrey, kSeriesOwned);
  return kErrNone;
}

LibErrorCode cKyDataPlot::AddFitAndDelta(cKyData* node) {
  const Qword n = node->points;
  const double* y = node->Row(1);
  const double* fit = node->Row(3);
  if (!y || !fit) return kErrMissingInputData;
  if (!AddRowSeries(data, node, 3, 1, "fit", kFitColour, kSeriesBorrowedLines)) return kErrInternal;
  double* delta = NewSeriesValues(n);
  if (!delta) return kErrAlloc;
  for (Qword i = 0; i < n; ++i) delta[i] = (y[i] - fit[i]) * delta_factor;
  if (!AddOwnedSeries(data, delta, n, 1, "delta", kDeltaColour, kSeriesOwnedLines))
    return kErrInternal;
  return kErrNone;
}

void cKyDataPlot::BlockStatisticsRange(cKyData* item, bool with_imag, double* lo, double* hi) {
  *lo = NAN;
  *hi = NAN;
  // Minimum and maximum come from one pass and are stored together.
  auto widen_row = [&](cKyData* b, Qword row) {
    if (b->ComputeRowStatistic(row, kKyStatMin, kNoIndex, kNoIndex) != kErrNone) return;
    Widen(*b->StatisticSlot(row, kKyStatMin), lo, hi);
    Widen(*b->StatisticSlot(row, kKyStatMax), lo, hi);
  };
  for (cKyData* b = item->FirstChild(); b; b = b->NextSibling()) {
    if (b->rows > 1) widen_row(b, 1);
    if (with_imag && b->rows > 2) widen_row(b, 2);
  }
}

// x from the reference with a margin; y over the row statistics of every
// block when the second word asks for it, else from the data object.
void cKyDataPlot::ScaleBlockView(cKyData* item) {
  data->GetXRange(&x_data_min, &x_data_max);
  flags |= kPlotMarginX;
  AutoScaleX(nullptr);
  double lo = NAN, hi = NAN;
  if (word3 & kDataPlotRangeAllBlocks)
    BlockStatisticsRange(item, (word3 & kDataPlotRangeWithImag) != 0, &lo, &hi);
  if (std::isfinite(lo) && std::isfinite(hi)) {
    y_data_min = lo;
    y_data_max = hi;
  } else {
    data->GetYRange(&y_data_min, &y_data_max);
  }
  flags |= kPlotMarginY;
  AutoScaleY(nullptr);
}

LibErrorCode cKyDataPlot::BuildBlock(cKyData* item) {
  cKyData* block =
      (item && block_index >= 0) ? item->Child(static_cast<Qword>(block_index)) : nullptr;
  if (!block || !block->Row(0) || block->points == 0) return kErrMissingInputData;
  if (!AddRowSeries(data, block, 0, static_cast<Qword>(block_index), "time", 0, kSeriesBorrowedX))
    return kErrInternal;
  AddComplexSeries(item, block_index);
  if (block->rows > 3) {
    const LibErrorCode e = AddFitAndDelta(block);
    if (e) return e;
  }
  x_margin = 0.005;
  ScaleBlockView(item);
  return kErrNone;
}

LibErrorCode cKyDataPlot::BuildApodization(cKyData* item) {
  cKyData* block =
      (item && block_index >= 0) ? item->Child(static_cast<Qword>(block_index)) : nullptr;
  if (!block || !block->Row(0) || !block->Row(1) || block->points == 0) return kErrMissingInputData;
  if (!AddRowSeries(data, block, 0, 1, "time", 0, kSeriesBorrowed)) return kErrInternal;
  cKyData* first = item->FirstChild();
  if (first && first->linked &&
      !AddRowSeries(data, first->linked, 1, 0, "refreal", kGwGrey, kSeriesBorrowed))
    return kErrInternal;
  AddComplexSeries(item, block_index);
  if (!cGwArr::FindByName("real", data->FirstArray())) return kErrInternal;
  x_margin = 5e-5;
  ScaleBlockView(item);
  return kErrNone;
}

LibErrorCode cKyDataPlot::BuildBlocks(cKyData* item) {
  cKyData* first = item->FirstChild();
  if (!first || !first->Row(0) || first->points == 0) return kErrMissingInputData;
  const Qword s = item->ChildCount();
  data->SetRowCount(s);
  if (!AddRowSeries(data, first, 0, 0, "time", 0, kSeriesBorrowed)) return kErrInternal;
  for (Qword i = 0; i < s; ++i) AddComplexSeries(item, static_cast<Qlong>(i));
  // Many curves at once: lines only.
  for (cGwArr* a = data->FirstArray(); a; a = a->next) a->flags |= kGwArrNoMarkers;

  data->GetXRange(&x_data_min, &x_data_max);
  data->GetYRange(&y_data_min, &y_data_max);
  flags |= kPlotMarginX | kPlotMarginY;
  if (flags & kPlotStacked) {
    AutoScaleX(nullptr);
    // Rows overlap upwards: the top of the window is floor(s / 2) curve
    // heights up. One block still needs one curve height, and data without
    // a positive top falls back to its own span.
    const double rows_up = std::max(1.0, std::floor(static_cast<double>(s) / 2.0));
    double top = y_data_max * rows_up;
    double bottom = -top / (2.0 * static_cast<double>(s) - 1.0);
    if (!(top > bottom)) {
      top = y_data_max;
      bottom = y_data_min;
    }
    if (!(top > bottom)) {
      top = 1.0;
      bottom = -1.0;
    }
    y_data_max = top;
    y_data_min = bottom;
    AutoScaleY(nullptr);
  } else if (flags & kPlotSideBySide) {
    x_data_min = 0.0;
    x_data_max = static_cast<double>(s) * x_data_max;
    AutoScaleX(nullptr);
    AutoScaleY(nullptr);
  } else {
    AutoScaleX(nullptr);
    AutoScaleY(nullptr);
  }
  return kErrNone;
}
