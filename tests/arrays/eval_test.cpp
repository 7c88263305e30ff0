#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arrays/random.h"
#include "arrays/random_testing.h"
#include "arrays/rarr.h"
#include "arrays/rarr_ops.h"
#include "base/memory.h"
#include "support/alloc_failure.h"

namespace {

using V = std::vector<double>;

// Every code against the result written out by hand for one input.
TEST(Eval, EveryCodeOnOneInput) {
  const V x = {3, -1.5, 2, 0.5, -4};
  const double p = 1.5;
  const struct {
    Dword code;
    V want;
  } rows[] = {
      {1, {3, -1.5, 2, 0.5, -4}},        {2, {1.5, 1.5, 1.5, 1.5, 1.5}},
      {3, {4.5, 0, 3.5, 2, -2.5}},       {4, {4.5, -2.25, 3, 0.75, -6}},
      {5, {3, 1.5, 2, 0.5, 4}},          {6, {-3, 1.5, -2, -0.5, 4}},
      {7, {9, 2.25, 4, 0.25, 16}},       {8, {9, -2.25, 4, 0.25, -16}},
      {9, {3, 1.5, 3.5, 4, 0}},          {10, {1.5, -1.5, 1.5, 0.5, -4}},  // min(x, p)
      {11, {0, -3, 0, -1, -5.5}},                                          // 0 above p, else x - p
      {12, {3, 1.5, 2, 1.5, 1.5}},                                         // max(x, p)
      {13, {1.5, 0, 0.5, 0, 0}},                                           // 0 below p, else x - p
      {14, {1.5, -1.5, 1.5, 0.5, -1.5}},                                   // clamp to [-p, p]
      {15, {1.5, 0, 0.5, 0, -2.5}},                                        // soft threshold
      {16, {-4, 0.5, 2, -1.5, 3}},       {17, {3, -1.5, 0, 0, 0}},
      {18, {0.5, -4, 2, 3, -1.5}},       {19, {0.5, -4, 3, -1.5, 2}},  // rotate by round(1.5) = 2
      {20, {0, 0, 3, -1.5, 2}},          {21, {3, 3, 3, -1.5, 2}},
      {23, {7.5, -3.75, 5, 1.25, -10}},  // x preset in dst, plus p x: 2.5 x
  };
  for (const auto& r : rows) {
    V d(5, 0.0);
    if (r.code == 23) d = x;
    ASSERT_EQ(RArrEval(5, x.data(), d.data(), r.code, p), 0u) << r.code;
    EXPECT_EQ(d, r.want) << r.code;
  }
  V lag(5, 9.0);
  ASSERT_EQ(RArrEval(5, x.data(), lag.data(), 22, 2), 0u);  // src[i] - src[i + 2]
  EXPECT_EQ(lag, (V{1, -2, 6, 9, 9}));
  V prod = {2, 2, 2, 2, 2};
  ASSERT_EQ(RArrEval(5, x.data(), prod.data(), 24, 0), 0u);
  EXPECT_EQ(prod, (V{6, -3, 4, 1, -8}));
  ASSERT_EQ(RArrEval(5, x.data(), prod.data(), 43, 0), 0u);  // back again
  EXPECT_EQ(prod, (V{2, 2, 2, 2, 2}));
  ASSERT_EQ(RArrEval(5, x.data(), prod.data(), 42, 2), 0u);
  EXPECT_EQ(prod, (V{-4, 5, -2, 1, 10}));
  V sorted(5);
  ASSERT_EQ(RArrEval(5, x.data(), sorted.data(), 39, 0), 0u);
  EXPECT_EQ(sorted, (V{-4, -1.5, 0.5, 2, 3}));
  V flat = {2, 2, 2, 2, 2}, smooth(5);
  ASSERT_EQ(RArrEval(5, flat.data(), smooth.data(), 40, 1), 0u);
  for (double v : smooth) EXPECT_NEAR(v, 2, 1e-15);
  RandomTestReset(5);
  V noisy(5);
  ASSERT_EQ(RArrEval(5, x.data(), noisy.data(), 41, 0.25), 0u);
  RandomTestReset(5);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(noisy[i], x[i] + pRgNormal(0, 0.25));
  RandomTestReset(-1);
}

TEST(Eval, ShiftParametersRoundAndSaturate) {
  const V x = {1, 2, 3, 4, 5};
  V d(5);
  ASSERT_EQ(RArrEval(5, x.data(), d.data(), 19, 2.5), 0u);  // 3
  EXPECT_EQ(d, (V{3, 4, 5, 1, 2}));
  ASSERT_EQ(RArrEval(5, x.data(), d.data(), 19, -2.5), 0u);  // -3
  EXPECT_EQ(d, (V{4, 5, 1, 2, 3}));
  ASSERT_EQ(RArrEval(5, x.data(), d.data(), 19, 1e12), 0u);  // 2147483647 = 2 mod 5
  EXPECT_EQ(d, (V{4, 5, 1, 2, 3}));
}

TEST(Eval, UnknownCodesAnswerNineAndTouchNothing) {
  const V x = {1, 2, 3};
  std::vector<Dword> codes = {0, 44, 45, 1000, 0xFFFFFFFF};
  for (Dword c = 25; c <= 38; ++c) codes.push_back(c);
  for (Dword c : codes) {
    V d = {7, 7, 7};
    EXPECT_EQ(RArrEval(3, x.data(), d.data(), c, 1), 9u) << c;
    EXPECT_EQ(d, (V{7, 7, 7}));
  }
}

TEST(Eval, NewArrayStartsFromZerosAndIsReleasedOnFailure) {
  const V x = {1, -2, 4};
  Dword e = 0;
  double* out = RArrNew(&e, 8);  // held before: released first
  ASSERT_EQ(NewRArrEval(3, x.data(), &out, 23, 2), 0u);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(V(out, out + 3), (V{2, -4, 8}));  // 0 + 2 x
  ASSERT_EQ(NewRArrEval(3, x.data(), &out, 5, 0), 0u);
  EXPECT_EQ(V(out, out + 3), (V{1, 2, 4}));
  EXPECT_EQ(NewRArrEval(3, x.data(), &out, 30, 0), 9u);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(NewRArrEval(3, nullptr, &out, 5, 0), 14u);
  EXPECT_EQ(out, nullptr);
  AllocFailureGuard fail(0);
  EXPECT_EQ(NewRArrEval(3, x.data(), &out, 5, 0), 0x80001u);
  fail.Release();
  EXPECT_EQ(out, nullptr);
}

TEST(Eval, IntegerPowersAndInPlaceRunningOperations) {
  const V x = {-2, 3};
  V d(2);
  ASSERT_EQ(RArrAbsPowerI(2, x.data(), d.data(), 3), 0u);
  EXPECT_EQ(d, (V{8, 27}));
  ASSERT_EQ(RArrSignedPowerI(2, x.data(), d.data(), 2), 0u);
  EXPECT_EQ(d, (V{-4, 9}));
  V sum = {1, 2, 3};
  ASSERT_EQ(RArrIpRunningSum(3, sum.data()), 0u);
  EXPECT_EQ(sum, (V{1, 3, 6}));
  V prod = {1, 2, 3};
  ASSERT_EQ(RArrIpRunningProduct(3, prod.data()), 0u);
  EXPECT_EQ(prod, (V{1, 2, 6}));
  V sq = {-3, 2};
  ASSERT_EQ(RArrIpSignedSquare(2, sq.data()), 0u);
  EXPECT_EQ(sq, (V{-9, 4}));
}

}  // namespace
