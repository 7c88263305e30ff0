// The program's command callback: the framework messages it answers, the
// error report through the hooks, and the task reports.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <cmath>
#include <cstring>
#include <string>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "app/ui/main_window.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

namespace {

TEST_F(GuiTest, NameRequestAnswersPelorinAndNamesTheConfigurationFile) {
  int marker = 0;
  record_->argument = &marker;
  EXPECT_EQ(AppCommandCallback(kKyMsgAppName, record_), 0u);
  const auto* name = static_cast<const char16_t*>(record_->result.pointer);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(std::u16string(name), u"Pelorin");
  EXPECT_EQ(record_->argument, &marker);
  // The framework names the configuration file after it.
  LoadDataArgs add{8, nullptr, 0, "/data/a"};
  record_->argument = &add;
  LibCommand(kKyCmdAddRecentFile, record_);
  EXPECT_EQ(record_->error, 0u);
  EXPECT_EQ(ReadFileBytes(ConfigPath()),
            "KyApp Configuration\r\n\r\nRecent files:\r\n\"/data/a\"8\r\n");
}

TEST_F(GuiTest, ReaderAndWriterRequestsOfUnknownTypesAnswer65) {
  struct Case {
    Qword type;
  };
  for (Qword type : {Qword{10}, Qword{0}, Qword{12}, Qword{8}}) {
    ReaderRequest read{type, nullptr, u"/nowhere", nullptr};
    record_->argument = &read;
    // Without the Bruker reader plugged in, 8 is unknown too.
    EXPECT_EQ(AppCommandCallback(kKyMsgReadRequest, record_), 65u) << type;
    EXPECT_EQ(record_->argument, &read);
    SaveDataArgs save{static_cast<Dword>(type), nullptr, nullptr, -1, -1, 0};
    record_->argument = &save;
    EXPECT_EQ(AppCommandCallback(kKyMsgWriteRequest, record_), 65u) << type;
  }
}

Dword FakeReader(cKyData*, const char16_t* path) {
  return path != nullptr && std::u16string(path) == u"/ok" ? 0 : 56;
}

TEST_F(GuiTest, ReaderRequestOfBrukerDataGoesToThePluggedReader) {
  SetBrukerReaderWriter(FakeReader, nullptr);
  ReaderRequest ok{8, nullptr, u"/ok", nullptr};
  record_->argument = &ok;
  EXPECT_EQ(AppCommandCallback(kKyMsgReadRequest, record_), 0u);
  ReaderRequest missing{8, nullptr, u"/missing", nullptr};
  record_->argument = &missing;
  EXPECT_EQ(AppCommandCallback(kKyMsgReadRequest, record_), 56u);
  ReaderRequest other{10, nullptr, u"/ok", nullptr};
  record_->argument = &other;
  EXPECT_EQ(AppCommandCallback(kKyMsgReadRequest, record_), 65u);
  SetBrukerReaderWriter(nullptr, nullptr);
}

TEST_F(GuiTest, PlotAndFlagRequestsForIdsThatNameNoCanvasAnswerNothing) {
  for (Qword id : {Qword{0x200000000ull}, ItemCanvasId(0), Qword{0x10000000000ull}, Qword{0}}) {
    record_->result.pointer = &record_;
    record_->argument = reinterpret_cast<void*>(id);
    EXPECT_EQ(AppCommandCallback(kKyMsgPlotOfTarget, record_), 0u);
    EXPECT_EQ(record_->result.pointer, nullptr) << std::hex << id;
    record_->result.u64 = 77;
    EXPECT_EQ(AppCommandCallback(kKyMsgDisplayFlags, record_), 0u);
    EXPECT_EQ(record_->result.u64, 0u) << std::hex << id;
    EXPECT_EQ(record_->argument, reinterpret_cast<void*>(id));
  }
  // With a canvas: its flags, and its plot (none before the first draw).
  BuildAndShow();
  BuildWorkspace();
  App().calibration_canvas->display_flags = 0x70000;
  record_->argument = reinterpret_cast<void*>(kCalibrationCanvasId);
  AppCommandCallback(kKyMsgDisplayFlags, record_);
  EXPECT_EQ(record_->result.u64, 0x70000u);
  record_->result.pointer = &record_;
  AppCommandCallback(kKyMsgPlotOfTarget, record_);
  EXPECT_EQ(record_->result.pointer, nullptr);
}

TEST_F(GuiTest, ErrorReportShowsTheTextBeepsAndKeepsTheCode) {
  ErrorTextArgs expected{26, nullptr, nullptr};
  record_->argument = &expected;
  LibCommand(kKyCmdErrorTextA, record_);
  ASSERT_NE(expected.narrow, nullptr);
  // An unknown command through the frame: message 3 reaches the program.
  LibCommand(137, record_);
  EXPECT_EQ(record_->error, 10u);
  ASSERT_EQ(Scripted().messages.size(), 1u);
  ErrorTextArgs unknown{10, nullptr, nullptr};
  KyAppRecord* quiet = LibCommand(1, nullptr);
  quiet->argument = &unknown;
  LibCommand(kKyCmdErrorTextA, quiet);
  LibCommand(2, quiet);
  EXPECT_EQ(Scripted().messages[0], unknown.narrow);
  EXPECT_EQ(Scripted().beeps, 1);
  // Directly: the reported code is back in the error field afterwards.
  record_->error = 26;
  AppCommandCallback(kKyMsgError, record_);
  EXPECT_EQ(record_->error, 26u);
  EXPECT_EQ(Scripted().messages.back(), expected.narrow);
}

TEST_F(GuiTest, TaskReportOfTheRootGoesToTheCalibrationLog) {
  BuildAndShow();
  BuildWorkspace();
  Evp evp{};
  evp.id = 6;
  evp.level = 2;
  evp.zone = ~Qword{0};
  evp.block = ~Qword{0};
  char report[] = "FIT line\n";
  evp.report = report;
  record_->argument = &evp;
  record_->error = 0;
  AppCommandCallback(kKyMsgTaskReport, record_);
  char* text = App().calibration_log->buffer()->text();
  EXPECT_NE(std::strstr(text, "Calibration Log and Results"), nullptr);
  EXPECT_EQ(std::string(text).substr(std::strlen(text) - 9), "FIT line\n");
  free(text);
  EXPECT_EQ(record_->argument, &evp);
  // Level 1 with no item: no log takes it.
  evp.level = 1;
  char other[] = "elsewhere\n";
  evp.report = other;
  AppCommandCallback(kKyMsgTaskReport, record_);
  text = App().calibration_log->buffer()->text();
  EXPECT_EQ(std::strstr(text, "elsewhere"), nullptr);
  free(text);
}

TEST_F(GuiTest, LogClearingRemovesEverythingAfterTheHeader) {
  Fl_Text_Buffer buffer;
  buffer.text(" ---\n Log\n ---\n\nreport one\nreport - two\n");
  ClearLogReports(&buffer);
  char* text = buffer.text();
  EXPECT_STREQ(text, " ---\n Log\n ---\n\n");
  free(text);
  // The header's end as the last bytes, short texts and no header at all.
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {{"-\n\n", "-\n\n"},
                        {"\n\n", "\n\n"},
                        {"", ""},
                        {"no header\n", "no header\n"},
                        {"a-\n\nb-\n\nc", "a-\n\nb-\n\n"}};
  for (const Case& c : cases) {
    buffer.text(c.before);
    ClearLogReports(&buffer);
    text = buffer.text();
    EXPECT_STREQ(text, c.after) << c.before;
    free(text);
  }
}

struct FilterCase {
  const char* hook;
  const char* fltk;
};

TEST(FltkFilter, HookFiltersBecomeFltkPatterns) {
  const FilterCase cases[] = {
      {"CSV files (*.csv)\t*.csv", "CSV files (*.csv)\t*.csv"},
      {"All:\t*.*", "All:\t*"},
      {"Text\t*.txt;*.log\nAll\t*.*", "Text\t{*.txt,*.log}\nAll\t*"},
      {"Bruker fid\tfid;ser", "Bruker fid\t{fid,ser}"},
      {"Bruker data files (ser; fid)\tser; fid", "Bruker data files (ser; fid)\t{ser,fid}"},
      {"Spaces\t  *.txt ; ", "Spaces\t*.txt"},
      {"", ""},
      {"no tab here", ""},
      {"Empty\t", ""},
  };
  for (const FilterCase& c : cases) EXPECT_EQ(FltkFilterFromHookFilter(c.hook), c.fltk) << c.hook;
}

}  // namespace
