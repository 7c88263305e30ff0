// The sample layout of fid and ser files: block strides, size checks, and
// samples decoded from bytes laid out by hand.
#include "app/core/bruker_samples.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

BrukerLayout Layout(Qword td, Qword blocks, Qword dtypa, Qword bytorda) {
  BrukerLayout l;
  l.samples = td;
  l.points = td / 2;
  l.blocks = blocks;
  l.dtypa = dtypa;
  l.bytorda = bytorda;
  return l;
}

TEST(BrukerSamples, BlockStrides) {
  struct Case {
    Qword td, dtypa, stride;
  } cases[] = {
      {2048, 0, 8192}, {100, 0, 1024}, {100, 2, 1024}, {256, 0, 1024}, {257, 0, 2048},
      {2047, 0, 8192}, {128, 2, 1024}, {129, 2, 2048}, {2, 2, 1024},
  };
  for (const Case& c : cases) {
    Qword stride;
    ASSERT_EQ(BrukerBlockStride(Layout(c.td, 1, c.dtypa, 0), &stride), 0u);
    EXPECT_EQ(stride, c.stride) << c.td << " " << c.dtypa;
  }
  Qword stride;
  EXPECT_EQ(BrukerBlockStride(Layout(Qword{1} << 62, 1, 0, 0), &stride), 17u);
  EXPECT_EQ(BrukerBlockStride(Layout(Qword{1} << 61, 1, 2, 0), &stride), 17u);
}

TEST(BrukerSamples, DataSizeChecks) {
  struct Case {
    Qword td, blocks, dtypa, size;
    LibErrorCode code;
  } cases[] = {
      {2048, 1, 0, 8192, 0},
      {2048, 1, 0, 8191, 62},
      {100, 3, 0, 3072, 0},
      {100, 3, 0, 2448, 0},  // the last block's padding may be missing
      {100, 3, 0, 2447, 62},
      {100, 3, 2, 2848, 0},
      {100, 3, 2, 2847, 62},
      {100, ~Qword{0}, 0, 1 << 20, 17},       // blocks x stride overflows
      {100, Qword{1} << 54, 0, 1 << 20, 62},  // fits in 64 bits, file too short
      {2048, 1, 0, 0, 62},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BrukerCheckDataSize(Layout(c.td, c.blocks, c.dtypa, 0), c.size), c.code)
        << c.td << " " << c.blocks << " " << c.size;
}

TEST(BrukerSamples, EncodingsOtherThanTheFourAreRefused) {
  EXPECT_EQ(BrukerCheckEncoding(0, 0), 0u);
  EXPECT_EQ(BrukerCheckEncoding(0, 1), 0u);
  EXPECT_EQ(BrukerCheckEncoding(2, 0), 0u);
  EXPECT_EQ(BrukerCheckEncoding(2, 1), 0u);
  EXPECT_EQ(BrukerCheckEncoding(1, 0), 16u);
  EXPECT_EQ(BrukerCheckEncoding(3, 0), 16u);
  EXPECT_EQ(BrukerCheckEncoding(0, 2), 16u);
}

TEST(BrukerSamples, DecodesIntegersInBothByteOrders) {
  // Points (1, -2), (0x01020304, -2147483648): little- and big-endian bytes.
  const unsigned char le[] = {1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0, 0, 0, 0x80};
  const unsigned char be[] = {0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE, 1, 2, 3, 4, 0x80, 0, 0, 0};
  for (int order = 0; order < 2; ++order) {
    double re[2], im[2];
    BrukerDecodeBlock(order ? be : le, Layout(4, 1, 0, order), re, im);
    EXPECT_EQ(re[0], 1);
    EXPECT_EQ(im[0], -2);
    EXPECT_EQ(re[1], 16909060);
    EXPECT_EQ(im[1], -2147483648.0);
  }
}

TEST(BrukerSamples, DecodesDoublesInBothByteOrders) {
  // 1.5 is 0x3FF8000000000000, -0.25 is 0xBFD0000000000000.
  const unsigned char le[] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0, 0, 0, 0, 0, 0, 0xD0, 0xBF};
  const unsigned char be[] = {0x3F, 0xF8, 0, 0, 0, 0, 0, 0, 0xBF, 0xD0, 0, 0, 0, 0, 0, 0};
  for (int order = 0; order < 2; ++order) {
    double re, im;
    BrukerDecodeBlock(order ? be : le, Layout(2, 1, 2, order), &re, &im);
    EXPECT_EQ(re, 1.5);
    EXPECT_EQ(im, -0.25);
  }
}

TEST(BrukerSamples, EncodingRoundsPadsAndRoundTrips) {
  const double re[3] = {1.5, -2.5, 1e9}, im[3] = {0.49, -0.5, -3};
  for (Qword dtypa : {0, 2})
    for (Qword order : {0, 1}) {
      const BrukerLayout l = Layout(6, 1, dtypa, order);
      std::vector<unsigned char> block(1024, 0xAA);
      BrukerEncodeBlock(l, re, im, 1.0, 1024, block.data());
      const Qword used = 6 * l.SampleSize();
      for (Qword i = used; i < 1024; ++i) ASSERT_EQ(block[i], 0) << i;
      double r[3], m[3];
      BrukerDecodeBlock(block.data(), l, r, m);
      if (dtypa == 2) {
        EXPECT_EQ(0, std::memcmp(r, re, sizeof re));
        EXPECT_EQ(0, std::memcmp(m, im, sizeof im));
      } else {
        // Halves away from zero.
        const double rr[3] = {2, -3, 1e9}, mm[3] = {0, -1, -3};
        for (int k = 0; k < 3; ++k) {
          EXPECT_EQ(r[k], rr[k]);
          EXPECT_EQ(m[k], mm[k]);
        }
      }
    }
  // The first sample's bytes in file order.
  std::vector<unsigned char> block(1024);
  BrukerEncodeBlock(Layout(6, 1, 0, 1), re, im, 2.0, 1024, block.data());
  EXPECT_EQ(block[3], 3);  // 1.5 x 2 = 3, big-endian
  EXPECT_EQ(block[0], 0);
}

TEST(BrukerSamples, IntegerExtremesRoundTrip) {
  const double re[2] = {-2147483648.0, 2147483647.0}, im[2] = {2147483647.0, -2147483648.0};
  for (Qword order : {0, 1}) {
    const BrukerLayout l = Layout(4, 1, 0, order);
    std::vector<unsigned char> block(1024);
    BrukerEncodeBlock(l, re, im, 1.0, 1024, block.data());
    double r[2], m[2];
    BrukerDecodeBlock(block.data(), l, r, m);
    for (int k = 0; k < 2; ++k) {
      EXPECT_EQ(r[k], re[k]) << order;
      EXPECT_EQ(m[k], im[k]) << order;
    }
  }
}

}  // namespace
