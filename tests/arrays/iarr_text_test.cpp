// Integer array and matrix listings against the texts of Python's
// %-formatting (listing_reference.inc), the integer list readers and the
// rational console reader and writer fed through a pipe.
#include "arrays/iarr_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "base/num_status.h"
#include "scalar/rational.h"
#include "support/output_file_script.h"
#include "support/pty_run.h"
#include "support/temp_folder.h"

namespace {

#include "listing_reference.inc"

class IntegerListingTest : public TempFolderTest {};

std::string Utf16Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

template <class T, size_t N>
constexpr Dword Count(const T (&)[N]) {
  return static_cast<Dword>(N);
}

TEST_F(IntegerListingTest, ArraysOfEveryElementTypeInBothWidths) {
  struct Case {
    const char* name;
    std::function<Dword(bool wide)> list;  // to a new file, returns the listing's result
    Dword count;
    const char* text;
  };
  const Case cases[] = {
      {"I32",
       [](bool w) {
         return w ? CoutIArr(u"T", Count(kListI32), kListI32, 2, -1)
                  : CoutIArrA("T", Count(kListI32), kListI32, 2, -1);
       },
       Count(kListI32), kListI32Text},
      {"U32",
       [](bool w) {
         return w ? CoutUArr(u"T", Count(kListU32), kListU32, 2, -1)
                  : CoutUArrA("T", Count(kListU32), kListU32, 2, -1);
       },
       Count(kListU32), kListU32Text},
      {"I64",
       [](bool w) {
         return w ? CoutIQArr(u"T", Count(kListI64), kListI64, 2, -1)
                  : CoutIQArrA("T", Count(kListI64), kListI64, 2, -1);
       },
       Count(kListI64), kListI64Text},
      {"U64",
       [](bool w) {
         return w ? CoutUQArr(u"T", Count(kListU64), kListU64, 2, -1)
                  : CoutUQArrA("T", Count(kListU64), kListU64, 2, -1);
       },
       Count(kListU64), kListU64Text},
  };
  for (const Case& c : cases) {
    for (int wide = 0; wide < 2; ++wide) {
      const std::string file = Path(std::string(c.name) + (wide ? "w" : "a") + ".txt");
      OutputFileScript::Install(true, file);
      EXPECT_EQ(c.list(wide != 0), c.count) << c.name;
      const std::string want = std::string("T") + c.text;
      EXPECT_EQ(ReadFile(file), wide ? Utf16Le(want) : want) << c.name << " wide " << wide;
    }
  }
}

TEST_F(IntegerListingTest, ConsoleGetsTheSameTextAndTheValueIsKept) {
  PtyResult r = RunInPty(
      [] {
        const Dword n = CoutUQArrA("U", Count(kListU64), kListU64, 1, -1);
        Qrat q(6, -4);
        CoutQratA(" q=", &q, ";", 0);
        CoutQrat(u" w=", &q, u";", 0);
        return n == Count(kListU64) && q.numerator == 6 && q.denominator == -4 ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.output, std::string("U") + kListU64Text + " q=-3/2; w=-3/2;");
}

TEST_F(IntegerListingTest, MatricesRowByRow) {
  OutputFileScript::Install(true, Path("iq.txt"));
  EXPECT_EQ(CoutIQMatA("M\n", kListIQRows, kListIQCols, kListIQMatrix, 2, -1), kListIQRows);
  EXPECT_EQ(ReadFile(Path("iq.txt")), std::string("M\n") + kListIQMatrixText);
  OutputFileScript::Install(true, Path("uq.txt"));
  EXPECT_EQ(CoutUQMat(u"M\n", kListIQRows, kListIQCols, kListUQMatrix, 2, -1), kListIQRows);
  EXPECT_EQ(ReadFile(Path("uq.txt")), Utf16Le(std::string("M\n") + kListUQMatrixText));
  // No rows: the title; no columns: one line feed per row.
  OutputFileScript::Install(true, Path("empty.txt"));
  EXPECT_EQ(CoutIQMatA("E", 0, 3, kListIQMatrix, 2, -1), 0u);
  EXPECT_EQ(ReadFile(Path("empty.txt")), "E");
  OutputFileScript::Install(true, Path("nocols.txt"));
  EXPECT_EQ(CoutUQMatA("E", 3, 0, nullptr, 2, -1), 3u);
  EXPECT_EQ(ReadFile(Path("nocols.txt")), "E\n\n\n");
}

TEST_F(IntegerListingTest, ArraysSideBySideAreTheColumnsOfAMatrix) {
  const Dword r = kListIQRows;
  OutputFileScript::Install(true, Path("many.txt"));
  CoutIQArrManyA("S\n", r, 2, -1, kListIQMatrix, kListIQMatrix + r, kListIQMatrix + 2 * r,
                 static_cast<const int64_t*>(nullptr));
  EXPECT_EQ(ReadFile(Path("many.txt")), std::string("S\n") + kListIQMatrixText);
  OutputFileScript::Install(true, Path("manyw.txt"));
  CoutUQArrMany(u"S\n", r, 2, -1, kListUQMatrix, kListUQMatrix + r, kListUQMatrix + 2 * r,
                static_cast<const uint64_t*>(nullptr));
  EXPECT_EQ(ReadFile(Path("manyw.txt")), Utf16Le(std::string("S\n") + kListUQMatrixText));
  OutputFileScript::Install(true, Path("none.txt"));
  CoutUQArrManyA("S", r, 2, -1, static_cast<const uint64_t*>(nullptr));
  CoutIQArrMany(u"S", 0, 2, -1, kListIQMatrix, static_cast<const int64_t*>(nullptr));
  EXPECT_EQ(OutputFileScript::dialogs, 0);
}

// One reader call in a child fed through a pipe; the child checks the
// result, the count and the values and exits with 0 when all agree.
struct ReaderCase {
  const char* name;
  const char* typed;
  std::function<int()> check;
};

template <class T>
std::function<int()> Expect(LibErrorCode (*read)(const char*, Dword*, T*, Dword), Dword count,
                            Dword capacity, LibErrorCode result, Dword count_out,
                            std::vector<T> values) {
  return [=] {
    Dword n = count;
    std::vector<T> room(16, T{99});
    if (read("?", &n, room.data(), capacity) != result) return 1;
    if (result == 0 && n != count_out) return 2;
    for (size_t k = 0; k < values.size(); ++k)
      if (room[k] != values[k]) return 3;
    return 0;
  };
}

TEST(IntegerListInput, ReadersStopWhereTheListEnds) {
  const ReaderCase cases[] = {
      {"three", "4 -7 12\n", Expect<int32_t>(CinIArrA, 0, 5, 0, 3, {4, -7, 12})},
      // 2.5 is rounded into the second element but not counted.
      {"fraction", "1 2.5 3\n", Expect<int32_t>(CinIArrA, 0, 5, 0, 1, {1, 3})},
      {"negative unsigned", "5 -1\n", Expect<uint32_t>(CinUArrA, 0, 5, 0, 1, {5})},
      {"too few", "9\n", Expect<int64_t>(CinIQArrA, 2, 0, 22, 0, {})},
      {"limit", "1 2 3 4\n", Expect<uint64_t>(CinUQArrA, 0, 3, 0, 3, {1, 2, 3, 99})},
      {"exactly", "1\t2 3\n", Expect<int32_t>(CinIArrA, 3, 3, 0, 3, {1, 2, 3})},
      {"i32 range", "2147483647 -2147483648 2147483648\n",
       Expect<int32_t>(CinIArrA, 0, 5, 0, 2, {INT32_MAX, INT32_MIN})},
      {"u32 range", "4294967295 4294967296\n",
       Expect<uint32_t>(CinUArrA, 0, 5, 0, 1, {UINT32_MAX})},
      // 64-bit values beyond 2^53 come back exactly, the largest included.
      {"i64 exact",
       "-9223372036854775808 9223372036854775807 9007199254740993 9223372036854775808\n",
       Expect<int64_t>(CinIQArrA, 0, 5, 0, 3, {INT64_MIN, INT64_MAX, 9007199254740993LL})},
      {"u64 exact", "18446744073709551615 9007199254740993 +7 18446744073709551616\n",
       Expect<uint64_t>(CinUQArrA, 0, 5, 0, 3, {UINT64_MAX, 9007199254740993ULL, 7})},
      {"other forms", "1e3 -0 x\n", Expect<int64_t>(CinIQArrA, 0, 5, 0, 2, {1000, 0})},
      {"empty line", "\n", Expect<int32_t>(CinIArrA, 0, 5, 0, 0, {})},
  };
  for (const ReaderCase& c : cases) {
    PtyResult r = RunInPty(c.check, {{"", c.typed}}, false);
    EXPECT_FALSE(r.timed_out) << c.name;
    EXPECT_EQ(r.exit_code, 0) << c.name << "\n" << r.output;
  }
}

TEST(IntegerListInput, ArgumentErrorsReadNothing) {
  PtyResult r = RunInPty(
      [] {
        int32_t v[4];
        Dword n = 4;
        if (CinIArrA("?", &n, v, 3) != 25) return 1;
        n = 0;
        if (CinUQArrA("?", &n, nullptr, 3) != 22) return 2;
        if (CinIQArr(u"?", &n, reinterpret_cast<int64_t*>(v), 0) != 22) return 3;
        // The line is still there for the next read.
        uint32_t u[4];
        n = 0;
        if (CinUArr(u"?", &n, u, 4) != 0 || n != 2 || u[0] != 8 || u[1] != 9) return 4;
        return 0;
      },
      {{"", "8 9\n"}}, false);
  EXPECT_EQ(r.exit_code, 0) << r.output;
}

TEST(RationalInput, TypedFractions) {
  struct Case {
    const char* typed;
    Qlong n, d;
    NumStatus status;
  };
  const Case cases[] = {
      {"6/-4\n", -3, 2, 0},
      {"  5 \n", 5, 1, 0},
      {"3/\n", 3, 0, 0x90},
  };
  for (const Case& c : cases) {
    for (int wide = 0; wide < 2; ++wide) {
      PtyResult r = RunInPty(
          [&c, wide] {
            Qrat q(7, 7);
            const NumStatus s = wide ? CinQrat(&q, u"q?", 0) : CinQratA(&q, "q?", 0);
            return s == c.status && q.numerator == c.n && q.denominator == c.d ? 0 : 1;
          },
          {{"", c.typed}}, false);
      EXPECT_EQ(r.exit_code, 0) << c.typed << " wide " << wide;
    }
  }
  // Nothing typed at all: the undefined value.
  PtyResult r = RunInPty(
      [] {
        Qrat q(7, 7);
        const NumStatus s = CinQratA(&q, "q?", 0);
        return (s & NUM_UNDEFINED) && q.numerator == 1 && q.denominator == 0 ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(r.exit_code, 0);
}

}  // namespace
