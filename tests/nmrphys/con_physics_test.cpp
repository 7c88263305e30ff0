// The physics category menus on a pseudo-terminal: every sub-menu reached
// by its key with its title, and leaves of each kind against closed forms
// and the mpmath tables (tools/gen_physics_reference.py).
#include "nmrphys/console/con_physics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/types.h"
#include "support/pty_run.h"

namespace {
#include "physics_reference.inc"

// Walks down the keys from the root, answers the inputs, then leaves every
// menu on the way back up: after a handler a key, then a key no row has.
// `leaf`: the last key runs a leaf (else it opens a menu that is left at
// once); `once`: the leaf's menu returns after one action by itself.
PtyResult Physics(const std::vector<std::string>& keys, const std::vector<PtyStep>& inputs,
                  bool leaf = true, bool once = false) {
  std::vector<PtyStep> steps;
  for (const std::string& k : keys) steps.push_back({"Your choice: ", k});
  steps.insert(steps.end(), inputs.begin(), inputs.end());
  // '#' is the key of no row in any of the menus.
  if (!leaf) steps.push_back({"Your choice: ", "#"});
  for (size_t menu = 0; menu < keys.size(); ++menu) {
    steps.push_back({"Hit any key", "z"});
    if (!(once && menu == 0)) steps.push_back({"Your choice: ", "#"});
  }
  return RunInPty([] { return static_cast<int>(ConMenu(kConPhysicsMenu, kConMenuClear, nullptr)); },
                  steps);
}

// The numbers printed after a label, read one after another.
std::vector<double> NumbersAfter(const std::string& out, const std::string& label, int count) {
  std::vector<double> values;
  const size_t at = out.find(label);
  if (at == std::string::npos) return values;
  const char* p = out.c_str() + at + label.size();
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    values.push_back(std::strtod(p, &end));
    if (end == p) break;
    p = end;
  }
  return values;
}

double DebyeReference(double x, int n) {
  for (const auto& row : kDebyeRows)
    if (row.x == x && row.n == n) return row.d;
  return NAN;
}

double NumberAfter(const std::string& out, const std::string& label) {
  std::vector<double> v = NumbersAfter(out, label, 1);
  return v.empty() ? NAN : v[0];
}

TEST(PhysicsMenu, EverySubMenuByItsKey) {
  struct Case {
    std::vector<std::string> keys;
    const char* title;
  };
  const Case cases[] = {
      {{"1"}, "\n PH1 Waves and basic kinematics "},
      {{"2"}, "\n PH2 Classical mechanics "},
      {{"3"}, "\n PH3 Quantum mechanics "},
      {{"4"}, "\n PH4 Electromagnetism "},
      {{"4", "a"}, "\n PH4a Electromagnetic field "},
      {{"4", "a", "1"}, "\n PH4a1 Electric permittivity and susceptibility "},
      {{"4", "a", "2"}, "\n PH4a2 Magnetic permeability and susceptibility "},
      {{"4", "a", "3"}, "\n PH4a3 Static EMF field generation and properties "},
      {{"4", "a", "4"}, "\n PH4a4 Coupling of EMF field to matter "},
      {{"4", "b"}, "\n PH4b Electromagnetic radiation "},
      {{"4", "b", "1"}, "\n PH4b1 Basics "},
      {{"4", "b", "2"}, "\n PH4b2 Termodynamics "},
      {{"4", "c"}, "\n PH4c Electromagnetic properties of media "},
      {{"4", "d"}, "\n PH4d Electromagnetic devices "},
      {{"5"}, "\n PH5 Relativity "},
      {{"6"}, "\n PH6 Statistical physics (general) "},
      {{"6", "d"},
       "\n Debye's function: D(x,n) = (n/x^n)Integral from 0 to x of [ t^n / (e^t - 1) ] dt"},
      {{"9"}, "\n PH9 Spin physics "},
      {{"9", "a"}, "\n\t NMR Calculator:"},
      {{"9", "b"}, "\n PH9b Statistical spin physics "},
      {{"9", "s"}, "\n PH9s Toravex tasks"},
      {{"x"}, "\n PHx Various "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    PtyResult r = Physics(c.keys, {}, false);
    EXPECT_FALSE(r.timed_out) << r.output;
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_NE(r.output.find("\n Select a Physics category //PH"), std::string::npos);
    EXPECT_NE(r.output.find(c.title), std::string::npos) << r.output;
  }
}

TEST(PhysicsMenu, LeavesPrintTheirFormulas) {
  constexpr double kC = 299792458.0;
  const double two_pi_root = 2 * 3.141592653589793 * std::sqrt(1 / 9.80665);
  struct Case {
    std::vector<std::string> keys;
    std::vector<PtyStep> inputs;
    const char* label;
    double expected;
    double tolerance;  // relative
  };
  const Case cases[] = {
      {{"1", "l"}, {{"[Hz]:", "100\n"}, {"[m/s]:", "340\n"}}, " Wavelength: ", 3.4, 1e-14},
      {{"3", "l"},
       {{"[m]:", "1e-6\n"}, {"quanta:", "2\n"}, {"[m/s]:", "3e8\n"}},
       " Energy: ",
       2 * 6.62606957e-34 * 3e8 / 1e-6,
       1e-14},
      {{"4", "b", "1", "a"},
       {{"[Hz]:", "1e9\n"}, {"quanta:", "\n"}},
       " Momentum: ",
       1e9 * 6.62606957e-34 / kC,
       1e-14},  // one quantum when not a number
      {{"4", "c", "a"},
       {{"vacuum):", "\n"}, {"vacuum):", "\n"}},
       " Speed of light: ",
       1 / std::sqrt(8.8541878128e-12 * 1.25663706e-6),
       1e-14},
      {{"5", "e"}, {{"[kg]:", "0\n"}, {"[kg*m/s]:", "1\n"}}, " Energy: ", kC, 1e-14},
      {{"6", "d", "1"},
       {{"(unsigned integer):", "3\n"}, {"x:", "1\n"}, {"(unsigned integer):", "\n"}},
       " rDebyeU(x,n) = ",
       DebyeReference(1, 3),
       1e-13},
      {{"6", "e", "2"}, {{"a table):", "1\n"}}, "\n E(x) = ", 1 / (std::exp(1.0) - 1), 1e-14},
      {{"9", "b", "z"}, {{"a table):", "0\n"}, {"(unsigned integer):", "1\n"}}, " Z(x) = ", 2, 0},
      {{"2", "p"},
       {{"[m]:", "1\n"}, {"[degrees]:", "90\n"}, {"[m]:", "\n"}},
       " Period: ",
       two_pi_root * kPendulumRows[2].ratio,
       1e-12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    // The Einstein menu runs once: its leaf returns to the PH6 menu directly.
    const bool once = c.keys.size() == 3 && c.keys[0] == "6" && c.keys[1] == "e";
    PtyResult r = Physics(c.keys, c.inputs, true, once);
    EXPECT_FALSE(r.timed_out) << r.output;
    const double printed = NumberAfter(r.output, c.label);
    EXPECT_LE(std::fabs(printed - c.expected), c.tolerance * std::fabs(c.expected) + 1e-300)
        << r.output;
  }
  // The debye row's count of operations follows the value.
  PtyResult d =
      Physics({"6", "d", "1"},
              {{"(unsigned integer):", "3\n"}, {"x:", "1\n"}, {"(unsigned integer):", "\n"}});
  EXPECT_GT(NumberAfter(d.output, " aocount = "), 0);
  EXPECT_NE(d.output.find(" Wrong input"), std::string::npos);
}

TEST(PhysicsMenu, WrongInputTextsAndSilentEnds) {
  // PH4 menus say "Wrong input" without the leading blank.
  PtyResult em = Physics({"4", "a", "1", "a"}, {{"permittivity:", "abc\n"}});
  const size_t at = em.output.find("Wrong input");
  ASSERT_NE(at, std::string::npos) << em.output;
  EXPECT_NE(em.output[at - 1], ' ');
  // PH1 with the blank.
  PtyResult ph1 = Physics({"1", "h"}, {{"[m]:", "\n"}});
  EXPECT_NE(ph1.output.find(" Wrong input"), std::string::npos);
  // A PH3 number of quanta that is not a number ends without output.
  PtyResult ph3 = Physics({"3", "h"}, {{"[Hz]:", "1e9\n"}, {"quanta:", "\n"}});
  EXPECT_FALSE(ph3.timed_out);
  EXPECT_EQ(ph3.output.find(" Energy: "), std::string::npos);
  EXPECT_EQ(ph3.output.find("Wrong input"), std::string::npos);
}

TEST(PhysicsMenu, VectorLeaves) {
  // F = q (E + v x B) = 2 ((0,0,1) + (1,0,0) x (0,1,0)) = (0, 0, 4).
  PtyResult f = Physics(
      {"4", "a", "4", "a"},
      {{"[C]:", "2\n"}, {"(x y z):", "1 0 0\n"}, {"(x y z):", "0 0 1\n"}, {"(x y z):", "0 1 0\n"}});
  EXPECT_FALSE(f.timed_out) << f.output;
  const std::vector<double> force = NumbersAfter(f.output, " Force: ", 3);
  ASSERT_EQ(force.size(), 3u) << f.output;
  EXPECT_EQ(force[0], 0);
  EXPECT_EQ(force[1], 0);
  EXPECT_EQ(force[2], 4);
  // Two numbers where three are needed: CinRArr's code, shown by the menu.
  PtyResult bad = Physics({"4", "a", "4", "a"}, {{"[C]:", "2\n"}, {"(x y z):", "1 2\n"}});
  EXPECT_FALSE(bad.timed_out) << bad.output;
  EXPECT_NE(bad.output.find("Error 22"), std::string::npos) << bad.output;
  // Energy density with vacuum defaults: (eps0 E^2 + B^2 / mu0) / 2.
  PtyResult u = Physics({"4", "a", "3", "a"}, {{"(x y z):", "3 4 0\n"},
                                               {"(x y z):", "0 0 1e-3\n"},
                                               {"vacuum):", "\n"},
                                               {"vacuum):", "\n"}});
  EXPECT_NEAR(NumberAfter(u.output, " Energy density: "),
              0.5 * (8.8541878128e-12 * 25 + 1e-6 / 1.25663706e-6), 1e-14);
}

TEST(PhysicsMenu, WaterDiffusionAndTheSpinRow) {
  PtyResult w = Physics(
      {"x", "d"}, {{"[Kelvin] = ", "298.15\n"}, {"[Kelvin] = ", "400\n"}, {"[Kelvin] = ", "\n"}});
  EXPECT_FALSE(w.timed_out) << w.output;
  EXPECT_NE(w.output.find(" Self-diffusion coefficient of water\n"), std::string::npos);
  EXPECT_NEAR(NumberAfter(w.output, " D(T) = "),
              1e-5 * std::exp(4.51145231045878 - 327362.4928869647 / (298.15 * 298.15)), 1e-18);
  EXPECT_NE(w.output.find(" D(T) = NaN [cm^2/s]"), std::string::npos);
  EXPECT_NE(w.output.find(" Wrong input"), std::string::npos);
  // The Toravex row runs the spin engine's example task.
  PtyResult s = Physics({"9", "s", "1"}, {});
  EXPECT_FALSE(s.timed_out) << s.output;
  EXPECT_NE(s.output.find("\n\n Default Toravex configuration:"), std::string::npos) << s.output;
}

TEST(PhysicsMenu, TabulatesForAnythingButANumber) {
  PtyResult t = Physics({"9", "b", "z"}, {{"a table):", "t\n"},
                                          {"(unsigned integer):", "1\n"},
                                          {"square):", "0\n"},
                                          {"Minimum value :", "1\n"},
                                          {"Maximum value :", "2\n"},
                                          {"Total points  :", "2\n"},
                                          {"both console and file", "1\n"}});
  EXPECT_FALSE(t.timed_out) << t.output;
  // Z(x) = e^(x/2) + e^(-x/2) for a spin 1/2, at x = 1 and 2.
  EXPECT_NEAR(NumberAfter(t.output, "\n 1\t"), 2 * std::cosh(0.5), 1e-14) << t.output;
  EXPECT_NEAR(NumberAfter(t.output, "\n 2\t"), 2 * std::cosh(1.0), 1e-14);
}

}  // namespace
