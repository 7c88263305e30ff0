// Menus and control strings driven on a pseudo-terminal.
#include "base/console_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "base/console_out.h"
#include "base/platform/ui_hooks.h"
#include "support/pty_run.h"

namespace {

LibErrorCode Fails15(Long, void*) { return 15; }
LibErrorCode Returns7(Long argument, void* context) {
  *static_cast<Long*>(context) += argument;
  return 7;
}

const ConMenuItemA kMenu[] = {
    {"Title", nullptr, 0},
    {"aFirst", Fails15, 0},
    {"bSecond", Returns7, 3},
    {nullptr, nullptr, 0},
};

TEST(ConsoleMenu, FindsTheFirstRowWithTheKey) {
  const ConMenuItem table[] = {{u"T", nullptr, 0},   {u"xa", nullptr, 0}, {u"kb", nullptr, 0},
                               {u"yc", nullptr, 0},  {u"zd", nullptr, 0}, {u"ke", nullptr, 0},
                               {nullptr, nullptr, 0}};
  EXPECT_EQ(ConFindMenuItem(u'k', table), 2u);
  EXPECT_EQ(ConFindMenuItem(u'T', table), 0u);
  EXPECT_EQ(ConFindMenuItem(u'K', table), ~Qword{0});
  EXPECT_EQ(ConFindMenuItemA('b', kMenu), 2u);
}

TEST(ConsoleMenu, ErrorShownMenuAgainThenOtherKeyEnds) {
  PtyResult r = RunInPty([] { return static_cast<int>(ConMenuA(kMenu, 0x20, nullptr)); },
                         {{"Your choice: ", "a"}, {"Your choice: ", "q"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
  const std::string& out = r.output;
  // Title in cyan and the rule, rows with their keys in yellow.
  EXPECT_NE(out.find("\x1b[96m\nTitle\n -----------------------------------------------------------"
                     "\x1b[0m\x1b[93m\n a\x1b[0m\tFirst\x1b[93m\n b\x1b[0m\tSecond"),
            std::string::npos);
  EXPECT_NE(out.find("\x1b[91m Error 15: "), std::string::npos);
  // Shown twice, ended by the key that no row has.
  EXPECT_NE(out.find("Title", out.find("Error 15")), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 6), " other");
}

TEST(ConsoleMenu, OnceGivesTheHandlersResult) {
  PtyResult r = RunInPty(
      [] {
        Long sum = 0;
        LibErrorCode e = ConMenuA(kMenu, 0x4, &sum);
        return e == 7 && sum == 3 ? 0 : 1;
      },
      {{"Your choice: ", "b"}, {"Hit any key", "z"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

TEST(ConsoleMenu, EndsWithoutATerminal) {
  PtyResult r =
      RunInPty([] { return static_cast<int>(ConMenuA(kMenu, 0, nullptr)); }, {}, false, 3000);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
}

TEST(ConsoleQuasso, ControlStrings) {
  EXPECT_EQ(RunInPty([] { return ConQuassoA("Cpwarn") == 0 && ConCurrentColor() == 4 ? 0 : 1; }, {})
                .output,
            "\x1b[93mwarn");
  EXPECT_EQ(
      RunInPty([] { return ConQuasso(u"Xs") + ConQuasso(u"Xa") + ConQuassoA("Qz"); }, {}).output,
      "\x1b[H\x1b[J");
  EXPECT_EQ(RunInPty([] { return ConQuassoA("T a\x01\x1b]b\xc2\x85\xc3\xa9"); }, {}).output,
            "\x1b]0; a]b\xc3\xa9\x07");
  PtyResult shell = RunInPty([] { return ConQuassoA("Sexit 3") == 3 ? 0 : 1; }, {}, false);
  EXPECT_EQ(shell.exit_code, 0);
  EXPECT_EQ(ConQuassoA(nullptr), 0);
  EXPECT_EQ(RunInPty([] { return ConQuassoA("C"); }, {}).output, "");
}

}  // namespace

namespace {

TEST(ConsoleMenu, OutputDestinationAnswers) {
  struct Case {
    const char* typed;
    int expected;
  };
  const Case cases[] = {{"1\n", 1}, {"2\n", 2}, {"7\n", 3}, {"x\n", 3}, {"2.4\n", 3}};
  for (const Case& c : cases) {
    PtyResult r = RunInPty([] { return static_cast<int>(CinOutputDestination()); },
                           {{"both console and file", c.typed}});
    EXPECT_EQ(r.exit_code, c.expected) << c.typed;
  }
  // No input at all: both.
  EXPECT_EQ(RunInPty([] { return static_cast<int>(CinOutputDestination()); }, {}, false).exit_code,
            3);
}

}  // namespace

namespace {

// The beep of a key that is no choice: 300 ms at 880 Hz through the hooks.
struct BeepLog {
  static inline int count = 0;
  static inline Dword frequency = 0, duration = 0;
  static void Beep(Dword f, Dword d) {
    ++count;
    frequency = f;
    duration = d;
  }
};

TEST(ConsoleMenu, EnterBeepsAndEndsTheMenu) {
  PtyResult r = RunInPty(
      [] {
        UiHooks hooks{};
        hooks.beep = BeepLog::Beep;
        UiHooksInstall(&hooks);
        const LibErrorCode e = ConMenuA(kMenu, 0, nullptr);
        return e == 0 && BeepLog::count == 1 && BeepLog::frequency == 880 &&
                       BeepLog::duration == 300
                   ? 0
                   : 1;
      },
      {{"Your choice: ", "\r"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0) << r.output;
  // The key is no printable choice: no " other" after the prompt.
  EXPECT_EQ(r.output.find(" other", r.output.rfind("Your choice: ")), std::string::npos);
}

}  // namespace
