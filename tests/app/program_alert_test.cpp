// The real program, started as a user would, refuses a folder whose acqus
// has no TD: its error box appears and the report it shows names the file
// and the problem (read from the program's standard error, where the same
// text goes); closing the box leaves the program running and it quits with
// exit code 0.
// clang-format off
#include <gtest/gtest.h>

#include "tests/app/program_driver.h"
// clang-format on
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void Key(const std::string& key) {
  RunProgram({"xdotool", "key", "--clearmodifiers", key});
  Sleep(300);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class ProgramAlertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display (run under xvfb_run.sh)";
    if (RunProgram({"sh", "-c", "command -v xdotool"}) != 0)
      GTEST_SKIP() << "xdotool is not installed (tools/install-deps.sh)";
    char folder[] = "/tmp/pelorin-alert-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    // The program keeps its configuration beside itself.
    ASSERT_EQ(RunProgram({"cp", PELORIN_PROGRAM, folder_ + "/pelorin"}), 0);
  }
  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (!folder_.empty()) RunProgram({"rm", "-rf", folder_});
  }
  // Starts the program in its folder, standard error into `errors_`.
  void Start() {
    std::string program = folder_ + "/pelorin";
    char* argv[] = {program.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    errors_ = folder_ + "/stderr.txt";
    posix_spawn_file_actions_addopen(&actions, 2, errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    const int started = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(started, 0);
    ASSERT_TRUE(WaitForWindows("^Pelorin$", 1)) << "the main window did not appear";
    Sleep(500);
  }
  int Exit(int seconds = 20) {
    for (int i = 0; i < seconds * 20; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      Sleep(50);
    }
    return -1;
  }
  std::string folder_, errors_;
  pid_t pid_ = 0;
};

TEST_F(ProgramAlertTest, ABrokenAcqusIsNamedInTheErrorBox) {
  const std::string data = folder_ + "/broken/1";
  ASSERT_EQ(RunProgram({"mkdir", "-p", data}), 0);
  std::ofstream(data + "/acqus") << "##TITLE= Parameter file\n##$SW_h= 1000\n##END=\n";
  std::ofstream(data + "/fid") << std::string(1024, '\0');
  std::ofstream(folder_ + "/Pelorin.config", std::ios::binary)
      << "KyApp Configuration\r\n\r\nRecent files:\r\n\"" << data << "/fid\"8\r\n";
  Start();
  // Alt+F, down to Recent files, into it, the first entry.
  Key("alt+f");
  Key("Down");
  Key("Down");
  Key("Right");
  Key("Return");
  ASSERT_TRUE(WaitForWindows("^Pelorin$", 2, 10)) << "no error box after the refused load";
  EXPECT_EQ(ReadAll(errors_), "Pelorin: File system error\n" + data + "/acqus: no ##$TD= entry\n");
  Key("Return");
  ASSERT_TRUE(WaitForFewerWindows("^Pelorin$", 1, 10)) << "the error box did not close";
  Key("Escape");
  ASSERT_TRUE(WaitForWindows("^Pelorin$", 2, 10)) << "no quit question";
  Key("Return");
  EXPECT_EQ(Exit(), 0);
}

}  // namespace
