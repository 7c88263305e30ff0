// Tree nodes, pre-order walks and broadcasts.
#include "framework/ky_tree.h"

cKyTreeNode::cKyTreeNode(cKyTreeNode* parent) : cKyListItem(0), parent_(parent) {
  if (parent) parent->children_.Append(this);
}

cKyTreeNode::~cKyTreeNode() {
  // Children that the list does not own outlive this node: they become
  // top-level nodes instead of pointing at a parent that is gone.
  for (cKyListItem* item = children_.FirstA(); item; item = item->NextA())
    if (item->Flags() & kKyItemNotOwned) static_cast<cKyTreeNode*>(item)->parent_ = nullptr;
  children_.DeleteAll(true);
  Unlink();
}

Qlong cKyTreeNode::OnMessage(Dword, void*) { return 0; }

cKyTreeNode* cKyTreeNode::NextInTree(const cKyTreeNode* root) const {
  if (cKyTreeNode* child = FirstChild()) return child;
  if (this == root) return nullptr;
  if (cKyTreeNode* sibling = NextSibling()) return sibling;
  for (const cKyTreeNode* node = parent_; node; node = node->parent_) {
    if (node == root) return nullptr;
    if (cKyTreeNode* sibling = node->NextSibling()) return sibling;
  }
  return nullptr;
}

cKyTreeNode* cKyTreeNode::FindInTree(KyNodeCallback predicate, void* user) {
  if (!predicate) return nullptr;
  for (cKyTreeNode* node = this; node; node = node->NextInTree(this))
    if (predicate(node, user)) return node;
  return nullptr;
}

namespace {

Dword WalkSubtree(cKyTreeNode* root, KyNodeCallback callback, void* user) {
  for (cKyTreeNode* node = root; node; node = node->NextInTree(root))
    if (const Dword result = callback(node, user)) return result;
  return 0;
}

struct BroadcastArgs {
  Dword message;
  void* argument;
};

Dword SendMessage(cKyTreeNode* node, void* user) {
  const BroadcastArgs* args = static_cast<const BroadcastArgs*>(user);
  return static_cast<Dword>(node->OnMessage(args->message, args->argument));
}

}  // namespace

Dword cKyList::WalkTree(KyNodeCallback callback, void* user, cKyTreeNode* start) const {
  if (!callback) return 0;
  if (start) return WalkSubtree(start, callback, user);
  // Each top-level item with its own subtree: the walk stays inside this
  // list even when its items have parents elsewhere.
  for (cKyListItem* item = First(); item; item = item->Next())
    if (const Dword result = WalkSubtree(static_cast<cKyTreeNode*>(item), callback, user))
      return result;
  return 0;
}

Dword cKyList::Broadcast(Dword message, void* argument, cKyTreeNode* start) const {
  BroadcastArgs args{message, argument};
  return WalkTree(SendMessage, &args, start);
}
