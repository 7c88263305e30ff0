#include "app/ui/number_input.h"

#include <FL/Fl.H>

std::string WithDecimalPoint(const char* text, int length) {
  std::string s;
  if (text != nullptr && length > 0) s.assign(text, static_cast<size_t>(length));
  for (char& c : s)
    if (c == ',') c = '.';
  return s;
}

cNumberInput::cNumberInput(int x, int y, int w, int h, const char* label, Kind kind)
    : Fl_Input(x, y, w, h, label), kind_(kind) {
  // A plain text field: the float and integer types would drop characters.
  type(FL_NORMAL_INPUT);
}

int cNumberInput::handle(int event) {
  const bool text_in =
      event == FL_PASTE || (event == FL_KEYBOARD && !Fl::event_state(FL_CTRL | FL_ALT | FL_META));
  if (kind_ != kReal || !text_in || readonly() || Fl::event_length() <= 0)
    return Fl_Input::handle(event);
  const char* text = Fl::event_text();
  bool comma = false;
  for (int i = 0; i < Fl::event_length(); ++i) comma = comma || text[i] == ',';
  if (!comma) return Fl_Input::handle(event);
  const std::string point = WithDecimalPoint(text, Fl::event_length());
  replace(position(), mark(), point.c_str(), static_cast<int>(point.size()));
  return 1;
}
