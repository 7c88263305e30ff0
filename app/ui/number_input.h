// A number field that drops no typed character. FLTK's float and integer
// inputs silently swallow what they do not take ("0,7" typed became "07").
// Here every character stays; in a field of real numbers a decimal comma is
// taken as the decimal separator and written as "." (so the texts stored
// from it keep "."), and whoever reads a field refuses a text that is not a
// number with an alert naming the field.
#pragma once
#include <FL/Fl_Input.H>

#include <string>

class cNumberInput : public Fl_Input {
 public:
  enum Kind { kReal, kInteger };
  cNumberInput(int x, int y, int w, int h, const char* label, Kind kind);
  int handle(int event) override;
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// The text of a real-number field with every decimal comma written as ".".
std::string WithDecimalPoint(const char* text, int length);
