// The screen back end of the drawing protocol: what the canvas shows when
// the numbered messages arrive, inside its own draw and outside it, with
// coordinates far outside the 16 bits X11 carries.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <functional>
#include <string>
#include <vector>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/handlers.h"
#include "app/ui/main_window.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"
#include "framework/graphics/ky_gw.h"

namespace {

constexpr int kW = 200, kH = 150;

// A canvas whose content is a script of protocol messages sent through the
// program's drawing callback, as the framework's drawing context sends them.
class ScriptCanvas : public cCanvas {
 public:
  ScriptCanvas(int x, int y, Qword id) : cCanvas(x, y, kW, kH, id, nullptr) {}
  std::function<void(Qword*)> script;

 protected:
  void DrawContent() override {
    if (script) script(&window_id);
  }
};

Qlong Send(Qword* id, Dword message, Qlong x1 = 0, Qlong y1 = 0, Qlong x2 = 0, Qlong y2 = 0,
           const void* arg = nullptr) {
  return CanvasDrawCallback(id, message, x1, y1, x2, y2, arg);
}

void WhitePage(Qword* id) {
  Send(id, kGwMsgFill, 0xFFFFFF00);
  Send(id, kGwMsgFillRect, 0, kH, kW, 0);
}

struct Pixels {
  int w = 0, h = 0;
  std::vector<uchar> rgb;
  bool Is(int x, int y, uchar r, uchar g, uchar b) const {
    const uchar* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
    return p[0] == r && p[1] == g && p[2] == b;
  }
  int Count(uchar r, uchar g, uchar b) const {
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) n += Is(x, y, r, g, b);
    return n;
  }
};

Pixels Read(Fl_Window* window) {
  Pixels p;
  p.w = window->w();
  p.h = window->h();
  p.rgb.resize(static_cast<size_t>(p.w) * p.h * 3);
  window->make_current();
  fl_read_image(p.rgb.data(), 0, 0, p.w, p.h);
  return p;
}

class CanvasTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (IsSkipped()) return;
    window_ = new Fl_Double_Window(kW + 20, kH + 20, "canvas test");
    canvas_ = new ScriptCanvas(10, 10, ItemCanvasId(0));
    window_->end();
    GrowItemWidgetTables(1);
    App().data_sets[0].canvas = canvas_;
  }
  void TearDown() override {
    App().data_sets.clear();
    delete window_;
    GuiTest::TearDown();
  }
  void ShowAndDraw() {
    window_->show();
    canvas_->redraw();
    Pump(20);
  }
  Fl_Double_Window* window_ = nullptr;
  ScriptCanvas* canvas_ = nullptr;
};

TEST_F(CanvasTest, LineDrawnInsideTheCanvasDrawIsOnTheScreen) {
  canvas_->script = [](Qword* id) {
    WhitePage(id);
    Send(id, kGwMsgPen, 0xC0000000, 1, 0);
    Send(id, kGwMsgLine, 10, 20, 190, 20);
    Send(id, kGwMsgLine, 10, 20, 190, 140);
  };
  ShowAndDraw();
  const Pixels p = Read(canvas_);
  // A horizontal run of 181 pixels and a diagonal that covers 181 columns.
  int row = 0;
  for (int x = 10; x <= 190; ++x) row += p.Is(x, 20, 0xC0, 0, 0);
  EXPECT_GE(row, 179);
  EXPECT_GE(p.Count(0xC0, 0, 0), 179 + 170);
  EXPECT_GT(p.Count(0xFF, 0xFF, 0xFF), kW * kH / 2);
}

TEST_F(CanvasTest, CoordinatesBeyondSixteenBitsDrawTheVisiblePartOnly) {
  canvas_->script = [](Qword* id) {
    WhitePage(id);
    Send(id, kGwMsgPen, 0xC0000000, 1, 0);
    // Wrapped at 16 bits this would end at y = 5 and draw nearly nothing.
    Send(id, kGwMsgLine, 50, 10, 50, 65536 + 5);
    // Wrapped, both ends would land near x = 0 and 4.
    Send(id, kGwMsgLine, -65536, 60, 65536 + 4, 60);
    // Far outside on both sides, crossing the canvas diagonally.
    Send(id, kGwMsgLine, -4000000000LL, -4000000000LL, 4000000000LL, 4000000000LL);
    // Entirely outside: nothing.
    Send(id, kGwMsgLine, 70000, -10, 90000, 500);
    Send(id, kGwMsgPoint, 65536 + 100, 100);
  };
  ShowAndDraw();
  const Pixels p = Read(canvas_);
  int column = 0;
  for (int y = 10; y < kH; ++y) column += p.Is(50, y, 0xC0, 0, 0);
  EXPECT_GE(column, kH - 12);
  int row = 0;
  for (int x = 0; x < kW; ++x) row += p.Is(x, 60, 0xC0, 0, 0);
  EXPECT_GE(row, kW - 2);
  int diagonal = 0;
  for (int i = 0; i < kH; ++i) diagonal += p.Is(i, i, 0xC0, 0, 0);
  EXPECT_GE(diagonal, kH - 4);
  EXPECT_TRUE(p.Is(100, 130, 0xFF, 0xFF, 0xFF));
  EXPECT_TRUE(p.Is(149, 100, 0xFF, 0xFF, 0xFF));
}

TEST_F(CanvasTest, ColourZeroIsBlackNotTheFirstColourMapEntry) {
  const uchar old_r = 0, old_g = 0, old_b = 0;
  Fl::set_color(FL_FOREGROUND_COLOR, 255, 0, 255);
  canvas_->script = [](Qword* id) {
    WhitePage(id);
    Send(id, kGwMsgFill, 0x00000000);
    Send(id, kGwMsgFillRect, 20, 60, 120, 20);
  };
  ShowAndDraw();
  const Pixels p = Read(canvas_);
  Fl::set_color(FL_FOREGROUND_COLOR, old_r, old_g, old_b);
  EXPECT_EQ(p.Count(0, 0, 0), 100 * 40);
  EXPECT_EQ(p.Count(255, 0, 255), 0);
}

TEST_F(CanvasTest, DrawingOutsideTheCanvasDrawMakesItCurrentFirst) {
  canvas_->script = WhitePage;
  ShowAndDraw();
  // As an overlay or read-out would: straight to the window, then read back.
  Fl_Double_Window* other = window_;
  other->make_current();
  Send(&canvas_->window_id, kGwMsgPen, 0x0080FF00, 3, 0);
  Send(&canvas_->window_id, kGwMsgLine, 0, 75, 199, 75);
  Fl::flush();
  const Pixels p = Read(canvas_);
  EXPECT_GE(p.Count(0x00, 0x80, 0xFF), 3 * 190);
}

TEST_F(CanvasTest, AnswersSizesFontAndTextWidth) {
  ShowAndDraw();
  Qword* id = &canvas_->window_id;
  EXPECT_EQ(Send(id, kGwMsgDeviceHeight), kH);
  EXPECT_EQ(Send(id, kGwMsgDeviceWidth), kW);
  GwState state{};
  state.font_size = 17;
  canvas_->make_current();
  Send(id, kGwMsgBegin, 0, 0, 0, 0, &state);
  EXPECT_EQ(Send(id, kGwMsgTextHeight), 17);
  EXPECT_EQ(Send(id, kGwMsgTextWidth), 0);
  const Qlong wide = Send(id, kGwMsgTextWidth, 0, 0, 0, 0, "WWWWWWWWWW");
  const Qlong narrow = Send(id, kGwMsgTextWidth, 0, 0, 0, 0, "i");
  EXPECT_GT(wide, 10 * narrow);
  EXPECT_EQ(wide, static_cast<Qlong>(fl_width("WWWWWWWWWW")));
  // Paths draw nothing on the screen and answer 0.
  for (Dword message : {24u, 25u, 26u, 27u, 99u})
    EXPECT_EQ(Send(id, message, 1, 2, 3, 4, &state), 0);
}

TEST_F(CanvasTest, WindowIdsThatNameNoCanvasDrawNothing) {
  canvas_->script = WhitePage;
  ShowAndDraw();
  struct Case {
    Qword id;
    bool canvas;
  };
  const Case cases[] = {
      {ItemCanvasId(0), true},   {0x200000000ull, false}, {ItemCanvasId(1), false},
      {0x10000000000ull, false}, {0x0ull, false},         {ItemCanvasId(4096), true},
  };
  for (const Case& c : cases) {
    Qword id = c.id;
    EXPECT_EQ(CanvasFromWindowId(id) != nullptr, c.canvas) << std::hex << c.id;
    EXPECT_EQ(Send(&id, kGwMsgDeviceWidth), c.canvas ? kW : 0) << std::hex << c.id;
  }
  EXPECT_EQ(CanvasDrawCallback(nullptr, kGwMsgDeviceWidth, 0, 0, 0, 0, nullptr), 0);
}

TEST_F(CanvasTest, CanvasWithoutAPlotIgnoresTheMouse) {
  ShowAndDraw();
  Fl::e_x = 20;
  Fl::e_y = 20;
  Fl::e_keysym = FL_Button + 1;
  EXPECT_EQ(canvas_->handle(FL_PUSH), 0);
  EXPECT_EQ(canvas_->handle(FL_DRAG), 0);
  EXPECT_EQ(canvas_->handle(FL_MOUSEWHEEL), 0);
  EXPECT_EQ(canvas_->handle(FL_RELEASE), 0);
}

}  // namespace
