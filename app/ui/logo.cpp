// The logo of the start page and the window icon: a decaying oscillation
// over a baseline, drawn from a formula into built-in image data.
#include <FL/Fl_Pixmap.H>
#include <FL/Fl_RGB_Image.H>

#include <cmath>
#include <string>
#include <vector>

#include "app/ui/main_window.h"

namespace {

constexpr int kLogoW = 390, kLogoH = 95;

// 0 none, 1 dark (#1D1D1B), 2 blue (#2B4294).
std::vector<unsigned char> Picture(int w, int h, int stroke) {
  std::vector<unsigned char> px(static_cast<size_t>(w) * h, 0);
  const double mid = h * 0.5, amp = h * 0.42;
  auto put = [&](int x, int y, unsigned char v) {
    if (x >= 0 && x < w && y >= 0 && y < h) px[static_cast<size_t>(y) * w + x] = v;
  };
  for (int x = 0; x < w; ++x) put(x, static_cast<int>(mid), 1);
  double prev = mid;
  for (int x = 0; x < w; ++x) {
    const double t = static_cast<double>(x) / w;
    const double y = mid - amp * std::exp(-4.0 * t) * std::cos(2.0 * M_PI * 9.0 * t);
    const int lo = static_cast<int>(std::floor(std::fmin(prev, y))) - stroke / 2;
    const int hi = static_cast<int>(std::ceil(std::fmax(prev, y))) + stroke / 2;
    for (int yy = lo; yy <= hi; ++yy) put(x, yy, 2);
    prev = y;
  }
  return px;
}

}  // namespace

Fl_Pixmap* NewLogoPixmap() {
  static std::vector<std::string> rows;
  static std::vector<const char*> data;
  if (data.empty()) {
    const std::vector<unsigned char> px = Picture(kLogoW, kLogoH, 3);
    rows.push_back(std::to_string(kLogoW) + " " + std::to_string(kLogoH) + " 3 1");
    rows.push_back("  c None");
    rows.push_back(". c #1D1D1B");
    rows.push_back("+ c #2B4294");
    static const char kChar[3] = {' ', '.', '+'};
    for (int y = 0; y < kLogoH; ++y) {
      std::string row(kLogoW, ' ');
      for (int x = 0; x < kLogoW; ++x) row[x] = kChar[px[static_cast<size_t>(y) * kLogoW + x]];
      rows.push_back(row);
    }
    for (const std::string& r : rows) data.push_back(r.c_str());
  }
  return new Fl_Pixmap(data.data());
}

const Fl_RGB_Image* AppIcon() {
  constexpr int kSide = 32;
  static std::vector<unsigned char> rgba;
  static Fl_RGB_Image* icon = nullptr;
  if (icon == nullptr) {
    const std::vector<unsigned char> px = Picture(kSide, kSide, 1);
    rgba.resize(static_cast<size_t>(kSide) * kSide * 4);
    for (size_t i = 0; i < px.size(); ++i) {
      unsigned char* p = &rgba[i * 4];
      if (px[i] == 2) {
        p[0] = 0x2B, p[1] = 0x42, p[2] = 0x94, p[3] = 255;
      } else if (px[i] == 1) {
        p[0] = 0x1D, p[1] = 0x1D, p[2] = 0x1B, p[3] = 255;
      } else {
        p[0] = p[1] = p[2] = 255, p[3] = 255;
      }
    }
    icon = new Fl_RGB_Image(rgba.data(), kSide, kSide, 4);
  }
  return icon;
}
