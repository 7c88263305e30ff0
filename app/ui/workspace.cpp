// The workspace: the "Data" and "Calibration" tabs, one evaluation page per
// data item, the data counter and the component buttons.
#include "app/ui/workspace.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Tile.H>

#include <cstring>

#include "app/ui/app_state.h"
#include "app/ui/calibration_table.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/handlers.h"
#include "app/ui/share_tile.h"
#include "app/ui/text_log.h"
#include "base/double_to_int.h"

namespace {

cTextLog* NewLog(int x, int y, int w, int h) {
  auto* log = new cTextLog(x, y, w, h);
  log->wrap_mode(Fl_Text_Display::WRAP_NONE, 0);
  log->textfont(FL_COURIER);
  log->selection_color(kAccentColour);
  return log;
}

// A zero-width box at the right end of a row: the row's resizable widget.
void RowEnd(Fl_Group* row) {
  auto* end = new Fl_Box(row->x() + row->w(), row->y(), 0, row->h());
  row->resizable(end);
}

struct ComponentButton {
  const char* label;
  int width;
  Fl_Color colour;
  bool on;
};

}  // namespace

void BuildWorkspace() {
  AppState& app = App();
  Fl_Group* work = app.work_area;
  if (work == nullptr) return;
  const int x0 = work->x(), y0 = work->y(), w0 = work->w(), h0 = work->h();
  work->begin();
  auto* tabs = new Fl_Tabs(x0, y0 + 2, w0, h0 - 2);
  app.tabs = tabs;
  tabs->selection_color(kAccentColour);
  const int cx = tabs->x(), cy = tabs->y() + 25, cw = tabs->w(), ch = tabs->h() - 25;

  auto* data = new Fl_Group(cx, cy, cw, ch, "Data");
  app.data_tab = data;
  {
    auto* row = new Fl_Group(cx, cy, cw, 40);
    auto* load = new Fl_Button(row->x() + 8, row->y() + 10, 100, 25, "Load data...");
    load->callback(OnOpenBrukerFid);
    auto* counter = new Fl_Counter(load->x() + load->w() + 4, load->y(), 120, 25);
    app.data_counter = counter;
    counter->type(FL_NORMAL_COUNTER);
    counter->box(FL_THIN_UP_BOX);
    counter->bounds(1, 1);
    counter->step(1);
    counter->lstep(5);
    counter->value(1);
    counter->callback(OnDataCounter);
    auto* run =
        new Fl_Button(counter->x() + counter->w() + 4, load->y(), 150, 25, "Run Processing");
    run->callback(OnRunProcessing);
    RowEnd(row);
    row->end();
  }
  data->end();
  tabs->resizable(data);

  auto* calib = new Fl_Group(cx, cy, cw, ch, "Calibration");
  app.calibration_tab = calib;
  {
    auto* row = new Fl_Group(cx, cy, cw, 40);
    auto* run = new Fl_Button(row->x() + 8, row->y() + 10, 150, 25, "Run Calibration");
    run->callback(OnRunCalibration);
    RowEnd(row);
    row->end();

    auto* content = new Fl_Group(cx, cy + 40, cw, ch - 40);
    calib->resizable(content);
    auto* tile = new cShareTile(content->x(), content->y(), content->w(), content->h());
    content->resizable(tile);
    const int tx = tile->x(), ty = tile->y(), tw = tile->w(), th = tile->h();
    auto* limit = new Fl_Box(tx + 300, ty + 50, tw - 350, th - 100);
    limit->hide();
    tile->resizable(limit);

    auto* table_group = new Fl_Group(tx, ty, 300, th / 2);
    table_group->box(FL_THIN_DOWN_BOX);
    auto* scroll = new Fl_Scroll(tx + 2, ty + 2, 300 - 4, th / 2 - 4);
    scroll->box(FL_BORDER_BOX);
    scroll->type(Fl_Scroll::BOTH);
    scroll->end();
    app.calibration_scroll = scroll;
    table_group->end();

    auto* log_group = new Fl_Group(tx, ty + th / 2, 300, th - th / 2);
    log_group->box(FL_THIN_DOWN_BOX);
    cTextLog* log =
        NewLog(log_group->x() + 2, log_group->y() + 2, log_group->w() - 4, log_group->h() - 4);
    log->buffer()->append(" ---------------------------\n");
    log->buffer()->append(" Calibration Log and Results\n");
    log->buffer()->append(" ---------------------------\n\n");
    app.calibration_log = log;
    log_group->end();
    tile->Panes(table_group, log_group);

    auto* canvas_group = new Fl_Group(tx + 300, ty, tw - 300, th);
    canvas_group->box(FL_THIN_DOWN_BOX);
    auto* canvas = new cCanvas(canvas_group->x() + 2, canvas_group->y() + 2, canvas_group->w() - 4,
                               canvas_group->h() - 2, kCalibrationCanvasId, app.record);
    canvas->display_flags = 0x70000;
    canvas->box(FL_BORDER_BOX);
    canvas->readout_box = app.status_bar;
    canvas_group->resizable(canvas);
    app.calibration_canvas = canvas;
    canvas_group->end();
    tile->end();
    content->end();
  }
  calib->end();
  tabs->end();
  tabs->value(data);
  work->end();
  work->resizable(tabs);
  if (app.main_window != nullptr) app.main_window->redraw();
}

void GrowItemWidgetTables(Qword count) {
  AppState& app = App();
  app.data_sets.resize(count);
}

void AddEvaluationPage() {
  AppState& app = App();
  if (app.data_tab == nullptr) return;
  const Qword n = GetItemCount();
  if (n == 0) return;
  const Qword k = n - 1;
  GrowItemWidgetTables(k + 1);
  Fl_Group* data = app.data_tab;
  data->begin();
  auto* page = new Fl_Group(data->x(), data->y() + 40, data->w(), data->h() - 40);
  app.data_sets[k].page = page;
  data->resizable(page);

  auto* tile = new Fl_Tile(page->x(), page->y(), page->w(), page->h());
  const int tx = tile->x(), ty = tile->y(), tw = tile->w(), th = tile->h();
  auto* limit = new Fl_Box(tx + 300, ty + 50, tw - 350, th - 100);
  limit->hide();
  tile->resizable(limit);

  auto* log_group = new Fl_Group(tx, ty, 300, th);
  log_group->box(FL_THIN_DOWN_BOX);
  cTextLog* log = NewLog(tx + 2, ty + 2, 300 - 4, th - 4);
  app.data_sets[k].log = log;
  if (char* info = MakeDataInfoText(k)) {
    log->buffer()->append(info);
    delete[] info;
  }
  log->buffer()->append("\n --------------------------\n");
  log->buffer()->append(" Evaluation Log and Results\n");
  log->buffer()->append(" --------------------------\n\n");
  log_group->end();

  auto* canvas_group = new Fl_Group(tx + 300, ty, tw - 300, th);
  canvas_group->box(FL_THIN_DOWN_BOX);
  const int gx = canvas_group->x(), gy = canvas_group->y();
  const int gw = canvas_group->w(), gh = canvas_group->h();
  auto* canvas = new cCanvas(gx + 2, gy + 2, gw - 4, gh - 22, ItemCanvasId(k), app.record);
  canvas->display_flags = 1;
  canvas->box(FL_BORDER_BOX);
  canvas->readout_box = app.status_bar;
  app.data_sets[k].canvas = canvas;
  auto* edge = new Fl_Box(canvas->x() + canvas->w(), canvas->y(), 0, canvas->h());
  canvas_group->resizable(edge);

  auto* row = new Fl_Group(gx, gy + gh - 20, gw, 20);
  row->clip_children(1);
  auto* nuclide = new Fl_Box(row->x() + 1, row->y(), 50, 19);
  nuclide->box(FL_FLAT_BOX);
  nuclide->color(kAccentColour);
  nuclide->labelcolor(fl_rgb_color(255, 255, 255));
  {
    ParameterArgs args{static_cast<Qlong>(k), "NUC", nullptr, nullptr};
    if (RunCommand(app.record, kKyCmdGetParameter, &args) == 0) {
      char* text = static_cast<char*>(app.record->result.pointer);
      if (text != nullptr) {
        nuclide->copy_label(text);
        ReleaseCommandText(app.record, text);
      }
    }
  }
  app.data_sets[k].nuclide_label = nuclide;
  static const ComponentButton kButtons[] = {
      {"Real", 50, fl_rgb_color(0xC0, 0, 0), true},
      {"Imag", 50, fl_rgb_color(0, 0x80, 0), false},
      {"Magn", 55, fl_rgb_color(0, 0, 0), false},
      {"Power", 60, fl_rgb_color(0x80, 0x80, 0x80), false},
  };
  int bx = nuclide->x() + nuclide->w() + 5;
  for (const ComponentButton& b : kButtons) {
    auto* button = new Fl_Round_Button(bx, row->y(), b.width, 20, b.label);
    button->selection_color(b.colour);
    button->value(b.on ? 1 : 0);
    button->callback(OnComponentButton, canvas);
    button->visible_focus(0);
    bx += b.width;
  }
  RowEnd(row);
  row->end();
  canvas_group->end();
  tile->end();
  page->end();
  data->end();

  Fl_Counter* counter = app.data_counter;
  if (counter != nullptr) {
    counter->bounds(1, static_cast<double>(k + 1));
    counter->value(static_cast<double>(k + 1));
    counter->do_callback();
  }
  if (canvas->parent() != nullptr && canvas->parent()->visible()) canvas->show();
  BuildCalibrationTable();
  data->redraw();
}

void OnDataCounter(Fl_Widget*, void*) {
  AppState& app = App();
  if (app.data_counter == nullptr) return;
  const double value = app.data_counter->value();
  const Qword pages = DoubleToQword(app.data_counter->maximum());
  for (Qword i = 0; i < pages && i < app.data_sets.size(); ++i) {
    Fl_Group* page = app.data_sets[i].page;
    if (page == nullptr) continue;
    if (static_cast<double>(i + 1) == value)
      page->show();
    else
      page->hide();
  }
  if (app.work_area != nullptr) app.work_area->redraw();
}

void OnComponentButton(Fl_Widget* widget, void* data) {
  auto* button = static_cast<Fl_Button*>(widget);
  auto* canvas = static_cast<cCanvas*>(data);
  if (canvas == nullptr) return;
  Dword bit = 1;
  const char* label = button->label() != nullptr ? button->label() : "";
  if (std::strcmp(label, "Imag") == 0)
    bit = 2;
  else if (std::strcmp(label, "Magn") == 0)
    bit = 4;
  else if (std::strcmp(label, "Power") == 0)
    bit = 8;
  if (button->value())
    canvas->display_flags |= bit;
  else
    canvas->display_flags &= ~bit;
  cCanvas::Reset(canvas, false, true);
}
