#include "framework/graphics/ky_gw.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "support/recording_draw.h"

namespace {

TEST(KyGw, DefaultsMapRealToLogicalAndDevice) {
  cKyGw gw(nullptr, nullptr);
  EXPECT_EQ(gw.XToLogical(0.5, true), 16384);
  EXPECT_EQ(gw.YToLogical(0.25, true), 8192);
  Qlong x, y;
  gw.LogicalToDevice(16384, 8192, &x, &y);
  EXPECT_EQ(x, 16384);
  EXPECT_EQ(y, 24576);
  EXPECT_EQ(gw.State().fill_colour, kGwWhite);
  EXPECT_EQ(gw.State().font_size, 12u);
  EXPECT_EQ(gw.State().line_width, 1u);
}

TEST(KyGw, AttachAsksHeightThenWidthAndBegins) {
  RecordingDraw rec(1000, 500);
  cKyGw gw(&rec, RecordingDraw::Callback);
  EXPECT_EQ(rec.Messages(), (std::vector<Dword>{41, 42, 10}));
  EXPECT_EQ(gw.DeviceWidth(), 1000);
  EXPECT_EQ(gw.DeviceHeight(), 500);
  Qlong x, y;
  gw.LogicalToDevice(16384, 16384, &x, &y);
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 250);
  Qlong lx, ly;
  gw.DeviceToLogical(500, 250, &lx, &ly);
  EXPECT_EQ(lx, 16384);
  EXPECT_EQ(ly, 16384);
}

TEST(KyGw, AttachToAnotherTargetResetsButSameTargetKeeps) {
  RecordingDraw a(100, 100), b(200, 300);
  cKyGw gw(&a, RecordingDraw::Callback);
  gw.SetXRange(5);
  gw.SetOrientation(kGwRotateCcw);
  gw.Attach(&a);
  EXPECT_EQ(gw.XRange(), 5.0);
  EXPECT_EQ(gw.Orientation(), kGwRotateCcw);
  gw.Attach(&b);
  EXPECT_EQ(gw.XRange(), 1.0);
  EXPECT_EQ(gw.Orientation(), 0u);
  EXPECT_EQ(gw.DeviceWidth(), 200);
  EXPECT_EQ(gw.DeviceHeight(), 300);
}

TEST(KyGw, RotationCcwCornersAndFillAll) {
  RecordingDraw rec(1000, 500);
  cKyGw gw(&rec, RecordingDraw::Callback);
  gw.SetOrientation(kGwRotateCcw);
  Qlong x, y;
  gw.LogicalToDevice(0, 0, &x, &y);
  EXPECT_EQ(x, 1000);
  EXPECT_EQ(y, 500);
  gw.LogicalToDevice(32768, 32768, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  rec.Clear();
  gw.FillAll(0x11223300u);
  ASSERT_EQ(rec.Messages(), (std::vector<Dword>{12, 22}));
  EXPECT_EQ(rec.Log()[0].x1, 0x11223300);
  const RecordedDraw& r = rec.Log()[1];
  EXPECT_EQ(r.x1, 0);
  EXPECT_EQ(r.y1, 500);
  EXPECT_EQ(r.x2, 1000);
  EXPECT_EQ(r.y2, 0);
  EXPECT_EQ(r.state.fill_colour, 0x11223300u);
}

TEST(KyGw, RotationCwMapsXDownwards) {
  RecordingDraw rec(1000, 500);
  cKyGw gw(&rec, RecordingDraw::Callback);
  gw.SetOrientation(kGwRotateCw);
  Qlong x, y;
  gw.LogicalToDevice(0, 0, &x, &y);  // x origin at the top, y origin at the left
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  gw.LogicalToDevice(32768, 0, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 500);
  // Real x runs along the device's vertical axis.
  EXPECT_EQ(gw.XToDevice(1.0), 500);
  EXPECT_EQ(gw.YToDevice(1.0), 1000);
  // Device column 250 of 1000 is real y 0.25; device row 250 of 500 is real x 0.5.
  EXPECT_NEAR(gw.DeviceXToReal(250), 0.25, 1e-4);
  EXPECT_NEAR(gw.DeviceYToReal(250), 0.5, 1e-4);
}

// Device -> logical -> device returns the pixel for every size and rotation,
// and logical -> device -> logical stays within one device pixel.
TEST(KyGw, RoundTripsOverRandomSizes) {
  std::mt19937_64 rng(12345);
  for (int trial = 0; trial < 200; ++trial) {
    const Qlong w = 1 + static_cast<Qlong>(rng() % 5000);
    const Qlong h = 1 + static_cast<Qlong>(rng() % 5000);
    RecordingDraw rec(w, h);
    cKyGw gw(&rec, RecordingDraw::Callback);
    gw.SetOrientation(static_cast<Dword>(trial % 3));
    for (int k = 0; k < 20; ++k) {
      const Qlong X = static_cast<Qlong>(rng() % static_cast<Qword>(w + 1));
      const Qlong Y = static_cast<Qlong>(rng() % static_cast<Qword>(h + 1));
      Qlong lx, ly, X2, Y2;
      gw.DeviceToLogical(X, Y, &lx, &ly);
      gw.LogicalToDevice(lx, ly, &X2, &Y2);
      if (w <= kGwLogicalSize && h <= kGwLogicalSize) {
        EXPECT_LE(std::llabs(X2 - X), 1) << w << "x" << h << " rot " << trial % 3;
        EXPECT_LE(std::llabs(Y2 - Y), 1) << w << "x" << h << " rot " << trial % 3;
      }
      const Qlong l1 = static_cast<Qlong>(rng() % 32769), l2 = static_cast<Qlong>(rng() % 32769);
      gw.LogicalToDevice(l1, l2, &X2, &Y2);
      Qlong b1, b2;
      gw.DeviceToLogical(X2, Y2, &b1, &b2);
      const Qlong tol = kGwLogicalSize / std::min(w, h) + 2;
      EXPECT_LE(std::llabs(b1 - l1), tol);
      EXPECT_LE(std::llabs(b2 - l2), tol);
    }
  }
}

TEST(KyGw, RangesAndRealMapping) {
  cKyGw gw(nullptr, nullptr);
  gw.SetXRange(0);
  EXPECT_EQ(gw.XRange(), 1.0);
  EXPECT_EQ(gw.XScale(), 32768.0);
  gw.SetXRange(4.0);
  gw.SetXMin(-2.0);
  EXPECT_EQ(gw.XToLogical(0.0, true), 16384);
  EXPECT_EQ(gw.LogicalToX(16384, true), 0.0);
  EXPECT_EQ(gw.XToLogical(NAN, true), kGwInvalid);
  EXPECT_EQ(gw.XToLogical(1e300, true), kGwInvalid);
  EXPECT_TRUE(std::isnan(gw.LogicalToX(kGwInvalid, true)));
}

TEST(KyGw, ZeroOrNegativeDeviceSizeIsClampedToOnePixel) {
  RecordingDraw rec(0, -5);
  cKyGw gw(&rec, RecordingDraw::Callback);
  EXPECT_EQ(gw.DeviceWidth(), 1);
  EXPECT_EQ(gw.DeviceHeight(), 1);
  EXPECT_EQ(gw.DeviceXToLogical(1), 32768);
  EXPECT_GT(gw.TextHeight(), 0);
}

TEST(KyGw, HugeLogicalValuesSaturateInsteadOfWrapping) {
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  Qlong x, y;
  gw.LogicalToDevice(INT64_MAX, INT64_MIN + 1, &x, &y);
  EXPECT_GT(x, 0);
  EXPECT_GT(y, 0);
  gw.LogicalToDevice(INT64_MIN + 1, INT64_MAX, &x, &y);
  EXPECT_LT(x, 0);
  EXPECT_LT(y, 0);
  gw.LogicalToDevice(kGwInvalid, 5, &x, &y);
  EXPECT_EQ(x, kGwInvalid);
}

// A segment far outside a 200-pixel target must not reach the back end at
// coordinates that a 16-bit back end would wrap into the window.
TEST(KyGw, LinesAreClippedToTheTarget) {
  RecordingDraw rec(200, 100);
  cKyGw gw(&rec, RecordingDraw::Callback);
  rec.Clear();
  struct Case {
    Qlong x1, y1, x2, y2;  // device coordinates, unrotated
    bool drawn;
    Qlong cx1, cy1, cx2, cy2;
  } cases[] = {
      {65546, 50, 65700, 50, false, 0, 0, 0, 0},
      {-100, 50, 300, 50, true, 0, 50, 200, 50},
      {100, -1000000000000, 100, 1000000000000, true, 100, 0, 100, 100},
      {-100, -100, 300, 300, true, 0, 0, 100, 100},
      {10, 10, 20, 20, true, 10, 10, 20, 20},
      {-50, 150, -10, 200, false, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    rec.Clear();
    gw.Line(gw.DeviceXToLogical(c.x1), gw.DeviceYToLogical(c.y1), gw.DeviceXToLogical(c.x2),
            gw.DeviceYToLogical(c.y2));
    if (!c.drawn) {
      EXPECT_EQ(rec.Count(21), 0u) << c.x1;
      continue;
    }
    ASSERT_EQ(rec.Count(21), 1u) << c.x1;
    const RecordedDraw& r = rec.Log()[0];
    EXPECT_NEAR(r.x1, c.cx1, 1);
    EXPECT_NEAR(r.y1, c.cy1, 1);
    EXPECT_NEAR(r.x2, c.cx2, 1);
    EXPECT_NEAR(r.y2, c.cy2, 1);
  }
  rec.Clear();
  gw.LineReal(NAN, 0, 0.5, 0.5);
  gw.FillRect(40000000, 0, 50000000, 100);
  gw.Marker(gw.DeviceXToLogical(65600), gw.DeviceYToLogical(50), 7, 2);
  EXPECT_TRUE(rec.Log().empty());
}

TEST(KyGw, PenFillFontAndTextMessages) {
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  rec.Clear();
  gw.SetPen(0xFF000000u, 3, 1, 9);
  gw.SetFill(0x00FF0000u, 4, 5);
  gw.SendFont();
  gw.Text(0, 0, "");
  gw.Text(0, 0, nullptr);
  gw.Text(16384, 16384, "abc");
  ASSERT_EQ(rec.Messages(), (std::vector<Dword>{13, 12, 11, 31}));
  EXPECT_EQ(rec.Log()[0].x1, 0xFF000000);
  EXPECT_EQ(rec.Log()[0].y1, 3);
  EXPECT_EQ(rec.Log()[0].x2, 1);
  EXPECT_EQ(rec.Log()[0].y2, 9);
  EXPECT_EQ(rec.Log()[1].x1, 0x00FF0000);
  EXPECT_EQ(rec.Log()[1].state.fill_word3, 5u);
  const RecordedDraw& t = rec.Log()[3];
  EXPECT_EQ(t.x1, 500);
  EXPECT_EQ(t.y1, 500);
  EXPECT_EQ(t.x2, 0);
  EXPECT_EQ(t.y2, 0xFF000000);
  EXPECT_EQ(t.text, "abc");
  // 12-point font: width 0.6 * 12 * 3 = 21 pixels, height 12 pixels.
  EXPECT_EQ(gw.TextWidth("abc"), 21 * 32768 / 1000);
  EXPECT_EQ(gw.TextHeight(), 12 * 32768 / 1000);
}

TEST(KyGw, MarkersOneToThreeAndPoints) {
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  const Qlong lx = gw.DeviceXToLogical(100), ly = gw.DeviceYToLogical(200);
  struct Case {
    Dword kind;
    std::vector<std::array<Qlong, 4>> lines;
  } cases[] = {
      {1, {{96, 196, 96, 204}, {96, 204, 104, 204}, {104, 204, 104, 196}, {104, 196, 96, 196}}},
      {2, {{96, 196, 104, 204}, {96, 204, 104, 196}}},
      {3,
       {{96, 198, 99, 200},
        {96, 202, 99, 200},
        {101, 200, 104, 198},
        {101, 200, 104, 202},
        {100, 204, 100, 196}}},
  };
  for (const Case& c : cases) {
    rec.Clear();
    gw.Marker(lx, ly, c.kind, 4);
    ASSERT_EQ(rec.Count(21), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
      const RecordedDraw& r = rec.Log()[i];
      EXPECT_EQ((std::array<Qlong, 4>{r.x1, r.y1, r.x2, r.y2}), c.lines[i]) << c.kind << " " << i;
    }
  }
  rec.Clear();
  gw.Marker(lx, ly, 0, 4);
  ASSERT_EQ(rec.Messages(), (std::vector<Dword>{20}));
  EXPECT_EQ(rec.Log()[0].x1, 100);
  EXPECT_EQ(rec.Log()[0].y1, 200);
  rec.Clear();
  gw.Marker(lx, ly, 2, 0);
  ASSERT_EQ(rec.Count(21), 2u);
  EXPECT_EQ(rec.Log()[0].x1, rec.Log()[0].x2);
}

TEST(KyGw, NoBackEndDrawsNothingAndKeepsDefaultSize) {
  cKyGw gw(reinterpret_cast<void*>(0x10), nullptr);
  EXPECT_EQ(gw.DeviceWidth(), 32768);
  gw.Line(0, 0, 100, 100);
  gw.FillAll(0);
  SUCCEED();
}

}  // namespace
