// The loop shared by the iterative evaluators: step i = 1, 2, ... first
// checks the step limit, then (when the test is active and i passed the
// minimum) tests the current value, and only then computes step i.
#pragma once
#include "base/error_codes.h"
#include "scalar/numerical_tools.h"
#include "scalar/real_helpers.h"

namespace iteration {

// History start values that no ordinary partial sum matches.
struct History {
  double h0 = 0;
  double h1 = ___SqrtMaxReal;
  double h2 = -___Root3MaxReal;
  bool Converged(double value) { return rConvergenceTest3(value, &h0, &h1, &h2, ___5EpsReal); }
};

enum class End { kConverged, kLimit };

// Runs step(i) for i = 1.. until the limit or convergence of value().
template <class Step, class Value>
End Run(Qword limit, bool test_active, Qword minimum, Step step, Value value) {
  History history;
  for (Qword i = 1;; ++i) {
    if (i > limit) return End::kLimit;
    if (test_active && i > minimum && history.Converged(value())) return End::kConverged;
    step(i);
  }
}

}  // namespace iteration
