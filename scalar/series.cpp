// Series summed term by term until three successive partial sums agree.
#include "scalar/elementary.h"
#include "scalar/iteration_loop.h"

namespace {

template <class Term>
Dword Sum(double* sum, Term term, Qword max_steps, Qword min_steps) {
  double s = term(0);
  const auto end = iteration::Run(
      max_steps, true, min_steps > 3 ? min_steps : 3,
      [&](Qword i) { s += term(static_cast<Qlong>(i)); }, [&] { return s; });
  *sum = s;
  return end == iteration::End::kConverged ? kErrNone : kErrTooManyIterations;
}

double CoshTerm(double x, Qlong n) { return rCoshNRatio(x, static_cast<Qword>(n)); }
// The n = 0 term sinh x / sinh 0 has no value; the sum runs from n = 1.
double SinhTerm(double x, Qlong k) { return rSinhNRatio(x, static_cast<Qword>(k) + 1); }

double SeriesOrNan(double x, SeriesTermFunc term) {
  double s = 0;
  return rSeriesTermFunc(x, &s, term, 10000, 3) == kErrNone ? s : ___NAN;
}

}  // namespace

VELTRIA_API Dword rSeriesTermFunc(double x, double* sum, SeriesTermFunc term, Qword max_steps,
                                  Qword min_steps) {
  if (!term) return kErrIllegalArgument;
  return Sum(
      sum, [&](Qlong k) { return term(x, k); }, max_steps, min_steps);
}

VELTRIA_API Dword rSeriesTermFunc3(double p1, double p2, double p3, double* sum,
                                   SeriesTermFunc3 term, Qword max_steps, Qword min_steps) {
  if (!term) return kErrIllegalArgument;
  return Sum(
      sum, [&](Qlong k) { return term(p1, p2, p3, k); }, max_steps, min_steps);
}

VELTRIA_API double rCoshSeries(double x) { return SeriesOrNan(x, CoshTerm); }

// sum over n >= 1 of sinh x / sinh(n x); NaN for x = 0 and when it fails.
VELTRIA_API double rSinhSeries(double x) { return SeriesOrNan(x, SinhTerm); }
