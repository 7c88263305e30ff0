// The plot commands 10001-10021 through LibCommand, on hand-built trees of
// the shapes the Bruker reader and the engine make: creation and drawing
// through the framework's drawing callback, pixel <-> value round trips,
// zoom sequences, read-outs (message 51), the apodization overlay and the
// SVG export read back with ElementTree and rendered with rsvg-convert.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command_fixture.h"
#include "data_engine/data_plot.h"
#include "framework/graphics/gw_data.h"
#include "framework/graphics/ky_svg.h"
#include "graphics/svg_test_util.h"
#include "support/plot_trees.h"
#include "support/temp_folder.h"

using namespace plot_trees;

namespace {

constexpr Qlong kWidth = 800;
constexpr Qlong kHeight = 600;

class PlotCommandTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    // Code 3 with mode 0 only copies the information: the drawing callback
    // that code 10001 hands to its plots.
    KyAppInfo info;
    KyAppInfoInit(&info);
    info.mode = 0;
    info.draw_callback = WindowCallback;
    ASSERT_EQ(Run(kKyCmdRun, &info), 0u);
    Recorder() = &rec_;
    recorder_.Clear();
  }
  void TearDown() override {
    if (plot_) Run(kKyCmdKillPlot, &plot_);
    Recorder() = nullptr;
    CommandTest::TearDown();
  }
  void SetTree(cKyData* root) {
    delete record_->data_root;
    record_->data_root = root;
  }
  cPlot* Create(Qword code) {
    if (plot_) Run(kKyCmdKillPlot, &plot_);
    window_id_ = code;
    rec_.Clear();
    EXPECT_EQ(Run(kKyCmdCreatePlot, &window_id_), 0u);
    plot_ = static_cast<cPlot*>(record_->result.pointer);
    return plot_;
  }
  PlotArgs Args() {
    PlotArgs a{};
    a.plot = plot_;
    a.pointer = &window_id_;
    return a;
  }
  Dword Draw(Dword flags, double divisor = 1.0) {
    PlotArgs a = Args();
    a.flags = flags;
    a.delta_divisor = divisor;
    return Run(kKyCmdDrawPlot, &a);
  }
  double ToValue(Dword code, Qlong pixel) {
    PlotArgs a = Args();
    a.pointer = &pixel;
    EXPECT_EQ(Run(code, &a), 0u);
    return record_->result.real;
  }
  Qlong ToPixel(Dword code, double value) {
    PlotArgs a = Args();
    a.pointer = &value;
    EXPECT_EQ(Run(code, &a), 0u);
    return record_->result.i64;
  }
  // The visible window in plot values: x at pixels 0 and w, y at h and 0.
  struct Box {
    double x0, x1, y0, y1;
  };
  Box Visible() {
    return {ToValue(kKyCmdPlotDeviceToX, 0), ToValue(kKyCmdPlotDeviceToX, kWidth),
            ToValue(kKyCmdPlotDeviceToY, kHeight), ToValue(kKyCmdPlotDeviceToY, 0)};
  }
  const cGwArr* Array(const char* name) {
    return cGwArr::FindByName(name, plot_->data->FirstArray());
  }

  RecordingDraw rec_{kWidth, kHeight};
  Qword window_id_ = 0;
  cPlot* plot_ = nullptr;
};

}  // namespace

TEST_F(PlotCommandTest, CreateDrawAndKill) {
  SetTree(NewDecayTree(2, 3, 64));
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 1, 2)), nullptr);
  // The new context asked the target's height and width and began.
  const std::vector<Dword> start = rec_.Messages();
  ASSERT_GE(start.size(), 3u);
  EXPECT_EQ(start[0], kGwMsgDeviceHeight);
  EXPECT_EQ(start[1], kGwMsgDeviceWidth);
  EXPECT_EQ(start[2], kGwMsgBegin);
  EXPECT_EQ(LastTarget(), &window_id_);
  rec_.Clear();
  EXPECT_EQ(Draw(0x3), 0u);
  EXPECT_GE(rec_.Count(kGwMsgFillRect), 1u);
  EXPECT_GT(rec_.Count(kGwMsgLine), 100u);
  EXPECT_EQ(LastTarget(), &window_id_);
  EXPECT_TRUE(Array("magn")->flags & kGwArrHidden);
  EXPECT_FALSE(Array("imag")->flags & kGwArrHidden);
  EXPECT_EQ(Run(kKyCmdKillPlot, &plot_), 0u);
  EXPECT_EQ(plot_, nullptr);
  EXPECT_EQ(Run(kKyCmdKillPlot, &plot_), 0u);  // already gone: nothing
}

// A canvas whose view has nothing to show gets no plot and no error: an
// error there would open a message box inside a paint.
TEST_F(PlotCommandTest, NothingToShowIsNullWithoutError) {
  EXPECT_EQ(Create(MakeViewCode(kViewCalibration, 0, 0)), nullptr);  // no data root
  EXPECT_EQ(recorder_.Count(kKyMsgError), 0u);
  SetTree(NewDecayTree(1, 1, 8));
  for (Qword code :
       {MakeViewCode(0x5, 0, 0), MakeViewCode(kViewBlock, 3, 0), MakeViewCode(kViewBlock, 0, 9),
        MakeViewCode(kViewCalibration, 0, 0), MakeViewCode(kViewDistribution, 0, 0)}) {
    EXPECT_EQ(Create(code), nullptr) << std::hex << code;
    EXPECT_EQ(record_->error, 0u);
  }
  EXPECT_EQ(recorder_.Count(kKyMsgError), 0u);
  EXPECT_EQ(Run(kKyCmdCreatePlot, nullptr), kErrMissingArguments);
  EXPECT_EQ(record_->result.pointer, nullptr);
}

TEST_F(PlotCommandTest, Orientation) {
  SetTree(NewQarrayTree("LOG", "G/cm"));
  ASSERT_NE(Create(MakeViewCode(kViewQarray, 0, 0)), nullptr);
  EXPECT_EQ(Run(kKyCmdPlotOrientation, plot_), 0u);
  EXPECT_EQ(record_->result.u64, 1u);
  SetTree(NewDecayTree(1, 1, 8));
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 0, 0)), nullptr);
  EXPECT_EQ(Run(kKyCmdPlotOrientation, plot_), 0u);
  EXPECT_EQ(record_->result.u64, 0u);
  cPlot clockwise(0, kPlotRotatedCw, 0, 0);
  EXPECT_EQ(Run(kKyCmdPlotOrientation, &clockwise), 0u);
  EXPECT_EQ(record_->result.u64, 2u);
  EXPECT_EQ(Run(kKyCmdPlotOrientation, nullptr), 0u);
  EXPECT_EQ(record_->result.u64, 0u);
}

TEST_F(PlotCommandTest, MissingArgumentsAndMissingPlots) {
  SetTree(NewDecayTree(1, 1, 8));
  struct Case {
    Dword code;
    Dword without_plot;  // error when the record has no plot
  } cases[] = {{10002, 22}, {10007, 0},  {10008, 0},  {10009, 0},  {10010, 0},
               {10011, 22}, {10012, 22}, {10013, 22}, {10014, 22}, {10016, 0},
               {10017, 0},  {10018, 0},  {10019, 0},  {10020, 0},  {10021, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    record_->result.u64 = 12345;
    EXPECT_EQ(Run(c.code, nullptr), kErrMissingArguments);
    PlotArgs empty{};
    double value = 1.0;
    empty.pointer = &value;
    EXPECT_EQ(Run(c.code, &empty), c.without_plot);
  }
  EXPECT_EQ(Run(kKyCmdReadoutAt, nullptr), kErrMissingArguments);
  EXPECT_EQ(Run(kKyCmdKillPlot, nullptr), kErrMissingArguments);
  // Without a plot the coordinate maps answer the invalid marker.
  PlotArgs empty{};
  Qlong pixel = 5;
  empty.pointer = &pixel;
  Run(kKyCmdPlotXToDevice, &empty);
  EXPECT_EQ(record_->result.i64, INT64_MIN);
  Run(kKyCmdPlotYToDevice, &empty);
  EXPECT_EQ(record_->result.i64, INT64_MIN);
  Run(kKyCmdPlotDeviceToX, &empty);
  EXPECT_TRUE(std::isnan(record_->result.real));
  Run(kKyCmdPlotDeviceToY, &empty);
  EXPECT_TRUE(std::isnan(record_->result.real));
  Run(kKyCmdPlotNearestIndex, &empty);
  EXPECT_EQ(record_->result.i64, -1);
  // A plot without a drawing context: the same markers.
  cPlot bare(0, 0, 0, 0);
  empty.plot = &bare;
  Run(kKyCmdPlotDeviceToX, &empty);
  EXPECT_TRUE(std::isnan(record_->result.real));
  Run(kKyCmdPlotNearestIndex, &empty);
  EXPECT_EQ(record_->result.i64, -1);
}

// 10007/10008 and 10009/10010 are inverse pairs on an upright plot; on a
// rotated one x runs along the device's vertical axis, so 10007 pairs with
// 10010 and 10009 with 10008.
TEST_F(PlotCommandTest, PixelValueRoundTrips) {
  struct Case {
    std::function<cKyData*()> tree;
    Qword code;
    Dword x_to_pixel, pixel_to_x, y_to_pixel, pixel_to_y;
    Qlong x_pixels, y_pixels;
  } cases[] = {
      {[] { return NewDecayTree(1, 2, 64); }, MakeViewCode(kViewBlock, 0, 1), 10007, 10008, 10009,
       10010, kWidth, kHeight},
      {[] { return NewQarrayTree("LOG", nullptr); }, MakeViewCode(kViewQarray, 0, 0), 10007, 10010,
       10009, 10008, kHeight, kWidth},
  };
  for (const Case& c : cases) {
    SetTree(c.tree());
    ASSERT_NE(Create(c.code), nullptr);
    ASSERT_EQ(Draw(0xF), 0u);
    for (Qlong p = 0; p <= c.x_pixels; p += 37) {
      const double v = ToValue(c.pixel_to_x, p);
      EXPECT_NEAR(ToPixel(c.x_to_pixel, v), p, 1) << p;
    }
    for (Qlong p = 0; p <= c.y_pixels; p += 29) {
      const double v = ToValue(c.pixel_to_y, p);
      EXPECT_NEAR(ToPixel(c.y_to_pixel, v), p, 1) << p;
    }
    // Values come back within one pixel's worth.
    const double x_step = std::fabs(ToValue(c.pixel_to_x, 1) - ToValue(c.pixel_to_x, 0));
    const double x_lo = ToValue(c.pixel_to_x, 0), x_hi = ToValue(c.pixel_to_x, c.x_pixels);
    for (int k = 0; k <= 10; ++k) {
      const double v = x_lo + (x_hi - x_lo) * k / 10.0;
      EXPECT_NEAR(ToValue(c.pixel_to_x, ToPixel(c.x_to_pixel, v)), v, 1.01 * x_step) << k;
    }
  }
}

TEST_F(PlotCommandTest, ZoomSequences) {
  SetTree(NewDecayTree(1, 1, 100));
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 0, 0)), nullptr);
  ASSERT_EQ(Draw(0x3), 0u);
  const Box home = Visible();
  const double px = (home.x1 - home.x0) / kWidth, py = (home.y1 - home.y0) / kHeight;

  // A pixel box becomes the whole view.
  PlotArgs a = Args();
  a.values[0].integer = 100;
  a.values[1].integer = 200;
  a.values[2].integer = 300;
  a.values[3].integer = 150;
  ASSERT_EQ(Run(kKyCmdPlotZoomBox, &a), 0u);
  const Box boxed = Visible();
  EXPECT_NEAR(boxed.x0, home.x0 + 100 * px, 2 * px);
  EXPECT_NEAR(boxed.x1, home.x0 + 400 * px, 2 * px);
  EXPECT_NEAR(boxed.y1, home.y1 - 200 * py, 2 * py);
  EXPECT_NEAR(boxed.y0, home.y1 - 350 * py, 2 * py);

  // Width 0 autoscales x, a negative height keeps y.
  a.values[2].integer = 0;
  a.values[3].integer = -1;
  ASSERT_EQ(Run(kKyCmdPlotZoomBox, &a), 0u);
  const Box x_home = Visible();
  EXPECT_DOUBLE_EQ(x_home.x0, home.x0);
  EXPECT_DOUBLE_EQ(x_home.x1, home.x1);
  EXPECT_DOUBLE_EQ(x_home.y0, boxed.y0);
  EXPECT_DOUBLE_EQ(x_home.y1, boxed.y1);

  // The wheel: y scaled by 2 about 0, which keeps its pixel.
  a.values[3].integer = 0;  // y autoscaled again
  ASSERT_EQ(Run(kKyCmdPlotZoomBox, &a), 0u);
  const Qlong zero_pixel = ToPixel(kKyCmdPlotYToDevice, 0.0);
  PlotArgs wheel = Args();
  wheel.values[0].real = 2.0;
  ASSERT_EQ(Run(kKyCmdPlotZoomY, &wheel), 0u);
  EXPECT_NEAR(ToPixel(kKyCmdPlotYToDevice, 0.0), zero_pixel, 1);
  const Box wheeled = Visible();
  EXPECT_NEAR(wheeled.y1 - wheeled.y0, (home.y1 - home.y0) / 2, 2 * py);

  // Ranges set directly, in either order.
  PlotArgs r = Args();
  r.values[0].real = 0.05;
  r.values[1].real = 0.01;
  r.values[2].real = -1.0;
  r.values[3].real = 3.0;
  ASSERT_EQ(Run(kKyCmdPlotSetRanges, &r), 0u);
  Box set = Visible();
  EXPECT_NEAR(set.x0, 0.01, 1e-4);
  EXPECT_NEAR(set.x1, 0.05, 1e-4);
  EXPECT_NEAR(set.y0, -1.0, 1e-2);
  EXPECT_NEAR(set.y1, 3.0, 1e-2);

  // A draw with the zoom field sets the kept view and draws it; a kept view
  // that is not a number leaves the view as it is.
  PlotArgs d = Args();
  d.flags = 0x1;
  d.zoom = 1;
  d.values[0].real = 0.0;
  d.values[1].real = 0.02;
  d.values[2].real = -2.0;
  d.values[3].real = 2.0;
  rec_.Clear();
  ASSERT_EQ(Run(kKyCmdDrawPlot, &d), 0u);
  EXPECT_GT(rec_.Count(kGwMsgLine), 0u);
  set = Visible();
  EXPECT_NEAR(set.x1, 0.02, 1e-4);
  d.values[0].real = NAN;
  ASSERT_EQ(Run(kKyCmdDrawPlot, &d), 0u);
  EXPECT_NEAR(Visible().x1, 0.02, 1e-4);
}

TEST_F(PlotCommandTest, DeltaUnitAppliedExactlyOnce) {
  SetTree(NewCurveTree(8));
  ASSERT_NE(Create(MakeViewCode(kViewCurve, 0, 0)), nullptr);
  auto expect = [&](double factor) {
    const cGwArr* delta = Array("delta");
    for (Qword i = 0; i < 8; ++i)
      EXPECT_NEAR(delta->values[i], factor * (CurveValue(1, i) - CurveValue(3, i)), 1e-12);
  };
  // The canvas's own sequence: the factor asked, then passed back as divisor.
  ASSERT_EQ(Draw(0x70000 | kPlotDeltaUnit100, 1.0), 0u);
  expect(100.0);
  ASSERT_EQ(Draw(0x70000 | kPlotDeltaUnit100, 100.0), 0u);
  expect(100.0);
  // A caller that keeps passing a wrong divisor cannot scale again.
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Draw(0x70000 | kPlotDeltaUnit100, 1.0), 0u);
  expect(100.0);
  ASSERT_EQ(Draw(0x70000 | kPlotDeltaUnit10, 100.0), 0u);
  expect(10.0);
  ASSERT_EQ(Draw(0x70000 | kPlotDeltaUnit1, 10.0), 0u);
  expect(1.0);
  ASSERT_EQ(Draw(0x70000 | kPlotDeltaUnit1000), 0u);
  expect(1000.0);
  ASSERT_EQ(Draw(0x70000), 0u);  // no unit bits: unchanged
  expect(1000.0);
}

TEST_F(PlotCommandTest, PointReadoutThroughMessage51) {
  SetTree(NewDecayTree(1, 1, 64));
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 0, 0)), nullptr);
  ASSERT_EQ(Draw(0x3), 0u);
  cPlot* shown = plot_;
  void* asked = nullptr;
  recorder_.On(kKyMsgPlotOfTarget, [&](KyAppRecord* r) {
    asked = r->argument;
    r->result.pointer = shown;
    return Dword{0};
  });
  for (Qlong px : {0L, 123L, 400L, 799L}) {
    const Qlong py = 250;
    ReadoutArgs ra{px, py, window_id_};
    ASSERT_EQ(Run(kKyCmdReadoutAt, &ra), 0u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(asked), window_id_);
    const char* text = static_cast<const char*>(record_->result.pointer);
    ASSERT_NE(text, nullptr);
    const std::string got = text;
    // The same point through the pixel maps and the nearest index; the
    // block's x unit is "s", so x shows unscaled.
    const double x = ToValue(kKyCmdPlotDeviceToX, px);
    const double y = ToValue(kKyCmdPlotDeviceToY, py);
    double xv = x;
    PlotArgs n = Args();
    n.pointer = &xv;
    Run(kKyCmdPlotNearestIndex, &n);
    const long long index = record_->result.i64;
    EXPECT_EQ(index, std::max(0LL, std::min(63LL, std::llround(x / 1e-3))));
    char want[256];
    std::snprintf(want, sizeof want, "x = %.3g [s], y = %.3g, Point %lld", x, y, index);
    EXPECT_EQ(got, want);
  }
  // No plot for that window, no callback answer, or a quiet record: null.
  shown = nullptr;
  ReadoutArgs ra{10, 10, window_id_};
  ASSERT_EQ(Run(kKyCmdReadoutAt, &ra), 0u);
  EXPECT_EQ(record_->result.pointer, nullptr);
  shown = plot_;
  recorder_.Clear();
  record_->flags |= kKyFlagQuiet;
  ASSERT_EQ(Run(kKyCmdReadoutAt, &ra), 0u);
  EXPECT_EQ(record_->result.pointer, nullptr);
  EXPECT_EQ(recorder_.Count(kKyMsgPlotOfTarget), 0u);
  record_->flags &= ~kKyFlagQuiet;
}

TEST_F(PlotCommandTest, CursorTexts) {
  cKyData* root = NewDecayTree(1, 1, 64);
  SetUnit(root->FirstChild()->FirstChild(), "ppm");
  SetTree(root);
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 0, 0)), nullptr);
  PlotArgs a = Args();
  a.values[0].real = 3.5;
  a.values[1].real = 2.5;
  ASSERT_EQ(Run(kKyCmdCursorReadoutX, &a), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer),
               "c1: 3.500, c2: 2.500, c1-c2: 1.000 [ppm]");
  // With the spectrometer frequency the ppm difference shows in Hz too.
  PlotArgs f = Args();
  f.values[0].real = 79.5;
  ASSERT_EQ(Run(kKyCmdPlotFrequency, &f), 0u);
  EXPECT_EQ(plot_->frequency, 79.5);
  ASSERT_EQ(Run(kKyCmdCursorReadoutX, &a), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer),
               "c1: 3.500, c2: 2.500, c1-c2: 1.000 [ppm] = 79.5 [Hz]");
  ASSERT_EQ(Run(kKyCmdCursorReadoutY, &a), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer),
               "c1: 3.500, c2: 2.500, c1-c2: 1.000 [ppm]");
  a.values[1].real = NAN;
  ASSERT_EQ(Run(kKyCmdCursorReadoutY, &a), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer), "c: 3.500 [ppm]");

  // A rotated plot swaps the two.
  SetTree(NewQarrayTree("LIN", "mT"));
  ASSERT_NE(Create(MakeViewCode(kViewQarray, 0, 0)), nullptr);
  a = Args();
  a.values[0].real = 0.25;
  a.values[1].real = NAN;
  ASSERT_EQ(Run(kKyCmdCursorReadoutX, &a), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer), "c: 0.250 [mT]");
  ASSERT_EQ(Run(kKyCmdCursorReadoutY, &a), 0u);
  EXPECT_STREQ(static_cast<const char*>(record_->result.pointer), "c: 0.25 [mT]");

  // 10016 needs a data root; 10017 does not.
  cKyData* kept = record_->data_root;
  record_->data_root = nullptr;
  EXPECT_EQ(Run(kKyCmdCursorReadoutX, &a), kErrMissingDataObject);
  EXPECT_EQ(Run(kKyCmdCursorReadoutY, &a), 0u);
  EXPECT_NE(record_->result.pointer, nullptr);
  record_->data_root = kept;
}

namespace {

// The exponential window exp(-pi p0 t) at sample k of m from t0 to t1.
double ExpWindow(double p0, Qword k, Qword m, double t0, double t1) {
  const double t = t0 + static_cast<double>(k) * (t1 - t0) / static_cast<double>(m - 1);
  return std::exp(-M_PI * p0 * t);
}

}  // namespace

TEST_F(PlotCommandTest, ApodizationOverlay) {
  cKyData* root = NewDecayTree(1, 2, 50);
  root->FirstChild()->FirstChild()->linked = NewDecay(0, 4, 50);
  SetTree(root);
  ASSERT_NE(Create(MakeViewCode(kViewApodization, 0, 1)), nullptr);
  double lo, hi;
  plot_->data->GetYRange(&lo, &hi);
  const Qword n = 50, first = 10;
  const double t0 = 0.0, t1 = 0.049, p0 = 20.0;
  PlotArgs a = Args();
  a.apodization_type = 1;
  a.first_point = static_cast<Qlong>(first);
  a.values[0].real = p0;
  ASSERT_EQ(Run(kKyCmdPlotApodization, &a), 0u);
  const cGwArr* apod = Array("apod");
  ASSERT_NE(apod, nullptr);
  EXPECT_EQ(apod->colour, 0x0000F000u);
  ASSERT_EQ(apod->count, n);
  for (Qword i = 0; i < n; ++i) {
    if (i < first)
      EXPECT_TRUE(std::isnan(apod->values[i]));
    else
      EXPECT_NEAR(apod->values[i], hi * ExpWindow(p0, i - first, n - first, t0, t1), 1e-12);
  }
  // Again without removing: multiplied once more.
  ASSERT_EQ(Run(kKyCmdPlotApodization, &a), 0u);
  for (Qword i = first; i < n; ++i)
    EXPECT_NEAR(apod->values[i], hi * std::pow(ExpWindow(p0, i - first, n - first, t0, t1), 2),
                1e-12);
  // Shown with bit 0x10000000 of the visible kinds only.
  ASSERT_EQ(Draw(0x1), 0u);
  EXPECT_TRUE(Array("apod")->flags & kGwArrHidden);
  ASSERT_EQ(Draw(0x10000001), 0u);
  EXPECT_FALSE(Array("apod")->flags & kGwArrHidden);
  // Removed, then fresh; -1 means from point 0.
  ASSERT_EQ(Run(kKyCmdPlotRemoveApodization, &a), 0u);
  EXPECT_EQ(Array("apod"), nullptr);
  ASSERT_EQ(Run(kKyCmdPlotRemoveApodization, &a), 0u);  // none: nothing
  a.first_point = -1;
  ASSERT_EQ(Run(kKyCmdPlotApodization, &a), 0u);
  plot_->data->GetYRange(&lo, &hi);
  for (Qword i = 0; i < n; ++i)
    EXPECT_NEAR(Array("apod")->values[i], hi * ExpWindow(p0, i, n, t0, t1), 1e-12);
  // "Stanning" answers its marker in the second value and multiplies nothing.
  ASSERT_EQ(Run(kKyCmdPlotRemoveApodization, &a), 0u);
  a.apodization_type = 2;
  a.values[1].real = 0.0;
  ASSERT_EQ(Run(kKyCmdPlotApodization, &a), 0u);
  EXPECT_EQ(a.values[1].real, 3333.0);
  EXPECT_NEAR(Array("apod")->values[0], hi, 1e-12);
  EXPECT_NEAR(Array("apod")->values[49], hi, 1e-12);
  // A first point past the data: an overlay without points, no overrun.
  for (Qlong beyond : {50L, 51L, 1000000000L, INT64_MAX}) {
    ASSERT_EQ(Run(kKyCmdPlotRemoveApodization, &a), 0u);
    a.apodization_type = 1;
    a.first_point = beyond;
    ASSERT_EQ(Run(kKyCmdPlotApodization, &a), 0u);
    for (Qword i = 0; i < n; ++i) EXPECT_TRUE(std::isnan(Array("apod")->values[i]));
  }
  // An unknown window is reported.
  a.first_point = 0;
  a.apodization_type = 99;
  EXPECT_EQ(Run(kKyCmdPlotApodization, &a), kErrUnknownId);
}

class PlotSvgTest : public PlotCommandTest {
 protected:
  void SetUp() override {
    PlotCommandTest::SetUp();
    folder_ =
        std::filesystem::temp_directory_path() / ("veltria-plot-svg-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    UiHooksInstall(nullptr);
    std::filesystem::remove_all(folder_);
    PlotCommandTest::TearDown();
  }
  std::filesystem::path folder_;
};

namespace {

std::string g_answer;
bool g_cancel = false;
bool Dialog(const UiFileDialogRequest&, std::string* paths) {
  if (g_cancel) return false;
  *paths = g_answer;
  return true;
}

}  // namespace

TEST_F(PlotSvgTest, ExportedPlotReadsAndRenders) {
  SetTree(NewDecayTree(1, 1, 200));
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 0, 0)), nullptr);
  ASSERT_EQ(Draw(0x1), 0u);  // real part only
  UiHooks hooks = UiHooksFallback();
  hooks.file_dialog = Dialog;
  UiHooksInstall(&hooks);
  g_answer = (folder_ / "plot.svg").string();
  g_cancel = false;
  PlotArgs a = Args();
  a.flags = kSvgNoOverwritePrompt;
  a.values[0].integer = 1000;
  a.values[1].integer = 1000;
  ASSERT_EQ(Run(kKyCmdPlotToSvg, &a), 0u);

  int status = -1;
  const std::vector<std::string> elements = RunSvgCheck("elements " + g_answer, &status);
  ASSERT_EQ(status, 0);
  ASSERT_FALSE(elements.empty());
  EXPECT_EQ(elements.front().rfind("svg", 0), 0u);
  size_t lines = 0, red_groups = 0;
  for (const std::string& e : elements) {
    lines += e.rfind("line ", 0) == 0;
    red_groups += e.find("stroke=#c00000") != std::string::npos;
  }
  EXPECT_GT(lines, 100u);
  EXPECT_GE(red_groups, 1u);

  if (!HaveRsvgConvert()) GTEST_FAIL() << "rsvg-convert is missing (Debian package librsvg2-bin)";
  // Points of the real part render red where the view puts them (away from
  // its zero crossings, where the x axis shares the pixels).
  const double x_min = plot_->Context()->XMin(), x_range = plot_->Context()->XRange();
  const double y_min = plot_->Context()->YMin(), y_range = plot_->Context()->YRange();
  for (int i : {12, 40, 121}) {
    const double t = 1e-3 * i, v = DecayRe(0, 0, t);
    const int px = static_cast<int>(std::lround((t - x_min) / x_range * 1000));
    const int py = static_cast<int>(std::lround((1 - (v - y_min) / y_range) * 1000));
    const std::vector<std::string> out = RunSvgCheck(
        "pixel " + g_answer + " " + std::to_string(px) + " " + std::to_string(py) + " 2", &status);
    ASSERT_EQ(status, 0);
    bool red = false;
    for (const std::string& o : out) {
      int r = 0, g = 0, b = 0;
      ASSERT_EQ(std::sscanf(o.c_str(), "%d %d %d", &r, &g, &b), 3);
      red = red || (r > 150 && g < 60 && b < 60);
    }
    EXPECT_TRUE(red) << i;
  }
}

TEST_F(PlotSvgTest, ExportErrorsPassThrough) {
  SetTree(NewDecayTree(1, 1, 20));
  ASSERT_NE(Create(MakeViewCode(kViewBlock, 0, 0)), nullptr);
  UiHooks hooks = UiHooksFallback();
  hooks.file_dialog = Dialog;
  UiHooksInstall(&hooks);
  g_cancel = true;
  PlotArgs a = Args();
  a.values[0].integer = 1000;
  a.values[1].integer = 1000;
  EXPECT_EQ(Run(kKyCmdPlotToSvg, &a), kErrFileSystem);
  g_cancel = false;
  g_answer = (folder_ / "missing" / "plot.svg").string();
  EXPECT_EQ(Run(kKyCmdPlotToSvg, &a), kErrFileSystem);
  EXPECT_FALSE(std::filesystem::exists(g_answer));
}

// Simulated data loaded and evaluated through the commands, then shown in
// every view the program and the console use: each plot code answers on it.
TEST_F(PlotCommandTest, SimulatedRecoverySeriesThroughTheCommands) {
  LoadDataArgs load{kKyDataSimulation, nullptr, 0,
                    "EXP=SR/S\rNBLK=5\rBINI=0.001\rBEND=1\rBGRD=LOG\rNRLX=1\rTRLX=0.1\rWRLX=1\r"
                    "SRLX=0\rBS=32\rDW=100\rXOFF=0\rNLPL=1\rTDCY=0.001\rWDCY=1\rNOIS=0\rBSLN=0\r"
                    "F1=0\r"};
  ASSERT_EQ(Run(kKyCmdLoadData, &load), 0u);
  ASSERT_EQ(Run(kKyCmdRunTaskScript, const_cast<char*>("#QARRAY, 1, 0, 1, , 0, 3")), 0u);
  cKyData* item = record_->data_root->Child(0);
  ASSERT_EQ(item->ChildCount(), 5u);
  ASSERT_EQ(item->points, 5u);

  for (Qword code : {MakeViewCode(kViewBlock, 0, 4), MakeViewCode(kViewBlocksSideBySide, 0, 0),
                     MakeViewCode(kViewBlocksStacked, 0, 0), MakeViewCode(kViewCurve, 0, 0),
                     MakeViewCode(kViewQarray, 0, 0), MakeViewCode(kViewApodization, 0, 2)}) {
    SCOPED_TRACE(code >> 32);
    ASSERT_NE(Create(code), nullptr);
    rec_.Clear();
    ASSERT_EQ(Draw(0x1000F | 0x70000), 0u);
    EXPECT_GT(rec_.Count(kGwMsgLine), 0u);
    PlotArgs a = Args();
    Qlong pixel = 200;
    a.pointer = &pixel;
    ASSERT_EQ(Run(kKyCmdPlotDeviceToX, &a), 0u);
    EXPECT_TRUE(std::isfinite(record_->result.real));
    a.values[0].integer = 10;
    a.values[1].integer = 10;
    a.values[2].integer = 100;
    a.values[3].integer = 100;
    ASSERT_EQ(Run(kKyCmdPlotZoomBox, &a), 0u);
    a.values[0].real = 1.5;
    ASSERT_EQ(Run(kKyCmdPlotZoomY, &a), 0u);
    a.values[0].real = 0.01;
    a.values[1].real = 0.02;
    ASSERT_EQ(Run(kKyCmdCursorReadoutX, &a), 0u);
    EXPECT_NE(record_->result.pointer, nullptr);
    ASSERT_EQ(Run(kKyCmdCursorReadoutY, &a), 0u);
    double x = 0.001;
    a.pointer = &x;
    ASSERT_EQ(Run(kKyCmdPlotNearestIndex, &a), 0u);
    EXPECT_GE(record_->result.i64, 0);
    a.first_point = 3;
    a.apodization_type = 4;  // Gauss
    a.values[0].real = 0.5;
    a.values[1].real = 1.0;
    ASSERT_EQ(Run(kKyCmdPlotApodization, &a), 0u);
    ASSERT_EQ(Run(kKyCmdPlotRemoveApodization, &a), 0u);
    ASSERT_EQ(Draw(0x3), 0u);
  }
  // The relaxation curve: one marker per block, x the logarithmic grid.
  ASSERT_NE(Create(MakeViewCode(kViewCurve, 0, 0)), nullptr);
  const cGwArr* tau = Array("tau");
  ASSERT_EQ(tau->count, 5u);
  EXPECT_NEAR(tau->values[0], 0.001, 1e-15);
  EXPECT_NEAR(tau->values[4], 1.0, 1e-12);
  // The QARRAY view of the same item: log10 of the grid on the x axis.
  ASSERT_NE(Create(MakeViewCode(kViewQarray, 0, 0)), nullptr);
  EXPECT_NEAR(Array("tau")->values[0], -3.0, 1e-12);
  EXPECT_NEAR(Array("tau")->values[4], 0.0, 1e-12);
}

// The argument records keep their field order: the program builds them on
// its stack field by field.
TEST(PlotArgsLayout, FieldOrder) {
  EXPECT_EQ(offsetof(PlotArgs, plot), 0u);
  EXPECT_EQ(offsetof(PlotArgs, flags), 8u);
  EXPECT_EQ(offsetof(PlotArgs, apodization_type), 16u);
  EXPECT_EQ(offsetof(PlotArgs, pointer), 24u);
  EXPECT_EQ(offsetof(PlotArgs, zoom), 32u);
  EXPECT_EQ(offsetof(PlotArgs, values), 40u);
  EXPECT_EQ(sizeof(PlotArgs::Value), 8u);
  EXPECT_EQ(offsetof(PlotArgs, first_point), 72u);
  EXPECT_EQ(offsetof(PlotArgs, delta_divisor), 80u);
  EXPECT_EQ(offsetof(ReadoutArgs, x), 0u);
  EXPECT_EQ(offsetof(ReadoutArgs, y), 8u);
  EXPECT_EQ(offsetof(ReadoutArgs, window_id), 16u);
}

// Drawing to another target starts the context afresh: the plot's rotation
// and autoscaled view come back instead of the context's defaults. Without
// a target the plot draws to the one it has.
TEST_F(PlotCommandTest, DrawOnAnotherTargetKeepsRotationAndView) {
  SetTree(NewQarrayTree("LOG", nullptr));
  ASSERT_NE(Create(MakeViewCode(kViewQarray, 0, 0)), nullptr);
  ASSERT_EQ(Draw(0x0), 0u);
  const double x0 = ToValue(kKyCmdPlotDeviceToY, 0), x1 = ToValue(kKyCmdPlotDeviceToY, kHeight);
  Qword second = window_id_;
  PlotArgs a = Args();
  a.pointer = &second;
  rec_.Clear();
  ASSERT_EQ(Run(kKyCmdDrawPlot, &a), 0u);
  EXPECT_EQ(LastTarget(), &second);
  EXPECT_EQ(plot_->Context()->Orientation(), static_cast<Dword>(kGwRotateCcw));
  EXPECT_DOUBLE_EQ(ToValue(kKyCmdPlotDeviceToY, 0), x0);
  EXPECT_DOUBLE_EQ(ToValue(kKyCmdPlotDeviceToY, kHeight), x1);
  a.pointer = nullptr;
  rec_.Clear();
  ASSERT_EQ(Run(kKyCmdDrawPlot, &a), 0u);
  EXPECT_EQ(LastTarget(), &second);
  EXPECT_GT(rec_.Count(kGwMsgLine), 0u);
}
