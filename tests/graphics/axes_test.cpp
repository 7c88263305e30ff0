#include "framework/graphics/axes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/recording_draw.h"

namespace {

std::vector<std::string> Labels(const RecordingDraw& rec) {
  std::vector<std::string> out;
  for (const RecordedDraw& t : rec.Of(31)) out.push_back(t.text);
  return out;
}

TEST(AxisStep, RoundedSteps) {
  struct Case {
    double range;
    bool log;
    double step;
  } cases[] = {
      {1.0, false, 0.2}, {1.1, false, 0.2},    {30, false, 5},  {0.07, false, 0.01},
      {2.0, false, 0.5}, {9.9, false, 1},      {3.0, true, 1},  {30.0, true, 5},
      {NAN, false, 0},   {INFINITY, false, 0}, {0.0, false, 0}, {-1.0, false, 0},
  };
  for (const Case& c : cases) EXPECT_NEAR(AxisStep(c.range, c.log), c.step, 1e-15) << c.range;
}

struct AxisCase {
  Dword flags;  // axis flags
  double min, range;
  std::vector<std::string> labels;
};

class AxisLabels : public ::testing::TestWithParam<AxisCase> {};

TEST_P(AxisLabels, RangeGivesTheseLabels) {
  const AxisCase& c = GetParam();
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  const bool vertical = (c.flags & 0xF) == 1;
  if (vertical) {
    gw.SetYRange(c.range);
    gw.SetYMin(c.min);
  } else {
    gw.SetXRange(c.range);
    gw.SetXMin(c.min);
  }
  cAxis axis(c.flags, &gw);
  rec.Clear();
  axis.Draw(&gw, 0);
  EXPECT_EQ(Labels(rec), c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AxisLabels,
    ::testing::Values(AxisCase{0x100, 0.0, 1.0, {"0.2", "0.4", "0.6", "0.8", "1"}},
                      AxisCase{0x100, -0.1, 1.1, {"0.2", "0.4", "0.6", "0.8", "1"}},
                      AxisCase{0x100, 0.0, 30, {"5", "10", "15", "20", "25", "30"}},
                      AxisCase{0x101, -1.0, 3.0, {"-1", "-0.5", "0.5", "1", "1.5", "2"}},
                      AxisCase{0x111, -1.0, 3.0, {"10^-1", "10^1", "10^2"}},
                      AxisCase{0x1111, -1.0, 3.0, {"10^-1", "10^1", "10^2"}},
                      AxisCase{0x100,
                               1e6,
                               4e6,
                               {"1e+06", "1.5e+06", "2e+06", "2.5e+06", "3e+06", "3.5e+06", "4e+06",
                                "4.5e+06", "5e+06"}},
                      AxisCase{0x000, 0.0, 1.0, {}},    // no tick bits: the line only
                      AxisCase{0x102, 0.0, 1.0, {}},    // direction 2 draws nothing
                      AxisCase{0x120, 0.0, 1.0, {}}));  // scale 2 draws nothing

TEST(Axis, NonFiniteRangesEndWithoutTicks) {
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  cAxis axis(0x400, &gw);
  const double bad[][2] = {{NAN, 1.0}, {0.0, INFINITY}, {-INFINITY, 1.0}, {0.0, NAN}};
  for (const auto& b : bad) {
    gw.SetXMin(b[0]);
    gw.SetXRange(b[1]);
    rec.Clear();
    axis.Draw(&gw, 0);
    EXPECT_EQ(rec.Count(31), 0u) << b[0] << " " << b[1];
  }
}

TEST(Axis, TickAndLabelPlacement) {
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  gw.SetXMin(-0.5);  // the x axis crosses y 0 at the middle
  gw.SetYMin(-0.5);
  cAxis x_axis(0x400, &gw);
  rec.Clear();
  x_axis.Draw(&gw, 0);
  // Axis line, then ticks of 512 logical units (16 px at 1000 px) on both
  // sides at 0.2 steps, labels centred under them.
  const auto lines = rec.Of(21);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].y1, 500);
  EXPECT_EQ(lines[0].state.line_width, 1u);
  EXPECT_EQ(lines[1].x1, 100);  // x -0.4
  EXPECT_NEAR(lines[1].y1, 500 - 16, 1);
  EXPECT_NEAR(lines[1].y2, 500 + 16, 1);
  const auto texts = rec.Of(31);
  ASSERT_EQ(texts[0].text, "-0.4");
  // Width of "-0.4": 0.6 * 12 * 4 = 28 px; height 12 px.
  EXPECT_NEAR(texts[0].x1, 100 - 14, 1);
  EXPECT_NEAR(texts[0].y1, 500 + 16 + 12, 1);
}

TEST(Axes, GridOnLogarithmicAxisHasNoTickLines) {
  RecordingDraw rec(1000, 1000);
  cKyGw gw(&rec, RecordingDraw::Callback);
  gw.SetYMin(-1.0);
  gw.SetYRange(3.0);
  gw.SetXMin(-1.0);
  gw.SetXRange(3.0);
  cAxes axes(0x12111210u, &gw);
  EXPECT_EQ(axes.XAxis()->AxisFlags(), 0x1210u);
  EXPECT_EQ(axes.YAxis()->AxisFlags(), 0x1211u);
  rec.Clear();
  axes.Draw(&gw, 0);
  // Each grid: 1 + 12 * (18 + 1) lines, drawn before the axes.
  size_t grid = 0, grey_or_light = 0;
  for (const RecordedDraw& l : rec.Of(21)) {
    ++grid;
    if (l.state.line_colour == 0x80808000u || l.state.line_colour == 0xC0E0C000u) ++grey_or_light;
  }
  EXPECT_GT(grey_or_light, 20u);
  // Everything but the two axis lines belongs to the grids (some grid lines
  // fall outside the window and are clipped away).
  EXPECT_EQ(grid - grey_or_light, 2u);
  EXPECT_EQ(Labels(rec).size(), 6u);
  cAxes hidden(0, &gw);
  hidden.Hide();
  rec.Clear();
  hidden.Draw(&gw, 0);
  EXPECT_TRUE(rec.Log().empty());
}

}  // namespace
