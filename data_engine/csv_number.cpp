#include "data_engine/csv_number.h"

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "base/platform/c_number.h"

namespace {

int FormatC(char* buffer, Qword size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = PlatformFormatC(buffer, size, format, args);
  va_end(args);
  return n;
}

}  // namespace

Qword CsvRealText(double x, int digits, char* buffer) {
  if (std::isnan(x)) return static_cast<Qword>(std::strlen(std::strcpy(buffer, "NaN")));
  if (std::isinf(x))
    return static_cast<Qword>(std::strlen(std::strcpy(buffer, x > 0 ? "+INF" : "-INF")));
  if (x == 0.0) return static_cast<Qword>(std::strlen(std::strcpy(buffer, "0")));
  if (digits < 1) digits = 1;
  if (digits > 17) digits = 17;
  // The C runtime rounds the mantissa correctly: "d.ddddde+XX".
  char e_form[48];
  FormatC(e_form, sizeof e_form, "%.*e", digits - 1, std::fabs(x));
  char mantissa[24];
  int m = 0;
  const char* p = e_form;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') mantissa[m++] = *p;
  const int exponent = std::atoi(p + 1);
  char* out = buffer;
  if (x < 0) *out++ = '-';
  if (exponent >= -3 && exponent < digits) {
    if (exponent >= 0) {
      for (int i = 0; i < m; ++i) {
        *out++ = mantissa[i];
        if (i == exponent) *out++ = '.';
      }
    } else {
      *out++ = '0';
      *out++ = '.';
      for (int i = 0; i < -exponent - 1; ++i) *out++ = '0';
      for (int i = 0; i < m; ++i) *out++ = mantissa[i];
    }
  } else {
    *out++ = mantissa[0];
    *out++ = '.';
    for (int i = 1; i < m; ++i) *out++ = mantissa[i];
    out += FormatC(out, 16, "e%d", exponent);
  }
  *out = '\0';
  return static_cast<Qword>(out - buffer);
}
