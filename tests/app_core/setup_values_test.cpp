// The processing setup's values: the fourteen configuration lines, reading
// them back (also partly), the dialog's texts and the checks of typed
// values.
#include "app/core/setup_values.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

const char* const kDefaultSection =
    "DoGroupDelay 1 1\r\nDoApo 1 1\r\nDoApoCos2 1 1\r\nApoCos2Par 0.01 0.01\r\n"
    "DoApoSmooStep 1 1\r\nApoSmooStepParA 0.0003 0.0003\r\nApoSmooStepParN 2 2\r\n"
    "DoZeroFill 1 1\r\nZeroFillPar 10 10\r\nQTarget 1 1\r\nDoQuant 1 1\r\nQMode 0 0\r\n"
    "QFrom 0 0\r\nQTo -1 -1\r\n";

TEST(SetupValues, DefaultsGiveTheFourteenLines) {
  const std::string text = FormatSetupText(SetupValues{});
  EXPECT_EQ(text, kDefaultSection);
  size_t lines = 0;
  for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_EQ(lines, 14u);
}

TEST(SetupValues, RoundTripOfOddValues) {
  SetupValues s;
  s.column[0].smooth_a = 0.00012345;
  s.column[1].tmax = 0.1 + 0.2;  // needs 17 digits
  s.column[1].smooth_n = 4294967295u;
  s.column[0].from = -2147483647 - 1;
  s.column[1].to = 500;
  s.column[1].do_cos2 = 0;
  s.column[0].zero_fill_choice = 20;
  s.column[1].target = 2;
  s.column[1].mode = 1;
  const std::string text = FormatSetupText(s);
  SetupValues back;
  EXPECT_EQ(ParseSetupText(text.c_str(), &back), 14);
  EXPECT_EQ(FormatSetupText(back), text);
  EXPECT_EQ(back.column[0].smooth_a, 0.00012345);
  EXPECT_EQ(back.column[1].tmax, 0.1 + 0.2);
  EXPECT_EQ(back.column[1].smooth_n, 4294967295u);
  EXPECT_EQ(back.column[0].from, -2147483647 - 1);
}

TEST(SetupValues, ReadingStopsAtTheFirstMismatch) {
  SetupValues before;
  before.column[0].smooth_a = 0.5;  // line 6, after the bad fifth line
  std::string text = FormatSetupText(SetupValues{});
  // Line 1 and line 4 changed, line 5 malformed.
  text.replace(text.find("DoGroupDelay 1 1"), 16, "DoGroupDelay 0 1");
  text.replace(text.find("ApoCos2Par 0.01 0.01"), 20, "ApoCos2Par 0.02 0.03");
  text.replace(text.find("DoApoSmooStep 1 1"), 17, "DoApoSmooStep x 1");
  EXPECT_EQ(ParseSetupText(text.c_str(), &before), 4);
  EXPECT_EQ(before.column[0].do_group_delay, 0);
  EXPECT_EQ(before.column[1].tmax, 0.03);
  EXPECT_EQ(before.column[0].smooth_a, 0.5);
}

TEST(SetupValues, ValuesOutOfRangeAreMismatches) {
  const char* cases[] = {"DoGroupDelay 2 1\r\n", "DoGroupDelay 1\r\n", "DoGroupDelay 1 1 1\r\n",
                         "DoApo 1 1\r\n", "DoGroupDelay -1 1\r\n"};
  for (const char* c : cases) {
    SetupValues s;
    EXPECT_EQ(ParseSetupText(c, &s), 0) << c;
    EXPECT_EQ(s.column[0].do_group_delay, 1) << c;
  }
  std::string text = FormatSetupText(SetupValues{});
  text.replace(text.find("ZeroFillPar 10 10"), 17, "ZeroFillPar 10 21");
  SetupValues s;
  EXPECT_EQ(ParseSetupText(text.c_str(), &s), 8);
  EXPECT_EQ(s.column[1].zero_fill_choice, 10u);
}

TEST(SetupValues, LocaleDoesNotChangeTheText) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
  EXPECT_EQ(FormatSetupText(SetupValues{}), kDefaultSection);
  SetupValues s;
  EXPECT_EQ(ParseSetupText(kDefaultSection, &s), 14);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(SetupValues, DialogTextsRoundTrip) {
  SetupColumn c;
  c.smooth_a = 0.00012345;
  const SetupColumnTexts t = SetupColumnToTexts(c);
  EXPECT_EQ(t.smooth_a, "0.00012345");
  EXPECT_EQ(t.tmax, "0.01");
  EXPECT_EQ(t.to, "-1");
  SetupColumn back;
  std::string bad;
  ASSERT_TRUE(SetupColumnFromTexts(t, &back, &bad));
  EXPECT_EQ(back.smooth_a, c.smooth_a);
  EXPECT_EQ(back.tmax, c.tmax);
  EXPECT_EQ(back.to, -1);
}

TEST(SetupValues, TypedValuesAreChecked) {
  struct Case {
    SetupColumnTexts texts;
    const char* bad;
  } cases[] = {
      {{"0.01", "0.0003", "2", "0", "-1"}, ""},
      {{" 0.02 ", "3e-4", "+7", "-5", "500"}, ""},
      {{"0", "0.0003", "2", "0", "-1"}, "Tmax [s]"},
      {{"abc", "0.0003", "2", "0", "-1"}, "Tmax [s]"},
      {{"", "0.0003", "2", "0", "-1"}, "Tmax [s]"},
      {{"-0.01", "0.0003", "2", "0", "-1"}, "Tmax [s]"},
      {{"1e999", "0.0003", "2", "0", "-1"}, "Tmax [s]"},
      {{"0.01", "0", "2", "0", "-1"}, "a [s]"},
      {{"0.01", "nan", "2", "0", "-1"}, "a [s]"},
      {{"0.01", "1e", "2", "0", "-1"}, "a [s]"},
      {{"0.01", "0.0003", "0", "0", "-1"}, "n"},
      {{"0.01", "0.0003", "-1", "0", "-1"}, "n"},
      {{"0.01", "0.0003", "2.5", "0", "-1"}, "n"},
      {{"0.01", "0.0003", "4294967296", "0", "-1"}, "n"},
      {{"0.01", "0.0003", "2", "x", "-1"}, "from"},
      {{"0.01", "0.0003", "2", "2147483648", "-1"}, "from"},
      {{"0.01", "0.0003", "2", "0", ""}, "to"},
      {{"0.01", "0.0003", "2", "0", "-"}, "to"},
  };
  for (const Case& c : cases) {
    SetupColumn column;
    column.tmax = 7;
    std::string bad;
    const bool ok = SetupColumnFromTexts(c.texts, &column, &bad);
    EXPECT_EQ(ok, c.bad[0] == 0) << c.texts.tmax << " " << c.texts.smooth_a << " "
                                 << c.texts.smooth_n;
    if (!ok) {
      EXPECT_EQ(bad, c.bad);
      EXPECT_EQ(column.tmax, 7.0);  // nothing taken
    }
  }
  EXPECT_EQ(SetupFieldAlert(1, "n"), "Invalid value of \"n\" in the 13C setup.");
}

}  // namespace
