// Replays a recorded golden table of the real or complex decomposition and
// expects status, U, s and V bit for bit, with the recorded shape and job.
// Values only of a tall matrix go through the triangular factor since the
// tables were recorded: there s is held to the reference LAPACK by the
// values tests, and U and V (which must stay untouched) are still compared.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>

#include "arrays/svd_scheme.h"
#include "support/svd_golden_cases.h"

namespace svd_golden {

template <size_t N>
void ExpectTable(const Record (&table)[N], Record (*run)(const Shape&, Dword)) {
  const auto& shapes = Shapes();
  const auto& jobs = Jobs();
  ASSERT_EQ(N, shapes.size() * jobs.size());
  size_t k = 0;
  for (const Shape& c : shapes)
    for (Dword job : jobs) {
      const Record& want = table[k++];
      ASSERT_EQ(want.rows, c.rows);
      ASSERT_EQ(want.cols, c.cols);
      ASSERT_EQ(want.job, job);
      const Record got = run(c, job);
      SCOPED_TRACE(::testing::Message()
                   << c.rows << " x " << c.cols << " seed " << c.seed << " job " << job);
      EXPECT_EQ(got.status, want.status);
      EXPECT_EQ(got.u, want.u) << "U";
      if (job % 100 >= 10 || job % 10 != 0 || !svd::ValuesThroughTriangle(c.rows, c.cols)) {
        EXPECT_EQ(got.s, want.s) << "s";
      }
      EXPECT_EQ(got.v, want.v) << "V";
    }
}

}  // namespace svd_golden
