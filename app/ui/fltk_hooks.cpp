#include "app/ui/fltk_hooks.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_ask.H>

#include <cstring>

#include "base/platform/ui_hooks.h"

namespace {

Long FltkMessageBox(const std::string& title, const std::string& text, UiMessageType type) {
  if (!title.empty()) fl_message_title(title.c_str());
  switch (type) {
    case kUiQuestionYesNo:
      return fl_choice("%s", "No", "Yes", nullptr, text.c_str()) == 1 ? 1 : 0;
    case kUiQuestionYesNoCancel:
      switch (fl_choice("%s", "Cancel", "Yes", "No", text.c_str())) {
        case 1:
          return 1;
        case 2:
          return 0;
        default:
          return -1;
      }
    case kUiInformation:
      fl_message("%s", text.c_str());
      return 1;
    default:
      fl_alert("%s", text.c_str());
      return 1;
  }
}

bool FltkFileDialog(const UiFileDialogRequest& request, std::string* paths) {
  Fl_Native_File_Chooser chooser;
  int type = Fl_Native_File_Chooser::BROWSE_FILE;
  if (request.save)
    type = Fl_Native_File_Chooser::BROWSE_SAVE_FILE;
  else if (request.multiple)
    type = Fl_Native_File_Chooser::BROWSE_MULTI_FILE;
  chooser.type(type);
  chooser.title(request.title.c_str());
  const std::string filter = FltkFilterFromHookFilter(request.filter);
  if (!filter.empty()) chooser.filter(filter.c_str());
  if (!request.folder.empty()) chooser.directory(request.folder.c_str());
  if (!request.file.empty()) chooser.preset_file(request.file.c_str());
  int options = Fl_Native_File_Chooser::NO_OPTIONS;
  if (request.save) options |= Fl_Native_File_Chooser::SAVEAS_CONFIRM;
  chooser.options(options);
  if (chooser.show() != 0) return false;
  paths->clear();
  for (int i = 0; i < chooser.count(); ++i) {
    if (i > 0) paths->push_back('\n');
    paths->append(chooser.filename(i));
  }
  return !paths->empty();
}

bool FltkFolderDialog(const std::string& title, const std::string& start, std::string* folder) {
  Fl_Native_File_Chooser chooser;
  chooser.type(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
  chooser.title(title.c_str());
  if (!start.empty()) chooser.directory(start.c_str());
  if (chooser.show() != 0 || chooser.filename() == nullptr || chooser.filename()[0] == 0)
    return false;
  *folder = chooser.filename();
  return true;
}

// FLTK hands pasted text to a widget as an event; this one only waits for
// it.
class PasteReceiver : public Fl_Widget {
 public:
  PasteReceiver() : Fl_Widget(0, 0, 0, 0) {}
  void draw() override {}
  int handle(int event) override {
    if (event != FL_PASTE) return 0;
    text.assign(Fl::event_text(), static_cast<size_t>(Fl::event_length()));
    done = true;
    return 1;
  }
  std::string text;
  bool done = false;
};

bool FltkClipboardGet(std::string* text) {
  // Not a child of whatever group is being built just now.
  Fl_Group* const open_group = Fl_Group::current();
  Fl_Group::current(nullptr);
  PasteReceiver receiver;
  Fl_Group::current(open_group);
  Fl::paste(receiver, 1);
  // The owner answers through the X server; every wait is bounded.
  for (int i = 0; i < 40 && !receiver.done; ++i) Fl::wait(0.05);
  if (!receiver.done || receiver.text.empty()) return false;
  *text = receiver.text;
  return true;
}

bool FltkClipboardSet(const std::string& text) {
  Fl::copy(text.c_str(), static_cast<int>(text.size()), 1);
  return true;
}

void FltkBeep(Dword, Dword) { fl_beep(FL_BEEP_MESSAGE); }

void FltkPump() { Fl::check(); }

}  // namespace

std::string FltkFilterFromHookFilter(const std::string& filter) {
  std::string out;
  size_t at = 0;
  while (at < filter.size()) {
    size_t end = filter.find('\n', at);
    if (end == std::string::npos) end = filter.size();
    const std::string line = filter.substr(at, end - at);
    at = end + 1;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::string name = line.substr(0, tab);
    std::string patterns = line.substr(tab + 1);
    std::string fltk;
    int count = 0;
    size_t p = 0;
    while (p <= patterns.size()) {
      size_t semi = patterns.find(';', p);
      if (semi == std::string::npos) semi = patterns.size();
      std::string one = patterns.substr(p, semi - p);
      p = semi + 1;
      // "ser; fid": blanks around a pattern are not part of it.
      while (!one.empty() && one.front() == ' ') one.erase(0, 1);
      while (!one.empty() && one.back() == ' ') one.pop_back();
      if (one.empty()) continue;
      if (one == "*.*") one = "*";
      if (count++ > 0) fltk += ',';
      fltk += one;
    }
    if (count == 0) continue;
    if (count > 1) fltk = "{" + fltk + "}";
    // A tab or line break inside a name would start a new field.
    for (char& c : name)
      if (c == '\t' || c == '\n') c = ' ';
    if (!out.empty()) out += '\n';
    out += name + '\t' + fltk;
  }
  return out;
}

void InstallFltkHooks() {
  // FLTK's own chooser: the GTK one that FLTK 1.3 loads at run time logs
  // tree-model assertions here and does not take a typed path reliably.
  Fl::option(Fl::OPTION_FNFC_USES_GTK, false);
  UiHooks hooks{};
  hooks.message_box = FltkMessageBox;
  hooks.file_dialog = FltkFileDialog;
  hooks.folder_dialog = FltkFolderDialog;
  // Opening documents keeps the library's own version (xdg-open).
  hooks.clipboard_get_text = FltkClipboardGet;
  hooks.clipboard_set_text = FltkClipboardSet;
  hooks.beep = FltkBeep;
  hooks.pump_messages = FltkPump;
  UiHooksInstall(&hooks);
}

void AppAlert(const char* text) { UiHooksGet().message_box("Pelorin", text, kUiWarning); }

bool AppAsk(const char* text) {
  return UiHooksGet().message_box("Pelorin", text, kUiQuestionYesNo) == 1;
}

void AppBeep() { UiHooksGet().beep(0, 0); }
