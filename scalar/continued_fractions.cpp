// Continued fractions by the fundamental recurrences, rescaled whenever the
// denominator leaves [1e-10, 1e10], so that every approximant can be kept.
#include <cmath>

#include "scalar/iteration_loop.h"
#include "scalar/safe_arith.h"

namespace {

struct Recurrence {
  double a_prev = 1, a_cur;  // A(k-1), A(k)
  double b_prev = 0, b_cur = 1;
  explicit Recurrence(double b0) : a_cur(b0) {}

  void Step(double a_k, double b_k) {
    double a = b_k * a_cur + a_k * a_prev;
    double b = b_k * b_cur + a_k * b_prev;
    if (std::fabs(b) > 1e10 || std::fabs(b) < 1e-10) {
      const double r = rSafeInv(b);
      a_cur *= r;
      a *= r;
      b_cur *= r;
      b = 1;
    }
    a_prev = a_cur;
    a_cur = a;
    b_prev = b_cur;
    b_cur = b;
  }
  double Value() const { return a_cur / b_cur; }
  // The approximant with w added to the last partial denominator.
  double ValueWithTail(double w) const { return (a_cur + w * a_prev) / (b_cur + w * b_prev); }
};

Dword Finish(iteration::End end, bool test_active) {
  return end == iteration::End::kLimit && test_active ? kErrTooManyIterations : kErrNone;
}

}  // namespace

VELTRIA_API Dword rContFrac(double, double* value, Qword n, const double* a, const double* b,
                            double* approximants, Qword max_steps, Qword min_steps) {
  const double b0 = b ? b[0] : 1;
  *value = b0;
  if (approximants) approximants[0] = b0;
  if (n == 0) return kErrNone;
  const Qword limit = max_steps >= n ? n - 1 : max_steps;
  const bool active = min_steps != 0;
  Recurrence r(b0);
  const auto end = iteration::Run(
      limit, active, min_steps,
      [&](Qword k) {
        r.Step(a ? a[k] : 1, b ? b[k] : 1);
        *value = a ? r.ValueWithTail(a[0]) : r.Value();
        if (approximants) approximants[k] = *value;
      },
      [&] { return *value; });
  return Finish(end, active);
}

VELTRIA_API Dword rContFracCoefFunc(double x, double* value, ContFracCoefFunc coef,
                                    double* approximants, Qword max_steps, Qword min_steps) {
  if (!coef) return kErrIllegalArgument;
  const double b0 = coef(0, x, value);
  *value = b0;
  if (approximants) approximants[0] = b0;
  const bool active = min_steps != 0;
  Recurrence r(b0);
  const auto end = iteration::Run(
      max_steps, active, min_steps,
      [&](Qword k) {
        double a_k = 0;
        const double b_k = coef(k, x, &a_k);
        r.Step(a_k, b_k);
        *value = r.Value();
        if (approximants) approximants[k] = *value;
      },
      [&] { return *value; });
  return Finish(end, active);
}

VELTRIA_API Dword rContFracCtype(double x, double* value, Qword, double b0, const double* c,
                                 const Qword* e, double* approximants, Qword max_steps,
                                 Qword min_steps) {
  if (!c) return kErrMissingInputData;
  *value = b0;
  if (approximants) approximants[0] = b0;
  const bool active = min_steps != 0;
  Recurrence r(b0);
  const auto end = iteration::Run(
      max_steps, active, min_steps,
      [&](Qword k) {
        const double a_k = e ? c[k] * riPower(x, static_cast<Qlong>(e[k])) : c[k] * x;
        r.Step(a_k, 1);
        *value = r.Value();
        if (approximants) approximants[k] = *value;
      },
      [&] { return *value; });
  return Finish(end, active);
}
