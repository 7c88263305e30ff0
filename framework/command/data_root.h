// The command interface's reach into the data tree that the record owns.
// The data engine's node is wired in here, in one place, so the commands
// above it need not know the node's interface.
#pragma once
#include "framework/ky_app_record.h"

// Deletes the record's data tree and sets the root to null.
void KyFreeDataRoot(KyAppRecord* record);

// Frees the data tree as codes 2 and 102 do: deletes it, then, when a tree
// existed, tells the windowed application (message 15).
void KyFreeDataTree(KyAppRecord* record);

// The folder of item `item` of the data tree as UTF-16, or null without a
// tree, without that item or without a folder. The text belongs to the node.
const char16_t* KyDataItemFolder(KyAppRecord* record, Qword item);
