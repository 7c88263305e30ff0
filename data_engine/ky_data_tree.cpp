// Navigation of the data tree and the node flags. Heights and sibling
// indices are cached until any list changes shape, the position of Child
// until the node's own list does.
#include <cmath>

#include "data_engine/ky_data.h"

void cKyData::AddChild(cKyData* child) {
  if (child) Append(child);
}

cKyData* cKyData::FirstChild() const { return static_cast<cKyData*>(First()); }

cKyData* cKyData::LastChild() const { return static_cast<cKyData*>(LastB()); }

cKyData* cKyData::NextSibling() const { return static_cast<cKyData*>(Next()); }

cKyData* cKyData::Child(Qword i) const {
  const Qword n = Count();
  if (i >= n) return nullptr;
  // Walk from the nearest of the first child, the last child and the child
  // reached last time (valid while this node's own list keeps its shape:
  // changes deeper in the tree do not move it).
  const Qword now = OwnShapeCounter();
  cKyData* c = FirstChild();
  Qword at = 0;
  if (n - 1 - i < i) {
    c = LastChild();
    at = n - 1;
  }
  if (cursor_stamp_ == now && cursor_) {
    const Qword from_cursor = i > cursor_index_ ? i - cursor_index_ : cursor_index_ - i;
    const Qword from_end = i > at ? i - at : at - i;
    if (from_cursor < from_end) {
      c = cursor_;
      at = cursor_index_;
    }
  }
  for (; at < i; ++at) c = c->NextSibling();
  for (; at > i; --at) c = static_cast<cKyData*>(c->PrevB());
  cursor_ = c;
  cursor_index_ = i;
  cursor_stamp_ = now;
  return c;
}

// Children are only ever appended to a node's own list, so the owning list
// is the parent node.
cKyData* cKyData::Parent() const {
  cKyList* owner = Owner();
  return owner ? static_cast<cKyData*>(owner) : nullptr;
}

cKyData* cKyData::Root(Qword* depth) {
  cKyData* node = this;
  Qword steps = 0;
  while (cKyData* p = node->Parent()) {
    node = p;
    ++steps;
  }
  if (depth) *depth = steps;
  return node;
}

Qword cKyData::Depth() const {
  Qword d = 0;
  for (const cKyData* p = Parent(); p; p = p->Parent()) ++d;
  return d;
}

Qword cKyData::Height() const {
  const Qword now = ShapeCounter();
  if (height_stamp_ == now) return height_;
  Qword h = 0;
  for (const cKyData* c = FirstChild(); c; c = c->NextSibling()) {
    const Qword ch = c->Height() + 1;
    if (ch > h) h = ch;
  }
  height_ = h;
  height_stamp_ = now;
  return h;
}

Dword cKyData::SiblingCount() const {
  const cKyData* p = Parent();
  return p ? p->Count() : 0;
}

Dword cKyData::SiblingIndex() const {
  const cKyData* p = Parent();
  if (!p) return 0;
  const Qword now = ShapeCounter();
  if (sibling_stamp_ != now) {
    // One walk numbers every sibling.
    Dword i = 0;
    for (const cKyData* c = p->FirstChild(); c; c = c->NextSibling(), ++i) {
      c->sibling_index_ = i;
      c->sibling_stamp_ = now;
    }
  }
  return sibling_index_;
}

cKyData* cKyData::ParameterOwner() {
  for (cKyData* n = this; n; n = n->Parent())
    if (n->parameters.EntryCount() > 0) return n;
  return nullptr;
}

const char* cKyData::ExperimentName() {
  cKyData* owner = ParameterOwner();
  return owner ? owner->experiment_name : nullptr;
}

cKyData* cKyData::ChildWithMaxStatistic(Qword k) {
  cKyData* best = FirstChild();
  if (!best) return nullptr;
  double best_value = best->RowStatistic(1, k);
  for (cKyData* c = best->NextSibling(); c; c = c->NextSibling()) {
    const double v = c->RowStatistic(1, k);
    // Ties keep the earlier child; a child without a value never wins, but
    // one with a value beats an earlier one without.
    if (!std::isnan(v) && (std::isnan(best_value) || v > best_value)) {
      best = c;
      best_value = v;
    }
  }
  return best;
}

void cKyData::SetFlags(Dword bits, bool recursive) {
  node_flags |= bits;
  if (recursive)
    for (cKyData* c = FirstChild(); c; c = c->NextSibling()) c->SetFlags(bits, true);
}

void cKyData::ClearFlags(Dword bits, bool recursive) {
  node_flags &= ~bits;
  if (recursive)
    for (cKyData* c = FirstChild(); c; c = c->NextSibling()) c->ClearFlags(bits, true);
}

Dword cKyData::CountChildrenWithFlags(Dword bits, bool* all) const {
  Dword n = 0;
  for (const cKyData* c = FirstChild(); c; c = c->NextSibling())
    if (c->node_flags & bits) ++n;
  if (all) *all = n == Count();
  return n;
}
