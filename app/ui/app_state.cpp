#include "app/ui/app_state.h"

#include <FL/Fl_Counter.H>

#include <cstdio>

#include "app/ui/commands.h"
#include "base/double_to_int.h"
#include "command/ky_commands.h"

void AppInfoDefaults(KyAppInfo* info) { KyAppInfoInit(info); }

AppState& App() {
  static AppState* state = [] {
    auto* s = new AppState;
    AppInfoDefaults(&s->info);
    return s;
  }();
  return *state;
}

const char* AppVersionText() {
  static char text[256] = {};
  if (text[0] == 0)
    std::snprintf(text, sizeof text, "%s %u.%u.%u", kAppName, kAppVersion[0], kAppVersion[1],
                  kAppVersion[2]);
  return text;
}

DataSetWidgets* DataSetAt(Qword item) {
  std::vector<DataSetWidgets>& sets = App().data_sets;
  return item < sets.size() ? &sets[item] : nullptr;
}

cCanvas* CanvasFromWindowId(Qword id) {
  const Qword view = id >> 32;
  if (view == kViewItemCanvas) {
    const DataSetWidgets* set = DataSetAt(id & 0xFFF);
    return set != nullptr ? set->canvas : nullptr;
  }
  if (view == kViewCalibrationCanvas) return App().calibration_canvas;
  return nullptr;
}

Qword GetItemCount() {
  KyAppRecord* record = App().record;
  if (record == nullptr) return 0;
  if (RunQuietCommand(record, kKyCmdItemCount, nullptr) != 0) return 0;
  return record->result.u64;
}

Qlong GetSelectedItemIndex() {
  if (App().data_counter == nullptr) return -1;
  return static_cast<Qlong>(DoubleToQword(App().data_counter->value())) - 1;
}
