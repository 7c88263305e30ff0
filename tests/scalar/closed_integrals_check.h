// F(b) - F(a) of a closed-form antiderivative against a quadrature table.
#pragma once
#include <cmath>

#include "closed_integral_reference.inc"
#include "special_accuracy.h"

// The error is taken against |F(a)| + |F(b)| as well, since the difference
// of the two values may cancel.
template <size_t N, class F>
void CheckIntegrals(const char* name, const IntegralRow (&rows)[N], F antiderivative) {
  AccuracyTally tally(name, kTol2);
  for (const IntegralRow& r : rows) {
    const double fa = antiderivative(r.p, r.a), fb = antiderivative(r.p, r.b);
    const double scale = std::fmax(std::fabs(fa) + std::fabs(fb), std::fabs(r.integral));
    tally.Check(r.b, (fb - fa) / scale, r.integral / scale);
  }
}
