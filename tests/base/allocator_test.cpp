// The library's allocator over the C library's malloc: large blocks lie in
// memory advised for transparent huge pages, and memory freed at the top of
// the heap is kept for the next blocks instead of being faulted in again.
#include "base/platform/allocator.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the sanitizer's allocator stands in for malloc
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The VmFlags line of the mapping that holds the address, from
// /proc/self/smaps ("" when no mapping holds it).
std::string MappingFlags(const void* address) {
  const auto at = reinterpret_cast<uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  std::string line;
  bool inside = false;
  while (std::getline(smaps, line)) {
    uint64_t from = 0, to = 0;
    if (std::sscanf(line.c_str(), "%" SCNx64 "-%" SCNx64 " ", &from, &to) == 2 &&
        line.find(':') > line.find(' ')) {
      inside = at >= from && at < to;
      continue;
    }
    if (inside && line.rfind("VmFlags:", 0) == 0) return line + " ";
  }
  return "";
}

bool AdvisedForHugePages(const void* address) {
  return MappingFlags(address).find(" hg ") != std::string::npos;
}

Qword MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<Qword>(usage.ru_minflt);
}

TEST(PlatformAllocator, LargeBlocksLieInMemoryAdvisedForHugePages) {
  // A row of a data set in the heap, a matrix of several MiB, and one above
  // the threshold where malloc maps blocks on their own.
  for (const size_t bytes : {size_t{768} << 10, size_t{8} << 20, size_t{48} << 20}) {
    SCOPED_TRACE(bytes);
    auto* block = static_cast<unsigned char*>(PlatformAlloc(bytes));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x5A, bytes);
    const unsigned char* middle = block + bytes / 2;
    if (!kSanitized || bytes >= (size_t{4} << 20)) {
      EXPECT_TRUE(AdvisedForHugePages(middle));
    }
    // Grown in place or moved, the block keeps its bytes and its advice.
    block = static_cast<unsigned char*>(PlatformRealloc(block, 2 * bytes));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], 0x5A);
    EXPECT_EQ(block[bytes - 1], 0x5A);
    if (!kSanitized || bytes >= (size_t{2} << 20)) {
      EXPECT_TRUE(AdvisedForHugePages(block + bytes));
    }
    PlatformFree(block);
  }
}

TEST(PlatformAllocator, FreedRowsAreReusedWithoutFaultingThemInAgain) {
  if (kSanitized) GTEST_SKIP() << "the sanitizer's allocator keeps freed blocks in quarantine";
  // 64 rows of 768 KiB, written, freed and made again: the second round
  // finds the pages of the first (a few faults for bookkeeping at most).
  constexpr size_t kRow = size_t{768} << 10, kRows = 64;
  Qword faults[2] = {};
  for (Qword& round_faults : faults) {
    std::vector<void*> rows;
    const Qword before = MinorFaults();
    for (size_t i = 0; i < kRows; ++i) {
      rows.push_back(PlatformAlloc(kRow));
      ASSERT_NE(rows.back(), nullptr);
      std::memset(rows.back(), static_cast<int>(i), kRow);
    }
    round_faults = MinorFaults() - before;
    for (void* row : rows) PlatformFree(row);
  }
  // Written fresh, 48 MiB fault at least once per 2 MiB; reused, they do not.
  EXPECT_GE(faults[0], kRows * kRow / (size_t{2} << 20));
  EXPECT_LT(faults[1], faults[0] / 4 + 8);
}

}  // namespace
