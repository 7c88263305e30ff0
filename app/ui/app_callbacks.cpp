#include "app/ui/app_callbacks.h"

#include <FL/Fl.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/fl_ask.H>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/core/bruker_text.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/main_window.h"
#include "base/double_to_int.h"
#include "base/error_detail.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "command/tree_changing.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

namespace {

ForeignReader g_bruker_reader = nullptr;
ForeignWriter g_bruker_writer = nullptr;

const char16_t kAppNameWide[] = u"Pelorin";

Fl_Text_Display* LogFor(const Evp* evp, Qword items) {
  if (evp->zone != ~Qword{0} && evp->zone < items) {
    const DataSetWidgets* set = DataSetAt(evp->zone);
    return set != nullptr ? set->log : nullptr;
  }
  if (evp->level == 2) return App().calibration_log;
  return nullptr;
}

// The numeric value of an item parameter, NaN when it has none.
double NumericParameter(Qword item, const char* name) {
  KyAppRecord* record = App().record;
  ParameterArgs args{static_cast<Qlong>(item), name, nullptr, nullptr};
  if (RunCommand(record, kKyCmdGetParameter, &args) != 0) return NAN;
  char* text = static_cast<char*>(record->result.pointer);
  if (text == nullptr) return NAN;
  const double value = std::strtod(text, nullptr);
  ReleaseCommandText(record, text);
  return value;
}

void SetParameter(Qword item, const char* name, const char* value) {
  ParameterArgs args{static_cast<Qlong>(item), name, nullptr, value};
  RunCommand(App().record, kKyCmdSetParameter, &args);
}

void OnTaskCompleted(KyAppRecord* record) {
  const auto* evp = static_cast<const Evp*>(record->argument);
  if (evp == nullptr) return;
  // The outer command's state: the nested commands below clear the error.
  const Dword error = record->error;
  const Qword n = GetItemCount();
  record->error = error;
  if (Fl_Text_Display* log = LogFor(evp, n)) {
    if (log->buffer() != nullptr && evp->report != nullptr) log->buffer()->append(evp->report);
    log->scroll(2147483647, 0);
    log->redraw();
  }
  if (error != 0) return;
  const bool names_item = evp->zone != ~Qword{0} && evp->zone < n;
  char text[256];
  switch (evp->id) {
    case kEvpQuantify:
      if (names_item && !std::isnan(evp->quantity) && DataSetAt(evp->zone) != nullptr) {
        Fl_Output* q = DataSetAt(evp->zone)->calibration.q;
        if (q != nullptr) {
          // Read back by the calibration's strict reader, whatever the locale.
          q->value(BrukerFormatG(evp->quantity, 6).c_str());
          q->redraw();
        }
      }
      break;
    case kEvpGroupDelay:
      if (evp->zone != ~Qword{0}) {
        const double g = NumericParameter(evp->zone, "GDLY");
        // std::round takes halves away from zero.
        const double r = g - std::round(g);
        SetParameter(evp->zone, "GDLY", BrukerFormatG(r, 6).c_str());
      }
      break;
    case kEvpZeroFill:
      if (evp->zone != ~Qword{0}) {
        if (RunCommand(record, kKyCmdBlockPoints, ValueArgument(evp->zone)) == 0) {
          std::snprintf(text, sizeof text, "%llu",
                        static_cast<unsigned long long>(record->result.u64));
          SetParameter(evp->zone, "BS", text);
        }
      }
      break;
    default:
      break;
  }
  record->error = error;
}

// Commands that change the data tree (the framework's one table of them).
// Plots borrow the blocks they show, so none may outlive a change: every
// plot goes when such a command begins (restores, undo, a load that
// replaces the tree's content) and again when it ends (a failed run deletes
// the copy a repaint during the run may have drawn from). The views stay;
// the next draw builds new plots from the current data.
bool ReplacesData(Dword command) { return KyCommandChangesTree(command); }

void DropAllPlots() {
  for (DataSetWidgets& set : App().data_sets)
    if (set.canvas != nullptr) set.canvas->DropPlot();
  if (App().calibration_canvas != nullptr) App().calibration_canvas->DropPlot();
}

Dword LoadForeignFormat(KyAppRecord* record) {
  const auto* request = static_cast<const ReaderRequest*>(record->argument);
  if (request == nullptr || request->data_type != kKyDataBruker || g_bruker_reader == nullptr)
    return 65;
  return g_bruker_reader(request->root, request->path);
}

Dword SaveForeignFormat(KyAppRecord* record) {
  const auto* args = static_cast<const SaveDataArgs*>(record->argument);
  if (args == nullptr || args->data_type != kKyDataBruker || g_bruker_writer == nullptr) return 65;
  return g_bruker_writer(args->node, args->path);
}

}  // namespace

void SetBrukerReaderWriter(ForeignReader reader, ForeignWriter writer) {
  g_bruker_reader = reader;
  g_bruker_writer = writer;
}

void RefreshAllCanvases(bool items, bool calibration) {
  KyAppRecord* record = App().record;
  if (record == nullptr || record->data_root == nullptr) return;
  if (items) {
    const Qword n = GetItemCount();
    for (Qword i = 0; i < n; ++i)
      if (DataSetWidgets* set = DataSetAt(i); set != nullptr && set->canvas != nullptr)
        cCanvas::Reset(set->canvas, true, false);
  }
  if (calibration && App().calibration_canvas != nullptr)
    cCanvas::Reset(App().calibration_canvas, true, false);
}

void ReportError(KyAppRecord* record) {
  const Dword code = record->error;
  ErrorTextArgs args{code, nullptr, nullptr};
  RunQuietCommand(record, kKyCmdErrorTextA, &args);
  AppBeep();
  // A reader that refused a file left which file and what is wrong with it.
  std::string text = args.narrow != nullptr ? args.narrow : "Unnamed error";
  if (const char* detail = LibErrorDetailA(code)) text = text + "\n" + detail;
  LibErrorDetailClear();
  // Also on standard error, where a terminal or a log keeps it after the
  // box is closed.
  std::fprintf(stderr, "Pelorin: %s\n", text.c_str());
  AppAlert(text.c_str());
  record->error = code;
}

Dword AppCommandCallback(Dword message, KyAppRecord* record) {
  if (record == nullptr) return 0;
  void* const argument = record->argument;
  Dword answer = 0;
  switch (message) {
    case kKyMsgBegin:
      // A detail left by an earlier (quiet) failure is not this command's.
      LibErrorDetailClear();
      if (ReplacesData(record->command)) DropAllPlots();
      break;
    case kKyMsgEnd:
      if (ReplacesData(record->command)) DropAllPlots();
      break;
    case kKyMsgError:
      ReportError(record);
      break;
    case kKyMsgAppName:
      record->result.pointer = const_cast<char16_t*>(kAppNameWide);
      break;
    case kKyMsgBuildWindow:
      BuildMainWindow();
      break;
    case kKyMsgRunWindow:
      record->error = RunMainWindow();
      break;
    case kKyMsgTaskReport:
      OnTaskCompleted(record);
      break;
    case kKyMsgReadRequest:
      answer = LoadForeignFormat(record);
      break;
    case kKyMsgWriteRequest:
      answer = SaveForeignFormat(record);
      break;
    case kKyMsgPlotOfTarget: {
      record->result.pointer = nullptr;
      cCanvas* canvas = CanvasFromWindowId(reinterpret_cast<Qword>(argument));
      if (canvas != nullptr) record->result.pointer = canvas->plot;
      break;
    }
    case kKyMsgDisplayFlags: {
      cCanvas* canvas = CanvasFromWindowId(reinterpret_cast<Qword>(argument));
      record->result.u64 = canvas != nullptr ? canvas->display_flags : 0;
      break;
    }
    case kKyMsgRedraw:
    case kKyMsgUndone:
      RefreshAllCanvases(true, true);
      break;
    default:
      break;
  }
  record->argument = argument;
  return answer;
}
