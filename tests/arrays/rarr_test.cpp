#include "arrays/rarr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/memory.h"
#include "support/alloc_failure.h"

namespace {

TEST(RArrNew, CountsZeroAndRefused) {
  for (auto make : {RArrNew, RArrNew0}) {
    Dword e = 5;
    EXPECT_EQ(make(&e, 0), nullptr);
    EXPECT_EQ(e, 0u);
    EXPECT_EQ(make(&e, Qword{1} << 61), nullptr);
    EXPECT_EQ(e, 0x80001u);
  }
  Dword e = 5;
  double* z = RArrNew0(&e, 4);
  ASSERT_NE(z, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(z[i], 0.0);
  RArrKill(&z);
  AllocFailureGuard fail(0);
  EXPECT_EQ(RArrNew(&e, 4), nullptr);
  EXPECT_EQ(e, 0x80001u);
}

TEST(RArrNewCopy, CopiesOrGivesNull) {
  const double src[3] = {1, -2, 3.5};
  Dword e = 5;
  double* c = RArrNewCopy(&e, 3, src);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c[2], 3.5);
  RArrKill(&c);
  e = 5;
  EXPECT_EQ(RArrNewCopy(&e, 0, src), nullptr);
  EXPECT_EQ(e, 0u);
  e = 5;
  EXPECT_EQ(RArrNewCopy(&e, 5, nullptr), nullptr);
  EXPECT_EQ(e, 0u);
}

TEST(RArrCopy, CheckOrder) {
  double dst[3] = {0, 0, 0};
  const double src[3] = {1, 2, 3};
  EXPECT_EQ(RArrCopy(0, nullptr, nullptr), 0u);
  EXPECT_EQ(RArrCopy(3, nullptr, nullptr), 18u);
  EXPECT_EQ(RArrCopy(3, nullptr, dst), 14u);
  EXPECT_EQ(RArrCopy(3, src, dst), 0u);
  EXPECT_EQ(dst[2], 3);
}

TEST(RArrFill, FillZeroAndStrided) {
  double a[10] = {};
  EXPECT_EQ(RArrFill(10, a, 2.5), 0u);
  EXPECT_EQ(a[9], 2.5);
  EXPECT_EQ(RArrFill(0, nullptr, 1), 0u);
  EXPECT_EQ(RArrFill(2, nullptr, 1), 18u);
  EXPECT_EQ(RArrZero(10, a), 0u);
  EXPECT_EQ(a[0], 0);

  EXPECT_EQ(RArrSkipFill(10, a, 1, 3, 7.0), 0u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a[i], (i == 1 || i == 4 || i == 7) ? 7.0 : 0.0) << i;
  EXPECT_EQ(RArrSkipFill(10, a, 12, 3, 9.0), 0u);
  for (int i = 0; i < 10; ++i) EXPECT_NE(a[i], 9.0);
  EXPECT_EQ(RArrSkipFill(10, nullptr, 0, 1, 1.0), 14u);
  EXPECT_EQ(RArrSkipFill(0, a, 0, 1, 1.0), 14u);
}

// A step of 0 would never end: it stores the one element at start.
TEST(RArrFill, SkipFillWithStepZeroStoresOnce) {
  double a[4] = {};
  EXPECT_EQ(RArrSkipFill(4, a, 2, 0, 5.0), 0u);
  EXPECT_EQ(a[2], 5.0);
  EXPECT_EQ(a[1] + a[3] + a[0], 0);
  // A step so large that the index would wrap stops at the end.
  EXPECT_EQ(RArrSkipFill(4, a, 1, ~Qword{0}, 6.0), 0u);
  EXPECT_EQ(a[1], 6.0);
}

TEST(Conversions, FillRulesAndValues) {
  EXPECT_EQ(RArrFillFromFArr(3, nullptr, nullptr), 14u);
  EXPECT_EQ(RArrFillFromFArr(0, nullptr, nullptr), 0u);
  const float f[2] = {0.1f, -3.0f};
  double d[2];
  EXPECT_EQ(RArrFillFromFArr(2, f, nullptr), 18u);
  EXPECT_EQ(RArrFillFromFArr(2, f, d), 0u);
  EXPECT_EQ(d[0], static_cast<double>(0.1f));
  float back[2];
  EXPECT_EQ(FArrFillFromRArr(2, d, back), 0u);
  EXPECT_EQ(back[0], 0.1f);

  const Qword u[2] = {~Qword{0}, 3};
  EXPECT_EQ(RArrFillFromUQArr(2, u, d), 0u);
  EXPECT_EQ(d[0], 18446744073709551616.0);
  const Qlong s[2] = {INT64_MIN, -5};
  EXPECT_EQ(RArrFillFromIQArr(2, s, d), 0u);
  EXPECT_EQ(d[0], -9223372036854775808.0);
  EXPECT_EQ(d[1], -5);
}

TEST(Conversions, NewArrays) {
  const Qlong s[4] = {1, -2, 3, Qlong{1} << 53};
  Dword e = 7;
  double* r = RArrNewFromIQArr(&e, 4, s);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(r[3], 9007199254740992.0);
  RArrKill(&r);
  EXPECT_EQ(RArrNewFromUQArr(&e, 0, nullptr), nullptr);
  EXPECT_EQ(e, 0u);
  const double d[2] = {1.0 / 3, 2};
  float* f = FArrNewFromRArr(&e, 2, d);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f[0], 1.0f / 3);
  double* back = RArrNewFromFArr(&e, 2, f);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back[1], 2);
  RArrKill(&back);
  CFArrKill(&f);
  {
    AllocFailureGuard fail(0);
    EXPECT_EQ(RArrNewFromFArr(&e, 2, f ? f : reinterpret_cast<const float*>(d)), nullptr);
    EXPECT_EQ(e, 0x80001u);
  }
  EXPECT_EQ(FArrNewFromRArr(&e, Qword{1} << 62, d), nullptr);
  EXPECT_EQ(e, 0x80001u);
}

TEST(PointerArrays, CopyAndVariadic) {
  double a = 1, b = 2, c = 3;
  Dword e = 9;
  Qword n = 0;
  double** p = RPArrNewVa(&e, &n, &a, &b, &c, static_cast<double*>(nullptr));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(n, 3u);
  EXPECT_EQ(p[0], &a);
  EXPECT_EQ(p[2], &c);
  RPArrKill(&p);
  n = 2;
  p = RPArrNewVa(&e, &n, &a, &b, &c, static_cast<double*>(nullptr));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(p[1], &b);

  double* q[2] = {nullptr, nullptr};
  EXPECT_EQ(RPArrCopy(2, p, q), 0u);
  EXPECT_EQ(q[0], &a);
  double** copy = RPArrNewCopy(&e, 2, p);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy[1], &b);
  RPArrKill(&copy);
  RPArrKill(&p);

  n = 0;
  EXPECT_EQ(RPArrNewVa(&e, &n, static_cast<double*>(nullptr)), nullptr);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(RPArrNewVa(&e, nullptr), nullptr);
  EXPECT_EQ(e, 14u);
}

}  // namespace
