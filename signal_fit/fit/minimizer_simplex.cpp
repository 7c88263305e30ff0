// Nelder-Mead simplex over the varied parameters (method 1). Candidate
// points are written straight into the parameters, so the target sees them
// without copies; the simplex keeps n + 1 vertices, their values and the
// coordinate sums.
#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "base/memory.h"
#include "signal_fit/fit/minimizer.h"

namespace {

struct Simplex {
  Minimizer* m;
  Qword n;
  double* p;    // vertex i at p + i n
  double* y;    // vertex values
  double* sum;  // coordinate sums over all vertices

  double* Vertex(Qword i) const { return p + i * n; }

  void SetParams(const double* v) const {
    for (Qword j = 0; j < n; ++j) *m->varied[j] = v[j];
  }

  // A target may change the parameters it is given (clamped or pinned
  // values); the vertex keeps the point its value belongs to.
  void GetParams(double* v) const {
    for (Qword j = 0; j < n; ++j) v[j] = *m->varied[j];
  }

  void StoreBest(Qword lo) const {
    SetParams(Vertex(lo));
    m->value = y[lo];
  }

  void Sums() const {
    for (Qword j = 0; j < n; ++j) {
      double s = 0;
      for (Qword i = 0; i <= n; ++i) s += p[i * n + j];
      sum[j] = s;
    }
  }

  Qword Lowest() const {
    Qword lo = 0;
    for (Qword i = 1; i <= n; ++i)
      if (y[i] < y[lo]) lo = i;
    return lo;
  }

  // Evaluates x w + (1 - x) c, with w the content of slot hi and c the
  // centroid of the other vertices, and lets the point replace slot hi when
  // it is lower. *value receives the point's value.
  Dword Move(Qword hi, double x, double* value) const {
    double* w = Vertex(hi);
    const double nd = static_cast<double>(n);
    for (Qword j = 0; j < n; ++j) {
      const double c = (sum[j] - w[j]) / nd;
      *m->varied[j] = x * w[j] + (1 - x) * c;
    }
    const Dword r = MinimizerEval(m);
    if (r != kErrNone) return r;
    *value = m->value;
    if (*value < y[hi]) {
      y[hi] = *value;
      for (Qword j = 0; j < n; ++j) {
        const double v = *m->varied[j];
        sum[j] += v - w[j];
        w[j] = v;
      }
    }
    return kErrNone;
  }
};

}  // namespace

Dword MinimizerSimplex(Minimizer* m) {
  const Qword n = m->variedCount;
  m->calls = 0;
  Dword result = MinimizerEval(m);
  m->firstValue = m->value;
  if (result != kErrNone || m->maxCalls < 2) return result;

  Dword error;
  if (n + 1 > MaxArrCount<double>() / (n ? n : 1)) return kErrAlloc;
  double* p = NewRealArrFill(&error, (n + 1) * n);
  if (n != 0 && !p) return error;
  const double unknown = std::numeric_limits<double>::infinity();
  double* y = NewRealArrFill(&error, n + 1, &unknown);
  double* sum = y ? NewRealArrFill(&error, n) : nullptr;
  if (!y || (n != 0 && !sum)) {
    KillPtr(&y);
    KillPtr(&p);
    return error;
  }
  const Simplex s{m, n, p, y, sum};

  // Vertex 0 is the start, vertex i the start moved along coordinate i - 1.
  for (Qword i = 0; i <= n; ++i) {
    double* v = s.Vertex(i);
    for (Qword j = 0; j < n; ++j) v[j] = *m->varied[j];
    if (i > 0) v[i - 1] += m->initialStep;
  }
  for (Qword i = 0; i <= n && result == kErrNone; ++i) {
    s.SetParams(s.Vertex(i));
    result = MinimizerEval(m);
    s.GetParams(s.Vertex(i));
    y[i] = m->value;
  }
  if (result == kErrNone) s.Sums();

  double best = m->firstValue;
  double size = 1;
  Qword quiet = 0;
  const double nd = static_cast<double>(n);
  const double f = std::pow(0.5, 1.0 / nd);
  while (result == kErrNone) {
    Qword lo = 0, hi = 0;
    for (Qword i = 1; i <= n; ++i) {
      if (y[i] < y[lo]) lo = i;
      if (y[i] > y[hi]) hi = i;
    }
    Qword nh = lo;
    for (Qword i = 0; i <= n; ++i)
      if (i != hi && y[i] > y[nh]) nh = i;

    if (y[lo] < best) {
      best = y[lo];
      size = 1;
      quiet = 0;
      if ((m->flags & 0x80000000u) && m->progress) {
        s.StoreBest(lo);
        result = m->progress(m, kMinimizerNewBest);
        if (result != kErrNone) break;
      }
    }
    if (m->calls > m->maxCalls) {
      result = kErrTooManyFunctionCalls;
      break;
    }
    if (size < m->tolerance) ++quiet;
    if (quiet >= 3 * n) {
      s.StoreBest(lo);
      break;
    }

    double reflected = 0;
    result = s.Move(hi, -1.0, &reflected);
    if (result != kErrNone) break;
    if (reflected < y[lo]) {
      const double noted = y[hi];
      double expanded = 0;
      result = s.Move(hi, 2.0, &expanded);
      if (result != kErrNone) break;
      if (expanded < noted) size /= f;
    } else if (reflected >= y[nh]) {
      const double noted = y[hi];
      double contracted = 0;
      result = s.Move(hi, 0.5, &contracted);
      if (result != kErrNone) break;
      if (!(contracted < noted)) {
        const double* low = s.Vertex(lo);
        for (Qword i = 0; i <= n && result == kErrNone; ++i) {
          if (i == lo) continue;
          double* v = s.Vertex(i);
          for (Qword j = 0; j < n; ++j) v[j] = f * v[j] + (1 - f) * low[j];
          // Until its value is known the moved vertex must not rank as the
          // lowest.
          y[i] = std::numeric_limits<double>::infinity();
          s.SetParams(v);
          result = MinimizerEval(m);
          if (result == kErrNone) {
            s.GetParams(v);
            y[i] = m->value;
          }
        }
        s.Sums();
      }
      size *= f;
    }
  }
  // The budget, or a progress callback that cancels with the same code,
  // keeps the best vertex found.
  if (result == kErrTooManyFunctionCalls) s.StoreBest(s.Lowest());

  KillPtr(&sum);
  KillPtr(&y);
  KillPtr(&p);
  if (result == kErrNone || result == kErrTooManyFunctionCalls) {
    const Dword last = MinimizerEval(m);
    if (last != kErrNone) result = last;
  }
  return result;
}
