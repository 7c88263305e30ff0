#include "app/ui/calibration_table.h"

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ui/app_state.h"
#include "app/ui/commands.h"
#include "app/ui/number_input.h"
#include "base/utf.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"

namespace {

struct KeptRow {
  bool use = true;
  std::string c_in, q, c_out;
};

const char* Text(const Fl_Input_* field) {
  return field != nullptr && field->value() != nullptr ? field->value() : "";
}

// The end of the item's folder from its third slash counted from the end.
std::string FolderTail(Qword item) {
  KyAppRecord* record = App().record;
  if (RunQuietCommand(record, kKyCmdItemFolder2, ValueArgument(item)) != 0 ||
      record->result.pointer == nullptr)
    return std::string();
  char path[4096];
  Utf16ToUtf8(static_cast<const char16_t*>(record->result.pointer), kNoIndex, path, sizeof path);
  std::string s(path);
  int seen = 0;
  for (size_t i = s.size(); i > 0; --i)
    if (s[i - 1] == '/' && ++seen == 3) return s.substr(i - 1);
  return s;
}

}  // namespace

void BuildCalibrationTable() {
  AppState& app = App();
  Fl_Scroll* scroll = app.calibration_scroll;
  if (scroll == nullptr) return;
  std::vector<KeptRow> kept;
  for (const DataSetWidgets& set : app.data_sets) {
    const CalibrationRow& row = set.calibration;
    // Data sets added since the last build have no row yet.
    if (row.use == nullptr) break;
    KeptRow k;
    k.use = row.use != nullptr && row.use->value() != 0;
    k.c_in = Text(row.c_in);
    k.q = Text(row.q);
    k.c_out = Text(row.c_out);
    kept.push_back(k);
  }
  const bool header_on = app.calibration_header != nullptr && app.calibration_header->value();
  scroll->clear();
  for (DataSetWidgets& set : app.data_sets) set.calibration = CalibrationRow();
  app.calibration_header = nullptr;
  scroll->redraw();
  const Qword n = GetItemCount();
  if (n == 0) return;
  if (app.data_sets.size() < n) app.data_sets.resize(n);

  scroll->begin();
  const int x1 = scroll->x() + 10, w = scroll->w();
  int y = scroll->y() + 10;
  auto* header =
      new Fl_Check_Button(x1, y, w - 20, 20, " #   C in [%]      Q                 C out [%]");
  header->value(header_on ? 1 : 0);
  header->callback(OnSelectAllRows);
  app.calibration_header = header;
  for (Qword i = 0; i < n; ++i) {
    y += 20;
    CalibrationRow& row = app.data_sets[i].calibration;
    char number[32];
    std::snprintf(number, sizeof number, " %llu", static_cast<unsigned long long>(i + 1));
    row.use = new Fl_Check_Button(x1, y, w - 20, 20);
    row.use->copy_label(number);
    row.use->value(1);
    row.use->copy_tooltip(FolderTail(i).c_str());
    row.use->visible_focus(0);
    row.c_in = new cNumberInput(x1 + 40, y, 80, 20, nullptr, cNumberInput::kReal);
    row.c_in->tooltip("Input concentration");
    row.q = new Fl_Output(row.c_in->x() + 80, y, 80, 20);
    row.q->visible_focus(0);
    row.c_out = new Fl_Output(row.q->x() + 80, y, 80, 20);
    row.c_out->tooltip("Concentration extrapolated after calibration");
    row.c_out->visible_focus(0);
    if (i < kept.size()) {
      row.use->value(kept[i].use ? 1 : 0);
      row.c_in->value(kept[i].c_in.c_str());
      row.q->value(kept[i].q.c_str());
      row.c_out->value(kept[i].c_out.c_str());
    }
  }
  scroll->end();
  scroll->redraw();
}

void OnSelectAllRows(Fl_Widget* widget, void*) {
  const int on = static_cast<Fl_Check_Button*>(widget)->value();
  for (DataSetWidgets& set : App().data_sets)
    if (Fl_Check_Button* use = set.calibration.use) {
      use->value(on);
      use->redraw();
    }
}
