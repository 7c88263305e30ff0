// Trees and forests on the intrusive lists: a tree node is a list item with
// a list of children and a parent pointer; a forest is a list of top-level
// nodes. Walks run in depth-first pre-order along ordering B.
#pragma once
#include "framework/ky_list.h"

class cKyTreeNode : public cKyListItem {
 public:
  // With a parent, the new node becomes its last child.
  explicit cKyTreeNode(cKyTreeNode* parent = nullptr);
  // Deletes the subtree below (children not owned by their list survive as
  // free nodes), then unlinks the node itself.
  ~cKyTreeNode() override;

  // Answer to a broadcast message; the default answers 0.
  virtual Qlong OnMessage(Dword message, void* argument);

  cKyTreeNode* Parent() const { return parent_; }
  cKyList& Children() { return children_; }
  const cKyList& Children() const { return children_; }
  cKyTreeNode* FirstChild() const { return static_cast<cKyTreeNode*>(children_.First()); }
  cKyTreeNode* NextSibling() const { return static_cast<cKyTreeNode*>(Next()); }
  // The node after this one in pre-order, never leaving the subtree of
  // root; with root null the walk goes on to the next top-level node.
  cKyTreeNode* NextInTree(const cKyTreeNode* root) const;
  // First node in pre-order from this node inclusive (within its subtree)
  // for which the predicate is non-zero; null when none.
  cKyTreeNode* FindInTree(KyNodeCallback predicate, void* user);

 protected:
  cKyTreeNode* parent_;
  cKyList children_;
};

class cKyForest : public cKyList {
 public:
  cKyForest() = default;
  ~cKyForest() override = default;
};
