// The digital filter's group delay by DECIM and DSPFVS.
#include "app/core/bruker_group_delay.h"

#include <gtest/gtest.h>

namespace {

// The decimation factors of the table's rows, in order.
const Qword kRowDecim[21] = {2,  3,   4,   6,   8,   12,  16,  24,   32,   48,  64,
                             96, 128, 192, 256, 384, 512, 768, 1024, 1536, 2048};

TEST(BrukerGroupDelay, EveryRowByItsOwnDecimationFactor) {
  for (int row = 0; row < 21; ++row)
    for (Qword v = 10; v <= 12; ++v)
      EXPECT_EQ(BrukerGroupDelay(kRowDecim[row], v), BrukerGroupDelayTable[row][v - 10])
          << kRowDecim[row] << " " << v;
}

TEST(BrukerGroupDelay, Cases) {
  struct Case {
    Qword decim, dspfvs;
    double delay;
  } cases[] = {
      {16, 10, 69.5313}, {2, 10, 44.75}, {2048, 11, 72.0313}, {128, 12, 72.524},
      {256, 12, -1},     {5, 10, -1},    {7, 11, -1},         {16, 9, -1},
      {16, 13, -1},      {0, 10, 33.5},  // DECIM 0 reads the DECIM 3 row
      {20, 10, 69.5313},                 // between rows: nearest power of two (16)
      {40, 11, 72.75},                   // 32
      {9, 11, 69.5},                     // 9 = 3 x 3: round(log2 3) = 2 gives the DECIM 12 row
      {4096, 10, -1},    {6144, 11, -1}, {~Qword{0}, 10, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BrukerGroupDelay(c.decim, c.dspfvs), c.delay) << c.decim << " " << c.dspfvs;
}

}  // namespace
