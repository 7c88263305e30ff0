// Files of one acquisition folder changed as a whole: every new file is
// written completely (and flushed) under a temporary name first; a journal
// in the folder then records the moves before any file is put in place, so
// an interruption at any moment leaves a folder that the next reader or
// writer completes (BrukerFolderRecover) to the whole new set, and a failed
// move puts back the whole old set.
#pragma once
#include <string>
#include <vector>

#include "base/types.h"

class BrukerFolderUpdate {
 public:
  explicit BrukerFolderUpdate(const std::string& folder);
  BrukerFolderUpdate(const BrukerFolderUpdate&) = delete;
  BrukerFolderUpdate& operator=(const BrukerFolderUpdate&) = delete;
  // Files staged but not put in place are removed; the folder keeps its
  // old files.
  ~BrukerFolderUpdate();
  // Writes the new contents of the file `name` (no folder) under a
  // temporary name. 0, or 48 (53 for a full disk).
  LibErrorCode Stage(const std::string& name, const std::string& bytes);
  // Puts every staged file in place. 0; or 48 (53 for a full disk) with
  // the folder's files as they were before.
  LibErrorCode Commit();

  struct Entry {
    std::string name, temp, previous;  // names in the folder; previous "" for a new file
    bool existed = false;
    Qlong handle = -1;
  };

 private:
  std::string folder_;
  std::vector<Entry> entries_;
};

// Holds the folder's lock while it lives: a save and a load of the same
// folder in two programs take turns, so a load never sees half a save.
class BrukerFolderLock {
 public:
  explicit BrukerFolderLock(const std::string& folder);
  BrukerFolderLock(const BrukerFolderLock&) = delete;
  BrukerFolderLock& operator=(const BrukerFolderLock&) = delete;
  ~BrukerFolderLock();

 private:
  Qlong handle_;
};

// Completes an update of the folder that was interrupted: its new files
// are put in place (or, when it was being undone, the old ones). 0 when
// there was nothing to do or the folder is whole again; 48 when the folder
// cannot be made whole (it must not be read then).
LibErrorCode BrukerFolderRecover(const std::string& folder);

// The journal's name inside the folder.
extern const char kBrukerUpdateJournal[];
