// Az(x) = (x - 1)(zeta(x) - 1): truncated Taylor series on seven intervals,
// two exponentials above them; its derivatives and the table evaluator.
#include "base/error_codes.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"
#include "scalar/special_number_tables.h"
#include "scalar/special_numbers.h"

namespace {
constexpr double kCentre[kRiemannAzTableCount] = {-19, -13, -5, 7, 22, 40, 60};
// Interval i is [kLow[i], kLow[i + 1]).
constexpr double kLow[kRiemannAzTableCount + 1] = {-22.5, -16.5, -9.5, 0, 13, 29, 48, 68.5};
constexpr double kLn2 = 0.6931471805599453;
constexpr double kLn3 = 1.0986122886681098;

int IntervalOf(double x) {
  if (!(x >= kLow[0]) || !(x < kLow[kRiemannAzTableCount])) return -1;
  int i = 0;
  while (x >= kLow[i + 1]) ++i;
  return i;
}

double FromTable(double x, int i, Qlong order) {
  double v = 0;
  rRiemannAzPolyEval(x - kCentre[i], &v, RiemannAzTables[i], kRiemannAzTableSize, order);
  return v;
}
}  // namespace

VELTRIA_INTERNAL double ruPowerBySquaring(double x, Qword n) {
  if (n == 0) return 1.0;
  double result = 1.0;
  double p = x;
  for (;;) {
    if (n & 1) result *= p;
    n >>= 1;
    if (n == 0) return result;
    p *= p;
  }
}

VELTRIA_INTERNAL LibErrorCode rRiemannAzPolyEval(double x, double* out, const double* table,
                                                 Qword count, Qlong order) {
  if (!table || count == 0) {
    if (out) *out = 0;
    return kErrMissingInputData;
  }
  if (!out) return kErrMissingOutputBuffer;
  const Qword m = count - 1;
  double value;
  if (order == 0) {
    value = table[m];
    for (Qword i = m; i-- > 0;) value = table[i] + x * value;
  } else if (order > 0) {
    const Qword a = static_cast<Qword>(order);
    if (m < a) {
      *out = 0;
      return 0;
    }
    // c_i = i!/(i - a)!, kept as a real: the exact 64-bit product of the
    // table's top coefficient overflows from order 13 on.
    double c = 1.0;
    for (Qword j = 0; j < a; ++j) c *= static_cast<double>(m - j);
    value = c * table[m];
    for (Qword i = m; i-- > a;) {
      c = static_cast<double>(i + 1 - a) * (c / static_cast<double>(i + 1));
      value = c * table[i] + x * value;
    }
  } else {
    const Qword a = Qword{0} - static_cast<Qword>(order);
    // c_i = (i + a)!/i!
    double c = 1.0;
    for (Qword j = 1; j <= a; ++j) c *= static_cast<double>(m + j);
    value = table[m] / c;
    for (Qword i = m; i-- > 0;) {
      c = static_cast<double>(i + 1) * (c / static_cast<double>(i + 1 + a));
      value = table[i] / c + x * value;
    }
    value *= ruPowerBySquaring(x, a);
  }
  *out = value;
  return 0;
}

VELTRIA_API double rRiemannAz(double x) {
  if (rIsNAN(x)) return ___NAN;
  if (x < kLow[0]) return (x - 1.0) * (rRiemannZeta(x) - 1.0);
  const int i = IntervalOf(x);
  if (i >= 0) return FromTable(x, i, 0);
  if (x < 1035) {
    const double p = rExp(-kLn2 * x);
    const double q = rExp(-kLn3 * x);
    return (x - 1.0) * (p * p + q + p);
  }
  return 0.0;
}

VELTRIA_API double rRiemannAzD(double x, Qword order) {
  if (rIsNAN(x) || order > 30 || x < kLow[0]) return ___NAN;
  const int i = IntervalOf(x);
  if (i >= 0) return FromTable(x, i, static_cast<Qlong>(order));
  if (x < 1035) {
    if (order >= 2) return ___NAN;
    if (order == 0) return rRiemannAz(x);
    const double p = rExp(-kLn2 * x);
    const double q = rExp(-kLn3 * x);
    return p + q + (x - 1.0) * (-kLn2 * p - kLn3 * q);
  }
  return 0.0;
}
