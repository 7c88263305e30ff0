// The library's own digit loop over a radix mantissa: digits are taken as
// the integer part and cut, never rounded, so what a double really holds
// shows through, identically in every writer of reals.
#pragma once
#include <cmath>

#include "base/double_to_int.h"
#include "base/types.h"

namespace numtext {

class MantissaDigits {
 public:
  // `m` is a mantissa in [0, radix) from rMantissaAndExponent.
  MantissaDigits(double m, Dword radix) : m_(m), radix_(radix) {}

  // The next digit: floor of the running mantissa, which then becomes
  // m * radix - digit * radix. The product is taken first and rounded at
  // its own scale, so a mantissa one ulp below a short decimal (1.23 is
  // 1.2299999999999999822...) still gives that decimal's digits (123).
  // A non-finite running value gives 0; the digit is kept below the radix
  // should a product round up to it.
  Dword Next() {
    if (!std::isfinite(m_)) return 0;
    const double whole = std::floor(m_);
    Long d = DoubleToLong(whole);
    if (d < 0) d = 0;
    if (static_cast<Dword>(d) >= radix_) d = static_cast<Long>(radix_ - 1);
    const double r = static_cast<double>(radix_);
    m_ = m_ * r - whole * r;
    return static_cast<Dword>(d);
  }

 private:
  double m_;
  Dword radix_;
};

}  // namespace numtext
