// The signal listing: index, real and imaginary part by C printf rules, to
// the console and to a caller's file (UTF-16LE for the wide form).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "base/files.h"
#include "signal_fit/signal/sarr.h"

namespace {
const double kSignal[] = {1.5, 1.0 / 3.0, -0.25, 1e20};
// "\n %u\t%17.15g\t%17.15g" of (0, 1.5, -0.25) and (1, 1/3, 1e20), spelled out.
const char kExpected[] =
    "\n 0\t              1.5\t            -0.25"
    "\n 1\t0.333333333333333\t            1e+20";

std::string Console(Dword n, bool wide) {
  ::testing::internal::CaptureStdout();
  if (wide) {
    CoutSArr(n, kSignal, 1, -1);
  } else {
    CoutSArrA(n, kSignal, 1, -1);
  }
  std::fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

TEST(SigListing, ConsoleLines) {
  EXPECT_EQ(Console(2, false), kExpected);
  EXPECT_EQ(Console(2, true), kExpected);
  EXPECT_EQ(Console(0, false), "");
}

TEST(SigListing, CallersFileInUtf16) {
  char name[] = "/tmp/sig_listing_XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  Qlong h = FileOpenA(name, kOpenWrite | kOpenTruncate);
  ASSERT_NE(h, -1);
  ::testing::internal::CaptureStdout();
  CoutSArr(2, kSignal, 2, h);
  std::fflush(stdout);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  ASSERT_TRUE(FileClose(&h, 1));
  std::ifstream f(name, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::string want;
  for (char c : std::string(kExpected)) {
    want.push_back(c);
    want.push_back('\0');
  }
  EXPECT_EQ(bytes, want);
  unlink(name);
}
}  // namespace
