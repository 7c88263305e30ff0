// The Run Processing script: the lines of a setup column, nuclides matched
// without regard to case, every data set checked before anything is
// written.
#include "app/core/processing_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ProcessingScript, DefaultFiveLines) {
  EXPECT_EQ(ProcessingScriptLines(SetupColumn{}, 0),
            "#GROUPDELAY, 1, 0, 0z0\r\n"
            "#ZEROFILL, 1, 0, 0z0, , 0, 1024\r\n"
            "#APODIZE, 3, 0, 0z0, , 0,-1, 0.01\r\n"
            "#APODIZE, 8, 0, 0z0, , 0,-1, 0.0003, 2\r\n"
            "#QUANTIFY, 1, 768, 0z0, , 0, 4294967295\r\n");
}

TEST(ProcessingScript, TableOfSetups) {
  struct Case {
    void (*change)(SetupColumn*);
    Qword item;
    const char* want;
  } cases[] = {
      {[](SetupColumn* c) {
         c->zero_fill_choice = 0;
         c->do_apodization = 0;
         c->do_quantify = 0;
       },
       3, "#GROUPDELAY, 1, 0, 0z3\r\n"},
      {[](SetupColumn* c) {
         c->zero_fill_choice = 1;
         c->do_group_delay = 0;
         c->do_apodization = 0;
         c->do_quantify = 0;
       },
       0, "#ZEROFILL, 1, 0, 0z0, , 1, 0\r\n"},
      {[](SetupColumn* c) {
         c->zero_fill_choice = 14;
         c->do_group_delay = 0;
         c->do_apodization = 0;
         c->do_quantify = 0;
       },
       12, "#ZEROFILL, 1, 0, 0z12, , 0, 16384\r\n"},
      {[](SetupColumn* c) {
         c->do_zero_fill = 0;
         c->do_group_delay = 0;
         c->do_apodization = 0;
         c->do_quantify = 0;
       },
       0, ""},
      {[](SetupColumn* c) {
         c->do_group_delay = 0;
         c->do_zero_fill = 0;
         c->do_apodization = 0;
         c->target = 2;
         c->mode = 1;
         c->to = 500;
       },
       1, "#QUANTIFY, 2, 1280, 0z1, , 0, 500\r\n"},
      {[](SetupColumn* c) {
         c->do_group_delay = 0;
         c->do_zero_fill = 0;
         c->do_apodization = 0;
         c->target = 0;
         c->mode = 7;
         c->from = -1;
       },
       0, "#QUANTIFY, 1, 256, 0z0, , 4294967295, 4294967295\r\n"},
      {[](SetupColumn* c) {
         c->do_group_delay = 0;
         c->do_zero_fill = 0;
         c->do_quantify = 0;
         c->do_cos2 = 0;
         c->smooth_a = 0.00012345;
         c->smooth_n = 5;
       },
       2, "#APODIZE, 8, 0, 0z2, , 0,-1, 0.00012345, 5\r\n"},
      {[](SetupColumn* c) {
         c->do_group_delay = 0;
         c->do_zero_fill = 0;
         c->do_quantify = 0;
         c->do_apodization = 0;
       },
       0, ""},
      {[](SetupColumn* c) {
         c->do_group_delay = 0;
         c->do_zero_fill = 0;
         c->do_quantify = 0;
         c->do_smoothstep = 0;
         c->tmax = 1.5e-7;
       },
       0, "#APODIZE, 3, 0, 0z0, , 0,-1, 1.5e-07\r\n"},
  };
  for (const Case& c : cases) {
    SetupColumn column;
    c.change(&column);
    EXPECT_EQ(ProcessingScriptLines(column, c.item), c.want);
  }
}

TEST(ProcessingScript, ColumnsByNuclideIgnoringCase) {
  EXPECT_EQ(FindSetupColumn("29Si"), 0);
  EXPECT_EQ(FindSetupColumn("29si"), 0);
  EXPECT_EQ(FindSetupColumn("13c"), 1);
  EXPECT_EQ(FindSetupColumn("13C"), 1);
  for (const char* other : {"1H", "", "13", "13CC", " 13C"})
    EXPECT_EQ(FindSetupColumn(other), -1) << other;
  SetupValues setup;
  setup.column[1].tmax = 0.02;
  std::string script;
  Qword bad = 99;
  ASSERT_TRUE(BuildProcessingScript(setup, {"29Si", "13c"}, &script, &bad));
  EXPECT_EQ(script,
            ProcessingScriptLines(setup.column[0], 0) + ProcessingScriptLines(setup.column[1], 1));
  EXPECT_NE(script.find("0z1, , 0,-1, 0.02\r\n"), std::string::npos);
}

TEST(ProcessingScript, AnInvalidNuclideStopsBeforeAnything) {
  std::string script = "old";
  Qword bad = 0;
  EXPECT_FALSE(BuildProcessingScript(SetupValues{}, {"29Si", "1H", "13C"}, &script, &bad));
  EXPECT_EQ(bad, 1u);
  EXPECT_TRUE(script.empty());
  EXPECT_EQ(InvalidNuclideAlert(bad), "Invalid nuclide in data #2.");
  EXPECT_TRUE(BuildProcessingScript(SetupValues{}, {}, &script, &bad));
  EXPECT_TRUE(script.empty());
}

}  // namespace
