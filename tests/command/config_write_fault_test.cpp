// The configuration file under failing writes: a write that fails after any
// number of bytes, or whose flush fails, answers a file error and leaves the
// old file or none (never an empty or partial one, never a temporary file);
// a fallback folder's empty file does not hide the executable folder's
// settings; a damaged file refuses a write that would change another
// section.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "command/config_file_testing.h"
#include "command/config_text.h"
#include "command_fixture.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"

namespace {

class ConfigFaultTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    KyConfigFolderOverrideForTesting(dir_.c_str(), nullptr);
    record_ = LibCommand(kKyCmdCreate, nullptr);
    recorder_.Install(record_);
    recorder_.On(kKyMsgAppName, [](KyAppRecord* r) {
      static std::u16string name = u"pelorin";
      r->result.pointer = const_cast<char16_t*>(name.c_str());
      return 0u;
    });
  }
  void TearDown() override {
    recorder_.Uninstall();
    LibCommand(kKyCmdFree, record_);
    KyConfigFolderOverrideForTesting(nullptr, nullptr);
    TempFolderTest::TearDown();
  }
  Dword AddRecent(const char* path) {
    LoadDataArgs args{8, nullptr, 0, path};
    record_->argument = &args;
    LibCommand(kKyCmdAddRecentFile, record_);
    return record_->error;
  }
  Dword WriteSetup(const char* text) {
    record_->argument = const_cast<char*>(text);
    LibCommand(kKyCmdWriteSetup, record_);
    return record_->error;
  }
  std::string Read(Dword code) {
    record_->argument = nullptr;
    LibCommand(code, record_);
    if (record_->result.pointer == nullptr) return "<null>";
    std::string text(static_cast<char*>(record_->result.pointer));
    record_->argument = &record_->result.pointer;
    LibCommand(kKyCmdKill, record_);
    return text;
  }
  KyAppRecord* record_ = nullptr;
  RecordingCallback recorder_;
};

const std::string kSetupFile = "KyApp Configuration\r\n\r\nSetup:\r\nlb=0.3\r\nzf=2\r\n";

// Every byte count of the new file, with and without an old file; the flush
// failing once everything is written.
TEST_F(ConfigFaultTest, FailedWritesLeaveTheOldFileOrNone) {
  const std::string path = Path("pelorin.config");
  const std::string entry = "/data/set-with-a-longer-name/1/fid";
  for (const bool with_old : {false, true}) {
    // The size of the new file, from a write that succeeds.
    if (with_old) WriteFile("pelorin.config", kSetupFile);
    ASSERT_EQ(AddRecent(entry.c_str()), 0u);
    const std::string complete = ReadFile(path);
    std::remove(path.c_str());
    for (Qword n = 0; n <= complete.size(); ++n) {
      for (const bool sync_fails : {false, true}) {
        if (n < complete.size() && sync_fails) continue;
        SCOPED_TRACE(testing::Message()
                     << "old " << with_old << " N " << n << " sync " << sync_fails);
        if (with_old) WriteFile("pelorin.config", kSetupFile);
        WriteFaultPlan plan;
        plan.fail_after_bytes = sync_fails ? ~Qword{0} : n;
        plan.fail_sync = sync_fails;
        Dword error;
        {
          WriteFaultGuard guard(plan);
          error = AddRecent(entry.c_str());
        }
        const bool failed = sync_fails || n < complete.size();
        if (failed) {
          EXPECT_EQ(error, sync_fails ? kErrDiskNotReady : kErrDiskFull);
          if (with_old)
            EXPECT_EQ(ReadFile(path), kSetupFile);
          else
            EXPECT_FALSE(Exists(path));
        } else {
          EXPECT_EQ(error, 0u);
          EXPECT_EQ(ReadFile(path), complete);
        }
        std::vector<std::string> want;
        if (with_old || !failed) want.push_back("pelorin.config");
        want.push_back("pelorin.config.lock");
        EXPECT_EQ(FolderNames(dir_), want);
        std::remove(path.c_str());
      }
    }
  }
}

// The program's folder holds the settings but cannot be written; the
// fallback folder's disk is full. The failed add leaves nothing in the
// fallback folder, the settings still read, and the next add keeps them.
TEST_F(ConfigFaultTest, FullFallbackDiskKeepsTheProgramFoldersSettings) {
  const std::string exe = Path("exe"), fallback = Path("home/.config/pelorin");
  ASSERT_EQ(mkdir(exe.c_str(), 0755), 0);
  const std::string seed =
      "KyApp Configuration\r\n\r\nRecent files:\r\n\"/d/old\"8\r\n\r\nSetup:\r\nlb=1\r\n";
  WriteFile("exe/pelorin.config", seed);
  ASSERT_EQ(chmod(exe.c_str(), 0555), 0);
  KyConfigFolderOverrideForTesting(fallback.c_str(), exe.c_str());
  {
    WriteFaultPlan plan;
    plan.fail_after_bytes = 0;
    WriteFaultGuard guard(plan);
    EXPECT_EQ(AddRecent("/d/new"), kErrDiskFull);
  }
  EXPECT_FALSE(Exists(fallback + "/pelorin.config"));
  EXPECT_EQ(Read(kKyCmdReadRecentFiles), "\"/d/old\"8");
  EXPECT_EQ(Read(kKyCmdReadSetup), "lb=1\r\n");
  EXPECT_EQ(AddRecent("/d/new"), 0u);
  EXPECT_EQ(Read(kKyCmdReadRecentFiles), "\"/d/new\"8\"/d/old\"8");
  EXPECT_EQ(Read(kKyCmdReadSetup), "lb=1\r\n");
  EXPECT_EQ(ReadFile(exe + "/pelorin.config"), seed);
  chmod(exe.c_str(), 0755);
}

// An empty or foreign file in the fallback folder (as an older program left
// after a failed write) does not hide the program folder's settings from
// readers, and the next write starts from them.
TEST_F(ConfigFaultTest, EmptyFallbackFileDoesNotHideTheSettings) {
  const std::string exe = Path("exe"), fallback = Path("fallback");
  ASSERT_EQ(mkdir(exe.c_str(), 0755), 0);
  ASSERT_EQ(mkdir(fallback.c_str(), 0755), 0);
  const std::string seed = "KyApp Configuration\r\n\r\nSetup:\r\nlb=1\r\n";
  WriteFile("exe/pelorin.config", seed);
  KyConfigFolderOverrideForTesting(fallback.c_str(), exe.c_str());
  for (const std::string& stale : {std::string(), std::string("garbage\r\n")}) {
    SCOPED_TRACE(stale);
    WriteFile("fallback/pelorin.config", stale);
    EXPECT_EQ(Read(kKyCmdReadSetup), "lb=1\r\n");
    EXPECT_EQ(AddRecent("/d/1"), 0u);
    EXPECT_EQ(ReadFile(fallback + "/pelorin.config"), seed + "\r\nRecent files:\r\n\"/d/1\"8\r\n");
  }
}

// A fallback file that cannot be read (here a folder in its place) does not
// hide the settings from readers, and writers leave it alone.
TEST_F(ConfigFaultTest, UnreadableFallbackFileDoesNotHideTheSettings) {
  const std::string exe = Path("exe"), fallback = Path("fallback");
  ASSERT_EQ(mkdir(exe.c_str(), 0755), 0);
  ASSERT_EQ(mkdir(fallback.c_str(), 0755), 0);
  ASSERT_EQ(mkdir((fallback + "/pelorin.config").c_str(), 0755), 0);
  WriteFile("exe/pelorin.config", "KyApp Configuration\r\n\r\nSetup:\r\nlb=1\r\n");
  KyConfigFolderOverrideForTesting(fallback.c_str(), exe.c_str());
  EXPECT_EQ(Read(kKyCmdReadSetup), "lb=1\r\n");
  const Dword error = AddRecent("/d/1");
  EXPECT_GE(error, kErrFileSystem);
  EXPECT_LE(error, kErrUndefinedFile);
  struct stat st;
  ASSERT_EQ(stat((fallback + "/pelorin.config").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

// Killed writes of earlier runs leave temporary files; a later write
// removes them, and never reuses a name.
TEST_F(ConfigFaultTest, LeftoverTemporaryFilesAreSweptByTheNextWrite) {
  ASSERT_EQ(WriteSetup("a=1"), 0u);
  for (const char* leftover :
       {"pelorin.config.pelorin-0a1b2c3d.tmp", "pelorin.config.pelorin-zzzzzzzz.tmp"})
    WriteFile(leftover, "half a config");
  // A file of the user's that only looks alike stays.
  WriteFile("pelorin.config.pelorin-notes.txt", "mine");
  ASSERT_EQ(WriteSetup("a=2"), 0u);
  EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{"pelorin.config", "pelorin.config.lock",
                                                         "pelorin.config.pelorin-notes.txt"}));
  EXPECT_EQ(Read(kKyCmdReadSetup), "a=2\r\n");
}

// Writes killed at every step of the file layer and in the middle of the
// file: the file is the old one or the new one, and the next write leaves
// no temporary file behind.
TEST_F(ConfigFaultTest, KilledWritesLeaveTheOldOrNewFileAndNoLeftovers) {
  const std::string path = Path("pelorin.config");
  WriteFile("pelorin.config", kSetupFile);
  Qword steps = 0;
  {
    WriteFaultGuard counting{WriteFaultPlan{}};
    ASSERT_EQ(AddRecent("/d/new"), 0u);
    steps = counting.steps();
  }
  const std::string complete = ReadFile(path);
  for (Qword k = 0; k <= steps + 1; ++k) {
    SCOPED_TRACE(k);
    WriteFile("pelorin.config", kSetupFile);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      WriteFaultPlan plan;
      if (k <= steps)
        plan.kill_at_step = k;
      else
        plan.kill_after_bytes = complete.size() / 2;
      WriteFaultGuard guard(plan);
      AddRecent("/d/new");
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    EXPECT_TRUE(killed || k == steps);  // past the last step the write ends
    const std::string now = ReadFile(path);
    EXPECT_TRUE(now == kSetupFile || now == complete) << now;
    ASSERT_EQ(WriteSetup("lb=0.3\r\nzf=2"), 0u);
    EXPECT_EQ(FolderNames(dir_),
              (std::vector<std::string>{"pelorin.config", "pelorin.config.lock"}));
  }
}

struct KeepCase {
  const char* name;
  const char* file;
  const char* updated;
  KyConfigSection section;
  const char* body;
  bool keeps;
};

// The check that stops a writer from changing what another section reads.
TEST(ConfigKeepsSectionsTest, AnswersWhetherEveryOtherSectionReadsAsBefore) {
  const KeepCase cases[] = {
      {"recent added", "KyApp Configuration\r\n\r\nSetup:\r\na=1\r\n",
       "KyApp Configuration\r\n\r\nSetup:\r\na=1\r\n\r\nRecent files:\r\n\"/x\"8\r\n",
       kKyConfigRecentFiles, "\"/x\"8", true},
      {"setup lost", "KyApp Configuration\r\n\r\nSetup:\r\na=1\r\n",
       "KyApp Configuration\r\n\r\nRecent files:\r\n\"/x\"8\r\n", kKyConfigRecentFiles, "\"/x\"8",
       false},
      {"entry not first", "KyApp Configuration\r\n\r\nRecent files:\r\n\"/a\"8\r\n",
       "KyApp Configuration\r\n\r\nRecent files:\r\n\"/a\"8\r\n\"/x\"8\r\n", kKyConfigRecentFiles,
       "\"/x\"8", false},
      {"script swallowed by another", "KyApp Configuration\r\n\r\nUser's script:\r\n\"S\"\r\n",
       "KyApp Configuration\r\n\r\nUser's script:\r\n\"S\r\nSetup:\r\na=1\"\r\n", kKyConfigSetup,
       "a=1\r\n", false},
      {"script written", "KyApp Configuration\r\n",
       "KyApp Configuration\r\n\r\nUser's script:\r\n\"T\"\r\n", kKyConfigUserScript, "\"T\"\r\n",
       true},
      {"script not as written", "KyApp Configuration\r\n",
       "KyApp Configuration\r\n\r\nUser's script:\r\n\"U\"\r\n", kKyConfigUserScript, "\"T\"\r\n",
       false},
  };
  for (const KeepCase& c : cases)
    EXPECT_EQ(KyConfigKeepsSections(c.file, c.updated, c.section, c.body), c.keeps) << c.name;
}

}  // namespace
