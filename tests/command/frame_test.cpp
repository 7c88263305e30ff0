// The record, the frame around every command, codes 1 to 3 and the
// command table's ranges.
#include <cstring>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "command/command_table.h"
#include "command_fixture.h"
#include "support/alloc_failure.h"

namespace {

TEST(RecordTest, CodeOneMakesAClearRecordWithCommandOne) {
  KyAppRecord* r = LibCommand(kKyCmdCreate, nullptr);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->flags, 0u);
  EXPECT_EQ(r->error, 0u);
  EXPECT_EQ(r->command, 1u);
  EXPECT_EQ(r->callback, nullptr);
  EXPECT_EQ(r->argument, nullptr);
  EXPECT_EQ(r->result.u64, 0u);
  EXPECT_EQ(r->data_root, nullptr);
  EXPECT_EQ(LibCommand(kKyCmdFree, r), nullptr);
}

TEST(RecordTest, LayoutIsTheFortyEightByteRecord) {
  EXPECT_EQ(sizeof(KyAppRecord), 48u);
  EXPECT_EQ(offsetof(KyAppRecord, flags), 0u);
  EXPECT_EQ(offsetof(KyAppRecord, error), 4u);
  EXPECT_EQ(offsetof(KyAppRecord, command), 8u);
  EXPECT_EQ(offsetof(KyAppRecord, callback), 16u);
  EXPECT_EQ(offsetof(KyAppRecord, argument), 24u);
  EXPECT_EQ(offsetof(KyAppRecord, result), 32u);
  EXPECT_EQ(offsetof(KyAppRecord, data_root), 40u);
}

TEST(RecordTest, CodeOneAnswersNullWhenTheAllocationFails) {
  AllocFailureGuard fail(0);
  KyAppRecord* r = LibCommand(kKyCmdCreate, nullptr);
  fail.Release();
  EXPECT_EQ(r, nullptr);
}

TEST(RecordTest, EveryCodeButOneAnswersNullWithoutARecord) {
  for (Dword code : {0u, 2u, 3u, 4u, 7u, 119u, 137u, 1001u, 10001u, 0xFFFFFFFFu})
    EXPECT_EQ(LibCommand(code, nullptr), nullptr) << code;
}

TEST(RecordTest, AppInfoConstructorDefaults) {
  KyAppInfo info;
  std::memset(&info, 0x5A, sizeof info);
  KyAppInfoInit(&info);
  EXPECT_EQ(info.text_capacity, 1024u);
  EXPECT_EQ(info.mode, 2u);
  EXPECT_EQ(info.app_version[0], 1u);
  EXPECT_EQ(info.app_version[1], 0u);
  EXPECT_EQ(info.app_version[2], 10u);
  EXPECT_EQ(info.title[0], 0);
  EXPECT_EQ(info.exe_name[0], 0);
  EXPECT_EQ(info.exe_folder[0], 0);
  EXPECT_EQ(info.lib_version_text[0], 0);
  EXPECT_EQ(info.draw_callback, nullptr);
  EXPECT_EQ(info.lib_version[0] | info.lib_version[1] | info.lib_version[2], 0u);
}

// One row per edge case of the frame: flags, code, the messages seen, and
// the error and command fields afterwards.
struct FrameCase {
  const char* name;
  Dword flags;
  Dword code;
  std::vector<Dword> messages;
  Dword error;
  Dword command_after;
};

class FrameTest : public CommandTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameTest, MessagesAndFields) {
  const FrameCase& c = GetParam();
  record_->flags = c.flags;
  int marker = 0;
  EXPECT_EQ(Run(c.code, &marker), c.error);
  EXPECT_EQ(recorder_.Messages(), c.messages);
  EXPECT_EQ(record_->command, c.command_after);
  EXPECT_EQ(record_->argument, &marker);
  for (const RecordedMessage& m : recorder_.Log()) {
    EXPECT_EQ(m.argument, &marker) << m.message;
    // The code is in the command field while its messages go out.
    if (m.message != kKyMsgError || (c.flags & (kKyFlagKeepCommand1 | kKyFlagKeepCommand2))) {
      EXPECT_EQ(m.command, c.code) << m.message;
    }
  }
}

const std::vector<Dword> kOkMessages = {kKyMsgBegin, kKyMsgEnd};
const std::vector<Dword> kErrMessages = {kKyMsgBegin, kKyMsgEnd, kKyMsgError};

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameTest,
    ::testing::Values(FrameCase{"unknown_137", 0, 137, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_0", 0, 0, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_8", 0, 8, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_93", 0, 93, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_145", 0, 145, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_1004", 0, 1004, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_10003", 0, 10003, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_10006", 0, 10006, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_10022", 0, 10022, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"unknown_max", 0, 0xFFFFFFFFu, kErrMessages, kErrUnknownCommand, 0},
                      FrameCase{"ok_119", 0, 119, kOkMessages, 0, 0},
                      FrameCase{"not_yet_112", 0, 112, kErrMessages, kErrNotYetImplemented, 0},
                      FrameCase{"quiet_failure", kKyFlagQuiet, 137, {}, kErrUnknownCommand, 0},
                      FrameCase{"quiet_success", kKyFlagQuiet, 119, {}, 0, 0},
                      FrameCase{"keep_command_1", kKyFlagKeepCommand1, 119, kOkMessages, 0, 119},
                      FrameCase{"keep_command_2", kKyFlagKeepCommand2, 116, kErrMessages,
                                kErrNotYetImplemented, 116},
                      FrameCase{"no_undo_flag_clears", kKyFlagNoUndo, 119, kOkMessages, 0, 0}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST_F(CommandTest, ErrorReportSeesTheErrorAndTheRestoredArgument) {
  Dword seen_error = 0;
  recorder_.On(kKyMsgError, [&](KyAppRecord* r) {
    seen_error = r->error;
    return 0u;
  });
  int marker = 0;
  Run(137, &marker);
  EXPECT_EQ(seen_error, kErrUnknownCommand);
}

TEST_F(CommandTest, ErrorFieldIsClearedAtTheStartOfEveryCommand) {
  record_->error = 77;
  EXPECT_EQ(Run(kKyCmdNothing), 0u);
}

TEST_F(CommandTest, NoMessageWithoutACallback) {
  recorder_.Uninstall();
  EXPECT_EQ(Run(137), kErrUnknownCommand);
  EXPECT_TRUE(recorder_.Log().empty());
}

// A handler that replaces the argument: the caller's value is back when
// the command returns, and message 2 already sees it.
TEST_F(CommandTest, ArgumentIsRestoredAfterAHandlerReplacedIt) {
  int marker = 0, other = 0;
  recorder_.On(kKyMsgBegin, [&](KyAppRecord* r) {
    r->argument = &other;
    return 0u;
  });
  Run(kKyCmdNothing, &marker);
  EXPECT_EQ(record_->argument, &marker);
  ASSERT_EQ(recorder_.Log().size(), 2u);
  EXPECT_EQ(recorder_.Log()[1].argument, &marker);
}

// The error handler asks for the error's text with a nested command, as
// the program does: the nested frame keeps the outer argument, clears the
// error field, and the handler puts the outer error back.
TEST_F(CommandTest, NestedCommandInsideTheErrorReport) {
  int outer_argument = 0;
  const char* text = nullptr;
  Dword error_after_nested = 1234;
  recorder_.On(kKyMsgError, [&](KyAppRecord* r) {
    if (r->command != 0) return 0u;  // only the outer report
    const Dword kept = r->error;
    ErrorTextArgs args{kept, nullptr, nullptr};
    r->argument = &args;
    LibCommand(kKyCmdErrorTextA, r);
    EXPECT_EQ(r->argument, &args);  // the nested frame restored its own argument
    text = args.narrow;
    error_after_nested = r->error;
    r->argument = &outer_argument;
    r->error = kept;
    return 0u;
  });
  Run(137, &outer_argument);
  EXPECT_STREQ(text, "Unknown command");
  EXPECT_EQ(error_after_nested, 0u);
  EXPECT_EQ(record_->error, kErrUnknownCommand);
  EXPECT_EQ(record_->argument, &outer_argument);
  // Outer 1, 2, 3 with the nested 1, 2 inside the report.
  EXPECT_EQ(recorder_.Messages(),
            (std::vector<Dword>{kKyMsgBegin, kKyMsgEnd, kKyMsgError, kKyMsgBegin, kKyMsgEnd}));
  EXPECT_EQ(recorder_.Log()[3].command, kKyCmdErrorTextA);
}

// A nested command inside message 1 clears the command field when it
// ends; the outer frame still reports its own end and error.
TEST_F(CommandTest, NestedCommandInsideBeginClearsTheCommandField) {
  bool nested = false;
  recorder_.On(kKyMsgBegin, [&](KyAppRecord* r) {
    if (nested) return 0u;
    nested = true;
    LibCommand(kKyCmdNothing, r);
    EXPECT_EQ(r->command, 0u);
    return 0u;
  });
  EXPECT_EQ(Run(137), kErrUnknownCommand);
  EXPECT_EQ(recorder_.Count(kKyMsgError), 1u);
}

TEST_F(CommandTest, RunWindowedSendsTenThenElevenWithTheInfo) {
  KyAppInfo info;
  KyAppInfoInit(&info);
  std::strcpy(info.title, "Pelorin 1.0.10");
  Dword mode_during_11 = 0;
  recorder_.On(kKyMsgRunWindow, [&](KyAppRecord*) {
    mode_during_11 = KyFrameworkAppInfo()->mode;
    return 0u;
  });
  EXPECT_EQ(Run(kKyCmdRun, &info), 0u);
  EXPECT_EQ(recorder_.Messages(),
            (std::vector<Dword>{kKyMsgBegin, kKyMsgBuildWindow, kKyMsgRunWindow, kKyMsgEnd}));
  EXPECT_EQ(recorder_.Log()[1].argument, &info);
  EXPECT_EQ(recorder_.Log()[2].argument, &info);
  EXPECT_EQ(mode_during_11, 2u);
  EXPECT_EQ(info.lib_version[0], 1u);
  EXPECT_EQ(info.lib_version[1], 0u);
  EXPECT_EQ(info.lib_version[2], 483u);
  EXPECT_EQ(std::u16string(info.lib_version_text), u"Veltria 1.0.483");
  // The executable is this test program.
  EXPECT_EQ(std::u16string(info.exe_name), u"test_command");
  EXPECT_FALSE(std::u16string(info.exe_folder).empty());
  // The framework's copy is the completed record.
  EXPECT_EQ(std::memcmp(KyFrameworkAppInfo(), &info, sizeof info), 0);
}

TEST_F(CommandTest, RunConsoleModeSendsNoWindowMessages) {
  KyAppInfo info;
  KyAppInfoInit(&info);
  info.mode = 1;
  EXPECT_EQ(Run(kKyCmdRun, &info), 0u);
  EXPECT_EQ(recorder_.Messages(), kOkMessages);
  EXPECT_EQ(KyFrameworkAppInfo()->mode, 1u);
}

TEST_F(CommandTest, RunWindowedQuietSendsNothing) {
  KyAppInfo info;
  KyAppInfoInit(&info);
  record_->flags = kKyFlagQuiet;
  EXPECT_EQ(Run(kKyCmdRun, &info), 0u);
  EXPECT_TRUE(recorder_.Log().empty());
}

TEST_F(CommandTest, RunOtherModeRunsNothing) {
  KyAppInfo info;
  KyAppInfoInit(&info);
  info.mode = 7;
  EXPECT_EQ(Run(kKyCmdRun, &info), 0u);
  EXPECT_EQ(recorder_.Messages(), kOkMessages);
}

TEST_F(CommandTest, RunCutsTextsToTheCapacity) {
  KyAppInfo info;
  KyAppInfoInit(&info);
  info.text_capacity = 5;  // four characters and the terminator
  EXPECT_EQ(Run(kKyCmdRun, &info), 0u);
  EXPECT_EQ(std::u16string(info.lib_version_text), u"Velt");
  EXPECT_EQ(std::u16string(info.exe_name), u"test");
}

TEST_F(CommandTest, CodeTwoWithoutDataSendsNoMessage) {
  KyAppRecord* other = LibCommand(kKyCmdCreate, nullptr);
  recorder_.Install(other);
  EXPECT_EQ(LibCommand(kKyCmdFree, other), nullptr);
  EXPECT_TRUE(recorder_.Log().empty());
  recorder_.Install(record_);
}

TEST_F(CommandTest, CodeOneHundredTwoWithoutDataSendsOnlyTheFrame) {
  EXPECT_EQ(Run(kKyCmdFreeData), 0u);
  EXPECT_EQ(recorder_.Messages(), kOkMessages);
  EXPECT_EQ(record_->data_root, nullptr);
}

// Every code is either in a row of the table or answers 10; the rows of
// families not in this build answer 10 as well.
TEST_F(CommandTest, TableRowsCoverTheCodeGroups) {
  Qword rows = 0;
  const KyCommandRow* table = KyCommandTable(&rows);
  ASSERT_GT(rows, 0u);
  auto in_group = [](Dword code) {
    return (code >= 3 && code <= 7) || (code >= 94 && code <= 136) ||
           (code >= 138 && code <= 144) || (code >= 1000 && code <= 1003) || code == 10001 ||
           code == 10002 || code == 10004 || code == 10005 || (code >= 10007 && code <= 10021);
  };
  for (Dword code = 0; code <= 10030; ++code) {
    bool listed = false;
    for (Qword i = 0; i < rows; ++i) listed |= code >= table[i].first && code <= table[i].last;
    EXPECT_EQ(listed, in_group(code)) << code;
    if (!listed) {
      EXPECT_EQ(KyCommandFind(code), nullptr) << code;
    }
  }
}

}  // namespace
