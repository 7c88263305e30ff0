// The version chain behind the root: each task run pushes a deep copy of
// the tree in front of it, undo and errors pop it again. The chain keeps the
// oldest version and the kKyUndoKeep most recent ones, so memory stays
// bounded however many runs are made. The whole-item restore does not depend
// on what the trim keeps: each item carries its as-loaded data, recorded at
// the first push that holds the item.
#include "data_engine/ky_data.h"

Qword KyDataPreviousCount(const cKyData* root) {
  Qword n = 0;
  for (const cKyData* v = root ? root->linked : nullptr; v; v = v->linked) ++n;
  return n;
}

Qword KyDataTrimPrevious(cKyData* root, Qword keep) {
  if (!root) return 0;
  const Qword count = KyDataPreviousCount(root);
  if (count <= keep + 1) return count;
  // The last kept recent version (or the root itself when none is kept).
  cKyData* last_kept = root;
  for (Qword i = 0; i < keep; ++i) last_kept = last_kept->linked;
  cKyData* doomed = last_kept->linked;
  cKyData* oldest = doomed;
  while (oldest->linked) oldest = oldest->linked;
  last_kept->linked = oldest;
  while (doomed != oldest) {
    cKyData* next = doomed->linked;
    doomed->linked = nullptr;
    delete doomed;
    doomed = next;
  }
  return keep + 1;
}

LibErrorCode KyDataKeepAsLoaded(cKyData* root) {
  if (!root) return kErrNone;
  for (cKyData* item = root->FirstChild(); item; item = item->NextSibling())
    if (const LibErrorCode e = item->KeepAsLoaded(); e != kErrNone) return e;
  return kErrNone;
}

cKyData* KyDataPushPrevious(cKyData** holder) {
  if (!holder || !*holder) return nullptr;
  // Recorded on the tree that becomes the previous version, so the copy and
  // every later version share it.
  if (KyDataKeepAsLoaded(*holder) != kErrNone) return nullptr;
  cKyData* copy = cKyData::NewCopy(**holder);
  if (!copy) return nullptr;
  delete copy->linked;  // a root's copy carries none; an item's companion is not a version
  copy->linked = *holder;
  *holder = copy;
  KyDataTrimPrevious(copy, kKyUndoKeep);
  return copy;
}

cKyData* KyDataPopPrevious(cKyData** holder) {
  if (!holder || !*holder || !(*holder)->linked) return nullptr;
  cKyData* old = *holder;
  *holder = old->linked;
  old->linked = nullptr;
  delete old;
  return *holder;
}
