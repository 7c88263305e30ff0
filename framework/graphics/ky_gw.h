// The drawing context: maps real coordinates to a logical square of 32768
// units and on to the pixels of a back end, keeps the pen, fill and font in a
// GwState, and sends every primitive as a numbered message to a
// KyDrawCallback. Lines, rectangles and points are clipped to the target in
// 64-bit arithmetic before a back end sees them, so no back end receives
// coordinates that wrap in its own (often 16-bit) arithmetic.
#pragma once
#include "base/types.h"
#include "framework/ky_app_record.h"

// The drawing state a back end reads through the seventh argument.
struct GwState {
  Dword line_colour;  // 0xRRGGBB00
  Dword line_width;   // device pixels
  Dword line_style;   // 0 solid, else dashed
  Dword pen_word4;
  Dword fill_colour;  // 0xRRGGBB00
  Dword fill_word2;
  Dword fill_word3;
  Dword font_size;
};
static_assert(sizeof(GwState) == 32, "the drawing state is eight 32-bit words");

// Drawing messages.
enum : Dword {
  kGwMsgBegin = 10,
  kGwMsgFont = 11,
  kGwMsgFill = 12,
  kGwMsgPen = 13,
  kGwMsgPoint = 20,
  kGwMsgLine = 21,
  kGwMsgFillRect = 22,
  kGwMsgRect = 23,
  kGwMsgPathStart = 24,
  kGwMsgPathLine = 25,
  kGwMsgPathArc = 26,
  kGwMsgPathClose = 27,
  kGwMsgText = 31,
  kGwMsgTextHeight = 32,
  kGwMsgTextWidth = 33,
  kGwMsgDeviceHeight = 41,
  kGwMsgDeviceWidth = 42,
};

enum : Dword {
  kGwRotateCcw = 0x1,  // real x runs upwards
  kGwRotateCw = 0x2,   // real x runs downwards
};

constexpr Qlong kGwLogicalSize = 32768;
constexpr Dword kGwWhite = 0xFFFFFF00u;
// The invalid marker of the integer conversions: a coordinate that has none.
constexpr Qlong kGwInvalid = INT64_MIN;

class cKyGw {
 public:
  cKyGw(void* target, KyDrawCallback back_end);
  virtual ~cKyGw() = default;
  cKyGw(const cKyGw&) = delete;
  cKyGw& operator=(const cKyGw&) = delete;

  void Init();
  void Attach(void* target);
  void Begin();
  void SetPen(Dword colour, Dword width, Dword style, Dword word4);
  void SendPen();
  void SetFill(Dword colour, Dword word2, Dword word3);
  void SendFill();
  void SendFont();
  void FillAll(Dword colour);
  void Line(Qlong lx1, Qlong ly1, Qlong lx2, Qlong ly2);
  void LineReal(double x1, double y1, double x2, double y2);
  void FillRect(Qlong lx1, Qlong ly1, Qlong lx2, Qlong ly2);
  void Text(Qlong lx, Qlong ly, const char* text);
  Qlong TextHeight();
  Qlong TextWidth(const char* text);
  void Marker(Qlong lx, Qlong ly, Dword kind, Dword size);
  void MarkerReal(double x, double y, Dword kind, Dword size);

  void SetXRange(double range);
  void SetYRange(double range);
  void SetXMin(double v) { x_min_ = v; }
  void SetYMin(double v) { y_min_ = v; }

  Qlong XToLogical(double x, bool with_origin) const;
  Qlong YToLogical(double y, bool with_origin) const;
  double LogicalToX(Qlong l, bool with_origin) const;
  double LogicalToY(Qlong l, bool with_origin) const;

  // Device coordinates are computed wide and saturated to +-2^62; the
  // invalid marker in gives the invalid marker out.
  void LogicalToDevice(Qlong lx, Qlong ly, Qlong* x, Qlong* y) const;
  Qlong LogicalToDeviceX(Qlong lx) const;
  Qlong LogicalToDeviceY(Qlong ly) const;
  void DeviceToLogical(Qlong x, Qlong y, Qlong* lx, Qlong* ly) const;
  Qlong DeviceXToLogical(Qlong x) const;
  Qlong DeviceYToLogical(Qlong y) const;

  Qlong XToDevice(double x) const;
  Qlong YToDevice(double y) const;
  double DeviceXToReal(Qlong x) const;
  double DeviceYToReal(Qlong y) const;

  // Field access for the renderers and plots.
  Dword Orientation() const { return orientation_; }
  void SetOrientation(Dword flags) { orientation_ = flags; }
  void* Target() const { return target_; }
  KyDrawCallback BackEnd() const { return back_end_; }
  GwState& State() { return state_; }
  const GwState& State() const { return state_; }
  Qlong DeviceWidth() const { return device_width_; }
  Qlong DeviceHeight() const { return device_height_; }
  Qlong LogicalXOrigin() const { return lx_origin_; }
  Qlong LogicalXEnd() const { return lx_end_; }
  void SetLogicalWindow(Qlong x_origin, Qlong x_end, Qlong y_origin, Qlong y_end) {
    lx_origin_ = x_origin;
    lx_end_ = x_end;
    ly_origin_ = y_origin;
    ly_end_ = y_end;
  }
  void SetLogicalYOrigin(Qlong y_origin) { ly_origin_ = y_origin; }
  double XRange() const { return x_range_; }
  double YRange() const { return y_range_; }
  double XMin() const { return x_min_; }
  double YMin() const { return y_min_; }
  double XScale() const { return x_scale_; }
  double YScale() const { return y_scale_; }
  void SetYScale(double scale) { y_scale_ = scale; }
  void SetXScale(double scale) { x_scale_ = scale; }

 private:
  Qlong Send(Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2, const void* argument);
  Qlong DeviceSize(Dword message);

  Dword orientation_;
  void* target_;
  GwState state_;
  Qlong device_width_;
  Qlong device_height_;
  Qlong lx_origin_;
  Qlong lx_end_;
  Qlong ly_origin_;
  Qlong ly_end_;
  double x_range_;
  double y_range_;
  double x_min_;
  double y_min_;
  double x_scale_;
  double y_scale_;
  KyDrawCallback back_end_;
};

// Clips the segment to the box [0, w] x [0, h] in wide arithmetic: false
// when nothing of it lies inside (or a point is invalid).
bool GwClipSegment(Qlong* x1, Qlong* y1, Qlong* x2, Qlong* y2, Qlong w, Qlong h);
