// Task runs with the undo snapshot around them (codes 122, 118, 95) and
// undo (code 115).
#include "command/command_table.h"
#include "command/data_root.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

namespace {

// Runs `task` on the root: a snapshot first (unless the record's no-undo
// flag is set), dropped again when the run fails, so a failed run leaves the
// tree exactly as it was. A snapshot that cannot be made stops the run
// before anything changes.
template <class Task>
void RunWithSnapshot(KyAppRecord* record, Task task) {
  if (KyDataRefuseDuringTask(record)) return;
  if (!record->data_root) {
    record->error = kErrMissingInputData;
    return;
  }
  const bool undo = !(record->flags & kKyFlagNoUndo);
  if (undo && !KyDataPushPrevious(&record->data_root)) {
    record->error = kErrAlloc;
    return;
  }
  LibErrorCode error;
  {
    KyDataTaskScope running;
    error = task(record->data_root);
  }
  record->error = error;
  if (error != kErrNone && undo) KyDataPopPrevious(&record->data_root);
}

}  // namespace

void CmdRunTaskScript(KyAppRecord* record) {
  const char* script = static_cast<const char*>(record->argument);
  RunWithSnapshot(record,
                  [record, script](cKyData* root) { return root->RunTask(script, record); });
}

void CmdRunDefaultTask(KyAppRecord* record) {
  RunWithSnapshot(record, [record](cKyData* root) { return root->RunTask(nullptr, record); });
}

void CmdRunTaskRecord(KyAppRecord* record) {
  Evp* evp = static_cast<Evp*>(record->argument);
  if (!evp) {
    record->error = kErrMissingArguments;
    return;
  }
  RunWithSnapshot(record, [record, evp](cKyData* root) { return root->ExecuteEvp(evp, record); });
}

void CmdUndoData(KyAppRecord* record) {
  record->result.pointer = nullptr;
  if (KyDataRefuseDuringTask(record)) return;
  if (!KyDataPopPrevious(&record->data_root)) return;
  KySendMessage(record, kKyMsgUndone);
  record->result.u64 = 1;
}
