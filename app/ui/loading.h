// The road from a user's request to a loaded data item, and the File/Recent
// files submenu.
#pragma once
#include <string>

#include "base/types.h"
#include "command/ky_command_args.h"

class Fl_Widget;
class Fl_Menu_;

// Loads (code 98); on success builds the workspace on the first load, adds
// the item's page, records the file as the newest recent file and marks the
// item as loaded. Answers the load's error code.
Dword LoadDataAndRebuild(LoadDataArgs* args);
void AddRecentFileMenuEntry();
// Puts a file at the top of the Recent files submenu, removing an older
// entry of the same path; only Bruker folders (data type 8) are offered.
void AddRecentFileToMenu(Fl_Menu_* menu, const std::string& path, Qword type);
// Fills the Recent files submenu from the configuration file, inserting
// from `index` on.
void BuildRecentFilesMenu(Fl_Menu_* menu, int index);
// Menu callback; the item's user data is its RecentEntry.
void OnRecentFile(Fl_Widget* menu, void* entry);

// The menu label of a UTF-8 path: at most kRecentLabelMax characters (a
// longer path keeps its head and tail around "..."), escaped so that FLTK
// shows it as it is.
constexpr size_t kRecentLabelMax = 90;
std::string RecentMenuLabel(const std::string& path);
