// The configuration file through LibCommand: operation sequences against
// the exact bytes from the generator's model, the file's name and place,
// refusals, failed writes, and two processes writing at once.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error_codes.h"
#include "command/config_file.h"
#include "command/config_file_testing.h"
#include "command/config_text.h"
#include "command_fixture.h"
#include "support/alloc_failure.h"
#include "support/temp_folder.h"

namespace {

struct ConfigStep {
  KyConfigSection section;
  const char* text;
  Qword data_type;
  Dword error;
};

struct ConfigCase {
  const char* name;
  bool initial_present;
  const char* initial;
  std::vector<ConfigStep> steps;
  bool final_present;
  const char* final_bytes;
  const char* recent;
  const char* script;
  const char* setup;
};

const ConfigCase kCases[] = {
#include "config_cases.inc"
};

class ConfigTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    KyConfigFolderOverrideForTesting(dir_.c_str(), nullptr);
    record_ = LibCommand(kKyCmdCreate, nullptr);
    recorder_.Install(record_);
    recorder_.On(kKyMsgAppName, [this](KyAppRecord* r) {
      result_seen_ = r->result.u64;
      r->result.pointer = name_ ? const_cast<char16_t*>(name_->c_str()) : nullptr;
      return 0u;
    });
  }
  void TearDown() override {
    recorder_.Uninstall();
    LibCommand(kKyCmdFree, record_);
    KyConfigFolderOverrideForTesting(nullptr, nullptr);
    TempFolderTest::TearDown();
  }
  Dword Write(KyConfigSection section, const char* text, Qword data_type = 8) {
    LoadDataArgs args{data_type, nullptr, 0, text};
    switch (section) {
      case kKyConfigRecentFiles:
        record_->argument = &args;
        LibCommand(kKyCmdAddRecentFile, record_);
        break;
      case kKyConfigUserScript:
        record_->argument = const_cast<char*>(text);
        LibCommand(kKyCmdWriteUserScript, record_);
        break;
      case kKyConfigSetup:
        record_->argument = const_cast<char*>(text);
        LibCommand(kKyCmdWriteSetup, record_);
        break;
    }
    return record_->error;
  }
  // The reader's answer; "<null>" for null.
  std::string Read(Dword code) {
    record_->argument = nullptr;
    LibCommand(code, record_);
    EXPECT_EQ(record_->error, 0u);
    if (record_->result.pointer == nullptr) return "<null>";
    std::string text(static_cast<char*>(record_->result.pointer));
    record_->argument = &record_->result.pointer;
    LibCommand(kKyCmdKill, record_);
    EXPECT_EQ(record_->result.pointer, nullptr);
    return text;
  }
  std::string ConfigPath() const { return Path("pelorin.config"); }

  Qword result_seen_ = 0;
  std::u16string default_name_ = u"pelorin";
  const std::u16string* name_ = &default_name_;
  KyAppRecord* record_ = nullptr;
  RecordingCallback recorder_;
};

std::string OrNull(const char* text) { return text ? text : "<null>"; }

TEST_F(ConfigTest, SequencesGiveTheModelsBytes) {
  for (const ConfigCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ::unlink(ConfigPath().c_str());
    if (c.initial_present) WriteFile("pelorin.config", c.initial);
    for (size_t i = 0; i < c.steps.size(); ++i)
      EXPECT_EQ(Write(c.steps[i].section, c.steps[i].text, c.steps[i].data_type), c.steps[i].error)
          << "step " << i;
    ASSERT_EQ(Exists(ConfigPath()), c.final_present);
    if (c.final_present) {
      EXPECT_EQ(ReadFile(ConfigPath()), c.final_bytes);
    }
    EXPECT_EQ(Read(kKyCmdReadRecentFiles), OrNull(c.recent));
    EXPECT_EQ(Read(kKyCmdReadUserScript), OrNull(c.script));
    EXPECT_EQ(Read(kKyCmdReadSetup), OrNull(c.setup));
  }
}

TEST_F(ConfigTest, ReadersOfAMissingFileAnswerNull) {
  EXPECT_EQ(Read(kKyCmdReadRecentFiles), "<null>");
  EXPECT_EQ(Read(kKyCmdReadUserScript), "<null>");
  EXPECT_EQ(Read(kKyCmdReadSetup), "<null>");
  EXPECT_FALSE(Exists(ConfigPath()));
}

TEST_F(ConfigTest, NameIsAskedBeforeEveryAccessEvenWhenQuiet) {
  record_->flags = kKyFlagQuiet;
  record_->result.u64 = 0x1234;
  result_seen_ = 99;
  Write(kKyConfigSetup, "a=1");
  EXPECT_EQ(result_seen_, 0u);  // the sender clears the result first
  EXPECT_EQ(record_->result.u64, 0u);
  Read(kKyCmdReadSetup);
  EXPECT_EQ(recorder_.Messages(), (std::vector<Dword>{kKyMsgAppName, kKyMsgAppName}));
  EXPECT_TRUE(Exists(ConfigPath()));
}

TEST_F(ConfigTest, WithoutANameTheFileIsConfigTxt) {
  name_ = nullptr;
  EXPECT_EQ(Write(kKyConfigSetup, "a=1"), 0u);
  EXPECT_TRUE(Exists(Path("config.txt")));
  recorder_.Uninstall();  // no callback: no name either
  EXPECT_EQ(Write(kKyConfigSetup, "a=2"), 0u);
  EXPECT_EQ(ReadFile(Path("config.txt")), "KyApp Configuration\r\n\r\nSetup:\r\na=2\r\n");
}

TEST_F(ConfigTest, NamesThatCannotNameAFileAreRefused) {
  const std::u16string longest(42, u'n'), too_long(43, u'n'), with_slash = u"../escape";
  name_ = &longest;
  EXPECT_EQ(Write(kKyConfigSetup, "a=1"), 0u);
  EXPECT_TRUE(Exists(Path(std::string(42, 'n') + ".config")));
  for (const std::u16string* bad : {&too_long, &with_slash}) {
    name_ = bad;
    EXPECT_EQ(Write(kKyConfigSetup, "a=1"), kErrIllegalFileName);
    EXPECT_EQ(Read(kKyCmdReadSetup), "<null>");
  }
  EXPECT_FALSE(Exists(dir_ + "/../escape.config"));
}

TEST_F(ConfigTest, AllocationFailureIsReportedNotHidden) {
  ASSERT_EQ(Write(kKyConfigSetup, "a=1"), 0u);
  AllocFailureGuard fail(0);
  const Dword write_error = Write(kKyConfigSetup, "a=2");
  record_->argument = nullptr;
  LibCommand(kKyCmdReadSetup, record_);
  const Dword read_error = record_->error;
  fail.Release();
  EXPECT_EQ(write_error, kErrAlloc);
  EXPECT_EQ(read_error, kErrAlloc);
  EXPECT_EQ(record_->result.pointer, nullptr);
  EXPECT_EQ(Read(kKyCmdReadSetup), "a=1\r\n");
}

TEST_F(ConfigTest, ReadOnlyFileIsAFailedWriteAndStaysAsItWas) {
  ASSERT_EQ(Write(kKyConfigSetup, "a=1"), 0u);
  const std::string before = ReadFile(ConfigPath());
  ASSERT_EQ(chmod(ConfigPath().c_str(), 0444), 0);
  const Dword error = Write(kKyConfigSetup, "a=2");
  EXPECT_GE(error, kErrFileSystem);
  EXPECT_LE(error, kErrUndefinedFile);
  EXPECT_EQ(recorder_.Count(kKyMsgError), 1u);
  EXPECT_EQ(ReadFile(ConfigPath()), before);
}

// Settings that cannot be read are not replaced by a fresh file.
TEST_F(ConfigTest, UnreadableConfigurationIsNotOverwritten) {
  ASSERT_EQ(mkdir(ConfigPath().c_str(), 0755), 0);
  const Dword error = Write(kKyConfigSetup, "a=2");
  EXPECT_GE(error, kErrFileSystem);
  EXPECT_LE(error, kErrUndefinedFile);
  struct stat st;
  ASSERT_EQ(stat(ConfigPath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST_F(ConfigTest, NoTemporaryFilesAreLeftBehind) {
  Write(kKyConfigSetup, "a=1");
  Write(kKyConfigUserScript, "S");
  Write(kKyConfigRecentFiles, "/d/1");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"pelorin.config", "pelorin.config.lock"}));
}

// The fallback folder starts from the copy in the executable's folder and
// leaves that copy alone.
TEST_F(ConfigTest, FallbackStartsFromTheExecutableFoldersCopy) {
  const std::string exe = Path("exe"), fallback = Path("home/.config/pelorin");
  ASSERT_EQ(mkdir(exe.c_str(), 0755), 0);
  const std::string seed_bytes = "KyApp Configuration\r\n\r\nRecent files:\r\n\"/d/old\"8\r\n";
  WriteFile("exe/pelorin.config", seed_bytes);
  KyConfigFolderOverrideForTesting(fallback.c_str(), exe.c_str());
  EXPECT_EQ(Read(kKyCmdReadRecentFiles), "\"/d/old\"8");
  EXPECT_EQ(Write(kKyConfigRecentFiles, "/d/new"), 0u);
  EXPECT_EQ(ReadFile(fallback + "/pelorin.config"),
            "KyApp Configuration\r\n\r\nRecent files:\r\n\"/d/new\"8\r\n\"/d/old\"8\r\n");
  EXPECT_EQ(ReadFile(exe + "/pelorin.config"), seed_bytes);
  EXPECT_EQ(Read(kKyCmdReadRecentFiles), "\"/d/new\"8\"/d/old\"8");
}

struct PlaceCase {
  const char* exe;
  bool writable;
  const char* xdg;
  const char* home;
  const char* folder;
  const char* seed;
};

TEST(ConfigPlaceTest, ExecutableFolderFirstThenXdgThenHome) {
  const PlaceCase cases[] = {
      {"/opt/pelorin/bin", true, "/x", "/home/u", "/opt/pelorin/bin/", ""},
      {"/opt/pelorin/bin/", false, "/x/cfg", "/home/u", "/x/cfg/pelorin/", "/opt/pelorin/bin/"},
      {"/opt/pelorin/bin", false, "", "/home/u", "/home/u/.config/pelorin/", "/opt/pelorin/bin/"},
      // A relative XDG_CONFIG_HOME is ignored, as the base-directory rules say.
      {"/opt/p", false, "rel/cfg", "/home/u/", "/home/u/.config/pelorin/", "/opt/p/"},
      {"/opt/p", false, "", "", "/opt/p/", ""},
  };
  for (const PlaceCase& c : cases) {
    KyConfigPlace place;
    KyConfigResolvePlace(c.exe, c.writable, c.xdg, c.home, &place);
    EXPECT_EQ(place.folder, c.folder) << c.exe << " " << c.xdg;
    EXPECT_EQ(place.seed, c.seed) << c.exe << " " << c.xdg;
  }
}

// Two processes add entries at the same time: every entry arrives, and a
// reader never sees a broken file.
TEST_F(ConfigTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kPerWriter = 12;
  ASSERT_EQ(Write(kKyConfigSetup, "keep=1"), 0u);
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = fork();
    ASSERT_GE(writers[w], 0);
    if (writers[w] == 0) {
      // The child has a record of its own that answers the same name.
      recorder_.Uninstall();
      KyAppRecord* r = LibCommand(kKyCmdCreate, nullptr);
      RecordingCallback names;
      names.Install(r);
      static std::u16string name = u"pelorin";
      names.On(kKyMsgAppName, [](KyAppRecord* rec) {
        rec->result.pointer = const_cast<char16_t*>(name.c_str());
        return 0u;
      });
      int failures = 0;
      for (int i = 0; i < kPerWriter; ++i) {
        const std::string path = "/w" + std::to_string(w) + "/entry" + std::to_string(i);
        LoadDataArgs args{8, nullptr, 0, path.c_str()};
        r->argument = &args;
        LibCommand(kKyCmdAddRecentFile, r);
        failures += r->error != 0;
        r->argument = const_cast<char*>(w == 0 ? "FIT 1" : "QUANTIFY");
        LibCommand(kKyCmdWriteUserScript, r);
        failures += r->error != 0;
      }
      _exit(failures == 0 ? 0 : 1);
    }
  }
  // Meanwhile every read sees a whole file.
  int reads = 0;
  for (bool running = true; running; ++reads) {
    const std::string bytes = ReadFile(ConfigPath());
    EXPECT_EQ(bytes.rfind("KyApp Configuration\r\n\r\nSetup:\r\nkeep=1\r\n", 0), 0u) << bytes;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    int status = 0;
    running =
        waitpid(writers[0], &status, WNOHANG) == 0 || waitpid(writers[1], &status, WNOHANG) == 0;
  }
  for (pid_t pid : writers) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string recent = Read(kKyCmdReadRecentFiles);
  for (int w = 0; w < 2; ++w)
    for (int i = 0; i < kPerWriter; ++i) {
      const std::string entry = "\"/w" + std::to_string(w) + "/entry" + std::to_string(i) + "\"8";
      EXPECT_NE(recent.find(entry), std::string::npos) << entry;
    }
  EXPECT_EQ(std::count(recent.begin(), recent.end(), '"'), 4 * kPerWriter);
  const std::string script = Read(kKyCmdReadUserScript);
  EXPECT_TRUE(script == "FIT 1" || script == "QUANTIFY") << script;
  EXPECT_EQ(Read(kKyCmdReadSetup), "keep=1\r\n");
  const std::string bytes = ReadFile(ConfigPath());
  EXPECT_EQ(bytes.find("User's script:"), bytes.rfind("User's script:"));
  EXPECT_GT(reads, 0);
}

}  // namespace
