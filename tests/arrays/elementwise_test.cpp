#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "arrays/random.h"
#include "arrays/random_testing.h"
#include "arrays/rarr_ops.h"

namespace {

using V = std::vector<double>;
const double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(Elementwise, TwoArrayArithmeticAndChecks) {
  const V a = {1, 2, 3}, b = {4, 0, -2};
  V d(3);
  EXPECT_EQ(RArrAdd(3, a.data(), b.data(), d.data()), 0u);
  EXPECT_EQ(d, (V{5, 2, 1}));
  EXPECT_EQ(RArrSub(3, a.data(), b.data(), d.data()), 0u);
  EXPECT_EQ(d, (V{-3, 2, 5}));
  EXPECT_EQ(RArrMul(3, a.data(), b.data(), d.data()), 0u);
  EXPECT_EQ(d, (V{4, 0, -6}));
  EXPECT_EQ(RArrDiv(3, a.data(), b.data(), d.data()), 0u);
  EXPECT_EQ(d[0], 0.25);
  EXPECT_TRUE(std::isnan(d[1]));
  EXPECT_EQ(d[2], -1.5);
  EXPECT_EQ(RArrLinCombi(3, a.data(), 2, b.data(), -1, d.data()), 0u);
  EXPECT_EQ(d, (V{-2, 4, 8}));
  V acc = {1, 1, 1};
  EXPECT_EQ(RArrAdd2(3, a.data(), acc.data(), 0.5), 0u);
  EXPECT_EQ(acc, (V{1.5, 2, 2.5}));
  EXPECT_EQ(RArrSub2(3, a.data(), acc.data(), 1), 0u);
  EXPECT_EQ(acc, (V{0.5, 0, -0.5}));
  EXPECT_EQ(RArrMul2(3, a.data(), acc.data()), 0u);
  EXPECT_EQ(acc, (V{0.5, 0, -1.5}));
  EXPECT_EQ(RArrDiv2(3, b.data(), acc.data()), 0u);
  EXPECT_TRUE(std::isnan(acc[1]));
  // Order B: count 0 first, inputs, output; Mul2's destination is an input.
  EXPECT_EQ(RArrAdd(0, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(RArrAdd(3, a.data(), nullptr, d.data()), 14u);
  EXPECT_EQ(RArrAdd(3, a.data(), b.data(), nullptr), 18u);
  EXPECT_EQ(RArrMul2(3, a.data(), nullptr), 14u);
}

TEST(Elementwise, OneArrayOperations) {
  const V x = {-2, -0.0, 3};
  V d(3);
  EXPECT_EQ(RArrAddConst(3, x.data(), d.data(), 1), 0u);
  EXPECT_EQ(d, (V{-1, 1, 4}));
  EXPECT_EQ(RArrMulConst(3, x.data(), d.data(), -2), 0u);
  EXPECT_EQ(d, (V{4, 0, -6}));
  EXPECT_EQ(RArrAbs(3, x.data(), d.data()), 0u);
  EXPECT_EQ(d, (V{2, 0, 3}));
  EXPECT_FALSE(std::signbit(d[1]));
  const V z = {0.0, kNan};
  V s(2);
  EXPECT_EQ(RArrInvertSign(2, z.data(), s.data()), 0u);
  EXPECT_TRUE(std::signbit(s[0]));
  EXPECT_EQ(std::bit_cast<Qword>(s[1]), std::bit_cast<Qword>(z[1]) ^ 0x8000000000000000u);
  EXPECT_EQ(RArrSquare(3, x.data(), d.data()), 0u);
  EXPECT_EQ(d, (V{4, 0, 9}));
  EXPECT_EQ(RArrPowerI(3, x.data(), d.data(), 3), 0u);
  EXPECT_EQ(d[0], -8);
  EXPECT_EQ(RArrAbsPower(3, x.data(), d.data(), 2), 0u);
  EXPECT_NEAR(d[0], 4, 1e-15);
  EXPECT_NEAR(d[2], 9, 1e-14);
  EXPECT_EQ(RArrSignedPower(3, x.data(), d.data(), 3), 0u);
  EXPECT_NEAR(d[0], -8, 1e-14);
  // Order A: the count is not tested.
  EXPECT_EQ(RArrAbs(0, nullptr, d.data()), 14u);
  EXPECT_EQ(RArrAbs(0, x.data(), nullptr), 18u);
}

TEST(Elementwise, NoiseFollowsTheGeneratorInIndexOrder) {
  RandomTestReset(99);
  V want(5);
  for (double& w : want) w = 10 + pRgNormal(0, 0.5);
  RandomTestReset(99);
  V d(5, 10);
  EXPECT_EQ(RArrIpAddNoise(5, d.data(), 0.5), 0u);
  EXPECT_EQ(d, want);
  RandomTestReset(-1);
}

TEST(Elementwise, ClipModes) {
  const V x = {-3, 0.5, 2};
  const struct {
    Qword mode;
    V want;
  } rows[] = {{0, {-3, 0.5, 1}}, {1, {-4, -0.5, 0}}, {2, {1, 1, 2}},
              {3, {0, 0, 1}},    {4, {-1, 0.5, 1}},  {5, {-2, 0, 1}}};
  for (const auto& r : rows) {
    V d(3);
    EXPECT_EQ(RArrClip(r.mode, 3, x.data(), d.data(), 1), 0u);
    EXPECT_EQ(d, r.want) << r.mode;
  }
  V keep = {7, 7, 7};
  EXPECT_EQ(RArrClip(7, 3, x.data(), keep.data(), 1), 0u);
  EXPECT_EQ(keep, (V{7, 7, 7}));
  EXPECT_EQ(RArrIpClip(4, 3, keep.data(), 2), 0u);
  EXPECT_EQ(keep, (V{2, 2, 2}));
}

TEST(Elementwise, Remainders) {
  const V x = {0.75, -0.75, 1.0, 2.25};
  V d(4);
  EXPECT_EQ(RArrSignedModf(4, x.data(), d.data(), 1), 0u);
  EXPECT_EQ(d, (V{-0.25, -0.75, 0, 0.25}));
  EXPECT_EQ(RArrModf(4, x.data(), d.data(), 1), 0u);
  EXPECT_EQ(d, (V{0.75, -0.75, 0, 0.25}));
}

TEST(Elementwise, UnwrappingGivesDifferencesInsideHalfAPeriod) {
  const double pi = 3.141592653589793;
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> step(-3, 3);
  V truth(200), wrapped(200), d(200);
  truth[0] = 0.3;
  for (size_t i = 1; i < truth.size(); ++i) truth[i] = truth[i - 1] + step(rng);
  for (size_t i = 0; i < truth.size(); ++i) wrapped[i] = std::remainder(truth[i], 2 * pi);
  ASSERT_EQ(RArrInversSignedModf(200, wrapped.data(), d.data(), 2 * pi), 0u);
  for (size_t i = 1; i < d.size(); ++i) {
    EXPECT_GE(d[i] - d[i - 1], -pi);
    EXPECT_LT(d[i] - d[i - 1], pi);
    EXPECT_NEAR(d[i] - d[0], truth[i] - truth[0], 1e-9);  // steps below pi are recovered
  }
}

// A non-positive period, an infinite element or a huge jump must end.
TEST(Elementwise, UnwrappingRefusesWhatWouldNeverEnd) {
  V x = {0, 1e300, 2}, d(3, 5);
  EXPECT_EQ(RArrInversSignedModf(3, x.data(), d.data(), 1), 0u);
  EXPECT_LT(std::fabs(d[1] - d[0]), 1.0e300);
  EXPECT_EQ(RArrInversSignedModf(3, x.data(), d.data(), 0), 26u);
  EXPECT_EQ(RArrInversSignedModf(3, x.data(), d.data(), -1), 26u);
  EXPECT_EQ(RArrInversSignedModf(3, x.data(), d.data(), kNan), 26u);
  x[1] = std::numeric_limits<double>::infinity();
  V keep = {5, 5, 5};
  EXPECT_EQ(RArrInversSignedModf(3, x.data(), keep.data(), 1), 15u);
  EXPECT_EQ(keep, (V{5, 5, 5}));
  EXPECT_EQ(RArrInversSignedModf(3, nullptr, d.data(), 1), 22u);
  EXPECT_EQ(RArrInversSignedModf(3, x.data(), nullptr, 1), 18u);
  // A single step of 0.6 periods is unwrapped to -0.4 periods.
  const V y = {0, 0.6};
  V u(2);
  EXPECT_EQ(RArrInversSignedModf(2, y.data(), u.data(), 1), 0u);
  EXPECT_NEAR(u[1], -0.4, 1e-15);
}

TEST(Reorder, RotateShiftReverse) {
  const V x = {1, 2, 3, 4, 5};
  const struct {
    Qlong k;
    V want;
  } rot[] = {{2, {4, 5, 1, 2, 3}}, {-2, {3, 4, 5, 1, 2}},       {5, x}, {-5, x}, {0, x},
             {7, {4, 5, 1, 2, 3}}, {INT64_MIN, {4, 5, 1, 2, 3}}};  // 2^63 mod 5 = 3: -3 = +2
  for (const auto& r : rot) {
    V d(5);
    EXPECT_EQ(RArrRotate(5, x.data(), d.data(), r.k), 0u);
    EXPECT_EQ(d, r.want) << r.k;
  }
  // Cycle following with several cycles (gcd(6, 4) = 2).
  V six = {0, 1, 2, 3, 4, 5};
  EXPECT_EQ(RArrIpRotate(6, six.data(), 4), 0u);
  EXPECT_EQ(six, (V{2, 3, 4, 5, 0, 1}));
  const V four = {1, 2, 3, 4};
  V d(4);
  EXPECT_EQ(RArrShiftZ(4, four.data(), d.data(), 1), 0u);
  EXPECT_EQ(d, (V{0, 1, 2, 3}));
  EXPECT_EQ(RArrShiftZ(4, four.data(), d.data(), -1), 0u);
  EXPECT_EQ(d, (V{2, 3, 4, 0}));
  EXPECT_EQ(RArrShiftR(4, four.data(), d.data(), 1), 0u);
  EXPECT_EQ(d, (V{1, 1, 2, 3}));
  EXPECT_EQ(RArrShiftR(4, four.data(), d.data(), -1), 0u);
  EXPECT_EQ(d, (V{2, 3, 4, 4}));
  EXPECT_EQ(RArrShiftR(4, four.data(), d.data(), 9), 0u);
  EXPECT_EQ(d, (V{1, 1, 1, 1}));
  EXPECT_EQ(RArrShiftZ(4, four.data(), d.data(), INT64_MIN), 0u);
  EXPECT_EQ(d, (V{0, 0, 0, 0}));
  EXPECT_EQ(RArrReverse(4, four.data(), d.data()), 0u);
  EXPECT_EQ(d, (V{4, 3, 2, 1}));
  V odd = {1, 2, 3};
  EXPECT_EQ(RArrIpReverse(3, odd.data()), 0u);
  EXPECT_EQ(odd, (V{3, 2, 1}));
  EXPECT_EQ(RArrRotate(0, x.data(), d.data(), 3), 0u);
  EXPECT_EQ(RArrRotate(3, x.data(), nullptr, 1), 18u);
  EXPECT_EQ(RArrRotate(3, nullptr, d.data(), 1), 14u);
}

TEST(Reorder, LaggedDifferencesAndHalves) {
  const V sq = {1, 4, 9, 16};
  V d = {0, 0, 0, 99};
  EXPECT_EQ(RArrSelfDiff(4, sq.data(), d.data(), 1), 0u);
  EXPECT_EQ(d, (V{-3, -5, -7, 99}));
  d = {99, 0, 0, 0};
  EXPECT_EQ(RArrSelfDiff(4, sq.data(), d.data(), -1), 0u);
  EXPECT_EQ(d, (V{99, 3, 5, 7}));
  EXPECT_EQ(RArrSelfDiff(4, sq.data(), d.data(), 0), 0u);
  EXPECT_EQ(d, (V{0, 0, 0, 0}));
  V inplace = sq;
  EXPECT_EQ(RArrSelfDiff(4, inplace.data(), inplace.data(), 2), 0u);
  EXPECT_EQ(inplace, (V{-8, -12, 9, 16}));

  const V five = {1, 2, 3, 4, 5};
  V h(5);
  EXPECT_EQ(RArrSwapHalfs(5, five.data(), h.data()), 0u);
  EXPECT_EQ(h, (V{4, 5, 3, 1, 2}));
  EXPECT_EQ(RArrZeroUpperHalf(5, five.data(), h.data()), 0u);
  EXPECT_EQ(h, (V{1, 2, 0, 0, 0}));
  EXPECT_EQ(RArrZeroLowerHalf(5, five.data(), h.data()), 0u);
  EXPECT_EQ(h, (V{0, 0, 0, 4, 5}));
  V a = {1, 2}, b = {3, 4};
  EXPECT_EQ(RArrSwap(2, a.data(), b.data()), 0u);
  EXPECT_EQ(a, (V{3, 4}));
  EXPECT_EQ(RArrSwap(2, a.data(), nullptr), 14u);
  V x = {1, 0}, y = {0, 1};
  RArrPlaneRotation(2, x.data(), y.data(), 0, 1);  // (x, y) := (y, -x)
  EXPECT_EQ(x, (V{0, 1}));
  EXPECT_EQ(y, (V{-1, 0}));
}

}  // namespace
