// Row statistics (closed-form values) and the merge of inverse-Laplace
// results into the companion node.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "data_engine/ky_data.h"
#include "node_invariants.h"

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

cKyData* NodeWithRows(const std::vector<std::vector<double>>& rows) {
  auto* n = new cKyData(0);
  n->SetSize(rows[0].size(), rows.size(), 1, 0.0, 1.0);
  for (Qword r = 0; r < rows.size(); ++r)
    for (Qword i = 0; i < rows[r].size(); ++i) n->Row(r)[i] = rows[r][i];
  return n;
}

TEST(KyDataStatistics, MeanMinimumMaximumOverWindows) {
  cKyData* n = NodeWithRows({{0, 1, 2, 3, 4}, {kNan, 3, -2, kInf, 7}, {10, 11, 12, 13, 14}});
  EXPECT_EQ(n->RowStatistic(2, kKyStatMean), 12.0);
  EXPECT_EQ(n->ComputeRowStatistic(2, kKyStatMean, 1, 2), 0u);
  EXPECT_EQ(*n->StatisticSlot(2, kKyStatMean), 11.5);
  // Non-finite values are skipped; both extremes are stored together.
  EXPECT_EQ(n->RowStatistic(1, kKyStatMin), -2.0);
  EXPECT_EQ(*n->StatisticSlot(1, kKyStatMax), 7.0);
  EXPECT_EQ(n->ComputeRowStatistic(1, kKyStatMax, 0, 0), kErrMissingInputData);
  EXPECT_EQ(*n->StatisticSlot(1, kKyStatMax), 7.0);
  // The last index all ones or beyond the row means the last point.
  EXPECT_EQ(n->ComputeRowStatistic(2, kKyStatMax, 3, 99), 0u);
  EXPECT_EQ(*n->StatisticSlot(2, kKyStatMin), 13.0);
  EXPECT_EQ(*n->StatisticSlot(2, kKyStatMax), 14.0);
  delete n;
}

TEST(KyDataStatistics, ArgumentsAndWindows) {
  cKyData* n = NodeWithRows({{0, 1, 2, 3}, {1, 2, 3, 4}});
  EXPECT_EQ(n->ComputeRowStatistic(2, 4, kNoIndex, kNoIndex), kErrIllegalArgument);
  EXPECT_EQ(n->ComputeRowStatistic(1, 10, kNoIndex, kNoIndex), kErrIllegalArgument);
  EXPECT_EQ(n->ComputeRowStatistic(1, 4, 2, 1), 0u);  // empty window
  EXPECT_TRUE(std::isnan(*n->StatisticSlot(1, 4)));
  EXPECT_EQ(n->ComputeRowStatistic(1, 4, 3, 1), kErrIllegalParameters);
  EXPECT_EQ(n->ComputeRowStatistic(1, 1, kNoIndex, kNoIndex), 0u);
  EXPECT_TRUE(std::isnan(n->RowStatistic(1, 2)));
  EXPECT_TRUE(std::isnan(n->RowStatistic(5, 4)));
  EXPECT_TRUE(std::isnan(n->RowStatistic(1, 11)));
  EXPECT_EQ(n->RowStatistic(1, kKyStatScale), 1.0);
  *n->StatisticSlot(1, kKyStatScale) = 0.125;
  EXPECT_EQ(n->RowStatistic(1, kKyStatScale), 0.125);
  cKyData empty(0);
  EXPECT_EQ(empty.ComputeRowStatistic(0, 4, kNoIndex, kNoIndex), kErrIllegalArgument);
  delete n;
}

TEST(KyDataStatistics, MagnitudeAndPowerComeFromRowsOneAndTwo) {
  cKyData* n = NodeWithRows({{0, 1, 2}, {3, 0, -6}, {4, 1, 8}});
  EXPECT_EQ(n->RowStatistic(0, kKyStatMaxMagnitude), 10.0);
  EXPECT_EQ(n->RowStatistic(2, kKyStatMaxPower), 100.0);
  EXPECT_EQ(n->ComputeRowStatistic(1, kKyStatMaxPower, 0, 1), 0u);
  EXPECT_EQ(*n->StatisticSlot(1, kKyStatMaxPower), 25.0);
  delete n;
  // Without rows 1 and 2 there is no complex window: 14, nothing stored.
  cKyData* two = NodeWithRows({{0, 1}, {3, 4}});
  EXPECT_EQ(two->ComputeRowStatistic(1, kKyStatMaxMagnitude, kNoIndex, kNoIndex),
            kErrMissingInputData);
  EXPECT_EQ(two->ComputeRowStatistic(0, kKyStatMaxPower, kNoIndex, kNoIndex), kErrMissingInputData);
  EXPECT_TRUE(std::isnan(two->RowStatistic(1, kKyStatMaxPower)));
  delete two;
}

// A cubic has no noise for a cubic Savitzky-Golay smoother.
TEST(KyDataStatistics, NoiseOfAPolynomialIsZero) {
  std::vector<double> x(64), y(64);
  for (int i = 0; i < 64; ++i) {
    x[i] = i;
    y[i] = 0.001 * i * i * i - 0.5 * i + 2;
  }
  cKyData* n = NodeWithRows({x, y});
  const double noise = n->RowStatistic(1, kKyStatNoise);
  EXPECT_NEAR(noise, 0.0, 1e-9);
  delete n;
}

TEST(KyDataStatistics, ChildWithMaxStatisticSkipsMissingValues) {
  cKyData root(0);
  const double powers[][2] = {{0, 0}, {3, 4}, {6, 8}, {6, 8}, {1, 1}};
  auto* empty = new cKyData(0);  // no rows: NaN
  root.AddChild(empty);
  for (const auto& p : powers) root.AddChild(NodeWithRows({{0}, {p[0]}, {p[1]}}));
  EXPECT_EQ(root.ChildWithMaxStatistic(kKyStatMaxPower), root.Child(3));
}

struct MergeCase {
  double result0;
  Qword kept;
};

TEST(KyDataMerge, EarlierResultsAreClampedToTheCompanion) {
  const MergeCase cases[] = {{kNan, 0}, {-2.0, 0}, {kInf, 0}, {2.7, 2}, {3.0, 3}, {1e30, 3}};
  const double x[] = {0.5, 9.0};
  const double y[] = {-1.0, -2.0};
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.result0);
    cKyData node(0);
    node.linked = NodeWithRows({{1, 2, 3}, {10, 20, 30}});
    node.results[0] = c.result0;
    ASSERT_EQ(cKyData::MergeIltResult(&node, x, y, 2), 0u);
    cKyData* m = node.linked;
    ExpectNodeInvariants(*m);
    ASSERT_EQ(m->points, c.kept + 2);
    ASSERT_EQ(m->rows, 2u);
    for (Qword i = 0; i < c.kept; ++i) {
      EXPECT_EQ(m->Row(0)[i], static_cast<double>(i + 1));
      EXPECT_EQ(m->Row(1)[i], 10.0 * static_cast<double>(i + 1));
    }
    EXPECT_EQ(m->Row(0)[c.kept + 1], 9.0);
    EXPECT_EQ(m->Row(1)[c.kept], -1.0);
    EXPECT_EQ(m->x_first, 0.5);
    EXPECT_EQ(m->x_last, 9.0);
  }
}

TEST(KyDataMerge, WithoutCompanionANewOneIsMade) {
  cKyData node(0);
  node.results[0] = 5;  // nothing to keep without a companion
  const double x[] = {3, 1}, y[] = {7, 8};
  EXPECT_EQ(cKyData::MergeIltResult(&node, x, y, 0), kErrMissingArguments);
  EXPECT_EQ(cKyData::MergeIltResult(nullptr, x, y, 2), kErrMissingArguments);
  ASSERT_EQ(cKyData::MergeIltResult(&node, x, y, 2), 0u);
  ASSERT_NE(node.linked, nullptr);
  EXPECT_EQ(node.linked->points, 2u);
  EXPECT_EQ(node.linked->x_first, 1.0);
  EXPECT_EQ(node.linked->x_last, 3.0);
  EXPECT_EQ(node.linked->Row(1)[1], 8.0);
}

}  // namespace
