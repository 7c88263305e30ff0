// The NMR calculator and the nuclide information loop, driven as a user
// would on a pseudo-terminal; printed numbers read back against the
// formulas and the worked values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "nmrphys/console/con_physics.h"
#include "support/accuracy.h"
#include "support/pty_run.h"

namespace {

constexpr double kGamma1H = 42576388.1;

// Runs the calculator: the row key, then the steps, then the wrong input
// that ends the row, the key after it and a key that leaves the menu.
PtyResult Calculator(const char* key, std::vector<PtyStep> steps) {
  steps.insert(steps.begin(), {"Your choice: ", key});
  steps.push_back({"Hit any key", "z"});
  steps.push_back({"Your choice: ", "q"});
  return RunInPty([] { return static_cast<int>(ConMenuNmrCalculator(0, nullptr)); }, steps);
}

// The number printed after the n-th occurrence of a label.
double NumberAfter(const std::string& out, const std::string& label, int nth = 0) {
  size_t at = std::string::npos, from = 0;
  for (int i = 0; i <= nth; ++i) {
    at = out.find(label, from);
    if (at == std::string::npos) return NAN;
    from = at + label.size();
  }
  const std::string rest = out.substr(from, 40);
  if (rest.rfind("NaN", 0) == 0) return NAN;
  return std::strtod(rest.c_str(), nullptr);
}

TEST(NmrCalculator, ConversionsWithTheWorkedNumbers) {
  struct Case {
    const char* key;
    std::vector<PtyStep> steps;
    const char* label;
    const char* unit;
    double expected;  // the formula
    double worked;    // the rounded value
    double worked_tolerance;
  };
  const double b1 = 0.25 / (1e-5 * kGamma1H);
  const Case cases[] = {
      {"h",
       {{"[Mhz]:", "400\n"}, {"[Mhz]:", "\n"}},
       " Magnetic field: ",
       " T",
       400e6 / kGamma1H,
       9.39488,
       5e-6},
      {"t",
       {{"[Tesla]:", "9.4\n"}, {"[Tesla]:", "x\n"}},
       " Larmor frequency: ",
       " MHz",
       1e-6 * 9.4 * kGamma1H,
       400.218,
       5e-4},
      {"b",
       {{"duration [s]:", "1e-5\n"}, {"duration [s]:", "\n"}},
       " B1 magnitude: ",
       " T",
       b1,
       5.8718e-4,
       5e-9},
      {"s",
       {{"magnitude [T]:", "5.8718e-4\n"}, {"magnitude [T]:", "\n"}},
       " 1H 90-degrees flip B1 pulse duration: ",
       " s",
       0.25 / (5.8718e-4 * kGamma1H),
       1e-5,
       1e-9},
      {"0",
       {{"Nuclide:", "13C\n"}, {"[Mhz]:", "100.6\n"}, {"Nuclide:", "\n"}, {"[Mhz]:", "\n"}},
       " Magnetic field: ",
       " T",
       100.6e6 / 10.70839975e6,
       9.394494,
       5e-7},
      {"l",
       {{"Nuclide:", "31P\n"}, {"[Tesla]:", "9.4\n"}, {"Nuclide:", "\n"}, {"[Tesla]:", "\n"}},
       " Larmor frequency: ",
       " MHz",
       9.4 * 17.2514409,
       162.163544,
       1e-6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    PtyResult r = Calculator(c.key, c.steps);
    ASSERT_FALSE(r.timed_out) << r.output;
    EXPECT_EQ(r.exit_code, 0);
    const double printed = NumberAfter(r.output, c.label);
    // Fifteen digits, cut: within one unit of the last.
    EXPECT_LE(RelativeError(printed, c.expected), 1e-14) << r.output;
    EXPECT_NEAR(printed, c.worked, c.worked_tolerance);
    EXPECT_NE(r.output.find(c.unit, r.output.find(c.label)), std::string::npos);
  }
}

TEST(NmrCalculator, WrongInputTextsAndUnknownNuclides) {
  // h and 0 end with " Wrong input", the others with a line feed first.
  PtyResult h = Calculator("h", {{"[Mhz]:", "abc\n"}});
  EXPECT_NE(h.output.find(" Wrong input"), std::string::npos);
  EXPECT_EQ(h.output.find("\n Wrong input"), std::string::npos) << h.output;
  PtyResult t = Calculator("t", {{"[Tesla]:", "\n"}});
  EXPECT_NE(t.output.find("\n Wrong input"), std::string::npos) << t.output;
  // An unknown or empty nuclide only makes the result NaN; the row goes on.
  PtyResult l = Calculator("l", {{"Nuclide:", "Qq\n"},
                                 {"[Tesla]:", "9.4\n"},
                                 {"Nuclide:", "\n"},
                                 {"[Tesla]:", "2\n"},
                                 {"Nuclide:", "1H\n"},
                                 {"[Tesla]:", "inf\n"}});
  ASSERT_FALSE(l.timed_out) << l.output;
  EXPECT_TRUE(std::isnan(NumberAfter(l.output, " Larmor frequency: ", 0)));
  EXPECT_TRUE(std::isnan(NumberAfter(l.output, " Larmor frequency: ", 1)));
  EXPECT_NE(l.output.find("NaN MHz"), std::string::npos);
  EXPECT_NE(l.output.find("\n Wrong input"), std::string::npos);
}

TEST(NmrCalculator, NuclideInfoCardThenNotFound) {
  PtyResult r = Calculator("i", {{"interested in?", "C\n"}, {"interested in?", "14C\n"}});
  ASSERT_FALSE(r.timed_out) << r.output;
  const std::string& out = r.output;
  struct Line {
    const char* label;
    double value;
  };
  const Line lines[] = {
      {"\n Atomic number [Z]     ", 6},
      {"\n Mass number [A]       ", 13},
      {"\n Spin [hbar/2]         ", 1},
      {"\n Mass [AU]             ", 13.00335483544},
      {"\n Gamma ratio [MHz/T]   ", 10.70839975},
      {"\n g-factor              ", 10.70839975e6 * 6.62606957e-34 / 5.05078353e-27},
      {"\n Magnetic moment [J/T] ", 0.5 * 6.62606957e-34 * 10.70839975e6},
      {"\n Quadrupole momentum   ", 0},
      {"\n Abundance [%]         ", 1.07},
  };
  size_t from = 0;
  for (const Line& l : lines) {
    const size_t at = out.find(l.label, from);
    ASSERT_NE(at, std::string::npos) << l.label << out;
    from = at;
    const double v = NumberAfter(out.substr(at), l.label);
    EXPECT_LE(std::fabs(v - l.value), 1e-14 * std::fabs(l.value)) << l.label;
  }
  const size_t missing = out.find("\n ! Nuclide not found !", from);
  ASSERT_NE(missing, std::string::npos) << out;
  const size_t rule = out.find("\n ..........\n", missing);
  ASSERT_NE(rule, std::string::npos);
  // ConMenu reports the 13 that the loop answers.
  EXPECT_NE(out.find("Error 13", rule), std::string::npos) << out;
}

TEST(NmrCalculator, EndOfInputEndsEveryRow) {
  // Each read of the row meets the end of the input (Ctrl-D on the
  // terminal): the row ends with its message and the menu shows again.
  struct Row {
    const char* key;
    std::vector<const char*> prompts;
    const char* ending;
  };
  const Row rows[] = {{"i", {"interested in?"}, "! Nuclide not found !"},
                      {"h", {"[Mhz]:"}, " Wrong input"},
                      {"t", {"[Tesla]:"}, "\n Wrong input"},
                      {"0", {"Nuclide:", "[Mhz]:"}, " Wrong input"},
                      {"l", {"Nuclide:", "[Tesla]:"}, "\n Wrong input"},
                      {"b", {"[s]:"}, "\n Wrong input"},
                      {"s", {"[T]:"}, "\n Wrong input"}};
  for (const Row& row : rows) {
    std::vector<PtyStep> steps;
    for (const char* prompt : row.prompts) steps.push_back({prompt, "\x04"});
    PtyResult r = Calculator(row.key, steps);
    EXPECT_FALSE(r.timed_out) << row.key << r.output;
    EXPECT_EQ(r.exit_code, 0) << row.key;
    EXPECT_NE(r.output.find(row.ending), std::string::npos) << row.key;
  }
  // Without a terminal the information loop ends at once with 13.
  PtyResult info =
      RunInPty([] { return static_cast<int>(ConNuclideInfo(0, nullptr)); }, {}, false, 5000);
  EXPECT_FALSE(info.timed_out);
  EXPECT_EQ(info.exit_code, 13);
  EXPECT_NE(info.output.find("\n ! Nuclide not found !\n ..........\n"), std::string::npos);
}

}  // namespace
