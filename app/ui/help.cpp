#include "app/ui/help.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Pixmap.H>

#include <cstdio>
#include <vector>

#include "app/core/bruker_files.h"
#include "app/ui/app_state.h"
#include "app/ui/commands.h"
#include "app/ui/export_dialog.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "base/utf.h"
#include "command/ky_commands.h"

namespace {

// Quiet: the caller says what went wrong. Answers the command's error.
Dword ShellOpen(const std::string& target, bool quiet) {
  std::vector<char16_t> wide(target.size() + 1);
  Utf8ToUtf16(target.c_str(), kNoIndex, wide.data(), wide.size());
  if (quiet) return RunQuietCommand(App().record, kKyCmdShellOpen, wide.data());
  return RunCommand(App().record, kKyCmdShellOpen, wide.data());
}

}  // namespace

std::string ManualPath() {
  char folder[4096];
  Utf16ToUtf8(App().info.exe_folder, kNoIndex, folder, sizeof folder);
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + kManualFileName;
}

void OnManual(Fl_Widget*, void*) {
  const std::string path = ManualPath();
  // Checked first: the desktop's opener reports a missing file only in its
  // own way, if at all.
  if (!BrukerFileExists(path)) {
    const std::string text = "Manual not found:\n" + path;
    AppAlert(text.c_str());
    return;
  }
  // The usual failure is a desktop without a program for HTML; the shell's
  // own error text would not tell the user where the guide is.
  if (ShellOpen(path, true) != 0) {
    const std::string text = "No viewer was found to open the manual.\nThe guide is at:\n" + path;
    AppAlert(text.c_str());
  }
}

void OnWebPage(Fl_Widget*, void*) { ShellOpen(kMakerWebAddress, false); }

void OnFeedbackMail(Fl_Widget*, void*) {
  ShellOpen(std::string("mailto:") + kMakerMailAddress + "?subject=Pelorin%20feedback", false);
}

std::string AboutText() {
  char text[512];
  std::snprintf(text, sizeof text, "%s\nan application by Norvale\ngraphics based on FLTK %.4f",
                AppVersionText(), Fl::version());
  return text;
}

void ShowAboutBox(Fl_Widget*, void*) {
  Fl_Group* const open_group = Fl_Group::current();
  Fl_Group::current(nullptr);
  auto* window = new Fl_Double_Window(500, 300, "About");
  window->size_range(500, 300, 500, 300);
  auto* web = new Fl_Button(175, 195, 150, 18, kMakerWebAddress);
  web->box(FL_NO_BOX);
  web->labelcolor(61440);
  web->visible_focus(0);
  web->callback(OnWebPage);
  static std::string mail_label;
  // "@@" is FLTK's escape of one at sign in a label.
  mail_label = kMakerMailAddress;
  mail_label.replace(mail_label.find('@'), 1, "@@");
  auto* mail = new Fl_Button(175, 213, 150, 18, mail_label.c_str());
  mail->box(FL_NO_BOX);
  mail->labelcolor(61440);
  mail->visible_focus(0);
  mail->callback(OnFeedbackMail);
  auto* box = new Fl_Box(20, 20, 460, 190);
  if (App().logo != nullptr) box->image(App().logo);
  box->copy_label(AboutText().c_str());
  box->labelsize(16);
  box->align(FL_ALIGN_INSIDE);
  auto* ok = new Fl_Button(200, 250, 100, 30, "OK");
  ok->callback(OnExportCancel, window);
  window->callback(OnExportCancel, window);
  window->end();
  Fl_Group::current(open_group);
  window->set_modal();
  window->show();
}
