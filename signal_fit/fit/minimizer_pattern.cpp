// Coordinate pattern search (method 3): each varied parameter in turn walks
// downhill in steps of s; the step grows by 1.2 after a pass in which any
// centre moved and halves otherwise, until it reaches the tolerance.
#include <cmath>

#include "base/error_codes.h"
#include "signal_fit/fit/minimizer.h"

namespace {

// Evaluates with *p = at, then puts the centre back. The budget counts as
// spent when `calls` reaches `maxCalls`.
Dword Probe(Minimizer* m, double* p, double centre, double at, double* value) {
  *p = at;
  Dword r = MinimizerEval(m);
  *p = centre;
  if (r != kErrNone) return r;
  *value = m->value;
  return m->calls >= m->maxCalls ? kErrTooManyFunctionCalls : kErrNone;
}

}  // namespace

Dword MinimizerPatternSearch(Minimizer* m) {
  m->calls = 0;
  Dword r = MinimizerEval(m);
  if (r != kErrNone || m->maxCalls == 0) return r;
  double s = m->initialStep;
  // An infinite step never falls to the tolerance.
  if (std::isinf(s)) return kErrIllegalArgument;
  double best = m->value;
  while (s > m->tolerance) {
    bool moved = false;
    for (Qword k = 0; k < m->variedCount; ++k) {
      double* p = m->varied[k];
      double centre = *p;
      double lo = 0, hi = 0;
      r = Probe(m, p, centre, centre - s, &lo);
      if (r == kErrNone) r = Probe(m, p, centre, centre + s, &hi);
      while (r == kErrNone && best > lo) {
        hi = best;
        best = lo;
        centre -= s;
        *p = centre;
        moved = true;
        r = Probe(m, p, centre, centre - s, &lo);
      }
      while (r == kErrNone && best > hi) {
        lo = best;
        best = hi;
        centre += s;
        *p = centre;
        moved = true;
        r = Probe(m, p, centre, centre + s, &hi);
      }
      m->value = best;
      if (r != kErrNone) return r;
    }
    s *= moved ? 1.2 : 0.5;
  }
  return kErrNone;
}
