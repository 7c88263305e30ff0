// A tile whose left column holds two panes one above the other (the
// calibration table over the calibration log). FLTK's tile moves an edge
// above its resizable box only when the window gets too small for it, and
// never back, so the upper pane shrank for good; here the two panes keep
// their share of the height at every size, and dragging the divider
// between them sets a new share.
#pragma once
#include <FL/Fl_Tile.H>

class cShareTile : public Fl_Tile {
 public:
  cShareTile(int x, int y, int w, int h) : Fl_Tile(x, y, w, h) {}
  // The panes whose heights are shared; `top` sits directly above `bottom`.
  void Panes(Fl_Widget* top, Fl_Widget* bottom);
  double share() const { return share_; }

  void resize(int x, int y, int w, int h) override;
  int handle(int event) override;

 private:
  void TakeShare();
  Fl_Widget* top_ = nullptr;
  Fl_Widget* bottom_ = nullptr;
  double share_ = 0.5;  // the upper pane's part of the column's height
};
