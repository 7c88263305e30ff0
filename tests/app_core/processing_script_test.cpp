// The Run Processing script: the lines of a setup column, nuclides matched
// without regard to case, every data set checked before anything is
// written.
#include "app/core/processing_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The lines of one procedure ("#ZEROFILL") in a script, without their CR LF.
std::vector<std::string> LinesOf(const std::string& script, const std::string& procedure) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < script.size()) {
    const size_t end = script.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "a line without CR LF: " << script.substr(at);
    if (end == std::string::npos) break;
    const std::string line = script.substr(at, end - at);
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    if (line.compare(0, procedure.size() + 1, procedure + ",") == 0) lines.push_back(line);
    at = end + 2;
  }
  return lines;
}

// With the default setup, item 0 gives the five lines the setup dialog's
// defaults stand for, in the order group delay, zero filling, both
// windows (Cos2Tmax first), quantification.
TEST(ProcessingScript, DefaultFiveLines) {
  EXPECT_EQ(ProcessingScriptLines(SetupColumn{}, 0),
            "#GROUPDELAY, 1, 0, 0z0\r\n"
            "#ZEROFILL, 1, 0, 0z0, , 0, 1024\r\n"
            "#APODIZE, 3, 0, 0z0, , 0,-1, 0.01\r\n"
            "#APODIZE, 8, 0, 0z0, , 0,-1, 0.0003, 2\r\n"
            "#QUANTIFY, 1, 768, 0z0, , 0, 4294967295\r\n");
}

// Each setup value against the lines of the procedure it governs; the
// other procedures' lines are those of the default column.
TEST(ProcessingScript, TableOfSetups) {
  struct Case {
    const char* what;
    void (*change)(SetupColumn*);
    Qword item;
    const char* procedure;
    std::vector<std::string> want;
  } cases[] = {
      {"item index", [](SetupColumn*) {}, 3, "#GROUPDELAY", {"#GROUPDELAY, 1, 0, 0z3"}},
      {"no group delay", [](SetupColumn* c) { c->do_group_delay = 0; }, 0, "#GROUPDELAY", {}},
      {"zero filling that doubles",
       [](SetupColumn* c) { c->zero_fill_choice = 1; },
       0,
       "#ZEROFILL",
       {"#ZEROFILL, 1, 0, 0z0, , 1, 0"}},
      {"zero filling to 2^14",
       [](SetupColumn* c) { c->zero_fill_choice = 14; },
       12,
       "#ZEROFILL",
       {"#ZEROFILL, 1, 0, 0z12, , 0, 16384"}},
      {"zero filling to 2^20",
       [](SetupColumn* c) { c->zero_fill_choice = 20; },
       0,
       "#ZEROFILL",
       {"#ZEROFILL, 1, 0, 0z0, , 0, 1048576"}},
      {"zero-fill choice 0 keeps the points",
       [](SetupColumn* c) { c->zero_fill_choice = 0; },
       0,
       "#ZEROFILL",
       {}},
      {"no zero filling", [](SetupColumn* c) { c->do_zero_fill = 0; }, 0, "#ZEROFILL", {}},
      {"no windows", [](SetupColumn* c) { c->do_apodization = 0; }, 0, "#APODIZE", {}},
      {"smoothstep alone",
       [](SetupColumn* c) {
         c->do_cos2 = 0;
         c->smooth_a = 0.00012345;
         c->smooth_n = 5;
       },
       2,
       "#APODIZE",
       {"#APODIZE, 8, 0, 0z2, , 0,-1, 0.00012345, 5"}},
      {"cos2 alone, Tmax as %g",
       [](SetupColumn* c) {
         c->do_smoothstep = 0;
         c->tmax = 1.5e-7;
       },
       0,
       "#APODIZE",
       {"#APODIZE, 3, 0, 0z0, , 0,-1, 1.5e-07"}},
      {"both windows, cos2 first",
       [](SetupColumn* c) {
         c->tmax = 0.25;
         c->smooth_a = 1234567;
       },
       1,
       "#APODIZE",
       {"#APODIZE, 3, 0, 0z1, , 0,-1, 0.25", "#APODIZE, 8, 0, 0z1, , 0,-1, 1.23457e+06, 2"}},
      {"power, maximum",
       [](SetupColumn* c) {
         c->target = 2;
         c->mode = 1;
         c->to = 500;
       },
       1,
       "#QUANTIFY",
       {"#QUANTIFY, 2, 1280, 0z1, , 0, 500"}},
      {"real part, unknown mode",
       [](SetupColumn* c) {
         c->target = 0;
         c->mode = 7;
         c->from = -1;
       },
       0,
       "#QUANTIFY",
       {"#QUANTIFY, 1, 256, 0z0, , 4294967295, 4294967295"}},
      {"unknown target",
       [](SetupColumn* c) {
         c->target = 9;
         c->from = 17;
       },
       0,
       "#QUANTIFY",
       {"#QUANTIFY, 1, 256, 0z0, , 17, 4294967295"}},
      {"no quantification", [](SetupColumn* c) { c->do_quantify = 0; }, 0, "#QUANTIFY", {}},
  };
  const char* const procedures[] = {"#GROUPDELAY", "#ZEROFILL", "#APODIZE", "#QUANTIFY"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetupColumn column;
    c.change(&column);
    const std::string script = ProcessingScriptLines(column, c.item);
    EXPECT_EQ(LinesOf(script, c.procedure), c.want);
    // The other lines are the default column's for the same item.
    const std::string unchanged = ProcessingScriptLines(SetupColumn{}, c.item);
    for (const char* other : procedures) {
      if (std::string(other) == c.procedure) continue;
      EXPECT_EQ(LinesOf(script, other), LinesOf(unchanged, other)) << other;
    }
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
