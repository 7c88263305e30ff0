// The complex kernels of both builds (baseline and AVX2, arrays/
// wide_kernels.h) against the complex layer's own loops (carr::Axpy,
// carr::DotC, carr::Rot) bit for bit, the golden table of the complex SVD
// replayed on the baseline (the golden test runs on the build this
// processor chooses), and both builds on larger shapes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "arrays/svd_scheme.h"
#include "arrays/wide_kernels.h"
#include "arrays/wide_kernels_testing.h"
#include "complexvec/carr_ops.h"
#include "complexvec/cmat_svd.h"
#include "support/svd_golden_replay.h"

namespace {

using CVec = std::vector<COMPLEX>;

const svd_golden::Record kGolden[] = {
#include "cmat_svd_golden.inc"
};

struct ChoiceGuard {
  ~ChoiceGuard() { WideKernelsForceBaseline(false); }
};

CVec Random(size_t n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  CVec v(n);
  for (COMPLEX& z : v) z = COMPLEX(u(g), u(g));
  return v;
}

uint64_t Bits(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

void ExpectSameBits(const CVec& got, const CVec& want, const char* what) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(Bits(got[i].re), Bits(want[i].re)) << what << " element " << i;
    ASSERT_EQ(Bits(got[i].im), Bits(want[i].im)) << what << " element " << i;
  }
}

std::vector<const wide::Kernels*> Builds() {
  std::vector<const wide::Kernels*> k = {&wide::BaselineKernels()};
  if (const wide::Kernels* avx2 = wide::Avx2KernelsIfSupported()) k.push_back(avx2);
  return k;
}

TEST(CMatSVDWideKernels, ComplexKernelsMatchTheComplexLayersLoops) {
  for (const wide::Kernels* k : Builds())
    for (Qword n : {0, 1, 2, 3, 4, 5, 8, 9, 31, 64}) {
      const Qword ld = n + 1;
      const COMPLEX a(0.3183098861837907, -1.4142135623730951);
      CVec x = Random(n + 1, 1 + n), y = Random(n + 1, 2 + n), want = y;
      k->complex_axpy(n, a.re, a.im, &x[1].re, &y[1].re);
      carr::Axpy(n, a, x.data() + 1, want.data() + 1);
      ExpectSameBits(y, want, "axpy");

      CVec yr = y, xr = x, wy = y, wx = x;
      k->rotation(2 * n, &xr[1].re, &yr[1].re, 0.28, -0.96);
      carr::Rot(n, wx.data() + 1, wy.data() + 1, 0.28, -0.96);
      ExpectSameBits(xr, wx, "rotation x");
      ExpectSameBits(yr, wy, "rotation y");

      for (Qword count : {0, 1, 2, 3, 4, 7, 8, 9, 16, 19}) {
        const CVec cols = Random(ld * count + 1, 3 + n);
        CVec out(count + 1, COMPLEX(-1, -1)), dots(count + 1, COMPLEX(-1, -1));
        k->complex_dot_columns(n, &x[1].re, &cols[1].re, ld, count, &out[0].re);
        for (Qword j = 0; j < count; ++j)
          dots[j] = carr::DotC(n, x.data() + 1, cols.data() + 1 + ld * j);
        ExpectSameBits(out, dots, "dot_columns");
      }
    }
}

TEST(CMatSVDWideKernels, GoldenTableOnTheBaseline) {
  ChoiceGuard guard;
  WideKernelsForceBaseline(true);
  svd_golden::ExpectTable(kGolden, svd_golden::RunComplex);
}

TEST(CMatSVDWideKernels, BothBuildsGiveTheSameBits) {
  ChoiceGuard guard;
  if (!wide::Avx2KernelsIfSupported()) GTEST_SKIP() << "no AVX2 here";
  const Dword shapes[][2] = {{41, 29}, {29, 41}, {90, 19}, {33, 33}};
  for (const auto& sh : shapes)
    for (Dword job : {0u, 11u, 22u}) {
      const Dword m = sh[0], n = sh[1];
      const CVec A = Random(Qword{m} * n, m * 100 + n);
      CVec U[2], s[2], V[2];
      Dword status[2];
      for (int b = 0; b < 2; ++b) {
        WideKernelsForceBaseline(b == 0);
        U[b].assign(Qword{m} * m, COMPLEX(-7, -7));
        s[b].assign(n + 1, COMPLEX(-7, -7));
        V[b].assign(Qword{n} * n, COMPLEX(-7, -7));
        status[b] = CMatSVD(A.data(), m, n, U[b].data(), s[b].data(), V[b].data(), job);
      }
      SCOPED_TRACE(::testing::Message() << m << " x " << n << " job " << job);
      EXPECT_EQ(status[0], 0u);
      EXPECT_EQ(status[1], status[0]);
      ExpectSameBits(s[1], s[0], "s");
      ExpectSameBits(U[1], U[0], "U");
      ExpectSameBits(V[1], V[0], "V");
    }
}

}  // namespace
