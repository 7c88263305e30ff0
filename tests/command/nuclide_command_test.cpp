// Code 107, the nuclide calculator: conversions for a named nuclide, the
// nuclide card split at TAB field by field, and the failure answers.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "command/nuclide_calc_args.h"
#include "command_fixture.h"
#include "support/alloc_failure.h"

namespace {

constexpr double kGamma1H = 42.5763881e6;  // Hz/T, the table's shielded proton
constexpr double kPlanck = 6.62606957e-34;
constexpr double kNuclearMagneton = 5.05078353e-27;

class NuclideCommandTest : public CommandTest {
 protected:
  // Runs a conversion; the answer's value, or NaN when the result is null.
  double Convert(Dword mode, double input, const char* symbol) {
    NuclideCalcArgs args{mode, &input, symbol};
    EXPECT_EQ(Run(kKyCmdNuclideCalculator, &args), 0u);
    const auto* answer = static_cast<const double*>(record_->result.pointer);
    return answer ? *answer : NAN;
  }
};

std::vector<std::string> SplitAtTab(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = text.find('\t', start);
    fields.push_back(text.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

TEST_F(NuclideCommandTest, ConversionsOfEveryMode) {
  EXPECT_EQ(Convert(kNuclideTeslaToHz, 1.0, "1H"), kGamma1H);
  EXPECT_EQ(Convert(kNuclideHzToTesla, kGamma1H, "1H"), 1.0);
  EXPECT_NEAR(Convert(kNuclideHzToTesla, 400e6, "1H"), 9.39488, 5e-6);
  EXPECT_NEAR(Convert(kNuclideTeslaToHz, 9.4, "1H"), 400.218e6, 0.5e3);
  EXPECT_NEAR(Convert(kNuclideTeslaToHz, 9.4, "13C"), 9.4 * 10.70839975e6, 1e-6);
  // Modes 3 and 4 share one formula: 0.25 / (input x gamma), its own inverse.
  const double b1 = Convert(kNuclidePulseToB1, 1e-5, "1H");
  EXPECT_NEAR(b1, 5.8718e-4, 5e-8);
  EXPECT_EQ(Convert(kNuclideB1ToPulse, 1e-5, "1H"), b1);
  EXPECT_NEAR(Convert(kNuclideB1ToPulse, b1, "1H"), 1e-5, 1e-18);
  EXPECT_NEAR(Convert(kNuclidePulseToB1, 1e-5, "31P"), 0.25 / (1e-5 * 17.2514409e6), 1e-19);
  // Bare names follow the table's lookup rule.
  EXPECT_EQ(Convert(kNuclideTeslaToHz, 1.0, "H"), kGamma1H);
}

TEST_F(NuclideCommandTest, UnknownSymbolAnswersNullAndOtherModesLeaveTheResult) {
  double input = 1.0;
  for (const char* bad : {"X", "", "h", "13c"}) {
    record_->result.u64 = 77;
    NuclideCalcArgs args{kNuclideTeslaToHz, &input, bad};
    EXPECT_EQ(Run(kKyCmdNuclideCalculator, &args), 0u) << bad;
    EXPECT_EQ(record_->result.pointer, nullptr) << bad;
    NuclideCalcArgs card{kNuclideCard, bad, nullptr};
    record_->result.u64 = 77;
    EXPECT_EQ(Run(kKyCmdNuclideCalculator, &card), 0u) << bad;
    EXPECT_EQ(record_->result.pointer, nullptr) << bad;
  }
  NuclideCalcArgs no_symbol{kNuclideTeslaToHz, &input, nullptr};
  EXPECT_EQ(Run(kKyCmdNuclideCalculator, &no_symbol), 0u);
  EXPECT_EQ(record_->result.pointer, nullptr);
  for (Dword mode : {0u, 6u, 0xFFFFFFFFu}) {
    record_->result.u64 = 77;
    NuclideCalcArgs args{mode, &input, "1H"};
    EXPECT_EQ(Run(kKyCmdNuclideCalculator, &args), 0u) << mode;
    EXPECT_EQ(record_->result.u64, 77u) << mode;
  }
}

TEST_F(NuclideCommandTest, NullArgumentsAnswerMissingArguments) {
  EXPECT_EQ(Run(kKyCmdNuclideCalculator, nullptr), kErrMissingArguments);
  for (Dword mode = 1; mode <= 5; ++mode) {
    NuclideCalcArgs args{mode, nullptr, "1H"};
    EXPECT_EQ(Run(kKyCmdNuclideCalculator, &args), kErrMissingArguments) << mode;
  }
}

TEST_F(NuclideCommandTest, CardSplitAtTabFieldByField) {
  struct Case {
    const char* query;
    const char* symbol;
    int z, a, spin;
    double mass, gamma, q, abundance;
  };
  const Case cases[] = {
      {"2H", "2H", 1, 2, 2, 2.01410177822, 6.53590335, 0.286, 0.000115},
      {"C", "13C", 6, 13, 1, 13.00335483544, 10.70839975, 0, 0.0107},
      {"23Na", "23Na", 11, 23, 3, 22.98976928393, 11.269525, 10.4, 1.0},
      {"e", "e", 0, 0, 1, 0.0005485799095, -28024.9527, 0, 1.0},
  };
  const char* labels[] = {"Name",
                          "Atomic number [Z]",
                          "Mass number [A]",
                          "Spin [hbar/2]",
                          "Mass [AU]",
                          "Gamma ratio [MHz/T]",
                          "g-factor",
                          "Magnetic moment [J/T]",
                          "Quadrupole momentum",
                          "Abundance [%]"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    NuclideCalcArgs args{kNuclideCard, c.query, nullptr};
    ASSERT_EQ(Run(kKyCmdNuclideCalculator, &args), 0u);
    ASSERT_NE(record_->result.pointer, nullptr);
    const std::string card(static_cast<const char*>(record_->result.pointer));
    EXPECT_LT(card.size(), 500u);
    EXPECT_EQ(card.find('\n'), std::string::npos);
    const std::vector<std::string> f = SplitAtTab(card);
    ASSERT_EQ(f.size(), 20u) << card;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f[2 * i], labels[i]);
    EXPECT_EQ(f[1], c.symbol);
    EXPECT_EQ(f[3], std::to_string(c.z));
    EXPECT_EQ(f[5], std::to_string(c.a));
    EXPECT_EQ(f[7], std::to_string(c.spin));
    // Reals carry 15 significant digits, cut without rounding: each reads
    // back within one unit of the last digit.
    auto near15 = [](const std::string& text, double expected) {
      char* end = nullptr;
      const double v = std::strtod(text.c_str(), &end);
      EXPECT_EQ(*end, 0) << text;
      EXPECT_LE(std::fabs(v - expected), 1e-14 * std::fabs(expected)) << text;
    };
    near15(f[9], c.mass);
    near15(f[11], c.gamma);
    const double g = c.a != 0 ? c.gamma * 1e6 * kPlanck / kNuclearMagneton
                              : c.gamma * 1e6 * kPlanck / 9.27400968e-24;
    near15(f[13], g);
    near15(f[15], 0.5 * c.spin * kPlanck * c.gamma * 1e6);
    near15(f[17], c.q);
    near15(f[19], c.abundance * 100);
    EXPECT_EQ(Run(kKyCmdKill, &record_->result.pointer), 0u);
    EXPECT_EQ(record_->result.pointer, nullptr);
  }
}

TEST_F(NuclideCommandTest, CardAllocationFailure) {
  NuclideCalcArgs args{kNuclideCard, "1H", nullptr};
  AllocFailureGuard fail(0);
  const Dword error = Run(kKyCmdNuclideCalculator, &args);
  fail.Release();
  EXPECT_EQ(error, kErrAlloc);
  EXPECT_EQ(record_->result.pointer, nullptr);
}

}  // namespace
