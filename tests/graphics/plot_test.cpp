#include "framework/graphics/plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/recording_draw.h"

namespace {

struct PlotScene {
  RecordingDraw rec{1000, 1000};
  cKyGw gw{&rec, RecordingDraw::Callback};
  cPlot plot{0, 0, 0, 0};
  PlotScene() { plot.SetContext(&gw); }
};

TEST(Plot, AutoScaleWithIncludeZeroAndMargins) {
  struct Case {
    Dword flags;
    double lo, hi;
    double want_min, want_max;
  } cases[] = {
      {0, 2, 5, 0, 5},    {kPlotMarginX | kPlotMarginY, 2, 5, -0.25, 5.25},
      {0, -3, -1, -3, 0}, {0, -2, 3, -2, 3},
      {0, 0, 0, 0, 1},  // a span of 0 becomes a range of 1
  };
  for (const Case& c : cases) {
    PlotScene s;
    s.plot.flags = c.flags;
    s.plot.x_data_min = s.plot.y_data_min = c.lo;
    s.plot.x_data_max = s.plot.y_data_max = c.hi;
    s.plot.AutoScaleX(nullptr);
    s.plot.AutoScaleY(nullptr);
    EXPECT_DOUBLE_EQ(s.gw.XMin(), c.want_min);
    EXPECT_DOUBLE_EQ(s.gw.XMin() + s.gw.XRange(), c.want_max);
    EXPECT_DOUBLE_EQ(s.gw.YMin(), c.want_min);
    EXPECT_DOUBLE_EQ(s.gw.YMin() + s.gw.YRange(), c.want_max);
  }
  PlotScene s;
  s.plot.x_data_min = NAN;
  s.plot.AutoScaleX(nullptr);
  EXPECT_EQ(s.gw.XRange(), 1.0);  // not finite: the scale is kept
}

TEST(Plot, ResetGivesDefaultsAndFreshLayers) {
  cPlot plot(5, 0x20, 3, 4);
  EXPECT_EQ(plot.kind, 5u);
  EXPECT_EQ(plot.flags, 0x20u);
  EXPECT_EQ(plot.x_data_min, -0.1);
  EXPECT_EQ(plot.include_zero_x, 1);
  EXPECT_TRUE(std::isnan(plot.frequency));
  EXPECT_EQ(plot.data->Plot(), &plot);
  EXPECT_EQ(plot.Children()->Count(), 2u);
  plot.SetTitle("t");
  plot.Reset();
  EXPECT_EQ(plot.kind, 0u);
  EXPECT_EQ(plot.title, nullptr);
  EXPECT_EQ(plot.Children()->Count(), 2u);
}

TEST(Plot, ZoomYKeepsTheValueInPlace) {
  PlotScene s;
  s.gw.SetYRange(10.0);
  const Qlong before = s.gw.YToLogical(4.0, true);
  s.plot.ZoomY(nullptr, 2.5, 4.0, false);
  EXPECT_NEAR(static_cast<double>(s.gw.YToLogical(4.0, true)), static_cast<double>(before), 1);
  EXPECT_DOUBLE_EQ(s.gw.YScale(), 32768.0 / 10.0 * 2.5);
  EXPECT_EQ(s.gw.YRange(), 10.0);
}

TEST(Plot, ZoomToPixelBox) {
  PlotScene s;
  s.gw.SetXRange(10.0);
  s.gw.SetYRange(10.0);
  s.plot.ZoomToPixelBox(nullptr, 100, 200, 300, 400, false);
  EXPECT_NEAR(s.gw.XMin(), 1.0, 1e-3);
  EXPECT_NEAR(s.gw.XRange(), 3.0, 1e-3);
  EXPECT_NEAR(s.gw.YMin(), 4.0, 1e-3);  // device rows 200..600 are y 8..4
  EXPECT_NEAR(s.gw.YRange(), 4.0, 1e-3);
  s.plot.x_data_min = 2, s.plot.x_data_max = 5;
  s.plot.y_data_min = -3, s.plot.y_data_max = -1;
  s.plot.ZoomToPixelBox(nullptr, 10, 10, 0, 0, false);
  EXPECT_DOUBLE_EQ(s.gw.XMin(), 0);
  EXPECT_DOUBLE_EQ(s.gw.XRange(), 5);
  EXPECT_DOUBLE_EQ(s.gw.YMin(), -3);
  EXPECT_DOUBLE_EQ(s.gw.YRange(), 3);
  s.plot.ZoomToPixelBox(nullptr, 10, 10, -1, -1, false);  // negative: unchanged
  EXPECT_DOUBLE_EQ(s.gw.XRange(), 5);
  // Rotated: the box is converted through the rotation.
  PlotScene r;
  r.plot.flags = kPlotRotatedCcw;
  r.gw.SetOrientation(kGwRotateCcw);
  r.gw.SetXRange(10.0);
  r.gw.SetYRange(10.0);
  r.plot.ZoomToPixelBox(nullptr, 100, 200, 300, 400, false);
  // Device rows 200..600 are x 8..4; columns 100..400 are y 9..6.
  EXPECT_NEAR(r.gw.XMin(), 4.0, 1e-3);
  EXPECT_NEAR(r.gw.XRange(), 4.0, 1e-3);
  EXPECT_NEAR(r.gw.YMin(), 6.0, 1e-3);
  EXPECT_NEAR(r.gw.YRange(), 3.0, 1e-3);
}

TEST(Plot, NearestIndex) {
  cPlot plot(0, 0, 0, 0);
  EXPECT_EQ(plot.NearestIndex(1.0), -1);
  const double up[] = {0, 1, 2, 3};
  const double down[] = {3, 2, 1, 0};
  plot.data->AddArray(up, 4, 0, "x", 0, 0, false);
  EXPECT_EQ(plot.NearestIndex(1.4), 1);
  EXPECT_EQ(plot.NearestIndex(1.5), 2);
  EXPECT_EQ(plot.NearestIndex(-5), 0);
  EXPECT_EQ(plot.NearestIndex(50), 3);
  cPlot p2(0, 0, 0, 0);
  p2.data->AddArray(down, 4, 0, "x", 0, 0, false);
  EXPECT_EQ(p2.NearestIndex(1.6), 1);
}

TEST(Plot, CursorTexts) {
  cPlot plot(0, 0, 0, 0);
  EXPECT_STREQ(plot.XCursorText(0.0021, 0.0011), "c1: 2.100, c2: 1.100, c1-c2: 1.000 [ms]");
  EXPECT_STREQ(plot.XCursorText(0.0021, NAN), "c: 0.0021 [s]");
  EXPECT_STREQ(plot.XCursorText(2.5, 1.0), "c1: 2.500, c2: 1.000, c1-c2: 1.500 [s]");
  plot.cursor_unit = "ppm";
  plot.frequency = 79.5;
  EXPECT_STREQ(plot.XCursorText(3.0, 2.0), "c1: 3.000, c2: 2.000, c1-c2: 1.000 [ppm] = 79.5 [Hz]");
  plot.cursor_unit = "Hz";
  plot.unit_factor = 2.0;
  plot.unit_offset = 1.0;
  EXPECT_STREQ(plot.XCursorText(3.0, NAN), "c: 4 [Hz]");
  EXPECT_STREQ(plot.YCursorText(0.5, NAN), "c: 0.500 [Hz]");
  EXPECT_STREQ(plot.YCursorText(0.5, 0.25), "c1: 0.500, c2: 0.250, c1-c2: 0.250 [Hz]");
  plot.axes->SetFlags(0x00110010u);  // both axes logarithmic
  EXPECT_STREQ(plot.YCursorText(2.0, NAN), "c: 100.000 [Hz]");
  plot.cursor_unit = nullptr;
  EXPECT_STREQ(plot.XCursorText(2.0, NAN), "c: 100 [s]");
}

TEST(Plot, PointTexts) {
  PlotScene s;
  EXPECT_EQ(s.plot.PointText(10, 10), nullptr);  // no reference
  const double x[] = {0.0, 0.25, 0.5, 0.75, 1.0};
  const double y[] = {0, 0, 0, 0, 0};
  s.plot.data->AddArray(x, 5, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y, 5, 0, "y", 0, 0, false);
  s.gw.SetXRange(2.0);
  s.gw.SetYRange(2.0);
  s.gw.SetYMin(-1.0);
  // Device (500, 500): x 1.0, y 0.
  EXPECT_STREQ(s.plot.PointText(500, 500), "x = 1 [s], y = 0, Point 4");
  EXPECT_STREQ(s.plot.PointText(125, 250), "x = 250 [ms], y = 0.5, Point 1");
  s.gw.SetXRange(0.002);
  EXPECT_STREQ(s.plot.PointText(250, 250), "x = 500 [us], y = 0.5, Point 0");
  s.plot.kind = kPlotKindRelaxation;
  s.gw.SetXRange(4.0);
  EXPECT_STREQ(s.plot.PointText(500, 500), "T = 2.000e+00 [s], r = 5.000e-01 [1/s], w = 0");
}

TEST(Plot, BlockReadoutGuardsNegativeBlocksAndBadLength) {
  PlotScene s;
  s.plot.flags = kPlotBlocks | kPlotSideBySide;
  const double x[] = {0.0, 0.5, 1.0};  // block length 1
  const double y[] = {0, 0, 0};
  s.plot.data->AddArray(x, 3, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y, 3, 0, "y", 0, 0, false);
  s.gw.SetXRange(4.0);
  s.gw.SetXMin(-2.0);
  s.gw.SetYRange(2.0);
  // Device column 625 is logical 20480: x = 20480 / 8192 - 2 = 0.5, block 1.
  EXPECT_STREQ(s.plot.PointText(625, 500),
               "block = 1; x = 500.000 [ms], y = 1.000, fx = 500, Point 1");
  // x = 20480 / -8192 - 2 = -4.5: k = -5, printed as the signed block -4.
  s.gw.SetXRange(-4.0);
  EXPECT_STREQ(s.plot.PointText(625, 500),
               "block = -4; x = 500.000 [ms], y = 1.000, fx = -4.5e+03, Point 1");
  PlotScene z;
  z.plot.flags = kPlotBlocks | kPlotSideBySide;
  const double zero[] = {0.0, 0.0};
  z.plot.data->AddArray(zero, 2, 0, "x", 0, 0, false);
  const char* t = z.plot.PointText(500, 500);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(std::string(t).find("block"), std::string::npos) << t;
}

TEST(Plot, DrawsBackgroundAxesDataAndTitle) {
  PlotScene s;
  s.plot.SetTitle("Title");
  s.plot.axes->SetFlags(0x04010400u);
  const double x[] = {0.1, 0.9};
  const double y[] = {0.5, 0.5};
  s.plot.data->AddArray(x, 2, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y, 2, 0, "y", 0xFF000000u, kGwArrNoMarkers, false);
  s.plot.data->SetContext(&s.gw);
  s.plot.flags = kPlotFull;
  s.rec.Clear();
  s.plot.Draw(nullptr, 0);
  const auto msgs = s.rec.Messages();
  ASSERT_GE(msgs.size(), 3u);
  EXPECT_EQ(msgs[0], 12u);  // background fill first
  EXPECT_EQ(msgs[1], 22u);
  const auto texts = s.rec.Of(31);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back().text, "Title");  // the title over everything
  // The curve comes after the axes.
  const auto lines = s.rec.Of(21);
  EXPECT_EQ(lines.back().state.line_colour, 0xFF000000u);
  s.plot.flags |= kPlotNoTitle;
  s.rec.Clear();
  s.plot.Draw(nullptr, 0);
  for (const RecordedDraw& t : s.rec.Of(31)) EXPECT_NE(t.text, "Title");
}

// The y axis's labels stand on the page, left of the axis and its ticks,
// whatever their width: the plot leaves them room, at the first draw.
TEST(Plot, YLabelsStayOnThePageLeftOfTheAxis) {
  struct Case {
    Dword y_axis_flags;  // ticks right of the axis, or on both sides
    double y_max;
    Qlong width;
  } cases[] = {{0x201, 40000, 700},
               {0x201, 0.001234, 700},
               {0x401, 40000, 1000},
               {0x201, 1e6, 400},
               {0x401, 7, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.y_axis_flags) + " " + std::to_string(c.y_max) + " " +
                 std::to_string(c.width));
    RecordingDraw rec(c.width, 600);
    cKyGw gw(&rec, RecordingDraw::Callback);
    cPlot plot(0, kPlotFull, 0, 0);
    plot.SetContext(&gw);
    plot.axes->SetFlags(c.y_axis_flags << 16 | 0x0200);
    const double x[] = {1, 2, 3, 4, 5};
    const double y[] = {0.2 * c.y_max, 0.4 * c.y_max, 0.6 * c.y_max, 0.8 * c.y_max, c.y_max};
    plot.data->AddArray(x, 5, 0, "x", 0, 0, false);
    plot.data->AddArray(y, 5, 0, "y", 0xFF000000u, 0, false);
    plot.flags |= kPlotMarginX | kPlotMarginY;
    plot.data->GetXRange(&plot.x_data_min, &plot.x_data_max);
    plot.data->GetYRange(&plot.y_data_min, &plot.y_data_max);
    plot.AutoScaleX(nullptr);
    plot.AutoScaleY(nullptr);
    rec.Clear();
    plot.Draw(nullptr, 0);
    // The y axis: the line from the bottom to the top of the page.
    Qlong axis = -1;
    for (const RecordedDraw& l : rec.Of(21))
      if (l.x1 == l.x2 && std::min(l.y1, l.y2) == 0 && std::max(l.y1, l.y2) == 600) axis = l.x1;
    ASSERT_GT(axis, 0);
    const Qlong ticks_left = (c.y_axis_flags & 0x400) ? 512 * c.width / 32768 : 0;
    Dword font = 0;
    int labels = 0;
    for (const RecordedDraw& m : rec.Log()) {
      if (m.message == kGwMsgFont) font = m.state.font_size;
      if (m.message != kGwMsgText || m.x1 >= axis) continue;
      ++labels;
      // The recording back end's width: 0.6 of the font size a character.
      const Qlong w = static_cast<Qlong>(6 * font * m.text.size() / 10);
      EXPECT_GE(m.x1, 0) << m.text;
      EXPECT_LT(m.x1 + w, axis - ticks_left) << m.text;
      EXPECT_GE(m.y1 - static_cast<Qlong>(font), 0) << m.text;
      EXPECT_LE(m.y1, 600) << m.text;
    }
    EXPECT_GE(labels, 3);
    // The data keep their order: the first point is right of the axis.
    EXPECT_GT(gw.XToDevice(1.0), axis);
  }
}

}  // namespace
