#include "app/ui/loading.h"

#include <FL/Fl_Menu_.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include <cstring>
#include <memory>

#include "app/ui/app_state.h"
#include "app/ui/commands.h"
#include "app/ui/handlers.h"
#include "app/ui/workspace.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/paths.h"
#include "base/utf.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"

namespace {

const char kRecentMenu[] = "&File/Recent files";

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Cuts at a character boundary: the first `bytes` bytes, fewer when that
// would split a character.
std::string Head(const std::string& s, size_t bytes) {
  while (bytes > 0 && bytes < s.size() && IsContinuation(static_cast<unsigned char>(s[bytes])))
    --bytes;
  return s.substr(0, bytes);
}
std::string Tail(const std::string& s, size_t bytes) {
  size_t from = s.size() - bytes;
  while (from < s.size() && IsContinuation(static_cast<unsigned char>(s[from]))) ++from;
  return s.substr(from);
}

// Index range [first, end) of the entries of the Recent files submenu.
bool RecentRange(Fl_Menu_* menu, int* first, int* end) {
  const int title = menu->find_index(kRecentMenu);
  if (title < 0) return false;
  *first = title + 1;
  int i = *first;
  const Fl_Menu_Item* items = menu->menu();
  while (items[i].label() != nullptr) {
    // Entries are plain items; a nested submenu is not expected here.
    ++i;
  }
  *end = i;
  return true;
}

// Inserts an entry at `index`; its record lives in the application state.
void InsertRecent(Fl_Menu_* menu, int index, const std::string& path, Qword type) {
  auto entry = std::make_unique<RecentEntry>();
  entry->path = path;
  entry->data_type = type;
  std::string label = RecentMenuLabel(path);
  // Two long paths can share an elided label; a number tells them apart.
  int first = 0, end = 0;
  if (RecentRange(menu, &first, &end)) {
    for (int n = 2;; ++n) {
      bool taken = false;
      for (int i = first; i < end; ++i)
        if (std::strcmp(menu->menu()[i].label(), label.c_str()) == 0) taken = true;
      if (!taken) break;
      label = RecentMenuLabel(path) + " [" + std::to_string(n) + "]";
    }
  }
  menu->insert(index, label.c_str(), 0, OnRecentFile, entry.get());
  App().recent.push_back(std::move(entry));
}

void ForgetRecentEntry(const RecentEntry* entry) {
  auto& list = App().recent;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == entry) {
      list.erase(list.begin() + static_cast<long>(i));
      return;
    }
}

}  // namespace

std::string RecentMenuLabel(const std::string& path) {
  std::string shown = path;
  if (shown.size() > kRecentLabelMax) {
    const size_t keep = (kRecentLabelMax - 3) / 2;
    shown = Head(path, keep) + "..." + Tail(path, keep);
  }
  std::string label;
  // A label that starts with a slash is taken as a file name as it stands;
  // anything else is split at slashes into submenus unless escaped.
  const bool literal = !shown.empty() && shown[0] == '/';
  for (char c : shown) {
    if (c == '&') {
      label += "&&";
      continue;
    }
    if (!literal && (c == '/' || c == '\\')) label += '\\';
    label += c;
  }
  return label;
}

void OnOpenBrukerFid(Fl_Widget*, void*) {
  // The file is asked for here, not by the reader: a cancelled dialog is no
  // error, and a load that fails for it would raise the framework's box.
  char16_t* home = OsEnvironmentVariableNewCopy(u"HOME");
  char16_t* path = NewOsFileSelectDialog(u"Specify an existing Bruker data file", home, nullptr,
                                         u"Bruker data files (ser; fid)|ser; fid|All files|*.*|",
                                         kDialogMustExist, 0, nullptr);
  KillString(&home);
  if (path == nullptr) return;
  LoadDataArgs args{kKyDataBruker, path, kKyLoadPathRequired, nullptr};
  LoadDataAndRebuild(&args);
  KillString(&path);
}

Dword LoadDataAndRebuild(LoadDataArgs* args) {
  AppState& app = App();
  KyAppRecord* record = app.record;
  if (record == nullptr) return 23;
  const Dword error = RunCommand(record, kKyCmdLoadData, args);
  if (error != 0) return error;
  if (app.tabs == nullptr) BuildWorkspace();
  AddEvaluationPage();
  AddRecentFileMenuEntry();
  const Qword n = GetItemCount();
  if (n > 0) {
    const Dword loaded = 0;
    StateArgs state{static_cast<Qlong>(n - 1), &loaded};
    RunCommand(record, kKyCmdSetItemState, &state);
  }
  return 0;
}

void AddRecentFileMenuEntry() {
  AppState& app = App();
  KyAppRecord* record = app.record;
  const Qword n = GetItemCount();
  if (n == 0) return;
  const Qword k = n - 1;
  Qword type = 0;
  if (RunQuietCommand(record, kKyCmdItemDataType, ValueArgument(k)) == 0) type = record->result.u64;
  if (RunQuietCommand(record, kKyCmdItemFullPath, ValueArgument(k)) != 0 ||
      record->result.pointer == nullptr)
    return;
  char* utf8 = NewUtf8FromUtf16(static_cast<const char16_t*>(record->result.pointer));
  if (utf8 == nullptr) return;
  const std::string path(utf8);
  KillStringA(&utf8);

  AddRecentFileToMenu(app.menu_bar, path, type);
  LoadDataArgs args{type, nullptr, 0, path.c_str()};
  RunCommand(record, kKyCmdAddRecentFile, &args);
}

void AddRecentFileToMenu(Fl_Menu_* menu, const std::string& path, Qword type) {
  // Only Bruker folders can be opened from the menu.
  if (menu == nullptr || type != kKyDataBruker) return;
  int first = 0, end = 0;
  // An older entry of the same file goes; the comparison is of paths,
  // never of the (possibly cut) labels.
  while (RecentRange(menu, &first, &end)) {
    int found = -1;
    for (int i = first; i < end; ++i) {
      const auto* entry = static_cast<const RecentEntry*>(menu->menu()[i].user_data());
      if (entry != nullptr && entry->path == path) found = i;
    }
    if (found < 0) break;
    const auto* entry = static_cast<const RecentEntry*>(menu->menu()[found].user_data());
    menu->remove(found);
    ForgetRecentEntry(entry);
  }
  if (RecentRange(menu, &first, &end)) InsertRecent(menu, first, path, type);
}

void BuildRecentFilesMenu(Fl_Menu_* menu, int index) {
  KyAppRecord* record = App().record;
  if (menu == nullptr || index <= 0) return;
  if (RunQuietCommand(record, kKyCmdReadRecentFiles, nullptr) != 0) return;
  char* text = static_cast<char*>(record->result.pointer);
  if (text == nullptr) return;
  const char* p = text;
  while (*p == '"') {
    const char* start = ++p;
    while (*p != 0 && *p != '"') ++p;
    const std::string path(start, static_cast<size_t>(p - start));
    if (*p == '"') ++p;
    Qword type = 0;
    while (*p >= '0' && *p <= '9') type = type * 10 + static_cast<Qword>(*p++ - '0');
    // Only Bruker folders can be opened from here.
    if (type == kKyDataBruker && !path.empty()) InsertRecent(menu, index++, path, type);
    while (*p >= 1 && *p <= 32) ++p;
  }
  ReleaseCommandText(record, text);
}

void OnRecentFile(Fl_Widget*, void* data) {
  const auto* entry = static_cast<const RecentEntry*>(data);
  if (entry == nullptr) return;
  char16_t* wide = NewUtf16FromUtf8(entry->path.c_str());
  if (wide == nullptr) return;
  LoadDataArgs args{entry->data_type, wide, kKyLoadPathRequired, nullptr};
  LoadDataAndRebuild(&args);
  KillString(&wide);
}
