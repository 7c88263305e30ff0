// Qrat arithmetic. Products and sums wrap in 64 bits (done unsigned, so
// the wrap is defined); iReduceRatio brings each result to canonical form.
#include "scalar/rational.h"

#include "scalar/combinatorics.h"

namespace {

inline Qlong Mul(Qlong a, Qlong b) {
  return static_cast<Qlong>(static_cast<Qword>(a) * static_cast<Qword>(b));
}
inline Qlong Add(Qlong a, Qlong b) {
  return static_cast<Qlong>(static_cast<Qword>(a) + static_cast<Qword>(b));
}
inline Qlong Sub(Qlong a, Qlong b) {
  return static_cast<Qlong>(static_cast<Qword>(a) - static_cast<Qword>(b));
}

Qrat Reduced(Qlong n, Qlong d) {
  iReduceRatio(&n, &d);
  return Qrat(n, d);
}

}  // namespace

Qrat Qrat::operator*(const Qrat& b) const {
  return Reduced(Mul(numerator, b.numerator), Mul(denominator, b.denominator));
}
Qrat Qrat::operator+(const Qrat& b) const {
  return Reduced(Add(Mul(numerator, b.denominator), Mul(b.numerator, denominator)),
                 Mul(denominator, b.denominator));
}
Qrat Qrat::operator/(const Qrat& b) const {
  return Reduced(Mul(numerator, b.denominator), Mul(denominator, b.numerator));
}
Qrat Qrat::operator/(Long k) const { return Reduced(numerator, Mul(denominator, k)); }
Qrat Qrat::operator-() const { return Reduced(Sub(0, numerator), denominator); }
bool Qrat::operator<(const Qrat& b) const {
  return Mul(numerator, b.denominator) < Mul(denominator, b.numerator);
}
Qrat& Qrat::operator*=(const Qrat& b) { return *this = *this * b; }
Qrat& Qrat::operator+=(const Qrat& b) { return *this = *this + b; }
Qrat& Qrat::operator-=(const Qrat& b) {
  *this = Reduced(Sub(Mul(numerator, b.denominator), Mul(b.numerator, denominator)),
                  Mul(denominator, b.denominator));
  return *this;
}

Qrat QratReciprocal(const Qrat& a) { return Qrat(a.denominator, a.numerator); }

void QratReduce(Qrat& a) { iReduceRatio(&a.numerator, &a.denominator); }

Qrat QratPowerBySquaring(const Qrat& a, Qword n) {
  if (n == 1) return a;
  Qrat result(1);
  Qrat base = a;
  while (n != 0) {
    if (n & 1) result *= base;
    n >>= 1;
    if (n != 0) base *= base;
  }
  return result;
}

Qrat QratPower(const Qrat& a, Qlong n) {
  if (n >= 0) return QratPowerBySquaring(a, static_cast<Qword>(n));
  // The magnitude of n in unsigned form: -n would overflow for the minimum.
  return QratPowerBySquaring(Qrat(1) / a, Qword{0} - static_cast<Qword>(n));
}
