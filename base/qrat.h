// The rational number: a signed 64-bit numerator and denominator, 16 bytes,
// in that order and nothing else. Values are kept reduced (denominator
// positive, lowest terms, 0 as 0/1); a denominator of 0 marks an undefined
// value (1/0 or -1/0 once reduced). The record is here, below everything,
// so that the formatter can print it; the arithmetic lives in
// scalar/rational.h and its sources.
#pragma once
#include <cstddef>
#include <type_traits>

#include "base/types.h"

struct Qrat {
  Qlong numerator;
  Qlong denominator;

  constexpr Qrat() : numerator(0), denominator(1) {}
  constexpr Qrat(Long n) : numerator(n), denominator(1) {}  // NOLINT: n/1 by design
  // The pair as given, not reduced.
  constexpr Qrat(Qlong n, Qlong d) : numerator(n), denominator(d) {}

  // Exact with wrapping 64-bit products; every result is reduced.
  Qrat operator*(const Qrat& b) const;
  Qrat operator+(const Qrat& b) const;
  Qrat operator/(const Qrat& b) const;
  Qrat operator/(Long k) const;
  Qrat operator-() const;
  // Valid for positive denominators.
  bool operator<(const Qrat& b) const;
  Qrat& operator*=(const Qrat& b);
  Qrat& operator+=(const Qrat& b);
  Qrat& operator-=(const Qrat& b);
};

static_assert(sizeof(Qrat) == 16, "Qrat is two 64-bit integers");
static_assert(offsetof(Qrat, numerator) == 0 && offsetof(Qrat, denominator) == 8,
              "numerator first");
static_assert(std::is_trivially_copyable_v<Qrat> && std::is_standard_layout_v<Qrat>,
              "Qrat travels by value through C interfaces and argument lists");

// The members of a Qrat without its constructors: what a Qrat passed through
// a C argument list is read as (va_arg of a type with constructors is not
// portable; the two have the same layout and calling convention).
struct QratPlain {
  Qlong numerator;
  Qlong denominator;
};
static_assert(sizeof(QratPlain) == sizeof(Qrat));
inline Qrat QratFromPlain(QratPlain p) { return Qrat(p.numerator, p.denominator); }
