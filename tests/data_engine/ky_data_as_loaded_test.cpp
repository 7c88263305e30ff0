// The as-loaded data an item carries: recorded once, restored exactly
// (values, parameters, blocks), shared by the item's copies whatever order
// they go in, dropped by Clear, recorded by a snapshot for the items that
// lack it. Oracle: a text of the item's fields saved before the changes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "data_engine/ky_data.h"
#include "tree_fixture.h"

namespace {

std::string Describe(const cKyData* node) {
  std::string s = "[" + std::to_string(node->rows) + "x" + std::to_string(node->points) + " s" +
                  std::to_string(node->processing_state);
  for (Qword i = 0; i < node->rows * node->points; ++i) {
    char b[32];
    std::snprintf(b, sizeof b, " %.17g", node->matrix[i]);
    s += b;
  }
  if (node->parameters.Text()) s += std::string(" {") + node->parameters.Text() + "}";
  for (const cKyData* c = node->FirstChild(); c; c = c->NextSibling()) s += Describe(c);
  return s + "]";
}

// An item of two blocks under a root.
cKyData* ItemOf(cKyData* root) {
  auto* item = new cKyData(0);
  item->parameters.AddEntry("NUC", "29Si", nullptr);
  item->AddChild(NewTestBlock(0, 0, 6));
  item->AddChild(NewTestBlock(0, 1, 6));
  root->AddChild(item);
  return item;
}

// Changes of every kind a run or a caller makes to an item.
void Process(cKyData* item) {
  item->Child(0)->Row(1)[2] = -7.25;
  ASSERT_EQ(item->Child(1)->ResizePoints(1, 0), 0u);
  ASSERT_EQ(item->parameters.Set("NUC", "13C"), 0u);
  item->processing_state = 1;
  item->AddChild(NewTestBlock(5, 5, 3));
}

TEST(KyDataAsLoaded, NoneRecordedMeansNothingToRestore) {
  cKyData root(0);
  cKyData* item = ItemOf(&root);
  Process(item);
  const std::string now = Describe(item);
  EXPECT_EQ(item->RestoreAsLoaded(), kErrMissingInputData);
  EXPECT_EQ(Describe(item), now);
}

TEST(KyDataAsLoaded, RestoredExactlyAndKeptForTheNextRestore) {
  cKyData root(0);
  cKyData* item = ItemOf(&root);
  const std::string loaded = Describe(item);
  ASSERT_EQ(item->KeepAsLoaded(), 0u);
  for (int round = 0; round < 3; ++round) {
    Process(item);
    ASSERT_NE(Describe(item), loaded);
    ASSERT_EQ(item->KeepAsLoaded(), 0u);  // an item keeps what it recorded first
    ASSERT_EQ(item->RestoreAsLoaded(), 0u);
    EXPECT_EQ(Describe(item), loaded) << round;
  }
}

TEST(KyDataAsLoaded, CopiesShareItInEveryOrderOfDeletion) {
  for (int first_gone = 0; first_gone < 2; ++first_gone) {
    cKyData root(0);
    cKyData* item = ItemOf(&root);
    const std::string loaded = Describe(item);
    ASSERT_EQ(item->KeepAsLoaded(), 0u);
    Process(item);
    std::unique_ptr<cKyData> copy(cKyData::NewCopy(*item));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->AsLoaded(), item->AsLoaded());
    cKyData* kept = copy.get();
    if (first_gone == 0) {
      delete item;
    } else {
      kept = item;
      copy.reset();
    }
    ASSERT_EQ(kept->RestoreAsLoaded(), 0u);
    EXPECT_EQ(Describe(kept), loaded);
  }
}

TEST(KyDataAsLoaded, ClearDropsIt) {
  cKyData root(0);
  cKyData* item = ItemOf(&root);
  ASSERT_EQ(item->KeepAsLoaded(), 0u);
  item->Clear();
  EXPECT_EQ(item->AsLoaded(), nullptr);
  EXPECT_EQ(item->RestoreAsLoaded(), kErrMissingInputData);
}

TEST(KyDataAsLoaded, ASnapshotRecordsItForItemsWithoutIt) {
  cKyData* held = new cKyData(0);
  cKyData* first = ItemOf(held);
  const std::string first_loaded = Describe(first);
  ASSERT_NE(KyDataPushPrevious(&held), nullptr);
  Process(held->Child(0));
  cKyData* second = ItemOf(held);
  const std::string second_loaded = Describe(second);
  Process(second);
  const std::string second_processed = Describe(second);
  // The second item was changed before any snapshot held it: that state is
  // what the next snapshot records.
  ASSERT_NE(KyDataPushPrevious(&held), nullptr);
  ASSERT_EQ(held->Child(0)->RestoreAsLoaded(), 0u);
  ASSERT_EQ(held->Child(1)->RestoreAsLoaded(), 0u);
  EXPECT_EQ(Describe(held->Child(0)), first_loaded);
  EXPECT_EQ(Describe(held->Child(1)), second_processed);
  EXPECT_NE(second_processed, second_loaded);
  delete held;
}

}  // namespace
