// Power-of-two scaling of the homogeneous means: M(s a, s b) = s M(a, b),
// and multiplying by 2^e is exact away from the subnormal range, so a mean
// computed on scaled arguments rounds as the plain formula would.
#pragma once
#include <cmath>

// The exponent e with |x| = m 2^e, 0.5 <= m < 1; 0 for 0, NaN and infinities.
inline int BinaryExponent(double x) {
  if (x == 0 || !std::isfinite(x)) return 0;
  int e;
  std::frexp(x, &e);
  return e;
}

// sqrt(a b) for a b >= 0 without overflow or underflow of the product.
inline double GeometricMeanOfProduct(double a, double b) {
  if (a == 0 || b == 0) return 0;
  const double p = a * b;
  if (std::isnormal(p) || !std::isfinite(a) || !std::isfinite(b)) return std::sqrt(p);
  int ea;
  int eb;
  const double ma = std::frexp(std::fabs(a), &ea);
  const double mb = std::frexp(std::fabs(b), &eb);
  double m = ma * mb;
  int e = ea + eb;
  if (e & 1) {
    m *= 2;
    e -= 1;
  }
  return std::ldexp(std::sqrt(m), e / 2);
}

// (a + b)/2 without overflow of the sum.
inline double HalfSum(double a, double b) {
  const double s = a + b;
  if (std::isinf(s) && std::isfinite(a) && std::isfinite(b)) return 0.5 * a + 0.5 * b;
  return 0.5 * s;
}
