// Service commands: error texts, the shell, the local time, releasing
// blocks and objects, the kind test and the fixed answers; and the null
// argument of every command that takes a pointer.
#include <cstring>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/platform/ui_hooks.h"
#include "command_fixture.h"
#include "framework/ky_list.h"
#include "support/alloc_failure.h"

namespace {

struct ErrorTextCase {
  Dword code;
  const char* text;
};

TEST_F(CommandTest, ErrorTextsNarrowAndWide) {
  const ErrorTextCase cases[] = {{0, ""},
                                 {10, "Unknown command"},
                                 {0x80001, "Allocation failure"},
                                 {9, "Not yet implemented"}};
  for (const ErrorTextCase& c : cases) {
    ErrorTextArgs args{c.code, nullptr, nullptr};
    EXPECT_EQ(Run(kKyCmdErrorTextA, &args), 0u);
    ASSERT_NE(args.narrow, nullptr);
    EXPECT_STREQ(args.narrow, c.text);
    EXPECT_EQ(args.wide, nullptr);
    EXPECT_EQ(Run(kKyCmdErrorText, &args), 0u);
    ASSERT_NE(args.wide, nullptr);
    EXPECT_EQ(std::u16string(args.wide), std::u16string(c.text, c.text + std::strlen(c.text)));
  }
}

std::vector<std::string> g_opened;
bool RecordOpen(const std::string& target) {
  g_opened.push_back(target);
  return target != "/refused";
}

class ShellTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    g_opened.clear();
    UiHooks hooks{};
    hooks.open_document = RecordOpen;
    UiHooksInstall(&hooks);
  }
  void TearDown() override {
    UiHooksInstall(nullptr);
    CommandTest::TearDown();
  }
};

TEST_F(ShellTest, OpensThroughTheHook) {
  EXPECT_EQ(Run(kKyCmdShellOpen, const_cast<char16_t*>(u"/data/guide.pdf")), 0u);
  EXPECT_EQ(g_opened, std::vector<std::string>{"/data/guide.pdf"});
}

TEST_F(ShellTest, FailureIsShellCommandError) {
  EXPECT_EQ(Run(kKyCmdShellOpen, const_cast<char16_t*>(u"/refused")), kErrShellCommand);
}

TEST_F(ShellTest, EmptyOrMissingTargetIsUndefinedFile) {
  EXPECT_EQ(Run(kKyCmdShellOpen, nullptr), kErrUndefinedFile);
  EXPECT_EQ(Run(kKyCmdShellOpen, const_cast<char16_t*>(u"")), kErrUndefinedFile);
  EXPECT_TRUE(g_opened.empty());
}

TEST_F(ShellTest, ItemFolderWithoutATreeDoesNothing) {
  EXPECT_EQ(Run(kKyCmdOpenItemFolder, nullptr), 0u);
  EXPECT_TRUE(g_opened.empty());
}

struct TimeCase {
  SYSTEMTIME time;
  const char* text;
};

TEST_F(CommandTest, LocalTimeWithoutLeadingZeros) {
  const TimeCase cases[] = {
      {{2022, 5, 1, 16, 9, 3, 7, 0}, "2022-5-16 9:3:7"},
      {{1999, 12, 5, 31, 23, 59, 59, 999}, "1999-12-31 23:59:59"},
      {{2000, 1, 6, 1, 0, 0, 0, 0}, "2000-1-1 0:0:0"},
  };
  for (const TimeCase& c : cases) {
    KyCommandClockOverrideForTesting(&c.time);
    EXPECT_EQ(Run(kKyCmdLocalTime), 0u);
    KyCommandClockOverrideForTesting(nullptr);
    ASSERT_NE(record_->result.pointer, nullptr);
    EXPECT_STREQ(static_cast<char*>(record_->result.pointer), c.text);
    // Code 124 on the result field frees the text and clears the field.
    EXPECT_EQ(Run(kKyCmdKill, &record_->result.pointer), 0u);
    EXPECT_EQ(record_->result.pointer, nullptr);
  }
}

TEST_F(CommandTest, LocalTimeFromTheClockHasSixFields) {
  EXPECT_EQ(Run(kKyCmdLocalTime), 0u);
  char* text = static_cast<char*>(record_->result.pointer);
  ASSERT_NE(text, nullptr);
  unsigned y, mo, d, h, mi, s;
  char tail;
  EXPECT_EQ(std::sscanf(text, "%u-%u-%u %u:%u:%u%c", &y, &mo, &d, &h, &mi, &s, &tail), 6) << text;
  EXPECT_GE(y, 2020u);
  EXPECT_TRUE(mo >= 1 && mo <= 12 && d >= 1 && d <= 31 && h < 24 && mi < 60 && s < 61);
  Run(kKyCmdKill2, &record_->result.pointer);
  EXPECT_EQ(record_->result.pointer, nullptr);
}

TEST_F(CommandTest, LocalTimeReportsAllocationFailure) {
  AllocFailureGuard fail(0);
  const Dword error = Run(kKyCmdLocalTime);
  fail.Release();
  EXPECT_EQ(error, kErrAlloc);
  EXPECT_EQ(record_->result.pointer, nullptr);
}

// An object that counts its destructions.
int g_destroyed = 0;
class Counted : public cKyListItem {
 public:
  ~Counted() override { ++g_destroyed; }
};

TEST_F(CommandTest, KillObjectDeletesThroughTheVirtualDestructor) {
  g_destroyed = 0;
  cKyListItem* object = new Counted;
  EXPECT_EQ(Run(kKyCmdKillObject, &object), 0u);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(g_destroyed, 1);
  // A null object pointer does nothing.
  EXPECT_EQ(Run(kKyCmdKillObject, &object), 0u);
  EXPECT_EQ(g_destroyed, 1);
}

TEST_F(CommandTest, KillOfANullBlockDoesNothing) {
  void* block = nullptr;
  EXPECT_EQ(Run(kKyCmdKill, &block), 0u);
  EXPECT_EQ(block, nullptr);
}

TEST_F(CommandTest, KindTestReadsTheFifthWordAndSendsSeventeen) {
  for (Qword kind : {Qword{13}, Qword{12}, Qword{0}, ~Qword{0}}) {
    recorder_.Clear();
    Qword words[6] = {13, 13, 13, 13, kind, 13};
    record_->result.u64 = 99;
    EXPECT_EQ(Run(kKyCmdKindTest, words), 0u);
    EXPECT_EQ(record_->result.u64, kind == 13 ? 13u : 0u);
    EXPECT_EQ(recorder_.Messages(), (std::vector<Dword>{kKyMsgBegin, kKyMsgKindTested, kKyMsgEnd}));
    EXPECT_EQ(recorder_.Log()[1].argument, words);
  }
}

TEST_F(CommandTest, FixedAnswers) {
  EXPECT_EQ(Run(kKyCmdReserved112), kErrNotYetImplemented);
  EXPECT_EQ(Run(kKyCmdReserved116), kErrNotYetImplemented);
  EXPECT_EQ(Run(kKyCmdNothing), 0u);
}

// Every command that reads through a pointer answers 22 for a null one
// instead of touching it.
TEST_F(CommandTest, NullPointerArgumentsAnswerMissingArguments) {
  const Dword codes[] = {
      kKyCmdRun,  kKyCmdErrorText, kKyCmdErrorTextA,    kKyCmdKillObject,    kKyCmdKindTest,
      kKyCmdKill, kKyCmdKill2,     kKyCmdAddRecentFile, kKyCmdWriteTextFile, kKyCmdConQuasso,
      kKyCmdCout, kKyCmdCoutA,     kKyCmdConMenu};
  for (Dword code : codes) {
    recorder_.Clear();
    EXPECT_EQ(Run(code, nullptr), kErrMissingArguments) << code;
    EXPECT_EQ(recorder_.Count(kKyMsgError), 1u) << code;
  }
}

}  // namespace
