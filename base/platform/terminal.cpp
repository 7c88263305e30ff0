#include "base/platform/terminal.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

void TermWrite(const char* bytes, Qword count) {
  if (bytes && count) fwrite(bytes, 1, count, stdout);
}

void TermFlush(void) { fflush(stdout); }

bool TermOutputIsTerminal(void) { return isatty(STDOUT_FILENO) == 1; }
bool TermInputIsTerminal(void) { return isatty(STDIN_FILENO) == 1; }

bool TermWriteControl(const char* sequence) {
  if (!TermOutputIsTerminal()) return false;
  TermWrite(sequence, strlen(sequence));
  return true;
}

bool TermWindowSize(Dword* columns, Dword* rows) {
  struct winsize size;
  if (!TermOutputIsTerminal() || ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return false;
  if (size.ws_col == 0 || size.ws_row == 0) return false;
  *columns = size.ws_col;
  *rows = size.ws_row;
  return true;
}

namespace {

// Raw mode for the life of the object; the saved mode comes back on every
// path out of the caller.
class RawMode {
 public:
  RawMode() {
    if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    struct termios raw = saved_;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    ok_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
  }
  ~RawMode() {
    if (ok_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
  RawMode(const RawMode&) = delete;
  RawMode& operator=(const RawMode&) = delete;
  bool ok() const { return ok_; }

 private:
  struct termios saved_ {};
  bool ok_ = false;
};

// One byte; -1 at the end of input, on an error or when none comes within
// timeout_ms (negative: wait as long as it takes).
int ReadByte(int timeout_ms) {
  for (;;) {
    struct pollfd p = {STDIN_FILENO, POLLIN, 0};
    int ready = poll(&p, 1, timeout_ms);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return -1;
    unsigned char byte = 0;
    ssize_t got = read(STDIN_FILENO, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1 ? byte : -1;
  }
}

// Bytes that belong to the sequence just begun come within a few
// milliseconds; a lone Escape key does not have any.
constexpr int kSequenceWaitMs = 30;

// Consumes the rest of an escape sequence: CSI (ESC [ parameters, final
// byte 0x40..0x7E) or SS3 (ESC O and one byte); keys typed after it stay.
void SkipSequence() {
  const int second = ReadByte(kSequenceWaitMs);
  if (second == 'O') {
    ReadByte(kSequenceWaitMs);
  } else if (second == '[') {
    for (int b = ReadByte(kSequenceWaitMs); b >= 0 && !(b >= 0x40 && b <= 0x7E);
         b = ReadByte(kSequenceWaitMs)) {
    }
  }
}

}  // namespace

bool TermCursorGet(Dword* column, Dword* row) {
  if (!TermOutputIsTerminal() || !TermInputIsTerminal()) return false;
  RawMode raw;
  if (!raw.ok()) return false;
  TermWrite("\x1b[6n", 4);
  TermFlush();
  // The answer is ESC [ row ; column R.
  char answer[32];
  size_t n = 0;
  for (;;) {
    int b = ReadByte(500);
    if (b < 0) return false;
    if (n + 1 >= sizeof answer) return false;
    answer[n++] = static_cast<char>(b);
    if (b == 'R') break;
  }
  answer[n] = 0;
  unsigned r = 0, c = 0;
  const char* start = strchr(answer, '\x1b');
  if (!start || sscanf(start, "\x1b[%u;%uR", &r, &c) != 2 || r == 0 || c == 0) return false;
  *column = c - 1;
  *row = r - 1;
  return true;
}

bool TermCursorSet(Dword column, Dword row) {
  if (!TermOutputIsTerminal()) return false;
  char sequence[48];
  snprintf(sequence, sizeof sequence, "\x1b[%llu;%lluH", static_cast<unsigned long long>(row) + 1,
           static_cast<unsigned long long>(column) + 1);
  return TermWriteControl(sequence);
}

Long TermReadKey(void) {
  if (!TermInputIsTerminal()) return -1;
  TermFlush();
  RawMode raw;
  if (!raw.ok()) return -1;
  int b = ReadByte(-1);
  if (b < 0) return -1;
  if (b == 0x1b) {
    SkipSequence();
    return 0;
  }
  if (b < 0x80) return b;
  // A UTF-8 sequence: its lead byte says how many bytes follow.
  int follow = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (follow < 0 || b >= 0xF8) return 0;
  Long code = b & (0x3F >> follow);
  for (int i = 0; i < follow; ++i) {
    int next = ReadByte(kSequenceWaitMs);
    if (next < 0 || (next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  return code;
}

bool TermReadLine(char* line, Qword capacity) {
  clearerr(stdin);
  Qword n = 0;
  bool any = false;
  while (n + 1 < capacity) {
    int c = getc(stdin);
    if (c == EOF) break;
    any = true;
    if (c == '\n') break;
    // Keep a UTF-8 character whole: a lead byte without room for its
    // sequence stays for the next read.
    Qword need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n + need + 1 > capacity) {
      ungetc(c, stdin);
      break;
    }
    line[n++] = static_cast<char>(c);
  }
  if (capacity) line[n] = 0;
  return any;
}

Long TermRunShell(const char* command) {
  TermFlush();
  int status = system(command);
  if (status == -1) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return -1;
}
