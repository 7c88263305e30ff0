// Deep copies and the version chain of the root.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cmath>
#include <cstring>

#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "node_invariants.h"
#include "support/alloc_failure.h"
#include "tree_fixture.h"

namespace {

cKyData* NewCompanion(double marker) {
  auto* c = new cKyData(0);
  c->SetSize(2, 2, 0, marker, marker);
  c->Row(0)[0] = marker;
  return c;
}

// Fills the named fields of an item so that a copy can be compared.
void Decorate(cKyData* item) {
  LibErrorCode e = kErrNone;
  item->experiment_name = EngineCopyA("Relax Curve", &e);
  item->folder = EngineCopyW(u"/data/run1", &e);
  item->x_unit = EngineCopyA("s", &e);
  item->parameters.AddEntry("NUC", "29Si", nullptr);
  item->results[3] = 1.5;
  item->processing_state = 2;
}

TEST(KyDataCopy, RootCopyDropsTheChainItemCopyKeepsItsCompanion) {
  cKyData* root = NewTestTree(2, 3, 4);
  Decorate(root->Child(1));
  root->Child(1)->linked = NewCompanion(9.0);
  root->linked = NewTestTree(1, 1, 2);  // a previous version
  cKyData* copy = cKyData::NewCopy(*root);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->linked, nullptr);
  EXPECT_EQ(copy->Height(), 2u);
  cKyData* item = copy->Child(1);
  ASSERT_NE(item->linked, nullptr);
  EXPECT_NE(item->linked, root->Child(1)->linked);
  EXPECT_EQ(item->linked->Row(0)[0], 9.0);
  EXPECT_STREQ(item->experiment_name, "Relax Curve");
  EXPECT_NE(item->experiment_name, root->Child(1)->experiment_name);
  EXPECT_EQ(std::u16string(item->folder), u"/data/run1");
  EXPECT_STREQ(item->x_unit, "s");
  char value[1024];
  EXPECT_GE(item->parameters.GetString("NUC", value), 0);
  EXPECT_STREQ(value, "29Si");
  EXPECT_EQ(item->results[3], 1.5);
  EXPECT_TRUE(std::isnan(item->results[0]));
  EXPECT_EQ(item->processing_state, 2u);
  EXPECT_EQ(item->Child(2)->Row(1)[0], 102.0);
  EXPECT_NE(item->Child(2)->matrix, root->Child(1)->Child(2)->matrix);
  ExpectNodeInvariants(*item->Child(2));
  delete copy;
  delete root;
}

// operator= replaces an item's companion: the old one is deleted, not
// leaked (LeakSanitizer checks), and Clear keeps it.
TEST(KyDataCopy, AssignmentReplacesTheCompanion) {
  cKyData* root = NewTestTree(2, 2, 4);
  root->Child(0)->linked = NewCompanion(1.0);
  root->Child(1)->linked = NewCompanion(2.0);
  *root->Child(0) = *root->Child(1);
  ASSERT_NE(root->Child(0)->linked, nullptr);
  EXPECT_EQ(root->Child(0)->linked->Row(0)[0], 2.0);
  EXPECT_EQ(root->Child(0)->Child(0)->Row(1)[0], 100.0);
  EXPECT_EQ(root->ChildCount(), 2u);
  root->Child(1)->Clear();
  EXPECT_NE(root->Child(1)->linked, nullptr);
  EXPECT_EQ(root->Child(1)->ChildCount(), 0u);
  // Assigning a node from its own subtree.
  *root->Child(0) = *root->Child(0)->Child(1);
  EXPECT_EQ(root->Child(0)->ChildCount(), 0u);
  EXPECT_EQ(root->Child(0)->Row(1)[0], 101.0);
  delete root;
}

// Each allocation of a deep copy fails in turn: the target keeps its old
// contents completely, and nothing leaks.
TEST(KyDataCopy, FailedCopyLeavesTheTargetUnchanged) {
  cKyData* source = NewTestTree(2, 3, 4);
  Decorate(source->Child(0));
  source->Child(0)->linked = NewCompanion(5.0);
  const Qlong needed = SweepAllocFailures(
      [&](AllocSweepStep& step) {
        cKyData* target = NewTestTree(1, 2, 3);
        target->Child(0)->Child(0)->Row(1)[0] = -1.0;
        const LibErrorCode e =
            step.Code([&] { return target->Child(0)->CopyFrom(*source->Child(0)); });
        if (e == kErrNone) {
          EXPECT_EQ(target->Child(0)->ChildCount(), 3u);
          EXPECT_STREQ(target->Child(0)->experiment_name, "Relax Curve");
        } else {
          cKyData* item = target->Child(0);
          EXPECT_EQ(item->ChildCount(), 2u);
          EXPECT_EQ(item->experiment_name, nullptr);
          EXPECT_EQ(item->parameters.EntryCount(), 0u);
          EXPECT_EQ(item->linked, nullptr);
          EXPECT_EQ(item->Child(0)->Row(1)[0], -1.0);
          EXPECT_EQ(item->Child(1)->points, 3u);
        }
        delete target;
      },
      200);
  EXPECT_GT(needed, 0);  // some step failed, and one succeeded
  delete source;
}

TEST(KyDataVersions, PushPushPopPopOnATwoItemTree) {
  cKyData* holder = NewTestTree(2, 1, 4);
  cKyData* original = holder;
  EXPECT_EQ(KyDataPopPrevious(&holder), nullptr);
  EXPECT_EQ(holder, original);
  ASSERT_NE(KyDataPushPrevious(&holder), nullptr);
  EXPECT_NE(holder, original);
  EXPECT_EQ(holder->linked, original);
  holder->Child(0)->Child(0)->Row(1)[0] = 11.0;
  ASSERT_NE(KyDataPushPrevious(&holder), nullptr);
  holder->Child(1)->Child(0)->Row(1)[0] = 22.0;
  EXPECT_EQ(KyDataPreviousCount(holder), 2u);
  EXPECT_EQ(holder->linked->Child(0)->Child(0)->Row(1)[0], 11.0);
  EXPECT_EQ(holder->linked->Child(1)->Child(0)->Row(1)[0], 100.0);
  ASSERT_NE(KyDataPopPrevious(&holder), nullptr);
  EXPECT_EQ(holder->Child(0)->Child(0)->Row(1)[0], 11.0);
  EXPECT_EQ(holder->Child(1)->Child(0)->Row(1)[0], 100.0);
  ASSERT_EQ(KyDataPopPrevious(&holder), original);
  EXPECT_EQ(holder->Child(0)->Child(0)->Row(1)[0], 0.0);
  EXPECT_EQ(holder->linked, nullptr);
  EXPECT_EQ(KyDataPopPrevious(&holder), nullptr);
  cKyData* none = nullptr;
  EXPECT_EQ(KyDataPushPrevious(&none), nullptr);
  EXPECT_EQ(KyDataPopPrevious(nullptr), nullptr);
  delete holder;
}

TEST(KyDataVersions, FailedPushLeavesTheHolder) {
  cKyData* holder = NewTestTree(2, 2, 4);
  cKyData* before = holder;
  {
    AllocFailureGuard fail(3);
    EXPECT_EQ(KyDataPushPrevious(&holder), nullptr);
  }
  EXPECT_EQ(holder, before);
  EXPECT_EQ(holder->linked, nullptr);
  delete holder;
}

// The chain keeps the oldest version and the kKyUndoKeep most recent ones.
TEST(KyDataVersions, TrimKeepsTheOldestAndTheLastK) {
  static_assert(kKyUndoKeep >= 10, "at least ten steps of undo");
  cKyData* holder = NewTestTree(1, 1, 2);
  holder->results[0] = 0;  // version number
  const Qword runs = kKyUndoKeep + 9;
  for (Qword run = 1; run <= runs; ++run) {
    ASSERT_NE(KyDataPushPrevious(&holder), nullptr);
    holder->results[0] = static_cast<double>(run);
    EXPECT_EQ(KyDataPreviousCount(holder), run < kKyUndoKeep + 1 ? run : kKyUndoKeep + 1);
  }
  std::vector<double> chain;
  for (cKyData* v = holder->linked; v; v = v->linked) chain.push_back(v->results[0]);
  ASSERT_EQ(chain.size(), kKyUndoKeep + 1);
  for (Qword i = 0; i < kKyUndoKeep; ++i) EXPECT_EQ(chain[i], static_cast<double>(runs - 1 - i));
  EXPECT_EQ(chain.back(), 0.0);  // the data as loaded
  EXPECT_EQ(KyDataTrimPrevious(holder, 0), 1u);
  EXPECT_EQ(holder->linked->results[0], 0.0);
  delete holder;
}

// A node that counts its destructions.
struct CountedData : cKyData {
  static inline Qword destroyed = 0;
  ~CountedData() override { ++destroyed; }
};

void* DeleteChain(void* root) {
  delete static_cast<cKyData*>(root);
  return nullptr;
}

// A long chain is deleted without one stack frame per version: it is
// deleted on a thread whose stack holds far fewer frames than versions, and
// every version's destructor runs once.
TEST(KyDataVersions, LongChainDeletesIteratively) {
  constexpr Qword kVersions = 200000;
  CountedData::destroyed = 0;
  cKyData* root = new CountedData;
  cKyData* tail = root;
  for (Qword i = 0; i < kVersions; ++i) {
    tail->linked = new CountedData;
    tail = tail->linked;
  }
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  // 1 MiB: a recursive delete needs tens of bytes per version, several MiB.
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, 1 << 20), 0);
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attributes, DeleteChain, root), 0);
  ASSERT_EQ(pthread_join(thread, nullptr), 0);
  pthread_attr_destroy(&attributes);
  EXPECT_EQ(CountedData::destroyed, kVersions + 1);
}

TEST(KyDataNames, DataTypeNames) {
  EXPECT_STREQ(DataTypeName(8), "BRUKER");
  EXPECT_STREQ(DataTypeName(12), "SIMULATION");
  EXPECT_STREQ(DataTypeName(15), "FFCPROFILE");
  EXPECT_EQ(DataTypeName(13), nullptr);
  EXPECT_EQ(DataTypeName(0), nullptr);
  EXPECT_EQ(DataTypeName(16), nullptr);
}

}  // namespace
