#include "app/ui/share_tile.h"

#include <algorithm>
#include <cmath>

#include "base/double_to_int.h"

void cShareTile::Panes(Fl_Widget* top, Fl_Widget* bottom) {
  top_ = top;
  bottom_ = bottom;
  TakeShare();
}

void cShareTile::TakeShare() {
  if (top_ == nullptr || bottom_ == nullptr) return;
  const int column = top_->h() + bottom_->h();
  if (column > 0) share_ = static_cast<double>(top_->h()) / column;
}

void cShareTile::resize(int x, int y, int w, int h) {
  Fl_Tile::resize(x, y, w, h);
  if (top_ == nullptr || bottom_ == nullptr) return;
  // The column spans the tile's height; widths and left edges are the
  // tile's own business.
  const int upper = std::clamp(static_cast<int>(DoubleToLong(std::round(share_ * h))), 0, h);
  top_->resize(top_->x(), y, top_->w(), upper);
  bottom_->resize(bottom_->x(), y + upper, bottom_->w(), h - upper);
  top_->redraw();
  bottom_->redraw();
}

int cShareTile::handle(int event) {
  const int handled = Fl_Tile::handle(event);
  // A dragged divider: the new heights are the new share.
  if (event == FL_DRAG || event == FL_RELEASE) TakeShare();
  return handled;
}
