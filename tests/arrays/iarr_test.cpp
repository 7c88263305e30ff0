// Integer arrays and matrices: life cycle, counts, extremes, runs, level
// crossings, heap sorts (against std::sort) and order tests.
#include "arrays/iarr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "base/memory.h"
#include "support/alloc_failure.h"

namespace {

constexpr Qword kNone = ~Qword{0};

TEST(IntArrays, CreationFollowsTheAllocationConvention) {
  Dword e = 99;
  EXPECT_EQ(IArrNew(&e, 0), nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(UArrNew(&e, Qword{1} << 62), nullptr);
  EXPECT_EQ(e, 0x80001u);
  EXPECT_EQ(IQArrNew(&e, Qword{1} << 61), nullptr);
  EXPECT_EQ(e, 0x80001u);
  EXPECT_EQ(RPArrNew0(&e, Qword{1} << 61), nullptr);
  EXPECT_EQ(e, 0x80001u);

  Dword* u = UArrNew0(&e, 5);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(e, 0u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(u[i], 0u);
  UArrKill(&u);
  EXPECT_EQ(u, nullptr);

  double** p = RPArrNew0(&e, 3);
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(p[i], nullptr);
  double x = 2.5;
  EXPECT_EQ(RPArrFill(3, p, &x), 0u);
  EXPECT_EQ(p[2], &x);
  EXPECT_EQ(RPArrNull(3, p), 0u);
  EXPECT_EQ(p[1], nullptr);
  RPArrKill(&p);
}

TEST(IntArrays, NewCopyCopiesAndLeavesExtraRoom) {
  const Long src[3] = {-4, 7, 2147483647};
  Dword e = 7;
  EXPECT_EQ(IArrNewCopy(&e, nullptr, 5), nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(ArrNewCopy<Dword>(&e, reinterpret_cast<const Dword*>(src), 0, 0), nullptr);
  EXPECT_EQ(e, 0u);
  // A total that wraps around 64 bits is refused, not taken as empty.
  EXPECT_EQ(
      ArrNewCopy<Dword>(&e, reinterpret_cast<const Dword*>(src), Qword{1} << 63, Qword{1} << 63),
      nullptr);
  EXPECT_EQ(e, 0x80001u);
  Dword* five = ArrNewCopy<Dword>(&e, reinterpret_cast<const Dword*>(src), 2, 3);
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(five[0], 0xFFFFFFFCu);
  EXPECT_EQ(five[1], 7u);
  UArrKill(&five);

  Long* c = IArrNewCopy(&e, src, 3);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(std::vector<Long>(c, c + 3), std::vector<Long>(src, src + 3));
  IArrKill(&c);

  AllocFailureGuard fail(0);
  const Qlong q[2] = {1, 2};
  Qlong* none = IQArrNewCopy(&e, q, 2);
  fail.Release();
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(e, 0x80001u);
}

TEST(IntArrays, CopyChecksCountThenDestinationThenSource) {
  Long src[3] = {1, 2, 3}, dst[3] = {};
  EXPECT_EQ(IArrCopy(src, 0, nullptr), 0u);
  EXPECT_EQ(IArrCopy(nullptr, 3, nullptr), 18u);
  EXPECT_EQ(IArrCopy(nullptr, 3, dst), 14u);
  EXPECT_EQ(IArrCopy(src, 3, dst), 0u);
  EXPECT_EQ(dst[2], 3);
  Qword q[2] = {Qword{1} << 63, 5}, r[2] = {};
  EXPECT_EQ(UQArrCopy(q, 2, r), 0u);
  EXPECT_EQ(r[0], Qword{1} << 63);
}

TEST(IntArrays, FillZeroAndSkipFill) {
  Long a[10] = {};
  EXPECT_EQ(IArrFill(0, nullptr, 1), 0u);
  EXPECT_EQ(IArrFill(3, nullptr, 1), 18u);
  EXPECT_EQ(IArrSkipFill(10, a, 1, 3, 7), 0u);
  const std::vector<Long> want = {0, 7, 0, 0, 7, 0, 0, 7, 0, 0};
  EXPECT_EQ(std::vector<Long>(a, a + 10), want);
  EXPECT_EQ(IArrSkipFill(10, a, 12, 3, 9), 0u);
  EXPECT_EQ(std::vector<Long>(a, a + 10), want);
  EXPECT_EQ(IArrSkipFill(0, a, 0, 1, 9), 14u);
  EXPECT_EQ(IArrSkipFill(10, nullptr, 0, 1, 9), 14u);
  // A step of 0 stores once instead of looping for ever.
  EXPECT_EQ(IArrSkipFill(10, a, 2, 0, 5), 0u);
  EXPECT_EQ(a[2], 5);
  EXPECT_EQ(a[3], 0);
  // A huge step must not wrap around to low indices.
  Qword b[4] = {};
  EXPECT_EQ(UQArrSkipFill(4, b, 1, ~Qword{0}, 9), 0u);
  EXPECT_EQ(b[0], 0u);
  EXPECT_EQ(b[1], 9u);
  EXPECT_EQ(b[2], 0u);
  Dword u[3] = {1, 2, 3};
  EXPECT_EQ(UArrZero(3, u), 0u);
  EXPECT_EQ(u[0] | u[1] | u[2], 0u);
}

TEST(IntMatrices, CreationChecksTheElementCountForOverflow) {
  Dword e = 0;
  EXPECT_EQ(IMatNew(&e, Qword{1} << 32, Qword{1} << 32), nullptr);
  EXPECT_EQ(e, 0x80001u);
  e = 0;
  // 2^33 * 2^31 wraps to 0 in 64 bits: must not become an empty success.
  EXPECT_EQ(UQMatNew0(&e, Qword{1} << 33, Qword{1} << 31), nullptr);
  EXPECT_EQ(e, 0x80001u);
  const Long s[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(IMatNewCopy(&e, s, Qword{1} << 40, Qword{1} << 40), nullptr);
  EXPECT_EQ(e, 0x80001u);
  Long dst[1];
  EXPECT_EQ(IMatCopy(Qword{1} << 40, Qword{1} << 40, s, dst), 26u);
  EXPECT_EQ(IMatFill(Qword{1} << 40, Qword{1} << 40, dst, 1), 26u);

  Long* m = IMatNewCopy(&e, s, 2, 3);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m[5], 6);
  EXPECT_EQ(IMatZero(2, 3, m), 0u);
  EXPECT_EQ(m[5], 0);
  EXPECT_EQ(IMatFill(3, 2, m, -1), 0u);
  EXPECT_EQ(m[4], -1);
  IMatKill(&m);
  Qlong* z = IQMatNew0(&e, 2, 2);
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(z[3], 0);
  IQMatKill(&z);
}

TEST(IntMatrices, TransposeOutOfPlaceAndInPlace) {
  const Long s[6] = {1, 2, 3, 4, 5, 6};
  const std::vector<Long> want = {1, 3, 5, 2, 4, 6};
  Long d[6] = {};
  EXPECT_EQ(IMatTranspose(s, 2, 3, d), 0u);
  EXPECT_EQ(std::vector<Long>(d, d + 6), want);
  Long in[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(IMatTranspose(in, 2, 3, in), 0u);
  EXPECT_EQ(std::vector<Long>(in, in + 6), want);
  // A failed temporary copy leaves the matrix as it was.
  Qlong q[6] = {1, 2, 3, 4, 5, 6};
  AllocFailureGuard fail(0);
  const Dword st = IQMatTranspose(q, 3, 2, q);
  fail.Release();
  EXPECT_EQ(st, 0x80001u);
  EXPECT_EQ(q[1], 2);
  EXPECT_EQ(IMatTranspose(nullptr, 2, 3, d), 14u);
  EXPECT_EQ(IMatTranspose(s, 2, 3, nullptr), 18u);
}

TEST(IntArrays, CountsUseTheElementTypesOrder) {
  const Long a[3] = {1, 5, 9};
  EXPECT_EQ(IArrAboveCount(3, a, 5), 1);
  EXPECT_EQ(IArrBelowCount(3, a, 5), 1);
  EXPECT_EQ(IArrAboveCount(0, a, 5), -1);
  EXPECT_EQ(IArrBelowCount(3, nullptr, 5), -1);
  const Dword big[1] = {4294967295u};
  EXPECT_EQ(UArrAboveCount(1, big, 1), 1);
  const Long minus[1] = {-1};
  EXPECT_EQ(IArrAboveCount(1, minus, 1), 0);
  const Qword ubig[2] = {Qword{1} << 63, 3};
  EXPECT_EQ(UQArrAboveCount(2, ubig, 3), 1);
  const Qlong ibig[2] = {INT64_MIN, 3};
  EXPECT_EQ(IQArrBelowCount(2, ibig, 3), 1);

  const Long b[5] = {1, 3, 5, 7, 9};
  Qword above = 7, below = 7;
  EXPECT_EQ(IArrBandCount(5, b, 3, 7, &above, &below), 3);
  EXPECT_EQ(above, 1u);
  EXPECT_EQ(below, 1u);
  EXPECT_EQ(IArrBandCount(0, b, 3, 7, &above, &below), 0);
  EXPECT_EQ(above, 0u);
  EXPECT_EQ(below, 0u);
  // Missing count pointers are skipped, not written.
  EXPECT_EQ(UQArrBandCount(2, ubig, 0, 5, nullptr, nullptr), 1);
}

TEST(IntArrays, ExtremesKeepTheFirstOccurrence) {
  const Long a[3] = {2, 9, 9}, b[3] = {3, 1, 1}, one[1] = {5};
  EXPECT_EQ(IArrMax(3, a), 1);
  EXPECT_EQ(IArrMin(3, b), 1);
  EXPECT_EQ(IArrMax(0, a), -1);
  EXPECT_EQ(IArrMin(3, nullptr), -1);
  Qword lo = 0, hi = 0;
  EXPECT_EQ(IArrMinMax(1, one, &lo, &hi), 0u);
  EXPECT_EQ(lo, 0u);
  EXPECT_EQ(hi, 0u);
  EXPECT_EQ(IArrMinMax(3, nullptr, &lo, &hi), 14u);
  EXPECT_EQ(lo, kNone);
  EXPECT_EQ(hi, kNone);
  const Dword u[4] = {7, 0xFFFFFFFFu, 0, 0xFFFFFFFFu};
  EXPECT_EQ(UArrMinMax(4, u, &lo, &hi), 0u);
  EXPECT_EQ(lo, 2u);
  EXPECT_EQ(hi, 1u);
  EXPECT_EQ(UArrMax(4, u), 1);
  // The same bits read as signed.
  EXPECT_EQ(IArrMin(4, reinterpret_cast<const Long*>(u)), 1);
  const Qlong q[3] = {0, INT64_MIN, INT64_MAX};
  EXPECT_EQ(IQArrMinMax(3, q, &lo, &hi), 0u);
  EXPECT_EQ(lo, 1u);
  EXPECT_EQ(hi, 2u);
  EXPECT_EQ(UQArrMin(3, reinterpret_cast<const Qword*>(q)), 0);
}

TEST(IntArrays, ValueSearchAndLongestRun) {
  const Long a[7] = {1, 2, 2, 3, 2, 2, 2};
  Qword len = 9, idx = 0;
  EXPECT_EQ(IArrLongestBlock(7, a, 2, &len), 4);
  EXPECT_EQ(len, 3u);
  EXPECT_EQ(IArrLongestBlock(7, a, 3, &len), 3);
  EXPECT_EQ(len, 1u);
  EXPECT_EQ(IArrLongestBlock(7, a, 8, &len), -1);
  EXPECT_EQ(len, 0u);
  const Long b[2] = {5, 7};
  EXPECT_EQ(IArrLongestBlock(2, b, 7, &len), 1);
  EXPECT_EQ(len, 1u);
  EXPECT_EQ(IArrLongestBlock(2, nullptr, 7, &len), -1);
  EXPECT_EQ(len, 0u);
  const Long tie[6] = {4, 4, 0, 4, 4, 1};
  EXPECT_EQ(IArrLongestBlock(6, tie, 4, &len), 0);
  EXPECT_EQ(len, 2u);

  EXPECT_TRUE(IArrIsValuePresent(7, a, 3, &idx));
  EXPECT_EQ(idx, 3u);
  EXPECT_FALSE(IArrIsValuePresent(7, a, 4, &idx));
  EXPECT_EQ(idx, kNone);
  EXPECT_FALSE(IArrIsValuePresent(0, a, 1, &idx));
  EXPECT_EQ(idx, kNone);
  const Qword q[3] = {1, ~Qword{0}, 3};
  EXPECT_TRUE(UQArrIsValuePresent(3, q, ~Qword{0}, nullptr));
  Qword qlen = 0;
  EXPECT_EQ(UQArrLongestBlock(3, q, 3, &qlen), 2);
  EXPECT_EQ(qlen, 1u);
}

TEST(IntArrays, LevelCrossings) {
  const Long a[4] = {1, -1, 1, -1};
  Qword down = 9, up = 9;
  EXPECT_EQ(IArrSignInversionsCount(4, a, 0, &down, &up), 3);
  EXPECT_EQ(down, 2u);
  EXPECT_EQ(up, 1u);
  const Qlong b[3] = {0, -1, 5};
  EXPECT_EQ(IQArrSignInversionsCount(3, b, 0, &down, nullptr), 2);
  EXPECT_EQ(down, 1u);
  EXPECT_EQ(IArrSignInversionsCount(1, a, 0, &down, &up), 0);
  EXPECT_EQ(down + up, 0u);
  EXPECT_EQ(IArrSignInversionsCount(4, nullptr, 0, nullptr, nullptr), 0);
}

TEST(IntArrays, HeapSortSmallCases) {
  Long a[3] = {3, -1, 2};
  EXPECT_EQ(IArrHeapSort(3, a, 1), a);
  EXPECT_EQ(std::vector<Long>(a, a + 3), (std::vector<Long>{-1, 2, 3}));
  Dword u[3] = {3, 0xFFFFFFFFu, 2};
  UArrHeapSort(3, u, 0);
  EXPECT_EQ(std::vector<Dword>(u, u + 3), (std::vector<Dword>{2, 3, 0xFFFFFFFFu}));
  Qlong q[2] = {5, -7};
  IQArrHeapSort(2, q, 1);
  EXPECT_EQ(q[0], -7);
  Long one[1] = {4};
  EXPECT_EQ(IArrHeapSort(1, one, 1), one);
  EXPECT_EQ(IArrHeapSort(0, one, 1), nullptr);
  EXPECT_EQ(UQArrHeapSort(3, nullptr, 1), nullptr);
  Long d[4] = {1, 4, 2, 3};
  IArrHeapSort(4, d, -1);
  EXPECT_EQ(std::vector<Long>(d, d + 4), (std::vector<Long>{4, 3, 2, 1}));
}

template <class T>
class IntSortTyped : public ::testing::Test {};
using IntTypes = ::testing::Types<Long, Dword, Qlong, Qword>;
TYPED_TEST_SUITE(IntSortTyped, IntTypes);

template <class T>
T* Sort(Qword n, T* a, Long dir);
template <>
Long* Sort(Qword n, Long* a, Long dir) {
  return IArrHeapSort(n, a, dir);
}
template <>
Dword* Sort(Qword n, Dword* a, Long dir) {
  return UArrHeapSort(n, a, dir);
}
template <>
Qlong* Sort(Qword n, Qlong* a, Long dir) {
  return IQArrHeapSort(n, a, dir);
}
template <>
Qword* Sort(Qword n, Qword* a, Long dir) {
  return UQArrHeapSort(n, a, dir);
}

TYPED_TEST(IntSortTyped, MatchesStdSortOnRandomKeysWithDuplicates) {
  using T = TypeParam;
  std::mt19937_64 rng(20261210);
  for (Qword n : {2, 3, 5, 16, 17, 1000, 100000}) {
    std::vector<T> v(n);
    // Few distinct values, and values of both signs / the top bit set.
    for (auto& x : v) x = static_cast<T>((rng() % 37) * 0x0123456789ABCDEFull);
    for (Long dir : {1, -1}) {
      std::vector<T> got = v, want = v;
      Sort<T>(n, got.data(), dir);
      if (dir >= 0)
        std::sort(want.begin(), want.end());
      else
        std::sort(want.begin(), want.end(), [](T a, T b) { return b < a; });
      ASSERT_EQ(got, want) << "n=" << n << " dir=" << dir;
    }
  }
}

TEST(IntArrays, HeapSortWithComparison) {
  // Descending by the low decimal digit only: the comparison decides.
  Dword v[6] = {13, 21, 35, 44, 52, 9};
  auto by_digit = [](const Dword* a, const Dword* b) -> Long {
    return static_cast<Long>(*a % 10) - static_cast<Long>(*b % 10);
  };
  ArrHeapSort<Dword>(6, v, 0, by_digit);
  for (int i = 0; i + 1 < 6; ++i) EXPECT_LE(v[i] % 10, v[i + 1] % 10);
  EXPECT_EQ(v[5], 9u);
}

TEST(IntArrays, OrderTests) {
  Qword idx = 5;
  const Long a[3] = {1, 2, 2};
  EXPECT_TRUE(IArrIsIncreasing(3, a, false, &idx));
  EXPECT_EQ(idx, kNone);
  EXPECT_FALSE(IArrIsIncreasing(3, a, true, &idx));
  EXPECT_EQ(idx, 1u);
  idx = 5;
  EXPECT_FALSE(IArrIsIncreasing(1, a, false, &idx));
  EXPECT_EQ(idx, 5u);
  const double r[2] = {-2.0, -1.0};
  EXPECT_TRUE(RArrIsIncreasing(2, r, true, nullptr));
  EXPECT_FALSE(RArrIsDecreasing(2, r, false, &idx));
  EXPECT_EQ(idx, 0u);
  const Dword u[2] = {1, 0xFFFFFFFFu};
  EXPECT_TRUE(UArrIsIncreasing(2, u, true, nullptr));
  EXPECT_TRUE(IArrIsDecreasing(2, reinterpret_cast<const Long*>(u), true, nullptr));

  const Long p[3] = {1, 3, 2}, q[3] = {1, 2, 3}, flat[4] = {1, 2, 2, 3};
  EXPECT_FALSE(IArrIsMonotonous(3, p, false, &idx));
  EXPECT_EQ(idx, 1u);
  EXPECT_TRUE(IArrIsMonotonous(3, q, false, &idx));
  EXPECT_EQ(idx, 2u);
  EXPECT_TRUE(IArrIsMonotonous(4, flat, false, nullptr));
  EXPECT_FALSE(IQArrIsMonotonous(4, nullptr, true, nullptr));
  const Qlong qf[4] = {1, 2, 2, 3};
  EXPECT_FALSE(IQArrIsMonotonous(4, qf, true, &idx));
  EXPECT_EQ(idx, 1u);
  idx = 7;
  EXPECT_TRUE(IArrIsMonotonous(2, p, true, &idx));
  EXPECT_EQ(idx, 7u);
}

}  // namespace
