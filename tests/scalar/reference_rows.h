// Row types of the generated gamma, zeta and special-number reference
// tables; their tallies are the shared ones of support/accuracy.h.
#pragma once
#include "base/types.h"
#include "support/accuracy.h"

struct Ref1 {
  double x, v;
};
struct Ref2 {
  double x, v1, v2;
};
struct Ref3 {
  double a, x, v1, v2;
};
struct Ref4 {
  double x, a, b, v1, v2;
};
struct RefI {
  Qlong n;
  double v;
};
struct RefAz {
  double x;
  Qword order;
  double v;
};
struct RefNum1 {
  Qword n;
  double v;
};
struct RefNum2 {
  Qword n;
  double v1, v2;
};
struct RefStirling {
  Qword n, k;
  double c1, s2;  // 0: beyond the double range
};
struct RefBinom {
  Qlong n, k;
  double v;
};
