// GROUPDELAY against the mirror-subtract removal recomputed here, its
// report, and the cases that change nothing or fail.
#include <gtest/gtest.h>

#include <memory>

#include "proc_fixture.h"

namespace {

constexpr Qword kPoints = 512;

cKyData* NewDecay() {
  return NewSignalBlock(
      kPoints, 0.0, 1e-4, [](Qword i) { return Wiggle(i, 0.0); },
      [](Qword i) { return Wiggle(i, 1.0); });
}

// The filter's pre-echo: the first k points mirrored about k - 1/2 and
// subtracted from points k to 2k - 1, then everything moved k points to
// the front, zeros behind; the new first point weighted 0.85.
std::vector<double> Corrected(const std::vector<double>& h, Qword k) {
  std::vector<double> m = h;
  for (Qword i = 0; i < k; ++i) m[k + i] = h[k + i] - h[k - 1 - i];
  std::vector<double> out(h.size(), 0.0);
  for (Qword i = 0; i + k < h.size(); ++i) out[i] = m[i + k];
  out[0] *= 0.85;
  return out;
}

TEST(ProcGroupDelay, RemovesTheRoundedDelay) {
  std::unique_ptr<cKyData> b(NewDecay());
  ASSERT_EQ(b->parameters.AddEntry("GDLY", "67.98", nullptr), kErrNone);
  const std::vector<double> re = RowCopy(b.get(), 1), im = RowCopy(b.get(), 2),
                            x = RowCopy(b.get(), 0);
  const StepResult r = RunStep(b.get(), "GROUPDELAY, 1, 0, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.report, " Old value: 67.98\n New value: -0.02\n");
  EXPECT_EQ(RowCopy(b.get(), 1), Corrected(re, 68));
  EXPECT_EQ(RowCopy(b.get(), 2), Corrected(im, 68));
  EXPECT_EQ(RowCopy(b.get(), 0), x);
  for (Qword i = kPoints - 68; i < kPoints; ++i) {
    EXPECT_EQ(b->Row(1)[i], 0.0);
    EXPECT_EQ(b->Row(2)[i], 0.0);
  }
}

TEST(ProcGroupDelay, DelayOfTheParameterOwner) {
  // The item holds the parameters, the block none.
  cKyData item(0);
  cKyData* b = NewDecay();
  item.AddChild(b);
  ASSERT_EQ(item.parameters.AddEntry("GDLY", "3.5", nullptr), kErrNone);
  const std::vector<double> re = RowCopy(b, 1);
  const StepResult r = RunStep(b, "GROUPDELAY, 1, 0, 0");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_EQ(r.report, " Old value: 3.5\n New value: -0.5\n");  // 3.5 rounds away from zero
  EXPECT_EQ(RowCopy(b, 1), Corrected(re, 4));
}

TEST(ProcGroupDelay, NoChangeAndFailures) {
  struct Case {
    const char* gdly;  // null: no entry (another entry keeps an owner)
    const char* command;
    LibErrorCode code;
  };
  const Case cases[] = {
      {"0.4", "GROUPDELAY, 1, 0, 0", kErrNone},
      {"-3", "GROUPDELAY, 1, 0, 0", kErrNone},
      {"0.4", "GROUPDELAY, 2, 0, 0", kErrUnknownProcedureMode},  // the mode before the delay
      {nullptr, "GROUPDELAY, 2, 0, 0", kErrUnknownProcedureMode},
      {nullptr, "GROUPDELAY, 1, 0, 0", kErrMissingParameters},
      {"abc", "GROUPDELAY, 1, 0, 0", kErrMissingParameters},
      {"68", "GROUPDELAY, 2, 0, 0", kErrUnknownProcedureMode},
      {"256", "GROUPDELAY, 1, 0, 0", kErrIllegalArgument},  // not below half the points
      {"1e300", "GROUPDELAY, 1, 0, 0", kErrIllegalArgument},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewDecay());
    b->parameters.AddEntry(c.gdly ? "GDLY" : "SW", c.gdly ? c.gdly : "5000", nullptr);
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    EXPECT_EQ(r.code, c.code) << c.gdly;
    EXPECT_FALSE(r.done) << c.gdly;
    EXPECT_EQ(r.report, "") << c.gdly;
    EXPECT_EQ(MatrixCopy(b.get()), before) << c.gdly;
  }
  // No parameter owner at all.
  std::unique_ptr<cKyData> b(NewDecay());
  EXPECT_EQ(RunStep(b.get(), "GROUPDELAY, 1, 0, 0").code, kErrMissingParameters);
  // Without the imaginary row: 14.
  cKyData two(0);
  two.SetSize(16, 2, 1, 0, 15);
  two.parameters.AddEntry("GDLY", "2", nullptr);
  EXPECT_EQ(RunStep(&two, "GROUPDELAY, 1, 0, 0").code, kErrMissingInputData);
  cKyData empty(0);
  empty.parameters.AddEntry("GDLY", "2", nullptr);
  EXPECT_EQ(RunStep(&empty, "GROUPDELAY, 1, 0, 0").code, kErrMissingInputData);
}

}  // namespace
