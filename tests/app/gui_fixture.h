// The fixture of the in-process windowed tests: a record with the
// program's callback, scripted user-interface hooks, the main window built
// through framework message 10, and helpers to inject events and pump the
// event loop without blocking.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "base/platform/ui_hooks.h"
#include "framework/ky_app_record.h"

class Fl_Window;

// What the scripted hooks saw and what they answer next.
struct ScriptedUi {
  std::vector<std::string> messages;  // texts of every message box, in order
  std::vector<UiMessageType> types;
  std::deque<Long> answers;       // answers to questions; empty: No
  std::deque<std::string> files;  // answers to file dialogs; empty: cancelled
  int beeps = 0;
  int file_dialogs = 0;
};
ScriptedUi& Scripted();

// The configuration file of the running test program (it lives beside the
// executable, named after the application).
std::string ConfigPath();
void WriteConfig(const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the main window through message 10 and shows it.
  void BuildAndShow();
  // Lets FLTK handle what is pending, a few rounds.
  static void Pump(int rounds = 5);
  // A key press through Fl::handle with the public event fields.
  static int PressKey(int keysym, int state = 0, Fl_Window* window = nullptr);
  // Mouse events through Fl::handle, in window coordinates of `window`.
  static int Mouse(int event, Fl_Window* window, int x, int y, int button = 1, int state = 0,
                   int clicks = 0);

  KyAppRecord* record_ = nullptr;
};

// Whether the framework answers the data commands yet (code 104 is not
// "Unknown command").
bool DataCommandsAvailable();
