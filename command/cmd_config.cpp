// The configuration-file commands: reading and writing the user's script,
// the recent files and the setup section.
#include <string>

#include "base/error_codes.h"
#include "command/command_table.h"
#include "command/config_file.h"
#include "command/ky_command_args.h"

namespace {

void Read(KyAppRecord* record, KyConfigSection section) {
  Dword error = 0;
  record->result.pointer = KyConfigRead(record, section, &error);
  record->error = error;
}

// Builds the body, then writes it; an empty text changes nothing.
void Write(KyAppRecord* record, KyConfigSection section, Dword built, const std::string& body) {
  if (built == static_cast<Dword>(-1)) return;
  record->error = built != 0 ? built : KyConfigWrite(record, section, body);
}

}  // namespace

void CmdReadUserScript(KyAppRecord* record) { Read(record, kKyConfigUserScript); }
void CmdReadRecentFiles(KyAppRecord* record) { Read(record, kKyConfigRecentFiles); }
void CmdReadSetup(KyAppRecord* record) { Read(record, kKyConfigSetup); }

void CmdWriteUserScript(KyAppRecord* record) {
  std::string body;
  const Dword built = KyConfigBuildScriptBody(static_cast<const char*>(record->argument), &body);
  Write(record, kKyConfigUserScript, built, body);
}

void CmdWriteSetup(KyAppRecord* record) {
  std::string body;
  const Dword built = KyConfigBuildSetupBody(static_cast<const char*>(record->argument), &body);
  Write(record, kKyConfigSetup, built, body);
}

void CmdAddRecentFile(KyAppRecord* record) {
  const auto* args = static_cast<const LoadDataArgs*>(record->argument);
  if (args == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  std::string entry;
  const Dword built = KyConfigBuildRecentEntry(args->text, args->data_type, &entry);
  Write(record, kKyConfigRecentFiles, built, entry);
}
