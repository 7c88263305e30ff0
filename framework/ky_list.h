// Intrusive lists: every item carries the links of two independent orderings
// (A and B) of the list that owns it. Forward traversal follows ordering B;
// deletion and the backward search follow ordering A from its end.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

class cKyList;
class cKyTreeNode;

// Item flag bits; the other bits belong to derived classes.
enum : Dword {
  kKyItemNotOwned = 0x80000000u,  // deleting through the list only unlinks it
  kKyItemPinned = 0x40000000u,    // Unlink does nothing
};

class VELTRIA_CLASS cKyListItem {
 public:
  explicit cKyListItem(Dword flags = 0) { Reset(flags); }
  virtual ~cKyListItem();
  cKyListItem(const cKyListItem&) = delete;
  cKyListItem& operator=(const cKyListItem&) = delete;

  // Removes the item from both orderings of its owner; nothing when it is
  // free or pinned.
  void Unlink();
  void Reset(Dword flags);
  // Next item of ordering B, null at the end.
  cKyListItem* Next() const { return next_b_; }

  Dword Flags() const { return flags_; }
  void SetFlags(Dword flags) { flags_ = flags; }
  Long Sequence() const { return sequence_; }
  cKyList* Owner() const { return owner_; }
  cKyListItem* NextA() const { return next_a_; }
  cKyListItem* PrevA() const { return prev_a_; }
  cKyListItem* NextB() const { return next_b_; }
  cKyListItem* PrevB() const { return prev_b_; }

 protected:
  Dword flags_;

 private:
  friend class cKyList;
  // Unlinks whatever the pin says: an item that goes away must not stay
  // linked into its list.
  void Detach();

  cKyListItem* next_a_;
  cKyListItem* prev_a_;
  cKyListItem* next_b_;
  cKyListItem* prev_b_;
  Long sequence_;
  cKyList* owner_;
};

// Predicates and callbacks of the searches and walks.
typedef Dword (*KyItemPredicate)(cKyListItem* item, void* user);
typedef Dword (*KyNodeCallback)(cKyTreeNode* node, void* user);

class VELTRIA_CLASS cKyList {
 public:
  cKyList() = default;
  virtual ~cKyList();
  cKyList(const cKyList&) = delete;
  cKyList& operator=(const cKyList&) = delete;

  // Moves the item to the tail of both orderings; 0, also for null. A pinned
  // item of another list cannot leave it: 26, nothing changes.
  LibErrorCode Append(cKyListItem* item);
  LibErrorCode Add(cKyListItem* item) { return item ? Append(item) : kErrNone; }
  // 12 for an item of another list or of none; else unlinks it and deletes
  // it unless it is not owned (bit 31).
  LibErrorCode DeleteItem(cKyListItem* item);
  // DeleteItem of every item from the end of ordering A; with reset the
  // sequence and removal counters restart at 0.
  LibErrorCode DeleteAll(bool reset);

  cKyListItem* First() const { return first_b_; }
  // Last item of ordering A, walking backwards, for which the predicate's
  // lowest byte is non-zero; null when none.
  cKyListItem* FindLast(KyItemPredicate predicate, void* user) const;
  // Pre-order walk of the tree nodes (the start node's subtree, or every
  // top-level item of this list with its subtree); stops at and returns the
  // first non-zero result. The items must be cKyTreeNode objects.
  Dword WalkTree(KyNodeCallback callback, void* user, cKyTreeNode* start) const;
  // WalkTree calling cKyTreeNode::OnMessage of every node.
  Dword Broadcast(Dword message, void* argument, cKyTreeNode* start) const;

  Dword Count() const { return count_; }
  // Process-wide count of changes to the shape of any list (an item linked,
  // unlinked or moved). Derived trees key their cached navigation (heights,
  // indices) on it: while it stands still, no list anywhere has changed.
  static Qword ShapeCounter();
  // Count of changes to this list's own items (linked, unlinked, moved),
  // never reset: a cache of positions in this list alone keys on it.
  Qword OwnShapeCounter() const { return own_shape_; }
  Dword SequenceCounter() const { return sequence_counter_; }
  Dword RemovalCounter() const { return removal_counter_; }
  cKyListItem* FirstA() const { return first_a_; }
  cKyListItem* LastA() const { return last_a_; }
  cKyListItem* FirstB() const { return first_b_; }
  cKyListItem* LastB() const { return last_b_; }

 protected:
  // Lets a derived list reorder ordering B: moves one of its items to the
  // head of ordering B, ordering A untouched.
  void MoveToFrontB(cKyListItem* item);

 private:
  friend class cKyListItem;
  Dword count_ = 0;
  Dword sequence_counter_ = 0;
  Dword removal_counter_ = 0;
  Qword own_shape_ = 1;  // 1: a cache stamped 0 is never taken for current
  cKyListItem* first_a_ = nullptr;
  cKyListItem* last_a_ = nullptr;
  cKyListItem* first_b_ = nullptr;
  cKyListItem* last_b_ = nullptr;
};
