// Calendar dates and Julian days (Julian calendar before 15 October 1582,
// Gregorian from then on; no year 0), and the times of the moon's phases.
#include <cmath>

#include "base/double_to_int.h"
#include "base/ieee.h"
#include "base/time.h"

namespace {
inline Long Trunc(double x) { return DoubleToLong(x); }
constexpr Long kGregorianStart = 2299161;  // Julian day of 1582-10-15
}  // namespace

VELTRIA_API double tDateToJulianDay(Long year, Long month, Long day, double fraction) {
  if (year == 0) return ___NAN;
  Long jy = year < 0 ? year + 1 : year;
  Long jm;
  if (month > 2) {
    jm = month + 1;
  } else {
    jy -= 1;
    jm = month + 13;
  }
  Long jd = Trunc(std::floor(365.25 * jy) + std::floor(30.6001 * jm) + day + 1720995);
  if (day + 31 * (month + 12 * year) >= 588829) {
    const Long ja = Trunc(0.01 * jy);
    jd += 2 - ja + Trunc(0.25 * ja);
  }
  return jd + fraction;
}

VELTRIA_API void tJulianDayToDate(double julian_day, Long* month, Long* day, Long* year,
                                  double* fraction) {
  const Long j = Trunc(std::floor(julian_day));
  *fraction = julian_day - j;
  Long a = j;
  if (j >= kGregorianStart) {
    const Long alpha = Trunc((j - 1867216.25) / 36524.25);
    a = j + 1 + alpha - Trunc(0.25 * alpha);
  } else if (j < 0) {
    a = j + 36525 * (1 - j / 36525);
  }
  const Long b = a + 1524;
  const Long c = Trunc(6680 + ((b - 2439870) - 122.1) / 365.25);
  const Long d = Trunc(365.0 * c + 0.25 * c);
  const Long e = Trunc((b - d) / 30.6001);
  *day = b - d - Trunc(30.6001 * e);
  *month = e - 1;
  if (*month > 12) *month -= 12;
  *year = c - 4715;
  if (*month > 2) *year -= 1;
  if (*year <= 0) *year -= 1;
  if (j < 0) *year -= 100 * (1 - j / 36525);
}

// The phase is a quarter of a lunation: it enters the mean time as p / 4 of
// a lunation (a fraction, not an integer quotient).
VELTRIA_API void tMoonPhases(Long lunation, Long phase, Long* julian_day, double* fraction) {
  constexpr double kRadians = 0.017453292519943295;
  const Long p = phase % 4;
  const double c = lunation + p / 4.0;
  const double t = c / 1236.85;
  const double t2 = t * t;
  const double as = (359.2242 + 29.105356 * c) * kRadians;
  const double am = (306.0253 + 385.816918 * c + 0.010730 * t2) * kRadians;
  Long jd = 2415020 + 28 * lunation + 7 * p;
  double xtra = 0.75933 + 1.53058868 * c + (1.178e-4 - 1.55e-7 * t) * t2;
  if (p == 0 || p == 2)
    xtra += (0.1734 - 3.93e-4 * t) * std::sin(as) - 0.4068 * std::sin(am);
  else
    xtra += (0.1721 - 4.0e-4 * t) * std::sin(as) - 0.6280 * std::sin(am);
  const double i = xtra >= 0 ? std::floor(xtra) : std::ceil(xtra - 1);
  jd += Trunc(i);
  *julian_day = jd;
  *fraction = xtra - i;
}
