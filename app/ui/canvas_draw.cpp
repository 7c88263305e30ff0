// CanvasDrawCallback: the screen back end of the framework's drawing
// protocol. Each message draws with FLTK on the canvas that the window id
// names.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "app/ui/app_callbacks.h"
#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "base/double_to_int.h"
#include "framework/graphics/ky_gw.h"

namespace {

// X11 carries coordinates in 16 bits; everything handed on stays well
// inside that range so nothing wraps into stray lines.
constexpr double kLimit = 30000.0;

void SetColour(Qlong word) {
  const Dword c = static_cast<Dword>(word);
  fl_color(static_cast<uchar>(c >> 24), static_cast<uchar>(c >> 16), static_cast<uchar>(c >> 8));
}

int Coordinate(Qlong v) { return static_cast<int>(std::clamp<Qlong>(v, -30000, 30000)); }

void LineStyle(Qlong style, Qlong width) {
  const int w = static_cast<int>(std::clamp<Qlong>(width, 0, 255));
  fl_line_style(static_cast<int>(style & 0xFFFF), w, nullptr);
}

void SetFont(const GwState* state) {
  int size = state != nullptr ? static_cast<int>(std::min<Dword>(state->font_size, 1000)) : 0;
  if (size <= 0) size = FL_NORMAL_SIZE;
  fl_font(fl_font(), size);
}

}  // namespace

bool ClipSegmentToScreen(double* x1, double* y1, double* x2, double* y2) {
  // Liang-Barsky against the square of half-width kLimit.
  double t0 = 0.0, t1 = 1.0;
  const double dx = *x2 - *x1, dy = *y2 - *y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {*x1 + kLimit, kLimit - *x1, *y1 + kLimit, kLimit - *y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ax = *x1, ay = *y1;
  *x1 = ax + t0 * dx;
  *y1 = ay + t0 * dy;
  *x2 = ax + t1 * dx;
  *y2 = ay + t1 * dy;
  return true;
}

Qlong CanvasDrawCallback(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                         const void* state_or_text) {
  if (target == nullptr) return 0;
  cCanvas* canvas = CanvasFromWindowId(*static_cast<const Qword*>(target));
  if (canvas == nullptr) return 0;
  // Inside the canvas's own draw() its back buffer is current already;
  // switching would send the drawing to the window, where the buffer's copy
  // then covers it. A copy surface is current while the clipboard copy runs.
  if (message == kGwMsgDeviceHeight) return canvas->h();
  if (message == kGwMsgDeviceWidth) return canvas->w();
  if (App().copy_surface == nullptr && cCanvas::DrawingNow() != canvas) {
    if (!canvas->shown()) return 0;
    canvas->make_current();
  }
  const auto* state = static_cast<const GwState*>(state_or_text);
  switch (message) {
    case kGwMsgBegin:
      if (state != nullptr) {
        SetColour(state->line_colour);
        LineStyle(state->line_style != 0 ? FL_DASH : FL_SOLID, state->line_width);
      }
      SetFont(state);
      return 0;
    case kGwMsgFont:
      SetFont(state);
      return 0;
    case kGwMsgFill:
      SetColour(x1);
      return 0;
    case kGwMsgPen:
      SetColour(x1);
      LineStyle(x2, y1);
      return 0;
    case kGwMsgPoint:
      if (std::llabs(x1) <= 30000 && std::llabs(y1) <= 30000)
        fl_point(static_cast<int>(x1), static_cast<int>(y1));
      return 0;
    case kGwMsgLine: {
      if (x1 == kGwInvalid || y1 == kGwInvalid || x2 == kGwInvalid || y2 == kGwInvalid) return 0;
      double ax = static_cast<double>(x1), ay = static_cast<double>(y1);
      double bx = static_cast<double>(x2), by = static_cast<double>(y2);
      if (!ClipSegmentToScreen(&ax, &ay, &bx, &by)) return 0;
      fl_line(static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay)),
              static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by)));
      return 0;
    }
    case kGwMsgFillRect:
    case kGwMsgRect: {
      const int left = Coordinate(std::min(x1, x2)), right = Coordinate(std::max(x1, x2));
      const int top = Coordinate(std::min(y1, y2)), bottom = Coordinate(std::max(y1, y2));
      if (message == kGwMsgFillRect)
        fl_rectf(left, top, right - left, bottom - top);
      else
        fl_rect(left, top, right - left, bottom - top);
      return 0;
    }
    case kGwMsgText:
      SetColour(y2);
      if (state_or_text != nullptr && std::llabs(x1) <= 30000 && std::llabs(y1) <= 30000)
        fl_draw(static_cast<const char*>(state_or_text), static_cast<int>(x1),
                static_cast<int>(y1));
      return 0;
    case kGwMsgTextHeight:
      return fl_size();
    case kGwMsgTextWidth:
      if (state_or_text == nullptr) return 0;
      return DoubleToQlong(fl_width(static_cast<const char*>(state_or_text)));
    default:
      return 0;
  }
}
