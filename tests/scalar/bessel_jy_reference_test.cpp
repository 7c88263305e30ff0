// J and Y of integer and real order against mpmath (tools/
// gen_bessel_jy_reference.py), on x in (0, 300] and |nu| <= 40 with points
// on both sides of every region boundary. The error is measured against
// max(|f|, 0.01): near zeros an absolute error is what a caller sees.
// Each band of x has its own bound, printed with its worst row.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "base/double_to_int.h"
#include "scalar/bessel.h"
#include "scalar/real_helpers.h"
#include "support/accuracy.h"

namespace {
struct BesselRow {
  double x, nu, j, y;
};
struct SphericalRow {
  double x;
  int n;
  double j, y, jd, yd;
};
#include "bessel_jy_reference.inc"

constexpr double kFloor = 0.01;

std::string BandName(const char* name, double lo, double hi) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s x in (%g, %g]", name, lo, hi);
  return buf;
}

// The rows of one band of x, checked against the band's bound (a relative
// error, here in units of epsilon).
class Band {
 public:
  Band(const char* name, double lo, double hi, double bound)
      : lo_(lo), hi_(hi), tally_(BandName(name, lo, hi), bound / kEps, kFloor) {}
  bool Holds(double x) const { return x > lo_ && x <= hi_; }
  void Check(double got, double want, const char* fn, double x, double nu) {
    tally_.Check(got, want, Call(fn, x, nu));
  }

 private:
  double lo_, hi_;
  AccuracyTally tally_;
};

bool IsInteger(double v) { return v == std::trunc(v); }

template <class F>
void RunBands(Band* bands, int count, F check) {
  for (const BesselRow& r : kBesselJYRef)
    for (int i = 0; i < count; ++i)
      if (bands[i].Holds(r.x)) check(bands[i], r);
}
}  // namespace

TEST(BesselJYReference, JnuByBands) {
  Band bands[] = {{"J_nu", 0, 10, 1e-13},  {"J_nu", 10, 14, 1e-13},  {"J_nu", 14, 17, 1e-13},
                  {"J_nu", 17, 90, 1e-13}, {"J_nu", 90, 181, 1e-13}, {"J_nu", 181, 300, 1e-13}};
  RunBands(bands, 6, [](Band& b, const BesselRow& r) {
    b.Check(rBesselJnu(r.x, r.nu), r.j, "rBesselJnu", r.x, r.nu);
  });
}

TEST(BesselJYReference, JnIntegerOrders) {
  Band bands[] = {{"J_n", 0, 10, 1e-13},
                  {"J_n", 10, 17, 1e-13},
                  {"J_n", 17, 100, 1e-13},
                  {"J_n", 100, 300, 1e-13}};
  RunBands(bands, 4, [](Band& b, const BesselRow& r) {
    if (IsInteger(r.nu)) b.Check(rBesselJn(r.x, DoubleToQlong(r.nu)), r.j, "rBesselJn", r.x, r.nu);
  });
}

TEST(BesselJYReference, YnuDefinitiveByBands) {
  Band bands[] = {{"Y_nu", 0, 10, 1e-13},  {"Y_nu", 10, 14, 1e-13},  {"Y_nu", 14, 17, 1e-13},
                  {"Y_nu", 17, 90, 1e-13}, {"Y_nu", 90, 181, 1e-13}, {"Y_nu", 181, 300, 1e-13}};
  RunBands(bands, 6, [](Band& b, const BesselRow& r) {
    b.Check(rBesselYnuDefinitive(r.x, r.nu), r.y, "rBesselYnuDefinitive", r.x, r.nu);
  });
}

TEST(BesselJYReference, YnIntegerOrders) {
  Band bands[] = {{"Y_n", 0, 10, 1e-13}, {"Y_n", 10, 17, 1e-13}, {"Y_n", 17, 300, 1e-13}};
  RunBands(bands, 3, [](Band& b, const BesselRow& r) {
    if (IsInteger(r.nu)) b.Check(rBesselYn(r.x, DoubleToQlong(r.nu)), r.y, "rBesselYn", r.x, r.nu);
  });
}

TEST(BesselJYReference, BeyondTheMappedRange) {
  // x up to 2215 and |nu| up to 99: the Hankel sums keep to orders below
  // sqrt(x); Miller's recurrence over some 2400 orders adds its rounding.
  Band j{"J_nu far", 300, 3000, 3e-13}, y{"Y_nu far", 300, 3000, 3e-13};
  for (const BesselRow& r : kBesselJYFarRef) {
    j.Check(rBesselJnu(r.x, r.nu), r.j, "rBesselJnu", r.x, r.nu);
    y.Check(rBesselYnuDefinitive(r.x, r.nu), r.y, "rBesselYnuDefinitive", r.x, r.nu);
  }
}
