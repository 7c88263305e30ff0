// Linking and unlinking of list items in the two orderings.
#include "framework/ky_list.h"

namespace {
// Starts at 1 so that a cache stamped 0 is never taken for current.
Qword g_shape_counter = 1;
}  // namespace

Qword cKyList::ShapeCounter() { return g_shape_counter; }

cKyListItem::~cKyListItem() { Detach(); }

void cKyListItem::Reset(Dword flags) {
  flags_ = flags;
  next_a_ = prev_a_ = next_b_ = prev_b_ = nullptr;
  sequence_ = -1;
  owner_ = nullptr;
}

void cKyListItem::Unlink() {
  if (flags_ & kKyItemPinned) return;
  Detach();
}

void cKyListItem::Detach() {
  cKyList* list = owner_;
  if (!list) return;
  (next_a_ ? next_a_->prev_a_ : list->last_a_) = prev_a_;
  (prev_a_ ? prev_a_->next_a_ : list->first_a_) = next_a_;
  (next_b_ ? next_b_->prev_b_ : list->last_b_) = prev_b_;
  (prev_b_ ? prev_b_->next_b_ : list->first_b_) = next_b_;
  ++list->removal_counter_;
  --list->count_;
  ++list->own_shape_;
  ++g_shape_counter;
  Reset(flags_);
}

cKyList::~cKyList() {
  DeleteAll(true);
  // Pinned items that are not owned survive DeleteAll still linked; they
  // must not keep pointing at a list that is gone.
  while (last_a_) last_a_->Detach();
}

LibErrorCode cKyList::Append(cKyListItem* item) {
  if (!item) return kErrNone;
  if (item->owner_ && (item->flags_ & kKyItemPinned)) return kErrIllegalArgument;
  item->Unlink();
  item->prev_a_ = last_a_;
  item->next_a_ = nullptr;
  (last_a_ ? last_a_->next_a_ : first_a_) = item;
  last_a_ = item;
  item->prev_b_ = last_b_;
  item->next_b_ = nullptr;
  (last_b_ ? last_b_->next_b_ : first_b_) = item;
  last_b_ = item;
  item->owner_ = this;
  ++count_;
  ++sequence_counter_;
  ++own_shape_;
  ++g_shape_counter;
  item->sequence_ = static_cast<Long>(sequence_counter_);
  return kErrNone;
}

LibErrorCode cKyList::DeleteItem(cKyListItem* item) {
  if (!item) return kErrNone;
  if (item->owner_ != this) return kErrNotThisListItem;
  item->Unlink();
  if (!(item->flags_ & kKyItemNotOwned)) delete item;
  return kErrNone;
}

LibErrorCode cKyList::DeleteAll(bool reset) {
  LibErrorCode result = kErrNone;
  cKyListItem* item = last_a_;
  while (item) {
    cKyListItem* previous = item->prev_a_;
    result |= DeleteItem(item);
    item = previous;
  }
  if (reset) sequence_counter_ = removal_counter_ = 0;
  return result;
}

cKyListItem* cKyList::FindLast(KyItemPredicate predicate, void* user) const {
  if (!predicate) return nullptr;
  for (cKyListItem* item = last_a_; item; item = item->prev_a_)
    if (predicate(item, user) & 0xFFu) return item;
  return nullptr;
}

void cKyList::MoveToFrontB(cKyListItem* item) {
  if (!item || item->owner_ != this || item == first_b_) return;
  // Not the first, so it has a previous item.
  item->prev_b_->next_b_ = item->next_b_;
  if (item->next_b_)
    item->next_b_->prev_b_ = item->prev_b_;
  else
    last_b_ = item->prev_b_;
  item->prev_b_ = nullptr;
  item->next_b_ = first_b_;
  first_b_->prev_b_ = item;
  first_b_ = item;
  ++own_shape_;
  ++g_shape_counter;
}
