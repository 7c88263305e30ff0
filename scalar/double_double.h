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

// hi + lo renormalised so that |lo| is at most half an ulp of hi (|lo| must
// already be well below |hi|).
inline DD Renormalize(double hi, double lo) {
  const double s = hi + lo;
  return {s, lo - (s - hi)};
}

// a + b, relative error about 2^-104 when no cancellation occurs.
inline DD Add(DD a, DD b) {
  const DD s = TwoSum(a.hi, b.hi);
  return Renormalize(s.hi, s.lo + a.lo + b.lo);
}

// a * b of two double-double values, relative error about 2^-104.
inline DD Mul(DD a, DD b) {
  const DD p = TwoProd(a.hi, b.hi);
  return Renormalize(p.hi, p.lo + a.hi * b.lo + a.lo * b.hi);
}

// a / b, relative error about 2^-104.
inline DD Div(DD a, double b) {
  const double q = a.hi / b;
  const DD p = TwoProd(q, b);
  return Renormalize(q, ((a.hi - p.hi) - p.lo + a.lo) / b);
}

// a / b of two double-double values, relative error about 2^-104: one
// correction of the quotient of the leading parts.
inline DD Div(DD a, DD b) {
  const double q = a.hi / b.hi;
  const DD p = Mul(b, q);
  const DD r = TwoSum(a.hi, -p.hi);
  return Renormalize(q, (r.hi + (r.lo - p.lo + a.lo)) / b.hi);
}
}  // namespace dd
