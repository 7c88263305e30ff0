// Copies that share their matrix until written: whatever is done to one
// holder (writes through Row and SetRow, re-sizing, appended rows, a
// procedure that replaces the arrays, deletion in any order), every other
// holder keeps exactly the values it had, compared with values saved aside
// before. The sanitizer build checks that no shared array is freed twice or
// read after it went.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "data_engine/ky_data.h"
#include "tree_fixture.h"

namespace {

// Everything of a node's matrix and point flags, saved aside.
struct Saved {
  Qword rows = 0, points = 0;
  std::vector<double> values;
  std::vector<Dword> point_flags;
};

Saved Save(const cKyData& n) {
  Saved s{n.rows, n.points, {}, {}};
  if (n.matrix) s.values.assign(n.matrix, n.matrix + n.rows * n.points);
  if (n.point_flags) s.point_flags.assign(n.point_flags, n.point_flags + n.points);
  return s;
}

void ExpectSame(const cKyData& n, const Saved& s) {
  ASSERT_EQ(n.rows, s.rows);
  ASSERT_EQ(n.points, s.points);
  ASSERT_TRUE(n.matrix != nullptr || s.values.empty());
  for (Qword i = 0; i < s.values.size(); ++i) ASSERT_EQ(n.matrix[i], s.values[i]) << i;
  for (Qword i = 0; i < s.point_flags.size(); ++i)
    ASSERT_EQ(n.point_flags[i], s.point_flags[i]) << i;
}

struct Change {
  const char* what;
  std::function<void(cKyData*)> apply;
};

TEST(KyDataSharing, EveryChangeOfOneHolderLeavesTheOthers) {
  const double row[8] = {9, 8, 7, 6, 5, 4, 3, 2};
  const std::vector<Change> changes = {
      {"write through Row", [](cKyData* n) { n->Row(1)[3] = -42.5; }},
      {"SetRow", [&row](cKyData* n) { EXPECT_EQ(n->SetRow(row, 8, 2), 0u); }},
      {"AppendRow", [&row](cKyData* n) { EXPECT_EQ(n->AppendRow(row, 8, nullptr), 0u); }},
      {"StoreRow", [&row](cKyData* n) { EXPECT_EQ(n->StoreRow(row), 0u); }},
      {"ResizePoints", [](cKyData* n) { EXPECT_EQ(n->ResizePoints(1, 0), 0u); }},
      {"SetSize", [](cKyData* n) { EXPECT_EQ(n->SetSize(5, 2, 0, 0.0, 1.0), 0u); }},
      {"FreeMatrix", [](cKyData* n) { n->FreeMatrix(); }},
      {"Clear", [](cKyData* n) { n->Clear(); }},
      {"CopyFrom another node",
       [](cKyData* n) {
         std::unique_ptr<cKyData> other(NewTestBlock(7, 7, 4));
         EXPECT_EQ(n->CopyFrom(*other), 0u);
       }},
      {"WINDOW replaces the arrays",
       [](cKyData* n) {
         EXPECT_EQ(n->RunTaskCommand("WINDOW, 5, 0, 0, , 0, -1, 3", nullptr), 0u);
       }},
      {"WINDOW marks points",
       [](cKyData* n) { EXPECT_EQ(n->RunTaskCommand("WINDOW, 1, 0, 0, , 2, 5", nullptr), 0u); }},
  };
  for (const Change& change : changes) {
    // Holder `which` of three is changed; the other two must keep their data.
    for (int which = 0; which < 3; ++which) {
      SCOPED_TRACE(std::string(change.what) + ", holder " + std::to_string(which));
      std::unique_ptr<cKyData> a(NewTestBlock(1, 2, 8));
      std::unique_ptr<cKyData> b(cKyData::NewCopy(*a));
      std::unique_ptr<cKyData> c(cKyData::NewCopy(*b));
      ASSERT_TRUE(b && c);
      cKyData* holders[3] = {a.get(), b.get(), c.get()};
      EXPECT_EQ(a->matrix, c->matrix);  // shared, not copied
      const Saved before = Save(*a);
      change.apply(holders[which]);
      for (int other = 0; other < 3; ++other)
        if (other != which) ExpectSame(*holders[other], before);
      // The changed holder no longer shares anything with them.
      if (holders[which]->matrix) holders[which]->Row(0)[0] = 1e300;
      for (int other = 0; other < 3; ++other)
        if (other != which) ExpectSame(*holders[other], before);
    }
  }
}

TEST(KyDataSharing, HoldersDeletedInEveryOrder) {
  const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const auto& order : orders) {
    cKyData* holders[3];
    holders[0] = NewTestBlock(3, 1, 16);
    holders[1] = cKyData::NewCopy(*holders[0]);
    holders[2] = cKyData::NewCopy(*holders[1]);
    const Saved before = Save(*holders[0]);
    bool gone[3] = {false, false, false};
    for (int k = 0; k < 3; ++k) {
      delete holders[order[k]];
      gone[order[k]] = true;
      for (int i = 0; i < 3; ++i)
        if (!gone[i]) ExpectSame(*holders[i], before);
    }
  }
}

TEST(KyDataSharing, SnapshotSharesUntilAProcedureWrites) {
  cKyData* root = NewTestTree(3, 2, 16);
  cKyData* held = root;
  ASSERT_NE(KyDataPushPrevious(&held), nullptr);
  const cKyData* previous = held->linked;
  ASSERT_EQ(previous, root);
  std::vector<Saved> before;
  for (Qword z = 0; z < 3; ++z)
    for (Qword b = 0; b < 2; ++b) {
      EXPECT_EQ(held->Child(z)->Child(b)->matrix, previous->Child(z)->Child(b)->matrix);
      before.push_back(Save(*previous->Child(z)->Child(b)));
    }
  // A step that rewrites every block of zone 1 in place and one that
  // replaces the arrays of zone 2.
  ASSERT_EQ(
      held->RunTask("#FUNCTION, 1, 0, 0z1, , 0, -1, 7 #WINDOW, 5, 0, 0z2, , 0, -1, 3", nullptr),
      0u);
  for (Qword z = 0; z < 3; ++z)
    for (Qword b = 0; b < 2; ++b) {
      SCOPED_TRACE("zone " + std::to_string(z) + " block " + std::to_string(b));
      ExpectSame(*previous->Child(z)->Child(b), before[z * 2 + b]);
      // Zone 0 was not touched: still one array for both versions.
      if (z == 0) {
        EXPECT_EQ(held->Child(z)->Child(b)->matrix, previous->Child(z)->Child(b)->matrix);
      }
    }
  // Undo gives the untouched tree back.
  ASSERT_NE(KyDataPopPrevious(&held), nullptr);
  for (Qword z = 0; z < 3; ++z)
    for (Qword b = 0; b < 2; ++b) ExpectSame(*held->Child(z)->Child(b), before[z * 2 + b]);
  delete held;
}

}  // namespace
