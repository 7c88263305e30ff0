// Removing one array from a data layer's chain (the plot's overlay).
#include <gtest/gtest.h>

#include "framework/graphics/gw_data.h"

TEST(GwData, RemoveArrayRelinksTheChain) {
  const double v[3] = {1, 2, 3};
  cGwData data, other;
  cGwArr* a = data.AddArray(v, 3, 0, "a", 0, 0, true);
  cGwArr* b = data.AddArray(v, 3, 0, "b", 0, 0, true);
  cGwArr* c = data.AddArray(v, 3, 0, "c", 0, 0, false);
  cGwArr* foreign = other.AddArray(v, 3, 0, "x", 0, 0, false);
  EXPECT_EQ(data.Reference(), a);
  EXPECT_FALSE(data.RemoveArray(foreign));
  EXPECT_FALSE(data.RemoveArray(nullptr));
  EXPECT_TRUE(data.RemoveArray(b));
  EXPECT_EQ(a->next, c);
  EXPECT_EQ(c->previous, a);
  EXPECT_EQ(data.ArrayCount(), 2u);
  EXPECT_TRUE(data.RemoveArray(a));  // the first, also the reference
  EXPECT_EQ(data.FirstArray(), c);
  EXPECT_EQ(c->previous, nullptr);
  EXPECT_EQ(data.Reference(), c);
  EXPECT_TRUE(data.RemoveArray(c));
  EXPECT_EQ(data.FirstArray(), nullptr);
  EXPECT_EQ(data.LastArray(), nullptr);
  EXPECT_EQ(other.ArrayCount(), 1u);
}
