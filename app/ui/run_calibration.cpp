#include "app/ui/run_calibration.h"

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "app/ui/main_window.h"
#include "app/ui/number_input.h"
#include "app/ui/text_log.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

namespace {

std::string Text(const Fl_Input_* field) {
  return field != nullptr && field->value() != nullptr ? field->value() : "";
}

void SetField(Fl_Output* field, const std::string& text) {
  if (field == nullptr) return;
  field->value(text.c_str());
  field->redraw();
}

void SetState(Qword item, Dword state) {
  StateArgs args{static_cast<Qlong>(item), &state};
  RunQuietCommand(App().record, kKyCmdSetItemState, &args);
}

}  // namespace

std::vector<CalibrationRowTexts> CalibrationRowsNow() {
  std::vector<CalibrationRowTexts> rows;
  for (const DataSetWidgets& set : App().data_sets) {
    const CalibrationRow& row = set.calibration;
    rows.push_back({row.use != nullptr && row.use->value() != 0, Text(row.c_in), Text(row.q)});
  }
  return rows;
}

bool FillConcentrationsOut(double a, double b) {
  std::vector<std::string> out;
  if (!ConcentrationsOut(CalibrationRowsNow(), a, b, &out)) return false;
  for (size_t i = 0; i < out.size() && i < App().data_sets.size(); ++i)
    SetField(App().data_sets[i].calibration.c_out, out[i]);
  return true;
}

void ClearCalibrationResults() {
  for (DataSetWidgets& set : App().data_sets) SetField(set.calibration.c_out, "");
  if (App().calibration_log != nullptr) ClearLogReports(App().calibration_log->buffer());
  if (App().calibration_canvas != nullptr) App().calibration_canvas->Blank(true);
}

double GetNumericParameter(Qword item, const char* name) {
  KyAppRecord* record = App().record;
  ParameterArgs args{static_cast<Qlong>(item), name, nullptr, nullptr};
  if (RunCommand(record, kKyCmdGetParameter, &args) != 0 || record->result.pointer == nullptr)
    return NAN;
  char* text = static_cast<char*>(record->result.pointer);
  const double value = std::strtod(text, nullptr);
  ReleaseCommandText(record, text);
  return value;
}

void OnRunCalibration(Fl_Widget*, void*) {
  KyAppRecord* record = App().record;
  if (record == nullptr || record->data_root == nullptr) return;
  const Qword n = GetItemCount();
  if (n == 0) return;
  if (RunQuietCommand(record, kKyCmdItemState, ValueArgument(n - 1)) != 0 ||
      record->result.u64 == 0) {
    AppAlert("Quantify the FIDs, please.");
    return;
  }
  const std::vector<CalibrationRowTexts> rows = CalibrationRowsNow();
  std::string alert;
  if (!CheckCalibrationRows(rows, &alert)) {
    AppAlert(alert.c_str());
    return;
  }
  // A calibration that fails below must not leave results of the last one.
  ClearCalibrationResults();

  Qword m = 0;
  std::vector<double> table = CalibrationTable(rows, &m);
  std::string parameters = CalibrationTableParameters(m);
  Evp qarray;
  InitCalibrationQArray(&qarray, &parameters, &table);
  const Dword qarray_error = RunCommand(record, kKyCmdRunTaskRecord, &qarray);
  // The text and the table are ours; the engine released its report.
  qarray.parameters = nullptr;
  qarray.caller_matrix = nullptr;
  if (qarray_error != 0) return;

  Evp fit;
  InitEvp(&fit);
  fit.id = kEvpFit;
  fit.mode = 1;
  fit.level = 2;
  if (RunCommand(record, kKyCmdRunTaskRecord, &fit) != 0) return;
  const bool line = fit.result_pointer != nullptr &&
                    FillConcentrationsOut(fit.result_pointer[0], fit.result_pointer[1]);
  if (!line) {
    ClearCalibrationResults();
    AppAlert(kCalibrationSlopeAlert);
    return;
  }
  if (cCanvas* canvas = App().calibration_canvas) {
    canvas->Blank(false);
    cCanvas::Reset(canvas, true, false);
  }
  for (Qword i = 0; i < n; ++i) SetState(i, 2);
}
