// Generalised Laguerre polynomials L_n^(α): values, derivative, series and
// power-basis coefficients.
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/orthogonal_polys.h"
#include "scalar/real_helpers.h"

VELTRIA_API double rLaguerrePolynomial(double x, Qword n, double alpha) {
  if (n == 0) return 1;
  double prev = 1, cur = 1 + alpha - x;
  for (Qword k = 1; k < n; ++k) {
    const double kd = static_cast<double>(k);
    const double next = ((2 * kd + 1 + alpha - x) * cur - (kd + alpha) * prev) / (kd + 1);
    prev = cur;
    cur = next;
  }
  return cur;
}

VELTRIA_API double rLaguerrePolyD(double x, Qword n, double alpha) {
  if (n == 0) return 0;
  return -rLaguerrePolynomial(x, n - 1, alpha + 1);
}

// A null coefficient array gives NaN.
VELTRIA_API double rLaguerreSeries(double x, const double* c, Qword n, double alpha) {
  if (!c) return ___NAN;
  double sum = c[0];
  double prev = 1, cur = 1 + alpha - x;
  for (Qword k = 1; k <= n; ++k) {
    sum += c[k] * cur;
    const double kd = static_cast<double>(k);
    const double next = ((2 * kd + 1 + alpha - x) * cur - (kd + alpha) * prev) / (kd + 1);
    prev = cur;
    cur = next;
  }
  return sum;
}

// The coefficient of x^k in L_n^(a) is (-1)^k·C(n + a, n - k)/k!, with the
// binomial coefficient as the polynomial Π_{i=1..n-k} (a + k + i)/i in a.
// (The plain ratio p[k] = -p[k-1]·(n - k + 1 - a)/k² is right only for a = 0.)
// For a = -m, 1 <= m <= n, every coefficient below x^m vanishes; the upward
// ratio -(n - k + 1)/(k·(a + k)) then starts at k = m.
VELTRIA_API Dword rLaguerreFillPoly(Qword n, double* p, double a) {
  if (!p) return kErrMissingOutputBuffer;
  if (n == ~Qword{0}) return kErrAlloc;  // n + 1 entries cannot exist
  const double nd = static_cast<double>(n);
  Qword start = 0;
  if (a <= -1 && a >= -nd && rIsInteger(a)) start = DoubleToQword(-a);
  for (Qword k = 0; k < start; ++k) p[k] = 0;
  const double sd = static_cast<double>(start);
  double c = 1;  // C(n + a, n - start)/start!
  for (Qword i = 1; i <= n - start; ++i)
    c *= (a + sd + static_cast<double>(i)) / static_cast<double>(i);
  for (Qword i = 2; i <= start; ++i) c /= static_cast<double>(i);
  p[start] = start % 2 ? -c : c;
  for (Qword k = start + 1; k <= n; ++k) {
    const double kd = static_cast<double>(k);
    p[k] = -p[k - 1] * (nd - kd + 1) / (kd * (a + kd));
  }
  return kErrNone;
}

VELTRIA_API double* rLaguerreNewPoly(Dword* error, Qword n, double a) {
  Dword local = kErrNone;
  Dword* err = error ? error : &local;
  if (n == ~Qword{0}) {
    *err = kErrAlloc;
    return nullptr;
  }
  double* p = NewRealArrFill(err, n + 1);
  if (!p) return nullptr;
  *err = rLaguerreFillPoly(n, p, a);
  if (*err) KillPtr(&p);
  return p;
}
