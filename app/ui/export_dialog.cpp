#include "app/ui/export_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Copy_Surface.H>
#include <FL/Fl_Device.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Tabs.H>
#include <FL/fl_draw.H>

#include <string_view>
#include <vector>

#include "app/core/calibration_csv.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "app/ui/number_input.h"
#include "base/memory.h"
#include "base/platform/ui_hooks.h"
#include "base/utf.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/ky_svg.h"
#include "framework/graphics/plot.h"

namespace {

struct ExportChoices {
  Fl_Double_Window* window;
  Fl_Choice* source;
  Fl_Choice* destination;
};

Fl_Double_Window* g_dialog = nullptr;
// The open dialog's choices; they live as long as the dialog.
ExportChoices* g_choices = nullptr;

enum { kSourceCurrent = 0, kSourceCalibration = 1 };
enum { kToCsv = 0, kToSvg = 1, kToClipboard = 2 };

std::string FieldText(const Fl_Input_* field) {
  return field != nullptr && field->value() != nullptr ? field->value() : "";
}

// A file name from the save dialog; false when the user cancelled (which
// is no error). The dialog asks before an existing file is replaced.
bool AskSavePath(const char* title, const char* filter, const char* name, std::string* path) {
  UiFileDialogRequest request;
  request.title = title;
  request.filter = filter;
  request.file = name;
  request.save = true;
  return UiHooksGet().file_dialog(request, path) && !path->empty();
}

std::u16string Wide(const std::string& utf8) {
  std::vector<char16_t> buffer(utf8.size() + 1);
  Utf8ToUtf16(utf8.c_str(), kNoIndex, buffer.data(), buffer.size());
  return std::u16string(buffer.data());
}

void ReportWriteFailure(const std::string& path) {
  const std::string text = "The file could not be written:\n" + path;
  AppAlert(text.c_str());
}

// The current data set's CSV export: the item, and what code 108 wrote.
struct ItemCsv {
  Qlong item;
  cKyData* node;       // the exported node, as code 108 names it
  std::string fresh;   // the file code 108 wrote
  bool saved = false;  // code 108 succeeded, so the node's path names the fresh file
};

LibErrorCode SaveItemCsv(const std::string& fresh, void* context) {
  auto* csv = static_cast<ItemCsv*>(context);
  const std::u16string wide = Wide(fresh);
  SaveDataArgs args{};
  args.item = csv->item;
  args.block = 0;
  args.data_type = 10;
  args.path = wide.c_str();
  // Quiet: a failure is reported once, with the file the user chose.
  const LibErrorCode error = RunQuietCommand(App().record, kKyCmdSaveData, &args);
  csv->node = args.node;
  csv->fresh = fresh;
  csv->saved = error == kErrNone;
  return error;
}

// Code 108 recorded the fresh file as the node's last CSV path; once that
// file has been put in place the path is the target's. The recorded path is
// the file's full path ending in the fresh name's suffix, so cutting the
// suffix gives the target's full path in the same form. When the file could
// not be put in place the fresh file is gone, and so is the path naming it.
void RecordFinalCsvPath(const ItemCsv& csv, const std::string& target, bool written) {
  if (!csv.saved || csv.node == nullptr || csv.node->last_csv_path == nullptr) return;
  char16_t* recorded = csv.node->last_csv_path;
  size_t n = 0;
  while (recorded[n] != 0) ++n;
  const bool fresh_of_target =
      csv.fresh.size() > target.size() && csv.fresh.compare(0, target.size(), target) == 0;
  const std::u16string suffix = fresh_of_target ? Wide(csv.fresh.substr(target.size())) : u"";
  if (written && !suffix.empty() && n > suffix.size() &&
      std::u16string_view(recorded + n - suffix.size()) == suffix)
    recorded[n - suffix.size()] = 0;
  else
    KillString(&csv.node->last_csv_path);
}

LibErrorCode SaveSvg(const std::string& fresh, void* context) {
  const std::u16string wide = Wide(fresh);
  return GrobToSvgFile(0, static_cast<cPlot*>(context), 1000, 1000, wide.c_str());
}

// Runs the chosen export; true when the dialog may close.
bool Export(int source, int destination) {
  cCanvas* canvas = nullptr;
  Qlong item = -1;
  if (source == kSourceCurrent) {
    item = GetSelectedItemIndex();
    if (item >= 0) canvas = CanvasFromWindowId(ItemCanvasId(static_cast<Qword>(item)));
  } else {
    canvas = App().calibration_canvas;
  }
  if (canvas == nullptr) {
    AppAlert("Interface error.");
    return false;
  }
  if (canvas->plot == nullptr && canvas->record != nullptr && !canvas->blank() &&
      RunQuietCommand(canvas->record, kKyCmdCreatePlot, &canvas->window_id) == 0)
    canvas->plot = static_cast<cPlot*>(canvas->record->result.pointer);
  if (canvas->plot == nullptr) {
    AppAlert("Plot does not exist.");
    return false;
  }
  std::string path;
  LibErrorCode error = kErrNone;
  switch (destination) {
    case kToCsv:
      if (!AskSavePath("Export as CSV", "Comma-Separated Values (*.csv)\t*.csv", "", &path))
        return false;
      if (source == kSourceCurrent) {
        ItemCsv csv{item, nullptr, std::string(), false};
        error = WriteThroughFreshFile(path, SaveItemCsv, &csv);
        RecordFinalCsvPath(csv, path, error == kErrNone);
      } else {
        error = WriteTextReplacing(path, CalibrationTableText());
      }
      break;
    case kToSvg:
      if (!AskSavePath("Export as SVG image", "SVG images (*.svg)\t*.svg", "", &path)) return false;
      error = WriteThroughFreshFile(path, SaveSvg, canvas->plot);
      if (error == kErrNone) {
        const std::u16string wide = Wide(path);
        // The picture is shown by the desktop's viewer, as a user expects.
        RunQuietCommand(App().record, kKyCmdShellOpen, const_cast<char16_t*>(wide.c_str()));
      }
      break;
    default:
      CopyCanvasToClipboard(canvas);
      return true;
  }
  if (error != kErrNone) {
    ReportWriteFailure(path);
    return false;
  }
  return true;
}

void CloseDialog(Fl_Double_Window* window) {
  if (window == nullptr) return;
  window->hide();
  Fl::delete_widget(window);
  if (window == g_dialog) g_dialog = nullptr;
}

}  // namespace

std::string CalibrationTableText() {
  std::vector<CalibrationCsvRow> rows;
  for (const DataSetWidgets& set : App().data_sets) {
    const CalibrationRow& row = set.calibration;
    CalibrationCsvRow r;
    r.use = row.use != nullptr && row.use->value() != 0;
    if (row.use != nullptr && row.use->tooltip() != nullptr) r.folder = row.use->tooltip();
    r.c_in = FieldText(row.c_in);
    r.q = FieldText(row.q);
    r.c_out = FieldText(row.c_out);
    rows.push_back(r);
  }
  return CalibrationCsvText(rows);
}

Fl_Double_Window* ExportDialogWindow() { return g_dialog; }

void ShowExportDialog(Fl_Widget*, void*) {
  KyAppRecord* record = App().record;
  if (record == nullptr || record->data_root == nullptr) {
    AppAlert("Nothing to export.");
    return;
  }
  if (g_dialog != nullptr) CloseDialog(g_dialog);
  Fl_Group* const open_group = Fl_Group::current();
  Fl_Group::current(nullptr);
  auto* window = new Fl_Double_Window(350, 150, "Pelorin - Export");
  window->size_range(350, 150, 350, 150);
  auto* choices = new ExportChoices{window, nullptr, nullptr};
  choices->source = new Fl_Choice(90, 20, 250, 20, "Data from ");
  choices->source->add("Current FID");
  choices->source->add("Calibration table");
  const bool data_shown = App().tabs != nullptr && App().tabs->value() == App().data_tab;
  choices->source->value(data_shown ? kSourceCurrent : kSourceCalibration);
  choices->destination = new Fl_Choice(90, 50, 250, 20, "Destination ");
  choices->destination->add("Spreadsheet document (.csv)");
  choices->destination->add("SVG image (.svg)");
  choices->destination->add("Bitmap (Clipboard)");
  choices->destination->value(kToCsv);
  auto* cancel = new Fl_Button(20, 100, 135, 30, "Cancel");
  cancel->callback(OnExportCancel, window);
  auto* ok = new Fl_Return_Button(195, 100, 135, 30, "Export");
  ok->callback(OnExport, choices);
  g_choices = choices;
  window->callback(OnExportCancel, window);
  window->end();
  Fl_Group::current(open_group);
  window->set_modal();
  g_dialog = window;
  window->show();
}

void OnExportCancel(Fl_Widget*, void* data) {
  auto* window = static_cast<Fl_Double_Window*>(data);
  if (window == g_dialog) {
    delete g_choices;
    g_choices = nullptr;
  }
  CloseDialog(window);
}

void OnExport(Fl_Widget*, void* data) {
  auto* choices = static_cast<ExportChoices*>(data);
  if (choices == nullptr) return;
  if (!Export(choices->source->value(), choices->destination->value())) return;
  OnExportCancel(nullptr, choices->window);
}

void CopyCanvasToClipboard(cCanvas* canvas) {
  if (canvas == nullptr) return;
  auto* surface = new Fl_Copy_Surface(canvas->w(), canvas->h());
  surface->set_current();
  App().copy_surface = surface;
  fl_color(FL_WHITE);
  fl_rectf(0, 0, canvas->w(), canvas->h());
  surface->draw(canvas, 0, 0);
  App().copy_surface = nullptr;
  // Deleting the surface hands the bitmap to the clipboard.
  delete surface;
  Fl_Display_Device::display_device()->set_current();
}
