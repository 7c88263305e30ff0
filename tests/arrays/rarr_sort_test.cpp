// Real heap sorts: against std::sort on random keys with duplicates, signed
// zeros and infinities; companions checked through an index companion and as
// a multiset of (key, companion) pairs.
#include "arrays/rarr_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "base/memory.h"
#include "support/alloc_failure.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> RandomKeys(Qword n, std::mt19937_64& rng) {
  std::vector<double> v(n);
  for (auto& x : v) {
    const Qword r = rng();
    switch (r % 16) {
      case 0:
        x = 0.0;
        break;
      case 1:
        x = -0.0;
        break;
      case 2:
        x = kInf;
        break;
      case 3:
        x = -kInf;
        break;
      default:
        x = static_cast<double>(static_cast<Qlong>(r >> 40) % 2000 - 1000) * 0.375;
    }
  }
  return v;
}

Qword Bits(double x) {
  Qword b;
  std::memcpy(&b, &x, 8);
  return b;
}

TEST(RealHeapSort, SmallCases) {
  double a[3] = {3, 1, 2};
  EXPECT_EQ(RArrIpHeapSort(3, a, 1), a);
  EXPECT_EQ(std::vector<double>(a, a + 3), (std::vector<double>{1, 2, 3}));
  RArrIpHeapSort(3, a, -1);
  EXPECT_EQ(std::vector<double>(a, a + 3), (std::vector<double>{3, 2, 1}));
  double one[1] = {5};
  EXPECT_EQ(RArrIpHeapSort(1, one, 1), one);
  EXPECT_EQ(RArrIpHeapSort(0, one, 1), nullptr);
  EXPECT_EQ(RArrIpHeapSort(3, nullptr, 1), nullptr);
}

TEST(RealHeapSort, CopyStatuses) {
  const double src[3] = {2, -1, 0.5};
  double dst[3] = {};
  EXPECT_EQ(RArrHeapSortCopy(3, src, nullptr, 1), 18u);
  EXPECT_EQ(RArrHeapSortCopy(0, src, dst, 1), 14u);
  EXPECT_EQ(RArrHeapSortCopy(3, nullptr, dst, 1), 14u);
  EXPECT_EQ(RArrHeapSortCopy(3, src, dst, 1), 0u);
  EXPECT_EQ(std::vector<double>(dst, dst + 3), (std::vector<double>{-1, 0.5, 2}));
  EXPECT_EQ(src[0], 2.0);
  double in[3] = {2, -1, 0.5};
  EXPECT_EQ(RArrHeapSortCopy(3, in, in, -1), 0u);
  EXPECT_EQ(std::vector<double>(in, in + 3), (std::vector<double>{2, 0.5, -1}));
}

TEST(RealHeapSort, MatchesStdSortBothDirections) {
  std::mt19937_64 rng(7);
  for (Qword n : {2, 3, 4, 7, 64, 1000, 100000}) {
    const std::vector<double> v = RandomKeys(n, rng);
    for (Long dir : {0, 1, -3}) {
      std::vector<double> got = v, want = v;
      RArrIpHeapSort(n, got.data(), dir);
      if (dir >= 0)
        std::sort(want.begin(), want.end());
      else
        std::sort(want.begin(), want.end(), [](double a, double b) { return b < a; });
      // -0 and +0 are equal keys: compare values, then the multiset of bits.
      ASSERT_EQ(got, want) << "n=" << n << " dir=" << dir;
      std::vector<Qword> gb, wb;
      for (double x : got) gb.push_back(Bits(x));
      for (double x : v) wb.push_back(Bits(x));
      std::sort(gb.begin(), gb.end());
      std::sort(wb.begin(), wb.end());
      ASSERT_EQ(gb, wb);
    }
  }
}

TEST(RealHeapSort, CompanionsFollowTheKeys) {
  double keys[3] = {2, 0, 1};
  Qword index[3] = {10, 11, 12};
  double d1[3] = {0.25, 0.5, 0.75};
  EXPECT_EQ(RArrHeapSortR(keys, 3, index, nullptr, d1, nullptr, nullptr, nullptr), keys);
  EXPECT_EQ(std::vector<double>(keys, keys + 3), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(std::vector<Qword>(index, index + 3), (std::vector<Qword>{11, 12, 10}));
  EXPECT_EQ(std::vector<double>(d1, d1 + 3), (std::vector<double>{0.5, 0.75, 0.25}));

  std::mt19937_64 rng(11);
  const Qword n = 100000;
  const std::vector<double> orig = RandomKeys(n, rng);
  std::vector<double> k = orig, c1(n), c2(n), c3(n), c4(n);
  std::vector<Qword> idx(n);
  std::vector<void*> ptr(n);
  for (Qword i = 0; i < n; ++i) {
    idx[i] = i;
    ptr[i] = &c1[i];
    c1[i] = static_cast<double>(i) + 0.5;
    c2[i] = -static_cast<double>(i);
    c3[i] = static_cast<double>(i * 7);
    c4[i] = static_cast<double>(n - i);
  }
  RArrHeapSortR(k.data(), n, idx.data(), ptr.data(), c1.data(), c2.data(), c3.data(), c4.data());
  std::vector<double> want = orig;
  std::sort(want.begin(), want.end());
  ASSERT_EQ(k, want);
  std::vector<bool> seen(n, false);
  for (Qword i = 0; i < n; ++i) {
    const Qword j = idx[i];
    ASSERT_LT(j, n);
    ASSERT_FALSE(seen[j]);
    seen[j] = true;
    ASSERT_EQ(Bits(k[i]), Bits(orig[j]));
    ASSERT_EQ(c1[i], static_cast<double>(j) + 0.5);
    ASSERT_EQ(c2[i], -static_cast<double>(j));
    ASSERT_EQ(c3[i], static_cast<double>(j * 7));
    ASSERT_EQ(c4[i], static_cast<double>(n - j));
    ASSERT_EQ(ptr[i], static_cast<void*>(&c1[j]));
  }
  // Keys and their companion as a multiset of (key bits, original position) pairs.
  std::vector<std::pair<Qword, Qword>> got_pairs, want_pairs;
  for (Qword i = 0; i < n; ++i) {
    got_pairs.emplace_back(Bits(k[i]), idx[i]);
    want_pairs.emplace_back(Bits(orig[i]), i);
  }
  std::sort(got_pairs.begin(), got_pairs.end());
  std::sort(want_pairs.begin(), want_pairs.end());
  EXPECT_EQ(got_pairs, want_pairs);
}

TEST(RealHeapSort, ShortOrNullKeysAreLeftAlone) {
  double k[1] = {3};
  Qword idx[1] = {9};
  EXPECT_EQ(RArrHeapSortR(k, 1, idx, nullptr, nullptr, nullptr, nullptr, nullptr), k);
  EXPECT_EQ(idx[0], 9u);
  EXPECT_EQ(RArrHeapSortR(nullptr, 5, idx, nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
  Qword k1[2] = {2, 1};
  double k2[2] = {1, 2};
  EXPECT_EQ(RArrHeapSortDR(k1, nullptr, 2, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(k1[0], 2u);
  EXPECT_EQ(RArrHeapSortDR(k1, k2, 1, nullptr, nullptr, nullptr), k2);
  EXPECT_EQ(k1[0], 2u);
}

TEST(RealHeapSort, IntegerKeysSignedAndUnsigned) {
  Qword d[3] = {Qword{1} << 63, 1, 5};
  Qlong lc[3] = {100, 101, 102};
  RArrHeapSortD(d, 3, reinterpret_cast<void**>(lc), nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(std::vector<Qword>(d, d + 3), (std::vector<Qword>{1, 5, Qword{1} << 63}));
  EXPECT_EQ(std::vector<Qlong>(lc, lc + 3), (std::vector<Qlong>{101, 102, 100}));
  Qlong l[3] = {0, -1, 7};
  double dc[3] = {0.5, -0.5, 7.5};
  RArrHeapSortL(l, 3, nullptr, nullptr, nullptr, nullptr, nullptr, reinterpret_cast<void**>(dc));
  EXPECT_EQ(std::vector<Qlong>(l, l + 3), (std::vector<Qlong>{-1, 0, 7}));
  EXPECT_EQ(std::vector<double>(dc, dc + 3), (std::vector<double>{-0.5, 0.5, 7.5}));

  std::mt19937_64 rng(3);
  const Qword n = 20000;
  std::vector<Qlong> keys(n), comp(n);
  for (Qword i = 0; i < n; ++i) {
    keys[i] = static_cast<Qlong>(rng() % 50) * (Qlong{1} << 58) - (Qlong{1} << 62);
    comp[i] = static_cast<Qlong>(i);
  }
  std::vector<Qlong> orig = keys;
  RArrHeapSortL(keys.data(), n, reinterpret_cast<void**>(comp.data()), nullptr, nullptr, nullptr,
                nullptr, nullptr);
  std::vector<Qlong> want = orig;
  std::sort(want.begin(), want.end());
  ASSERT_EQ(keys, want);
  for (Qword i = 0; i < n; ++i) ASSERT_EQ(keys[i], orig[static_cast<Qword>(comp[i])]);
}

TEST(RealHeapSort, PairKeys) {
  Qword k1[3] = {1, 0, 1};
  double k2[3] = {5, 9, 2};
  EXPECT_EQ(RArrHeapSortDR(k1, k2, 3, nullptr, nullptr, nullptr), k2);
  EXPECT_EQ(std::vector<Qword>(k1, k1 + 3), (std::vector<Qword>{0, 1, 1}));
  EXPECT_EQ(std::vector<double>(k2, k2 + 3), (std::vector<double>{9, 2, 5}));

  std::mt19937_64 rng(5);
  const Qword n = 30000;
  std::vector<Qword> a(n), pos(n);
  std::vector<double> b(n);
  std::vector<std::pair<Qword, double>> want(n);
  for (Qword i = 0; i < n; ++i) {
    a[i] = (rng() % 20) << 60 >> (rng() % 2);
    b[i] = static_cast<double>(static_cast<Qlong>(rng() % 200) - 100);
    pos[i] = i;
    want[i] = {a[i], b[i]};
  }
  const std::vector<Qword> a0 = a;
  const std::vector<double> b0 = b;
  RArrHeapSortDR(a.data(), b.data(), n, reinterpret_cast<void**>(pos.data()), nullptr, nullptr);
  std::sort(want.begin(), want.end());
  for (Qword i = 0; i < n; ++i) {
    ASSERT_EQ(a[i], want[i].first);
    ASSERT_EQ(b[i], want[i].second);
    ASSERT_EQ(a[i], a0[pos[i]]);
    ASSERT_EQ(b[i], b0[pos[i]]);
  }
}

TEST(RealHeapSort, AbsCompareAndIndexSorts) {
  const double m3 = -3, p2 = 2, m2 = -2, p3 = 3;
  EXPECT_EQ(rAbsCompare(&m3, &p2), 1);
  EXPECT_EQ(rAbsCompare(&p2, &m3), -1);
  EXPECT_EQ(rAbsCompare(&m2, &p2), 0);
  EXPECT_EQ(rAbsCompare(&m3, &p3), 0);
  EXPECT_EQ(rAbsCompare(&m2, &m3), -1);

  const double keys[3] = {5, -7, 1};
  Qword idx[3] = {};
  EXPECT_EQ(RArrHeapSortAbsIndex(3, keys, idx, 1), idx);
  EXPECT_EQ(std::vector<Qword>(idx, idx + 3), (std::vector<Qword>{2, 0, 1}));
  EXPECT_EQ(ArrHeapSortIndex(3, keys, idx, -1, nullptr), idx);
  EXPECT_EQ(std::vector<Qword>(idx, idx + 3), (std::vector<Qword>{0, 2, 1}));
  Qword untouched[1] = {77};
  EXPECT_EQ(ArrHeapSortIndex(1, keys, untouched, 1, nullptr), nullptr);
  EXPECT_EQ(untouched[0], 77u);

  std::mt19937_64 rng(13);
  const std::vector<double> v = RandomKeys(50000, rng);
  Qword* index = RArrNewSortIndex(v.size(), v.data(), 1, nullptr);
  ASSERT_NE(index, nullptr);
  std::vector<bool> seen(v.size(), false);
  for (Qword i = 0; i < v.size(); ++i) {
    ASSERT_FALSE(seen[index[i]]);
    seen[index[i]] = true;
    if (i) {
      ASSERT_LE(v[index[i - 1]], v[index[i]]);
    }
  }
  UQArrKill(&index);
  Qword* abs_index = RArrNewAbsSortIndex(v.size(), v.data(), -1);
  ASSERT_NE(abs_index, nullptr);
  for (Qword i = 1; i < v.size(); ++i)
    ASSERT_GE(std::fabs(v[abs_index[i - 1]]), std::fabs(v[abs_index[i]]));
  UQArrKill(&abs_index);

  Qword* single = RArrNewSortIndex(1, keys, 1, nullptr);
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(single[0], 0u);
  UQArrKill(&single);
  EXPECT_EQ(RArrNewAbsSortIndex(1, keys, 1), nullptr);
  EXPECT_EQ(RArrNewSortIndex(3, nullptr, 1, nullptr), nullptr);
  AllocFailureGuard fail(0);
  Qword* failed = RArrNewSortIndex(3, keys, 1, nullptr);
  fail.Release();
  EXPECT_EQ(failed, nullptr);
}

}  // namespace

// Every count of companions, in every slot, is carried along: companion k
// holds 7 i + k for original position i, so each one names the key it came
// with and all of them name the same one.
TEST(RealHeapSort, EachCompanionCountAndSlotFollowsTheKeys) {
  std::mt19937_64 rng(11);
  const Qword n = 3001;
  for (int mask = 0; mask < 64; ++mask) {
    std::vector<Qlong> keys(n);
    for (auto& k : keys) k = static_cast<Qlong>(rng() % 200) - 100;
    const std::vector<Qlong> orig = keys;
    std::vector<std::vector<Qword>> comp(6, std::vector<Qword>(n));
    void* slot[6];
    for (int k = 0; k < 6; ++k) {
      for (Qword i = 0; i < n; ++i) comp[k][i] = 7 * i + static_cast<Qword>(k);
      slot[k] = (mask >> k) & 1 ? comp[k].data() : nullptr;
    }
    RArrHeapSortL(keys.data(), n, static_cast<void**>(slot[0]), static_cast<void**>(slot[1]),
                  static_cast<void**>(slot[2]), static_cast<void**>(slot[3]),
                  static_cast<void**>(slot[4]), static_cast<void**>(slot[5]));
    ASSERT_TRUE(std::is_sorted(keys.begin(), keys.end())) << mask;
    std::vector<Qword> from(n, n);  // original position of sorted element i
    for (int k = 0; k < 6; ++k) {
      for (Qword i = 0; i < n; ++i) {
        if (!slot[k]) {
          ASSERT_EQ(comp[k][i], 7 * i + static_cast<Qword>(k));  // untouched
          continue;
        }
        const Qword at = comp[k][i] / 7;
        ASSERT_EQ(comp[k][i] % 7, static_cast<Qword>(k));
        ASSERT_EQ(orig[at], keys[i]) << mask;
        if (from[i] == n) from[i] = at;
        ASSERT_EQ(from[i], at) << "companions disagree, mask " << mask;
      }
    }
    if (mask != 0) {
      std::sort(from.begin(), from.end());
      for (Qword i = 0; i < n; ++i) ASSERT_EQ(from[i], i);  // a permutation
    }
  }
}
