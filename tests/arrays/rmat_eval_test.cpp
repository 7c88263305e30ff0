#include "arrays/rmat_eval.h"

#include <gtest/gtest.h>

#include <vector>

#include "arrays/rmat.h"
#include "base/memory.h"
#include "support/alloc_failure.h"

namespace {

using V = std::vector<double>;

// A 3 x 2 matrix, column-major: columns (1, 2, 3) and (4, 5, 6).
const V kM = {1, 2, 3, 4, 5, 6};

TEST(RMatEval, ColumnsAndRows) {
  V d(6);
  ASSERT_EQ(RMatEvalC(3, 2, kM.data(), d.data(), 9, 0), 0u);  // running sum down columns
  EXPECT_EQ(d, (V{1, 3, 6, 4, 9, 15}));
  ASSERT_EQ(RMatEvalR(3, 2, kM.data(), d.data(), 9, 0), 0u);  // along rows
  EXPECT_EQ(d, (V{1, 2, 3, 5, 7, 9}));
  V c(6), r(6);
  ASSERT_EQ(RMatEvalC(3, 2, kM.data(), c.data(), 16, 0), 0u);
  ASSERT_EQ(RMatEvalR(3, 2, kM.data(), r.data(), 16, 0), 0u);
  EXPECT_EQ(c, (V{3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(r, c);
  ASSERT_EQ(RMatEvalR(3, 2, kM.data(), d.data(), 4, 2), 0u);  // element-wise
  EXPECT_EQ(d, (V{2, 4, 6, 8, 10, 12}));
  V keep(6, 7);
  EXPECT_EQ(RMatEvalR(3, 2, kM.data(), keep.data(), 17, 0), 9u);
  EXPECT_EQ(keep, V(6, 7));
  EXPECT_EQ(RMatEvalC(3, 2, kM.data(), keep.data(), 30, 0), 9u);
  EXPECT_EQ(keep, V(6, 7));
  EXPECT_EQ(RMatEvalC(3, 0, nullptr, nullptr, 5, 0), 0u);
  EXPECT_EQ(RMatEvalC(3, 2, nullptr, d.data(), 5, 0), 14u);
}

TEST(RMatEval, NewMatrixIsReleasedOnFailure) {
  double* out = nullptr;
  ASSERT_EQ(NewRMatEvalC(3, 2, kM.data(), &out, 23, 3), 0u);  // 0 + 3 m
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(V(out, out + 6), (V{3, 6, 9, 12, 15, 18}));
  RMatKill(&out);
  EXPECT_EQ(NewRMatEvalR(3, 2, kM.data(), &out, 19, 1), 9u);
  EXPECT_EQ(out, nullptr);
  AllocFailureGuard fail(0);
  EXPECT_EQ(NewRMatEvalC(3, 2, kM.data(), &out, 5, 0), 0x80001u);
  fail.Release();
  EXPECT_EQ(out, nullptr);
}

}  // namespace
