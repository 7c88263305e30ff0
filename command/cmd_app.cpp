// Code 3, running the application, and the framework's copy of the
// application information; code 102, freeing the data tree.
#include <cstdio>
#include <cstring>

#include "base/error_codes.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "command/command_table.h"
#include "command/command_testing.h"
#include "command/console_app.h"
#include "command/data_root.h"
#include "command/lib_command.h"

namespace {

constexpr Dword kLibVersion[3] = {1, 0, 483};

KyAppInfo& FrameworkInfo() {
  static KyAppInfo info = [] {
    KyAppInfo built;
    KyAppInfoInit(&built);
    return built;
  }();
  return info;
}

// Usable units of a text field, terminator included: the record's capacity,
// never more than the field holds, and room for the terminator at least.
Dword FieldUnits(const KyAppInfo* info) {
  Dword units = info->text_capacity;
  if (units > kKyTextCapacity) units = kKyTextCapacity;
  return units == 0 ? 1 : units;
}

void CopyCut(char16_t* field, const char16_t* text, Dword units) {
  Dword n = 0;
  if (text != nullptr)
    while (n + 1 < units && text[n] != 0) ++n;
  // A surrogate pair is never cut in half.
  if (n > 0 && text[n] != 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  if (n > 0) std::memcpy(field, text, n * sizeof(char16_t));
  field[n] = 0;
}

void FillOsText(char16_t* field, Dword id, Dword units) {
  char16_t* text = OsStringNewCopy(id);
  CopyCut(field, text, units);
  KillString(&text);
}

}  // namespace

const KyAppInfo* KyFrameworkAppInfo(void) { return &FrameworkInfo(); }

void KyFrameworkAppInfoResetForTesting(void) { KyAppInfoInit(&FrameworkInfo()); }

void CmdRunApplication(KyAppRecord* record) {
  auto* info = static_cast<KyAppInfo*>(record->argument);
  if (info == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  const Dword units = FieldUnits(info);
  std::memcpy(info->lib_version, kLibVersion, sizeof kLibVersion);
  char version[64];
  std::snprintf(version, sizeof version, "Veltria %u.%u.%u", kLibVersion[0], kLibVersion[1],
                kLibVersion[2]);
  char16_t wide[64];
  for (Dword i = 0; i < sizeof version; ++i) {
    wide[i] = static_cast<unsigned char>(version[i]);
    if (version[i] == 0) break;
  }
  CopyCut(info->lib_version_text, wide, units);
  FillOsText(info->exe_folder, kOsExecutableFolder, units);
  FillOsText(info->exe_name, kOsExecutableName, units);
  std::memcpy(&FrameworkInfo(), info, sizeof(KyAppInfo));

  if (info->mode == 2) {
    KySendMessage(record, kKyMsgBuildWindow);
    KySendMessage(record, kKyMsgRunWindow);
  } else if (FrameworkInfo().mode == 1) {
    ConAppMainMenu(0, record);
  }
}

void CmdFreeData(KyAppRecord* record) { KyFreeDataTree(record); }
