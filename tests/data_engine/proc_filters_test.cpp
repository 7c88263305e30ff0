// DENOISING, DERIVATIVE and BASELINE: Savitzky-Golay smoothing and
// derivatives checked on polynomials they reproduce exactly, the noise
// statistics and report, the linear-grid check, and the baseline modes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "proc_fixture.h"
#include "signal_fit/signal/savgol.h"

namespace {

constexpr Qword kN = 64;

double Cubic(Qword i, double c0, double c1, double c2, double c3) {
  const double t = static_cast<double>(i);
  return c0 + t * (c1 + t * (c2 + t * c3));
}

TEST(ProcDerivative, DerivativesOfACubicByPointIndex) {
  // The x step (0.5) plays no part: the derivative is taken per point.
  struct Case {
    const char* command;
    Qword first, last;
    double r0, r1, r2, i0, i1, i2;  // expected quadratic by point index
  };
  const Case cases[] = {
      // d/di of 1 + 2i - 0.03i^2 + 0.001i^3 and of -4 + i^2 - 0.002i^3
      {"DERIVATIVE, 1, 0, 0, , 0, -1", 0, kN - 1, 2, -0.06, 0.003, 0, 2, -0.006},
      {"DERIVATIVE, 1, 0, 0, , 10, 40, , 9, 3", 10, 40, 2, -0.06, 0.003, 0, 2, -0.006},
      // second derivative divided by 2!: c2 + 3 c3 i
      {"DERIVATIVE, 1, 0, 0, , 0, -1, 2, 11", 0, kN - 1, -0.03, 0.003, 0, 1, -0.006, 0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewSignalBlock(
        kN, 3.0, 0.5, [](Qword i) { return Cubic(i, 1, 2, -0.03, 0.001); },
        [](Qword i) { return Cubic(i, -4, 0, 1, -0.002); }));
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone) << c.command;
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.report, "");
    for (Qword i = 0; i < kN; ++i) {
      const double t = static_cast<double>(i);
      const bool in = i >= c.first && i <= c.last;
      const double er = in ? c.r0 + t * (c.r1 + t * c.r2) : before[kN + i];
      const double ei = in ? c.i0 + t * (c.i1 + t * c.i2) : before[2 * kN + i];
      EXPECT_NEAR(b->Row(1)[i], er, 1e-9) << c.command << " " << i;
      EXPECT_NEAR(b->Row(2)[i], ei, 1e-9) << c.command << " " << i;
    }
  }
}

TEST(ProcDerivative, OnlyOnALinearGrid) {
  RecordedMessageBoxes boxes;
  std::unique_ptr<cKyData> b(NewSignalBlock(
      kN, 0.01, 0.1, [](Qword i) { return Wiggle(i, 0); }, [](Qword i) { return Wiggle(i, 1); },
      2));
  const std::vector<double> before = MatrixCopy(b.get());
  EXPECT_EQ(RunStep(b.get(), "DERIVATIVE, 1, 0, 0, , 0, -1").code, kErrImpossibleTask);
  ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].text, "X-axis grid is not linear.");
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].type, kUiError);
  EXPECT_EQ(MatrixCopy(b.get()), before);
  EXPECT_EQ(RunStep(b.get(), "DERIVATIVE, 2, 0, 0, , 0, -1").code, kErrUnknownProcedureMode);
  EXPECT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
  // A derivative order above the filter order.
  b->x_grid_type = 1;
  EXPECT_EQ(RunStep(b.get(), "DERIVATIVE, 1, 0, 0, , 0, -1, 4, 17, 3").code, kErrIllegalArgument);
  EXPECT_EQ(MatrixCopy(b.get()), before);
}

TEST(ProcDenoising, SmoothsTheWindowAndReportsTheNoise) {
  auto noisy = [](Qword i, double phase) {
    return Cubic(i, 1, 0.2, 0.01, -1e-4) + 0.05 * std::sin(2.7 * static_cast<double>(i) + phase);
  };
  std::unique_ptr<cKyData> b(NewSignalBlock(
      kN, 0, 1, [&](Qword i) { return noisy(i, 0); }, [&](Qword i) { return noisy(i, 1); }));
  const std::vector<double> before = MatrixCopy(b.get());
  const StepResult r = RunStep(b.get(), "DENOISING, 1, 0, 0, , 4, 50, 11, 3");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  for (Qword row = 1; row <= 2; ++row) {
    // The same estimate on the window's values as they were.
    std::vector<double> smoothed(47);
    double noise = NAN;
    ASSERT_EQ(RArrNoiseEstimateBySavitskyGolay(47, before.data() + row * kN + 4, &noise,
                                               smoothed.data(), 3, 11, 3, 3.0),
              kErrNone);
    for (Qword i = 0; i < kN; ++i) {
      const double expected = i >= 4 && i <= 50 ? smoothed[i - 4] : before[row * kN + i];
      EXPECT_EQ(b->Row(row)[i], expected) << row << " " << i;
    }
    EXPECT_EQ(*b->StatisticSlot(row, kKyStatNoise), noise);
    // The smoothing removes most of the sinusoid around the cubic.
    EXPECT_NEAR(b->Row(row)[25], Cubic(25, 1, 0.2, 0.01, -1e-4), 0.02);
  }
  char expected[200];
  std::snprintf(expected, sizeof expected, " Noise estimate:\n Real: %g\n Imag: %g\n",
                *b->StatisticSlot(1, kKyStatNoise), *b->StatisticSlot(2, kKyStatNoise));
  EXPECT_EQ(r.report, expected);
  EXPECT_GT(*b->StatisticSlot(1, kKyStatNoise), 0.01);
}

TEST(ProcDenoising, ShortWindowsAndFailures) {
  std::unique_ptr<cKyData> b(NewSignalBlock(
      kN, 0, 1, [](Qword i) { return Wiggle(i, 0); }, [](Qword i) { return Wiggle(i, 1); }));
  const std::vector<double> before = MatrixCopy(b.get());
  for (const char* command : {"DENOISING, 1, 0, 0, , 5, 6", "DENOISING, 7, 0, 0, , 5, 5"}) {
    const StepResult r = RunStep(b.get(), command);
    EXPECT_EQ(r.code, kErrNone) << command;
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.report, "");
  }
  EXPECT_EQ(RunStep(b.get(), "DENOISING, 2, 0, 0, , 0, -1").code, kErrUnknownProcedureMode);
  EXPECT_EQ(MatrixCopy(b.get()), before);
  // A NaN in the window leaves no noise level to measure: nothing changes.
  b->Row(1)[20] = NAN;
  const std::vector<double> with_nan = MatrixCopy(b.get());
  EXPECT_EQ(RunStep(b.get(), "DENOISING, 1, 0, 0, , 0, -1").code, kErrIllegalArgument);
  const std::vector<double> after = MatrixCopy(b.get());
  for (Qword i = 0; i < after.size(); ++i) {
    if (i != kN + 20) {
      EXPECT_EQ(after[i], with_nan[i]) << i;
    }
  }
}

TEST(ProcBaseline, ModesOtherThanTheEnvelope) {
  RecordedMessageBoxes boxes;
  std::unique_ptr<cKyData> b(NewSignalBlock(
      kN, 0, 1, [](Qword i) { return 5 + Wiggle(i, 0); }, [](Qword) { return 0.0; }));
  const std::vector<double> before = MatrixCopy(b.get());
  EXPECT_EQ(RunStep(b.get(), "BASELINE, 2, 0, 0, , 0, 1, 1").code, kErrMissingInputData);
  EXPECT_TRUE(RecordedMessageBoxes::Boxes().empty());
  EXPECT_EQ(RunStep(b.get(), "BASELINE, 3, 0, 0").code, kErrUnknownProcedureMode);
  ASSERT_EQ(RecordedMessageBoxes::Boxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes::Boxes()[0].text, "Baseline correction:\nUnknown EVP mode");
  EXPECT_EQ(MatrixCopy(b.get()), before);
  // Mode 1 lowers row 1 by its lower envelope; no done flag.
  const StepResult r = RunStep(b.get(), "BASELINE, 1, 0, 0");
  EXPECT_EQ(r.code, kErrNone);
  EXPECT_FALSE(r.done);
  for (Qword i = 0; i < kN; ++i) EXPECT_LE(b->Row(1)[i], before[kN + i]);
}

}  // namespace
