#include "base/time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <string>

#include "base/memory.h"

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (the well-known
// civil-from-days inversion), independent of the code under test.
Qlong DaysFromCivil(Qlong y, unsigned m, unsigned d) {
  y -= m <= 2;
  const Qlong era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<Qlong>(doe) - 719468;
}
constexpr Qlong kJulianDayOf1970 = 2440588;  // 1970-01-01 starts at noon of this day

bool IsLeap(Long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
Long DaysIn(Long y, Long m) {
  static const Long kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

TEST(JulianDay, EveryGregorianDayAndBack) {
  for (Long y = 1582; y <= 9999; ++y) {
    for (Long m = 1; m <= 12; ++m) {
      for (Long d = 1; d <= DaysIn(y, m); ++d) {
        if (y == 1582 && (m < 10 || (m == 10 && d < 15))) continue;
        const double jd = tDateToJulianDay(y, m, d, 0);
        ASSERT_EQ(jd, static_cast<double>(DaysFromCivil(y, m, d) + kJulianDayOf1970))
            << y << "-" << m << "-" << d;
        Long mm, dd, yy;
        double f;
        tJulianDayToDate(jd + 0.25, &mm, &dd, &yy, &f);
        ASSERT_EQ(yy, y);
        ASSERT_EQ(mm, m);
        ASSERT_EQ(dd, d);
        ASSERT_EQ(f, 0.25);
      }
    }
  }
}

TEST(JulianDay, CalendarSeamYearZeroAndJulianDates) {
  EXPECT_EQ(tDateToJulianDay(2000, 1, 1, 0.5), 2451545.5);
  EXPECT_EQ(tDateToJulianDay(1582, 10, 15, 0), 2299161);
  EXPECT_EQ(tDateToJulianDay(1582, 10, 4, 0), 2299160);
  EXPECT_TRUE(std::isnan(tDateToJulianDay(0, 5, 5, 0)));
  EXPECT_EQ(tDateToJulianDay(-1, 12, 31, 0) + 1, tDateToJulianDay(1, 1, 1, 0));
  EXPECT_EQ(tDateToJulianDay(-4713, 1, 1, 0), 0);  // the epoch, 4713 BC
  // Julian-calendar dates come back through the inverse, BC years included.
  const Long dates[][3] = {{1582, 10, 4}, {1000, 2, 29}, {1, 1, 1},     {-1, 12, 31},
                           {-44, 3, 15},  {-4713, 1, 1}, {-5000, 6, 30}};
  for (const auto& date : dates) {
    Long m, d, y;
    double f;
    tJulianDayToDate(tDateToJulianDay(date[0], date[1], date[2], 0), &m, &d, &y, &f);
    EXPECT_EQ(y, date[0]);
    EXPECT_EQ(m, date[1]);
    EXPECT_EQ(d, date[2]);
    EXPECT_EQ(f, 0);
  }
  Long m, d, y;
  double f;
  tJulianDayToDate(2451545.25, &m, &d, &y, &f);
  EXPECT_EQ(y, 2000);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(f, 0.25);
}

TEST(MoonPhases, PublishedTimes) {
  Long jd = 0;
  double f = 0;
  tMoonPhases(1237, 0, &jd, &f);  // new moon 2000-01-06 18:14 UT
  EXPECT_NEAR(jd + f, 2451550.26, 0.5);
  tMoonPhases(1237, 1, &jd, &f);  // first quarter 2000-01-14 13:34 UT
  EXPECT_NEAR(jd + f, 2451558.07, 0.5);
  tMoonPhases(1237, 2, &jd, &f);  // full moon 2000-01-21 04:40 UT
  EXPECT_NEAR(jd + f, 2451564.69, 0.5);
  Long jd4 = 0;
  double f4 = 0;
  tMoonPhases(1236, 4, &jd4, &f4);
  tMoonPhases(1236, 0, &jd, &f);
  EXPECT_EQ(jd4, jd);
  EXPECT_EQ(f4, f);
  EXPECT_GE(f, 0);
  EXPECT_LT(f, 1);
}

TEST(FileTime, SumAndDifferenceCarryAcrossWords) {
  const FILETIME a{0x00000001u, 0x00000005u};
  const FILETIME b{0x00000002u, 0x00000001u};
  FILETIME r{};
  tFileTimesDifference(&a, &b, &r);
  EXPECT_EQ(r.dwLowDateTime, 0xFFFFFFFFu);
  EXPECT_EQ(r.dwHighDateTime, 3u);
  tFileTimesSum(&r, &b, &r);
  EXPECT_EQ(r.dwLowDateTime, 1u);
  EXPECT_EQ(r.dwHighDateTime, 5u);
}

TEST(Clocks, SystemTimeAgreesWithTheStandardClock) {
  FILETIME ft{};
  tOsSystemTimeAsFileTime(&ft);
  const Qword ours = (Qword{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  const Qword theirs = static_cast<Qword>(ns) / 100 + 116444736000000000u;
  EXPECT_LT(theirs - ours, 10000000u);  // within a second
  Qword freq = 0, count = 0;
  EXPECT_EQ(tOsPerformanceClock(&freq), 1u);
  EXPECT_GT(freq, 0u);
  EXPECT_EQ(tOsPerformanceCount(&count), 1u);
  EXPECT_GT(tOsSessionTimeInMs(), 0u);
  SYSTEMTIME u{};
  tOsUniversalTime(&u);
  EXPECT_GE(u.wYear, 2024);
  EXPECT_GE(tWaitInMicroSec(0), 1u);
}

TEST(TimeText, FixedFormats) {
  const SYSTEMTIME t{2026, 3, 2, 9, 7, 5, 4, 321};
  char16_t wide[16];
  EXPECT_EQ(tOsDateFormat(&t, wide, 16), 11u);
  EXPECT_EQ(std::u16string(wide), u"2026-03-09");
  char narrow[16];
  EXPECT_EQ(tOsTimeFormatA(&t, narrow, 16), 9u);
  EXPECT_STREQ(narrow, "07:05:04");
  std::strcpy(narrow, "keep");
  EXPECT_EQ(tOsDateFormatA(&t, narrow, 10), 0u);  // too small: untouched
  EXPECT_STREQ(narrow, "keep");
  const SYSTEMTIME bad{2026, 13, 0, 1, 25, 0, 0, 0};
  EXPECT_EQ(tOsDateFormatA(&bad, narrow, 16), 0u);
  EXPECT_EQ(tOsTimeFormat(&bad, wide, 16), 0u);
}

TEST(TimeText, ClockPatterns) {
  char* both = NewStringFromOsClockA(nullptr);
  ASSERT_NE(both, nullptr);
  const std::string s = both;
  KillStringA(&both);
  ASSERT_EQ(s.size(), 20u);  // "YYYY-MM-DD, HH:MM:SS"
  EXPECT_EQ(s[4], '-');
  EXPECT_EQ(s.substr(10, 2), ", ");
  EXPECT_EQ(s[14], ':');

  char* time_only = NewStringFromOsClockA("t");
  ASSERT_NE(time_only, nullptr);
  EXPECT_EQ(std::strlen(time_only), 8u);
  KillStringA(&time_only);

  char16_t* reversed = NewStringFromOsClock(u"td,-");
  ASSERT_NE(reversed, nullptr);
  const std::u16string r = reversed;
  KillString(&reversed);
  ASSERT_EQ(r.size(), 19u);  // "-", the time, then the date
  EXPECT_EQ(r[0], u'-');
  EXPECT_EQ(r[3], u':');
  EXPECT_EQ(r[13], u'-');

  EXPECT_EQ(NewStringFromOsClockA("x,"), nullptr);
  char* explicit_default = NewStringFromOsClockA("dt, ");  // the separator is " "
  ASSERT_NE(explicit_default, nullptr);
  EXPECT_EQ(std::strlen(explicit_default), 19u);
  KillStringA(&explicit_default);  // nothing formatted, nothing appended
}

}  // namespace
