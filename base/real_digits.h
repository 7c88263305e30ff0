// The library's own digit loop over a radix mantissa: digits are taken as
// the integer part and cut, never rounded, so what a double really holds
// shows through, identically in every writer of reals.
#pragma once
#include <charconv>
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

// Decimal digits of a finite, non-zero double, cut (never rounded) from its
// exact decimal expansion. The radix loop above runs on a mantissa that is
// itself rounded, so exact values printed below themselves (99999 with six
// digits gave 99998.9); every double has a finite decimal expansion (at most
// 767 significant digits), so cutting it is exact.
class DecimalDigits {
 public:
  // `hint`: the digits the caller expects to take; more are produced on demand.
  DecimalDigits(double x, Qlong hint) : x_(std::fabs(x)) {
    Convert(hint < kExact - kGuard ? static_cast<int>(hint) + kGuard : kExact);
  }
  // The power of ten of the first digit.
  Long Exponent() const { return exponent_; }
  Dword Next() {
    if (next_ >= usable_ && precision_ < kExact) Convert(kExact);
    return next_ < count_ ? static_cast<Dword>(digits_[next_++]) : 0;
  }

 private:
  // Digits after the first that a correctly rounded text of this precision
  // holds; beyond the exact expansion every digit is 0.
  static constexpr int kExact = 780;
  // Extra digits beyond the hint: the cut is exact unless rounding carried
  // through all of them, which a tail of zeros reveals.
  static constexpr int kGuard = 20;

  void Convert(int precision) {
    char text[kExact + 16];
    auto r = std::to_chars(text, text + sizeof text, x_, std::chars_format::scientific, precision);
    Parse(text, r.ptr);
    precision_ = precision;
    usable_ = precision + 1 - kGuard;
    if (precision < kExact) {
      bool zeros = true;
      for (Long i = usable_; i < count_; ++i) zeros = zeros && digits_[i] == 0;
      if (zeros) {  // a carry may have rounded ...999 up: take the exact text
        r = std::to_chars(text, text + sizeof text, x_, std::chars_format::scientific, kExact);
        Parse(text, r.ptr);
        precision_ = kExact;
        usable_ = count_;
      }
    }
  }

  void Parse(const char* p, const char* end) {
    count_ = 0;
    for (; p < end && *p != 'e'; ++p)
      if (*p >= '0' && *p <= '9') digits_[count_++] = static_cast<char>(*p - '0');
    Long e = 0;
    bool negative = false;
    if (p < end) ++p;  // the 'e'
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    for (; p < end; ++p) e = e * 10 + (*p - '0');
    exponent_ = negative ? -e : e;
  }

  double x_;
  char digits_[kExact + 2] = {};
  Long count_ = 0;
  Long usable_ = 0;
  Long next_ = 0;
  int precision_ = 0;
  Long exponent_ = 0;
};

// One source of digits for every writer of reals: the exact expansion in
// radix 10 for finite non-zero values, the mantissa loop otherwise (zero, and
// the other radices, where a loop over a power-of-two radix is exact anyway).
class RealDigits {
 public:
  // Splits |x| into digits and the exponent of the first one; the loop
  // values are what rMantissaAndExponent gave; `hint` is the digits wanted.
  RealDigits(double x, Dword radix, double loop_mantissa, Long loop_exponent, Qlong hint)
      : decimal_(radix == 10 && x != 0 && std::isfinite(x)),
        dec_(decimal_ ? x : 1.0, decimal_ ? hint : 0),
        loop_(std::fabs(loop_mantissa), radix),
        exponent_(decimal_ ? dec_.Exponent() : loop_exponent) {}
  Long Exponent() const { return exponent_; }
  Dword Next() { return decimal_ ? dec_.Next() : loop_.Next(); }

 private:
  bool decimal_;
  DecimalDigits dec_;
  MantissaDigits loop_;
  Long exponent_;
};

}  // namespace numtext
