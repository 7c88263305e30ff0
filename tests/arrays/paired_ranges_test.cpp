#include "arrays/paired_ranges.h"

#include <gtest/gtest.h>

#include <vector>

#include "arrays/rarr.h"
#include "base/memory.h"
#include "support/alloc_failure.h"

namespace {

std::vector<double> Set(const double* s) {
  std::vector<double> v;
  if (!s) return v;
  const Qword n = RArrRangesCount(s);
  v.assign(s, s + 2 * n + 2);
  return v;
}

TEST(PairedArrays, GrowsAndReadsBack) {
  RArrPairedArrays* h = nullptr;
  ASSERT_EQ(NewRArrPairedArrays(&h, 0.1, 0), 0u);
  EXPECT_EQ(h->capacity, 10u);
  for (int i = 0; i < 10; ++i) ASSERT_EQ(RArrPairedAddPair(i + 0.5, i * 1.0, &h), 0u);
  EXPECT_EQ(h->capacity, 20u);
  Qword n = 0;
  double *w = nullptr, *p = nullptr;
  ASSERT_EQ(RArrPairedGetPointers(&n, &w, &p, &h), 0u);
  ASSERT_EQ(n, 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(w[i], i + 0.5);
    EXPECT_EQ(p[i], i * 1.0);
  }
  EXPECT_EQ(RArrPairedReset(&h), 0u);
  double *w2 = nullptr, *p2 = nullptr;
  ASSERT_EQ(RArrPairedGetPointers(&n, &w2, &p2, &h), 0u);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(w2, w);
  EXPECT_EQ(RArrPairedDelete(&h), &h);
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(RArrPairedDelete(&h), &h);
  EXPECT_EQ(RArrPairedAddPair(1, 1, &h), 18u);
  EXPECT_EQ(RArrPairedReset(&h), 18u);
  EXPECT_EQ(RArrPairedGetPointers(&n, &w, &p, &h), 14u);
  EXPECT_EQ(w, nullptr);
}

TEST(PairedArrays, MergesWithinTheTolerance) {
  const struct {
    double tolerance, second;
    Qword pairs;
    double first_weight;
  } rows[] = {{0.1, 5.05, 1, 3}, {0.1, 5.2, 2, 1}, {0, 5.0, 2, 1}, {0.1, 5.11, 2, 1}};
  for (const auto& r : rows) {
    RArrPairedArrays* h = nullptr;
    ASSERT_EQ(NewRArrPairedArrays(&h, r.tolerance, 4), 0u);
    RArrPairedAddPair(1, 5.0, &h);
    RArrPairedAddPair(2, r.second, &h);
    EXPECT_EQ(h->count, r.pairs) << r.second;
    EXPECT_EQ(h->weights[0], r.first_weight);
    EXPECT_EQ(h->positions[0], 5.0);
    RArrPairedDelete(&h);
  }
}

// A failed growth keeps everything collected so far and reports it.
TEST(PairedArrays, FailedGrowthKeepsTheAccumulator) {
  RArrPairedArrays* h = nullptr;
  ASSERT_EQ(NewRArrPairedArrays(&h, 0, 2), 0u);
  ASSERT_EQ(RArrPairedAddPair(1, 1, &h), 0u);
  AllocFailureGuard fail(0);
  EXPECT_EQ(RArrPairedAddPair(2, 2, &h), 0x80001u);
  fail.Release();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->count, 1u);
  EXPECT_EQ(h->weights[0], 1);
  ASSERT_EQ(RArrPairedAddPair(2, 2, &h), 0u);
  EXPECT_EQ(h->count, 2u);
  RArrPairedDelete(&h);
  fail.FailAfter(1);  // the record, then the first array fails
  EXPECT_EQ(NewRArrPairedArrays(&h, 0, 2), 0x80001u);
  fail.Release();
  EXPECT_EQ(h, nullptr);
}

TEST(Ranges, AddMergeAndQuery) {
  Dword e = 9;
  double* s = NewRArrRanges(&e);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(RArrRangesCount(s), 0u);
  ASSERT_EQ(RArrRangesAddRange(&s, 1, 2), 0u);
  ASSERT_EQ(RArrRangesAddRange(&s, 5, 6), 0u);
  EXPECT_EQ(Set(s), (std::vector<double>{1, 2, 5, 6, 0, 0}));
  ASSERT_EQ(RArrRangesAddRange(&s, 2, 5), 0u);
  EXPECT_EQ(Set(s), (std::vector<double>{1, 6, 0, 0}));
  ASSERT_EQ(RArrRangesAddRange(&s, 0, 0.5), 0u);
  EXPECT_EQ(Set(s), (std::vector<double>{0, 0.5, 1, 6, 0, 0}));
  ASSERT_EQ(RArrRangesAddRange(&s, 8, 9), 0u);
  ASSERT_EQ(RArrRangesAddRange(&s, 3, 3), 0u);  // a = b: copied unchanged
  EXPECT_EQ(Set(s), (std::vector<double>{0, 0.5, 1, 6, 8, 9, 0, 0}));
  ASSERT_EQ(RArrRangesAddRange(&s, -1, 10), 0u);  // swallows everything
  EXPECT_EQ(Set(s), (std::vector<double>{-1, 10, 0, 0}));
  RArrKill(&s);

  double* empty = NewRArrRanges(&e);
  ASSERT_EQ(RArrRangesAddRange(&empty, 3, 3), 0u);
  EXPECT_EQ(empty, nullptr);
  EXPECT_EQ(RArrRangesAddRange(nullptr, 1, 2), 18u);

  const double set[] = {1, 6, 8, 9, 0, 0};
  EXPECT_EQ(RArrRangesPointIsIn(6, set), 1u);
  EXPECT_EQ(RArrRangesPointIsIn(7, set), 0u);
  EXPECT_EQ(RArrRangesPointIsIn(7, nullptr), 0u);
  Dword index = 99;
  EXPECT_EQ(RArrRangesIntervalIsNested(5, 2, set, &index), 1u);
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(RArrRangesIntervalIsNested(8.5, 9, set, &index), 1u);
  EXPECT_EQ(index, 2u);
  EXPECT_EQ(RArrRangesIntervalIsNested(5, 8.5, set, &index), 0u);
}

}  // namespace
