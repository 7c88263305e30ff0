#include "app/ui/canvas.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "app/ui/canvas_testing.h"
#include "app/ui/commands.h"
#include "command/lib_command.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Qlong kNone = INT32_MIN;

cCanvas* g_drawing = nullptr;
CanvasCommandRunner g_runner = nullptr;

// Every plot command of a canvas goes through here (tests replace it).
Dword PlotCommand(KyAppRecord* record, Dword code, void* argument, bool quiet) {
  if (g_runner != nullptr) return g_runner(record, code, argument, quiet);
  return quiet ? RunQuietCommand(record, code, argument) : RunCommand(record, code, argument);
}

// One drag at a time, whichever canvas got the push.
struct Interaction {
  Qlong push_x = 0, push_y = 0;
  int push_button = 0;
  Qlong drag_x = kNone, drag_y = kNone;
  Qlong move_x = 0, move_y = 0;
  bool band = false;
  Qlong band_x = 0, band_y = 0, band_w = 0, band_h = 0;
};
Interaction g_mouse;

Qlong Clamp(Qlong v, Qlong lo, Qlong hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

void CanvasCommandOverrideForTesting(CanvasCommandRunner runner) { g_runner = runner; }

CanvasDrawScope::CanvasDrawScope(cCanvas* canvas) : previous_(g_drawing) { g_drawing = canvas; }
CanvasDrawScope::~CanvasDrawScope() { g_drawing = previous_; }

cCanvas* cCanvas::DrawingNow() { return g_drawing; }

cCanvas::cCanvas(int x, int y, int w, int h, Qword id, KyAppRecord* rec)
    : Fl_Double_Window(x, y, w, h), window_id(id), record(rec), spectrometer_frequency(kNaN) {
  for (double& v : kept_view) v = kNaN;
  end();
}

cCanvas::~cCanvas() {
  if (record != nullptr && plot != nullptr) PlotCommand(record, kKyCmdKillPlot, &plot, true);
  plot = nullptr;
  SetReadout(nullptr);
  if (g_drawing == this) g_drawing = nullptr;
}

void cCanvas::SetReadout(const char* text) {
  if (readout_box == nullptr) return;
  // The plot writes every read-out into one reused buffer: the box keeps a
  // copy, and the texts are compared, not their addresses.
  const char* old = readout_box->label();
  if (old == nullptr && text == nullptr) return;
  if (old != nullptr && text != nullptr && std::strcmp(old, text) == 0) return;
  readout_box->copy_label(text);
  readout_box->redraw();
}

void cCanvas::Reset(cCanvas* canvas, bool kill, bool keep) {
  if (canvas == nullptr) return;
  if (keep && canvas->plot != nullptr) canvas->KeepZoomBox();
  if (kill) {
    if (canvas->record != nullptr && canvas->plot != nullptr)
      PlotCommand(canvas->record, kKyCmdKillPlot, &canvas->plot, true);
    canvas->plot = nullptr;
    canvas->SetReadout(nullptr);
    canvas->delta_divisor = 1.0;
    canvas->last_error_ = nullptr;
  }
  if (!keep) canvas->zoomed = false;
  canvas->redraw();
}

void cCanvas::DropPlot() {
  if (plot == nullptr) return;
  if (record != nullptr) PlotCommand(record, kKyCmdKillPlot, &plot, true);
  plot = nullptr;
  SetReadout(nullptr);
  delta_divisor = 1.0;
  redraw();
}

void cCanvas::Blank(bool on) {
  blank_ = on;
  if (on) {
    DropPlot();
    zoomed = false;
    last_error_ = nullptr;
  }
  redraw();
}

void cCanvas::draw() {
  CanvasDrawScope scope(this);
  DrawContent();
  // The X11 context keeps the pen; the next widget starts from the default.
  fl_line_style(0);
}

void cCanvas::DrawContent() {
  if (record == nullptr) return;
  if (plot == nullptr && last_error_ == nullptr && !blank_) {
    // Quiet: an error box here would reopen the event loop inside draw()
    // and paint again; the reason is shown in the canvas instead.
    if (PlotCommand(record, kKyCmdCreatePlot, &window_id, true) != 0) {
      last_error_ = "";
      ErrorTextArgs text{record->error, nullptr, nullptr};
      if (RunQuietCommand(record, kKyCmdErrorTextA, &text) == 0 && text.narrow != nullptr)
        last_error_ = text.narrow;
    } else {
      plot = static_cast<cPlot*>(record->result.pointer);
    }
    if (plot != nullptr) {
      PlotCommand(record, kKyCmdPlotOrientation, plot, true);
      orientation = record->result.i64;
      SetPlotOption(spectrometer_frequency);
    }
  }
  if (plot == nullptr) {
    fl_color(255, 255, 255);
    fl_rectf(0, 0, w(), h());
    if (last_error_ != nullptr && last_error_[0] != 0) {
      fl_color(0, 0, 0);
      fl_font(FL_HELVETICA, 12);
      fl_draw(last_error_, 0, 0, w(), h(), FL_ALIGN_CENTER);
    }
    return;
  }
  PlotArgs args{};
  args.plot = plot;
  args.flags = display_flags;
  args.pointer = &window_id;
  args.zoom = zoomed ? 1 : 0;
  args.values[0].real = kept_view[2];
  args.values[1].real = kept_view[3];
  args.values[2].real = kept_view[0];
  args.values[3].real = kept_view[1];
  args.delta_divisor = delta_divisor;
  PlotCommand(record, kKyCmdDrawPlot, &args, true);
  ShowPointReadout(Fl::event_x(), Fl::event_y());
}

double cCanvas::PixelToValue(Dword code, Qlong pixel) {
  if (record == nullptr || plot == nullptr) return kNaN;
  PlotArgs args{};
  args.plot = plot;
  args.pointer = &pixel;
  if (PlotCommand(record, code, &args, true) != 0) return kNaN;
  return record->result.real;
}

Qlong cCanvas::ValueToPixel(Dword code, double value) {
  if (record == nullptr || plot == nullptr) return INT64_MIN;
  PlotArgs args{};
  args.plot = plot;
  args.pointer = &value;
  if (PlotCommand(record, code, &args, true) != 0) return INT64_MIN;
  return record->result.i64;
}

double cCanvas::PixelToValueX(Qlong pixel) { return PixelToValue(kKyCmdPlotDeviceToX, pixel); }
double cCanvas::PixelToValueY(Qlong pixel) { return PixelToValue(kKyCmdPlotDeviceToY, pixel); }
Qlong cCanvas::ValueToPixelX(double value) { return ValueToPixel(kKyCmdPlotXToDevice, value); }
Qlong cCanvas::ValueToPixelY(double value) { return ValueToPixel(kKyCmdPlotYToDevice, value); }

void cCanvas::KeepZoomBox() {
  zoomed = true;
  if (orientation == 0) {
    kept_view[2] = PixelToValueX(0);
    kept_view[3] = PixelToValueX(w());
    kept_view[0] = PixelToValueY(h());
    kept_view[1] = PixelToValueY(0);
  } else {
    kept_view[2] = PixelToValueY(0);
    kept_view[3] = PixelToValueY(h());
    kept_view[0] = PixelToValueX(w());
    kept_view[1] = PixelToValueX(0);
  }
}

void cCanvas::ZoomToBox(Qlong bx, Qlong by, Qlong bw, Qlong bh) {
  if (record == nullptr || plot == nullptr) return;
  PlotArgs args{};
  args.plot = plot;
  args.pointer = &window_id;
  args.values[0].integer = bx;
  args.values[1].integer = by;
  args.values[2].integer = bw;
  args.values[3].integer = bh;
  PlotCommand(record, kKyCmdPlotZoomBox, &args, false);
  KeepZoomBox();
  redraw();
}

void cCanvas::ShowPointReadout(Qlong px, Qlong py) {
  if (readout_box == nullptr || record == nullptr) return;
  ReadoutArgs args{px, py, window_id};
  const char* text = nullptr;
  // Not quiet: a quiet record gets no plot from message 51 and no text.
  if (PlotCommand(record, kKyCmdReadoutAt, &args, false) == 0)
    text = static_cast<const char*>(record->result.pointer);
  SetReadout(text);
}

void cCanvas::SetPlotOption(double frequency) {
  spectrometer_frequency = frequency;
  if (record == nullptr || plot == nullptr) return;
  PlotArgs args{};
  args.plot = plot;
  args.values[0].real = frequency;
  PlotCommand(record, kKyCmdPlotFrequency, &args, true);
}

void cCanvas::ReleaseDrag(int button) {
  const Qlong cw = w(), ch = h();
  if (button == FL_LEFT_MOUSE) {
    const bool zoom_axis = (interaction & (kCanvasZoomX | kCanvasZoomY)) != 0;
    if (g_mouse.band && g_mouse.band_w > 5 && g_mouse.band_h > 5 && zoom_axis) {
      if ((interaction & kCanvasCtrlZoomOut) && (Fl::event_state() & FL_CTRL))
        ZoomToBox(-cw, 0, 3 * cw, ch);
      else
        ZoomToBox(g_mouse.band_x, g_mouse.band_y, g_mouse.band_w, g_mouse.band_h);
    } else if (Fl::event_clicks() != 0 && interaction != 0) {
      PlotArgs args{};
      args.plot = plot;
      args.pointer = &window_id;
      PlotCommand(record, kKyCmdPlotZoomBox, &args, false);
      zoomed = false;
      redraw();
    }
  } else if (button == FL_RIGHT_MOUSE) {
    fl_cursor(FL_CURSOR_DEFAULT);
  }
}

int cCanvas::handle(int event) {
  const Qlong cw = w(), ch = h();
  switch (event) {
    case FL_PUSH:
      if (plot == nullptr) return 0;
      g_mouse.push_x = Clamp(Fl::event_x(), 0, cw - 1);
      g_mouse.push_y = Clamp(Fl::event_y(), 0, ch - 1);
      g_mouse.band = false;
      g_mouse.push_button = Fl::event_button();
      return 1;
    case FL_DRAG: {
      if (plot == nullptr) return 0;
      Qlong prev_x = g_mouse.drag_x, prev_y = g_mouse.drag_y;
      if (prev_x == kNone) {
        prev_x = g_mouse.push_x;
        prev_y = g_mouse.push_y;
      }
      g_mouse.drag_x = Clamp(Fl::event_x(), 0, cw);
      g_mouse.drag_y = Clamp(Fl::event_y(), 0, ch);
      const Qlong cx = g_mouse.drag_x, cy = g_mouse.drag_y;
      if (g_mouse.push_button != FL_LEFT_MOUSE) {
        g_mouse.push_x = cx;
        g_mouse.push_y = cy;
        return 1;
      }
      if ((interaction & (kCanvasPanX | kCanvasPanY)) && Fl::get_key('x')) {
        make_current();
        fl_overlay_clear();
        g_mouse.band = false;
        const Qlong dx = (interaction & kCanvasPanX) ? prev_x - cx : 0;
        const Qlong dy = (interaction & kCanvasPanY) ? prev_y - cy : 0;
        ZoomToBox(dx, dy, cw, ch);
        return 1;
      }
      g_mouse.band = true;
      g_mouse.band_x = std::min(g_mouse.push_x, cx);
      g_mouse.band_y = std::min(g_mouse.push_y, cy);
      g_mouse.band_w = std::llabs(cx - g_mouse.push_x);
      g_mouse.band_h = std::llabs(cy - g_mouse.push_y);
      if (interaction & (kCanvasZoomX | kCanvasZoomY)) {
        Qlong bx = g_mouse.band_x, by = g_mouse.band_y, bw = g_mouse.band_w, bh = g_mouse.band_h;
        if (!(interaction & kCanvasZoomX)) {
          bx = 0;
          bw = cw;
        }
        if (!(interaction & kCanvasZoomY)) {
          by = 0;
          bh = ch;
        }
        make_current();
        fl_overlay_rect(static_cast<int>(bx), static_cast<int>(by), static_cast<int>(bw),
                        static_cast<int>(bh));
      }
      ShowPointReadout(cx, cy);
      return 1;
    }
    case FL_RELEASE: {
      if (shown()) {
        make_current();
        fl_overlay_clear();
      }
      if (plot == nullptr) return 0;
      ReleaseDrag(Fl::event_button());
      g_mouse.band = false;
      g_mouse.drag_x = g_mouse.drag_y = kNone;
      return 1;
    }
    case FL_MOVE:
      if (plot == nullptr) break;
      g_mouse.move_x = Fl::event_x();
      g_mouse.move_y = Fl::event_y();
      ShowPointReadout(g_mouse.move_x, g_mouse.move_y);
      fl_cursor(FL_CURSOR_CROSS);
      return 1;
    case FL_LEAVE:
      fl_cursor(FL_CURSOR_DEFAULT);
      SetReadout(nullptr);
      return 1;
    case FL_MOUSEWHEEL: {
      if (plot == nullptr || !(interaction & kCanvasWheel) || Fl::belowmouse() != this) return 0;
      PlotArgs args{};
      args.plot = plot;
      args.values[0].real = Fl::event_dy() < 0 ? 2.0 : 0.75;
      PlotCommand(record, kKyCmdPlotZoomY, &args, false);
      KeepZoomBox();
      redraw();
      return 1;
    }
    default:
      break;
  }
  return Fl_Double_Window::handle(event);
}
