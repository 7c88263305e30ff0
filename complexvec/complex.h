// The complex value type: two doubles, re then im, copied as a plain value.
// Arithmetic is the textbook arithmetic, with no scaling: a quotient by zero
// or an overflowing |b|^2 follows IEEE rules part by part.
#pragma once
#include <concepts>
#include <type_traits>

#include "base/types.h"

struct COMPLEX {
  double re;
  double im;

  constexpr COMPLEX() : re(0.0), im(0.0) {}
  constexpr COMPLEX(double r, double i) : re(r), im(i) {}
  constexpr COMPLEX(double x) : re(x), im(0.0) {}
  constexpr COMPLEX(Long n) : re(n), im(0.0) {}

  // NaN in either part makes two values unequal; +0 equals -0.
  constexpr bool operator==(const COMPLEX& b) const { return re == b.re && im == b.im; }

  constexpr COMPLEX& operator+=(const COMPLEX& b) {
    re += b.re;
    im += b.im;
    return *this;
  }
  constexpr COMPLEX& operator*=(double d) {
    re *= d;
    im *= d;
    return *this;
  }
  // The product is formed before it is stored, so z *= z squares z.
  constexpr COMPLEX& operator*=(const COMPLEX& b) {
    const double r = re * b.re - im * b.im;
    const double i = re * b.im + im * b.re;
    re = r;
    im = i;
    return *this;
  }
  constexpr COMPLEX& operator/=(double d) {
    re /= d;
    im /= d;
    return *this;
  }
  // An unsigned 64-bit operand is converted as unsigned (2^63 and above stay
  // positive); the constraint keeps plain int operands on the double forms.
  template <std::same_as<Qword> U>
  constexpr COMPLEX& operator/=(U u) {
    return *this /= static_cast<double>(u);
  }
};

static_assert(sizeof(COMPLEX) == 16);
static_assert(std::is_trivially_copyable_v<COMPLEX>);
static_assert(std::is_standard_layout_v<COMPLEX>);
static_assert(offsetof(COMPLEX, re) == 0 && offsetof(COMPLEX, im) == 8);

constexpr COMPLEX operator+(const COMPLEX& a, const COMPLEX& b) {
  return COMPLEX(a.re + b.re, a.im + b.im);
}
constexpr COMPLEX operator-(const COMPLEX& a, const COMPLEX& b) {
  return COMPLEX(a.re - b.re, a.im - b.im);
}
constexpr COMPLEX operator-(const COMPLEX& a) { return COMPLEX(-a.re, -a.im); }
constexpr COMPLEX operator*(const COMPLEX& a, const COMPLEX& b) {
  return COMPLEX(a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re);
}
constexpr COMPLEX operator/(const COMPLEX& a, const COMPLEX& b) {
  const double s = b.re * b.re + b.im * b.im;
  return COMPLEX((a.re * b.re + a.im * b.im) / s, (a.im * b.re - a.re * b.im) / s);
}

constexpr COMPLEX operator*(double d, const COMPLEX& a) { return COMPLEX(d * a.re, d * a.im); }
constexpr COMPLEX operator*(const COMPLEX& a, double d) { return COMPLEX(d * a.re, d * a.im); }
template <std::same_as<Qword> U>
constexpr COMPLEX operator*(U u, const COMPLEX& a) {
  return static_cast<double>(u) * a;
}
template <std::same_as<Qword> U>
constexpr COMPLEX operator*(const COMPLEX& a, U u) {
  return static_cast<double>(u) * a;
}

constexpr COMPLEX operator+(double d, const COMPLEX& a) { return COMPLEX(a.re + d, a.im); }
constexpr COMPLEX operator+(const COMPLEX& a, double d) { return COMPLEX(a.re + d, a.im); }
constexpr COMPLEX operator-(const COMPLEX& a, double d) { return COMPLEX(a.re - d, a.im); }
constexpr COMPLEX operator-(double d, const COMPLEX& a) { return COMPLEX(d - a.re, -a.im); }

constexpr COMPLEX operator/(double d, const COMPLEX& a) {
  const double s = a.re * a.re + a.im * a.im;
  return COMPLEX(a.re * d / s, -a.im * d / s);
}
constexpr COMPLEX operator/(const COMPLEX& a, double d) { return COMPLEX(a.re / d, a.im / d); }
template <std::same_as<Qword> U>
constexpr COMPLEX operator/(const COMPLEX& a, U u) {
  return a / static_cast<double>(u);
}

// z^n by binary powering; z^0 is (1, 0) for every z, NaN included.
COMPLEX ccPowerUnsignedValue(COMPLEX z, Qword n);
// z^n; a negative n powers the quotient (1, 0) / z by -n taken as unsigned.
COMPLEX ccPowerSignedValue(COMPLEX z, Qlong n);

// The library-wide complex constants, written before any code runs.
extern const COMPLEX ZeroComplex;
extern const COMPLEX OneComplex;
extern const COMPLEX TwoComplex;
extern const COMPLEX MnsOneComplex;
extern const COMPLEX IComplex;
extern const COMPLEX MnsIComplex;
extern const COMPLEX NanComplex;

// The members of a COMPLEX without its constructors: what a COMPLEX passed
// through a C argument list is read as (va_arg of a type with constructors
// is not portable; both have the same layout and calling convention).
struct ComplexPlain {
  double re;
  double im;
};
static_assert(sizeof(ComplexPlain) == sizeof(COMPLEX));
inline COMPLEX ComplexFromPlain(ComplexPlain p) { return COMPLEX(p.re, p.im); }
