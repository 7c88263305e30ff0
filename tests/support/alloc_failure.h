// Allocation failures for tests: a guard that makes the library's allocator
// fail and always lets it work again, and a sweep that fails an operation's
// allocations one after the other until the operation succeeds.
#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "base/error_codes.h"
#include "base/platform/allocator_testing.h"
#include "base/types.h"

// While the guard lives, the allocator fails after `successes` more
// successful allocations; at the end of its scope it works again, also when
// an ASSERT returns from the test early.
class AllocFailureGuard {
 public:
  explicit AllocFailureGuard(Qlong successes) { PlatformAllocTestFailAfter(successes); }
  AllocFailureGuard(const AllocFailureGuard&) = delete;
  AllocFailureGuard& operator=(const AllocFailureGuard&) = delete;
  ~AllocFailureGuard() { PlatformAllocTestFailAfter(-1); }
  // Arms the hook again with a new count.
  void FailAfter(Qlong successes) { PlatformAllocTestFailAfter(successes); }
  // Lets the allocator work again before the end of the scope.
  void Release() { PlatformAllocTestFailAfter(-1); }
};

// One step of SweepAllocFailures: the operation under test runs inside
// Fail or Code with the allocator failing after successes() allocations;
// everything else of the step (making inputs, checking what the operation
// left) runs with the allocator working.
class AllocSweepStep {
 public:
  explicit AllocSweepStep(Qlong successes) : successes_(successes) {}
  Qlong successes() const { return successes_; }
  // Runs `op` with failing allocations and returns its result.
  template <class Op>
  auto Fail(Op op) {
    AllocFailureGuard guard(successes_);
    return op();
  }
  // For an operation that returns an error code: 0 marks the step as the
  // success, any other code must be `expected`.
  template <class Op>
  LibErrorCode Code(Op op, LibErrorCode expected = kErrAlloc) {
    const LibErrorCode code = Fail(op);
    if (code == 0) {
      Succeeded();
    } else {
      EXPECT_EQ(code, expected) << "allocation failure reported as " << code;
    }
    return code;
  }
  // The operation succeeded: the sweep ends with this step.
  void Succeeded() { succeeded_ = true; }
  bool succeeded() const { return succeeded_; }

 private:
  Qlong successes_;
  bool succeeded_ = false;
};

// Runs `step` for k = 0, 1, 2, ... successful allocations before the
// failure, until a step reports success (Succeeded, or 0 from Code). Each
// step carries k in its failure messages; a fatal failure ends the sweep.
// Returns the k of the success, which is the number of allocations the
// operation needs (0: it needs none, so no step failed), or -1 after
// `limit` steps without success (a test failure).
Qlong SweepAllocFailures(const std::function<void(AllocSweepStep&)>& step, Qlong limit = 1000);
