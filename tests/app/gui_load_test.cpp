// The loading flow: a failed load changes nothing; a successful one builds
// the workspace, adds the item's page, keeps the calibration rows typed
// before and records the file.
#include "gui_fixture.h"  // before X11's macros (None, Bool)

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Float_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>

#include <cstdio>
#include <fstream>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/command_records.h"
#include "app/ui/commands.h"
#include "app/ui/loading.h"
#include "app/ui/main_window.h"
#include "framework/command/lib_command.h"

namespace {

TEST_F(GuiTest, FailedLoadChangesNothingAndShowsTheFrameworksError) {
  WriteConfig("KyApp Configuration\r\n\r\nRecent files:\r\n\"/data/a\"8\r\n");
  const std::string before = ReadFileBytes(ConfigPath());
  BuildAndShow();
  // The open dialog is cancelled (or the load fails for another reason).
  const int open = App().menu_bar->find_index("&File/@fileopen Open Bruker fid...");
  ASSERT_GE(open, 0);
  App().menu_bar->picked(&App().menu_bar->menu()[open]);
  Pump();
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

// The full road needs the framework's data commands and a reader; the
// simulated data set (type 12) of the framework stands in for a Bruker
// folder here.
class LoadFlowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (IsSkipped()) return;
    if (!DataCommandsAvailable()) GTEST_SKIP() << "the framework's data commands are not in this build";
  }
  Dword LoadSimulated() {
    // A simulated single pulse: the simulator needs its experiment ("EXP").
    LoadDataArgs args{12, nullptr, 0, "EXP=S1P\rBS=8\rDW=100\rNLPL=1\rTDCY=0.001\rWDCY=1\r"};
    return LoadDataAndRebuild(&args);
  }
};

TEST_F(LoadFlowTest, EachLoadAddsAPageAndKeepsTheCalibrationRows) {
  BuildAndShow();
  ASSERT_EQ(LoadSimulated(), 0u);
  ASSERT_NE(App().tabs, nullptr);
  ASSERT_EQ(App().pages.size(), 1u);
  ASSERT_EQ(App().calibration_rows.size(), 1u);
  App().calibration_rows[0].c_in->value("2.5");
  App().calibration_rows[0].use->value(0);
  ASSERT_EQ(LoadSimulated(), 0u);
  ASSERT_EQ(LoadSimulated(), 0u);
  Pump();
  ASSERT_EQ(App().pages.size(), 3u);
  EXPECT_EQ(App().data_counter->maximum(), 3.0);
  EXPECT_EQ(App().data_counter->value(), 3.0);
  EXPECT_TRUE(App().pages[2]->visible());
  EXPECT_FALSE(App().pages[0]->visible());
  ASSERT_EQ(App().calibration_rows.size(), 3u);
  EXPECT_STREQ(App().calibration_rows[0].c_in->value(), "2.5");
  EXPECT_EQ(App().calibration_rows[0].use->value(), 0);
  EXPECT_EQ(App().calibration_rows[2].use->value(), 1);
  for (Qword i = 0; i < 3; ++i) {
    EXPECT_EQ(App().canvases[i]->window_id, ItemCanvasId(i));
    EXPECT_EQ(App().canvases[i]->display_flags, 1u);
    record_->argument = ValueArgument(i);
    LibCommand(kCmdGetState, record_);
    EXPECT_EQ(record_->result.u64, 0u);
  }
  // The counter shows the page it names.
  App().data_counter->value(1);
  App().data_counter->do_callback();
  EXPECT_TRUE(App().pages[0]->visible());
  EXPECT_FALSE(App().pages[2]->visible());
  // Close all and a new load: a fresh workspace whose first page is item 0.
  OnCloseAll(nullptr, nullptr);
  ASSERT_EQ(LoadSimulated(), 0u);
  EXPECT_EQ(App().pages.size(), 1u);
  EXPECT_EQ(App().canvases[0]->window_id, ItemCanvasId(0));
}

}  // namespace
