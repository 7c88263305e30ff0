// FUNCTION, NORMALIZE and WINDOW: values set, scaled and turned into
// magnitude or power and phase over a window; normalisation with its scale
// statistic; crop, point marks and decimation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "node_invariants.h"
#include "proc_fixture.h"

namespace {

constexpr Qword kN = 12;
constexpr double kPi = std::numbers::pi;

cKyData* NewBlock(Qword grid = 1) {
  return NewSignalBlock(
      kN, 0.5, 0.25, [](Qword i) { return 3 * Wiggle(i, 0.0); },
      [](Qword i) { return 2 * Wiggle(i, 2.5); }, grid);
}

TEST(ProcFunction, ModesOverAWindow) {
  for (Qword mode = 1; mode <= 6; ++mode) {
    std::unique_ptr<cKyData> b(NewBlock());
    const std::vector<double> before = MatrixCopy(b.get());
    const std::string command = "FUNCTION, " + std::to_string(mode) + ", 0, 0, , 3, 8, 1.5, -4";
    const StepResult r = RunStep(b.get(), command.c_str());
    ASSERT_EQ(r.code, kErrNone) << command;
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.report, "");
    std::vector<double> phase(kN);
    for (Qword i = 0; i < kN; ++i) {
      const double re = before[kN + i], im = before[2 * kN + i];
      const bool in = i >= 3 && i <= 8;
      double er = re, ei = im;
      if (in) {
        switch (mode) {
          case 1:
            er = 1.5;
            ei = -4;
            break;
          case 6:
            er = re * 1.5;
            ei = im * -4;
            break;
          default:
            er = mode <= 3 ? std::hypot(re, im) : re * re + im * im;
            ei = std::atan2(im, re);
        }
      }
      EXPECT_NEAR(b->Row(1)[i], er, 1e-14 * (1 + std::fabs(er))) << command << " " << i;
      phase[i] = ei;
      if (mode != 3 && mode != 5) {
        EXPECT_NEAR(b->Row(2)[i], ei, 1e-14 * (1 + std::fabs(ei))) << command << " " << i;
      }
    }
    if (mode == 3 || mode == 5) {
      // The whole row is unwrapped: steps below pi, each value a multiple
      // of 2 pi away from the wrapped one.
      for (Qword i = 0; i < kN; ++i) {
        const double k = (b->Row(2)[i] - phase[i]) / (2 * kPi);
        EXPECT_NEAR(k, std::round(k), 1e-12) << i;
        if (i > 0) {
          EXPECT_LT(std::fabs(b->Row(2)[i] - b->Row(2)[i - 1]), kPi + 1e-12);
        }
      }
    }
  }
  // A NaN value leaves its part alone; other modes answer 69.
  std::unique_ptr<cKyData> b(NewBlock());
  const std::vector<double> im = RowCopy(b.get(), 2);
  ASSERT_EQ(RunStep(b.get(), "FUNCTION, 1, 0, 0, , 0, -1, 7").code, kErrNone);
  EXPECT_EQ(RowCopy(b.get(), 1), std::vector<double>(kN, 7.0));
  EXPECT_EQ(RowCopy(b.get(), 2), im);
  EXPECT_EQ(RunStep(b.get(), "FUNCTION, 7, 0, 0, , 0, -1, 7").code, kErrUnknownProcedureMode);
}

TEST(ProcNormalize, LargestMagnitudeToTheTarget) {
  std::unique_ptr<cKyData> b(NewSignalBlock(
      5, 0, 1,
      [](Qword i) {
        return std::vector<double>{-2, 100, 500, 3, 0}[i];
      },
      [](Qword i) { return static_cast<double>(i); }));
  ASSERT_EQ(b->AppendRow(std::vector<double>(5, 1.5).data(), 5, nullptr), kErrNone);
  const StepResult r = RunStep(b.get(), "NORMALIZE, 1, 0, 0, , 1000");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(RowCopy(b.get(), 0), std::vector<double>({0, 1, 2, 3, 4}));
  EXPECT_EQ(RowCopy(b.get(), 1), std::vector<double>({-4, 200, 1000, 6, 0}));
  EXPECT_EQ(RowCopy(b.get(), 2), std::vector<double>({0, 2, 4, 6, 8}));
  EXPECT_EQ(RowCopy(b.get(), 3), std::vector<double>(5, 3.0));
  EXPECT_EQ(b->RowStatistic(1, kKyStatScale), 0.5);
  EXPECT_EQ(b->RowStatistic(2, kKyStatScale), 0.5);
  // Scaled values are those from before.
  EXPECT_EQ(b->Value(2, 1, true), 500.0);
  // A second normalisation to 10 divides the scale again.
  ASSERT_EQ(RunStep(b.get(), "NORMALIZE, 1, 0, 0, , -10").code, kErrNone);
  EXPECT_EQ(b->Row(1)[2], -10.0);
  EXPECT_EQ(b->RowStatistic(1, kKyStatScale), -50.0);
  EXPECT_EQ(b->Value(2, 1, true), 500.0);
}

TEST(ProcNormalize, Failures) {
  struct Case {
    const char* command;
    double fill;
    LibErrorCode code;
  };
  const Case cases[] = {
      {"NORMALIZE, 1, 0, 0, ", 1, kErrWrongInputFormat},
      {"NORMALIZE, 1, 0, 0, , abc", 1, kErrWrongInputFormat},
      {"NORMALIZE, 2, 0, 0, , 5", 1, kErrUnknownProcedureMode},
      {"NORMALIZE, 1, 0, 0, , 5", 0, kErrDivisionByZero},
      {"NORMALIZE, 1, 0, 0, , 5", NAN, kErrMissingInputData},  // no finite value to scale by
  };
  for (const Case& c : cases) {
    const double fill = c.fill;
    std::unique_ptr<cKyData> b(NewSignalBlock(
        4, 0, 1, [fill](Qword) { return fill; }, [](Qword) { return 2.0; }));
    const std::vector<double> before = MatrixCopy(b.get());
    EXPECT_EQ(RunStep(b.get(), c.command).code, c.code) << c.command;
    for (Qword i = 4; i < 12; ++i)
      if (!std::isnan(before[i])) {
        EXPECT_EQ(b->matrix[i], before[i]) << c.command;
      }
  }
}

TEST(ProcWindow, DecimationKeepsEveryStepthPoint) {
  struct Case {
    const char* command;
    std::vector<double> kept;  // x values = old point indices
  };
  const Case cases[] = {
      {"WINDOW, 5, 0, 0, , 0, -1, 3", {0, 3, 6, 9}},
      {"WINDOW, 5, 0, 0, , 2, 4, 3", {0, 1, 2, 5, 8}},  // the window's last point is not used
      {"WINDOW, 5, 0, 0, , 0, -1", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  // 10/128 + 1
      {"WINDOW, 5, 0, 0, , 9, 9, 4", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"WINDOW, 5, 0, 0, , 0, -1, 20", {0}},
      {"WINDOW, 5, 0, 0, , 1, -1, 2, 0", {0, 1, 3, 5, 7, 9}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewSignalBlock(
        10, 0, 1, [](Qword i) { return 10.0 + static_cast<double>(i); },
        [](Qword i) { return -static_cast<double>(i); }));
    b->point_flags[1] = 1;
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone) << c.command;
    EXPECT_TRUE(r.done);
    ExpectNodeInvariants(*b);
    const Qword m = c.kept.size();
    ASSERT_EQ(b->points, m) << c.command;
    EXPECT_EQ(RowCopy(b.get(), 0), c.kept) << c.command;
    for (Qword i = 0; i < m; ++i) {
      EXPECT_EQ(b->Row(1)[i], 10 + c.kept[i]);
      EXPECT_EQ(b->Row(2)[i], -c.kept[i]);
      EXPECT_EQ(b->point_flags[i], 0u);  // re-sized: flags reset
    }
    EXPECT_EQ(b->x_grid_type, 0u);
    EXPECT_EQ(b->x_first, c.kept.front());
    EXPECT_EQ(b->x_last, c.kept.back());
  }
  for (const auto& [command, code] :
       {std::pair<const char*, LibErrorCode>{"WINDOW, 5, 0, 0, , 0, -1, 0", kErrIllegalWindow},
        {"WINDOW, 5, 0, 0, , 0, -1, 2, 1", kErrNotYetImplemented},
        {"WINDOW, 6, 0, 0, , 0, -1, 2", kErrUnknownProcedureMode}}) {
    std::unique_ptr<cKyData> b(NewBlock());
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), command);
    EXPECT_EQ(r.code, code) << command;
    EXPECT_FALSE(r.done);
    EXPECT_EQ(MatrixCopy(b.get()), before);
  }
}

TEST(ProcWindow, CropTakesItsAxisFromTheKeptPoints) {
  // Grid type 0 (irregular x): the new ends are the kept x values.
  std::unique_ptr<cKyData> b(NewBlock(0));
  for (Qword i = 0; i < kN; ++i) b->Row(0)[i] = std::sqrt(static_cast<double>(i) + 1);
  b->x_first = 7;  // stale ends, as a grid-0 axis may have
  b->x_last = 8;
  for (Qword i = 0; i < kN; ++i) b->point_flags[i] = static_cast<Dword>(i);
  const std::vector<double> before = MatrixCopy(b.get());
  ASSERT_EQ(RunStep(b.get(), "WINDOW, 1, 0, 0, , 8, 3").code, kErrNone);
  ExpectNodeInvariants(*b);
  ASSERT_EQ(b->points, 6u);
  for (Qword r = 0; r < 3; ++r)
    for (Qword i = 0; i < 6; ++i) EXPECT_EQ(b->Row(r)[i], before[r * kN + 3 + i]);
  EXPECT_EQ(b->x_first, std::sqrt(4.0));
  EXPECT_EQ(b->x_last, std::sqrt(9.0));
  for (Qword i = 0; i < 6; ++i) EXPECT_EQ(b->point_flags[i], i);  // the flags keep their positions
  // A logarithmic grid: the grid's own values at the window's ends.
  std::unique_ptr<cKyData> g(NewBlock(2));
  g->x_first = 0.01;
  g->x_last = 100;
  ASSERT_EQ(RunStep(g.get(), "WINDOW, 1, 0, 0, , 0, 11").code, kErrNone);
  EXPECT_NEAR(g->x_first, 0.01, 1e-17);
  EXPECT_NEAR(g->x_last, 100, 1e-12);
  ASSERT_EQ(RunStep(g.get(), "WINDOW, 1, 0, 0, , 0, 0").code, kErrNone);  // one point
  EXPECT_EQ(g->points, 1u);
}

TEST(ProcWindow, PointMarks) {
  std::unique_ptr<cKyData> b(NewBlock());
  b->point_flags[5] = 0x10;
  ASSERT_EQ(RunStep(b.get(), "WINDOW, 2, 0, 0, , 4, 6").code, kErrNone);
  EXPECT_EQ(std::vector<Dword>(b->point_flags, b->point_flags + 8),
            std::vector<Dword>({0, 0, 0, 0, 1, 0x11, 1, 0}));
  ASSERT_EQ(RunStep(b.get(), "WINDOW, 4, 0, 0, , 5, 7").code, kErrNone);
  EXPECT_EQ(std::vector<Dword>(b->point_flags, b->point_flags + 8),
            std::vector<Dword>({0, 0, 0, 0, 1, 0x10, 0, 1}));
  ASSERT_EQ(RunStep(b.get(), "WINDOW, 4, 0, 0, , 4, 4").code, kErrNone);
  ASSERT_EQ(RunStep(b.get(), "WINDOW, 3, 0, 0, , 0, -1").code, kErrNone);
  EXPECT_EQ(std::vector<Dword>(b->point_flags, b->point_flags + 8),
            std::vector<Dword>({0, 0, 0, 0, 0, 0x10, 0, 0}));
  cKyData empty(0);
  EXPECT_EQ(RunStep(&empty, "WINDOW, 2, 0, 0, , 0, -1").code, kErrMissingInputData);
}

}  // namespace
