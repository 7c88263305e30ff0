// The canvas's plot commands and mouse handling against a stand-in for
// the framework's plot commands: it records every command with its
// arguments, maps pixels to values by known lines, and draws a known curve
// through the program's drawing callback when asked to draw.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas_testing.h"
#include "app/ui/handlers.h"
#include "app/ui/main_window.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/ky_gw.h"

extern char** environ;

namespace {

constexpr int kW = 300, kH = 200;

struct Call {
  Dword code;
  bool quiet;
  PlotArgs plot_args;  // copied for the codes that take them
  const void* argument;
};

struct StandIn {
  std::vector<Call> calls;
  int plot_object = 0;  // its address is the stand-in plot
  Qlong orientation = 0;
  int draws = 0;
  // Read-outs written into one reused buffer, as the framework's plot does.
  bool reused_readout = false;
  std::vector<Call> Of(Dword code) const {
    std::vector<Call> out;
    for (const Call& c : calls)
      if (c.code == code) out.push_back(c);
    return out;
  }
};
StandIn g_stand_in;

// Value of a pixel: x = pixel / 2, y = 100 - pixel.
Dword StandInRunner(KyAppRecord* record, Dword code, void* argument, bool quiet) {
  Call call{code, quiet, PlotArgs{}, argument};
  const bool takes_plot_args =
      code == kKyCmdDrawPlot || (code >= 10007 && code <= 10021 && code != kKyCmdReadoutAt);
  if (takes_plot_args && argument != nullptr) call.plot_args = *static_cast<PlotArgs*>(argument);
  g_stand_in.calls.push_back(call);
  record->error = 0;
  switch (code) {
    case kKyCmdCreatePlot:
      record->result.pointer = &g_stand_in.plot_object;
      break;
    case kKyCmdPlotOrientation:
      record->result.i64 = g_stand_in.orientation;
      break;
    case kKyCmdKillPlot:
      *static_cast<void**>(argument) = nullptr;
      break;
    case kKyCmdPlotDeviceToX:
      record->result.real = static_cast<double>(*static_cast<Qlong*>(call.plot_args.pointer)) / 2;
      break;
    case kKyCmdPlotDeviceToY:
      record->result.real =
          100.0 - static_cast<double>(*static_cast<Qlong*>(call.plot_args.pointer));
      break;
    case kKyCmdReadoutAt: {
      if (!g_stand_in.reused_readout) {
        record->result.pointer = const_cast<char*>("x = 1, y = 2");
        break;
      }
      static char buffer[64];
      const auto* at = static_cast<const ReadoutArgs*>(argument);
      std::snprintf(buffer, sizeof buffer, "x = %g, y = %g", static_cast<double>(at->x) / 2,
                    100.0 - static_cast<double>(at->y));
      record->result.pointer = buffer;
      break;
    }
    case kKyCmdDrawPlot: {
      ++g_stand_in.draws;
      // As the framework's drawing context sends a curve: pen, then lines.
      void* target = call.plot_args.pointer;
      GwState state{};
      state.line_colour = 0xC0000000;
      state.line_width = 1;
      state.font_size = 12;
      CanvasDrawCallback(target, kGwMsgFill, 0xFFFFFF00, 0, 0, 0, &state);
      CanvasDrawCallback(target, kGwMsgFillRect, 0, kH, kW, 0, &state);
      CanvasDrawCallback(target, kGwMsgBegin, 0, 0, 0, 0, &state);
      Qlong px = 0, py = kH / 2;
      for (Qlong x = 1; x < kW; ++x) {
        const Qlong y = kH / 2 - static_cast<Qlong>(
                                     std::lround(80.0 * std::exp(-x / 120.0) * std::cos(x / 8.0)));
        CanvasDrawCallback(target, kGwMsgLine, px, py, x, y, &state);
        px = x;
        py = y;
      }
      break;
    }
    default:
      break;
  }
  return 0;
}

class CanvasMouseTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (IsSkipped()) return;
    g_stand_in = StandIn();
    CanvasCommandOverrideForTesting(StandInRunner);
    window_ = new Fl_Double_Window(kW + 20, kH + 60, "canvas mouse test");
    canvas_ = new cCanvas(10, 10, kW, kH, ItemCanvasId(0), record_);
    canvas_->display_flags = 1;
    status_ = new Fl_Box(0, kH + 20, kW + 20, 30);
    canvas_->readout_box = status_;
    window_->end();
    GrowItemWidgetTables(1);
    App().data_sets[0].canvas = canvas_;
    window_->show();
    Pump(20);
  }
  void TearDown() override {
    if (window_ != nullptr) {
      App().data_sets.clear();
      delete window_;
    }
    CanvasCommandOverrideForTesting(nullptr);
    GuiTest::TearDown();
  }
  void Band(int x0, int y0, int x1, int y1, int state = 0) {
    Mouse(FL_PUSH, canvas_, x0, y0, 1, state);
    Mouse(FL_DRAG, canvas_, (x0 + x1) / 2, (y0 + y1) / 2, 1, state);
    Mouse(FL_DRAG, canvas_, x1, y1, 1, state);
    Mouse(FL_RELEASE, canvas_, x1, y1, 1, state);
    Pump();
  }
  Fl_Double_Window* window_ = nullptr;
  cCanvas* canvas_ = nullptr;
  Fl_Box* status_ = nullptr;
};

TEST_F(CanvasMouseTest, FirstDrawCreatesThePlotAndTheCurveIsOnTheScreen) {
  ASSERT_FALSE(g_stand_in.calls.empty());
  EXPECT_EQ(g_stand_in.calls[0].code, kKyCmdCreatePlot);
  EXPECT_EQ(g_stand_in.calls[0].argument, &canvas_->window_id);
  EXPECT_EQ(g_stand_in.calls[1].code, kKyCmdPlotOrientation);
  EXPECT_EQ(g_stand_in.calls[1].argument, &g_stand_in.plot_object);
  EXPECT_EQ(g_stand_in.calls[2].code, kKyCmdPlotFrequency);
  EXPECT_TRUE(std::isnan(g_stand_in.calls[2].plot_args.values[0].real));
  const std::vector<Call> draws = g_stand_in.Of(kKyCmdDrawPlot);
  ASSERT_GE(draws.size(), 1u);
  EXPECT_EQ(draws[0].plot_args.plot, reinterpret_cast<cPlot*>(&g_stand_in.plot_object));
  EXPECT_EQ(draws[0].plot_args.pointer, &canvas_->window_id);
  EXPECT_EQ(draws[0].plot_args.flags, 1u);
  EXPECT_EQ(draws[0].plot_args.zoom, 0);
  EXPECT_EQ(draws[0].plot_args.delta_divisor, 1.0);
  EXPECT_EQ(g_stand_in.Of(kKyCmdCreatePlot).size(), 1u);

  std::vector<uchar> rgb(static_cast<size_t>(kW) * kH * 3);
  canvas_->make_current();
  fl_read_image(rgb.data(), 0, 0, kW, kH);
  int curve = 0;
  for (size_t i = 0; i < rgb.size(); i += 3)
    curve += rgb[i] == 0xC0 && rgb[i + 1] == 0 && rgb[i + 2] == 0;
  EXPECT_GE(curve, kW - 2);
  // The read-out reached the status bar.
  ASSERT_NE(status_->label(), nullptr);
  EXPECT_STREQ(status_->label(), "x = 1, y = 2");
}

// What the status box shows on the screen.
std::vector<uchar> BoxPixels(Fl_Window* window, const Fl_Widget* box) {
  std::vector<uchar> rgb(static_cast<size_t>(box->w()) * box->h() * 3);
  window->make_current();
  fl_read_image(rgb.data(), box->x(), box->y(), box->w(), box->h());
  return rgb;
}

TEST_F(CanvasMouseTest, ReadoutFollowsTheMouseThoughTheTextComesInOneBuffer) {
  g_stand_in.reused_readout = true;
  status_->box(FL_FLAT_BOX);
  ASSERT_NE(canvas_->plot, nullptr);
  // Pixel (40, 30) is x = 20, y = 70 by the stand-in's lines; (120, 90) is
  // x = 60, y = 10.
  Mouse(FL_MOVE, canvas_, 40, 30, 0);
  Pump();
  ASSERT_NE(status_->label(), nullptr);
  EXPECT_STREQ(status_->label(), "x = 20, y = 70");
  const std::vector<uchar> first = BoxPixels(window_, status_);
  Mouse(FL_MOVE, canvas_, 120, 90, 0);
  Pump();
  ASSERT_NE(status_->label(), nullptr);
  EXPECT_STREQ(status_->label(), "x = 60, y = 10");
  const std::vector<uchar> second = BoxPixels(window_, status_);
  EXPECT_NE(first, second) << "the status bar still shows the first position";
  // The screen shows what a box freshly drawn with the second text shows.
  const std::string shown = status_->label();
  status_->copy_label(nullptr);
  status_->redraw();
  Pump();
  status_->copy_label(shown.c_str());
  status_->redraw();
  Pump();
  EXPECT_EQ(BoxPixels(window_, status_), second);
}

TEST_F(CanvasMouseTest, BandZoomNeedsSixPixelsBothWays) {
  struct Case {
    int x0, y0, x1, y1;
    bool zooms;
  };
  const Case cases[] = {
      {10, 10, 15, 110, false}, {10, 10, 16, 16, true},  {10, 10, 110, 15, false},
      {50, 60, 20, 20, true},   {10, 10, 10, 10, false},
  };
  for (const Case& c : cases) {
    g_stand_in.calls.clear();
    Band(c.x0, c.y0, c.x1, c.y1);
    const std::vector<Call> zooms = g_stand_in.Of(kKyCmdPlotZoomBox);
    ASSERT_EQ(zooms.size(), c.zooms ? 1u : 0u) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    if (!c.zooms) continue;
    const PlotArgs& a = zooms[0].plot_args;
    EXPECT_EQ(a.values[0].integer, std::min(c.x0, c.x1));
    EXPECT_EQ(a.values[1].integer, std::min(c.y0, c.y1));
    EXPECT_EQ(a.values[2].integer, std::abs(c.x1 - c.x0));
    EXPECT_EQ(a.values[3].integer, std::abs(c.y1 - c.y0));
    // The visible rectangle becomes the kept view, read through 10008/10010.
    EXPECT_TRUE(canvas_->zoomed);
    EXPECT_EQ(canvas_->kept_view[2], 0.0);         // x from: pixel 0
    EXPECT_EQ(canvas_->kept_view[3], kW / 2.0);    // x to: pixel w
    EXPECT_EQ(canvas_->kept_view[0], 100.0 - kH);  // y from: pixel h
    EXPECT_EQ(canvas_->kept_view[1], 100.0);       // y to: pixel 0
  }
  // The next draw passes the kept view: x from, x to, y from, y to.
  g_stand_in.calls.clear();
  canvas_->redraw();
  Pump();
  const std::vector<Call> draws = g_stand_in.Of(kKyCmdDrawPlot);
  ASSERT_GE(draws.size(), 1u);
  EXPECT_EQ(draws.back().plot_args.zoom, 1);
  EXPECT_EQ(draws.back().plot_args.values[0].real, 0.0);
  EXPECT_EQ(draws.back().plot_args.values[1].real, kW / 2.0);
  EXPECT_EQ(draws.back().plot_args.values[2].real, 100.0 - kH);
  EXPECT_EQ(draws.back().plot_args.values[3].real, 100.0);
}

TEST_F(CanvasMouseTest, CtrlBandZoomsOutThreeWidths) {
  Band(20, 20, 80, 90, FL_CTRL);
  const std::vector<Call> zooms = g_stand_in.Of(kKyCmdPlotZoomBox);
  ASSERT_EQ(zooms.size(), 1u);
  EXPECT_EQ(zooms[0].plot_args.values[0].integer, -kW);
  EXPECT_EQ(zooms[0].plot_args.values[1].integer, 0);
  EXPECT_EQ(zooms[0].plot_args.values[2].integer, 3 * kW);
  EXPECT_EQ(zooms[0].plot_args.values[3].integer, kH);
  // Without the Ctrl choice among the interaction flags the band zooms in.
  g_stand_in.calls.clear();
  canvas_->interaction = 0x3F & ~kCanvasCtrlZoomOut;
  Band(20, 20, 80, 90, FL_CTRL);
  ASSERT_EQ(g_stand_in.Of(kKyCmdPlotZoomBox).size(), 1u);
  EXPECT_EQ(g_stand_in.Of(kKyCmdPlotZoomBox)[0].plot_args.values[2].integer, 60);
}

TEST_F(CanvasMouseTest, DoubleClickResetsAndSingleClickDoesNothing) {
  Band(10, 10, 40, 40);
  ASSERT_TRUE(canvas_->zoomed);
  g_stand_in.calls.clear();
  Mouse(FL_PUSH, canvas_, 30, 30);
  Mouse(FL_RELEASE, canvas_, 30, 30, 1, 0, 0);
  EXPECT_TRUE(g_stand_in.Of(kKyCmdPlotZoomBox).empty());
  EXPECT_TRUE(canvas_->zoomed);
  Mouse(FL_PUSH, canvas_, 30, 30);
  Mouse(FL_RELEASE, canvas_, 30, 30, 1, 0, 1);
  const std::vector<Call> zooms = g_stand_in.Of(kKyCmdPlotZoomBox);
  ASSERT_EQ(zooms.size(), 1u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(zooms[0].plot_args.values[i].integer, 0);
  EXPECT_FALSE(canvas_->zoomed);
}

TEST_F(CanvasMouseTest, WheelScalesYOnlyOverTheCanvas) {
  Fl::belowmouse(canvas_);
  Fl::e_dy = -1;
  EXPECT_EQ(canvas_->handle(FL_MOUSEWHEEL), 1);
  Fl::e_dy = 1;
  EXPECT_EQ(canvas_->handle(FL_MOUSEWHEEL), 1);
  const std::vector<Call> scales = g_stand_in.Of(kKyCmdPlotZoomY);
  ASSERT_EQ(scales.size(), 2u);
  EXPECT_EQ(scales[0].plot_args.values[0].real, 2.0);
  EXPECT_EQ(scales[1].plot_args.values[0].real, 0.75);
  EXPECT_TRUE(canvas_->zoomed);
  Fl::belowmouse(status_);
  EXPECT_EQ(canvas_->handle(FL_MOUSEWHEEL), 0);
  canvas_->interaction &= ~kCanvasWheel;
  Fl::belowmouse(canvas_);
  EXPECT_EQ(canvas_->handle(FL_MOUSEWHEEL), 0);
  EXPECT_EQ(g_stand_in.Of(kKyCmdPlotZoomY).size(), 2u);
}

TEST_F(CanvasMouseTest, RightButtonDragChangesNothing) {
  g_stand_in.calls.clear();
  Mouse(FL_PUSH, canvas_, 10, 10, 3);
  Mouse(FL_DRAG, canvas_, 100, 100, 3);
  Mouse(FL_RELEASE, canvas_, 100, 100, 3);
  EXPECT_TRUE(g_stand_in.Of(kKyCmdPlotZoomBox).empty());
  EXPECT_FALSE(canvas_->zoomed);
}

TEST_F(CanvasMouseTest, ResetWithKillRebuildsThePlotAndLeavingClearsTheReadout) {
  canvas_->delta_divisor = 10.0;
  cCanvas::Reset(canvas_, true, false);
  EXPECT_EQ(canvas_->plot, nullptr);
  EXPECT_EQ(canvas_->delta_divisor, 1.0);
  EXPECT_EQ(status_->label(), nullptr);
  Pump();
  EXPECT_EQ(g_stand_in.Of(kKyCmdKillPlot).size(), 1u);
  EXPECT_EQ(g_stand_in.Of(kKyCmdCreatePlot).size(), 2u);
  EXPECT_NE(canvas_->plot, nullptr);
  // Keep without kill: the current view is kept and the plot stays.
  cCanvas::Reset(canvas_, false, true);
  EXPECT_TRUE(canvas_->zoomed);
  EXPECT_EQ(g_stand_in.Of(kKyCmdKillPlot).size(), 1u);
  canvas_->handle(FL_LEAVE);
  EXPECT_EQ(status_->label(), nullptr);
  // Destroying the canvas destroys its plot.
  App().data_sets.clear();
  delete window_;
  window_ = nullptr;
  EXPECT_EQ(g_stand_in.Of(kKyCmdKillPlot).size(), 2u);
}

TEST_F(CanvasMouseTest, RotatedPlotKeepsItsViewFromTheOtherAxes) {
  g_stand_in.orientation = 1;
  cCanvas::Reset(canvas_, true, false);
  Pump();
  ASSERT_EQ(canvas_->orientation, 1);
  canvas_->KeepZoomBox();
  EXPECT_EQ(canvas_->kept_view[2], 100.0);       // x from: y value of pixel 0
  EXPECT_EQ(canvas_->kept_view[3], 100.0 - kH);  // x to: y value of pixel h
  EXPECT_EQ(canvas_->kept_view[0], kW / 2.0);    // y from: x value of pixel w
  EXPECT_EQ(canvas_->kept_view[1], 0.0);         // y to: x value of pixel 0
}

}  // namespace

namespace {

// Presses or releases a key on the X server (Fl::get_key asks the server).
bool XdotoolKey(const char* action, const char* key) {
  pid_t pid = 0;
  char prog[] = "xdotool";
  std::string a = action, k = key;
  char* argv[] = {prog, a.data(), k.data(), nullptr};
  if (posix_spawnp(&pid, prog, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(CanvasMouseTest, DraggingWithXHeldPansByTheMouseMovement) {
  if (!XdotoolKey("keyup", "x")) GTEST_SKIP() << "xdotool is not installed";
  ASSERT_TRUE(XdotoolKey("keydown", "x"));
  Mouse(FL_PUSH, canvas_, 100, 100);
  Mouse(FL_DRAG, canvas_, 90, 104);
  Mouse(FL_DRAG, canvas_, 70, 110);
  Mouse(FL_RELEASE, canvas_, 70, 110);
  XdotoolKey("keyup", "x");
  const std::vector<Call> zooms = g_stand_in.Of(kKyCmdPlotZoomBox);
  ASSERT_EQ(zooms.size(), 2u);
  // Each step moves the view by the mouse's movement, the box keeps its size.
  const Qlong expected[2][2] = {{10, -4}, {20, -6}};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(zooms[i].plot_args.values[0].integer, expected[i][0]);
    EXPECT_EQ(zooms[i].plot_args.values[1].integer, expected[i][1]);
    EXPECT_EQ(zooms[i].plot_args.values[2].integer, kW);
    EXPECT_EQ(zooms[i].plot_args.values[3].integer, kH);
  }
  // Panning in x only.
  g_stand_in.calls.clear();
  canvas_->interaction = kCanvasZoomX | kCanvasZoomY | kCanvasPanX;
  ASSERT_TRUE(XdotoolKey("keydown", "x"));
  Mouse(FL_PUSH, canvas_, 100, 100);
  Mouse(FL_DRAG, canvas_, 95, 80);
  Mouse(FL_RELEASE, canvas_, 95, 80);
  XdotoolKey("keyup", "x");
  ASSERT_EQ(g_stand_in.Of(kKyCmdPlotZoomBox).size(), 1u);
  EXPECT_EQ(g_stand_in.Of(kKyCmdPlotZoomBox)[0].plot_args.values[0].integer, 5);
  EXPECT_EQ(g_stand_in.Of(kKyCmdPlotZoomBox)[0].plot_args.values[1].integer, 0);
}

}  // namespace
