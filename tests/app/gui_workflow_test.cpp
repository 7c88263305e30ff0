// The quantitative workflow in the program's windows: the processing setup
// dialog, Run Processing (script captured at code 122), Run Calibration on
// the five 29Si samples, the exports, Manual and About.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Float_Input.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/fl_draw.H>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <locale>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/entry.h"
#include "app/ui/export_dialog.h"
#include "app/ui/handlers.h"
#include "app/ui/help.h"
#include "app/ui/loading.h"
#include "app/ui/main_window.h"
#include "app/ui/number_input.h"
#include "app/ui/run_calibration.h"
#include "app/ui/run_processing.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"
#include "base/memory.h"
#include "base/utf.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/ky_data.h"

namespace {

std::string Sample(const char* name) {
  const char* file = std::strncmp(name, "ser_", 4) == 0 ? "/ser" : "/fid";
  return std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker/" + name + file;
}

// samples/bruker/manifest.csv by folder, then column.
std::map<std::string, std::map<std::string, std::string>> Manifest() {
  std::ifstream in(std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker/manifest.csv");
  std::map<std::string, std::map<std::string, std::string>> out;
  std::string line;
  std::vector<std::string> head;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream s(line);
    std::string c;
    while (std::getline(s, c, ',')) cells.push_back(c);
    if (head.empty()) {
      head = cells;
      continue;
    }
    for (size_t i = 0; i < head.size(); ++i)
      out[cells[0]][head[i]] = i < cells.size() ? cells[i] : "";
  }
  return out;
}

const char* const kSi29[] = {"si29_c1", "si29_c2", "si29_c3", "si29_c4", "si29_c5"};

std::vector<std::string> g_scripts;  // scripts seen at the start of code 122
std::vector<std::string> g_opened;   // targets of the open-document hook

Dword Capturing(Dword message, KyAppRecord* record) {
  if (message == kKyMsgBegin && record->command == 122 && record->argument != nullptr)
    g_scripts.push_back(static_cast<const char*>(record->argument));
  return AppCommandCallback(message, record);
}

bool g_open_fails = false;  // the desktop has no program for the target

bool RecordOpen(const std::string& target) {
  g_opened.push_back(target);
  return !g_open_fails;
}

std::string TempFolder() {
  char pattern[] = "/tmp/pelorin_gui_XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? made : "/tmp";
}

std::string RunPython(const std::string& code, const std::string& arg) {
  const std::string cmd = "/usr/bin/python3 -c \"" + code + "\" '" + arg + "' 2>&1";
  FILE* pipe = popen(cmd.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t n;
  while (pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  if (pipe) pclose(pipe);
  return out;
}

class WorkflowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (IsSkipped()) return;
    PlugInFormatReaders();
    g_scripts.clear();
    g_opened.clear();
    g_open_fails = false;
    UiHooks hooks = UiHooksGet();
    hooks.open_document = RecordOpen;
    UiHooksInstall(&hooks);
    record_->callback = Capturing;
  }
  void TearDown() override {
    if (ExportDialogWindow() != nullptr) OnExportCancel(nullptr, ExportDialogWindow());
    SetBrukerReaderWriter(nullptr, nullptr);
    GuiTest::TearDown();
  }
  void Load(const char* name) {
    char16_t* wide = NewUtf16FromUtf8(Sample(name).c_str());
    LoadDataArgs args{8, wide, kKyLoadPathRequired, nullptr};
    ASSERT_EQ(LoadDataAndRebuild(&args), 0u) << name;
    KillString(&wide);
    Pump();
  }
  void LoadSi29() {
    BuildAndShow();
    for (const char* s : kSi29) Load(s);
  }
  Qword State(Qword item) {
    record_->argument = ValueArgument(item);
    LibCommand(140, record_);
    return record_->result.u64;
  }
  // The last CSV path of block 0 of an item, as the tree holds it.
  const char16_t* LastCsvPath(size_t item) {
    const cKyData* node = record_->data_root ? record_->data_root->Child(item) : nullptr;
    node = node ? node->Child(0) : nullptr;
    return node ? node->last_csv_path : nullptr;
  }
  std::string Q(size_t row) { return App().data_sets[row].calibration.q->value(); }
  std::string COut(size_t row) { return App().data_sets[row].calibration.c_out->value(); }
  // Types `text` key by key into `field`, as a user does.
  void TypeInto(Fl_Input* field, const std::string& text) {
    field->value("");
    ASSERT_TRUE(field->take_focus());
    for (char c : text) PressKey(static_cast<unsigned char>(c), 0, field->window());
    Pump(1);
  }
  void TypeStandards() {
    for (size_t i = 0; i < 5; ++i)
      App().data_sets[i].calibration.c_in->value(std::to_string(i + 1).c_str());
  }
};

// Sets the whole locale for the scope (a host program or library may set
// it so); the previous one comes back at the end.
class LocaleScope {
 public:
  explicit LocaleScope(const char* name) {
    const char* now = std::setlocale(LC_ALL, nullptr);
    previous_ = now != nullptr ? now : "C";
    ok_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~LocaleScope() { std::setlocale(LC_ALL, previous_.c_str()); }
  bool ok() const { return ok_; }

 private:
  std::string previous_;
  bool ok_ = false;
};

const char* const kLocales[] = {"C", "de_DE.UTF-8"};

// A number text read the C way whatever the global locale says.
double CNumber(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = NAN;
  in >> value;
  return value;
}

std::string DefaultLines(int item) {
  char text[512];
  std::snprintf(text, sizeof text,
                "#GROUPDELAY, 1, 0, 0z%d\r\n#ZEROFILL, 1, 0, 0z%d, , 0, 1024\r\n"
                "#APODIZE, 3, 0, 0z%d, , 0,-1, 0.01\r\n#APODIZE, 8, 0, 0z%d, , 0,-1, 0.0003, 2\r\n"
                "#QUANTIFY, 1, 768, 0z%d, , 0, 4294967295\r\n",
                item, item, item, item, item);
  return text;
}

TEST_F(WorkflowTest, SetupDialogShowsDefaultsSavesFourteenLinesAndCloseReverts) {
  BuildAndShow();
  ProcessingSetup& s = ::Setup();
  ASSERT_NE(s.window, nullptr);
  EXPECT_STREQ(s.window->label(), "Pelorin - Processing Setup");
  for (int c = 0; c < 2; ++c) {
    const SetupColumnWidgets& w = s.widgets[c];
    for (Fl_Check_Button* b :
         {w.group_delay, w.resize, w.apodization, w.cos2, w.smoothstep, w.quantify})
      EXPECT_EQ(b->value(), 1);
    EXPECT_STREQ(w.resize_choice->text(), "1024 (1K)");
    EXPECT_STREQ(w.tmax->value(), "0.01");
    EXPECT_STREQ(w.smooth_a->value(), "0.0003");
    EXPECT_STREQ(w.smooth_n->value(), "2");
    EXPECT_STREQ(w.target->text(), "Magnitude");
    EXPECT_STREQ(w.mode->text(), "Average");
    EXPECT_STREQ(w.from->value(), "0");
    EXPECT_STREQ(w.to->value(), "-1");
  }
  // Ctrl+S opens the dialog.
  PressKey('s', FL_CTRL);
  Pump();
  EXPECT_TRUE(s.window->shown());

  s.widgets[0].smooth_a->value("0.00012345");
  s.save->do_callback();
  s.save->do_callback();  // twice: still one section
  const std::string config = ReadFileBytes(ConfigPath());
  const std::string want =
      "Setup:\r\nDoGroupDelay 1 1\r\nDoApo 1 1\r\nDoApoCos2 1 1\r\nApoCos2Par 0.01 0.01\r\n"
      "DoApoSmooStep 1 1\r\nApoSmooStepParA 0.00012345 0.0003\r\nApoSmooStepParN 2 2\r\n"
      "DoZeroFill 1 1\r\nZeroFillPar 10 10\r\nQTarget 1 1\r\nDoQuant 1 1\r\nQMode 0 0\r\n"
      "QFrom 0 0\r\nQTo -1 -1\r\n";
  EXPECT_NE(config.find(want), std::string::npos) << config;
  EXPECT_EQ(config.find("Setup:"), config.rfind("Setup:"));

  // Close drops what was not saved; the saved a reads back whole.
  s.widgets[1].tmax->value("0.05");
  s.close->do_callback();
  EXPECT_FALSE(s.window->shown());
  EXPECT_STREQ(s.widgets[1].tmax->value(), "0.01");
  EXPECT_STREQ(s.widgets[0].smooth_a->value(), "0.00012345");

  // Unusable values are named and nothing is saved.
  const char* bad[][2] = {{"0", "Tmax [s]"}, {"x", "Tmax [s]"}};
  for (auto& b : bad) {
    Scripted().messages.clear();
    s.widgets[0].tmax->value(b[0]);
    s.save->do_callback();
    ASSERT_EQ(Scripted().messages.size(), 1u);
    EXPECT_EQ(Scripted().messages[0],
              std::string("Invalid value of \"") + b[1] + "\" in the 29Si setup.");
    EXPECT_EQ(ReadFileBytes(ConfigPath()), config);
  }
  s.widgets[0].tmax->value("0.01");
  Scripted().messages.clear();
  s.widgets[1].smooth_n->value("0");
  s.save->do_callback();
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0], "Invalid value of \"n\" in the 13C setup.");
}

TEST_F(WorkflowTest, SetupNumberFieldsReadADecimalCommaOrNameTheField) {
  BuildAndShow();
  ProcessingSetup& s = ::Setup();
  OnSetupMenu(nullptr, nullptr);
  Pump();
  for (const char* locale : kLocales) {
    LocaleScope scope(locale);
    ASSERT_TRUE(scope.ok()) << locale;
    for (int c = 0; c < kSetupColumns; ++c) {
      SetupColumnWidgets& w = s.widgets[c];
      // Real fields: the comma is the decimal separator, shown and stored
      // as a point.
      struct Real {
        cNumberInput* field;
        const char* typed;
        const char* shown;
        double SetupColumn::*value;
        double want;
      };
      const Real reals[] = {{w.tmax, "1,5", "1.5", &SetupColumn::tmax, 1.5},
                            {w.smooth_a, "0,0007", "0.0007", &SetupColumn::smooth_a, 0.0007}};
      for (const Real& r : reals) {
        SCOPED_TRACE(std::string(locale) + " " + kSetupNuclides[c] + " " + r.field->label());
        Scripted().messages.clear();
        TypeInto(r.field, r.typed);
        EXPECT_STREQ(r.field->value(), r.shown);
        s.save->do_callback();
        EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
        EXPECT_EQ(s.values.column[c].*(r.value), r.want);
      }
      // Whole-number fields keep every character typed and refuse the text,
      // naming the field; nothing is saved.
      struct Whole {
        cNumberInput* field;
        const char* name;
        const char* typed;
        const char* good;
      };
      const Whole wholes[] = {
          {w.smooth_n, "n", "1,5", "2"}, {w.from, "from", "1,5", "0"}, {w.to, "to", "-1,5", "-1"}};
      for (const Whole& x : wholes) {
        SCOPED_TRACE(std::string(locale) + " " + kSetupNuclides[c] + " " + x.name);
        const std::string config = ReadFileBytes(ConfigPath());
        Scripted().messages.clear();
        TypeInto(x.field, x.typed);
        EXPECT_STREQ(x.field->value(), x.typed);
        s.save->do_callback();
        ASSERT_EQ(Scripted().messages.size(), 1u);
        EXPECT_EQ(Scripted().messages[0], std::string("Invalid value of \"") + x.name +
                                              "\" in the " + kSetupNuclides[c] + " setup.");
        EXPECT_EQ(ReadFileBytes(ConfigPath()), config);
        TypeInto(x.field, x.good);
      }
    }
    // The stored lines keep the point.
    const std::string config = ReadFileBytes(ConfigPath());
    EXPECT_NE(config.find("ApoCos2Par 1.5 1.5\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("ApoSmooStepParA 0.0007 0.0007\r\n"), std::string::npos) << config;
  }
  // Pasted text takes the same road as typed text.
  cNumberInput* tmax = s.widgets[0].tmax;
  cNumberInput* n = s.widgets[0].smooth_n;
  for (cNumberInput* field : {tmax, n}) {
    static char pasted[] = "2,5";
    field->value("");
    ASSERT_TRUE(field->take_focus());
    Fl::e_text = pasted;
    Fl::e_length = 3;
    field->handle(FL_PASTE);
  }
  EXPECT_STREQ(tmax->value(), "2.5");
  EXPECT_STREQ(n->value(), "2,5");
}

TEST_F(WorkflowTest, RunProcessingWithoutDataSaysSo) {
  BuildAndShow();
  OnRunProcessing(nullptr, nullptr);
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0], "No data loaded.");
  EXPECT_TRUE(g_scripts.empty());
}

TEST_F(WorkflowTest, RunProcessingScriptQuantitiesStatesAndASecondRun) {
  LoadSi29();
  // Ctrl+Enter from the menu.
  PressKey(FL_Enter, FL_CTRL);
  Pump();
  ASSERT_EQ(g_scripts.size(), 1u);
  std::string want;
  for (int i = 0; i < 5; ++i) want += DefaultLines(i);
  EXPECT_EQ(g_scripts[0], want);
  EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
  auto manifest = Manifest();
  std::vector<std::string> first;
  for (size_t i = 0; i < 5; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", std::stod(manifest[kSi29[i]]["quantity"]));
    EXPECT_EQ(Q(i), text) << i;
    EXPECT_EQ(State(i), 1u);
    first.push_back(Q(i));
    char* log = App().data_sets[i].log->buffer()->text();
    EXPECT_NE(std::strstr(log, "#QUANTIFY: completed"), nullptr) << log;
    free(log);
  }
  // Run again: processed items go back to their data first.
  OnRunProcessing(nullptr, nullptr);
  Pump();
  ASSERT_EQ(g_scripts.size(), 2u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Q(i), first[i]);
  char* log = App().data_sets[0].log->buffer()->text();
  const std::string text = log;
  free(log);
  EXPECT_EQ(text.find("#QUANTIFY: completed"), text.rfind("#QUANTIFY: completed"));

  // The run takes what the dialog shows, saved or not; a bad value stops it.
  ::Setup().widgets[0].tmax->value("0.02");
  ::Setup().widgets[0].target->value(2);
  OnRunProcessing(nullptr, nullptr);
  ASSERT_EQ(g_scripts.size(), 3u);
  EXPECT_NE(g_scripts[2].find("#APODIZE, 3, 0, 0z4, , 0,-1, 0.02\r\n"), std::string::npos);
  // Ctrl+Enter in the setup dialog runs it as well.
  ::Setup().window->show();
  Pump();
  PressKey(FL_Enter, FL_CTRL, ::Setup().window);
  Pump();
  ASSERT_EQ(g_scripts.size(), 4u);
  EXPECT_EQ(g_scripts[3], g_scripts[2]);
  g_scripts.pop_back();
  EXPECT_NE(g_scripts[2].find("#QUANTIFY, 1, 1280, 0z4, , 0, 4294967295\r\n"), std::string::npos);
  EXPECT_EQ(::Setup().values.column[0].tmax, 0.01);
  const std::string q_before = Q(0);
  ::Setup().widgets[0].smooth_a->value("-");
  OnRunProcessing(nullptr, nullptr);
  EXPECT_EQ(g_scripts.size(), 3u);
  ASSERT_FALSE(Scripted().messages.empty());
  EXPECT_EQ(Scripted().messages.back(), "Invalid value of \"a [s]\" in the 29Si setup.");
  EXPECT_EQ(Q(0), q_before);
}

TEST_F(WorkflowTest, AnInvalidNuclideChangesNothing) {
  BuildAndShow();
  Load("si29_c1");
  OnRunProcessing(nullptr, nullptr);
  const std::string q = Q(0);
  ASSERT_FALSE(q.empty());
  char* before = App().data_sets[0].log->buffer()->text();
  Load("h1_invalid_nuclide");
  EXPECT_EQ(BuildAndRunTaskScript(&::Setup().values), 16u);
  ASSERT_FALSE(Scripted().messages.empty());
  EXPECT_EQ(Scripted().messages.back(), "Invalid nuclide in data #2.");
  EXPECT_EQ(g_scripts.size(), 1u);
  char* after = App().data_sets[0].log->buffer()->text();
  EXPECT_STREQ(after, before);
  free(before);
  free(after);
  EXPECT_EQ(Q(0), q);
  EXPECT_EQ(State(0), 1u);
}

TEST_F(WorkflowTest, AnItemThatCannotBeRestoredStopsTheRun) {
  BuildAndShow();
  Load("si29_c1");
  OnRunProcessing(nullptr, nullptr);
  ASSERT_EQ(g_scripts.size(), 1u);
  // Marked processed without any run holding its data as loaded (as a
  // caller's run without undo leaves it): the restore has nothing to go
  // back to, and processing it again would give wrong numbers.
  Load("si29_c2");
  const Dword processed = 1;
  StateArgs state{1, &processed};
  ASSERT_EQ(RunCommand(App().record, kKyCmdSetItemState, &state), 0u);
  EXPECT_EQ(BuildAndRunTaskScript(&::Setup().values), Dword{kErrMissingInputData});
  ASSERT_FALSE(Scripted().messages.empty());
  EXPECT_EQ(Scripted().messages.back(),
            "Data #2 cannot be restored as loaded; processing stopped.");
  EXPECT_EQ(g_scripts.size(), 1u);
  EXPECT_EQ(State(1), 1u);
}

TEST_F(WorkflowTest, ASeriesGetsANoteThatQIsItsLastBlock) {
  BuildAndShow();
  Load("si29_c1");
  Load("ser_dosy");
  OnRunProcessing(nullptr, nullptr);
  char text[64];
  std::snprintf(text, sizeof text, "%g", std::stod(Manifest()["ser_dosy"]["quantity"]));
  EXPECT_EQ(Q(1), text);
  char* series = App().data_sets[1].log->buffer()->text();
  char* single = App().data_sets[0].log->buffer()->text();
  EXPECT_NE(std::strstr(series, " Note: 4 blocks. Q is the quantity of the last block;"), nullptr)
      << series;
  EXPECT_EQ(std::strstr(single, "Note:"), nullptr);
  free(series);
  free(single);
  // A second run clears the note with the other reports.
  OnRunProcessing(nullptr, nullptr);
  series = App().data_sets[1].log->buffer()->text();
  const std::string log = series;
  free(series);
  EXPECT_EQ(log.find(" Note: 4 blocks"), log.rfind(" Note: 4 blocks"));
}

TEST_F(WorkflowTest, CalibrationOfTheFiveSamples) {
  LoadSi29();
  // Not processed yet.
  OnRunCalibration(nullptr, nullptr);
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0], "Quantify the FIDs, please.");
  OnRunProcessing(nullptr, nullptr);
  Pump();
  TypeStandards();
  // A partial number is no concentration.
  App().data_sets[2].calibration.c_in->value("1e");
  OnRunCalibration(nullptr, nullptr);
  EXPECT_EQ(Scripted().messages.back(), "Input concentration # 3");
  EXPECT_EQ(COut(0), "");
  App().data_sets[2].calibration.c_in->value("3");

  OnRunCalibration(nullptr, nullptr);
  Pump();
  EXPECT_EQ(Scripted().messages.size(), 2u) << Scripted().messages.back();
  auto manifest = Manifest();
  for (size_t i = 0; i < 5; ++i) {
    const double want = std::stod(manifest[kSi29[i]]["concentration_out"]);
    ASSERT_FALSE(COut(i).empty()) << i;
    EXPECT_NEAR(std::stod(COut(i)), want, 1e-4 * want) << i;
    EXPECT_EQ(State(i), 2u);
  }
  char* log = App().calibration_log->buffer()->text();
  EXPECT_NE(std::strstr(log, "#FIT: completed"), nullptr) << log;
  EXPECT_NE(std::strstr(log, "Linear fit"), nullptr) << log;
  free(log);

  // A new processing run clears the results it makes stale.
  OnRunProcessing(nullptr, nullptr);
  EXPECT_EQ(COut(0), "");
  EXPECT_FALSE(Q(0).empty());
  EXPECT_EQ(State(0), 1u);
}

TEST_F(WorkflowTest, ConcentrationsTypedWithADecimalCommaCalibrate) {
  LoadSi29();
  auto manifest = Manifest();
  App().tabs->value(App().calibration_tab);
  Pump();
  for (const char* locale : kLocales) {
    LocaleScope scope(locale);
    ASSERT_TRUE(scope.ok()) << locale;
    SCOPED_TRACE(locale);
    Scripted().messages.clear();
    OnRunProcessing(nullptr, nullptr);
    Pump();
    // Half the standards: every concentration read off the line is half
    // the manifest's.
    const char* typed[] = {"0,5", "1", "1,5", "2", "2,5"};
    for (size_t i = 0; i < 5; ++i) {
      TypeInto(App().data_sets[i].calibration.c_in, typed[i]);
      std::string shown = typed[i];
      std::replace(shown.begin(), shown.end(), ',', '.');
      EXPECT_EQ(std::string(App().data_sets[i].calibration.c_in->value()), shown);
    }
    OnRunCalibration(nullptr, nullptr);
    Pump();
    EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
    for (size_t i = 0; i < 5; ++i) {
      const double want = CNumber(manifest[kSi29[i]]["concentration_out"]) / 2;
      ASSERT_FALSE(COut(i).empty()) << i;
      EXPECT_EQ(COut(i).find(','), std::string::npos) << COut(i);
      EXPECT_EQ(Q(i).find(','), std::string::npos) << Q(i);
      EXPECT_NEAR(CNumber(COut(i)), want, 1e-4 * want) << i;
    }
    // The CSV text keeps points.
    EXPECT_EQ(CalibrationTableText().find("0,5"), std::string::npos);
  }
}

// Pixels of a canvas as drawn on the screen, RGB.
std::vector<uchar> CanvasPixels(cCanvas* canvas) {
  std::vector<uchar> rgb(static_cast<size_t>(canvas->w()) * canvas->h() * 3);
  canvas->make_current();
  fl_read_image(rgb.data(), 0, 0, canvas->w(), canvas->h());
  return rgb;
}

// Pixels of the fitted line's colour (0x0000F0).
int LinePixels(const std::vector<uchar>& rgb) {
  int n = 0;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    n += rgb[i] == 0 && rgb[i + 1] == 0 && rgb[i + 2] == 0xF0;
  return n;
}

TEST_F(WorkflowTest, ANewProcessingRunTakesTheCalibrationLineAndItsReport) {
  LoadSi29();
  App().tabs->value(App().calibration_tab);
  OnRunProcessing(nullptr, nullptr);
  Pump();
  TypeStandards();
  OnRunCalibration(nullptr, nullptr);
  Pump(20);
  cCanvas* canvas = App().calibration_canvas;
  ASSERT_TRUE(canvas->visible_r());
  EXPECT_GT(LinePixels(CanvasPixels(canvas)), 100);
  auto LogHas = [](const char* text) {
    char* log = App().calibration_log->buffer()->text();
    const bool has = std::strstr(log, text) != nullptr;
    free(log);
    return has;
  };
  EXPECT_TRUE(LogHas("Linear fit"));

  OnRunProcessing(nullptr, nullptr);
  Pump(20);
  EXPECT_EQ(COut(0), "");
  EXPECT_EQ(LinePixels(CanvasPixels(canvas)), 0);
  EXPECT_FALSE(LogHas("Linear fit"));
  EXPECT_EQ(canvas->plot, nullptr);
  // A new calibration shows its line again.
  OnRunCalibration(nullptr, nullptr);
  Pump(20);
  EXPECT_FALSE(COut(0).empty());
  EXPECT_GT(LinePixels(CanvasPixels(canvas)), 100);
  EXPECT_TRUE(LogHas("Linear fit"));
}

// The layout of a plot image's y-axis labels, by tests/app/label_layout.py.
std::string LabelLayout(const std::string& image) {
  return RunPython(
      "import runpy,sys\nsys.argv=sys.argv[1:]\nrunpy.run_path(sys.argv[0], "
      "run_name='__main__')",
      std::string(VELTRIA_SOURCE_DIR) + "/tests/app/label_layout.py' '" + image);
}

TEST_F(WorkflowTest, CalibrationPlotLabelsStayInsideOnScreenAndInSvg) {
  LoadSi29();
  App().tabs->value(App().calibration_tab);
  OnRunProcessing(nullptr, nullptr);
  Pump();
  TypeStandards();
  OnRunCalibration(nullptr, nullptr);
  Pump(20);
  // The first draw of the new plot, as the screen shows it.
  cCanvas* canvas = App().calibration_canvas;
  ASSERT_NE(canvas->plot, nullptr);
  const std::vector<uchar> rgb = CanvasPixels(canvas);
  const std::string dir = TempFolder();
  const std::string ppm = dir + "/screen.ppm";
  {
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << canvas->w() << " " << canvas->h() << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  }
  EXPECT_EQ(LabelLayout(ppm), "ok\n");
  std::remove(ppm.c_str());

  // The same plot as an SVG file, rendered by another program.
  const std::string svg = dir + "/calibration.svg";
  ShowExportDialog(nullptr, nullptr);
  Fl_Double_Window* dialog = ExportDialogWindow();
  ASSERT_NE(dialog, nullptr);
  EXPECT_STREQ(static_cast<Fl_Choice*>(dialog->child(0))->text(), "Calibration table");
  static_cast<Fl_Choice*>(dialog->child(1))->value(1);
  Scripted().files.push_back(svg);
  dialog->child(3)->do_callback();
  EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
  if (access("/usr/bin/rsvg-convert", X_OK) == 0) {
    const std::string png = dir + "/calibration.png";
    const std::string cmd = "/usr/bin/rsvg-convert -b white -o '" + png + "' '" + svg + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(LabelLayout(png), "ok\n");
    std::remove(png.c_str());
  }
  std::remove(svg.c_str());
  rmdir(dir.c_str());
}

TEST_F(WorkflowTest, ExportOfTheCalibrationTableAsCsv) {
  LoadSi29();
  OnRunProcessing(nullptr, nullptr);
  TypeStandards();
  OnRunCalibration(nullptr, nullptr);
  App().tabs->value(App().calibration_tab);
  Scripted().messages.clear();

  const std::string dir = TempFolder();
  const std::string path = dir + "/calibration, 1.csv";
  { std::ofstream(path) << "old"; }
  ShowExportDialog(nullptr, nullptr);
  Fl_Double_Window* dialog = ExportDialogWindow();
  ASSERT_NE(dialog, nullptr);
  // With the Calibration tab shown the dialog starts on the table.
  auto* source = static_cast<Fl_Choice*>(dialog->child(0));
  auto* destination = static_cast<Fl_Choice*>(dialog->child(1));
  EXPECT_STREQ(source->text(), "Calibration table");
  EXPECT_STREQ(destination->text(), "Spreadsheet document (.csv)");
  auto* export_button = dialog->child(3);
  // A cancelled file dialog is no error and keeps the dialog.
  export_button->do_callback();
  EXPECT_TRUE(Scripted().messages.empty());
  EXPECT_EQ(ExportDialogWindow(), dialog);
  Scripted().files.push_back(path);
  export_button->do_callback();
  EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
  EXPECT_EQ(ExportDialogWindow(), nullptr);
  Pump();
  const std::string rows = RunPython(
      "import csv,sys\nfor r in csv.reader(open(sys.argv[1], newline=\'\')): print(\'|\'.join(r))",
      path);
  std::stringstream lines(rows);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 6u) << rows;
  EXPECT_EQ(all[0], "Select|Folder|C in [%]| Q|C out [%]");
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(all[i + 1], "1|" + std::string(App().data_sets[i].calibration.use->tooltip()) + "|" +
                              std::to_string(i + 1) + "|" + Q(i) + "|" + COut(i));
  std::remove(path.c_str());
  rmdir(dir.c_str());
}

TEST_F(WorkflowTest, ExportOfTheCurrentDataSetAsCsvAndSvg) {
  BuildAndShow();
  Load("si29_c1");
  Pump(10);
  const std::string dir = TempFolder();
  const std::string csv = dir + "/fid.csv", svg = dir + "/plot.svg";
  { std::ofstream(csv) << "old"; }
  for (int destination : {0, 1}) {
    ShowExportDialog(nullptr, nullptr);
    Fl_Double_Window* dialog = ExportDialogWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_STREQ(static_cast<Fl_Choice*>(dialog->child(0))->text(), "Current FID");
    static_cast<Fl_Choice*>(dialog->child(1))->value(destination);
    Scripted().files.push_back(destination == 0 ? csv : svg);
    dialog->child(3)->do_callback();
    EXPECT_TRUE(Scripted().messages.empty()) << Scripted().messages[0];
    EXPECT_EQ(ExportDialogWindow(), nullptr);
  }
  const std::string rows = RunPython(
      "import csv,sys\nr=list(csv.reader(open(sys.argv[1], newline=\'\')))\n"
      "print(len(r), set(len(x) for x in r), all(float(v)==float(v) for x in r for v in x[1:]))",
      csv);
  // One line per point of the item (time, real part, imaginary part).
  EXPECT_EQ(rows, "1024 {4} True\n");
  EXPECT_NE(ReadFileBytes(csv), "old");
  // The exported block's last CSV path is the file the user chose, not the
  // fresh file the export went through.
  const char16_t* last = LastCsvPath(0);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(std::u16string(last), std::u16string(csv.begin(), csv.end()));
  const std::string parsed = RunPython(
      "import sys,xml.etree.ElementTree as E\nt=E.parse(sys.argv[1]).getroot()\n"
      "print(t.tag.split(\'}\')[-1], t.get(\'width\'), t.get(\'height\'))",
      svg);
  EXPECT_EQ(parsed, "svg 1000 1000\n");
  if (access("/usr/bin/rsvg-convert", X_OK) == 0) {
    const std::string png = dir + "/plot.png";
    const std::string cmd = "/usr/bin/rsvg-convert -o '" + png + "' '" + svg + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    struct stat st {};
    EXPECT_EQ(stat(png.c_str(), &st), 0);
    EXPECT_GT(st.st_size, 1000);
    std::remove(png.c_str());
  }
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0], svg);
  std::remove(csv.c_str());
  std::remove(svg.c_str());
  rmdir(dir.c_str());
}

// An export whose file cannot be put in place (the chosen name is a folder)
// is reported, and the block keeps no path naming the removed fresh file.
TEST_F(WorkflowTest, FailedCsvExportLeavesNoLastCsvPath) {
  BuildAndShow();
  Load("si29_c1");
  Pump(10);
  const std::string dir = TempFolder();
  const std::string taken = dir + "/taken.csv";
  ASSERT_EQ(mkdir(taken.c_str(), 0700), 0);
  ShowExportDialog(nullptr, nullptr);
  Fl_Double_Window* dialog = ExportDialogWindow();
  ASSERT_NE(dialog, nullptr);
  Scripted().files.push_back(taken);
  dialog->child(3)->do_callback();
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0], "The file could not be written:\n" + taken);
  EXPECT_EQ(ExportDialogWindow(), dialog);
  EXPECT_EQ(LastCsvPath(0), nullptr);
  // Nothing is left beside the folder.
  EXPECT_EQ(rmdir(taken.c_str()), 0);
  EXPECT_EQ(rmdir(dir.c_str()), 0);
}

// The clipboard's image, asked for as FLTK asks another program.
class ImageReceiver : public Fl_Widget {
 public:
  ImageReceiver() : Fl_Widget(0, 0, 0, 0) {}
  void draw() override {}
  int handle(int event) override {
    if (event != FL_PASTE) return 0;
    if (strcmp(Fl::event_clipboard_type(), Fl::clipboard_image) == 0) {
      auto* image = static_cast<Fl_RGB_Image*>(Fl::event_clipboard());
      w_ = image->w();
      h_ = image->h();
      delete image;
    }
    return 1;
  }
  int w_ = 0, h_ = 0;
};

TEST_F(WorkflowTest, ClipboardBitmapHasTheCanvasSize) {
  BuildAndShow();
  Load("si29_c1");
  Pump(10);
  ShowExportDialog(nullptr, nullptr);
  Fl_Double_Window* dialog = ExportDialogWindow();
  ASSERT_NE(dialog, nullptr);
  static_cast<Fl_Choice*>(dialog->child(1))->value(2);
  dialog->child(3)->do_callback();
  EXPECT_EQ(ExportDialogWindow(), nullptr);  // always closes
  EXPECT_EQ(App().copy_surface, nullptr);
  EXPECT_TRUE(Fl::clipboard_contains(Fl::clipboard_image));
  Fl_Group* open = Fl_Group::current();
  Fl_Group::current(nullptr);
  ImageReceiver receiver;
  Fl_Group::current(open);
  Fl::paste(receiver, 1, Fl::clipboard_image);
  for (int i = 0; i < 40 && receiver.w_ == 0; ++i) Fl::wait(0.05);
  EXPECT_EQ(receiver.w_, App().data_sets[0].canvas->w());
  EXPECT_EQ(receiver.h_, App().data_sets[0].canvas->h());
}

TEST_F(WorkflowTest, ExportWithoutDataAndManualAndAbout) {
  BuildAndShow();
  ShowExportDialog(nullptr, nullptr);
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0], "Nothing to export.");
  EXPECT_EQ(ExportDialogWindow(), nullptr);

  // The program's folder, as code 3 fills it in.
  const std::string dir = TempFolder();
  Utf8ToUtf16(dir.c_str(), kNoIndex, App().info.exe_folder, kKyTextCapacity);
  const std::string manual = ManualPath();
  EXPECT_EQ(manual, dir + "/Pelorin_UserGuide.html");
  OnManual(nullptr, nullptr);
  ASSERT_EQ(Scripted().messages.size(), 2u);
  EXPECT_EQ(Scripted().messages[1], "Manual not found:\n" + manual);
  EXPECT_TRUE(g_opened.empty());
  { std::ofstream(manual) << "<html></html>"; }
  OnManual(nullptr, nullptr);
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0], manual);
  EXPECT_EQ(Scripted().messages.size(), 2u);
  // No program to open HTML: the message says so and where the guide is.
  g_open_fails = true;
  OnManual(nullptr, nullptr);
  g_open_fails = false;
  ASSERT_EQ(Scripted().messages.size(), 3u);
  EXPECT_EQ(Scripted().messages[2],
            "No viewer was found to open the manual.\nThe guide is at:\n" + manual);
  g_opened.clear();
  std::remove(manual.c_str());
  rmdir(dir.c_str());

  char version[32];
  std::snprintf(version, sizeof version, "FLTK %.4f", Fl::version());
  EXPECT_NE(AboutText().find(version), std::string::npos) << AboutText();
  EXPECT_EQ(AboutText().rfind("Pelorin 1.0.483\n", 0), 0u);
  OnFeedbackMail(nullptr, nullptr);
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0].rfind("mailto:", 0), 0u);
}

}  // namespace
