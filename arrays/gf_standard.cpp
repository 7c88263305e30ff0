// Coefficients of standard series: 1/(1 - x) (also the exponential series
// of exp(x)), 1/(1 + x) and the ordinary series of exp(x).
#include "arrays/generating_functions.h"
#include "base/memory.h"
#include "scalar/gamma.h"
#include "scalar/real_helpers.h"

VELTRIA_API double* RArrNewOgf_1Div1Mnsx(Qword n) {
  Dword error;
  const double one = 1;
  return NewArrFill<double>(&error, n, &one);
}
VELTRIA_ALIAS(double*, RArrNewEgf_Exp, (Qword n), RArrNewOgf_1Div1Mnsx);

VELTRIA_API double* RArrNewOgf_1Div1Plsx(Qword n) {
  Dword error;
  double* a = NewArrFill<double>(&error, n);
  if (a)
    for (Qword i = 0; i < n; ++i) a[i] = i % 2 ? -1.0 : 1.0;
  return a;
}

VELTRIA_API double rOgfCoef_1Div1Mnsx(Qword) { return 1; }
VELTRIA_ALIAS(double, rEgfCoef_Exp, (Qword n), rOgfCoef_1Div1Mnsx);

VELTRIA_API double rOgfCoef_1Div1Plsx(Qword n) { return n % 2 ? -1.0 : 1.0; }

// 1/n!, 0 from 171 on, where n! overflows.
VELTRIA_API double rOgfCoef_Exp(Qword n) {
  constexpr Qword kFirstInfinite = 171;
  return 1 / rFactorial(static_cast<Qlong>(n < kFirstInfinite ? n : kFirstInfinite));
}

// a[n]/a[n-1] = 1/n; 1 at n = 0 and NaN below, where there is no coefficient.
VELTRIA_API double rOgfCoefRatio_Exp(Qlong n) {
  if (n < 0) return ___NAN;
  return n == 0 ? 1.0 : 1 / static_cast<double>(n);
}
