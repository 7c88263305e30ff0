#include "framework/command/data_root.h"

#include "data_engine/ky_data.h"
#include "framework/command/lib_command.h"

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
  // In console mode the console title is refreshed by the console front
  // end, which is not in this build yet.
}

const char16_t* KyDataItemFolder(KyAppRecord* record, Qword item) {
  if (record == nullptr || record->data_root == nullptr) return nullptr;
  const cKyData* node = record->data_root->Child(item);
  return node ? node->folder : nullptr;
}
