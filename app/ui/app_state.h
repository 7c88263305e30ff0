// The program's one global state: its application information, the record,
// the main window's widgets and the per-item widget tables.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/types.h"
#include "framework/ky_app_record.h"

class Fl_Double_Window;
class Fl_Menu_Bar;
class Fl_Group;
class Fl_Pixmap;
class Fl_Tabs;
class Fl_Counter;
class Fl_Text_Display;
class Fl_Box;
class Fl_Scroll;
class Fl_Check_Button;
class cNumberInput;
class Fl_Output;
class Fl_Copy_Surface;
class cCanvas;

struct RecentEntry {
  std::string path;  // UTF-8
  Qword data_type = 0;
};

// One row of the calibration table.
struct CalibrationRow {
  Fl_Check_Button* use = nullptr;
  cNumberInput* c_in = nullptr;
  Fl_Output* q = nullptr;
  Fl_Output* c_out = nullptr;
};

// The widgets of one data set. They only show it: its parameters (nuclide,
// folder, ...) are read from the data tree, never back from a widget.
struct DataSetWidgets {
  Fl_Group* page = nullptr;
  Fl_Text_Display* log = nullptr;
  cCanvas* canvas = nullptr;
  Fl_Box* nuclide_label = nullptr;
  CalibrationRow calibration;
};

struct AppState {
  KyAppInfo info;
  KyAppRecord* record = nullptr;

  Fl_Double_Window* main_window = nullptr;
  Fl_Menu_Bar* menu_bar = nullptr;
  Fl_Group* status_bar = nullptr;
  Fl_Group* work_area = nullptr;
  Fl_Pixmap* logo = nullptr;

  Fl_Tabs* tabs = nullptr;
  Fl_Group* data_tab = nullptr;
  Fl_Group* calibration_tab = nullptr;
  Fl_Counter* data_counter = nullptr;

  // One entry per data item, indexed by the item index.
  std::vector<DataSetWidgets> data_sets;

  Fl_Scroll* calibration_scroll = nullptr;
  Fl_Check_Button* calibration_header = nullptr;
  cCanvas* calibration_canvas = nullptr;
  Fl_Text_Display* calibration_log = nullptr;

  // Set only while a plot is drawn into a copy surface for the clipboard.
  Fl_Copy_Surface* copy_surface = nullptr;

  // The file behind every Recent files entry; an entry's menu item carries
  // the address of its record as user data. Labels are cut for display,
  // the path is kept whole here and never read back from a label.
  std::vector<std::unique_ptr<RecentEntry>> recent;
};

AppState& App();

// The widgets of data item `item`; null when it has no entry.
DataSetWidgets* DataSetAt(Qword item);

// Window ids: bits 0-11 the data item, 12-31 the block, 32-63 the view.
constexpr Qword kViewItemCanvas = 1;
constexpr Qword kViewCalibrationCanvas = 0x100;
constexpr Qword ItemCanvasId(Qword item) { return (kViewItemCanvas << 32) | (item & 0xFFF); }
constexpr Qword kCalibrationCanvasId = kViewCalibrationCanvas << 32;

cCanvas* CanvasFromWindowId(Qword id);
// The number of data items in the data tree (0 without a record or tree).
Qword GetItemCount();
// The item the data counter shows, -1 without a workspace.
Qlong GetSelectedItemIndex();

// "Pelorin 1.0.483", built before the program starts.
const char* AppVersionText();

constexpr Dword kAppVersion[3] = {1, 0, 483};
constexpr const char* kAppName = "Pelorin";

// The application information's constructor defaults.
void AppInfoDefaults(KyAppInfo* info);
