#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "arrays/rmat.h"
#include "support/random_inputs.h"

namespace {

std::vector<double> Random(size_t n, unsigned seed) {
  return RandomInputs(seed).UniformVector(n, -2.385, 3.117);
}

TEST(RMatGram, ColumnDotProductsMirrored) {
  const int k = 5, n = 4;
  const auto A = Random(k * n, 3);
  double G[n * n];
  EXPECT_EQ(RMatFillGram(n, G, k, A.data()), 0u);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      // The lower index's column is the second factor; both orders of the
      // product give the same rounded value.
      const int a = i > j ? i : j, b = i > j ? j : i;
      double s = 0;
      for (int r = 0; r < k; ++r) s += A[r + k * a] * A[r + k * b];
      EXPECT_EQ(G[i + n * j], s);
    }
  EXPECT_EQ(RMatFillGram(n, G, 0, A.data()), 14u);
  EXPECT_EQ(RMatFillGram(n, nullptr, k, A.data()), 18u);
  Dword e = 7;
  EXPECT_EQ(RMatNewGram(&e, 0, k, A.data()), nullptr);
  EXPECT_EQ(e, 0u);
  EXPECT_EQ(RMatNewGram(&e, n, k, nullptr), nullptr);
  EXPECT_EQ(e, 14u);
}

TEST(RMatPowerSums, PowersAndFrobeniusNorm) {
  const double A[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(RMatSumOfPowersI(2, 3, A, 2), 91.0);
  EXPECT_EQ(RMatSumOfPowersI(2, 3, A, 1), 21.0);
  EXPECT_EQ(RMatSumOfPowersI(2, 3, A, 0), 6.0);
  EXPECT_EQ(RMatNormL2(2, 3, A), std::sqrt(91.0));
  EXPECT_TRUE(std::isnan(RMatNormL2(0, 3, A)));
  EXPECT_TRUE(std::isnan(RMatNormL2(2, 3, nullptr)));
}

}  // namespace
