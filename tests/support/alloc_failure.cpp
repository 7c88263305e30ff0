#include "alloc_failure.h"

#include <string>

Qlong SweepAllocFailures(const std::function<void(AllocSweepStep&)>& step, Qlong limit) {
  for (Qlong k = 0; k < limit; ++k) {
    AllocSweepStep s(k);
    {
      SCOPED_TRACE("allocator failing after " + std::to_string(k) + " successes");
      step(s);
    }
    if (::testing::Test::HasFatalFailure()) return -1;
    if (s.succeeded()) return k;
  }
  ADD_FAILURE() << "the operation never succeeded within " << limit << " allocations";
  return -1;
}
