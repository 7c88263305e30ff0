// Console commands, run in a child process on a pseudo-terminal.
#include <string>

#include "base/console_menu.h"
#include "base/console_out.h"
#include "command_fixture.h"
#include "support/pty_run.h"

namespace {

int RunCommand(Dword code, const void* argument) {
  KyAppRecord* record = LibCommand(kKyCmdCreate, nullptr);
  record->argument = const_cast<void*>(argument);
  LibCommand(code, record);
  const int error = static_cast<int>(record->error);
  LibCommand(kKyCmdFree, record);
  return error;
}

TEST(ConsoleCommandTest, WideAndNarrowOutput) {
  PtyResult r = RunInPty([] { return RunCommand(kKyCmdCout, u"wide \u00e9 text\n"); }, {});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.output.find("wide \xc3\xa9 text"), std::string::npos) << r.output;
  r = RunInPty([] { return RunCommand(kKyCmdCoutA, "narrow text\n"); }, {});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.output.find("narrow text"), std::string::npos) << r.output;
}

TEST(ConsoleCommandTest, ControlStringSetsTheTitle) {
  PtyResult r = RunInPty([] { return RunCommand(kKyCmdConQuasso, u"TPelorin console"); }, {});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.output.find("Pelorin console"), std::string::npos) << r.output;
}

LibErrorCode MarkAction(Long argument, void* context) {
  // The handler's context is the record that ran the menu.
  auto* record = static_cast<KyAppRecord*>(context);
  CoutA(record->command == kKyCmdConMenu ? "ran action " : "wrong context ",
        argument == 42 ? "42\n" : "?\n");
  return 0;
}

// A title row with 0x4 runs the menu for one action and returns.
TEST(ConsoleCommandTest, MenuRunsOnceWithTheRecordAsContext) {
  PtyResult r = RunInPty(
      [] {
        static const ConMenuItem table[] = {
            {u" Test menu", nullptr, 0x4}, {u"aAction", MarkAction, 42}, {nullptr, nullptr, 0}};
        return RunCommand(kKyCmdConMenu, table);
      },
      {{"Your choice", "a"}, {"Hit any key", "x"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.output.find("ran action 42"), std::string::npos) << r.output;
}

}  // namespace
