#include "signal_fit/fit/fit_problem.h"

#include <cmath>
#include <cstdint>

FitProblem* FitProblemInit(FitProblem* p) {
  *p = FitProblem{};
  p->scale = 1.0;
  return p;
}

double FitResidualNorm(double r, Dword flags) {
  const double a = std::fabs(r);
  switch (static_cast<int16_t>(flags & 0xFFFFu)) {
    case 0:
      return std::sqrt(a);
    case 1:
    case 5:
      return a;
    case 3:
      return a * a * a;
    case 4:
      return (a * a) * (a * a);
    default:
      return a * a;
  }
}
