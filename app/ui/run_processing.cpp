#include "app/ui/run_processing.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <cstdio>
#include <vector>

#include "app/core/processing_script.h"
#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/commands.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "app/ui/run_calibration.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "base/error_codes.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"

namespace {

Qword ItemState(Qword item) {
  KyAppRecord* record = App().record;
  if (RunQuietCommand(record, kKyCmdItemState, ValueArgument(item)) != 0) return 0;
  return record->result.u64;
}

void SetItemState(Qword item, Dword state) {
  StateArgs args{static_cast<Qlong>(item), &state};
  RunQuietCommand(App().record, kKyCmdSetItemState, &args);
}

Qword BlockCount(Qword item) {
  KyAppRecord* record = App().record;
  if (RunQuietCommand(record, kKyCmdItemBlockCount, ValueArgument(item)) != 0) return 0;
  return record->result.u64;
}

void ClearField(Fl_Output* field) {
  if (field == nullptr) return;
  field->value("");
  field->redraw();
}

void AppendToLog(Qword item, const char* text) {
  const DataSetWidgets* set = DataSetAt(item);
  Fl_Text_Display* log = set != nullptr ? set->log : nullptr;
  if (log == nullptr || log->buffer() == nullptr) return;
  log->buffer()->append(text);
  log->scroll(2147483647, 0);
  log->redraw();
}

}  // namespace

std::string ItemNuclide(Qword item) {
  KyAppRecord* record = App().record;
  ParameterArgs args{static_cast<Qlong>(item), "NUC", nullptr, nullptr};
  if (RunQuietCommand(record, kKyCmdGetParameter, &args) != 0 || record->result.pointer == nullptr)
    return std::string();
  char* text = static_cast<char*>(record->result.pointer);
  std::string nuclide = text;
  ReleaseCommandText(record, text);
  return nuclide;
}

LibErrorCode BuildAndRunTaskScript(const SetupValues* stored) {
  if (stored == nullptr) return kErrMissingParameters;
  KyAppRecord* record = App().record;
  if (record == nullptr || record->data_root == nullptr) return kErrMissingDataObject;
  // The run uses what the dialog shows, saved or not; the stored setup
  // stays as it is.
  SetupValues setup = *stored;
  std::string alert;
  if (!SetupFromDialog(&setup, &alert)) {
    AppAlert(alert.c_str());
    return kErrIllegalParameters;
  }
  const Qword n = GetItemCount();
  std::vector<std::string> nuclides;
  for (Qword i = 0; i < n; ++i) nuclides.push_back(ItemNuclide(i));
  std::string script;
  Qword bad = 0;
  // Every item is checked before any log, field or item changes.
  if (!BuildProcessingScript(setup, nuclides, &script, &bad)) {
    AppAlert(InvalidNuclideAlert(bad).c_str());
    return kErrIllegalDataType;
  }
  for (Qword i = 0; i < n; ++i) {
    DataSetWidgets* set = DataSetAt(i);
    if (set == nullptr) continue;
    if (set->log != nullptr) ClearLogReports(set->log->buffer());
    // Numbers of an earlier run must not pass for results of this one.
    ClearField(set->calibration.q);
  }
  ClearCalibrationResults();
  for (Qword i = 0; i < n; ++i)
    if (ItemState(i) != 0) {
      // Processing already processed data would give wrong numbers without
      // a word: a restore that fails stops the run.
      const Dword restored = RunQuietCommand(record, kKyCmdRestoreOldest, ValueArgument(i));
      if (restored != 0) {
        char alert[160];
        std::snprintf(alert, sizeof alert,
                      "Data #%llu cannot be restored as loaded; processing stopped.",
                      static_cast<unsigned long long>(i + 1));
        AppAlert(alert);
        return static_cast<LibErrorCode>(restored);
      }
      // The item holds its data as loaded again.
      SetItemState(i, 0);
    }
  if (script.empty()) return kErrNone;
  const LibErrorCode result = RunCommand(record, kKyCmdRunTaskScript, script.data());
  if (result != kErrNone) return result;
  for (Qword i = 0; i < n; ++i) {
    SetItemState(i, 1);
    const Qword blocks = BlockCount(i);
    if (blocks > 1) {
      char note[200];
      std::snprintf(note, sizeof note,
                    " Note: %llu blocks. Q is the quantity of the last block;\n"
                    " the plot and the CSV export show block 1.\n\n",
                    static_cast<unsigned long long>(blocks));
      AppendToLog(i, note);
    }
  }
  return kErrNone;
}

void OnRunProcessing(Fl_Widget*, void*) {
  KyAppRecord* record = App().record;
  if (record == nullptr || record->data_root == nullptr) {
    AppAlert("No data loaded.");
    return;
  }
  if (BuildAndRunTaskScript(&Setup().values) == kErrNone) RefreshAllCanvases(true, false);
}
