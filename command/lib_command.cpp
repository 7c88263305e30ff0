// The command frame and the record's own codes 1 and 2.
#include "command/lib_command.h"

#include <new>

#include "base/error_codes.h"
#include "base/platform/allocator.h"
#include "command/command_table.h"
#include "command/data_root.h"
#include "command/tree_changing.h"

namespace {

KyAppRecord* CreateRecord() {
  auto* record = static_cast<KyAppRecord*>(PlatformAlloc(sizeof(KyAppRecord)));
  if (record == nullptr) return nullptr;
  record->flags = 0;
  record->error = 0;
  record->command = kKyCmdCreate;
  record->reserved_pad = 0;
  record->callback = nullptr;
  record->argument = nullptr;
  record->result.u64 = 0;
  record->data_root = nullptr;
  return record;
}

// No C++ exception leaves the library: a handler that throws ends its
// command with an error code instead.
void RunHandler(Dword code, KyAppRecord* record) {
  const KyCommandHandler handler = KyCommandFind(code);
  if (handler == nullptr) {
    record->error = kErrUnknownCommand;
    return;
  }
  if (KyDataRefuseDuringTask(record)) return;
  try {
    handler(record);
  } catch (const std::bad_alloc&) {
    record->error = kErrAlloc;
  } catch (...) {
    record->error = kErrInternal;
  }
}

}  // namespace

VELTRIA_API KyAppRecord* LibCommand(Dword code, KyAppRecord* record) {
  if (code == kKyCmdCreate) return CreateRecord();
  if (record == nullptr) return nullptr;
  if (code == kKyCmdFree) {
    // A message handler of a task run would free the record and the tree
    // under the running engine: the record stays, with 46.
    if (KyDataTaskRunning() && KyCommandChangesTree(code)) {
      record->error = kErrImpossibleTask;
      return record;
    }
    KyFreeDataTree(record);
    PlatformFree(record);
    return nullptr;
  }
  void* const kept = record->argument;
  record->error = 0;
  record->command = code;
  KySendMessage(record, kKyMsgBegin);
  RunHandler(code, record);
  record->argument = kept;
  KySendMessage(record, kKyMsgEnd);
  if ((record->flags & (kKyFlagKeepCommand1 | kKyFlagKeepCommand2)) == 0) record->command = 0;
  if (record->error != 0) KySendMessage(record, kKyMsgError);
  return record;
}
