// Trees and forests: pre-order walks against a recursive model of the same
// random forest, broadcasts, searches and subtree deletion.
#include "framework/ky_tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

struct Node : cKyTreeNode {
  Node(cKyTreeNode* parent, int i, std::vector<int>* deleted)
      : cKyTreeNode(parent), id(i), deleted_(deleted) {}
  ~Node() override { deleted_->push_back(id); }
  Qlong OnMessage(Dword message, void* argument) override {
    static_cast<std::vector<int>*>(argument)->push_back(id);
    return message == static_cast<Dword>(id) ? 1000 + id : 0;
  }
  int id;
  std::vector<int>* deleted_;
};

struct Forest {
  explicit Forest(unsigned seed, int n) : nodes(n), kids(n), parent(n, -1) {
    std::mt19937 rng(seed);
    for (int i = 0; i < n; ++i) {
      // Roughly a third top level, the rest below an earlier node.
      const int p = (i == 0 || rng() % 3 == 0) ? -1 : static_cast<int>(rng() % i);
      parent[i] = p;
      nodes[i] = new Node(p < 0 ? nullptr : nodes[p], i, &deleted);
      if (p < 0) {
        forest.Append(nodes[i]);
        tops.push_back(i);
      } else {
        kids[p].push_back(i);
      }
    }
  }
  // Recursive pre-order of the model.
  void PreOrder(int i, std::vector<int>* out) const {
    out->push_back(i);
    for (int k : kids[i]) PreOrder(k, out);
  }
  std::vector<int> All() const {
    std::vector<int> out;
    for (int t : tops) PreOrder(t, &out);
    return out;
  }

  std::vector<int> deleted;
  cKyForest forest;
  std::vector<Node*> nodes;
  std::vector<std::vector<int>> kids;
  std::vector<int> parent, tops;
};

Dword Record(cKyTreeNode* node, void* user) {
  static_cast<std::vector<int>*>(user)->push_back(static_cast<Node*>(node)->id);
  return 0;
}

TEST(KyTree, WalksMatchRecursivePreOrder) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    Forest f(seed, 40);
    std::vector<int> seen;
    EXPECT_EQ(f.forest.WalkTree(Record, &seen, nullptr), 0u);
    ASSERT_EQ(seen, f.All()) << "seed " << seed;
    // NextInTree without a root chains from one top-level node to the next.
    seen.clear();
    for (cKyTreeNode* n = f.nodes[f.tops[0]]; n; n = n->NextInTree(nullptr))
      seen.push_back(static_cast<Node*>(n)->id);
    ASSERT_EQ(seen, f.All());
    for (int i = 0; i < 40; ++i) {
      std::vector<int> want, got;
      f.PreOrder(i, &want);
      EXPECT_EQ(f.forest.WalkTree(Record, &got, f.nodes[i]), 0u);
      ASSERT_EQ(got, want) << "seed " << seed << " start " << i;
      ASSERT_EQ(f.nodes[i]->Parent(), f.parent[i] < 0 ? nullptr : f.nodes[f.parent[i]]);
    }
  }
}

TEST(KyTree, BroadcastStopsAtFirstNonZeroAnswer) {
  Forest f(7, 30);
  const std::vector<int> order = f.All();
  std::vector<int> visited;
  EXPECT_EQ(f.forest.Broadcast(9999, &visited, nullptr), 0u);  // nobody answers
  EXPECT_EQ(visited, order);
  const int target = order[17];
  visited.clear();
  EXPECT_EQ(f.forest.Broadcast(static_cast<Dword>(target), &visited, nullptr),
            static_cast<Dword>(1000 + target));
  EXPECT_EQ(visited, std::vector<int>(order.begin(), order.begin() + 18));
}

TEST(KyTree, DocumentedForestWalk) {
  std::vector<int> deleted;
  cKyForest forest;
  Node* first = new Node(nullptr, 1, &deleted);
  Node* second = new Node(nullptr, 5, &deleted);
  forest.Append(first);
  forest.Append(second);
  Node* c1 = new Node(first, 2, &deleted);
  new Node(c1, 3, &deleted);
  new Node(first, 4, &deleted);
  std::vector<int> seen;
  forest.WalkTree(Record, &seen, nullptr);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  seen.clear();
  forest.WalkTree(Record, &seen, c1);
  EXPECT_EQ(seen, (std::vector<int>{2, 3}));
  // The base handler answers 0 everywhere.
  cKyTreeNode plain;
  EXPECT_EQ(plain.OnMessage(1, nullptr), 0);
}

TEST(KyTree, FindInTreeIncludesTheNodeAndStaysInItsSubtree) {
  Forest f(11, 30);
  for (int i = 0; i < 30; ++i) {
    int key = i;
    auto is = [](cKyTreeNode* n, void* k) -> Dword {
      return static_cast<Node*>(n)->id == *static_cast<int*>(k);
    };
    EXPECT_EQ(f.nodes[i]->FindInTree(is, &key), f.nodes[i]);
    // A node outside the subtree is not found.
    std::vector<int> sub;
    f.PreOrder(i, &sub);
    for (int j = 0; j < 30; ++j) {
      key = j;
      const bool inside = std::find(sub.begin(), sub.end(), j) != sub.end();
      EXPECT_EQ(f.nodes[i]->FindInTree(is, &key), inside ? f.nodes[j] : nullptr);
    }
  }
}

TEST(KyTree, DeletingANodeDeletesItsSubtree) {
  Forest f(3, 40);
  // Pick a node with descendants.
  int victim = -1;
  for (int i = 0; i < 40 && victim < 0; ++i)
    if (f.kids[i].size() >= 2) victim = i;
  ASSERT_GE(victim, 0);
  std::vector<int> sub;
  f.PreOrder(victim, &sub);
  delete f.nodes[victim];
  std::sort(sub.begin(), sub.end());
  std::sort(f.deleted.begin(), f.deleted.end());
  EXPECT_EQ(f.deleted, sub);
  // The rest of the forest still walks, without the subtree.
  std::vector<int> want, seen;
  for (int i : f.All())
    if (!std::binary_search(sub.begin(), sub.end(), i)) want.push_back(i);
  f.forest.WalkTree(Record, &seen, nullptr);
  EXPECT_EQ(seen, want);
}

TEST(KyTree, UnownedChildOutlivesItsParentAsAFreeNode) {
  std::vector<int> deleted;
  Node* parent = new Node(nullptr, 1, &deleted);
  Node* keep = new Node(parent, 2, &deleted);
  keep->SetFlags(kKyItemNotOwned);
  new Node(parent, 3, &deleted);
  delete parent;
  // The derived destructor runs before the base one deletes the children.
  EXPECT_EQ(deleted, (std::vector<int>{1, 3}));
  EXPECT_EQ(keep->Parent(), nullptr);
  EXPECT_EQ(keep->Owner(), nullptr);
  EXPECT_EQ(keep->NextInTree(nullptr), nullptr);
  delete keep;
}

}  // namespace
