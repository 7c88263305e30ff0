#include "app/ui/entry.h"

#include <cstdio>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/fltk_hooks.h"
#include "command/lib_command.h"

int PelorinMain() {
  AppState& app = App();
  app.info.mode = 2;
  for (int i = 0; i < 3; ++i) app.info.app_version[i] = kAppVersion[i];
  Dword room = app.info.text_capacity;
  if (room > sizeof app.info.title) room = sizeof app.info.title;
  std::snprintf(app.info.title, room, "%s %u.%u.%u", kAppName, kAppVersion[0], kAppVersion[1],
                kAppVersion[2]);

  KyAppRecord* record = LibCommand(kKyCmdCreate, nullptr);
  if (record == nullptr) return 8;
  app.record = record;
  record->callback = AppCommandCallback;
  app.info.draw_callback = CanvasDrawCallback;
  InstallFltkHooks();
  PlugInFormatReaders();
  record->argument = &app.info;
  LibCommand(kKyCmdRun, record);
  const int exit_code = static_cast<int>(record->error);
  app.record = LibCommand(kKyCmdFree, record);
  return exit_code;
}
