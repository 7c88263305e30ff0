#include "command/data_root.h"

#include "command/console_app.h"
#include "command/lib_command.h"
#include "command/tree_changing.h"
#include "data_engine/ky_data.h"

void KyFreeDataRoot(KyAppRecord* record) {
  if (record == nullptr || record->data_root == nullptr) return;
  // The root owns its items and its previous versions; the node deletes
  // the version chain without recursion.
  delete record->data_root;
  record->data_root = nullptr;
}

void KyFreeDataTree(KyAppRecord* record) {
  const bool existed = record->data_root != nullptr;
  KyFreeDataRoot(record);
  if (!existed || record->data_root != nullptr) return;
  if (KyFrameworkAppInfo()->mode == 2) KySendMessage(record, kKyMsgTreeDeleted);
  if (KyFrameworkAppInfo()->mode == 1) ConAppRefreshTitle(0, record);
}

const char16_t* KyDataItemFolder(KyAppRecord* record, Qword item) {
  if (record == nullptr || record->data_root == nullptr) return nullptr;
  const cKyData* node = record->data_root->Child(item);
  return node ? node->folder : nullptr;
}

cKyData* KyDataItem(KyAppRecord* record, Qword index, LibErrorCode* error) {
  if (record == nullptr || record->data_root == nullptr) {
    *error = kErrMissingDataObject;
    return nullptr;
  }
  cKyData* item = record->data_root->Child(index);
  if (item == nullptr) *error = kErrIllegalArgument;
  return item;
}

namespace {
// Nesting of task runs (one thread; a run's handlers may start no other).
Dword g_task_depth = 0;
}  // namespace

KyDataTaskScope::KyDataTaskScope() { ++g_task_depth; }
KyDataTaskScope::~KyDataTaskScope() { --g_task_depth; }

bool KyDataTaskRunning() { return g_task_depth > 0; }

bool KyDataRefuseDuringTask(KyAppRecord* record) {
  if (!KyDataTaskRunning() || !KyCommandChangesTree(record->command)) return false;
  record->error = kErrImpossibleTask;
  return true;
}
