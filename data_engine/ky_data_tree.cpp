// Navigation of the data tree and the node flags.
#include <cmath>

#include "data_engine/ky_data.h"

void cKyData::AddChild(cKyData* child) {
  if (child) Append(child);
}

cKyData* cKyData::FirstChild() const { return static_cast<cKyData*>(First()); }

cKyData* cKyData::LastChild() const { return static_cast<cKyData*>(LastB()); }

cKyData* cKyData::NextSibling() const { return static_cast<cKyData*>(Next()); }

cKyData* cKyData::Child(Qword i) const {
  if (i >= Count()) return nullptr;
  cKyData* c = FirstChild();
  for (; c && i > 0; --i) c = c->NextSibling();
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
  Qword h = 0;
  for (const cKyData* c = FirstChild(); c; c = c->NextSibling()) {
    const Qword ch = c->Height() + 1;
    if (ch > h) h = ch;
  }
  return h;
}

Dword cKyData::SiblingCount() const {
  const cKyData* p = Parent();
  return p ? p->Count() : 0;
}

Dword cKyData::SiblingIndex() const {
  const cKyData* p = Parent();
  if (!p) return 0;
  Dword i = 0;
  for (const cKyData* c = p->FirstChild(); c && c != this; c = c->NextSibling()) ++i;
  return i;
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
