// Rows of the generated special-function reference tables (x, value and
// x, order, value) and the check of a whole table through one tally.
#pragma once
#include "base/types.h"
#include "support/accuracy.h"

struct RefRow {
  double x;
  double value;
};
struct RefRowN {
  double x;
  Qword n;
  double value;
};

template <size_t N, class F>
void CheckTable(const char* name, const RefRow (&rows)[N], F f, double tol_eps, double floor = 0) {
  AccuracyTally tally(name, tol_eps, floor);
  for (const RefRow& r : rows) tally.Check(r.x, f(r.x), r.value);
}
