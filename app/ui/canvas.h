// cCanvas: the window that shows one plot of the framework. It has no
// drawing code of its own: its first draw asks the framework for a plot of
// its window id (code 10001), every draw has that plot drawn (10002), and
// the framework's drawing messages come back through CanvasDrawCallback.
// Mouse actions become plot commands: band zoom, Ctrl zoom out, double-click
// reset, x-drag pan, wheel scaling of y, and the read-out in the status bar.
#pragma once
#include <FL/Fl_Double_Window.H>

#include "base/types.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"
#include "framework/ky_app_record.h"

class Fl_Widget;

// Interaction flags.
enum : Dword {
  kCanvasZoomX = 0x1,
  kCanvasZoomY = 0x2,
  kCanvasWheel = 0x4,
  kCanvasCtrlZoomOut = 0x8,
  kCanvasPanX = 0x10,
  kCanvasPanY = 0x20,
};

class cCanvas : public Fl_Double_Window {
 public:
  cCanvas(int x, int y, int w, int h, Qword window_id, KyAppRecord* record);
  ~cCanvas() override;

  void draw() override;
  int handle(int event) override;

  // kill: the plot is destroyed and rebuilt from the current data on the
  // next draw; keep: the visible rectangle becomes the kept view.
  static void Reset(cCanvas* canvas, bool kill, bool keep);
  void KeepZoomBox();
  // Destroys the plot but keeps the view: the next draw builds a new plot
  // from the current data and shows it with the kept view.
  void DropPlot();
  void ZoomToBox(Qlong x, Qlong y, Qlong w, Qlong h);
  void ShowPointReadout(Qlong x, Qlong y);
  double PixelToValueX(Qlong pixel);
  double PixelToValueY(Qlong pixel);
  Qlong ValueToPixelX(double value);
  Qlong ValueToPixelY(double value);
  void SetPlotOption(double frequency);
  // A blank canvas shows a white page and builds no plot until it is
  // unblanked: results that are no longer current are not shown.
  void Blank(bool on);
  bool blank() const { return blank_; }

  Dword display_flags = 0;
  Qword window_id;
  KyAppRecord* record;
  cPlot* plot = nullptr;
  Qlong orientation = 0;
  double spectrometer_frequency;
  double delta_divisor = 1.0;
  bool zoomed = false;
  double kept_view[4];  // y from, y to, x from, x to
  Dword interaction = 0x3F;
  Fl_Widget* readout_box = nullptr;

  // The canvas whose own draw() is running (its back buffer is the current
  // drawing target then), or null.
  static cCanvas* DrawingNow();

 protected:
  // Draws the plot (or the white page); cCanvas::draw wraps it so that the
  // drawing callback knows the back buffer is already current.
  virtual void DrawContent();

 private:
  double PixelToValue(Dword code, Qlong pixel);
  Qlong ValueToPixel(Dword code, double value);
  void SetReadout(const char* text);
  void ReleaseDrag(int button);

  const char* last_error_ = nullptr;  // why there is no plot, shown in the canvas
  bool blank_ = false;
};

// Marks `canvas` as drawing for the lifetime of the object (nestable).
class CanvasDrawScope {
 public:
  explicit CanvasDrawScope(cCanvas* canvas);
  ~CanvasDrawScope();
  CanvasDrawScope(const CanvasDrawScope&) = delete;
  CanvasDrawScope& operator=(const CanvasDrawScope&) = delete;

 private:
  cCanvas* previous_;
};
