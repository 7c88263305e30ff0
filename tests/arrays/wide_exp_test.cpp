// The exponential of many values against std::exp value by value, bit for
// bit, on whichever build the processor and the C library allow and on the
// scalar one: values across the vector path's range, its edges, the
// special cases it hands back to std::exp, and arbitrary bit patterns, at
// counts that leave every remainder of the four lanes.
#include "arrays/wide_exp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "arrays/wide_exp_testing.h"

namespace {

struct ScalarGuard {
  ~ScalarGuard() { WideExpForceScalar(false); }
};

std::vector<double> Samples() {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> x = {0.0,
                           -0.0,
                           0x1p-54,
                           -0x1p-54,
                           std::nextafter(0x1p-54, 0.0),
                           std::nextafter(-0x1p-54, 0.0),
                           512.0,
                           -512.0,
                           std::nextafter(512.0, 0.0),
                           std::nextafter(-512.0, 0.0),
                           709.782712893384,
                           709.8,
                           -708.4,
                           -745.1,
                           -746.0,
                           1024.0,
                           -1100.0,
                           inf,
                           -inf,
                           std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::denorm_min(),
                           1.0,
                           -1.0,
                           0.5 * std::log(2.0) / 128};
  std::mt19937_64 g(20261211);
  std::uniform_real_distribution<double> wide(-600, 600), unit(-1, 1), octaves(-60, 7);
  for (int i = 0; i < 60000; ++i) {
    x.push_back(wide(g));
    x.push_back(unit(g));
    x.push_back(-std::exp(octaves(g)));
    const std::uint64_t b = g();
    double v;
    std::memcpy(&v, &b, sizeof v);
    x.push_back(v);
  }
  return x;
}

void ExpectLibraryBits(const std::vector<double>& x, const std::vector<double>& got) {
  for (size_t i = 0; i < x.size(); ++i) {
    const double want = std::exp(x[i]);
    if (std::isnan(want)) {
      ASSERT_TRUE(std::isnan(got[i])) << std::hexfloat << x[i];
      continue;
    }
    ASSERT_EQ(0, std::memcmp(&want, &got[i], sizeof want))
        << std::hexfloat << x[i] << ": " << want << " vs " << got[i];
  }
}

// Through wide::ExpArray with the scalar build forced and with the chosen
// one; then the vector build itself, where this processor and C library
// allow it (a skip says when they do not).
TEST(WideExp, SameBitsAsStdExpOnEveryBuild) {
  ScalarGuard guard;
  const std::vector<double> x = Samples();
  const wide::ExpArrayFunction vector = wide::Avx2ExpIfSupported();
  const wide::ExpArrayFunction builds[] = {[](Qword n, const double* in, double* out) {
                                             WideExpForceScalar(true);
                                             wide::ExpArray(n, in, out);
                                           },
                                           [](Qword n, const double* in, double* out) {
                                             WideExpForceScalar(false);
                                             wide::ExpArray(n, in, out);
                                           },
                                           vector};
  for (int b = 0; b < 3; ++b) {
    SCOPED_TRACE(b);
    const wide::ExpArrayFunction exp = builds[b];
    if (!exp) GTEST_SKIP() << "no vector build of the exponential on this processor and C library";
    std::vector<double> got(x.size());
    exp(x.size(), x.data(), got.data());
    ExpectLibraryBits(x, got);
    // In place, and every count up to a few vectors (the remainders).
    std::vector<double> in = x;
    exp(in.size(), in.data(), in.data());
    ExpectLibraryBits(x, in);
    for (size_t n = 0; n <= 9; ++n) {
      const std::vector<double> part(x.begin() + 3, x.begin() + 3 + n);
      std::vector<double> out(n + 1, 7.0);
      exp(n, part.data(), out.data());
      ExpectLibraryBits(part, std::vector<double>(out.begin(), out.begin() + n));
      EXPECT_EQ(out[n], 7.0) << n;
    }
  }
}

}  // namespace
