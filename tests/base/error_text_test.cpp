#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <string>

#include "base/errors.h"
#include "base/platform/last_error.h"

namespace {

// The published text of every named code.
const std::map<Dword, std::string> kExpected = {
    {0, ""},
    {1, "Allocation failure"},
    {2, "Cannot start Application"},
    {3, "Internal system error"},
    {4, "Shell command error"},
    {5, "Console management error"},
    {6, "Clipboard access error"},
    {7, "Missing module"},
    {8, "Interface error"},
    {9, "Not yet implemented"},
    {10, "Unknown command"},
    {11, "Illegal mode"},
    {12, "Not this list item"},
    {13, "Missing list item"},
    {14, "Missing input data"},
    {15, "Illegal data"},
    {16, "Illegal data type"},
    {17, "Illegal data size"},
    {18, "Missing output buffer"},
    {19, "Output buffer overrun"},
    {20, "Missing/unknown function"},
    {21, "Missing parameters"},
    {22, "Missing argument(s)"},
    {23, "Missing cKyData object"},
    {24, "Illegal input"},
    {25, "Illegal parameters"},
    {26, "Illegal argument"},
    {27, "Illegal format"},
    {28, "Wrong input format"},
    {29, "Wrong output format"},
    {30, "Wrong parameters count"},
    {31, "Wrong arguments count"},
    {32, "Size mismatch"},
    {33, "No solution"},
    {34, "Multiple solutions"},
    {35, "Solution not found"},
    {36, "No convergence"},
    {37, "Time limit exceeded"},
    {38, "Too many items"},
    {39, "Too many iterations"},
    {40, "Division by zero"},
    {41, "Overflow"},
    {42, "Underflow"},
    {43, "Matrix operation failure"},
    {44, "Unknown ID"},
    {45, "Duplicate ID"},
    {46, "Impossible task"},
    {47, "Internal error"},
    {48, "File system error"},
    {49, "Missing disk"},
    {50, "Bad disk FAT"},
    {51, "Disk not ready"},
    {52, "Wrong disk"},
    {53, "Disk is full"},
    {54, "Disk is write protected"},
    {55, "Missing folder"},
    {56, "Missing file"},
    {57, "File sharing error"},
    {58, "File not accessible"},
    {59, "Illegal file name"},
    {60, "Illegal file"},
    {61, "Bad file discriminator"},
    {62, "Unexpected file end"},
    {63, "Undefined file"},
    {64, "Unknown function"},
    {65, "Unknown data source"},
    {66, "Unknown experiment"},
    {67, "Missing/Invalid evaluation task script"},
    {68, "Unknown evaluation procedure"},
    {69, "Unknown evaluation procedure mode"},
    {70, "Illegal evaluation window"},
    {71, "Evaluation window is too small"},
    {72, "Expected a sorted array"},
    {73, "Too many function calls"},
    {80, "Mixed scoring type"},
    {82, "Missing or illegal script"},
    {256, "Unkown mol-script type"},
};

std::string Narrow(const char16_t* w) {
  std::string s;
  for (; *w; ++w) s.push_back(static_cast<char>(*w));
  return s;
}

TEST(ErrorText, EveryCodeUpTo300WithAndWithoutTheFlag) {
  ASSERT_EQ(kExpected.size(), 77u);
  for (Dword code = 0; code <= 300; ++code) {
    const auto it = kExpected.find(code);
    const std::string want = it == kExpected.end() ? "Unnamed error" : it->second;
    EXPECT_EQ(KyErrorStringA(code), want) << code;
    EXPECT_EQ(KyErrorStringA(code | 0x80000), want) << code;
    EXPECT_EQ(Narrow(KyErrorString(code)), want) << code;
  }
}

TEST(ErrorText, HighBitsAreMaskedAway) {
  EXPECT_STREQ(KyErrorStringA(0x80001), "Allocation failure");
  EXPECT_STREQ(KyErrorStringA(0x80100), "Unkown mol-script type");
  EXPECT_STREQ(KyErrorStringA(0x100005), "Console management error");
  EXPECT_STREQ(KyErrorStringA(0xFFFFFFFF), "Unnamed error");
  EXPECT_STREQ(KyErrorStringA(257), "Unnamed error");
}

TEST(ErrorText, WideTextSharesOneBuffer) {
  const char16_t* first = KyErrorString(14);
  const char16_t* second = KyErrorString(56);
  EXPECT_EQ(first, second);
  EXPECT_EQ(Narrow(second), "Missing file");
}

TEST(LastError, SystemErrorsMapThroughTheTable) {
  const struct {
    int system_error;
    Dword code;
  } rows[] = {
      {0, 0},      {ENOENT, 56}, {ENOTDIR, 55}, {EACCES, 58}, {EPERM, 58},
      {EROFS, 54}, {ENOSPC, 53}, {EBUSY, 57},   {EXDEV, 52},  {ENXIO, 49},
      {EIO, 51},   {EINVAL, 48}, {EBADF, 48},   {87, 48},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(WinErrorToLibraryError(static_cast<Dword>(row.system_error)), row.code)
        << row.system_error;
    PlatformSetSystemError(static_cast<Dword>(row.system_error));
    EXPECT_EQ(FileSaveLastError(), row.code);
    EXPECT_EQ(LibLastError, row.code);
  }
}

TEST(LastError, ClearThenSaveGivesZero) {
  PlatformSetSystemError(ENOENT);
  LibLastError = 99;
  EXPECT_EQ(FileClearLastError(), 0u);
  EXPECT_EQ(LibLastError, 0u);
  EXPECT_EQ(FileSaveLastError(), 0u);
}

TEST(LastError, FetchKeepsTheRawNumber) {
  WinSetLastError(EACCES);
  EXPECT_EQ(LibLastError, static_cast<Dword>(EACCES));
  PlatformSetSystemError(ENOSPC);
  EXPECT_EQ(WinFetchLastError(), static_cast<Dword>(ENOSPC));
  EXPECT_EQ(LibLastError, static_cast<Dword>(ENOSPC));
}

TEST(ErrorText, CrcPlaceholderIsNotImplemented) {
  EXPECT_EQ(CrcFromMem(0, 0, 0, 0), 9u);
  EXPECT_EQ(CrcFromMem(reinterpret_cast<Qword>(&kExpected), 5, 6, 7), 9u);
}

}  // namespace
