#include "support/pty_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

long long NowMs() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000LL + t.tv_nsec / 1000000;
}

[[noreturn]] void RunChild(const std::function<int()>& body) {
  int code = body();
  fflush(stdout);
  _exit(code);
}

}  // namespace

PtyResult RunInPty(const std::function<int()>& body, const std::vector<PtyStep>& steps,
                   bool terminal, int timeout_ms) {
  PtyResult result;
  fflush(stdout);
  fflush(stderr);
  int out_fd = -1, in_fd = -1;
  pid_t pid = -1;
  if (terminal) {
    // Canonical input without echo and output without newline translation:
    // the bytes read back are exactly the bytes written.
    struct termios t {};
    t.c_iflag = ICRNL;
    t.c_oflag = 0;
    t.c_cflag = CS8 | CREAD;
    t.c_lflag = ICANON | ISIG;
    t.c_cc[VEOF] = 4;
    t.c_cc[VINTR] = 3;
    t.c_cc[VERASE] = 127;
    t.c_cc[VKILL] = 21;
    t.c_cc[VMIN] = 1;
    cfsetispeed(&t, B38400);
    cfsetospeed(&t, B38400);
    struct winsize w {};
    w.ws_col = 80;
    w.ws_row = 24;
    int master = -1;
    pid = forkpty(&master, nullptr, &t, &w);
    if (pid == 0) RunChild(body);
    out_fd = in_fd = master;
  } else {
    int to_child[2], from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) return result;
    pid = fork();
    if (pid == 0) {
      dup2(to_child[0], 0);
      dup2(from_child[1], 1);
      close(to_child[1]);
      close(from_child[0]);
      RunChild(body);
    }
    close(to_child[0]);
    close(from_child[1]);
    in_fd = to_child[1];
    out_fd = from_child[0];
  }
  if (pid < 0) return result;
  size_t step = 0;
  size_t searched_from = 0;
  const long long deadline = NowMs() + timeout_ms;
  for (;;) {
    while (step < steps.size()) {
      size_t at = result.output.find(steps[step].wait_for, searched_from);
      if (at == std::string::npos) break;
      searched_from = at + steps[step].wait_for.size();
      const std::string& s = steps[step].send;
      if (!s.empty() && write(in_fd, s.data(), s.size()) < 0) break;
      ++step;
    }
    if (!terminal && step == steps.size() && in_fd >= 0 && in_fd != out_fd) {
      close(in_fd);
      in_fd = -1;
    }
    const long long left = deadline - NowMs();
    if (left <= 0) {
      result.timed_out = true;
      break;
    }
    struct pollfd p = {out_fd, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      result.timed_out = true;
      break;
    }
    char buffer[4096];
    ssize_t n = read(out_fd, buffer, sizeof buffer);
    if (n <= 0) break;  // EIO on the master once the child has gone
    result.output.append(buffer, static_cast<size_t>(n));
  }
  if (result.timed_out) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  close(out_fd);
  if (in_fd >= 0 && in_fd != out_fd) close(in_fd);
  return result;
}
