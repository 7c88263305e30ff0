// The block the data-tree benchmarks load: a decaying tone of `points`
// samples at 48 kHz (axis, real and imaginary rows).
#pragma once
#include <cmath>
#include <numbers>

#include "data_engine/ky_data.h"

inline cKyData* NewDecayBlock(Qword points, double frequency) {
  constexpr double kDwell = 1.0 / 48000;
  auto* block = new cKyData(0);
  block->SetSize(points, 3, 1, 0.0, kDwell * static_cast<double>(points - 1));
  for (Qword i = 0; i < points; ++i) {
    const double t = kDwell * static_cast<double>(i);
    const double a = std::exp(-t / 0.05);
    block->Row(0)[i] = t;
    block->Row(1)[i] = a * std::cos(2 * std::numbers::pi * frequency * t);
    block->Row(2)[i] = a * std::sin(2 * std::numbers::pi * frequency * t);
  }
  return block;
}
