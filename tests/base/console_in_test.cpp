// Console input driven by scripted typing on a pseudo-terminal.
#include "base/console_in.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "base/memory.h"
#include "base/number_text.h"
#include "support/alloc_failure.h"
#include "support/pty_run.h"

namespace {

int Check(bool ok) { return ok ? 0 : 1; }

TEST(ConsoleIn, RangeReadAsksAgainUntilAccepted) {
  // The prompts appear in order; each answer is typed after its prompt.
  PtyResult r = RunInPty(
      [] {
        NumStatus st = 99;
        Dword v = CinDwordMm(u"n?", 1, 10, &st);
        return Check(v == 7 && st == 0);
      },
      {{"n? ", "20\n"},
       {"Too large! Try again: ", "abc\n"},
       {"Illegal! Try again: ", "0\n"},
       {"Too small! Try again: ", "7\n"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

TEST(ConsoleIn, RangeReadStopsAfterThreeRetries) {
  PtyResult r = RunInPty(
      [] {
        NumStatus st = 0;
        Dword v = CinDwordMmA("n?", 1, 10, &st);
        // The fourth line (30) stays as typed, with its status.
        return Check(v == 30 && (st & NUM_ABOVELIMIT) != 0);
      },
      {{"n? ", "20\n21\n22\n30\n31\n"}});
  EXPECT_EQ(r.exit_code, 0) << r.output;
  // Exactly three re-prompts were shown.
  size_t count = 0;
  for (size_t at = r.output.find("Try again"); at != std::string::npos;
       at = r.output.find("Try again", at + 1))
    ++count;
  EXPECT_EQ(count, 3u);
}

struct PlainCase {
  const char* typed;
  Dword value;
  NumStatus status;
};

TEST(ConsoleIn, PlainDwordReads) {
  const PlainCase cases[] = {{"42\n", 42, 0}, {"\n", 0xFFFFFFFFu, NUM_UNDEFINED}, {"4.5\n", 0, 0}};
  for (const PlainCase& c : cases) {
    static const PlainCase* current;
    current = &c;
    PtyResult r = RunInPty(
        [] {
          NumStatus st = 0;
          Dword v = CinDword(u"d", &st);
          Dword want = current->value;
          NumStatus want_st = current->status;
          if (current->typed[0] == '4' && current->typed[1] == '.') {
            // The reader gives what the parser gives, fraction flag included.
            want_st = 0;
            want = StringToDword(u"4.5", &want_st, nullptr, 10);
            if (!(want_st & NUM_FRACTIONAL)) return 4;
          }
          if (v != want) return 2;
          return st == want_st ? 0 : 3;
        },
        {{"d ", c.typed}});
    EXPECT_EQ(r.exit_code, 0) << c.typed;
  }
}

TEST(ConsoleIn, RealWithTrailingTextIsNaN) {
  PtyResult r = RunInPty(
      [] {
        NumStatus st = 0;
        double x = CinReal(u"x", &st);
        return Check(std::isnan(x) && (st & NUM_ILLEGALCHAR));
      },
      {{"x ", "3.5 kg\n"}});
  EXPECT_EQ(r.exit_code, 0);
}

TEST(ConsoleIn, ReadsEndAtEndOfInputAndWithoutTerminal) {
  auto body = [] {
    NumStatus st = 0;
    Dword d = CinDwordMm(u"a", 1, 5, &st);
    bool ok = d == 0xFFFFFFFFu && st == NUM_UNDEFINED;
    ok = ok && std::isnan(CinReal(u"b", &st)) && st == NUM_UNDEFINED;
    ok = ok && CinNewStringA("c") == nullptr;
    ok = ok && CinGetKey(0) == 0 && CinWaitKbHitA("k", 0) == 0;
    Dword n = 3;
    double v[3];
    ok = ok && CinRArr(u"r", &n, v, 3) == 22;
    return Check(ok);
  };
  // A pipe closed at once.
  PtyResult piped = RunInPty(body, {}, false, 3000);
  EXPECT_FALSE(piped.timed_out);
  EXPECT_EQ(piped.exit_code, 0) << piped.output;
}

TEST(ConsoleIn, EndOfInputOnATerminal) {
  PtyResult r = RunInPty(
      [] {
        NumStatus st = 0;
        Dword d = CinDword(u"a", &st);
        return Check(d == 0xFFFFFFFFu && st == NUM_UNDEFINED);
      },
      {{"a ", "\x04"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
}

struct ArrayCase {
  const char* typed;
  Dword count_in;
  Dword capacity;
  LibErrorCode code;
  Dword count_out;
  double first;
  int nan_at;  // -1: none expected
};

TEST(ConsoleIn, RealLists) {
  const ArrayCase cases[] = {
      {"1 2\n", 3, 10, 22, 3, 1, -1},
      {"1 2\t3\n", 0, 10, 0, 3, 1, 3},
      {"1,2\n", 0, 10, 0, 1, 1, 1},
      {"5 6 7\n", 4, 2, 25, 4, NAN, -1},
  };
  for (const ArrayCase& c : cases) {
    static const ArrayCase* current;
    current = &c;
    PtyResult r = RunInPty(
        [] {
          Dword n = current->count_in;
          double v[10];
          for (double& x : v) x = -1;
          LibErrorCode e = CinRArrA("v", &n, v, current->capacity);
          if (e != current->code) return 1;
          if (e != 0) return 0;
          if (n != current->count_out || v[0] != current->first) return 2;
          if (current->nan_at >= 0 && !std::isnan(v[current->nan_at])) return 3;
          return 0;
        },
        {{"v ", c.typed}});
    EXPECT_EQ(r.exit_code, 0) << c.typed;
  }
  // A null array: 22 without reading.
  PtyResult null_values = RunInPty(
      [] {
        Dword n = 2;
        return Check(CinRArr(u"v", &n, nullptr, 5) == 22);
      },
      {}, false);
  EXPECT_EQ(null_values.exit_code, 0);
}

TEST(ConsoleIn, LongLineIsCutAndItsRestReadNext) {
  PtyResult r = RunInPty(
      [] {
        char16_t b[5];
        char rest[16];
        CinToBuffer(u"s", b, 5, 0x8000);
        CinToBufferA("t", rest, 16, 0);
        return Check(std::u16string(b) == u"abcd" && std::string(rest) == "ef");
      },
      {{"s ", "abcdef\n"}});
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

TEST(ConsoleIn, WideLineKeepsTextNarrowLineIsGroomed) {
  PtyResult r = RunInPty(
      [] {
        char16_t* w = CinNewString(u"w");
        char* a = CinNewStringA("a");
        bool ok = w && a && std::u16string(w) == u"  \u00e9  x  " && std::string(a) == "y z";
        KillString(&w);
        KillStringA(&a);
        return Check(ok);
      },
      {{"w ", "  \xc3\xa9  x  \n"}, {"a ", "  y    z \n"}});
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

TEST(ConsoleIn, MissingBufferAndFailedLineStore) {
  PtyResult r = RunInPty(
      [] {
        if (CinToBuffer(u"p", nullptr, 10, 0) != 18) return 1;
        AllocFailureGuard fail(0);
        char b[8];
        LibErrorCode e = CinToBufferA("q", b, 8, 0);
        return Check(e == 0x80001);
      },
      {{"p ", "dropped\n"}});
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

TEST(ConsoleIn, KeysInRawModeAndModeRestored) {
  PtyResult r = RunInPty(
      [] {
        // An arrow key is no character; the wait goes on to the next key.
        char16_t k = CinWaitKbHit(u"key?", 0);
        char16_t e = CinGetKey(1);
        // The line read afterwards works in the restored line mode.
        char line[16];
        CinToBufferA("line", line, 16, 0);
        return Check(k == u'\u00e9' && e == 0 && std::string(line) == "ok");
      },
      {{"key?", "\x1b[A\xc3\xa9"}, {"\x1b[0m", "\x1b[B"}, {"line ", "ok\n"}});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0) << r.output;
  // The key is echoed in cyan after the yellow prompt.
  EXPECT_NE(r.output.find("\x1b[93mkey?\x1b[96m\xc3\xa9\x1b[0m"), std::string::npos);
}

TEST(ConsoleIn, GridKindStoredFromTheTypedKind) {
  PtyResult r = RunInPty(
      [] {
        Qword kind = 0, n = 0;
        double lo = 0, hi = 0;
        LibErrorCode e = CinRArrGrid(&kind, &lo, &hi, &n);
        return Check(e == 0 && kind == 3 && lo == 0.5 && hi == 2 && n == 9);
      },
      {{"square):", "2\n"},
       {"Minimum value :", "0.5\n"},
       {"Maximum value :", "2\n"},
       {"Total points  :", "9\n"}});
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

}  // namespace
