// Menu entries and buttons whose windows are not in this build yet (the
// processing setup, Run Processing, Run Calibration, export, manual and
// About). Each says so instead of doing nothing.
#include "app/ui/fltk_hooks.h"
#include "app/ui/main_window.h"

namespace {
void NotYet(const char* what) {
  std::string text = std::string(what) + " is not available in this version.";
  AppAlert(text.c_str());
}
}  // namespace

void BuildSetupDialog() {}
void DeleteSetupDialog() {}
void OnSetupMenu(Fl_Widget*, void*) { NotYet("The processing setup"); }
void OnRunProcessing(Fl_Widget*, void*) { NotYet("Run Processing"); }
void OnRunCalibration(Fl_Widget*, void*) { NotYet("Run Calibration"); }
void ShowExportDialog(Fl_Widget*, void*) { NotYet("Export"); }
void OnManual(Fl_Widget*, void*) { NotYet("The manual"); }
void ShowAboutBox(Fl_Widget*, void*) { NotYet("The About box"); }
