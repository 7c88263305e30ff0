// Row operations of the data node: a table of steps on one node with the
// array invariants checked after each, and the allocation-failure paths.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "base/memory.h"
#include "data_engine/ky_data.h"
#include "node_invariants.h"
#include "support/alloc_failure.h"

namespace {

const double kA[4] = {1, 2, 3, 4};
const double kB[4] = {5, 6, 7, 8};
const double kC[4] = {9, 10, 11, 12};
const double kShort[3] = {1, 2, 3};

struct Step {
  const char* what;
  std::function<LibErrorCode(cKyData&)> op;
  LibErrorCode expected;
  Qword rows, points;
  std::function<void(cKyData&)> check;
};

void NoCheck(cKyData&) {}

TEST(KyDataRows, TableOfOperationsKeepsTheInvariants) {
  const std::vector<Step> steps = {
      {"append count 0 on an empty node", [](cKyData& n) { return n.AppendRow(kA, 0, nullptr); }, 0,
       0, 0, NoCheck},
      {"append null values", [](cKyData& n) { return n.AppendRow(nullptr, 4, nullptr); }, 0, 0, 0,
       NoCheck},
      {"first row sizes the matrix",
       [](cKyData& n) {
         Qword r = 7;
         LibErrorCode e = n.AppendRow(kA, 4, &r);
         EXPECT_EQ(r, 0u);
         return e;
       },
       0, 1, 4, [](cKyData& n) { EXPECT_EQ(n.Row(0)[3], 4.0); }},
      {"a row of another length is refused",
       [](cKyData& n) {
         Qword r = 7;
         LibErrorCode e = n.AppendRow(kShort, 3, &r);
         EXPECT_EQ(r, kNoIndex);
         return e;
       },
       kErrIllegalDataSize, 1, 4, [](cKyData& n) { EXPECT_EQ(n.Row(0)[0], 1.0); }},
      {"second row", [](cKyData& n) { return n.AppendRow(kB, 4, nullptr); }, 0, 2, 4,
       [](cKyData& n) {
         EXPECT_EQ(n.Row(1)[0], 5.0);
         EXPECT_EQ(n.Row(2), nullptr);
       }},
      {"mark row 1 and give it statistics",
       [](cKyData& n) {
         n.row_flags[1] = 7;
         *n.StatisticSlot(1, 9) = 0.5;
         *n.StatisticSlot(1, 0) = 42;
         n.point_flags[2] = 1;
         return n.AppendRow(kC, 4, nullptr);
       },
       0, 3, 4,
       [](cKyData& n) {
         EXPECT_EQ(n.row_flags[1], 7u);
         EXPECT_EQ(*n.StatisticSlot(1, 9), 0.5);
         EXPECT_EQ(*n.StatisticSlot(1, 0), 42.0);
         EXPECT_EQ(n.point_flags[2], 1u);
         EXPECT_TRUE(std::isnan(*n.StatisticSlot(2, 9)));
         EXPECT_EQ(n.row_flags[2], 0u);
         EXPECT_EQ(n.Row(1)[3], 8.0);
         EXPECT_EQ(n.Row(2)[3], 12.0);
       }},
      {"set row: wrong count", [](cKyData& n) { return n.SetRow(kShort, 3, 1); },
       kErrIllegalDataSize, 3, 4, NoCheck},
      {"set row: missing row", [](cKyData& n) { return n.SetRow(kA, 4, 3); }, kErrMissingInputData,
       3, 4, NoCheck},
      {"set row 2", [](cKyData& n) { return n.SetRow(kA, 4, 2); }, 0, 3, 4,
       [](cKyData& n) { EXPECT_EQ(n.Row(2)[0], 1.0); }},
      {"realloc growing the count is refused", [](cKyData& n) { return n.ReallocRows(4); },
       kErrIllegalArgument, 3, 4, NoCheck},
      {"store row appends a result row", [](cKyData& n) { return n.StoreRow(kB); }, 0, 4, 4,
       [](cKyData& n) {
         EXPECT_EQ(n.row_flags[3], 2u);
         EXPECT_EQ(n.Row(3)[1], 6.0);
       }},
      {"store row overwrites the result row", [](cKyData& n) { return n.StoreRow(kC); }, 0, 4, 4,
       [](cKyData& n) {
         EXPECT_EQ(n.Row(3)[1], 10.0);
         EXPECT_EQ(n.row_flags[3], 2u);
       }},
      {"row 0 is never a store target",
       [](cKyData& n) {
         n.row_flags[0] = 2;
         n.row_flags[3] = 0;
         return n.StoreRow(kA);
       },
       0, 5, 4,
       [](cKyData& n) {
         EXPECT_EQ(n.Row(0)[0], 1.0);
         EXPECT_EQ(n.row_flags[4], 2u);
         n.row_flags[0] = 0;
       }},
      {"set size keeps the scale and flags of the remaining rows",
       [](cKyData& n) { return n.SetSize(6, 2, 1, 0.0, 5.0); }, 0, 2, 6,
       [](cKyData& n) {
         EXPECT_EQ(n.row_flags[1], 7u);
         EXPECT_EQ(*n.StatisticSlot(1, 9), 0.5);
         EXPECT_TRUE(std::isnan(*n.StatisticSlot(1, 0)));
         EXPECT_EQ(n.Row(1)[0], 0.0);
       }},
      {"set size for overwriting keeps them too, with its grid",
       [](cKyData& n) {
         n.row_flags[1] = 5;
         return n.SetSizeToOverwrite(3, 2, 1, 2.0, 4.0);
       },
       0, 2, 3,
       [](cKyData& n) {
         EXPECT_EQ(n.row_flags[1], 5u);
         EXPECT_EQ(*n.StatisticSlot(1, 9), 0.5);
         EXPECT_TRUE(std::isnan(*n.StatisticSlot(1, 0)));
         EXPECT_EQ(n.point_flags[2], 0u);
         EXPECT_EQ(n.x_first, 2.0);
         EXPECT_EQ(n.x_last, 4.0);
         // Every value is the caller's to write.
         for (Qword r = 0; r < 2; ++r)
           for (Qword k = 0; k < 3; ++k) n.Row(r)[k] = static_cast<double>(10 * r + k);
         EXPECT_EQ(n.Row(1)[2], 12.0);
       }},
      {"set size to nothing", [](cKyData& n) { return n.SetSize(0, 3, 0, 1.0, 1.0); }, 0, 0, 0,
       NoCheck},
  };
  cKyData node(0);
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    EXPECT_EQ(s.op(node), s.expected);
    EXPECT_EQ(node.rows, s.rows);
    EXPECT_EQ(node.points, s.points);
    ExpectNodeInvariants(node);
    s.check(node);
  }
}

cKyData* AxisNode(Qword points, Qword rows, double first, double step) {
  auto* n = new cKyData(0);
  n->SetSize(points, rows, 1, first, first + step * static_cast<double>(points - 1));
  for (Qword r = 0; r < rows; ++r)
    for (Qword i = 0; i < points; ++i)
      n->Row(r)[i] =
          r == 0 ? first + step * static_cast<double>(i) : static_cast<double>(10 * r + i);
  return n;
}

TEST(KyDataRows, ResizePointsDoublesAndContinuesTheAxis) {
  cKyData* n = AxisNode(4, 3, 2.0, 0.5);
  n->row_flags[2] = 2;
  *n->StatisticSlot(1, 9) = 0.25;
  EXPECT_EQ(n->ResizePoints(1, 0), 0u);
  ExpectNodeInvariants(*n);
  ASSERT_EQ(n->points, 8u);
  for (Qword i = 0; i < 8; ++i) EXPECT_DOUBLE_EQ(n->Row(0)[i], 2.0 + 0.5 * static_cast<double>(i));
  EXPECT_EQ(n->Row(1)[3], 13.0);
  EXPECT_EQ(n->Row(1)[4], 0.0);
  EXPECT_EQ(n->Row(2)[7], 0.0);
  EXPECT_DOUBLE_EQ(n->x_last, 5.5);
  // The result row stays a result row and the normalisation scale stays.
  EXPECT_EQ(n->row_flags[2], 2u);
  EXPECT_EQ(*n->StatisticSlot(1, 9), 0.25);
  delete n;
}

// The heap holds freed memory full of other values (a block of the grown
// matrix's size, just released) where the grown matrix may land: every
// added value is still 0, every kept one its old value, and only the scale
// and row flags survive the resize.
TEST(KyDataRows, ResizePointsOverReusedMemory) {
  constexpr Qword kRows = 4, kPoints = 1000;
  cKyData* n = AxisNode(kPoints, kRows, 0.0, 0.001);
  for (Qword i = 0; i < kPoints; ++i) n->point_flags[i] = 5;
  *n->StatisticSlot(3, kKyStatMean) = 2.5;
  *n->StatisticSlot(3, kKyStatScale) = 0.5;
  Dword e = kErrNone;
  const double dirt = 7.0;
  double* used = NewRealArrFill(&e, kRows * 2 * kPoints, &dirt);
  ASSERT_NE(used, nullptr);
  KillPtr(&used);
  ASSERT_EQ(n->ResizePoints(1, 0), 0u);
  ExpectNodeInvariants(*n);
  ASSERT_EQ(n->points, 2 * kPoints);
  for (Qword r = 1; r < kRows; ++r)
    for (Qword i = 0; i < 2 * kPoints; ++i)
      ASSERT_EQ(n->Row(r)[i], i < kPoints ? static_cast<double>(10 * r + i) : 0.0)
          << "row " << r << " point " << i;
  for (Qword i = 0; i < 2 * kPoints; ++i) {
    ASSERT_NEAR(n->Row(0)[i], 0.001 * static_cast<double>(i), 1e-12) << i;
    ASSERT_EQ(n->point_flags[i], 0u) << i;
  }
  EXPECT_TRUE(std::isnan(*n->StatisticSlot(3, kKyStatMean)));
  EXPECT_EQ(*n->StatisticSlot(3, kKyStatScale), 0.5);
  EXPECT_EQ(n->x_last, n->Row(0)[2 * kPoints - 1]);
  delete n;
}

TEST(KyDataRows, ResizePointsCutsAndTakesTheLastKeptAxisValue) {
  cKyData* n = AxisNode(6, 2, 0.0, 1.0);
  EXPECT_EQ(n->ResizePoints(0, 3), 0u);
  ExpectNodeInvariants(*n);
  EXPECT_EQ(n->points, 3u);
  EXPECT_EQ(n->x_last, 2.0);
  EXPECT_EQ(n->Row(1)[2], 12.0);
  EXPECT_EQ(n->ResizePoints(0, 3), 0u);  // same count: nothing
  EXPECT_EQ(n->ResizePoints(0, 0), 0u);  // count 0: nothing
  EXPECT_EQ(n->points, 3u);
  delete n;
}

TEST(KyDataRows, ResizePointsRefusesWhatItCannotDo) {
  cKyData empty(0);
  EXPECT_EQ(empty.ResizePoints(1, 0), kErrMissingDataObject);
  // One point gives no spacing to continue: no division by zero.
  cKyData* one = AxisNode(1, 2, 3.0, 0.0);
  EXPECT_EQ(one->ResizePoints(1, 0), kErrIllegalParameters);
  EXPECT_EQ(one->points, 1u);
  delete one;
}

TEST(KyDataRows, ValueScaledSetsAMissingScaleToOne) {
  cKyData* n = AxisNode(4, 2, 0.0, 1.0);
  EXPECT_EQ(n->Value(2, 1, true), 12.0);
  EXPECT_EQ(*n->StatisticSlot(1, 9), 1.0);
  *n->StatisticSlot(1, 9) = 0.5;
  EXPECT_EQ(n->Value(2, 1, true), 6.0);
  EXPECT_EQ(n->Value(2, 1, false), 12.0);
  delete n;
}

TEST(KyDataRows, ExtractRowsWithFactor) {
  cKyData* n = AxisNode(3, 3, 0.0, 1.0);
  double* out = nullptr;
  Qword count = 0;
  EXPECT_EQ(n->ExtractRow(&out, &count, 1, 2.0), 0u);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(out[2], 24.0);
  KillPtr(&out);
  EXPECT_EQ(n->ExtractRow(&out, &count, 3, 1.0), kErrMissingInputData);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(n->ExtractComplexRows(&out, &count, 1, -1.0), 0u);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(out[0], -10.0);
  EXPECT_EQ(out[3], -20.0);
  EXPECT_EQ(out[5], -22.0);
  KillPtr(&out);
  EXPECT_EQ(n->ExtractComplexRows(&out, &count, 2, 1.0), kErrMissingInputData);
  delete n;
}

// Every allocation of an operation fails in turn: the node is either fully
// changed or exactly as before, never without its data.
TEST(KyDataRows, AllocationFailuresLeaveTheNodeUnchanged) {
  const std::vector<std::pair<const char*, std::function<LibErrorCode(cKyData&)>>> ops = {
      {"append", [](cKyData& n) { return n.AppendRow(kA, 4, nullptr); }},
      {"store", [](cKyData& n) { return n.StoreRow(kB); }},
      {"set size", [](cKyData& n) { return n.SetSize(4, 5, 1, 0.0, 3.0); }},
      {"set size for overwriting",
       [](cKyData& n) { return n.SetSizeToOverwrite(4, 5, 1, 0.0, 3.0); }},
      {"resize", [](cKyData& n) { return n.ResizePoints(2, 0); }},
  };
  for (const auto& [what, op] : ops) {
    SCOPED_TRACE(what);
    const Qlong needed = SweepAllocFailures(
        [&](AllocSweepStep& step) {
          cKyData* n = AxisNode(4, 3, 0.0, 1.0);
          const LibErrorCode e = step.Code([&] { return op(*n); });
          ExpectNodeInvariants(*n);
          if (e != kErrNone) {
            ASSERT_EQ(n->rows, 3u);
            ASSERT_EQ(n->points, 4u);
            EXPECT_EQ(n->Row(2)[3], 23.0);
            EXPECT_EQ(n->Row(0)[3], 3.0);
          }
          delete n;
        },
        8);
    EXPECT_GT(needed, 0) << what;  // some step failed, and one succeeded
  }
}

}  // namespace
