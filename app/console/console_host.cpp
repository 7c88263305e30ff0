// pelorin-console: the data application in console mode. It fills the
// application information for mode 1, creates the record and runs code 3,
// which shows the framework's console front end until the user leaves the
// Main menu. Like the windowed program it reads no command line.
#include <cstring>

#include "base/console_out.h"
#include "base/error_codes.h"
#include "command/lib_command.h"
#include "data_engine/evp.h"

namespace {

// Framework messages in console mode: the engine's step reports are shown;
// there is no reader or writer of other formats than the library's own;
// error reports are left to the menus, which show every failed action.
Dword HostCallback(Dword message, KyAppRecord* record) {
  switch (message) {
    case kKyMsgTaskReport: {
      const auto* evp = static_cast<const Evp*>(record->argument);
      if (evp != nullptr && evp->report != nullptr) CoutA(evp->report);
      return 0;
    }
    case kKyMsgReadRequest:
    case kKyMsgWriteRequest:
      return kErrUnknownDataSource;
    default:
      return 0;
  }
}

}  // namespace

int main() {
  static KyAppInfo info;
  KyAppInfoInit(&info);  // empty texts, no drawing callback
  info.mode = 1;
  info.app_version[0] = 1;
  info.app_version[1] = 0;
  info.app_version[2] = 483;
  std::strcpy(info.title, "Pelorin console");
  KyAppRecord* record = LibCommand(kKyCmdCreate, nullptr);
  if (record == nullptr) return 8;
  record->callback = HostCallback;
  record->argument = &info;
  LibCommand(kKyCmdRun, record);
  const int code = static_cast<int>(record->error);
  LibCommand(kKyCmdFree, record);
  return code;
}
