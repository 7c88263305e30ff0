#include "app/core/bruker_group_delay.h"

#include <cmath>

const double BrukerGroupDelayTable[21][3] = {
    {44.75, 46.0, 46.311},       // 2
    {33.5, 36.5, 36.53},         // 3
    {66.625, 48.0, 47.87},       // 4
    {59.0833, 50.1667, 50.229},  // 6
    {68.5625, 53.25, 53.289},    // 8
    {60.375, 69.5, 69.551},      // 12
    {69.5313, 72.25, 71.6},      // 16
    {61.0208, 70.1667, 70.184},  // 24
    {70.0156, 72.75, 72.138},    // 32
    {61.3438, 70.5, 70.528},     // 48
    {70.2578, 73.0, 72.348},     // 64
    {61.5052, 70.6667, 70.7},    // 96
    {70.3789, 72.5, 72.524},     // 128
    {61.5859, 71.3333, -1},      // 192
    {70.4395, 72.25, -1},        // 256
    {61.6263, 71.6667, -1},      // 384
    {70.4697, 72.125, -1},       // 512
    {61.6465, 71.8333, -1},      // 768
    {70.4849, 72.0625, -1},      // 1024
    {61.6566, 71.9167, -1},      // 1536
    {70.4924, 72.0313, -1},      // 2048
};

namespace {

// round(log2(x)) half away from zero; a negative or infinite logarithm
// counts as 0 (DECIM 0 then reads the DECIM 3 row).
Qword RoundedLog2(double x) {
  const double l = std::log2(x);
  if (!(l > 0.0) || std::isinf(l)) return 0;
  return static_cast<Qword>(std::floor(l + 0.5));
}

}  // namespace

double BrukerGroupDelay(Qword decim, Qword dspfvs) {
  if (dspfvs < 10 || dspfvs > 12) return -1;
  const Qword column = dspfvs - 10;
  Qword row;
  if (decim % 3 == 0) {
    row = 2 * RoundedLog2(static_cast<double>(decim / 3)) + 1;
  } else if (decim % 2 == 0) {
    // Even DECIM is at least 2, so the logarithm is at least 1.
    row = 2 * RoundedLog2(static_cast<double>(decim)) - 2;
  } else {
    return -1;
  }
  if (row >= 21) return -1;
  return BrukerGroupDelayTable[row][column];
}
