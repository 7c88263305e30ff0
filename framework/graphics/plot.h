// The root of a plot's scene tree: background, title, one data layer and one
// pair of axes, the data ranges it autoscales from, the zooms, and the
// read-out texts the canvas shows for the mouse and the cursors.
#pragma once
#include "base/types.h"
#include "framework/graphics/axes.h"
#include "framework/graphics/gw_data.h"

enum : Dword {
  kPlotMarginX = 0x100000,
  kPlotMarginY = 0x200000,
  kPlotNoTitle = 0x10000000,
  kPlotKindRelaxation = 5,
  kPlotKindDispersion = 6,
};

constexpr Dword kPlotTextSize = 256;

class cPlot : public cGrob {
 public:
  cPlot(Dword kind, Dword flags, Dword word3, Dword word4);
  ~cPlot() override;

  void Reset();
  void DrawBefore(cKyGw* context, Dword call_flags) override;
  void DrawAfter(cKyGw* context, Dword call_flags) override;
  void AutoScaleX(cKyGw* context);
  void AutoScaleY(cKyGw* context);
  void ZoomToPixelBox(cKyGw* context, Qlong x, Qlong y, Qlong width, Qlong height, bool redraw);
  Qlong NearestIndex(double x);
  const char* XCursorText(double c1, double c2);
  const char* YCursorText(double c1, double c2);
  const char* PointText(Qlong device_x, Qlong device_y);

  void SetTitle(const char* text);
  // Widens the x range to the left when the y axis's labels would fall off
  // the page's left edge.
  void LeaveRoomForYLabels(cKyGw* context);

  Dword kind;
  Dword flags;
  Dword word3;
  Dword word4;
  char* title;
  Dword background;
  const char* cursor_unit;
  double unit_factor;
  double unit_offset;
  double frequency;
  cAxes* axes;
  cGwData* data;
  double x_data_min, x_data_max, y_data_min, y_data_max;
  double x_margin, y_margin;
  unsigned char include_zero_y, include_zero_x;
  Qlong readout_x, readout_y;
  char* point_text;
  char* x_cursor_text;
  char* y_cursor_text;

 private:
  void FreeTexts();
  bool XAxisLog() const;
  bool YAxisLog() const;
};
