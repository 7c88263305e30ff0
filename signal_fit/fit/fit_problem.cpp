#include "signal_fit/fit/fit_problem.h"

#include <cmath>
#include <cstdint>

FitProblem* FitProblemInit(FitProblem* p) {
  *p = FitProblem{};
  p->scale = 1.0;
  return p;
}
