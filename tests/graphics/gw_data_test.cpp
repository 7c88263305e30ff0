#include "framework/graphics/gw_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/plot.h"
#include "support/recording_draw.h"

namespace {

TEST(CurveColour, PaletteTable) {
  struct Case {
    Qword count, index;
    Dword rgb;
  } cases[] = {
      {6, 0, 0xB4000000u},
      {6, 1, 0xB4B40000u},
      {6, 3, 0x00B4B400u},
      {6, 6, 0},
      {6, 7, 0},
      {0, 0, 0},
      {6, 2, 0x00B40000u},
      {6, 4, 0x0000B400u},
      {6, 5, 0xB400B400u},
      // index 1 of 12: v = 0.5, green = round(180 * sqrt(0.5)) = 127
      {12, 1, 0xB47F0000u},
      // index 3 of 12: v = 1.5, red = round(180 * sqrt(0.5)) = 127
      {12, 3, 0x7FB40000u},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CurveColour(c.count, c.index), c.rgb) << c.count << " " << c.index;
}

TEST(GwArr, MinMaxAndDirection) {
  struct Case {
    std::vector<double> v;
    double min, max;
    Qlong direction;
  } cases[] = {
      {{3, 2, NAN, 1}, 1, 3, -1}, {{1, 2, NAN, 3}, 1, 3, 0},
      {{1, 2, 2, 3}, 1, 3, 1},    {{3, 3, 2}, 2, 3, 0},  // an equal step counts as rising
      {{NAN, 5, 4}, 4, 5, 1},  // NaN first: NaN > 4 is false, so +1 first, then a decrease
      {{NAN, NAN}, 0, 1, 0},      {{1, 5, 2}, 1, 5, 0},
  };
  for (const Case& c : cases) {
    cGwArr a(c.v.data(), c.v.size(), 0, 0, "x", 0, 1, true);
    EXPECT_EQ(a.min, c.min);
    EXPECT_EQ(a.max, c.max);
    if (c.v.size() == 3 && std::isnan(c.v[0]))
      EXPECT_EQ(a.direction, 0);
    else
      EXPECT_EQ(a.direction, c.direction) << c.v[0] << " " << c.v[1];
    EXPECT_EQ(a.flags & 0xC0000000u, kGwArrOwned);  // the copy is the array's own
  }
  cGwArr empty(nullptr, 0, 0, 0, "e", 0, 1, false);
  EXPECT_EQ(empty.count, 0u);
  EXPECT_EQ(empty.name, nullptr);
}

TEST(GwData, NamesVisibilityAndRanges) {
  cGwData data;
  const double x[] = {0, 1, 2, 3};
  const double re[] = {-1, 4, 2, 0};
  const double im[] = {-5, 9, 0, 0};
  data.AddArray(x, 4, 0, "time", 0, kGwArrBorrowed | kGwArrOwned, false);
  data.AddArray(re, 4, 0, "real", 0, 0, false);
  data.AddArray(im, 4, 0, "imag", 0, 0, true);
  data.AddArray(re, 4, 1, "real", 0, 0, false);
  EXPECT_EQ(data.AddArray(nullptr, 4, 0, "none", 0, 0, false), nullptr);
  EXPECT_EQ(data.ArrayCount(), 4u);
  double lo, hi;
  data.GetXRange(&lo, &hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 3);
  data.GetYRange(&lo, &hi);
  EXPECT_EQ(lo, -5);
  EXPECT_EQ(hi, 9);
  data.HideByName("real");
  for (cGwArr* a = data.FirstArray(); a; a = a->next)
    if (a->name && std::string(a->name) == "real") {
      EXPECT_EQ(a->flags & 3u, 3u);
    }
  data.SetVisibleKinds(0x1);  // real on, imag off
  data.GetYRange(&lo, &hi);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 4);
  data.SetVisibleKinds(0);
  data.GetYRange(&lo, &hi);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 1);
  EXPECT_EQ(cGwArr::FindByName("imag", data.FirstArray())->values[1], 9);
  EXPECT_EQ(cGwArr::FindByName("nothing", data.FirstArray()), nullptr);
}

struct Scene {
  RecordingDraw rec;
  cKyGw gw;
  cPlot plot;
  explicit Scene(Qlong w = 1000, Qlong h = 1000, Dword flags = kPlotFull)
      : rec(w, h), gw(&rec, RecordingDraw::Callback), plot(0, flags, 0, 0) {
    plot.SetContext(&gw);
    plot.data->SetContext(&gw);
  }
  void DrawData() {
    rec.Clear();
    plot.data->Draw(&gw, 0);
  }
};

TEST(DrawCurve, SparseCurveIsPointModeWithMarkers) {
  Scene s;
  std::vector<double> x(10), y(10);
  for (int i = 0; i < 10; ++i) x[i] = i / 9.0, y[i] = 0.1 + 0.08 * i;
  s.plot.data->AddArray(x.data(), 10, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y.data(), 10, 0, "y", 0xFF000000u, 0, false);
  s.DrawData();
  // 9 connecting lines; markers of kind 1 (4 lines each) for the visible
  // points (x < 1 and y < 1: the last point at x = 1 is outside); the left
  // side of the first marker lies outside the target and is clipped away.
  EXPECT_EQ(s.rec.Count(21), 9u + 9u * 4u - 1u);
}

TEST(DrawCurve, DenseCurveIsEnvelopeWithoutMarkers) {
  Scene s;
  const int n = 2000;
  std::vector<double> x(n), y(n);
  for (int i = 0; i < n; ++i) x[i] = i / (n - 1.0), y[i] = 0.5 + 0.4 * std::sin(i * 0.05);
  s.plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y.data(), n, 0, "y", 0xFF000000u, 0, false);
  s.DrawData();
  // One vertical stroke per column, no markers.
  const auto lines = s.rec.Of(21);
  EXPECT_LE(lines.size(), 1001u);
  EXPECT_GE(lines.size(), 990u);
  for (const RecordedDraw& l : lines) EXPECT_EQ(l.x1, l.x2);
}

// The envelope strokes against a brute-force per-column minimum and
// maximum: every point is covered by a stroke within one column of its own,
// and no stroke reaches beyond the values of its neighbourhood.
TEST(DrawCurve, EnvelopeMatchesBruteForceColumns) {
  for (int n : {1300, 5000, 100000}) {
    Scene s(700, 400);
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
      x[i] = i / (n - 1.0);
      y[i] = 0.5 + 0.3 * std::sin(i * 0.013) + 0.1 * std::cos(i * 1.7);
    }
    s.plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
    s.plot.data->AddArray(y.data(), n, 0, "y", 0, 0, false);
    s.DrawData();
    std::map<Qlong, std::pair<Qlong, Qlong>> strokes;  // column -> device y range
    for (const RecordedDraw& l : s.rec.Of(21)) {
      ASSERT_EQ(l.x1, l.x2);
      strokes[l.x1] = {std::min(l.y1, l.y2), std::max(l.y1, l.y2)};
    }
    EXPECT_LE(strokes.size(), 701u);
    auto dev_y = [&](double v) { return s.gw.LogicalToDeviceY(s.gw.YToLogical(v, true)); };
    std::map<Qlong, std::pair<Qlong, Qlong>> brute;
    for (int i = 0; i < n; ++i) {
      const Qlong col = static_cast<Qlong>(std::floor(x[i] * 700));
      const Qlong d = dev_y(y[i]);
      bool covered = false;
      for (Qlong c = col - 1; c <= col + 1; ++c) {
        auto it = strokes.find(c);
        if (it != strokes.end() && it->second.first - 1 <= d && d <= it->second.second + 1)
          covered = true;
      }
      EXPECT_TRUE(covered) << "n " << n << " point " << i;
      auto it = brute.find(col);
      if (it == brute.end()) {
        brute[col] = {d, d};
      } else {
        it->second.first = std::min(it->second.first, d);
        it->second.second = std::max(it->second.second, d);
      }
    }
    for (const auto& [col, range] : strokes) {
      Qlong lo = INT64_MAX, hi = INT64_MIN;
      for (Qlong c = col - 2; c <= col + 2; ++c) {
        auto it = brute.find(c);
        if (it == brute.end()) continue;
        lo = std::min(lo, it->second.first);
        hi = std::max(hi, it->second.second);
      }
      ASSERT_NE(lo, INT64_MAX);
      EXPECT_GE(range.first, lo - 1) << "column " << col;
      EXPECT_LE(range.second, hi + 1) << "column " << col;
    }
  }
}

TEST(DrawCurve, MillionPointsSendAboutOneMessagePerColumn) {
  Scene s(1200, 800);
  const Qword n = 1000000;
  std::vector<double> x(n), y(n);
  for (Qword i = 0; i < n; ++i) x[i] = static_cast<double>(i) / (n - 1), y[i] = (i % 97) / 97.0;
  s.plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y.data(), n, 0, "y", 0, 0, false);
  s.DrawData();
  EXPECT_LE(s.rec.Count(21), 2u * 1200u);
  EXPECT_EQ(s.rec.Count(20), 0u);
}

TEST(DrawCurve, NaNInPointModeJoinsNeighbours) {
  Scene s;
  const double x[] = {0.1, 0.2, 0.3};
  const double y[] = {0.1, NAN, 0.3};
  s.plot.data->AddArray(x, 3, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y, 3, 0, "y", 0, kGwArrNoMarkers, false);
  s.DrawData();
  const auto lines = s.rec.Of(21);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].x1, 100);
  EXPECT_EQ(lines[0].x2, 300);
}

TEST(DrawCurve, DecreasingXAndHiddenOnlyReference) {
  Scene s;
  const double x[] = {0.9, 0.5, 0.1};
  const double y[] = {0.5, 0.5, 0.5};
  s.plot.data->AddArray(x, 3, 0, "x", 0, 0, false);
  s.DrawData();
  EXPECT_EQ(s.rec.Count(21), 0u);  // only the reference: nothing
  s.plot.data->AddArray(y, 3, 0, "y", 0, kGwArrNoMarkers, false);
  s.DrawData();
  ASSERT_EQ(s.rec.Count(21), 2u);
  EXPECT_EQ(s.rec.Of(21)[0].x1, 900);
  EXPECT_EQ(s.rec.Of(21)[1].x2, 100);
  // A window entirely beside the data draws nothing.
  s.gw.SetXMin(5.0);
  s.DrawData();
  EXPECT_EQ(s.rec.Count(21), 0u);
}

TEST(GwDataLayout, StackedRowsColourAndOffset) {
  Scene s(1000, 1000, kPlotBlocks | kPlotStacked | kPlotRowLines);
  s.plot.data->SetRowCount(2);
  const double x[] = {0.25, 0.75};
  const double y[] = {0.5, 0.5};
  s.plot.data->AddArray(x, 2, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y, 2, 0, "a", 0x12345600u, kGwArrNoMarkers, false);
  s.plot.data->AddArray(y, 2, 1, "b", 0x12345600u, kGwArrNoMarkers, false);
  s.gw.SetYRange(2.0);  // each row is one unit tall
  s.DrawData();
  const auto lines = s.rec.Of(21);
  ASSERT_EQ(lines.size(), 4u);
  // Separator lines at rows 0 and 1, then row 1 (upper half) and row 0.
  EXPECT_EQ(lines[0].y1, 1000);
  EXPECT_EQ(lines[1].y1, 500);
  EXPECT_EQ(lines[0].state.line_colour, kGwGrey);
  EXPECT_EQ(lines[2].y1, 250);
  EXPECT_EQ(lines[2].state.line_colour, CurveColour(2, 1));
  EXPECT_EQ(lines[3].y1, 750);
  EXPECT_EQ(lines[3].state.line_colour, CurveColour(2, 0));
  s.plot.data->SetRowCount(0);
  s.DrawData();
  EXPECT_EQ(s.rec.Count(21), 0u);
}

TEST(GwDataLayout, SideBySideBlocksAndBadBlockLength) {
  Scene s(1000, 1000, kPlotBlocks | kPlotSideBySide | kPlotBlockLines);
  const double x[] = {0.0, 0.5, 1.0};  // block length 1
  const double y[] = {0.5, 0.5, 0.5};
  s.plot.data->AddArray(x, 3, 0, "x", 0, 0, false);
  s.plot.data->AddArray(y, 3, 0, "a", 0, kGwArrNoMarkers, false);
  s.plot.data->AddArray(y, 3, 1, "b", 0, kGwArrNoMarkers, false);
  s.gw.SetXRange(2.0);
  s.DrawData();
  const auto lines = s.rec.Of(21);
  // Separators at x 0, 1, 2 (device 0, 500, 1000), then block 1 from 500 to
  // 1000 and block 0 from 0 to 500.
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1].x1, 500);
  EXPECT_EQ(lines[3].x1, 500);
  EXPECT_EQ(lines[4].x2, 1000);
  EXPECT_EQ(lines[5].x1, 0);
  EXPECT_EQ(lines[6].x2, 500);
  EXPECT_EQ(s.gw.XMin(), 0.0);  // restored
  for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)}) {
    double xs[] = {0.0, bad};
    cPlot p(0, kPlotBlocks | kPlotSideBySide, 0, 0);
    p.data->AddArray(xs, 2, 0, "x", 0, 0, false);
    p.data->AddArray(y, 2, 0, "a", 0, 0, false);
    s.rec.Clear();
    p.data->Draw(&s.gw, 0);
    EXPECT_EQ(s.rec.Count(21), 0u) << bad;
  }
}

// A rotated plot runs x along the device's vertical axis: the envelope
// strokes become horizontal, one per device row, in the order of x.
TEST(DrawCurve, RotatedEnvelopeStrokesAreRows) {
  for (Dword rotation : {kPlotRotatedCcw, kPlotRotatedCw}) {
    Scene s(400, 600, kPlotFull | rotation);
    s.gw.SetOrientation(rotation == kPlotRotatedCcw ? kGwRotateCcw : kGwRotateCw);
    const int n = 5000;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) x[i] = i / (n - 1.0), y[i] = 0.5;
    s.plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
    s.plot.data->AddArray(y.data(), n, 0, "y", 0, 0, false);
    s.DrawData();
    const auto lines = s.rec.Of(21);
    EXPECT_GE(lines.size(), 590u);
    EXPECT_LE(lines.size(), 601u);
    for (const RecordedDraw& l : lines) {
      EXPECT_EQ(l.y1, l.y2);
      EXPECT_NEAR(l.x1, 200, 1);  // y 0.5 is the middle of the width
    }
    // Counter-clockwise: x runs upwards, so the first stroke is at the bottom.
    if (rotation == kPlotRotatedCcw)
      EXPECT_GT(lines.front().y1, lines.back().y1);
    else
      EXPECT_LT(lines.front().y1, lines.back().y1);
  }
}

}  // namespace
