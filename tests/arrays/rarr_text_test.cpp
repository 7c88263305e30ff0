// Real array and matrix listings against the texts of Python's
// %-formatting (listing_reference.inc), in files and on the console, and
// the matrix reader fed through a pipe.
#include "arrays/rarr_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "base/files.h"
#include "support/output_file_script.h"
#include "support/pty_run.h"
#include "support/temp_folder.h"

namespace {

#include "listing_reference.inc"

class RealListingTest : public TempFolderTest {};

// The UTF-16LE bytes of an ASCII text.
std::string Utf16Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

constexpr Dword kRealCount = sizeof kListReals / sizeof kListReals[0];

TEST_F(RealListingTest, ArrayToANewFileIn8BitAndWide) {
  OutputFileScript::Install(true, Path("a.txt"));
  EXPECT_EQ(CoutRArrA("reals:", kRealCount, kListReals, 2, -1), kRealCount);
  EXPECT_EQ(ReadFile(Path("a.txt")), std::string("reals:") + kListRealsText);
  OutputFileScript::Install(true, Path("w.txt"));
  EXPECT_EQ(CoutRArr(u"reals:", kRealCount, kListReals, 2, 0), kRealCount);
  EXPECT_EQ(ReadFile(Path("w.txt")), Utf16Le(std::string("reals:") + kListRealsText));
  EXPECT_EQ(OutputFileScript::request.title, "Specify a new output file name");
}

TEST_F(RealListingTest, ConsoleAndCallersFileGetTheSameText) {
  const std::string file = Path("both.txt");
  PtyResult r = RunInPty(
      [file] {
        OutputFileScript::Install(false);
        Qlong h = FileOpenA(file.c_str(), kOpenWrite | kOpenTruncate);
        const Dword n = CoutRArrA("T", kRealCount, kListReals, 3, h);
        // The caller's handle is still open and still the caller's.
        const bool open = FileWriteA(h, "|end");
        FileClose(&h, 1);
        return n == kRealCount && open && OutputFileScript::dialogs == 0 ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.output, std::string("T") + kListRealsText);
  EXPECT_EQ(ReadFile(file), std::string("T") + kListRealsText + "|end");
}

TEST_F(RealListingTest, EmptyArrayAndCancelledFile) {
  PtyResult r = RunInPty(
      [] {
        OutputFileScript::Install(false);
        const Dword empty = CoutRArrA("only the title", 0, kListReals, 1, -1);
        // File alone and cancelled: nothing at all, and still the count.
        const Dword cancelled = CoutRArr(u"lost", 2, kListReals, 2, -1);
        return empty == 0 && cancelled == 2 ? 0 : 1;
      },
      {}, false);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.output, "only the title");
}

TEST_F(RealListingTest, MatrixRowsAsLinesInBothWidths) {
  OutputFileScript::Install(true, Path("m.txt"));
  CoutRMatA("M\n", kListMatrixRows, kListMatrixCols, kListMatrix, 2, -1);
  EXPECT_EQ(ReadFile(Path("m.txt")), std::string("M\n") + kListMatrixText);
  OutputFileScript::Install(true, Path("mw.txt"));
  CoutRMat(u"M\n", kListMatrixRows, kListMatrixCols, kListMatrix, 2, -1);
  EXPECT_EQ(ReadFile(Path("mw.txt")), Utf16Le(std::string("M\n") + kListMatrixText));
  // Bits of the destination above the two known ones change nothing.
  OutputFileScript::Install(true, Path("hi.txt"));
  CoutRMatA(nullptr, kListMatrixRows, kListMatrixCols, kListMatrix, 0x100000002ull, -1);
  EXPECT_EQ(ReadFile(Path("hi.txt")), kListMatrixText);
}

TEST_F(RealListingTest, MatrixWithoutValuesOrSizeListsTheTitle) {
  for (int k = 0; k < 3; ++k) {
    const std::string name = Path("t" + std::to_string(k) + ".txt");
    OutputFileScript::Install(true, name);
    const double* values = k == 0 ? nullptr : kListMatrix;
    CoutRMatA("title", k == 1 ? 0 : 2, k == 2 ? 0 : 2, values, 2, -1);
    EXPECT_EQ(ReadFile(name), "title") << k;
  }
}

TEST_F(RealListingTest, ArraysSideBySideAreTheColumnsOfAMatrix) {
  const Qword r = kListMatrixRows;
  OutputFileScript::Install(true, Path("s.txt"));
  CoutRArrsA("S\n", r, 2, -1, kListMatrix, kListMatrix + r, kListMatrix + 2 * r,
             kListMatrix + 3 * r, static_cast<const double*>(nullptr));
  EXPECT_EQ(ReadFile(Path("s.txt")), std::string("S\n") + kListMatrixText);
  OutputFileScript::Install(true, Path("sw.txt"));
  CoutRArrs(u"S\n", r, 2, -1, kListMatrix, kListMatrix + r, kListMatrix + 2 * r,
            kListMatrix + 3 * r, static_cast<const double*>(nullptr));
  EXPECT_EQ(ReadFile(Path("sw.txt")), Utf16Le(std::string("S\n") + kListMatrixText));
  // No arrays or no values: nothing written, no file asked for.
  OutputFileScript::Install(true, Path("none.txt"));
  CoutRArrsA("S", r, 2, -1, static_cast<const double*>(nullptr));
  CoutRArrsA("S", 0, 2, -1, kListMatrix, static_cast<const double*>(nullptr));
  EXPECT_EQ(OutputFileScript::dialogs, 0);
}

// The matrix reader with its answers, fed through a pipe.
struct MatrixCase {
  const char* name;
  const char* typed;
  Dword rows, cols, exact, fixed;
  LibErrorCode result;
  Dword rows_out, cols_out;
  std::vector<double> values;  // column-major
};

TEST(RealMatrixInput, RowsTypedLineByLine) {
  const MatrixCase cases[] = {
      {"free width", "1 2\n3 4\n5 6\n", 3, 4, 0, 0, 0, 3, 2, {1, 3, 5, 2, 4, 6}},
      {"short row ends", "1 2\n3\n", 3, 4, 0, 0, 0, 1, 2, {1, 2}},
      {"exact and short", "1 2\n3\n", 3, 4, 1, 0, 22, 3, 4, {}},
      {"end of input", "1.5 -2.25\n", 3, 2, 0, 0, 0, 1, 2, {1.5, -2.25}},
      {"fixed width", "1 2 3\n4 5 6\n7 8\n", 3, 3, 0, 1, 0, 2, 3, {1, 4, 2, 5, 3, 6}},
      {"fixed and short first", "1 2\n", 2, 3, 0, 1, 22, 2, 3, {}},
      {"no numbers first", "\n1 2\n", 2, 3, 0, 0, 22, 2, 3, {}},
      {"full", "1 2\n3 4\n", 2, 2, 1, 0, 0, 2, 2, {1, 3, 2, 4}},
  };
  for (const MatrixCase& c : cases) {
    for (int wide = 0; wide < 2; ++wide) {
      PtyResult r = RunInPty(
          [&c, wide] {
            Dword rows = c.rows, cols = c.cols;
            std::vector<double> room(Qword{c.rows} * c.cols, -99);
            const LibErrorCode e =
                wide ? CinRMat(u"M?", &rows, &cols, room.data(), c.exact, c.fixed)
                     : CinRMatA("M?", &rows, &cols, room.data(), c.exact, c.fixed);
            if (e != c.result) return 1;
            if (rows != c.rows_out || cols != c.cols_out) return 2;
            for (Qword k = 0; k < c.values.size(); ++k)
              if (room[k] != c.values[k]) return 3;
            return 0;
          },
          {{"", c.typed}}, false);
      EXPECT_FALSE(r.timed_out) << c.name;
      EXPECT_EQ(r.exit_code, 0) << c.name << (wide ? " wide" : " 8-bit") << "\n" << r.output;
    }
  }
  Dword rows = 0, cols = 2;
  double room[4];
  EXPECT_EQ(CinRMatA("x", &rows, &cols, room, 0, 0), 22u);
  rows = 2;
  EXPECT_EQ(CinRMat(u"x", &rows, &cols, nullptr, 0, 0), 22u);
}

}  // namespace
