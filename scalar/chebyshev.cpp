// Chebyshev polynomials: values, derivatives, antiderivatives, zeros,
// series and the weight.
#include "scalar/elementary.h"
#include "scalar/orthogonal_polys.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kPi = 3.141592653589793;

// (T_m, T_(m+1)) by halving the degree: from (T_k, T_(k+1)) follow
// T_2k = 2T_k² - 1, T_(2k+1) = 2T_k·T_(k+1) - x, T_(2k+2) = 2T_(k+1)² - 1.
// Each level is visited once, so the cost is logarithmic in m.
void ChebyshevTPair(double x, Qword m, double* tm, double* tm1) {
  if (m <= 6) {
    double prev = 1, cur = x;
    if (m == 0) {
      *tm = 1;
      *tm1 = x;
      return;
    }
    for (Qword k = 1; k < m; ++k) {
      const double next = 2 * x * cur - prev;
      prev = cur;
      cur = next;
    }
    *tm = cur;
    *tm1 = 2 * x * cur - prev;
    return;
  }
  double tk, tk1;
  ChebyshevTPair(x, m / 2, &tk, &tk1);
  const double odd = 2 * tk * tk1 - x;
  if (m % 2 == 0) {
    *tm = 2 * tk * tk - 1;
    *tm1 = odd;
  } else {
    *tm = odd;
    *tm1 = 2 * tk1 * tk1 - 1;
  }
}

Qword Magnitude(Qlong n) { return n < 0 ? 0 - static_cast<Qword>(n) : static_cast<Qword>(n); }
}  // namespace

VELTRIA_API double rChebyshevT(double x, Qword n) {
  if (n <= 7) {
    if (n == 0) return 1;
    double prev = 1, cur = x;
    for (Qword k = 1; k < n; ++k) {
      const double next = 2 * x * cur - prev;
      prev = cur;
      cur = next;
    }
    return cur;
  }
  double tm, tm1;
  ChebyshevTPair(x, n / 2, &tm, &tm1);
  return n % 2 ? 2 * tm * tm1 - x : 2 * tm * tm - 1;
}

VELTRIA_API double rChebyshevU(double x, Qword n) {
  double prev = 1, cur = 2 * x;
  if (n == 0) return 1;
  for (Qword k = 1; k < n; ++k) {
    const double next = 2 * x * cur - prev;
    prev = cur;
    cur = next;
  }
  return cur;
}

// A null coefficient array gives NaN.
VELTRIA_API double rChebyshevTSeries(double x, const double* c, Qword n) {
  if (!c) return ___NAN;
  double sum = c[0];
  double prev = 1, cur = x;
  for (Qword k = 1; k <= n; ++k) {
    sum += c[k] * cur;
    const double next = 2 * x * cur - prev;
    prev = cur;
    cur = next;
  }
  return sum;
}

VELTRIA_API double rChebyshevUSeries(double x, const double* c, Qword n) {
  if (!c) return ___NAN;
  double sum = c[0];
  double prev = 1, cur = 2 * x;
  for (Qword k = 1; k <= n; ++k) {
    sum += c[k] * cur;
    const double next = 2 * x * cur - prev;
    prev = cur;
    cur = next;
  }
  return sum;
}

VELTRIA_API double rChebyshevTD(double x, Qword n) {
  const double x2 = x * x;
  switch (n) {
    case 0:
      return 0;
    case 1:
      return 1;
    case 2:
      return 4 * x;
    case 3:
      return 12 * x2 - 3;
    case 4:
      return (32 * x2 - 16) * x;
    case 5:
      return (80 * x2 - 60) * x2 + 5;
    default:
      return static_cast<double>(n) * rChebyshevU(x, n - 1);
  }
}

VELTRIA_API double rChebyshevUD(double x, Qword n) {
  const double x2 = x * x;
  switch (n) {
    case 0:
      return 0;
    case 1:
      return 2;
    case 2:
      return 8 * x;
    case 3:
      return 24 * x2 - 4;
    case 4:
      return (64 * x2 - 24) * x;
    case 5:
      return (160 * x2 - 96) * x2 + 6;
    default: {
      const double nd = static_cast<double>(n);
      return (x * rChebyshevU(x, n) - (nd + 1) * rChebyshevT(x, n + 1)) / (1 - x) / (1 + x);
    }
  }
}

// T_-n = T_n, so a negative order is integrated as its magnitude (the
// formula would otherwise divide by zero at n = -1).
VELTRIA_API double rChebyshevTA(double x, Qlong n) {
  const Qword m = Magnitude(n);
  if (m == 0) return x;
  if (m == 1) return 0.5 * x * x;
  const double md = static_cast<double>(m);
  return 0.5 * (rChebyshevT(x, m + 1) / (md + 1) - rChebyshevT(x, m - 1) / (md - 1));
}

// T_(n+1)/(n + 1) with T_-k = T_k, which covers U_n = -U_(-n-2) for
// negative n; U_-1 = 0 integrates to 0.
VELTRIA_API double rChebyshevUA(double x, Qlong n) {
  if (n == -1) return 0;
  const Qword index = n >= 0 ? static_cast<Qword>(n) + 1 : Magnitude(n) - 1;  // |n + 1|
  return rChebyshevT(x, index) / (static_cast<double>(n) + 1);
}

VELTRIA_API double rChebyshevTRoot(Qword k, Qword n) {
  if (k >= n) return ___NAN;
  return rCos((0.5 + static_cast<double>(k)) / static_cast<double>(n) * kPi);
}

VELTRIA_API double rChebyshevURoot(Qword k, Qword n) {
  if (k >= n) return ___NAN;
  return rCos((1 + static_cast<double>(k)) / (static_cast<double>(n) + 1) * kPi);
}

VELTRIA_API double rChebyshevWeight(double x) {
  const double m = rAbs(x);
  if (m > 1) return ___NAN;
  const double a = x * x;
  if (a < ___Root4EpsReal) return 1 + a * (0.5 + a * (0.375 + a * 0.3125));
  return (1 / rSqrt(1 - m)) / rSqrt(1 + m);
}

VELTRIA_API double rCosNFromCos(double c, Qword n) {
  if (rAbs(c) > 1) return ___NAN;
  if (n == 0) return 1;
  return rChebyshevT(c, n);
}

VELTRIA_API double rSinNDivSinFromCos(double c, Qword n) {
  if (rAbs(c) > 1) return ___NAN;
  if (n == 0) return 0;
  if (n == 1) return 1;
  return rChebyshevU(c, n - 1);
}
