// Plot commands that read a plot: pixel <-> value maps, the point read-out
// through the program's plot of a window (message 51), the cursor texts and
// the nearest sample. Texts are the plot's own buffers; the caller does
// not free them.
#include <cmath>

#include "base/error_codes.h"
#include "command/cmd_plot_args.h"
#include "command/command_table.h"
#include "command/lib_command.h"
#include "framework/graphics/ky_gw.h"

namespace {

// The context of the record's plot and the input value's address; null
// (the caller answers the invalid marker) when either is missing.
const cKyGw* ContextOf(KyAppRecord* record, const void** input) {
  PlotArgs* args = PlotArgsOf(record);
  if (!args || !args->plot || !args->pointer) return nullptr;
  *input = args->pointer;
  return args->plot->Context();
}

bool IsRotated(const cPlot* plot) {
  return (plot->flags & (kPlotRotatedCcw | kPlotRotatedCw)) != 0;
}

}  // namespace

void CmdPlotXToDevice(KyAppRecord* record) {
  record->result.i64 = kGwInvalid;
  const void* input = nullptr;
  if (const cKyGw* gw = ContextOf(record, &input))
    record->result.i64 = gw->XToDevice(*static_cast<const double*>(input));
}

void CmdPlotYToDevice(KyAppRecord* record) {
  record->result.i64 = kGwInvalid;
  const void* input = nullptr;
  if (const cKyGw* gw = ContextOf(record, &input))
    record->result.i64 = gw->YToDevice(*static_cast<const double*>(input));
}

void CmdPlotDeviceToX(KyAppRecord* record) {
  record->result.real = NAN;
  const void* input = nullptr;
  if (const cKyGw* gw = ContextOf(record, &input))
    record->result.real = gw->DeviceXToReal(*static_cast<const Qlong*>(input));
}

void CmdPlotDeviceToY(KyAppRecord* record) {
  record->result.real = NAN;
  const void* input = nullptr;
  if (const cKyGw* gw = ContextOf(record, &input))
    record->result.real = gw->DeviceYToReal(*static_cast<const Qlong*>(input));
}

void CmdPlotNearestIndex(KyAppRecord* record) {
  record->result.i64 = -1;
  const void* input = nullptr;
  PlotArgs* args = static_cast<PlotArgs*>(record->argument);
  if (ContextOf(record, &input))
    record->result.i64 = args->plot->NearestIndex(*static_cast<const double*>(input));
}

void CmdReadoutAt(KyAppRecord* record) {
  record->result.pointer = nullptr;
  const auto* args = static_cast<const ReadoutArgs*>(record->argument);
  if (!args) {
    record->error = kErrMissingArguments;
    return;
  }
  const Qlong x = args->x;
  const Qlong y = args->y;
  // The program answers with the plot it shows on that window; a quiet
  // record or no callback leaves the result null.
  KySendMessageWith(record, kKyMsgPlotOfTarget,
                    reinterpret_cast<void*>(static_cast<uintptr_t>(args->window_id)));
  auto* plot = static_cast<cPlot*>(record->result.pointer);
  record->result.pointer = plot ? const_cast<char*>(plot->PointText(x, y)) : nullptr;
}

void CmdCursorReadoutX(KyAppRecord* record) {
  record->result.pointer = nullptr;
  PlotArgs* args = PlotArgsOf(record);
  if (!args) return;
  if (!record->data_root) {
    record->error = kErrMissingDataObject;
    return;
  }
  cPlot* plot = args->plot;
  if (!plot) return;
  const double c1 = args->values[0].real, c2 = args->values[1].real;
  const char* text = IsRotated(plot) ? plot->YCursorText(c1, c2) : plot->XCursorText(c1, c2);
  record->result.pointer = const_cast<char*>(text);
}

void CmdCursorReadoutY(KyAppRecord* record) {
  record->result.pointer = nullptr;
  PlotArgs* args = PlotArgsOf(record);
  if (!args || !args->plot) return;
  cPlot* plot = args->plot;
  const double c1 = args->values[0].real, c2 = args->values[1].real;
  const char* text = IsRotated(plot) ? plot->XCursorText(c1, c2) : plot->YCursorText(c1, c2);
  record->result.pointer = const_cast<char*>(text);
}
