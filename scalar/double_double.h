// Error-free sums and products of doubles (Dekker, Knuth) for the few
// places that need about 106 bits in a running product; no FMA is assumed.
#pragma once

namespace dd {
struct DD {
  double hi, lo;
};

// hi + lo == a + b exactly.
inline DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// Splits a into two halves of 26 bits each (a must be far below overflow).
inline void Split(double a, double& h, double& l) {
  const double t = 134217729.0 * a;  // 2^27 + 1
  h = t - (t - a);
  l = a - h;
}

// hi + lo == a * b exactly (barring underflow and overflow).
inline DD TwoProd(double a, double b) {
  const double p = a * b;
  double ah, al, bh, bl;
  Split(a, ah, al);
  Split(b, bh, bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// (a.hi + a.lo) * b, renormalised; relative error about 2^-104.
inline DD Mul(DD a, double b) {
  const DD p = TwoProd(a.hi, b);
  const double lo = p.lo + a.lo * b;
  const double s = p.hi + lo;
  return {s, lo - (s - p.hi)};
}
}  // namespace dd
