// The commands that change the data tree: they add, replace or delete
// nodes. A task run holds nodes of the tree while its message handlers may
// issue commands, so these are refused during a run; and the program's
// plots borrow the blocks they show, so it drops them around these.
#pragma once
#include "command/ky_commands.h"

inline constexpr Dword kKyTreeChangingCommands[] = {
    kKyCmdFree,             // 2: frees the record with its tree (outside the frame)
    kKyCmdCopyBlock,        // 94: appends an item
    kKyCmdRunTaskRecord,    // 95: snapshot, then the step changes nodes
    kKyCmdLoadData,         // 98: appends items, or replaces the tree's content
    kKyCmdFreeData,         // 102: deletes the tree
    kKyCmdUndoData,         // 115: the previous version replaces the tree
    kKyCmdRunDefaultTask,   // 118
    kKyCmdRunTaskScript,    // 122
    kKyCmdRestorePrevious,  // 143: an item becomes a copy of an older one
    kKyCmdRestoreOldest,    // 144
};

constexpr bool KyCommandChangesTree(Dword code) {
  for (Dword c : kKyTreeChangingCommands)
    if (c == code) return true;
  return false;
}
