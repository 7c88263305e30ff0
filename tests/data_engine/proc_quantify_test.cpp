// QUANTIFY: the modes against sums, maxima and polynomials computed here,
// the flags that choose the measured row, write back or drop the second
// quantity, the report lines and the failures.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "proc_fixture.h"

namespace {

const double kRe[] = {3, -1, 4, 1, -5, 9, 2, 12};
const double kIm[] = {0.5, 2, -7, 1, 8, -2, 8, 1};
constexpr Qword kN = 8;

cKyData* NewSmallBlock() {
  return NewSignalBlock(
      kN, 0.0, 1.0, [](Qword i) { return kRe[i]; }, [](Qword i) { return kIm[i]; });
}

// What a window of one row measures, computed plainly.
double Measure(Qword mode, const std::vector<double>& v, Qword first, Qword last) {
  double sum = 0, best = -INFINITY;
  for (Qword i = first; i <= last; ++i) {
    sum += v[i];
    best = std::fmax(best, v[i]);
  }
  return mode == 1 ? sum / static_cast<double>(last - first + 1) : mode == 2 ? best : sum;
}

TEST(ProcQuantify, AverageOfAWindowOfTheRealRow) {
  std::unique_ptr<cKyData> b(NewSignalBlock(
      4, 0.0, 1.0, [](Qword i) { return 1.0 + static_cast<double>(i); },
      [](Qword) { return 7.0; }));
  const StepResult r = RunStep(b.get(), "QUANTIFY, 1, 256, 0, , 1, 2");
  ASSERT_EQ(r.code, kErrNone);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.quantity, 2.5);
  EXPECT_EQ(r.report, " Average in [1, 2]\n Real: 2.5\n");
}

TEST(ProcQuantify, ModesAndMeasuredRows) {
  std::vector<double> re(kRe, kRe + kN), im(kIm, kIm + kN), mag(kN), pow(kN);
  for (Qword i = 0; i < kN; ++i) {
    pow[i] = re[i] * re[i] + im[i] * im[i];
    mag[i] = std::sqrt(pow[i]);
  }
  struct Case {
    Qword mode;
    Dword flags;
    const char* label;  // the first quantity's report label
  };
  const Case cases[] = {
      {1, 0, "Real"},      {2, 0, "Real"},          {3, 0, "Real"},
      {1, 0x100, "Real"},  {1, 0x200, "Magnitude"}, {2, 0x300, "Magnitude"},
      {3, 0x400, "Power"}, {1, 0x500, "Power"},     {2, 0x600, "Magnitude"},
      {2, 0x800, "Real"},  {1, 0x900, "Real"},      {3, 0xA00, "Magnitude"},
  };
  const char* names[] = {"", "Average", "Maximum", "Integral"};
  for (const Case& c : cases) {
    for (const auto& [first, last] : {std::pair<Qword, Qword>{2, 5}, {0, 7}, {6, 6}}) {
      std::unique_ptr<cKyData> b(NewSmallBlock());
      const std::string command = "QUANTIFY, " + std::to_string(c.mode) + ", " +
                                  std::to_string(c.flags) + ", 0, , " + std::to_string(first) +
                                  ", " + std::to_string(last);
      const std::vector<double> before = MatrixCopy(b.get());
      const StepResult r = RunStep(b.get(), command.c_str());
      ASSERT_EQ(r.code, kErrNone) << command;
      const std::vector<double>& row = (c.flags & 0x200) ? mag : (c.flags & 0x400) ? pow : re;
      const double q1 = Measure(c.mode, row, first, last);
      EXPECT_NEAR(r.quantity, q1, 1e-14 * std::fabs(q1)) << command;
      const bool second = (c.flags & 0x800) || !(c.flags & 0x100);
      const double q2 =
          (c.flags & 0x800) ? Measure(c.mode, row, 0, kN - 1) : Measure(c.mode, im, first, last);
      char text[200];
      std::snprintf(text, sizeof text, " %s in [%llu, %llu]\n %s: %g\n", names[c.mode],
                    static_cast<unsigned long long>(first), static_cast<unsigned long long>(last),
                    c.label, q1);
      std::string expected = text;
      if (second) {
        std::snprintf(text, sizeof text, " Imag: %g\n", q2);
        expected += text;
      }
      EXPECT_EQ(r.report, expected) << command;
      EXPECT_EQ(MatrixCopy(b.get()), before) << command;  // no write back without 0x20
    }
  }
}

TEST(ProcQuantify, WriteBackFillsTheWindow) {
  for (const Dword flags : {0x20u, 0x120u, 0x220u, 0x920u}) {
    std::unique_ptr<cKyData> b(NewSmallBlock());
    const std::vector<double> before = MatrixCopy(b.get());
    const std::string command = "QUANTIFY, 1, " + std::to_string(flags) + ", 0, , 2, 5";
    const StepResult r = RunStep(b.get(), command.c_str());
    ASSERT_EQ(r.code, kErrNone);
    // The node's own rows get the quantities, also when a magnitude was measured.
    const double q1 = r.quantity;
    const bool second = (flags & 0x800) || !(flags & 0x100);
    const double q2 = (flags & 0x800) ? (3 - 1 + 4 + 1 - 5 + 9 + 2 + 12) / 8.0 : 0.0;
    for (Qword i = 0; i < kN; ++i) {
      const bool in = i >= 2 && i <= 5;
      EXPECT_EQ(b->Row(1)[i], in ? q1 : before[kN + i]) << command << " " << i;
      // Without a second quantity the imaginary part stays as it was.
      EXPECT_EQ(b->Row(2)[i], in && second ? q2 : before[2 * kN + i]) << command << " " << i;
      EXPECT_EQ(b->Row(0)[i], before[i]);
    }
  }
}

TEST(ProcQuantify, ExtrapolationsOfAnExactCubic) {
  // Both parts are cubics in x; the fits of order 3 reproduce them and
  // their value at x = 0 is the constant term.
  auto re = [](Qword i) {
    const double x = 0.1 + 0.05 * static_cast<double>(i);
    return 2 - 3 * x + 0.5 * x * x + 0.25 * x * x * x;
  };
  auto im = [](Qword i) {
    const double x = 0.1 + 0.05 * static_cast<double>(i);
    return -1 + x - 2 * x * x * x;
  };
  struct Case {
    const char* command;
    const char* line;
  };
  const Case cases[] = {
      {"QUANTIFY, 4, 0, 0, , 0, 20", " Savizky-Golay extrapolation in [0, 20]\n"},
      {"QUANTIFY, 4, 0, 0, , 3, 30, 3", " Savizky-Golay extrapolation in [3, 30]\n"},
      {"QUANTIFY, 4, 0, 0, , 0, -1", " Savizky-Golay extrapolation in [0, 39]\n"},
      {"QUANTIFY, 5, 0, 0, , 0, 20", " Chebyshev extrapolation in [0, 20]\n"},
      {"QUANTIFY, 5, 0, 0, , 5, 39, 3", " Chebyshev extrapolation in [5, 39]\n"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewSignalBlock(40, 0.1, 0.05, re, im));
    const StepResult r = RunStep(b.get(), c.command);
    ASSERT_EQ(r.code, kErrNone) << c.command;
    EXPECT_NEAR(r.quantity, 2.0, 1e-10) << c.command;
    ASSERT_EQ(r.report.rfind(c.line, 0), 0u) << r.report;
    // The imaginary part's constant term is the second quantity.
    double q2 = NAN;
    ASSERT_EQ(std::sscanf(r.report.c_str() + r.report.find(" Imag: "), " Imag: %lg", &q2), 1);
    EXPECT_NEAR(q2, -1.0, 1e-5) << r.report;  // six printed digits
  }
}

TEST(ProcQuantify, Failures) {
  struct Case {
    const char* command;
    LibErrorCode code;
    const char* report;
  };
  const Case cases[] = {
      {"QUANTIFY, 6, 0, 0, , 0, 3", kErrIllegalMode, ""},
      {"QUANTIFY, 69, 0, 0, , 0, 3", kErrIllegalMode, ""},
      // Mode 4 takes its x step from the point after the first: there is
      // none after the last point.
      {"QUANTIFY, 4, 32, 0, , 7, 7", kErrIllegalParameters,
       " Savizky-Golay extrapolation in [7, 7]\n"},
      {"QUANTIFY, 4, 32, 0, , 9, -1", kErrIllegalParameters,
       " Savizky-Golay extrapolation in [7, 7]\n"},
      // Chebyshev over a window whose last x is 0.
      {"QUANTIFY, 5, 32, 0, , 0, 0", kErrIllegalArgument, " Chebyshev extrapolation in [0, 0]\n"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<cKyData> b(NewSmallBlock());
    const std::vector<double> before = MatrixCopy(b.get());
    const StepResult r = RunStep(b.get(), c.command);
    EXPECT_EQ(r.code, c.code) << c.command;
    EXPECT_EQ(r.report, c.report) << c.command;
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(std::isnan(r.quantity)) << c.command;  // no quantity stored
    EXPECT_EQ(MatrixCopy(b.get()), before) << c.command;
  }
  cKyData two(0);
  two.SetSize(4, 2, 1, 0, 3);
  EXPECT_EQ(RunStep(&two, "QUANTIFY, 1, 0, 0, , 0, 3").code, kErrMissingInputData);
}

}  // namespace

// The magnitude is measured on the values the quantities read only: every
// mode, window and flag gives what the same step gives on a block whose real
// row already holds the magnitudes.
TEST(ProcQuantify, MagnitudeAsOnABlockOfMagnitudes) {
  auto x = [](Qword i) { return 0.1 + 0.05 * static_cast<double>(i); };
  auto re = [&](Qword i) { return 2 - 3 * x(i) + 0.5 * x(i) * x(i); };
  auto im = [&](Qword i) { return -1 + x(i) - 2 * x(i) * x(i) * x(i); };
  auto mag = [&](Qword i) { return std::sqrt(re(i) * re(i) + im(i) * im(i)); };
  for (int mode = 1; mode <= 5; ++mode) {
    for (const unsigned flags : {0x000u, 0x100u, 0x800u, 0x900u}) {
      for (const char* window : {"0, 39", "3, 30", "17, 17", "25, 39"}) {
        char command[96], plain[96];
        std::snprintf(command, sizeof command, "QUANTIFY, %d, %u, 0, , %s, 3", mode, flags | 0x200u,
                      window);
        std::snprintf(plain, sizeof plain, "QUANTIFY, %d, %u, 0, , %s, 3", mode, flags, window);
        std::unique_ptr<cKyData> b(NewSignalBlock(40, 0.1, 0.05, re, im));
        std::unique_ptr<cKyData> m(NewSignalBlock(40, 0.1, 0.05, mag, im));
        const StepResult got = RunStep(b.get(), command);
        const StepResult want = RunStep(m.get(), plain);
        ASSERT_EQ(got.code, want.code) << command;
        if (std::isnan(want.quantity))
          EXPECT_TRUE(std::isnan(got.quantity)) << command;
        else
          EXPECT_EQ(got.quantity, want.quantity) << command;
        std::string expected = want.report;
        const size_t at = expected.find(" Real: ");
        if (at != std::string::npos) expected.replace(at, 7, " Magnitude: ");
        EXPECT_EQ(got.report, expected) << command;
      }
    }
  }
}
