// Small data trees for the engine's tests: a root of `items` items with
// `blocks` blocks each, every block a time-domain decay of `points` points
// (axis 0..points-1, real part, imaginary part) whose values tell the item
// and block apart.
#pragma once
#include "data_engine/ky_data.h"

inline cKyData* NewTestBlock(Qword item, Qword block, Qword points) {
  auto* b = new cKyData(0);
  b->SetSize(points, 3, 1, 0.0, static_cast<double>(points - 1));
  for (Qword i = 0; i < points; ++i) {
    b->Row(0)[i] = static_cast<double>(i);
    b->Row(1)[i] = static_cast<double>(100 * item + block) + static_cast<double>(i) / 1000.0;
    b->Row(2)[i] = -static_cast<double>(i);
  }
  b->node_flags = kKyDataTimeDomain;
  return b;
}

inline cKyData* NewTestTree(Qword items, Qword blocks, Qword points) {
  auto* root = new cKyData(0);
  for (Qword z = 0; z < items; ++z) {
    auto* item = new cKyData(0);
    item->data_type = kKyDataBruker;
    item->type_name = DataTypeName(kKyDataBruker);
    for (Qword b = 0; b < blocks; ++b) item->AddChild(NewTestBlock(z, b, points));
    root->AddChild(item);
  }
  return root;
}
