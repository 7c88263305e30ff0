// Hand-built data trees for the data plot and the plot commands, one shape
// per view, with values whose series the tests recompute independently;
// and a drawing back end for targets that are window ids (the view code),
// forwarding to one recording back end.
#pragma once
#include <cmath>
#include <cstring>

#include "base/memory.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "support/recording_draw.h"

namespace plot_trees {

inline void SetUnit(cKyData* node, const char* unit) {
  KillPtr(&node->x_unit);
  LibErrorCode e = 0;
  node->x_unit = unit ? EngineCopyA(unit, &e) : nullptr;
}

// Block b of item z: a decay of `points` points, 1 ms apart; real and
// imaginary parts of (z + 1)(b + 1) e^(-t/20ms) e^(i 2 pi 50 t).
inline double DecayRe(Qword z, Qword b, double t) {
  return static_cast<double>((z + 1) * (b + 1)) * std::exp(-t / 0.02) * std::cos(2 * M_PI * 50 * t);
}
inline double DecayIm(Qword z, Qword b, double t) {
  return static_cast<double>((z + 1) * (b + 1)) * std::exp(-t / 0.02) * std::sin(2 * M_PI * 50 * t);
}

inline cKyData* NewDecay(Qword z, Qword b, Qword points, Qword rows = 3) {
  auto* block = new cKyData(0);
  block->SetSize(points, rows, 1, 0.0, 1e-3 * static_cast<double>(points - 1));
  for (Qword i = 0; i < points; ++i) {
    const double t = 1e-3 * static_cast<double>(i);
    block->Row(0)[i] = t;
    block->Row(1)[i] = DecayRe(z, b, t);
    if (rows > 2) block->Row(2)[i] = DecayIm(z, b, t);
    if (rows > 3) block->Row(3)[i] = 0.9 * DecayRe(z, b, t);  // a "fit"
  }
  block->node_flags = kKyDataTimeDomain;
  SetUnit(block, "s");
  return block;
}

// A root of items with `blocks` decays each, as the Bruker reader makes it.
inline cKyData* NewDecayTree(Qword items, Qword blocks, Qword points) {
  auto* root = new cKyData(0);
  for (Qword z = 0; z < items; ++z) {
    auto* item = new cKyData(0);
    item->data_type = kKyDataBruker;
    item->type_name = DataTypeName(kKyDataBruker);
    for (Qword b = 0; b < blocks; ++b) item->AddChild(NewDecay(z, b, points));
    root->AddChild(item);
  }
  return root;
}

inline void FillRows(cKyData* node, Qword points, Qword rows,
                     double (*value)(Qword row, Qword point)) {
  node->SetSize(points, rows, 0, value(0, 0), value(0, points - 1));
  for (Qword r = 0; r < rows; ++r)
    for (Qword i = 0; i < points; ++i) node->Row(r)[i] = value(r, i);
}

// A relaxation curve: tau 0.01 .. 0.08, data 3 e^(-5 tau) + e^(-40 tau) +
// 0.5, datai its tenth, fit the same without the second term.
inline double CurveValue(Qword row, Qword i) {
  const double tau = 0.01 * static_cast<double>(i + 1);
  switch (row) {
    case 0:
      return tau;
    case 1:
      return 3 * std::exp(-5 * tau) + std::exp(-40 * tau) + 0.5;
    case 2:
      return 0.1 * (3 * std::exp(-5 * tau) + 0.5);
    default:
      return 3 * std::exp(-5 * tau) + 0.5;
  }
}

// Components of the curve's fit: rates 5 and 40, amplitudes 3 and 1.
inline cKyData* NewComponents(Qword count) {
  auto* linked = new cKyData(0);
  linked->SetSize(count, 2, 0, 5.0, 40.0);
  double* rates = linked->Row(0);
  double* amplitudes = linked->Row(1);
  if (!rates || !amplitudes) return linked;  // not sized: the tests see an empty node
  for (Qword i = 0; i < count; ++i) {
    rates[i] = i == 0 ? 5.0 : 40.0 * static_cast<double>(i);
    amplitudes[i] = i == 0 ? 3.0 : 1.0;
  }
  linked->results[0] = static_cast<double>(count);
  return linked;
}

// Root with one item holding the curve in 4 rows (the last the fit) and
// two components behind it.
inline cKyData* NewCurveTree(Qword points = 8) {
  auto* root = new cKyData(0);
  auto* item = new cKyData(0);
  FillRows(item, points, 4, CurveValue);
  item->row_flags[3] = kKyRowResult;
  item->results[0] = 2;
  item->results[1] = 0.5;
  item->linked = NewComponents(2);
  root->AddChild(item);
  return root;
}

// A distribution node: f discrete points (rates 7, 300, 0.2, 0, 45; none on a bin edge) with
// amplitudes, then a continuous part on rates 1 .. 1e4.
inline cKyData* NewDistribution(Qword f, Qword continuous, const double* amplitudes,
                                double continuous_sign = 1.0) {
  auto* node = new cKyData(0);
  const Qword n = f + continuous;
  node->SetSize(n, 2, 0, 0.0, 1.0);
  const double rates[] = {7.0, 300.0, 0.2, 0.0, 45.0};
  for (Qword i = 0; i < f; ++i) {
    node->Row(0)[i] = rates[i % 5];
    node->Row(1)[i] = amplitudes[i];
  }
  for (Qword j = 0; j < continuous; ++j) {
    node->Row(0)[f + j] =
        std::pow(10.0, 4.0 * static_cast<double>(j) /
                           static_cast<double>(continuous > 1 ? continuous - 1 : 1));
    node->Row(1)[f + j] =
        continuous_sign * std::exp(-std::pow(static_cast<double>(j) - 5.0, 2) / 4);
  }
  node->results[0] = static_cast<double>(f);
  SetUnit(node, "1/s");
  return node;
}

// A dispersion profile in the root itself: fields 0.01 .. 10 MHz, two rate
// rows and a fitted row (row flag 2).
inline double ProfileValue(Qword row, Qword i) {
  const double b = 0.01 * std::pow(10.0, 0.5 * static_cast<double>(i));
  switch (row) {
    case 0:
      return b;
    case 1:
      return 20.0 / (1 + b);
    case 2:
      return 10.0 / (1 + b);
    default:
      return 19.0 / (1 + b);
  }
}

// An item with its QARRAY table: x 0.001 .. 10 (logarithmic), qr and qtot.
inline double QarrayValue(Qword row, Qword i) {
  const double x = 0.001 * std::pow(10.0, static_cast<double>(i));
  switch (row) {
    case 0:
      return x;
    case 1:
      return 1 - std::exp(-x);
    default:
      return 2 - std::exp(-x);
  }
}

inline cKyData* NewQarrayTree(const char* grid, const char* unit) {
  auto* root = new cKyData(0);
  auto* item = new cKyData(0);
  FillRows(item, 5, 3, QarrayValue);
  if (grid) item->parameters.AddEntry("BGRD", grid, nullptr);
  if (unit) item->parameters.AddEntry("BUNIT", unit, nullptr);
  root->AddChild(item);
  return root;
}

// The calibration table in the root: concentrations, quantities, others.
inline double CalibrationValue(Qword row, Qword i) {
  const double c = 10.0 * static_cast<double>(i + 1);
  switch (row) {
    case 0:
      return c;
    case 1:
      return 2 * c + 1;
    case 2:
      return 2 * c + 3;
    default:
      return 2 * c + 1.5;
  }
}

// The recording back end reached through a window id: the target is the
// window id's address (the view code), the log goes to `Recorder()`.
inline RecordingDraw*& Recorder() {
  static RecordingDraw* recorder = nullptr;
  return recorder;
}
inline const void*& LastTarget() {
  static const void* target = nullptr;
  return target;
}
inline Qlong WindowCallback(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                            const void* state_or_text) {
  LastTarget() = target;
  if (!Recorder()) return 0;
  return RecordingDraw::Callback(Recorder(), message, x1, y1, x2, y2, state_or_text);
}

}  // namespace plot_trees
