// Sums, products and means of a count followed by that many doubles. The
// exported functions only hand their argument list to one walker each; a
// walker reads exactly `count` values, so a count of 0 reads none.
#include <cmath>
#include <cstdarg>

#include "scalar/elementary.h"
#include "scalar/means.h"
#include "scalar/real_helpers.h"

namespace {

typedef double (*RealFunction)(double);

double rVaSumOfList(Qword count, va_list* args) {
  if (count == 0) return 0;
  double s = va_arg(*args, double);
  for (Qword i = 1; i < count; ++i) s += va_arg(*args, double);
  return s;
}

double rVaSumFuncOfList(Qword count, RealFunction f, va_list* args) {
  if (!f) return count == 0 ? 0 : ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += f(va_arg(*args, double));
  return s;
}

// The reciprocal of the sum of reciprocals; a zero value makes it 0 and
// ends the walk.
double rVaInvSumOfList(Qword count, va_list* args) {
  double s = 0;
  for (Qword i = 0; i < count; ++i) {
    const double x = va_arg(*args, double);
    if (x == 0) return 0;
    s += 1 / x;
  }
  return 1 / s;
}

double rVaSumLnAbsOfList(Qword count, va_list* args) {
  double s = 0;
  for (Qword i = 0; i < count; ++i) {
    const double x = va_arg(*args, double);
    if (x == 0) return ___NAN;
    s += rLog(std::fabs(x));
  }
  return s;
}

double rVaSumSquaresOfList(Qword count, va_list* args) {
  double s = 0;
  for (Qword i = 0; i < count; ++i) {
    const double x = va_arg(*args, double);
    s += x * x;
  }
  return s;
}

double rVaProductOfList(Qword count, va_list* args) {
  double p = 1;
  for (Qword i = 0; i < count; ++i) p *= va_arg(*args, double);
  return p;
}

double rVaProductFuncOfList(Qword count, RealFunction f, va_list* args) {
  if (!f) return count == 0 ? 1 : ___NAN;
  double p = 1;
  for (Qword i = 0; i < count; ++i) p *= f(va_arg(*args, double));
  return p;
}

}  // namespace

// One exported body per walker: start the list after `last`, walk, end.
#define VA_WALK(last, ...)      \
  va_list args;                 \
  va_start(args, last);         \
  const double r = __VA_ARGS__; \
  va_end(args);                 \
  return r

VELTRIA_API double rVaSum(Qword count, ...) { VA_WALK(count, rVaSumOfList(count, &args)); }

VELTRIA_API double rVaSumFunc(Qword count, RealFunction f, ...) {
  VA_WALK(f, rVaSumFuncOfList(count, f, &args));
}

VELTRIA_API double rVaSumInv(Qword count, ...) { VA_WALK(count, rVaInvSumOfList(count, &args)); }

VELTRIA_API double rVaSumLnAbs(Qword count, ...) {
  VA_WALK(count, rVaSumLnAbsOfList(count, &args));
}

VELTRIA_API double rVaSumSquares(Qword count, ...) {
  VA_WALK(count, rVaSumSquaresOfList(count, &args));
}

VELTRIA_API double rVaProduct(Qword count, ...) { VA_WALK(count, rVaProductOfList(count, &args)); }

VELTRIA_API double rVaProductFunc(Qword count, RealFunction f, ...) {
  VA_WALK(f, rVaProductFuncOfList(count, f, &args));
}

VELTRIA_API double rVaMeanA(Dword count, ...) {
  VA_WALK(count, rVaSumOfList(count, &args) / count);
}

VELTRIA_API double rVaMeanH(Dword count, ...) {
  VA_WALK(count, count * rVaInvSumOfList(count, &args));
}

VELTRIA_API double rVaMeanRms(Dword count, ...) {
  VA_WALK(count, rSqrt(rVaSumSquaresOfList(count, &args) / count));
}
