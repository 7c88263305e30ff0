// The loading flow: a failed load changes nothing; a successful one builds
// the workspace, adds the item's page, keeps the calibration rows typed
// before and records the file.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Float_Input.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/fl_draw.H>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/entry.h"
#include "app/ui/handlers.h"
#include "app/ui/loading.h"
#include "app/ui/main_window.h"
#include "app/ui/number_input.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"
#include "base/memory.h"
#include "base/utf.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

namespace {

TEST_F(GuiTest, CancelledOpenIsNoErrorAndAFailedLoadChangesNothing) {
  WriteConfig("KyApp Configuration\r\n\r\nRecent files:\r\n\"/data/a\"8\r\n");
  const std::string before = ReadFileBytes(ConfigPath());
  BuildAndShow();
  const int open = App().menu_bar->find_index("&File/@fileopen Open Bruker fid...");
  ASSERT_GE(open, 0);
  // The open dialog is cancelled: no box, nothing changes.
  App().menu_bar->picked(&App().menu_bar->menu()[open]);
  Pump();
  EXPECT_EQ(Scripted().file_dialogs, 1);
  EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
  EXPECT_EQ(App().tabs, nullptr);
  EXPECT_EQ(App().work_area->children(), 0);
  EXPECT_EQ(ReadFileBytes(ConfigPath()), before);
  // A file that cannot be loaded: the framework's error box, nothing changes.
  Scripted().files.push_back("/nonexistent/pelorin/fid");
  App().menu_bar->picked(&App().menu_bar->menu()[open]);
  Pump();
  EXPECT_EQ(Scripted().file_dialogs, 2);
  EXPECT_NE(record_->error, 0u);
  EXPECT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(App().tabs, nullptr);
  EXPECT_EQ(App().work_area->children(), 0);
  EXPECT_EQ(ReadFileBytes(ConfigPath()), before);
  // A recent file that cannot be loaded stays in the menu.
  const int recent = App().menu_bar->find_index("&File/Recent files") + 1;
  ASSERT_NE(App().menu_bar->menu()[recent].label(), nullptr);
  App().menu_bar->picked(&App().menu_bar->menu()[recent]);
  Pump();
  EXPECT_EQ(Scripted().messages.size(), 2u);
  EXPECT_EQ(App().tabs, nullptr);
  EXPECT_NE(App().menu_bar->menu()[recent].label(), nullptr);
  EXPECT_EQ(ReadFileBytes(ConfigPath()), before);
}

// The full road: the framework's data and plot commands, the Bruker reader
// and the sample folders.
std::string Sample(const char* name) {
  return std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker/" + name + "/fid";
}

class LoadFlowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (IsSkipped()) return;
    PlugInFormatReaders();
  }
  void TearDown() override {
    SetBrukerReaderWriter(nullptr, nullptr);
    GuiTest::TearDown();
  }
  // As File/Recent files does: the path is given.
  Dword Load(const char* name) {
    char16_t* wide = NewUtf16FromUtf8(Sample(name).c_str());
    LoadDataArgs args{8, wide, kKyLoadPathRequired, nullptr};
    const Dword error = LoadDataAndRebuild(&args);
    KillString(&wide);
    Pump();
    return error;
  }
};

TEST_F(LoadFlowTest, EachLoadAddsAPageKeepsTheCalibrationRowsAndRecordsTheFile) {
  BuildAndShow();
  ASSERT_EQ(Load("si29_c1"), 0u);
  ASSERT_NE(App().tabs, nullptr);
  ASSERT_EQ(App().data_sets.size(), 1u);
  ASSERT_EQ(App().data_sets.size(), 1u);
  App().data_sets[0].calibration.c_in->value("2.5");
  App().data_sets[0].calibration.use->value(0);
  ASSERT_EQ(Load("si29_c2"), 0u);
  ASSERT_EQ(Load("c13_c2"), 0u);
  ASSERT_EQ(App().data_sets.size(), 3u);
  EXPECT_EQ(App().data_counter->maximum(), 3.0);
  EXPECT_EQ(App().data_counter->value(), 3.0);
  EXPECT_TRUE(App().data_sets[2].page->visible());
  EXPECT_FALSE(App().data_sets[0].page->visible());
  // Typed concentrations and choices survive the later loads.
  ASSERT_EQ(App().data_sets.size(), 3u);
  EXPECT_STREQ(App().data_sets[0].calibration.c_in->value(), "2.5");
  EXPECT_EQ(App().data_sets[0].calibration.use->value(), 0);
  EXPECT_EQ(App().data_sets[2].calibration.use->value(), 1);
  EXPECT_STREQ(App().data_sets[2].calibration.use->tooltip(), "/bruker/c13_c2/");
  const char* nuclides[] = {"29Si", "29Si", "13C"};
  for (Qword i = 0; i < 3; ++i) {
    EXPECT_EQ(App().data_sets[i].canvas->window_id, ItemCanvasId(i));
    EXPECT_EQ(App().data_sets[i].canvas->display_flags, 1u);
    EXPECT_STREQ(App().data_sets[i].nuclide_label->label(), nuclides[i]);
    record_->argument = ValueArgument(i);
    LibCommand(kKyCmdItemState, record_);
    EXPECT_EQ(record_->error, 0u);
    EXPECT_EQ(record_->result.u64, 0u);
  }
  // The data-info text heads each log.
  char* log = App().data_sets[1].log->buffer()->text();
  EXPECT_NE(std::strstr(log, " Data info\n"), nullptr);
  EXPECT_NE(std::strstr(log, "\n Folder: .../bruker/si29_c2/"), nullptr) << log;
  EXPECT_NE(std::strstr(log, "\n Nuclide: 29Si"), nullptr) << log;
  EXPECT_NE(std::strstr(log, "Evaluation Log and Results\n --------------------------\n\n"),
            nullptr);
  free(log);
  EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];

  // Newest first in the submenu and in the configuration file.
  Fl_Menu_Bar* menu = App().menu_bar;
  const int first = menu->find_index("&File/Recent files") + 1;
  const char* order[] = {"c13_c2", "si29_c2", "si29_c1"};
  std::string section;
  for (int i = 0; i < 3; ++i) {
    const auto* entry = static_cast<const RecentEntry*>(menu->menu()[first + i].user_data());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->path, Sample(order[i]));
    section += "\"" + Sample(order[i]) + "\"8\r\n";
  }
  EXPECT_EQ(menu->menu()[first + 3].label(), nullptr);
  EXPECT_EQ(ReadFileBytes(ConfigPath()), "KyApp Configuration\r\n\r\nRecent files:\r\n" + section);

  // Loading a folder again moves it to the top, once.
  ASSERT_EQ(Load("si29_c1"), 0u);
  const auto* top = static_cast<const RecentEntry*>(menu->menu()[first].user_data());
  EXPECT_EQ(top->path, Sample("si29_c1"));
  EXPECT_EQ(menu->menu()[first + 3].label(), nullptr);

  // The counter shows the page it names.
  App().data_counter->value(1);
  App().data_counter->do_callback();
  EXPECT_TRUE(App().data_sets[0].page->visible());
  EXPECT_FALSE(App().data_sets[2].page->visible());
  // Close all and a new load: a fresh workspace whose first page is item 0.
  OnCloseAll(nullptr, nullptr);
  EXPECT_EQ(App().tabs, nullptr);
  ASSERT_EQ(Load("si29_c3"), 0u);
  EXPECT_EQ(App().data_sets.size(), 1u);
  EXPECT_EQ(App().data_sets.size(), 1u);
  EXPECT_STREQ(App().data_sets[0].calibration.c_in->value(), "");
  EXPECT_EQ(App().data_sets[0].canvas->window_id, ItemCanvasId(0));
}

TEST_F(LoadFlowTest, TheAlertOfARefusedFolderNamesTheFileAndTheProblem) {
  char folder[] = "/tmp/pelorin-refused-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string dir = folder;
  std::ofstream(dir + "/acqus") << "##TITLE= Parameter file\n##$SW_h= 1000\n##END=\n";
  std::ofstream(dir + "/fid") << std::string(1024, '\0');
  BuildAndShow();
  struct Case {
    const char* file;  // replaced before the load ("" keeps acqus as written above)
    std::string bytes;
    Dword code;
    std::string alert;
  } cases[] = {
      {"", "", 48, "File system error\n" + dir + "/acqus: no ##$TD= entry"},
      {"acqus", std::string("\x01\xFF\x7F binary", 10), 48,
       "File system error\n" + dir + "/acqus: not a parameter file (no ##KEY= lines)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alert);
    if (c.file[0]) std::ofstream(dir + "/" + c.file, std::ios::binary) << c.bytes;
    Scripted().messages.clear();
    char16_t* wide = NewUtf16FromUtf8((dir + "/fid").c_str());
    LoadDataArgs args{8, wide, kKyLoadPathRequired, nullptr};
    EXPECT_EQ(LoadDataAndRebuild(&args), c.code);
    KillString(&wide);
    Pump();
    ASSERT_EQ(Scripted().messages.size(), 1u);
    EXPECT_EQ(Scripted().messages[0], c.alert);
    EXPECT_EQ(App().tabs, nullptr);
  }
  // A later error of another kind shows no stale detail.
  Scripted().messages.clear();
  LoadDataArgs args{8, nullptr, 0, nullptr};
  EXPECT_NE(LoadDataAndRebuild(&args), 0u);
  Pump();
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0].find('\n'), std::string::npos) << Scripted().messages[0];
  std::remove((dir + "/acqus").c_str());
  std::remove((dir + "/fid").c_str());
  rmdir(dir.c_str());
}

TEST_F(LoadFlowTest, RecentFileMenuEntryLoadsItsWholePath) {
  WriteConfig("KyApp Configuration\r\n\r\nRecent files:\r\n\"" + Sample("c13_c4") + "\"8\r\n");
  BuildAndShow();
  const int first = App().menu_bar->find_index("&File/Recent files") + 1;
  App().menu_bar->picked(&App().menu_bar->menu()[first]);
  Pump();
  ASSERT_EQ(App().data_sets.size(), 1u)
      << (Scripted().messages.empty() ? "" : Scripted().messages[0]);
  EXPECT_STREQ(App().data_sets[0].nuclide_label->label(), "13C");
}

TEST_F(LoadFlowTest, TheDecayIsDrawnAndZoomsAsTheMouseAsks) {
  BuildAndShow();
  ASSERT_EQ(Load("si29_c1"), 0u);
  Pump(20);
  cCanvas* canvas = App().data_sets[0].canvas;
  ASSERT_NE(canvas->plot, nullptr);
  const int w = canvas->w(), h = canvas->h();
  // The real part's dark red on the screen.
  std::vector<uchar> rgb(static_cast<size_t>(w) * h * 3);
  canvas->make_current();
  fl_read_image(rgb.data(), 0, 0, w, h);
  int curve = 0;
  for (size_t i = 0; i < rgb.size(); i += 3)
    curve += rgb[i] == 0xC0 && rgb[i + 1] == 0 && rgb[i + 2] == 0;
  EXPECT_GT(curve, w / 2);

  const double x0 = canvas->PixelToValueX(0), x1 = canvas->PixelToValueX(w);
  const double y0 = canvas->PixelToValueY(h), y1 = canvas->PixelToValueY(0);
  ASSERT_LT(x0, x1);
  ASSERT_LT(y0, y1);
  // A 5 x 100 band does not zoom.
  Mouse(FL_PUSH, canvas, 100, 50);
  Mouse(FL_DRAG, canvas, 105, 150);
  Mouse(FL_RELEASE, canvas, 105, 150);
  Pump();
  EXPECT_EQ(canvas->PixelToValueX(0), x0);
  EXPECT_FALSE(canvas->zoomed);
  // A band zooms to it: the values at its edges span the plot area now.
  const int a = w / 4, b = w / 2;
  const double u = canvas->PixelToValueX(a), v = canvas->PixelToValueX(b);
  Mouse(FL_PUSH, canvas, a, h / 4);
  Mouse(FL_DRAG, canvas, b, h / 2);
  Mouse(FL_RELEASE, canvas, b, h / 2);
  Pump();
  EXPECT_TRUE(canvas->zoomed);
  const Qlong pu = canvas->ValueToPixelX(u), pv = canvas->ValueToPixelX(v);
  EXPECT_GE(pu, 0);
  EXPECT_LE(pv, w);
  EXPECT_GT(pv - pu, w * 7 / 10);
  EXPECT_EQ(canvas->kept_view[2], canvas->PixelToValueX(0));
  EXPECT_EQ(canvas->kept_view[3], canvas->PixelToValueX(w));
  // Ctrl + band: three times as wide, the old view in the middle third.
  const double z0 = canvas->PixelToValueX(0), z1 = canvas->PixelToValueX(w);
  Mouse(FL_PUSH, canvas, 20, 20, 1, FL_CTRL);
  Mouse(FL_DRAG, canvas, 80, 80, 1, FL_CTRL);
  Mouse(FL_RELEASE, canvas, 80, 80, 1, FL_CTRL);
  Pump();
  const double span = canvas->PixelToValueX(w) - canvas->PixelToValueX(0);
  EXPECT_NEAR(span / (z1 - z0), 3.0, 1e-4);  // the logical square has 32768 units
  const Qlong q0 = canvas->ValueToPixelX(z0), q1 = canvas->ValueToPixelX(z1);
  EXPECT_NEAR(static_cast<double>(q0 + q1) / 2.0, w / 2.0, 2.0);
  EXPECT_NEAR(static_cast<double>(q1 - q0), w / 3.0, 2.0);
  // Wheel up halves the visible y range about 0, down makes it 4/3.
  const double r0 = canvas->PixelToValueY(0) - canvas->PixelToValueY(h);
  Fl::belowmouse(canvas);
  Fl::e_dy = -1;
  canvas->handle(FL_MOUSEWHEEL);
  Pump();
  const double r1 = canvas->PixelToValueY(0) - canvas->PixelToValueY(h);
  EXPECT_NEAR(r1 / r0, 0.5, 1e-9);
  Fl::e_dy = 1;
  canvas->handle(FL_MOUSEWHEEL);
  Pump();
  const double r2 = canvas->PixelToValueY(0) - canvas->PixelToValueY(h);
  EXPECT_NEAR(r2 / r1, 1.0 / 0.75, 1e-9);
  // Double click: back to the autoscaled view.
  Mouse(FL_PUSH, canvas, 50, 50);
  Mouse(FL_RELEASE, canvas, 50, 50, 1, 0, 1);
  Pump();
  EXPECT_FALSE(canvas->zoomed);
  EXPECT_DOUBLE_EQ(canvas->PixelToValueX(0), x0);
  EXPECT_DOUBLE_EQ(canvas->PixelToValueX(w), x1);
  EXPECT_DOUBLE_EQ(canvas->PixelToValueY(h), y0);
  EXPECT_DOUBLE_EQ(canvas->PixelToValueY(0), y1);
  // Moving the mouse reads the point out in the status bar.
  Mouse(FL_MOVE, canvas, w / 2, h / 2);
  ASSERT_NE(App().status_bar->label(), nullptr);
  EXPECT_GT(std::strlen(App().status_bar->label()), 0u);
  canvas->handle(FL_LEAVE);
  EXPECT_EQ(App().status_bar->label(), nullptr);
  EXPECT_TRUE(Scripted().messages.empty());
}

std::string Parameter(KyAppRecord* record, Qword item, const char* name) {
  ParameterArgs args{static_cast<Qlong>(item), name, nullptr, nullptr};
  record->argument = &args;
  LibCommand(kKyCmdGetParameter, record);
  std::string value;
  if (record->error == 0 && record->result.pointer != nullptr) {
    char* text = static_cast<char*>(record->result.pointer);
    value = text;
    record->argument = &text;
    LibCommand(kKyCmdKill, record);
  }
  return value;
}

TEST_F(LoadFlowTest, TaskReportsFillTheLogQuantityGroupDelayAndPoints) {
  BuildAndShow();
  ASSERT_EQ(Load("si29_c1"), 0u);  // GDLY 67.98
  ASSERT_EQ(Load("c13_c2"), 0u);   // GDLY 68.2
  ASSERT_EQ(std::strtod(Parameter(record_, 0, "GDLY").c_str(), nullptr), 67.98);
  Evp evp{};
  evp.block = ~Qword{0};
  evp.level = 0;
  char report[] = " step report\n";
  evp.report = report;
  struct Case {
    Qword id, zone;
    double quantity;
    Dword error;
    const char* q0;  // the Q field of row 0 afterwards
    const char* q1;
  };
  const Case cases[] = {
      {kEvpQuantify, 0, 7642.40992154, 0, "7642.41", ""},
      {kEvpQuantify, 1, NAN, 0, "7642.41", ""},     // NaN leaves the field
      {kEvpQuantify, 1, 123.0, 26, "7642.41", ""},  // a failed step only logs
      {kEvpQuantify, 1, 1.5e-7, 0, "7642.41", "1.5e-07"},
      {kEvpQuantify, 7, 9.0, 0, "7642.41", "1.5e-07"},  // no such item
  };
  for (const Case& c : cases) {
    evp.id = c.id;
    evp.zone = c.zone;
    evp.quantity = c.quantity;
    record_->error = c.error;
    record_->argument = &evp;
    AppCommandCallback(kKyMsgTaskReport, record_);
    EXPECT_EQ(record_->error, c.error);
    EXPECT_STREQ(App().data_sets[0].calibration.q->value(), c.q0);
    EXPECT_STREQ(App().data_sets[1].calibration.q->value(), c.q1);
  }
  // Every report of item 1 reached its log, none went to item 0's.
  char* log1 = App().data_sets[1].log->buffer()->text();
  int reports = 0;
  for (const char* p = log1; (p = std::strstr(p, " step report\n")) != nullptr; ++p) ++reports;
  free(log1);
  EXPECT_EQ(reports, 3);

  // Group delay: only the fraction stays (halves away from zero).
  evp.id = kEvpGroupDelay;
  record_->error = 0;
  evp.zone = 0;
  AppCommandCallback(kKyMsgTaskReport, record_);
  EXPECT_EQ(Parameter(record_, 0, "GDLY"), "-0.02");
  evp.zone = 1;
  record_->argument = &evp;
  AppCommandCallback(kKyMsgTaskReport, record_);
  EXPECT_EQ(Parameter(record_, 1, "GDLY"), "0.2");
  // Zero filling: BS becomes the first block's point count.
  evp.id = kEvpZeroFill;
  evp.zone = 0;
  record_->error = 0;
  record_->argument = &evp;
  AppCommandCallback(kKyMsgTaskReport, record_);
  record_->argument = ValueArgument(0);
  LibCommand(kKyCmdBlockPoints, record_);
  const Qword points = record_->result.u64;
  EXPECT_EQ(Parameter(record_, 0, "BS"), std::to_string(points));
  EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
}

TEST_F(LoadFlowTest, PlotsNeverOutliveATaskRunOrARestore) {
  BuildAndShow();
  ASSERT_EQ(Load("si29_c1"), 0u);
  Pump(10);
  cCanvas* canvas = App().data_sets[0].canvas;
  ASSERT_NE(canvas->plot, nullptr);
  Mouse(FL_PUSH, canvas, 40, 40);
  Mouse(FL_DRAG, canvas, 200, 150);
  Mouse(FL_RELEASE, canvas, 200, 150);
  Pump();
  ASSERT_TRUE(canvas->zoomed);

  struct Case {
    Dword code;
    const char* script;  // for 122
    Qword item;          // for 143 and 144
    bool fails;
    // Redraw requests (53, after every changed node) and undo (54) reset
    // the view by design; a restore keeps it.
    int view;  // 1 kept, 0 reset, -1 either
  };
  const Case cases[] = {
      {kKyCmdRunTaskScript, "#ZEROFILL, 1, 0, 0z0, , 0, 4096\r\n", 0, false, 0},
      {kKyCmdRestoreOldest, nullptr, 0, false, 1},
      {kKyCmdRunTaskScript, "#NOSUCHSTEP, 1, 0, 0z0\r\n", 0, true, 1},
      {kKyCmdUndoData, nullptr, 0, false, 0},
  };
  for (const Case& c : cases) {
    if (!canvas->zoomed) {
      Mouse(FL_PUSH, canvas, 40, 40);
      Mouse(FL_DRAG, canvas, 200, 150);
      Mouse(FL_RELEASE, canvas, 200, 150);
      Pump();
    }
    const double kept_x0 = canvas->kept_view[2], kept_x1 = canvas->kept_view[3];
    ASSERT_NE(canvas->plot, nullptr) << c.code;
    Scripted().messages.clear();
    record_->argument = c.script != nullptr ? const_cast<char*>(c.script) : ValueArgument(c.item);
    LibCommand(c.code, record_);
    EXPECT_EQ(record_->error != 0, c.fails) << c.code;
    EXPECT_EQ(Scripted().messages.empty(), !c.fails) << c.code;
    // The plot went with the data it borrowed.
    EXPECT_EQ(canvas->plot, nullptr) << c.code;
    Pump(10);
    ASSERT_NE(canvas->plot, nullptr) << c.code;
    if (c.view >= 0) {
      EXPECT_EQ(canvas->zoomed, c.view == 1) << c.code;
    }
    if (c.view == 1) {
      EXPECT_DOUBLE_EQ(canvas->PixelToValueX(0), kept_x0);
      EXPECT_DOUBLE_EQ(canvas->PixelToValueX(canvas->w()), kept_x1);
    }
  }
  // Commands that do not touch the data leave the plot alone.
  record_->argument = ValueArgument(0);
  LibCommand(kKyCmdBlockPoints, record_);
  EXPECT_NE(canvas->plot, nullptr);
}

// Rows of the calibration table that its scroll area shows whole.
int VisibleRows() {
  const Fl_Scroll* scroll = App().calibration_scroll;
  int n = 0;
  for (const DataSetWidgets& set : App().data_sets) {
    const Fl_Widget* use = set.calibration.use;
    if (use != nullptr && use->y() >= scroll->y() &&
        use->y() + use->h() <= scroll->y() + scroll->h())
      ++n;
  }
  return n;
}

TEST_F(LoadFlowTest, CalibrationTableKeepsItsShareOfTheWindowAtEverySize) {
  BuildAndShow();
  for (int round = 0; round < 3; ++round)
    for (const char* name : {"si29_c1", "si29_c2", "si29_c3", "si29_c4", "si29_c5"})
      ASSERT_EQ(Load(name), 0u) << name;
  App().tabs->value(App().calibration_tab);
  Pump();
  const Fl_Widget* table = App().calibration_scroll->parent();
  const Fl_Widget* column = table->parent();
  struct Size {
    int w, h;
  };
  // Larger, smaller, and back: the same size shows the same rows.
  const Size sizes[] = {{1000, 700}, {1400, 1000}, {600, 400}, {1000, 700}, {1400, 1000}};
  std::map<int, int> rows_at;
  for (const Size& z : sizes) {
    SCOPED_TRACE(std::to_string(z.w) + " x " + std::to_string(z.h));
    App().main_window->resize(App().main_window->x(), App().main_window->y(), z.w, z.h);
    Pump(10);
    ASSERT_EQ(App().main_window->h(), z.h);
    EXPECT_NEAR(table->h(), column->h() / 2.0, 1.0);
    // Every row that fits below the header (10 pixels of room, a header
    // and rows of 20 pixels) is shown.
    const int fit = (App().calibration_scroll->h() - 10 - 20) / 20;
    EXPECT_EQ(VisibleRows(), std::min(fit, static_cast<int>(App().data_sets.size())));
    if (rows_at.count(z.h) != 0) {
      EXPECT_EQ(VisibleRows(), rows_at[z.h]);
    }
    rows_at[z.h] = VisibleRows();
  }
  EXPECT_LT(rows_at[400], rows_at[700]);
  EXPECT_LT(rows_at[700], rows_at[1000]);

  // The divider dragged down to three quarters of the column: that share
  // holds at the next sizes.
  const int edge = table->y() + table->h();
  const int to = column->y() + column->h() * 3 / 4;
  Mouse(FL_PUSH, App().main_window, table->x() + 100, edge);
  Mouse(FL_DRAG, App().main_window, table->x() + 100, to);
  Mouse(FL_RELEASE, App().main_window, table->x() + 100, to);
  Pump();
  EXPECT_NEAR(table->h(), column->h() * 0.75, 2.0);
  for (const Size& z : {Size{700, 500}, Size{1300, 950}}) {
    SCOPED_TRACE(std::to_string(z.w) + " x " + std::to_string(z.h));
    App().main_window->resize(App().main_window->x(), App().main_window->y(), z.w, z.h);
    Pump(10);
    EXPECT_NEAR(table->h(), column->h() * 0.75, 2.0);
  }
}

}  // namespace
