// ZEROFILL: doubling, cutting, the wrapping count of 2^e and the cases that
// keep the node as it is.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "proc_fixture.h"

namespace {

constexpr Qword kPoints = 4096;
constexpr double kDwell = 2.5e-5;

cKyData* NewDecay() {
  return NewSignalBlock(
      kPoints, 0.001, kDwell, [](Qword i) { return Wiggle(i, 0.0); },
      [](Qword i) { return Wiggle(i, 2.0); });
}

TEST(ProcZeroFill, DoublesWithZerosAndTheAxisContinued) {
  std::unique_ptr<cKyData> b(NewDecay());
  const std::vector<double> before = MatrixCopy(b.get());
  const StepResult r = RunStep(b.get(), "ZEROFILL, 1, 0, 0, , 1, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.report, " New size: 8192\n");
  ASSERT_EQ(b->points, 8192u);
  ASSERT_EQ(b->rows, 3u);
  for (Qword row = 0; row < 3; ++row)
    for (Qword i = 0; i < kPoints; ++i) ASSERT_EQ(b->Row(row)[i], before[row * kPoints + i]);
  const double step = (before[kPoints - 1] - before[0]) / (kPoints - 1);
  for (Qword i = kPoints; i < 8192; ++i) {
    EXPECT_EQ(b->Row(1)[i], 0.0);
    EXPECT_EQ(b->Row(2)[i], 0.0);
    EXPECT_NEAR(b->Row(0)[i], 0.001 + kDwell * static_cast<double>(i), 1e-15);
    EXPECT_DOUBLE_EQ(b->Row(0)[i], before[0] + step * static_cast<double>(i));
  }
  EXPECT_EQ(b->x_last, b->Row(0)[8191]);
}

TEST(ProcZeroFill, PointCounts) {
  struct Case {
    const char* command;
    Qword points;
  };
  const Case cases[] = {
      {"ZEROFILL, 1, 0, 0, , 0, 2048", 2048},   // cut
      {"ZEROFILL, 1, 0, 0, , 0, 4096", 4096},   // same count: no change
      {"ZEROFILL, 1, 0, 0, , 2, 7", 16384},     // 2^2 x points; N ignored
      {"ZEROFILL, 1, 0, 0, , , 5000", 4096},    // empty e: 2^e wraps to 0
      {"ZEROFILL, 1, 0, 0, , 64, 5000", 4096},  // e = 64 likewise
      {"ZEROFILL, 1, 0, 0, , 52, 0", 4096},     // 2^12 x 2^52 wraps to 0
      {"ZEROFILL, 1, 0, 0, , 0, 0", 4096},      // N = 0 keeps the node
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewDecay());
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone) << c.command;
    EXPECT_TRUE(r.done) << c.command;
    EXPECT_EQ(r.report, " New size: " + std::to_string(c.points) + "\n") << c.command;
    ASSERT_EQ(b->points, c.points) << c.command;
    const Qword kept = c.points < kPoints ? c.points : kPoints;
    for (Qword row = 0; row < 3; ++row)
      for (Qword i = 0; i < kept; ++i)
        ASSERT_EQ(b->Row(row)[i], before[row * kPoints + i]) << c.command;
    if (c.points < kPoints) {
      EXPECT_EQ(b->x_last, before[c.points - 1]);
    }
  }
}

TEST(ProcZeroFill, Failures) {
  std::unique_ptr<cKyData> b(NewDecay());
  StepResult r = RunStep(b.get(), "ZEROFILL, 2, 0, 0, , 1, 0");
  EXPECT_EQ(r.code, kErrUnknownProcedureMode);
  EXPECT_EQ(b->points, kPoints);
  cKyData empty(0);
  r = RunStep(&empty, "ZEROFILL, 1, 0, 0, , 1, 0");
  EXPECT_EQ(r.code, kErrMissingDataObject);
  EXPECT_FALSE(r.done);
  EXPECT_EQ(r.report, "");
}

}  // namespace
