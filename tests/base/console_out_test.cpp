// Console output checked by the bytes a pseudo-terminal (or a pipe) receives.
#include "base/console_out.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/console_out_testing.h"
#include "base/number_text.h"
#include "base/platform/terminal.h"
#include "support/pty_run.h"

namespace {

std::string Term(int (*body)()) {
  PtyResult r = RunInPty(body, {}, true);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
  return r.output;
}
std::string Pipe(int (*body)()) {
  PtyResult r = RunInPty(body, {}, false);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0);
  return r.output;
}

struct WriterCase {
  const char* name;
  int (*body)();
  const char* expected;
};

// Expected bytes written out by hand from the rules of each writer.
const WriterCase kWriters[] = {
    {"null texts skipped",
     [] {
       Cout(u"a", nullptr, u"b");
       return 0;
     },
     "ab"},
    {"six 8-bit texts",
     [] {
       CoutA("1", "2", "3", "4", "5", "6");
       return 0;
     },
     "123456"},
    {"empty text",
     [] {
       CoutStr(u"");
       CoutStrA(nullptr);
       return 0;
     },
     ""},
    {"wide text as UTF-8",
     [] {
       CoutStr(u"\u00e9\u20ac\U0001F600");
       return 0;
     },
     "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"},
    {"lone surrogate",
     [] {
       CoutStr(u"a\xd800z");
       return 0;
     },
     "a\xef\xbf\xbdz"},
    {"dword padded",
     [] {
       CoutDword(u"x=", 42, u";", 5, 10);
       return 0;
     },
     "x=   42;"},
    {"dword wider than width",
     [] {
       CoutDwordA("", 1234, "", 1, 10);
       return 0;
     },
     "1234"},
    {"long padded",
     [] {
       CoutLongA("[", -7, "]", 4, 10);
       return 0;
     },
     "[  -7]"},
    {"invalid qword",
     [] {
       CoutQword(u"", UINT64_MAX, u"", 10);
       return 0;
     },
     "_InvalidQWORD"},
    {"invalid qlong",
     [] {
       CoutQlongA("<", INT64_MIN, ">", 10);
       return 0;
     },
     "<_InvalidQLONG>"},
    {"qlong",
     [] {
       CoutQlong(u"", -123456789012345LL, u"", 10);
       return 0;
     },
     "-123456789012345"},
    {"pointer null",
     [] {
       CoutPointer(u"p=", 0, u".");
       return 0;
     },
     "p=NULL."},
    {"pointer invalid",
     [] {
       CoutPointerA("", UINT64_MAX, "");
       return 0;
     },
     "INVALID"},
    {"pointer hex",
     [] {
       CoutPointerA("", 6699, "");
       return 0;
     },
     "0x1A2B"},
    {"num flags",
     [] {
       CoutNumFlags(u"(", 0x2030, u")");
       return 0;
     },
     "(NUM_UNDEFINED NUM_ILLEGALCHAR NUM_I32OVERFLOW )"},
    {"shared names",
     [] {
       CoutNumFlagsA("", 0x30000000 | 0x50000, "");
       return 0;
     },
     "NUM_U64OVERFLOW NUM_U32OVERFLOW NUM_ABOVELIMIT NUM_BELOWLIMIT "},
    {"char",
     [] {
       CoutCharA("<", 'q', ">");
       CoutChr(u'\u00e9');
       CoutChrA('!');
       return 0;
     },
     "<q>\xc3\xa9!"},
    {"formatted",
     [] {
       CoutfA("%d-%s", 12, "ab");
       return 0;
     },
     "12-ab"},
    {"mem hex",
     [] {
       const unsigned char b[] = {0x1f, 0xa0};
       CoutMemA("m:", b, 2, 3);
       CoutMemA("|", b, 2, 2);
       return 0;
     },
     "m:1FA0|"},
};

TEST(ConsoleOut, WritersGiveTheirBytesOnAPipe) {
  for (const WriterCase& c : kWriters) {
    EXPECT_EQ(Pipe(c.body), c.expected) << c.name;
  }
}

TEST(ConsoleOut, RealIsTheBufferWritersText) {
  char number[64];
  RealToBufferA(-2.25e-7, number, 9, 10);
  EXPECT_EQ(Pipe([] {
              CoutReal(u"x=", -2.25e-7, u";", 9, 10);
              return 0;
            }),
            std::string("x=") + number + ";");
}

TEST(ConsoleOut, ColourOnlyOnATerminal) {
  auto body = [] {
    CoutPromptA("ask");
    return ConSetTextColorID(2) == 1 && ConCurrentColor() == 2 ? 0 : 1;
  };
  EXPECT_EQ(Term(body), "\x1b[93mask\x1b[0m\x1b[92m");
  PtyResult piped = RunInPty([] { return CoutPromptA("ask") == 0 ? 0 : 1; }, {}, false);
  EXPECT_EQ(piped.output, "ask");
  EXPECT_EQ(piped.exit_code, 0);
}

TEST(ConsoleOut, ErrorLines) {
  EXPECT_EQ(Term([] {
              CoutError(5, u"not shown", 0);
              return 0;
            }),
            "\x1b[91m Error 5: Console management error\n\x1b[0m");
  EXPECT_EQ(Term([] {
              CoutErrorA(0, "plain", 0);
              return 0;
            }),
            "\x1b[91mplain\n\x1b[0m");
  EXPECT_EQ(Pipe([] {
              CoutErrorA(23, nullptr, 0);
              return 0;
            }),
            " Error 23: Missing cKyData object\n");
}

TEST(ConsoleOut, ErrorWaitEndsWithoutATerminal) {
  // No key can come from a pipe: the wait ends at once.
  PtyResult r = RunInPty(
      [] {
        CoutError(0, u"x", 1);
        return 0;
      },
      {}, false, 3000);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.output, "x\n\n Hit any key to continue");
}

TEST(ConsoleScreen, ControlSequences) {
  EXPECT_EQ(Term([] { return ConClear() && ConClearEndOfLine() && ConClearEndOfScreen() ? 0 : 1; }),
            "\x1b[H\x1b[J\x1b[K\x1b[J");
  EXPECT_EQ(Pipe([] { return ConClear() == 0 && ConClearEndOfLine() == 0 ? 0 : 1; }), "");
}

TEST(ConsoleScreen, SectionBlanksTheCellsBetween) {
  // 80 columns: (78,0) to (2,1) is four cells.
  EXPECT_EQ(Term([] { return ConClearSection(78, 0, 2, 1, 1) == 1 ? 0 : 1; }),
            "\x1b"
            "7\x1b[1;79H    \x1b"
            "8\x1b[1;79H");
  // An empty section blanks nothing and gives its end offset (0 + 1 * 80).
  EXPECT_EQ(Term([] { return ConClearSection(0, 1, 0, 1, 1) == 80 ? 0 : 1; }), "");
  // Columns beyond the screen are clamped to its last column.
  EXPECT_EQ(Term([] { return ConClearSection(500, 0, 0, 1, 0) == 0 ? 0 : 1; }),
            "\x1b"
            "7\x1b[1;80H \x1b"
            "8");
}

TEST(ConsoleScreen, CursorMoveAndRead) {
  EXPECT_EQ(Term([] {
              Dword c = 4, r = 2;
              return ConGetOrSetCursorLocation(&c, &r, 0) == 0 ? 0 : 1;
            }),
            "\x1b[3;5H");
  // The test answers the position query as a terminal would.
  PtyResult r = RunInPty(
      [] {
        Dword c = 0, row = 0;
        LibErrorCode e = ConGetOrSetCursorLocation(&c, &row, 1);
        return e == 0 && c == 6 && row == 11 ? 0 : 1;
      },
      {{"\x1b[6n", "\x1b[12;7R"}}, true);
  EXPECT_EQ(r.exit_code, 0);
  // A pipe has no cursor.
  PtyResult p = RunInPty(
      [] {
        Dword c = 0, row = 0;
        return ConGetOrSetCursorLocation(&c, &row, 1) == 5 ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(p.exit_code, 0);
}

TEST(ConsoleOut, TestResetRestoresDefaultColour) {
  ConSetTextColorID(6);
  ConResetStateForTest();
  EXPECT_EQ(ConCurrentColor(), 0u);
}

}  // namespace
