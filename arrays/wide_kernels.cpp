// The baseline kernels and the choice between the builds.
#include "arrays/wide_kernels.h"

#include "arrays/eigen_kernels.h"
#include "arrays/rmat_kernels.h"
#include "arrays/wide_kernels_testing.h"

namespace wide {
namespace {

void DotColumns(Qword n, const double* a, const double* b, Qword ld, Qword count, double* out) {
  Qword k = 0;
  for (; k + 4 <= count; k += 4) {
    const double* c = b + ld * k;
    rmat::Dot4(n, a, c, c + ld, c + 2 * ld, c + 3 * ld, out + k);
  }
  for (; k < count; ++k) out[k] = rmat::Dot(n, a, b + ld * k);
}

void AxpyColumns(Qword n, const double* f, const double* x, double* y, Qword ld, Qword count) {
  for (Qword k = 0; k < count; ++k) rmat::Axpy(n, f[k], x, y + ld * k);
}

// Four columns per pass over w, each element taking them in order.
void Accumulate4(Qword n, const double* f, const double* x0, const double* x1, const double* x2,
                 const double* x3, double* __restrict w) {
  using rmat::Load2;
  using rmat::Splat2;
  using rmat::Store2;
  const rmat::V2 f0 = Splat2(f[0]), f1 = Splat2(f[1]), f2 = Splat2(f[2]), f3 = Splat2(f[3]);
  Qword i = 0;
  for (; i + 2 <= n; i += 2) {
    rmat::V2 v = Load2(w + i);
    v += f0 * Load2(x0 + i);
    v += f1 * Load2(x1 + i);
    v += f2 * Load2(x2 + i);
    v += f3 * Load2(x3 + i);
    Store2(w + i, v);
  }
  for (; i < n; ++i) {
    double v = w[i];
    v += f[0] * x0[i];
    v += f[1] * x1[i];
    v += f[2] * x2[i];
    v += f[3] * x3[i];
    w[i] = v;
  }
}

void Accumulate(Qword n, Qword count, const double* f, const double* x, Qword ld, double* w) {
  Qword j = 0;
  for (; j + 4 <= count; j += 4)
    Accumulate4(n, f + j, x + ld * j, x + ld * (j + 1), x + ld * (j + 2), x + ld * (j + 3), w);
  for (; j < count; ++j) rmat::Axpy(n, f[j], x + ld * j, w);
}

void ComplexAxpy(Qword n, double are, double aim, const double* x, double* y) {
  for (Qword i = 0; i < 2 * n; i += 2) {
    const double xr = x[i], xi = x[i + 1];
    y[i] = y[i] + (are * xr - aim * xi);
    y[i + 1] = y[i + 1] + (are * xi + aim * xr);
  }
}

// Four columns at a time: independent sums, each in index order.
void ComplexDotColumns(Qword n, const double* x, const double* y, Qword ld, Qword count,
                       double* out) {
  Qword k = 0;
  for (; k + 4 <= count; k += 4) {
    const double* y0 = y + 2 * ld * k;
    const double *y1 = y0 + 2 * ld, *y2 = y1 + 2 * ld, *y3 = y2 + 2 * ld;
    double r0 = 0, i0 = 0, r1 = 0, i1 = 0, r2 = 0, i2 = 0, r3 = 0, i3 = 0;
    for (Qword i = 0; i < 2 * n; i += 2) {
      const double a = x[i], b = -x[i + 1];
      r0 += a * y0[i] - b * y0[i + 1];
      i0 += a * y0[i + 1] + b * y0[i];
      r1 += a * y1[i] - b * y1[i + 1];
      i1 += a * y1[i + 1] + b * y1[i];
      r2 += a * y2[i] - b * y2[i + 1];
      i2 += a * y2[i + 1] + b * y2[i];
      r3 += a * y3[i] - b * y3[i + 1];
      i3 += a * y3[i + 1] + b * y3[i];
    }
    double* o = out + 2 * k;
    o[0] = r0, o[1] = i0, o[2] = r1, o[3] = i1, o[4] = r2, o[5] = i2, o[6] = r3, o[7] = i3;
  }
  for (; k < count; ++k) {
    const double* yk = y + 2 * ld * k;
    double re = 0, im = 0;
    for (Qword i = 0; i < 2 * n; i += 2) {
      re += x[i] * yk[i] - (-x[i + 1]) * yk[i + 1];
      im += x[i] * yk[i + 1] + (-x[i + 1]) * yk[i];
    }
    out[2 * k] = re;
    out[2 * k + 1] = im;
  }
}

// A panel in two halves of 16 rows, eight two-lane sums each, so the sums
// stay in the sixteen vector registers.
void AccumulatePanels(Qword n, Qword count, const double* f, const double* panels, double* w) {
  using rmat::Load2;
  using rmat::Splat2;
  using rmat::Store2;
  constexpr Qword kHalf = kPanelRows / 2, kSums = kHalf / 2;
  for (Qword i0 = 0; i0 < n; i0 += kPanelRows) {
    const Qword rows = n - i0 < kPanelRows ? n - i0 : kPanelRows;
    // A short last panel works on a copy padded with zeros; whole panels
    // (the usual case) work in place and leave the copy untouched.
    double part[kPanelRows];
    double* out = w + i0;
    if (rows < kPanelRows) {
      for (Qword r = 0; r < kPanelRows; ++r) part[r] = r < rows ? w[i0 + r] : 0;
      out = part;
    }
    const double* panel = panels + i0 * count;
    for (Qword h = 0; h < kPanelRows; h += kHalf) {
      rmat::V2 s[kSums];
      for (Qword v = 0; v < kSums; ++v) s[v] = Load2(out + h + 2 * v);
      const double* x = panel + h;
      for (Qword j = 0; j < count; ++j, x += kPanelRows) {
        const rmat::V2 fj = Splat2(f[j]);
        for (Qword v = 0; v < kSums; ++v) s[v] += fj * Load2(x + 2 * v);
      }
      for (Qword v = 0; v < kSums; ++v) Store2(out + h + 2 * v, s[v]);
    }
    if (rows < kPanelRows)
      for (Qword r = 0; r < rows; ++r) w[i0 + r] = part[r];
  }
}

const Kernels kBaseline = {
    DotColumns,
    rmat::Axpy,
    AxpyColumns,
    Accumulate,
    rmat::PlaneRotation,
    ComplexAxpy,
    ComplexDotColumns,
    {{nullptr, eigen::ReduceColumns<false, true>},
     {eigen::ReduceColumns<true, false>, eigen::ReduceColumns<true, true>}},
    AccumulatePanels,
};

const Kernels* Choose() {
  const Kernels* avx2 = Avx2KernelsIfSupported();
  return avx2 ? avx2 : &kBaseline;
}

const Kernels*& Current() {
  static const Kernels* current = Choose();
  return current;
}

}  // namespace

const Kernels& BaselineKernels() { return kBaseline; }

void PackPanels(Qword n, Qword count, const double* x, Qword ld, double* panels) {
  for (Qword i0 = 0; i0 < n; i0 += kPanelRows) {
    const Qword rows = n - i0 < kPanelRows ? n - i0 : kPanelRows;
    double* panel = panels + i0 * count;
    for (Qword j = 0; j < count; ++j, panel += kPanelRows) {
      for (Qword r = 0; r < rows; ++r) panel[r] = x[i0 + r + ld * j];
      for (Qword r = rows; r < kPanelRows; ++r) panel[r] = 0;
    }
  }
}

const Kernels& Active() { return *Current(); }

}  // namespace wide

bool WideKernelsForceBaseline(bool baseline) {
  const wide::Kernels*& current = wide::Current();
  current = baseline ? &wide::BaselineKernels() : wide::Choose();
  return current != &wide::BaselineKernels();
}
