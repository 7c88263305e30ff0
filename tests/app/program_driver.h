// What the tests that start the real program share: running a helper
// program, waiting for a condition with a deadline, and the program's
// visible windows as xdotool finds them.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// Runs a program (no shell), waits at most `seconds`, returns its exit code
// (-1 on a timeout or failure to start) and its standard output.
inline int RunProgram(std::vector<std::string> args, std::string* out = nullptr, int seconds = 20) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int pipefd[2];
  if (pipe(pipefd) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipefd[0]);
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipefd[1]);
  if (started != 0) {
    close(pipefd[0]);
    return -1;
  }
  fcntl(pipefd[0], F_SETFL, O_NONBLOCK);
  std::string text;
  int status = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    char buf[512];
    ssize_t n;
    while ((n = read(pipefd[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > end) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      close(pipefd[0]);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ssize_t n;
  char buf[512];
  while ((n = read(pipefd[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
  close(pipefd[0]);
  if (out) *out = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Checks `condition` every 50 ms until it holds; false when `seconds` pass
// first. Every wait of this test is for something the program does (a
// window mapped or gone, pixels drawn, a file written), never a fixed time.
template <class Condition>
inline bool WaitUntil(Condition condition, int seconds = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

// The visible windows named `name` (xdotool), newest last.
inline std::vector<std::string> Windows(const std::string& name) {
  std::string out;
  RunProgram({"xdotool", "search", "--onlyvisible", "--name", name}, &out, 10);
  std::vector<std::string> ids;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) ids.push_back(line);
  return ids;
}

inline bool WaitForWindows(const std::string& name, size_t count, int seconds = 20) {
  return WaitUntil([&] { return Windows(name).size() >= count; }, seconds);
}

// Waits until at most `count` windows named `name` are visible.
inline bool WaitForFewerWindows(const std::string& name, size_t count, int seconds = 20) {
  return WaitUntil([&] { return Windows(name).size() <= count; }, seconds);
}
