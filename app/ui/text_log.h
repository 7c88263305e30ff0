// A text display that owns its text buffer (FLTK's display does not), so
// deleting a page or the workspace frees its logs.
#pragma once
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

// Removes everything after the last "-\n\n" of a log buffer (the end of its
// header): the reports of an earlier run go.
void ClearLogReports(Fl_Text_Buffer* buffer);

class cTextLog : public Fl_Text_Display {
 public:
  cTextLog(int x, int y, int w, int h) : Fl_Text_Display(x, y, w, h) {
    buffer(new Fl_Text_Buffer(0, 1024));
  }
  ~cTextLog() override {
    Fl_Text_Buffer* owned = buffer();
    buffer(nullptr);
    delete owned;
  }
};
