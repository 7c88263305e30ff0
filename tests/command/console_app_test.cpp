// The console front end on a pseudo-terminal: the title control string,
// the zone listing, the selection dialogue (ids, separators, the end of the
// input), the menus' answers without data, code 3 in console mode, and the
// links and manuals through the shell hook.
#include "command/console_app.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/platform/ui_hooks.h"
#include "base/strings.h"
#include "command_fixture.h"
#include "data_engine/ky_data.h"
#include "support/pty_run.h"

namespace {

// A root of `zones` zones with ZONE 1.., EXP, BS and BRLX, two blocks each.
cKyData* NewTree(int zones) {
  auto* root = new cKyData();
  root->data_type = kKyDataSimulation;
  root->type_name = DataTypeName(kKyDataSimulation);
  for (int z = 1; z <= zones; ++z) {
    auto* zone = new cKyData();
    const std::string id = std::to_string(z);
    zone->parameters.AddEntry("ZONE", id.c_str(), nullptr);
    zone->parameters.AddEntry("EXP", "SR/S", nullptr);
    zone->experiment_name = NewCopyStringA("SR/S", 0, kNoIndex);
    zone->parameters.AddEntry("BS", "64", nullptr);
    zone->parameters.AddEntry("BRLX", (std::to_string(z) + "e-1").c_str(), nullptr);
    zone->AddChild(new cKyData());
    zone->AddChild(new cKyData());
    root->AddChild(zone);
  }
  return root;
}

bool Selected(const KyAppRecord* record, int zone) {
  return record->data_root->Child(zone - 1)->TestFlags(kKyDataSelected) != 0;
}

Long g_answer = 1;
int g_questions = 0;
Long Answer(const std::string& title, const std::string& text, UiMessageType type) {
  if (type == kUiQuestionYesNo && title == "Data Selection" && text == "Is this correct?")
    ++g_questions;
  return g_answer;
}

class ConsoleAppTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    g_answer = 1;
    g_questions = 0;
  }
  void TearDown() override {
    UiHooksInstall(nullptr);
    CommandTest::TearDown();
  }
  // Runs body in a child on a terminal; the child's exit code is the body's.
  PtyResult Child(const std::function<int(KyAppRecord*)>& body, const std::vector<PtyStep>& steps,
                  bool terminal = true) {
    KyAppRecord* record = record_;
    return RunInPty(
        [record, body] {
          UiHooks hooks{};
          hooks.message_box = Answer;
          UiHooksInstall(&hooks);
          return body(record);
        },
        steps, terminal);
  }
};

TEST_F(ConsoleAppTest, SelectionDialogueReadsIdsAndSeparators) {
  struct Case {
    const char* line;
    bool expected[3];
    const char* title;
  };
  const Case cases[] = {
      {"1 -3 4\n", {true, false, false}, "[3] Selected: 1\x07"},
      {"2;3\n", {false, true, true}, "[3] Selected: 2\x07"},
      {"2,x,3\n", {false, true, true}, "[3] Selected: 2\x07"},
      {"-1 -2 -3\n", {false, false, false}, "[3] Selected: None\x07"},
      {"3 2 1\n", {true, true, true}, "[3] Selected: ALL\x07"},
      {"0 x 9\n", {false, false, true}, "[3] Selected: 1\x07"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    record_->data_root = NewTree(3);
    // Zone 3 starts selected: a negative id must clear it.
    record_->data_root->Child(2)->SetFlags(kKyDataSelected, true);
    if (c.line[0] == '3') record_->data_root->Child(2)->ClearFlags(kKyDataSelected, true);
    PtyResult r = Child(
        [](KyAppRecord* record) {
          const LibErrorCode e = ConAppEditSelection(1, record);
          int bits = 0;
          for (int z = 1; z <= 3; ++z) bits |= Selected(record, z) ? 1 << z : 0;
          return e == 0 && g_questions == 1 ? bits : 100 + static_cast<int>(e);
        },
        {{"(example: 1 -3 4): ", c.line}});
    EXPECT_FALSE(r.timed_out) << r.output;
    const int bits = (c.expected[0] ? 2 : 0) | (c.expected[1] ? 4 : 0) | (c.expected[2] ? 8 : 0);
    EXPECT_EQ(r.exit_code, bits) << r.output;
    EXPECT_NE(r.output.find(c.title), std::string::npos) << r.output;
    LibCommand(kKyCmdFreeData, record_);
  }
}

TEST_F(ConsoleAppTest, NoRepeatsTheDialogueAndTheEndOfInputEndsIt) {
  record_->data_root = NewTree(3);
  // Two answers of No, then the input ends: the dialogue must stop.
  g_answer = 0;
  PtyResult r = Child(
      [](KyAppRecord* record) {
        ConAppEditSelection(1, record);
        return (Selected(record, 1) ? 1 : 0) + (Selected(record, 2) ? 2 : 0) + 10 * g_questions;
      },
      {{"(example: 1 -3 4): ", "1\n"},
       {"(example: 1 -3 4): ", "2\n"},
       {"(example: 1 -3 4): ", "\x04"}});
  EXPECT_FALSE(r.timed_out) << r.output;
  EXPECT_EQ(r.exit_code, 3 + 20) << r.output;
  // Without a terminal and with the fallback's No the dialogue ends too.
  UiHooksInstall(nullptr);
  PtyResult headless = RunInPty(
      [record = record_] {
        UiHooksInstall(nullptr);
        ConAppEditSelection(1, record);
        return Selected(record, 3) ? 1 : 0;
      },
      {{"(example: 1 -3 4): ", "3\n"}}, false);
  EXPECT_FALSE(headless.timed_out);
  EXPECT_EQ(headless.exit_code, 1);
}

TEST_F(ConsoleAppTest, ZoneListingAndHeader) {
  record_->data_root = NewTree(2);
  record_->data_root->Child(0)->SetFlags(kKyDataSelected, true);
  PtyResult r =
      Child([](KyAppRecord* record) { return static_cast<int>(ConAppListZones(0, record)); }, {});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.output.find("\n Data type: SIMULATION (ID 12)"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("\n File: "), std::string::npos);
  // The selected zone in the default colour with its "s", the other grey.
  EXPECT_NE(r.output.find("\n s ZoneID: 1, EXP: SR/S, NBLK: 2, BS: 64, BRLX: 0.10000"),
            std::string::npos)
      << r.output;
  const size_t other = r.output.find("\n   ZoneID: 2, EXP: SR/S, NBLK: 2, BS: 64, BRLX: 0.20000");
  ASSERT_NE(other, std::string::npos);
  EXPECT_EQ(r.output.substr(other - 5, 5), "\x1b[37m");  // colour g, grey
  // Without the header; without data 14.
  PtyResult bare =
      Child([](KyAppRecord* record) { return static_cast<int>(ConAppListZones(1, record)); }, {});
  EXPECT_EQ(bare.output.find("Data type"), std::string::npos);
  LibCommand(kKyCmdFreeData, record_);
  EXPECT_EQ(ConAppListZones(0, record_), kErrMissingInputData);
  EXPECT_EQ(record_->error, kErrMissingInputData);
}

TEST_F(ConsoleAppTest, TitleWithAndWithoutData) {
  PtyResult none =
      Child([](KyAppRecord* record) { return static_cast<int>(ConAppSetTitle(0, record)); }, {});
  // The framework's title is empty before code 3: "T", the empty title, the rest.
  EXPECT_NE(none.output.find("\x1b]0;  (an Norvale utility)\x07"), std::string::npos)
      << none.output;
  record_->data_root = NewTree(2);
  record_->data_root->file_name = nullptr;
  PtyResult all = Child(
      [](KyAppRecord* record) {
        ConAppEditSelection(2, record);
        ConAppEditSelection(3, record);
        return static_cast<int>(ConAppEditSelection(2, record));
      },
      {});
  EXPECT_NE(all.output.find("[2] Selected: ALL\x07"), std::string::npos);
  EXPECT_NE(all.output.find("[2] Selected: None\x07"), std::string::npos);
}

TEST_F(ConsoleAppTest, MenusWithoutDataAndWithOneZone) {
  // "x" without data: 14 shown; "s" with one zone selects it at once.
  PtyResult x =
      Child([](KyAppRecord* record) { return static_cast<int>(ConAppMainMenu(0, record)); },
            {{"Your choice: ", "x"}, {"Hit any key", "z"}, {"Your choice: ", "#"}});
  EXPECT_FALSE(x.timed_out) << x.output;
  EXPECT_NE(x.output.find("\t Main MENU:"), std::string::npos);
  EXPECT_NE(x.output.find("Error 14"), std::string::npos) << x.output;
  record_->data_root = NewTree(1);
  PtyResult s = Child(
      [](KyAppRecord* record) {
        ConAppMainMenu(0, record);
        return Selected(record, 1) ? 0 : 1;
      },
      {{"Your choice: ", "s"}, {"Hit any key", "z"}, {"Your choice: ", "#"}});
  EXPECT_FALSE(s.timed_out) << s.output;
  EXPECT_EQ(s.exit_code, 0);
  EXPECT_NE(s.output.find("\n Single-zone data are always selected!\n"), std::string::npos);
  EXPECT_EQ(s.output.find("Data Selection MENU"), std::string::npos);
  EXPECT_NE(s.output.find("[1] Selected: ALL\x07"), std::string::npos);
  // With more zones the Data Selection menu, run once.
  LibCommand(kKyCmdFreeData, record_);
  record_->data_root = NewTree(2);
  PtyResult m = Child(
      [](KyAppRecord* record) {
        ConAppMainMenu(0, record);
        return Selected(record, 1) && Selected(record, 2) ? 0 : 1;
      },
      {{"Your choice: ", "s"},
       {"Your choice: ", "a"},
       {"Hit any key", "z"},
       {"Your choice: ", "#"}});
  EXPECT_FALSE(m.timed_out) << m.output;
  EXPECT_EQ(m.exit_code, 0);
  EXPECT_NE(m.output.find("\n\t Data Selection MENU:"), std::string::npos);
}

TEST_F(ConsoleAppTest, NullRecordAndFixedAnswers) {
  const ConMenuHandler handlers[] = {
      ConAppMainMenu,      ConAppLoadMenu,   ConAppLoadFile,      ConAppGenerateSynthetic,
      ConAppDropData,      ConAppSelectMenu, ConAppEditSelection, ConAppEvaluate,
      ConAppTaskSetup,     ConAppExportMenu, ConAppExportStelar,  ConAppShowBlock,
      ConAppUtilitiesMenu, ConAppHelpMenu,   ConAppNmrCalculator, ConAppOpenManual,
      ConAppOpenLink,      ConAppSetTitle,   ConAppRefreshTitle,  ConAppListZones};
  for (ConMenuHandler h : handlers) EXPECT_EQ(h(1, nullptr), kErrInterface);
  EXPECT_EQ(ConAppTaskSetup(0, record_), kErrNotYetImplemented);
  EXPECT_EQ(record_->error, kErrNotYetImplemented);
  EXPECT_EQ(ConAppSelectMenu(0, record_), kErrMissingInputData);
  EXPECT_EQ(ConAppExportMenu(0, record_), kErrMissingInputData);
  EXPECT_EQ(ConAppEditSelection(2, record_), kErrMissingInputData);
  record_->data_root = new cKyData();
  EXPECT_EQ(ConAppSelectMenu(0, record_), kErrMissingInputData);  // a root without zones
}

std::vector<std::string> g_opened;
bool g_open_ok = true;
bool RecordOpen(const std::string& target) {
  g_opened.push_back(target);
  return g_open_ok;
}

TEST_F(ConsoleAppTest, LinksAndManualsThroughTheShell) {
  g_opened.clear();
  UiHooks hooks{};
  hooks.open_document = RecordOpen;
  UiHooksInstall(&hooks);
  for (Long which = 0; which <= 2; ++which) EXPECT_EQ(ConAppOpenLink(which, record_), 0u);
  ASSERT_EQ(g_opened.size(), 3u);
  EXPECT_EQ(g_opened[0], "http://");
  EXPECT_EQ(g_opened[2].rfind("mailto:", 0), 0u);
  EXPECT_NE(g_opened[2].find("?subject="), std::string::npos);
  EXPECT_EQ(ConAppOpenLink(3, record_), kErrUnknownCommand);
  // Manuals beside the program: the framework's folder after code 3.
  KyAppInfo info;
  KyAppInfoInit(&info);
  info.mode = 0;  // neither window nor console: code 3 only fills the record
  Run(kKyCmdRun, &info);
  g_opened.clear();
  const char* names[] = {"Con_Manual.pdf", "Win_Manual.pdf", "Dll_Manual.pdf"};
  for (Long which = 0; which <= 2; ++which) {
    EXPECT_EQ(ConAppOpenManual(which, record_), 0u);
    ASSERT_EQ(g_opened.size(), static_cast<size_t>(which + 1));
    const std::string& link = g_opened.back();
    EXPECT_EQ(link.rfind("file:///", 0), 0u) << link;
    EXPECT_EQ(link.substr(link.size() - std::strlen(names[which])), names[which]);
    EXPECT_EQ(link[link.size() - std::strlen(names[which]) - 1], '/');
  }
  g_open_ok = false;
  EXPECT_EQ(ConAppOpenManual(0, record_), kErrMissingFile);
  EXPECT_EQ(record_->error, kErrMissingFile);
  EXPECT_EQ(ConAppOpenManual(7, record_), kErrMissingFile);
  g_open_ok = true;
}

TEST_F(ConsoleAppTest, CodeThreeInConsoleModeRunsTheMainMenu) {
  PtyResult r = Child(
      [](KyAppRecord* record) {
        KyAppInfo info;
        KyAppInfoInit(&info);
        info.mode = 1;
        std::strcpy(info.title, "Pelorin console");
        record->argument = &info;
        LibCommand(kKyCmdRun, record);
        // Code 102 on a tree refreshes the title in console mode.
        record->data_root = NewTree(1);
        record->argument = nullptr;
        LibCommand(kKyCmdFreeData, record);
        return static_cast<int>(record->error);
      },
      {{"Your choice: ", "#"}});
  EXPECT_FALSE(r.timed_out) << r.output;
  EXPECT_EQ(r.exit_code, 0);
  const size_t first = r.output.find("\x1b]0; Pelorin console (an Norvale utility)\x07");
  ASSERT_NE(first, std::string::npos) << r.output;
  EXPECT_NE(r.output.find("\t Main MENU:", first), std::string::npos);
  EXPECT_NE(r.output.find("\x1b]0; Pelorin console (an Norvale utility)\x07", first + 1),
            std::string::npos);
}

TEST_F(ConsoleAppTest, SyntheticDataGoesToTheSimulator) {
  // "y" loads data type 12 with the zone's parameter lines.
  LoadDataArgs seen{};
  std::string text;
  recorder_.On(kKyMsgBegin, [&](KyAppRecord* record) -> Dword {
    if (record->command == 98) {
      seen = *static_cast<LoadDataArgs*>(record->argument);
      text = seen.text ? seen.text : "";
    }
    return 0;
  });
  ConAppGenerateSynthetic(0, record_);
  EXPECT_EQ(seen.data_type, 12u);
  EXPECT_EQ(seen.path, nullptr);
  EXPECT_NE(text.find("ZONE=1\r"), std::string::npos) << text;
  EXPECT_NE(text.find("EXP=SR/S\r"), std::string::npos);
  char second[512];
  ConAppSyntheticParameters(2, second, sizeof second);
  EXPECT_NE(std::string(second).find("BRLX=0.20000\r"), std::string::npos);
  EXPECT_NE(std::string(second).find("TRLX=0.10000\r"), std::string::npos);
}

}  // namespace
