// The calibration rows: checks and their messages, the QARRAY table, the
// concentrations read off the line.
#include "app/core/calibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<CalibrationRowTexts>;

TEST(Calibration, WholeNumbersOnly) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {{"1", true, 1},     {" 2.5 ", true, 2.5}, {"1e-3", true, 1e-3}, {"-4", true, -4},
               {"", false, 0},     {"-", false, 0},      {".", false, 0},      {"1e", false, 0},
               {"1,5", false, 0},  {"nan", false, 0},    {"inf", false, 0},    {"1e999", false, 0},
               {"0x10", false, 0}, {"+", false, 0}};
  for (const Case& c : cases) {
    double v = -99;
    EXPECT_EQ(ParseWholeNumber(c.text, &v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(Calibration, Alerts) {
  struct Case {
    Rows rows;
    const char* alert;
  } cases[] = {
      {{{true, "1", "10"}, {true, "2", "20"}}, ""},
      {{{true, "1", "10"}, {true, "", "20"}}, "Input concentration # 2"},
      {{{true, "1", "10"}, {true, "1e", "20"}}, "Input concentration # 2"},
      {{{true, "-", "10"}, {true, "2", "20"}}, "Input concentration # 1"},
      {{{true, "1", "10"}, {true, "2", "20"}, {false, ".", "30"}}, "Input concentration # 3"},
      {{{true, "1", "10"}, {true, "2", ""}}, "Quantify data # 2"},
      {{{true, "1", "10"}, {false, "2", "20"}, {false, "3", "30"}},
       "Select more than 1 data file."},
      {{{false, "", ""}, {true, "2", "20"}, {true, "3", "30"}}, ""},
      {{}, "Select more than 1 data file."},
  };
  for (const Case& c : cases) {
    std::string alert;
    EXPECT_EQ(CheckCalibrationRows(c.rows, &alert), c.alert[0] == 0) << c.alert;
    if (c.alert[0] != 0) {
      EXPECT_EQ(alert, c.alert);
    }
  }
}

TEST(Calibration, TableColumnsByUse) {
  const Rows rows = {{true, "1", "10"}, {false, "", "15"}, {false, "2", "20"}, {true, "3", "30"}};
  Qword m = 0;
  const std::vector<double> t = CalibrationTable(rows, &m);
  ASSERT_EQ(m, 3u);
  ASSERT_EQ(t.size(), 9u);
  EXPECT_EQ(t[0], 1);
  EXPECT_EQ(t[1], 2);
  EXPECT_EQ(t[2], 3);
  EXPECT_EQ(t[3], 10);
  EXPECT_TRUE(std::isnan(t[4]));
  EXPECT_EQ(t[5], 30);
  EXPECT_TRUE(std::isnan(t[6]));
  EXPECT_EQ(t[7], 20);
  EXPECT_TRUE(std::isnan(t[8]));
  EXPECT_EQ(CalibrationTableParameters(m), "3, 3");
}

TEST(Calibration, ConcentrationsFromTheLine) {
  const Rows rows = {
      {true, "1", "10"}, {true, "2", "20"}, {true, "3", "30"}, {false, "", ""}, {false, "", "45"}};
  std::vector<std::string> out;
  ASSERT_TRUE(ConcentrationsOut(rows, 10, 0, &out));
  EXPECT_EQ(out, (std::vector<std::string>{"1", "2", "3", "", "4.5"}));
  ASSERT_TRUE(ConcentrationsOut(rows, 2, 4, &out));
  EXPECT_EQ(out[0], "3");
  EXPECT_EQ(out[3], "");  // no quantity, no concentration (not -b/a)
  for (double a : {0.0, double(NAN), double(INFINITY)}) {
    out = {"kept"};
    EXPECT_FALSE(ConcentrationsOut(rows, a, 1, &out));
    EXPECT_EQ(out, std::vector<std::string>{"kept"});
  }
  EXPECT_FALSE(ConcentrationsOut(rows, 1, NAN, &out));
}

}  // namespace
