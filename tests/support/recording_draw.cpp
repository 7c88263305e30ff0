#include "recording_draw.h"

#include <cstring>

Qlong RecordingDraw::Callback(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                              const void* state_or_text) {
  RecordingDraw* self = static_cast<RecordingDraw*>(target);
  RecordedDraw entry{message, x1, y1, x2, y2, GwState{}, std::string()};
  const bool is_text = message == kGwMsgText || message == kGwMsgTextWidth;
  if (is_text) {
    if (state_or_text) entry.text = static_cast<const char*>(state_or_text);
  } else if (state_or_text) {
    std::memcpy(&entry.state, state_or_text, sizeof(GwState));
  }
  self->log_.push_back(entry);
  switch (message) {
    case kGwMsgBegin:
    case kGwMsgFont:
      self->font_size_ = entry.state.font_size;
      return 0;
    case kGwMsgTextHeight:
      return self->font_size_;
    case kGwMsgTextWidth:
      return static_cast<Qlong>(6 * static_cast<Qword>(self->font_size_) * entry.text.size() / 10);
    case kGwMsgDeviceHeight:
      return self->height_;
    case kGwMsgDeviceWidth:
      return self->width_;
    default:
      return 0;
  }
}

std::vector<Dword> RecordingDraw::Messages() const {
  std::vector<Dword> out;
  for (const RecordedDraw& e : log_) out.push_back(e.message);
  return out;
}

size_t RecordingDraw::Count(Dword message) const {
  size_t n = 0;
  for (const RecordedDraw& e : log_) n += e.message == message;
  return n;
}

std::vector<RecordedDraw> RecordingDraw::Of(Dword message) const {
  std::vector<RecordedDraw> out;
  for (const RecordedDraw& e : log_)
    if (e.message == message) out.push_back(e);
  return out;
}
