// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/handlers.h"
#include "app/ui/main_window.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"
#include "command/lib_command.h"

namespace {

Long ScriptedMessageBox(const std::string&, const std::string& text, UiMessageType type) {
  Scripted().messages.push_back(text);
  Scripted().types.push_back(type);
  if (type != kUiQuestionYesNo && type != kUiQuestionYesNoCancel) return 1;
  if (Scripted().answers.empty()) return 0;
  const Long answer = Scripted().answers.front();
  Scripted().answers.pop_front();
  return answer;
}

bool ScriptedFileDialog(const UiFileDialogRequest&, std::string* paths) {
  ++Scripted().file_dialogs;
  if (Scripted().files.empty()) return false;
  *paths = Scripted().files.front();
  Scripted().files.pop_front();
  return true;
}

bool ScriptedFolderDialog(const std::string&, const std::string&, std::string*) { return false; }
void ScriptedBeep(Dword, Dword) { ++Scripted().beeps; }

std::string ExecutableFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = 0;
  std::string s(path);
  return s.substr(0, s.rfind('/'));
}

}  // namespace

ScriptedUi& Scripted() {
  static ScriptedUi ui;
  return ui;
}

std::string ConfigPath() { return ExecutableFolder() + "/Pelorin.config"; }

void WriteConfig(const std::string& bytes) {
  std::ofstream out(ConfigPath(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool DataCommandsAvailable() {
  KyAppRecord* record = LibCommand(1, nullptr);
  record->flags |= kKyFlagQuiet;
  LibCommand(104, record);
  const bool available = record->error != 10;
  LibCommand(2, record);
  return available;
}

void GuiTest::SetUp() {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display (run under xvfb_run.sh)";
  Scripted() = ScriptedUi();
  std::remove(ConfigPath().c_str());
  AppState& app = App();
  AppInfoDefaults(&app.info);
  std::snprintf(app.info.title, sizeof app.info.title, "Pelorin 1.0.483");
  app.info.draw_callback = CanvasDrawCallback;
  record_ = LibCommand(1, nullptr);
  ASSERT_NE(record_, nullptr);
  record_->callback = AppCommandCallback;
  app.record = record_;
  UiHooks hooks{};
  hooks.message_box = ScriptedMessageBox;
  hooks.file_dialog = ScriptedFileDialog;
  hooks.folder_dialog = ScriptedFolderDialog;
  hooks.beep = ScriptedBeep;
  UiHooksInstall(&hooks);
  // Code 3 would run the event loop; the tests only need the framework's
  // copy of the application information, which it takes first. Mode 0
  // runs nothing after the copy.
  KyAppInfo copy = app.info;
  copy.mode = 0;
  record_->argument = &copy;
  LibCommand(3, record_);
}

void GuiTest::TearDown() {
  AppState& app = App();
  if (app.main_window != nullptr) QuitApplication();
  Pump();
  if (record_ != nullptr) {
    app.record = nullptr;
    LibCommand(2, record_);
  }
  UiHooksInstall(nullptr);
  std::remove(ConfigPath().c_str());
  std::remove((ConfigPath() + ".lock").c_str());
}

void GuiTest::BuildAndShow() {
  record_->argument = &App().info;
  AppCommandCallback(kKyMsgBuildWindow, record_);
  ASSERT_NE(App().main_window, nullptr);
  App().main_window->show();
  Pump(20);
}

void GuiTest::Pump(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    Fl::wait(0.01);
    Fl::flush();
  }
}

int GuiTest::PressKey(int keysym, int state, Fl_Window* window) {
  if (window == nullptr) window = App().main_window;
  Fl::e_keysym = keysym;
  Fl::e_state = state;
  static char text[2] = {0, 0};
  text[0] = (keysym > 0 && keysym < 128) ? static_cast<char>(keysym) : 0;
  Fl::e_text = text;
  Fl::e_length = text[0] ? 1 : 0;
  int handled = Fl::handle(FL_KEYBOARD, window);
  Fl::e_state = 0;
  return handled;
}

int GuiTest::Mouse(int event, Fl_Window* window, int x, int y, int button, int state, int clicks) {
  // Fl::handle takes the position relative to the window, less the
  // positions of the windows around it (a subwindow sits inside another).
  int ox = 0, oy = 0;
  for (Fl_Widget* w = window->parent(); w != nullptr; w = w->parent())
    if (w->as_window() != nullptr) {
      ox += w->x();
      oy += w->y();
    }
  Fl::e_x = x + ox;
  Fl::e_y = y + oy;
  Fl::e_x_root = window->x_root() + x;
  Fl::e_y_root = window->y_root() + y;
  Fl::e_keysym = FL_Button + button;
  Fl::e_state = state | (event == FL_RELEASE ? 0 : (button == 1 ? FL_BUTTON1 : FL_BUTTON3));
  Fl::e_clicks = clicks;
  Fl::e_is_click = clicks > 0 ? 1 : 0;
  return Fl::handle(event, window);
}
