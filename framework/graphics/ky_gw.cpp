#include "framework/graphics/ky_gw.h"

#include <cmath>

#include "scalar/int_helpers.h"

namespace {

__extension__ typedef __int128 Wide;

// Device and logical values stay well inside 64 bits so that differences and
// the +-d of the markers never overflow.
constexpr Qlong kSaturation = Qlong{1} << 62;
// Texts anchored farther than this outside the target are not sent: their
// coordinates could wrap in a back end, and no glyph of them would show.
constexpr Qlong kTextSlack = 16384;

Qlong Saturate(Wide v) {
  if (v > kSaturation) return kSaturation;
  if (v < -kSaturation) return -kSaturation;
  return static_cast<Qlong>(v);
}

Qlong DevX(Qlong v, Qlong w) {
  return Saturate((static_cast<Wide>(v) * w + kGwLogicalSize / 2) / kGwLogicalSize);
}

Qlong DevY(Qlong v, Qlong h) {
  return Saturate((kGwLogicalSize - static_cast<Wide>(v)) * h / kGwLogicalSize);
}

Qlong Flip(Qlong v) { return Saturate(kGwLogicalSize - static_cast<Wide>(v)); }

Qlong ToLogical(double value, double min, double scale, Qlong origin, bool with_origin) {
  const Qlong l = iFloor((value - min) * scale + 0.5);
  if (l == kGwInvalid) return kGwInvalid;
  if (!with_origin) return l;
  const Wide sum = static_cast<Wide>(l) + origin;
  if (sum > INT64_MAX) return INT64_MAX;
  if (sum <= INT64_MIN) return INT64_MIN + 1;
  return static_cast<Qlong>(sum);
}

double ToReal(Qlong l, double min, double scale, Qlong origin, bool with_origin) {
  if (l == kGwInvalid) return NAN;
  const double d =
      with_origin ? static_cast<double>(l) - static_cast<double>(origin) : static_cast<double>(l);
  return d / scale + min;
}

enum : Dword { kLeft = 1, kRight = 2, kBelow = 4, kAbove = 8 };

Dword Outcode(Wide x, Wide y, Wide w, Wide h) {
  Dword code = 0;
  if (x < 0) code |= kLeft;
  if (x > w) code |= kRight;
  if (y < 0) code |= kBelow;
  if (y > h) code |= kAbove;
  return code;
}

}  // namespace

bool GwClipSegment(Qlong* px1, Qlong* py1, Qlong* px2, Qlong* py2, Qlong w, Qlong h) {
  if (*px1 == kGwInvalid || *py1 == kGwInvalid || *px2 == kGwInvalid || *py2 == kGwInvalid)
    return false;
  Wide x1 = *px1, y1 = *py1, x2 = *px2, y2 = *py2;
  Dword c1 = Outcode(x1, y1, w, h);
  Dword c2 = Outcode(x2, y2, w, h);
  // Each pass moves one end onto a box edge, so four passes per end suffice.
  for (int pass = 0; pass < 8 && (c1 | c2); ++pass) {
    if (c1 & c2) return false;
    const Dword out = c1 ? c1 : c2;
    Wide x = 0, y = 0;
    if (out & kAbove) {
      x = x1 + (x2 - x1) * (h - y1) / (y2 - y1);
      y = h;
    } else if (out & kBelow) {
      x = x1 + (x2 - x1) * (0 - y1) / (y2 - y1);
      y = 0;
    } else if (out & kRight) {
      y = y1 + (y2 - y1) * (w - x1) / (x2 - x1);
      x = w;
    } else {
      y = y1 + (y2 - y1) * (0 - x1) / (x2 - x1);
      x = 0;
    }
    if (out == c1) {
      x1 = x;
      y1 = y;
      c1 = Outcode(x1, y1, w, h);
    } else {
      x2 = x;
      y2 = y;
      c2 = Outcode(x2, y2, w, h);
    }
  }
  if (c1 | c2) return false;
  *px1 = static_cast<Qlong>(x1);
  *py1 = static_cast<Qlong>(y1);
  *px2 = static_cast<Qlong>(x2);
  *py2 = static_cast<Qlong>(y2);
  return true;
}

cKyGw::cKyGw(void* target, KyDrawCallback back_end) : back_end_(back_end) {
  Init();
  Attach(target);
}

void cKyGw::Init() {
  orientation_ = 0;
  target_ = nullptr;
  state_ = GwState{0, 1, 0, 0, kGwWhite, 0, 0, 12};
  device_width_ = kGwLogicalSize;
  device_height_ = kGwLogicalSize;
  lx_origin_ = 0;
  lx_end_ = kGwLogicalSize;
  ly_origin_ = 0;
  ly_end_ = kGwLogicalSize;
  x_range_ = 1.0;
  y_range_ = 1.0;
  x_min_ = 0.0;
  y_min_ = 0.0;
  x_scale_ = static_cast<double>(kGwLogicalSize);
  y_scale_ = static_cast<double>(kGwLogicalSize);
}

Qlong cKyGw::Send(Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2, const void* argument) {
  if (!back_end_) return 0;
  return back_end_(target_, message, x1, y1, x2, y2, argument);
}

// A back end that answers 0 or less would make every later division fail;
// one pixel is the smallest target there is.
Qlong cKyGw::DeviceSize(Dword message) {
  const Qlong size = Send(message, 0, 0, 0, 0, &state_);
  if (size < 1) return 1;
  return size > kSaturation ? kSaturation : size;
}

void cKyGw::Attach(void* target) {
  if (target != target_) {
    Init();
    target_ = target;
  }
  if (target_ && back_end_) {
    device_height_ = DeviceSize(kGwMsgDeviceHeight);
    device_width_ = DeviceSize(kGwMsgDeviceWidth);
    Begin();
  }
}

void cKyGw::Begin() { Send(kGwMsgBegin, 0, 0, 0, 0, &state_); }

void cKyGw::SetPen(Dword colour, Dword width, Dword style, Dword word4) {
  state_.line_colour = colour;
  state_.line_width = width;
  state_.line_style = style;
  state_.pen_word4 = word4;
  SendPen();
}

void cKyGw::SendPen() {
  Send(kGwMsgPen, state_.line_colour, state_.line_width, state_.line_style, state_.pen_word4,
       &state_);
}

void cKyGw::SetFill(Dword colour, Dword word2, Dword word3) {
  state_.fill_colour = colour;
  state_.fill_word2 = word2;
  state_.fill_word3 = word3;
  SendFill();
}

void cKyGw::SendFill() { Send(kGwMsgFill, state_.fill_colour, 0, 0, 0, &state_); }

void cKyGw::SendFont() { Send(kGwMsgFont, 0, 0, 0, 0, &state_); }

void cKyGw::FillAll(Dword colour) {
  SetFill(colour, 0, 0);
  FillRect(0, 0, kGwLogicalSize, kGwLogicalSize);
}

void cKyGw::Line(Qlong lx1, Qlong ly1, Qlong lx2, Qlong ly2) {
  if (!back_end_) return;
  Qlong x1, y1, x2, y2;
  LogicalToDevice(lx1, ly1, &x1, &y1);
  LogicalToDevice(lx2, ly2, &x2, &y2);
  if (!GwClipSegment(&x1, &y1, &x2, &y2, device_width_, device_height_)) return;
  Send(kGwMsgLine, x1, y1, x2, y2, &state_);
}

void cKyGw::LineReal(double x1, double y1, double x2, double y2) {
  Line(XToLogical(x1, true), YToLogical(y1, true), XToLogical(x2, true), YToLogical(y2, true));
}

void cKyGw::FillRect(Qlong lx1, Qlong ly1, Qlong lx2, Qlong ly2) {
  if (!back_end_) return;
  Qlong x1, y1, x2, y2;
  LogicalToDevice(lx1, ly1, &x1, &y1);
  LogicalToDevice(lx2, ly2, &x2, &y2);
  if (x1 == kGwInvalid || x2 == kGwInvalid) return;
  if (x1 > x2) {
    const Qlong t = x1;
    x1 = x2;
    x2 = t;
  }
  if (y1 < y2) {
    const Qlong t = y1;
    y1 = y2;
    y2 = t;
  }
  if (x1 < 0) x1 = 0;
  if (x2 > device_width_) x2 = device_width_;
  if (y2 < 0) y2 = 0;
  if (y1 > device_height_) y1 = device_height_;
  if (x1 > x2 || y2 > y1) return;
  Send(kGwMsgFillRect, x1, y1, x2, y2, &state_);
}

void cKyGw::Text(Qlong lx, Qlong ly, const char* text) {
  if (!back_end_ || !text || !text[0]) return;
  Qlong x, y;
  LogicalToDevice(lx, ly, &x, &y);
  if (x == kGwInvalid) return;
  if (x < -kTextSlack || x > device_width_ + kTextSlack || y < -kTextSlack ||
      y > device_height_ + kTextSlack)
    return;
  Send(kGwMsgText, x, y, 0, state_.line_colour, text);
}

Qlong cKyGw::TextHeight() {
  const Qlong h = Send(kGwMsgTextHeight, 0, 0, 0, 0, &state_);
  return Saturate(static_cast<Wide>(h) * kGwLogicalSize / device_height_);
}

Qlong cKyGw::TextWidth(const char* text) {
  const Qlong w = Send(kGwMsgTextWidth, 0, 0, 0, 0, text ? text : "");
  return Saturate(static_cast<Wide>(w) * kGwLogicalSize / device_width_);
}

void cKyGw::Marker(Qlong lx, Qlong ly, Dword kind, Dword size) {
  if (!back_end_) return;
  Qlong x, y;
  LogicalToDevice(lx, ly, &x, &y);
  if (x == kGwInvalid) return;
  const Qlong d = size;
  auto line = [&](Qlong ax, Qlong ay, Qlong bx, Qlong by) {
    if (GwClipSegment(&ax, &ay, &bx, &by, device_width_, device_height_))
      Send(kGwMsgLine, ax, ay, bx, by, &state_);
  };
  switch (kind) {
    case 1:
      line(x - d, y - d, x - d, y + d);
      line(x - d, y + d, x + d, y + d);
      line(x + d, y + d, x + d, y - d);
      line(x + d, y - d, x - d, y - d);
      break;
    case 2:
      line(x - d, y - d, x + d, y + d);
      line(x - d, y + d, x + d, y - d);
      break;
    case 3: {
      const Qlong h = d >> 1;
      line(x - d, y - h, x - 1, y);
      line(x - d, y + h, x - 1, y);
      line(x + 1, y, x + d, y - h);
      line(x + 1, y, x + d, y + h);
      line(x, y + d, x, y - d);
      break;
    }
    default:
      if (x >= 0 && x <= device_width_ && y >= 0 && y <= device_height_)
        Send(kGwMsgPoint, x, y, 0, 0, &state_);
      break;
  }
}

void cKyGw::MarkerReal(double x, double y, Dword kind, Dword size) {
  Marker(XToLogical(x, true), YToLogical(y, true), kind, size);
}

void cKyGw::SetXRange(double range) {
  x_range_ = range == 0.0 ? 1.0 : range;
  x_scale_ = static_cast<double>(kGwLogicalSize) / x_range_;
}

void cKyGw::SetYRange(double range) {
  y_range_ = range == 0.0 ? 1.0 : range;
  y_scale_ = static_cast<double>(kGwLogicalSize) / y_range_;
}

Qlong cKyGw::XToLogical(double x, bool with_origin) const {
  return ToLogical(x, x_min_, x_scale_, lx_origin_, with_origin);
}

Qlong cKyGw::YToLogical(double y, bool with_origin) const {
  return ToLogical(y, y_min_, y_scale_, ly_origin_, with_origin);
}

double cKyGw::LogicalToX(Qlong l, bool with_origin) const {
  return ToReal(l, x_min_, x_scale_, lx_origin_, with_origin);
}

double cKyGw::LogicalToY(Qlong l, bool with_origin) const {
  return ToReal(l, y_min_, y_scale_, ly_origin_, with_origin);
}

Qlong cKyGw::LogicalToDeviceX(Qlong lx) const {
  return lx == kGwInvalid ? kGwInvalid : DevX(lx, device_width_);
}

Qlong cKyGw::LogicalToDeviceY(Qlong ly) const {
  return ly == kGwInvalid ? kGwInvalid : DevY(ly, device_height_);
}

void cKyGw::LogicalToDevice(Qlong lx, Qlong ly, Qlong* x, Qlong* y) const {
  if (lx == kGwInvalid || ly == kGwInvalid) {
    *x = kGwInvalid;
    *y = kGwInvalid;
    return;
  }
  if (orientation_ & kGwRotateCcw) {
    *x = DevX(Flip(ly), device_width_);
    *y = DevY(lx, device_height_);
  } else if (orientation_ & kGwRotateCw) {
    *x = DevX(ly, device_width_);
    *y = DevY(Flip(lx), device_height_);
  } else {
    *x = DevX(lx, device_width_);
    *y = DevY(ly, device_height_);
  }
}

Qlong cKyGw::DeviceXToLogical(Qlong x) const {
  return Saturate((static_cast<Wide>(x) * kGwLogicalSize + (device_width_ >> 1)) / device_width_);
}

Qlong cKyGw::DeviceYToLogical(Qlong y) const {
  return Saturate(kGwLogicalSize -
                  (static_cast<Wide>(y) * kGwLogicalSize + (device_height_ >> 1)) / device_height_);
}

void cKyGw::DeviceToLogical(Qlong x, Qlong y, Qlong* lx, Qlong* ly) const {
  const Qlong a = DeviceXToLogical(x);
  const Qlong b = DeviceYToLogical(y);
  if (orientation_ & kGwRotateCcw) {
    *lx = b;
    *ly = Flip(a);
  } else if (orientation_ & kGwRotateCw) {
    *lx = Flip(b);
    *ly = a;
  } else {
    *lx = a;
    *ly = b;
  }
}

Qlong cKyGw::XToDevice(double x) const {
  Qlong dx, dy;
  LogicalToDevice(XToLogical(x, true), 0, &dx, &dy);
  return (orientation_ & (kGwRotateCcw | kGwRotateCw)) ? dy : dx;
}

Qlong cKyGw::YToDevice(double y) const {
  Qlong dx, dy;
  LogicalToDevice(0, YToLogical(y, true), &dx, &dy);
  return (orientation_ & (kGwRotateCcw | kGwRotateCw)) ? dx : dy;
}

double cKyGw::DeviceXToReal(Qlong x) const {
  Qlong lx, ly;
  DeviceToLogical(x, 0, &lx, &ly);
  return (orientation_ & (kGwRotateCcw | kGwRotateCw)) ? LogicalToY(ly, true)
                                                       : LogicalToX(lx, true);
}

double cKyGw::DeviceYToReal(Qlong y) const {
  Qlong lx, ly;
  DeviceToLogical(0, y, &lx, &ly);
  return (orientation_ & (kGwRotateCcw | kGwRotateCw)) ? LogicalToX(lx, true)
                                                       : LogicalToY(ly, true);
}
