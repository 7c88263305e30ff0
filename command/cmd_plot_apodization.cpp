// The apodization overlay of a plot (codes 10019 and 10020): an "apod"
// curve at the top of the visible y range from the first point of the
// window on, multiplied by the window function.
#include <algorithm>
#include <cmath>

#include "base/error_codes.h"
#include "base/memory.h"
#include "command/cmd_plot_args.h"
#include "command/command_table.h"
#include "framework/graphics/gw_data.h"
#include "signal_fit/signal/apodization.h"

namespace {

constexpr Dword kApodColour = 0x0000F000u;
constexpr Qword kStanning = 2;
// What code 10019 answers in the second window parameter for "Stanning".
constexpr double kStanningMarker = 3333.0;

cGwArr* NewOverlay(cGwData* data, Qword n, Qword first) {
  double lo = 0.0, hi = 0.0;
  data->GetYRange(&lo, &hi);
  Dword error = 0;
  double* values = NewRealArrFill(&error, n);
  if (!values) return nullptr;
  for (Qword i = 0; i < n; ++i) values[i] = i < first ? NAN : hi;
  cGwArr* overlay = data->AddArray(values, n, 0, "apod", kApodColour, kGwArrOwned, false);
  if (!overlay) KillPtr(&values);
  return overlay;
}

}  // namespace

void CmdPlotApodization(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  if (!args || !args->plot || !args->plot->data) return;
  cGwData* data = args->plot->data;
  const cGwArr* first_array = data->FirstArray();
  const Qword n = first_array ? first_array->count : 0;
  if (n == 0) return;
  // A first point beyond the data leaves no point to multiply, never a
  // negative count.
  const Qword first =
      args->first_point < 0 ? 0 : std::min(static_cast<Qword>(args->first_point), n);
  cGwArr* overlay = cGwArr::FindByName("apod", data->FirstArray());
  if (!overlay) {
    overlay = NewOverlay(data, n, first);
    if (!overlay) {
      record->error = kErrAlloc;
      return;
    }
  }
  if (args->apodization_type == kStanning) {
    args->values[1].real = kStanningMarker;
    return;
  }
  const cGwArr* reference = data->Reference();
  const Qword count = std::min(overlay->count, n);
  if (!reference || first >= count) return;
  double window[4];
  for (int i = 0; i < 4; ++i) window[i] = args->values[i].real;
  record->error = RArrApodization(args->apodization_type, count - first, overlay->values + first,
                                  reference->min, reference->max, window);
  // The y range and any scale of the overlay follow its new values; the
  // extremes it was created with would clip a window that changes sign and
  // flatten one that has decayed.
  overlay->UpdateRange();
}

void CmdPlotRemoveApodization(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  if (!args || !args->plot || !args->plot->data) return;
  cGwData* data = args->plot->data;
  data->RemoveArray(cGwArr::FindByName("apod", data->FirstArray()));
}
