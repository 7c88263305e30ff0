// The FLTK hooks themselves: the real file chooser driven from outside with
// xdotool, and the program's questions through the real fl_choice.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Window.H>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
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
#include "base/platform/ui_hooks.h"

extern char** environ;

namespace {

// Starts `script` in the background (sh -c); the caller waits for it.
pid_t Background(const std::string& script) {
  pid_t pid = 0;
  char sh[] = "sh", c[] = "-c";
  std::string s = script;
  char* argv[] = {sh, c, s.data(), nullptr};
  if (posix_spawnp(&pid, sh, nullptr, nullptr, argv, environ) != 0) return -1;
  return pid;
}

bool HaveXdotool() {
  const pid_t pid = Background("command -v xdotool > /dev/null");
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(GuiTest, RealFileChooserTakesATypedPath) {
  if (!HaveXdotool()) GTEST_SKIP() << "xdotool is not installed";
  char folder[] = "/tmp/pelorin-chooser-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string fid = std::string(folder) + "/fid";
  std::ofstream(fid) << "x";
  InstallFltkHooks();
  // FLTK keeps the chooser's preferences under the home folder: the test's
  // own folder, not the user's.
  const char* home = std::getenv("HOME");
  const std::string old_home = home != nullptr ? home : "";
  setenv("HOME", folder, 1);
  UiFileDialogRequest request;
  request.title = "Open Bruker fid";
  request.filter = "Bruker fid\tfid;ser\nAll\t*.*";
  request.must_exist = true;
  request.folder = folder;
  // The chooser opens in the folder with its file name field focused: the
  // user types the name and presses Return.
  const pid_t typist = Background(
      "sleep 1.5; xdotool type --delay 50 fid; sleep 0.3; xdotool key Return;"
      // Should the chooser still be open, it is cancelled.
      "sleep 6; xdotool key Escape; sleep 1; xdotool key Escape");
  ASSERT_GT(typist, 0);
  std::string chosen;
  const bool ok = UiHooksGet().file_dialog(request, &chosen);
  kill(typist, SIGTERM);
  waitpid(typist, nullptr, 0);
  EXPECT_TRUE(ok);
  EXPECT_EQ(chosen, fid);
  if (home != nullptr)
    setenv("HOME", old_home.c_str(), 1);
  else
    unsetenv("HOME");
  const std::string rm = "rm -rf '" + std::string(folder) + "'";
  const pid_t cleaner = Background(rm);
  waitpid(cleaner, nullptr, 0);
}

TEST_F(GuiTest, RealQuestionBoxAnswersYesOnReturnAndNoOnEscape) {
  if (!HaveXdotool()) GTEST_SKIP() << "xdotool is not installed";
  InstallFltkHooks();
  struct Case {
    const char* key;
    bool yes;
  };
  for (const Case& c : {Case{"Return", true}, Case{"Escape", false}}) {
    const pid_t presser =
        Background(std::string("sleep 1; xdotool key ") + c.key + "; sleep 5; xdotool key Escape");
    const bool answer = AppAsk("Are you sure you want to quit?");
    kill(presser, SIGTERM);
    waitpid(presser, nullptr, 0);
    EXPECT_EQ(answer, c.yes) << c.key;
  }
}

TEST_F(GuiTest, ComponentButtonsSetTheirBitsAndKeepTheView) {
  Fl_Window window(300, 100);
  cCanvas canvas(0, 0, 100, 50, ItemCanvasId(0), nullptr);
  struct Case {
    const char* label;
    Dword bit;
  };
  const Case cases[] = {{"Real", 1}, {"Imag", 2}, {"Magn", 4}, {"Power", 8}, {"Other", 1}};
  for (const Case& c : cases) {
    Fl_Round_Button button(0, 60, 50, 20, c.label);
    canvas.display_flags = 0x10;
    button.value(1);
    OnComponentButton(&button, &canvas);
    EXPECT_EQ(canvas.display_flags, 0x10u | c.bit) << c.label;
    button.value(0);
    OnComponentButton(&button, &canvas);
    EXPECT_EQ(canvas.display_flags, 0x10u) << c.label;
  }
  window.end();
}

}  // namespace
