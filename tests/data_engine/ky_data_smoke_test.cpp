#include <gtest/gtest.h>

#include "tree_fixture.h"

TEST(KyDataSmoke, TreeHeightsAndChildren) {
  cKyData* root = NewTestTree(3, 4, 8);
  EXPECT_EQ(root->Height(), 2u);
  EXPECT_EQ(root->ChildCount(), 3u);
  EXPECT_EQ(root->Child(1)->Height(), 1u);
  EXPECT_EQ(root->Child(3), nullptr);
  EXPECT_EQ(root->Child(2)->Child(3)->Parent(), root->Child(2));
  delete root;
}
