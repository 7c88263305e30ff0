// The command interface's reach into the data tree that the record owns.
// The data engine's node is wired in here, in one place, so the commands
// above it need not know the node's interface.
#pragma once
#include "base/error_codes.h"
#include "framework/ky_app_record.h"

// Deletes the record's data tree and sets the root to null.
void KyFreeDataRoot(KyAppRecord* record);

// Frees the data tree as codes 2 and 102 do: deletes it, then, when a tree
// existed, tells the windowed application (message 15).
void KyFreeDataTree(KyAppRecord* record);

// The folder of item `item` of the data tree as UTF-16, or null without a
// tree, without that item or without a folder. The text belongs to the node.
const char16_t* KyDataItemFolder(KyAppRecord* record, Qword item);

// Item `index` of the tree; null with *error 23 without a tree, 26 without
// that item.
cKyData* KyDataItem(KyAppRecord* record, Qword index, LibErrorCode* error);

// A task run (codes 122, 118, 95) is under way. Message handlers may issue
// commands during it; those that change the tree under the running engine
// (the table of tree_changing.h) are refused with 46 ("Impossible task").
bool KyDataTaskRunning();
// True (and the error field set to 46) when the record's command changes
// the tree and a task run is under way. The command frame asks this before
// every handler.
bool KyDataRefuseDuringTask(KyAppRecord* record);

// Marks a task run for its lifetime.
class KyDataTaskScope {
 public:
  KyDataTaskScope();
  ~KyDataTaskScope();
  KyDataTaskScope(const KyDataTaskScope&) = delete;
  KyDataTaskScope& operator=(const KyDataTaskScope&) = delete;
};
