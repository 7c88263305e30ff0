#include "framework/command/data_root.h"

#include "framework/command/lib_command.h"

void KyFreeDataRoot(KyAppRecord* record) {
  if (record == nullptr || record->data_root == nullptr) return;
  // The data engine's delete of the node is wired here when the engine
  // joins the build; until then a root is left as it is (never freed with
  // the wrong destructor), and no deletion is reported.
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
  (void)item;
  if (record == nullptr || record->data_root == nullptr) return nullptr;
  // The item lookup is the data engine's; it is wired here with the
  // engine. Without it no item is found.
  return nullptr;
}
