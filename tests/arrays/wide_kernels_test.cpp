// The two builds of the decomposition kernels (baseline and AVX2) against
// plain scalar loops, bit for bit, and the decompositions run through each
// of them: the golden table of the real SVD replayed on the baseline (the
// golden tests themselves run on the build this processor chooses), and the
// two builds compared on shapes large enough for every kernel's wide paths.
#include "arrays/wide_kernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "arrays/eigen_kernels.h"
#include "arrays/rmat_linalg.h"
#include "arrays/svd_scheme.h"
#include "arrays/wide_kernels_testing.h"
#include "support/svd_golden_replay.h"

namespace {

using Vec = std::vector<double>;

const svd_golden::Record kGolden[] = {
#include "svd_golden.inc"
};

// Restores the processor's own choice when a test ends.
struct ChoiceGuard {
  ~ChoiceGuard() { WideKernelsForceBaseline(false); }
};

Vec Random(size_t n, unsigned seed) {
  std::mt19937_64 g(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  Vec v(n);
  for (double& x : v) x = u(g);
  return v;
}

uint64_t Bits(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

void ExpectSameBits(const Vec& got, const Vec& want, const char* what) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i)
    ASSERT_EQ(Bits(got[i]), Bits(want[i])) << what << " element " << i;
}

// Both builds where the processor has AVX2, else the baseline alone.
std::vector<const wide::Kernels*> Builds() {
  std::vector<const wide::Kernels*> k = {&wide::BaselineKernels()};
  if (const wide::Kernels* avx2 = wide::Avx2KernelsIfSupported()) k.push_back(avx2);
  return k;
}

TEST(WideKernels, TheProcessorsChoiceAndTheBaselineSwitch) {
  ChoiceGuard guard;
  const bool avx2 = wide::Avx2KernelsIfSupported() != nullptr;
  EXPECT_EQ(WideKernelsForceBaseline(false), avx2);
  EXPECT_EQ(&wide::Active(), avx2 ? wide::Avx2KernelsIfSupported() : &wide::BaselineKernels());
  EXPECT_FALSE(WideKernelsForceBaseline(true));
  EXPECT_EQ(&wide::Active(), &wide::BaselineKernels());
}

// Lengths around every vector width and unrolling, odd offsets so no
// access is aligned, column counts around the groups of four and sixteen.
TEST(WideKernels, ElementWiseKernelsAndDotsMatchPlainLoops) {
  const Qword lengths[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33, 64, 130};
  for (const wide::Kernels* k : Builds()) {
    for (Qword n : lengths) {
      const Qword ld = n + 3;
      for (Qword count : {0, 1, 3, 4, 5, 8, 12, 15, 16, 17, 20, 35}) {
        const Vec a = Random(n + 1, 1 + n), b = Random(ld * count + 1, 2 + n);
        Vec out(count + 1, -1.0), want(count + 1, -1.0);
        k->dot_columns(n, a.data() + 1, b.data() + 1, ld, count, out.data());
        for (Qword j = 0; j < count; ++j) {
          double s = 0;
          for (Qword i = 0; i < n; ++i) s += a[1 + i] * b[1 + ld * j + i];
          want[j] = s;
        }
        ExpectSameBits(out, want, "dot_columns");

        // y(:, j) += f[j] x for each column.
        const Vec fy = Random(count + 1, 7 + n);
        Vec cols = b, wcols = b;
        k->axpy_columns(n, fy.data(), a.data() + 1, cols.data() + 1, ld, count);
        for (Qword j = 0; j < count; ++j)
          for (Qword i = 0; i < n; ++i) wcols[1 + ld * j + i] += fy[j] * a[1 + i];
        ExpectSameBits(cols, wcols, "axpy_columns");

        // w += f[j] x(:, j), the columns in order.
        const Vec f = Random(count + 1, 3 + n);
        Vec w = Random(n + 1, 4 + n), ww = w;
        k->accumulate(n, count, f.data(), b.data() + 1, ld, w.data() + 1);
        for (Qword i = 0; i < n; ++i)
          for (Qword j = 0; j < count; ++j) ww[1 + i] += f[j] * b[1 + ld * j + i];
        ExpectSameBits(w, ww, "accumulate");

        // The same sums over the columns packed in panels.
        Vec panels(wide::PanelSize(n, count) + 1, -1.0);
        wide::PackPanels(n, count, b.data() + 1, ld, panels.data());
        EXPECT_EQ(panels.back(), -1.0) << "packing stays inside PanelSize";
        Vec wp = Random(n + 2, 4 + n);
        const double guard = wp.back();
        k->accumulate_panels(n, count, f.data(), panels.data(), wp.data() + 1);
        EXPECT_EQ(wp.back(), guard) << "nothing written past the n rows";
        wp.pop_back();
        ExpectSameBits(wp, ww, "accumulate_panels");
      }
      Vec x = Random(n + 1, 5 + n), y = Random(n + 1, 6 + n), px = x, py = y;
      k->axpy(n, 0.7390851332151607, x.data() + 1, y.data() + 1);
      for (Qword i = 1; i <= n; ++i) py[i] += 0.7390851332151607 * px[i];
      ExpectSameBits(y, py, "axpy");
      const double c = 0.6, s = -0.8000000000000002;
      k->rotation(n, x.data() + 1, y.data() + 1, c, s);
      for (Qword i = 1; i <= n; ++i) {
        const double xi = px[i], yi = py[i];
        px[i] = c * xi + s * yi;
        py[i] = c * yi - s * xi;
      }
      ExpectSameBits(x, px, "rotation x");
      ExpectSameBits(y, py, "rotation y");
    }
  }
}

// The reduction kernel against its description: the update of the lower
// triangle first, then p(k) = sum over k' in order of A(k, k') u(k') read
// from the lower triangle, each sum from 0.
TEST(WideKernels, ReduceColumnsMatchesTheRowWiseDescription) {
  for (const wide::Kernels* k : Builds())
    for (Qword L : {1, 2, 3, 4, 5, 7, 8, 9, 12, 13, 16, 17, 23, 40}) {
      const Qword n = L + 2;
      const Vec pu = Random(L, 10 + L), pe = Random(L, 20 + L), u = Random(L, 30 + L);
      for (int mode = 1; mode <= 3; ++mode) {
        const bool update = mode & 1, product = mode & 2;
        Vec a = Random(n * n, 40 + L), want = a, p(L, 0.0), pw(L, 0.0);
        k->reduce_columns[update][product](
            a.data(), n, L, update ? pu.data() : nullptr, update ? pe.data() : nullptr,
            product ? u.data() : nullptr, product ? p.data() : nullptr);
        if (update)
          for (Qword j = 0; j < L; ++j)
            for (Qword r = j; r < L; ++r) want[r + n * j] -= (pu[r] * pe[j] + pe[r] * pu[j]);
        if (product)
          for (Qword r = 0; r < L; ++r) {
            double s = 0;
            for (Qword c = 0; c < L; ++c) s += want[r > c ? r + n * c : c + n * r] * u[c];
            pw[r] = s;
          }
        ExpectSameBits(a, want, "block");
        ExpectSameBits(p, pw, "product");
      }
    }
}

TEST(WideKernels, RealSvdGoldenTableOnTheBaseline) {
  ChoiceGuard guard;
  WideKernelsForceBaseline(true);
  svd_golden::ExpectTable(kGolden, svd_golden::RunReal);
}

struct SvdOut {
  Dword status;
  Vec a, u, s, v;
};

SvdOut RunSvd(Qword m, Qword n, Dword job, bool baseline) {
  WideKernelsForceBaseline(baseline);
  SvdOut r{0, Random(m * n, static_cast<unsigned>(m * 1000 + n)), Vec(m * m, -7.0),
           Vec(n + 1, -7.0), Vec(n * n, -7.0)};
  r.status = RMatSVD(r.a.data(), m, n, r.u.data(), r.s.data(), r.v.data(), job);
  return r;
}

TEST(WideKernels, BothBuildsGiveTheSameSvdBits) {
  ChoiceGuard guard;
  if (!wide::Avx2KernelsIfSupported()) GTEST_SKIP() << "no AVX2 here";
  const Qword shapes[][2] = {{67, 45}, {45, 67}, {130, 17}, {17, 130}, {64, 64}, {200, 37}};
  for (const auto& sh : shapes)
    for (Dword job : {0u, 11u, 22u, 1u, 10u}) {
      SCOPED_TRACE(::testing::Message() << sh[0] << " x " << sh[1] << " job " << job);
      const SvdOut b = RunSvd(sh[0], sh[1], job, true), w = RunSvd(sh[0], sh[1], job, false);
      EXPECT_EQ(b.status, w.status);
      ExpectSameBits(w.s, b.s, "s");
      ExpectSameBits(w.u, b.u, "U");
      ExpectSameBits(w.v, b.v, "V");
      ExpectSameBits(w.a, b.a, "work matrix");
    }
}

TEST(WideKernels, BothBuildsGiveTheSameEigenBits) {
  ChoiceGuard guard;
  if (!wide::Avx2KernelsIfSupported()) GTEST_SKIP() << "no AVX2 here";
  for (Dword n : {2u, 5u, 9u, 16u, 17u, 33u, 70u, 131u}) {
    Vec A0 = Random(Qword{n} * n, 500 + n);
    for (Dword j = 0; j < n; ++j)
      for (Dword i = 0; i < j; ++i) A0[i + Qword{n} * j] = A0[j + Qword{n} * i];
    for (bool vectors : {false, true}) {
      Vec ab = A0, aw = A0, db(n), dw(n);
      WideKernelsForceBaseline(true);
      const Dword sb = vectors ? RMatDiagonalize(ab.data(), n, db.data())
                               : RMatEigenvalues(ab.data(), n, db.data());
      WideKernelsForceBaseline(false);
      const Dword sw = vectors ? RMatDiagonalize(aw.data(), n, dw.data())
                               : RMatEigenvalues(aw.data(), n, dw.data());
      SCOPED_TRACE(::testing::Message() << "order " << n << " vectors " << vectors);
      EXPECT_EQ(sb, 0u);
      EXPECT_EQ(sw, sb);
      ExpectSameBits(dw, db, "values");
      ExpectSameBits(aw, ab, "matrix");
    }
  }
}

}  // namespace
