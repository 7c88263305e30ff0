// The vector kernels of the decompositions in two builds, chosen once per
// process: the baseline (two-lane SSE2 vectors, the same as the rest of the
// library) and, where the processor and the operating system support it,
// AVX2 (four lanes, no fused multiply-add). Every kernel gives each result
// element exactly the operations, in exactly the order, of its plain scalar
// loop, so the two builds agree to the bit and the choice changes only the
// speed. Dot products keep their index order per column: the lanes of a
// vector then hold different columns, never parts of one sum.
#pragma once
#include "base/types.h"

namespace wide {

struct Kernels {
  // out[k] = sum over i (in order, from 0.0) of a[i] * b[i + ld*k], k < count.
  void (*dot_columns)(Qword n, const double* a, const double* b, Qword ld, Qword count,
                      double* out);
  // y[i] += f * x[i].
  void (*axpy)(Qword n, double f, const double* x, double* y);
  // y[i + ld*k] += f[k] * x[i] for k < count.
  void (*axpy_columns)(Qword n, const double* f, const double* x, double* y, Qword ld, Qword count);
  // w[i] += f[0]*x[i] + f[1]*x[i + ld] + ... over count columns, in order.
  void (*accumulate)(Qword n, Qword count, const double* f, const double* x, Qword ld, double* w);
  // (x, y) := (c*x + s*y, c*y - s*x).
  void (*rotation)(Qword n, double* x, double* y, double c, double s);
  // Complex vectors as their interleaved real and imaginary parts (n
  // elements, 2n doubles), with the operations of the complex layer's own
  // loops: y += a x, each product (a.re x.re - a.im x.im, a.re x.im +
  // a.im x.re) formed before it is added.
  void (*complex_axpy)(Qword n, double are, double aim, const double* x, double* y);
  // out[k] = sum over i in order of conj(x[i]) y_k[i] for the count columns
  // y_k = y + 2 ld k, as re += x.re y.re - (-x.im) y.im, im += x.re y.im +
  // (-x.im) y.re.
  void (*complex_dot_columns)(Qword n, const double* x, const double* y, Qword ld, Qword count,
                              double* out);
  // eigen::ReduceColumns<kUpdate, kProduct> as [kUpdate][kProduct]; [0][0]
  // is never used.
  void (*reduce_columns[2][2])(double* a, Qword n, Qword L, const double* pu, const double* pe,
                               const double* u, double* p);
  // accumulate of count columns of n rows packed by PackPanels: w[i] +=
  // f[0]*x_0[i] + f[1]*x_1[i] + ..., each element taking the columns in
  // order. A panel's rows stay in registers over all the columns, so w is
  // read and written once.
  void (*accumulate_panels)(Qword n, Qword count, const double* f, const double* panels, double* w);
};

// Rows per panel of PackPanels.
inline constexpr Qword kPanelRows = 32;

// Doubles that PackPanels writes for n rows of count columns: whole panels,
// the last one padded with zero rows.
inline Qword PanelSize(Qword n, Qword count) {
  return (n + kPanelRows - 1) / kPanelRows * kPanelRows * count;
}

// Copies the count columns x + ld*j (n rows each) into panels: panel b
// holds rows b*kPanelRows onward of column j at panels + b*kPanelRows*count
// + j*kPanelRows.
void PackPanels(Qword n, Qword count, const double* x, Qword ld, double* panels);

// The kernels of this process; the choice is made at the first call.
const Kernels& Active();

// The AVX2 build, or null where the processor cannot run it.
const Kernels* Avx2KernelsIfSupported();
// The baseline build.
const Kernels& BaselineKernels();

}  // namespace wide
