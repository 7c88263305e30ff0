// Service commands: error texts, the shell, the local time, releasing what
// other commands handed out, and the small fixed answers.
#include <cstdio>
#include <cstring>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/platform/allocator.h"
#include "base/time.h"
#include "command/command_table.h"
#include "command/command_testing.h"
#include "command/data_root.h"
#include "command/lib_command.h"
#include "framework/ky_list.h"

namespace {

bool g_clock_override = false;
SYSTEMTIME g_clock_time{};

}  // namespace

void KyCommandClockOverrideForTesting(const SYSTEMTIME* time) {
  g_clock_override = time != nullptr;
  if (time) g_clock_time = *time;
}

void CmdErrorText(KyAppRecord* record) {
  auto* args = static_cast<ErrorTextArgs*>(record->argument);
  if (args == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  args->wide = KyErrorString(args->code);
}

void CmdErrorTextA(KyAppRecord* record) {
  auto* args = static_cast<ErrorTextArgs*>(record->argument);
  if (args == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  args->narrow = KyErrorStringA(args->code);
}

void CmdShellOpen(KyAppRecord* record) {
  const auto* target = static_cast<const char16_t*>(record->argument);
  if (target == nullptr || target[0] == 0) {
    record->error = kErrUndefinedFile;
    return;
  }
  record->error = OsShellOpen(target);
}

void CmdLocalTime(KyAppRecord* record) {
  SYSTEMTIME now{};
  if (g_clock_override)
    now = g_clock_time;
  else
    tOsLocalTime(&now);
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%u-%u-%u %u:%u:%u", unsigned{now.wYear},
                              unsigned{now.wMonth}, unsigned{now.wDay}, unsigned{now.wHour},
                              unsigned{now.wMinute}, unsigned{now.wSecond});
  auto* result = static_cast<char*>(PlatformAlloc(static_cast<size_t>(n) + 1));
  if (result == nullptr) {
    record->error = kErrAlloc;
    return;
  }
  std::memcpy(result, text, static_cast<size_t>(n) + 1);
  record->result.pointer = result;
}

void CmdOpenItemFolder(KyAppRecord* record) {
  const auto item = reinterpret_cast<Qword>(record->argument);
  const char16_t* folder = KyDataItemFolder(record, item);
  // The shell's answer is not reported for an item's folder.
  if (folder != nullptr && folder[0] != 0) (void)OsShellOpen(folder);
}

void CmdKillObject(KyAppRecord* record) {
  // Every framework object handed out by a command is a list item (data
  // nodes, scene objects, plots): its virtual destructor frees the rest.
  auto** address = static_cast<cKyListItem**>(record->argument);
  if (address == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  KillObject(address);
}

void CmdKindTest(KyAppRecord* record) {
  const auto* words = static_cast<const Qword*>(record->argument);
  if (words == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  record->result.u64 = words[4] == 13 ? 13 : 0;
  KySendMessage(record, kKyMsgKindTested);
}

void CmdNotYetImplemented(KyAppRecord* record) { record->error = kErrNotYetImplemented; }

void CmdNothing(KyAppRecord*) {}

void CmdKill(KyAppRecord* record) {
  if (record->argument == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  KillPtr(record->argument);
}
