// The allocation-failure guard and sweep on an operation with a known
// number of allocations: three blocks, all released on a failure.
#include "support/alloc_failure.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <vector>

#include "base/platform/allocator.h"

namespace {

// Allocates `blocks` blocks and releases them; kErrAlloc when one fails.
LibErrorCode AllocateBlocks(int blocks) {
  void* held[8] = {};
  LibErrorCode code = kErrNone;
  for (int i = 0; i < blocks && code == kErrNone; ++i) {
    held[i] = PlatformAlloc(16);
    if (!held[i]) code = kErrAlloc;
  }
  for (void* p : held) PlatformFree(p);
  return code;
}

TEST(AllocFailureGuard, FailsAfterTheCountAndWorksAgainAfterItsScope) {
  {
    AllocFailureGuard fail(2);
    void* a = PlatformAlloc(8);
    void* b = PlatformAlloc(8);
    EXPECT_NE(a, nullptr);
    EXPECT_NE(b, nullptr);
    EXPECT_EQ(PlatformAlloc(8), nullptr);
    EXPECT_EQ(PlatformAlloc(8), nullptr);  // every further one too
    fail.Release();
    void* c = PlatformAlloc(8);
    EXPECT_NE(c, nullptr);
    fail.FailAfter(0);
    EXPECT_EQ(PlatformAlloc(8), nullptr);
    PlatformFree(a);
    PlatformFree(b);
    PlatformFree(c);
  }
  void* d = PlatformAlloc(8);
  EXPECT_NE(d, nullptr);
  PlatformFree(d);
}

void FatalWhileFailing() {
  AllocFailureGuard fail(0);
  ASSERT_TRUE(false) << "leaves the scope early";
}

TEST(AllocFailureGuard, AnAssertionLeavingEarlyStillRestores) {
  EXPECT_FATAL_FAILURE(FatalWhileFailing(), "leaves the scope early");
  void* p = PlatformAlloc(8);
  EXPECT_NE(p, nullptr);
  PlatformFree(p);
}

TEST(SweepAllocFailures, FailsEachAllocationInTurnUntilSuccess) {
  std::vector<Qlong> seen;
  const Qlong needed = SweepAllocFailures([&](AllocSweepStep& step) {
    seen.push_back(step.successes());
    step.Code([] { return AllocateBlocks(3); });
  });
  EXPECT_EQ(needed, 3);
  EXPECT_EQ(seen, (std::vector<Qlong>{0, 1, 2, 3}));
  EXPECT_EQ(SweepAllocFailures([](AllocSweepStep& step) { step.Code([] { return 0u; }); }), 0);
}

TEST(SweepAllocFailures, ReportsAWrongCodeAndANeverEndingOperation) {
  EXPECT_NONFATAL_FAILURE(SweepAllocFailures([](AllocSweepStep& step) {
                            step.Code([] { return AllocateBlocks(1); }, 0x80002u);
                          }),
                          "allocator failing after 0 successes");
  EXPECT_NONFATAL_FAILURE(
      SweepAllocFailures([](AllocSweepStep& step) { step.Fail([] { return AllocateBlocks(3); }); },
                         2),
      "never succeeded within 2 allocations");
}

}  // namespace
