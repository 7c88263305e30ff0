// Plot commands: creating a data plot for a canvas, drawing it, deleting
// it, its orientation, zooms and the SVG export. The program issues them
// with the quiet flag from inside its paint handlers, so a canvas with
// nothing to show gets a null plot and no error.
#include <cmath>
#include <new>

#include "base/error_codes.h"
#include "base/memory.h"
#include "command/cmd_plot_args.h"
#include "command/command_table.h"
#include "command/lib_command.h"
#include "data_engine/data_plot.h"
#include "framework/graphics/ky_gw.h"
#include "framework/graphics/ky_svg.h"

namespace {

double DeltaUnitFactor(Dword flags) {
  switch (flags & kPlotDeltaUnitMask) {
    case kPlotDeltaUnit10:
      return 10.0;
    case kPlotDeltaUnit100:
      return 100.0;
    case kPlotDeltaUnit1000:
      return 1000.0;
    default:
      return 1.0;
  }
}

bool AllFinite(const PlotArgs& args) {
  for (const PlotArgs::Value& v : args.values)
    if (!std::isfinite(v.real)) return false;
  return true;
}

}  // namespace

PlotArgs* PlotArgsOf(KyAppRecord* record) {
  auto* args = static_cast<PlotArgs*>(record->argument);
  if (!args) record->error = kErrMissingArguments;
  return args;
}

cPlot* PlotOrMissing(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  if (!args) return nullptr;
  if (!args->plot) record->error = kErrMissingArguments;
  return args->plot;
}

void CmdCreatePlot(KyAppRecord* record) {
  record->result.pointer = nullptr;
  void* target = record->argument;
  if (!target) {
    record->error = kErrMissingArguments;
    return;
  }
  // No data yet (the calibration canvas before any calibration): no plot,
  // and no error, which would open a message box inside a paint.
  if (!record->data_root) return;
  cKyGw* gw = new (std::nothrow) cKyGw(target, KyFrameworkAppInfo()->draw_callback);
  if (!gw) {
    record->error = kErrAlloc;
    return;
  }
  cKyDataPlot* plot = NewKyDataPlot(record->data_root, gw);
  if (!plot) {
    delete gw;
    return;
  }
  plot->AdoptContext();
  record->result.pointer = static_cast<cPlot*>(plot);
}

void CmdDrawPlot(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  cPlot* plot = args ? PlotOrMissing(record) : nullptr;
  if (!plot) return;
  if (plot->data) {
    plot->data->SetVisibleKinds(args->flags);
    // The plot keeps the factor it applied, so the caller's divisor cannot
    // make a repaint scale the differences a second time.
    auto* data_plot = dynamic_cast<cKyDataPlot*>(plot);
    if (data_plot && (args->flags & kPlotDeltaUnitMask))
      data_plot->SetDeltaFactor(DeltaUnitFactor(args->flags));
  }
  cKyGw* gw = plot->Context();
  if (!gw) return;
  if (args->pointer && args->pointer != gw->Target()) {
    // Another target starts the context afresh: the plot's orientation and
    // its autoscaled view come back, instead of the context's defaults.
    gw->Attach(args->pointer);
    if (plot->flags & kPlotRotatedCcw)
      gw->SetOrientation(kGwRotateCcw);
    else if (plot->flags & kPlotRotatedCw)
      gw->SetOrientation(kGwRotateCw);
    plot->AutoScaleX(nullptr);
    plot->AutoScaleY(nullptr);
  } else if (args->pointer) {
    gw->Attach(args->pointer);
  }
  // A kept view that is not a number (a canvas that read it without a
  // plot) would leave no scale at all: the plot keeps its own.
  if (args->zoom && AllFinite(*args))
    plot->SetRanges(nullptr, args->values[0].real, args->values[1].real, args->values[2].real,
                    args->values[3].real, true);
  else
    plot->Draw(nullptr, 0);
}

void CmdKillPlot(KyAppRecord* record) {
  auto** address = static_cast<cPlot**>(record->argument);
  if (!address) {
    record->error = kErrMissingArguments;
    return;
  }
  KillObject(address);
}

void CmdPlotOrientation(KyAppRecord* record) {
  const auto* plot = static_cast<const cPlot*>(record->argument);
  Qword orientation = 0;
  if (plot && (plot->flags & kPlotRotatedCcw))
    orientation = 1;
  else if (plot && (plot->flags & kPlotRotatedCw))
    orientation = 2;
  record->result.u64 = orientation;
}

void CmdPlotToSvg(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  cPlot* plot = args ? PlotOrMissing(record) : nullptr;
  if (!plot) return;
  const auto width = static_cast<Dword>(static_cast<Qword>(args->values[0].integer));
  const auto height = static_cast<Dword>(static_cast<Qword>(args->values[1].integer));
  record->error = GrobToSvgFile(args->flags, plot, width, height, nullptr);
}

void CmdPlotZoomY(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  cPlot* plot = args ? PlotOrMissing(record) : nullptr;
  if (plot) plot->ZoomY(nullptr, args->values[0].real, 0.0, false);
}

// The canvas names its window with this code too, but the record has no
// field for it: the plot's own drawing context is the target.
void CmdPlotZoomBox(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  cPlot* plot = args ? PlotOrMissing(record) : nullptr;
  if (plot)
    plot->ZoomToPixelBox(nullptr, args->values[0].integer, args->values[1].integer,
                         args->values[2].integer, args->values[3].integer, false);
}

void CmdPlotSetRanges(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  cPlot* plot = args ? PlotOrMissing(record) : nullptr;
  if (plot)
    plot->SetRanges(nullptr, args->values[0].real, args->values[1].real, args->values[2].real,
                    args->values[3].real, false);
}

void CmdPlotFrequency(KyAppRecord* record) {
  PlotArgs* args = PlotArgsOf(record);
  if (args && args->plot) args->plot->frequency = args->values[0].real;
}
