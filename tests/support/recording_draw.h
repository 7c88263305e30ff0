// A recording drawing back end: every drawing message is logged with its
// arguments and a copy of the drawing state (or of the text), text extents
// are answered deterministically (width = 0.6 x font size x characters,
// height = font size) and the target size comes from the configured width
// and height. Pass the recorder itself as the target.
#pragma once
#include <string>
#include <vector>

#include "framework/graphics/ky_gw.h"

struct RecordedDraw {
  Dword message;
  Qlong x1, y1, x2, y2;
  GwState state;     // the state at the message (zeros for text messages)
  std::string text;  // messages 31 and 33
};

class RecordingDraw {
 public:
  RecordingDraw(Qlong width = 1000, Qlong height = 1000) : width_(width), height_(height) {}

  static Qlong Callback(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                        const void* state_or_text);

  void SetSize(Qlong width, Qlong height) {
    width_ = width;
    height_ = height;
  }
  void Clear() { log_.clear(); }
  const std::vector<RecordedDraw>& Log() const { return log_; }
  std::vector<Dword> Messages() const;
  size_t Count(Dword message) const;
  // The messages of one number, in order.
  std::vector<RecordedDraw> Of(Dword message) const;
  Dword FontSize() const { return font_size_; }

 private:
  Qlong width_;
  Qlong height_;
  Dword font_size_ = 12;
  std::vector<RecordedDraw> log_;
};
