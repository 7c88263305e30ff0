// Closed state counts against an enumeration of the product states.
#include "nmrphys/spin/spin_counting.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Enumerated {
  std::vector<double> N, R, L, F, X, C1;
};

// Every count by its definition, over all product states.
Enumerated Enumerate(const std::vector<Dword>& s) {
  Dword total = 0;
  for (Dword v : s) total += v;
  Enumerated e;
  for (auto* v : {&e.N, &e.R, &e.L, &e.F, &e.X, &e.C1}) v->assign(total + 1, 0.0);
  std::vector<Dword> k(s.size(), 0);
  for (;;) {
    Dword K = 0;
    for (Dword v : k) K += v;
    e.N[K] += 1;
    for (size_t g = 0; g < s.size(); ++g) {
      if (k[g] < s[g]) e.R[K] += 1;
      if (k[g] >= 1) e.L[K] += 1;
      if (k[g] + 2 <= s[g]) e.X[K] += 1;
      for (size_t h = 0; h < s.size(); ++h) {
        if (h == g) continue;
        if (k[g] < s[g] && k[h] >= 1) e.F[K] += 1;
        if (h > g && k[g] < s[g] && k[h] < s[h]) e.X[K] += 1;
      }
      // Lower g by one, add two quanta elsewhere (one group twice or two
      // different groups once).
      if (k[g] >= 1)
        for (size_t a = 0; a < s.size(); ++a) {
          if (a == g) continue;
          if (k[a] + 2 <= s[a]) e.C1[K] += 1;
          for (size_t b = a + 1; b < s.size(); ++b)
            if (b != g && k[a] < s[a] && k[b] < s[b]) e.C1[K] += 1;
        }
    }
    size_t g = 0;
    for (; g < s.size(); ++g) {
      if (++k[g] <= s[g]) break;
      k[g] = 0;
    }
    if (g == s.size()) break;
  }
  return e;
}

TEST(SpinCounting, ClosedCountsMatchEnumeration) {
  const std::vector<std::vector<Dword>> cases = {
      {1},          {1, 1},
      {1, 1, 1},    {2, 1},
      {3, 1, 2},    {1, 1, 1, 1, 1, 1, 1},
      {4, 2, 1, 3}, {2, 2, 2, 2, 2},
      {5},          {1, 3, 1, 3, 1, 2},
      {6, 1, 1},
  };
  for (const auto& s : cases) {
    SpinCounts c;
    ASSERT_EQ(SpinCountStates(s.data(), static_cast<Dword>(s.size()), &c), 0u);
    const Enumerated e = Enumerate(s);
    ASSERT_EQ(c.length, e.N.size());
    for (Dword K = 0; K < c.length; ++K) {
      EXPECT_EQ(c.N[K], e.N[K]) << K;
      EXPECT_EQ(c.R[K], e.R[K]) << K;
      EXPECT_EQ(c.L[K], e.L[K]) << K;
      EXPECT_EQ(c.F[K], e.F[K]) << K;
      EXPECT_EQ(c.X[K], e.X[K]) << K;
      EXPECT_EQ(c.C1[K], e.C1[K]) << K;
    }
  }
}

// Twelve spins 1/2: binomial dimensions, the largest 924.
TEST(SpinCounting, TwelveSpinsHalf) {
  std::vector<Dword> s(12, 1);
  SpinCounts c;
  ASSERT_EQ(SpinCountStates(s.data(), 12, &c), 0u);
  double binomial = 1.0;
  for (Dword K = 0; K <= 12; ++K) {
    EXPECT_EQ(c.N[K], binomial);
    EXPECT_EQ(c.R[K], binomial * (12 - K));
    binomial = binomial * (12 - K) / (K + 1);
  }
  EXPECT_EQ(c.N[6], 924.0);
}

}  // namespace
