// Listings of complex arrays and matrices: the bytes on the console and in
// the file against the text Python's '%g' gives (complex_listing_expected.inc),
// UTF-16LE in the files of the wide forms, and the output-file rule.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "base/files.h"
#include "base/platform/ui_hooks.h"
#include "complexvec/complex_text.h"
#include "support/output_file_script.h"

namespace {

#include "complex_listing_expected.inc"

constexpr Dword kN = sizeof kListingValues / sizeof kListingValues[0];

std::string Utf16le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A fresh path in the temporary folder, removed again at the end.
struct TempPath {
  std::string path;
  TempPath() {
    char name[] = "/tmp/cmat_listing_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    unlink(name);
    // With the .txt ending the output-file dialog keeps the name as it is.
    path = std::string(name) + ".txt";
  }
  ~TempPath() { unlink(path.c_str()); }
};

// Runs a listing with the console captured; returns the console bytes.
template <class F>
std::string Console(F listing) {
  ::testing::internal::CaptureStdout();
  listing();
  std::fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

// The matrix of the expected text: the first rows*cols values, column-major.
const COMPLEX* Matrix() { return kListingValues; }

}  // namespace

TEST(CoutCArr, ConsoleAndFileBytes) {
  // Console only: the title, then one line per value.
  EXPECT_EQ(Console([] { EXPECT_EQ(CoutCArrA("T", kN, kListingValues, 1, -1), kN); }),
            std::string("T") + kArrayListing);
  EXPECT_EQ(Console([] { EXPECT_EQ(CoutCArr(u"T", kN, kListingValues, 1, -1), kN); }),
            std::string("T") + kArrayListing);

  // File only, the caller's handle: the title still goes to the console and
  // never into the file; the wide form writes UTF-16LE.
  for (bool wide : {false, true}) {
    TempPath tmp;
    Qlong h = FileOpenA(tmp.path.c_str(), kOpenWrite | kOpenTruncate);
    ASSERT_NE(h, -1);
    const std::string console = Console([&] {
      EXPECT_EQ(wide ? CoutCArr(u"Title", kN, kListingValues, 2, h)
                     : CoutCArrA("Title", kN, kListingValues, 2, h),
                kN);
    });
    EXPECT_EQ(console, "Title");
    // The caller's handle stays open and the caller's.
    EXPECT_TRUE(FilePrintA(h, "|", nullptr, nullptr, nullptr));
    ASSERT_TRUE(FileClose(&h, 1));
    const std::string body = std::string(kArrayListing) + "|";
    EXPECT_EQ(ReadAll(tmp.path), wide ? Utf16le(std::string(kArrayListing)) + "|" : body);
  }
}

TEST(CoutCMat, TitleAndRowsToEveryDestination) {
  const std::string text = std::string("Matrix\n") + kMatrixListing;
  EXPECT_EQ(Console([] {
              EXPECT_EQ(CoutCMatA("Matrix", kListingRows, kListingCols, Matrix(), 1, -1),
                        kListingRows);
            }),
            text);
  for (bool wide : {false, true}) {
    TempPath tmp;
    Qlong h = FileOpenA(tmp.path.c_str(), kOpenWrite | kOpenTruncate);
    ASSERT_NE(h, -1);
    const std::string console = Console([&] {
      EXPECT_EQ(wide ? CoutCMat(u"Matrix", kListingRows, kListingCols, Matrix(), 3, h)
                     : CoutCMatA("Matrix", kListingRows, kListingCols, Matrix(), 3, h),
                kListingRows);
    });
    EXPECT_EQ(console, text);
    ASSERT_TRUE(FileClose(&h, 1));
    EXPECT_EQ(ReadAll(tmp.path), wide ? Utf16le(text) : text);
  }
  // Without a title the rows alone.
  EXPECT_EQ(Console([] { CoutCMat(nullptr, kListingRows, kListingCols, Matrix(), 1, -1); }),
            std::string(kMatrixListing));
}

TEST(ComplexListings, AskForAFileWithoutAHandle) {
  // The dialog gives a new file: the listing writes it and closes it.
  TempPath tmp;
  OutputFileScript::Install(true, tmp.path);
  EXPECT_EQ(Console([] { CoutCMat(u"M", kListingRows, kListingCols, Matrix(), 2, -1); }), "");
  EXPECT_EQ(OutputFileScript::dialogs, 1);
  EXPECT_EQ(ReadAll(tmp.path), Utf16le(std::string("M\n") + kMatrixListing));

  // Cancelled: the file bit is dropped; with the console bit the listing
  // goes on there, without it nothing but the array's title is written.
  OutputFileScript::Install(false);
  EXPECT_EQ(Console([] { EXPECT_EQ(CoutCArrA("A", kN, kListingValues, 3, 0), kN); }),
            std::string("A") + kArrayListing);
  EXPECT_EQ(Console([] { EXPECT_EQ(CoutCArrA("A", kN, kListingValues, 2, -1), kN); }), "A");
  EXPECT_EQ(OutputFileScript::dialogs, 2);
  UiHooksInstall(nullptr);
}
