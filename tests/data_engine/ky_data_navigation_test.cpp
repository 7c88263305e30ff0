// The tree's navigation (Child, SiblingIndex, Height) under random changes
// of shape: nodes appended, moved to another parent and deleted between
// queries in random order, each answer checked against a plain walk of the
// child lists written here.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "data_engine/ky_data.h"

namespace {

cKyData* WalkChild(const cKyData* node, Qword i) {
  cKyData* c = node->FirstChild();
  for (; c && i > 0; --i) c = c->NextSibling();
  return c;
}

Qword WalkHeight(const cKyData* node) {
  Qword h = 0;
  for (const cKyData* c = node->FirstChild(); c; c = c->NextSibling())
    h = std::max(h, WalkHeight(c) + 1);
  return h;
}

Dword WalkIndex(const cKyData* node) {
  Dword i = 0;
  if (!node->Parent()) return 0;
  for (const cKyData* c = node->Parent()->FirstChild(); c != node; c = c->NextSibling()) ++i;
  return i;
}

void Collect(cKyData* node, std::vector<cKyData*>* out) {
  out->push_back(node);
  for (cKyData* c = node->FirstChild(); c; c = c->NextSibling()) Collect(c, out);
}

bool Inside(const cKyData* node, const cKyData* ancestor) {
  for (const cKyData* p = node; p; p = p->Parent())
    if (p == ancestor) return true;
  return false;
}

TEST(KyDataNavigation, CachedAnswersFollowEveryChangeOfShape) {
  for (const unsigned seed : {3u, 71u, 4099u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    cKyData root(0);
    for (int step = 0; step < 3000; ++step) {
      std::vector<cKyData*> nodes;
      Collect(&root, &nodes);
      cKyData* node = nodes[random() % nodes.size()];
      switch (random() % 8) {
        case 0:
        case 1:
          node->AddChild(new cKyData(0));
          break;
        case 2:
          if (node != &root) delete node;
          break;
        case 3: {
          // Moved under another node that is not inside it.
          cKyData* target = nodes[random() % nodes.size()];
          if (node != &root && !Inside(target, node)) target->AddChild(node);
          break;
        }
        default: {
          // Queries, several in a row so cached answers get reused.
          for (int q = 0; q < 4; ++q) {
            cKyData* asked = nodes[random() % nodes.size()];
            const Qword n = asked->ChildCount();
            const Qword i = random() % (n + 2);
            ASSERT_EQ(asked->Child(i), WalkChild(asked, i)) << "child " << i << " of " << n;
            ASSERT_EQ(asked->Height(), WalkHeight(asked));
            ASSERT_EQ(asked->SiblingIndex(), WalkIndex(asked));
          }
          break;
        }
      }
    }
  }
}

TEST(KyDataNavigation, ChildByIndexInEveryOrder) {
  cKyData root(0);
  std::vector<cKyData*> made;
  for (int i = 0; i < 40; ++i) {
    made.push_back(new cKyData(0));
    root.AddChild(made.back());
  }
  // Forward, backward and jumping about, from a cursor left anywhere.
  std::mt19937 random(5);
  for (int k = 0; k < 400; ++k) {
    const Qword i = k < 40 ? k : k < 80 ? 79 - k : random() % 40;
    ASSERT_EQ(root.Child(i), made[i]) << i;
    ASSERT_EQ(made[i]->SiblingIndex(), i);
  }
  EXPECT_EQ(root.Child(40), nullptr);
}

}  // namespace
