// Graphics scene tree: a cGrob is a list item that owns a child list (cGrol)
// and draws itself before and after its children through a cKyGw.
#pragma once
#include "base/types.h"
#include "framework/graphics/ky_gw.h"
#include "framework/ky_list.h"

class cGrob;
class cGrol;

enum : Dword {
  kGrobHidden = 0x10000u,
  kGrolForward = 0x1u,  // children first to last
};

typedef Dword (*GrobFunction)(cGrob* child, cKyGw* context, Dword call_flags);

class cGrol : public cKyList {
 public:
  cGrol(Dword flags, cGrob* owner) : flags_(flags), owner_(owner) {}
  Dword ForEach(GrobFunction function, cKyGw* context, Dword call_flags);
  void Draw(cKyGw* context, Dword call_flags);
  bool IsHidden() const { return (flags_ & kGrobHidden) != 0; }
  void SetGrolFlags(Dword flags) { flags_ = flags; }

 private:
  Dword flags_;
  cGrob* owner_;
};

class cGrob : public cKyListItem {
 public:
  cGrob(Dword flags, Dword word2);
  ~cGrob() override;

  virtual void DrawBefore(cKyGw* context, Dword call_flags);
  virtual void DrawAfter(cKyGw* context, Dword call_flags);

  void AddChild(cGrob* child);
  void Draw(cKyGw* context, Dword call_flags);
  static Dword DrawChild(cGrob* child, cKyGw* context, Dword call_flags);
  bool IsHidden() const { return (grob_flags_ & kGrobHidden) != 0; }

  // x range := |x2 - x1|, x min := the smaller, y likewise.
  void SetRanges(cKyGw* context, double x1, double x2, double y1, double y2, bool redraw);
  // Scales y by the factor about the value, which keeps its logical position.
  void ZoomY(cKyGw* context, double factor, double value, bool redraw);

  Dword GrobFlags() const { return grob_flags_; }
  void SetGrobFlags(Dword flags) { grob_flags_ = flags; }
  cGrol* Children() { return children_; }
  cKyGw* Context() const { return context_; }
  void SetContext(cKyGw* context) { context_ = context; }

 protected:
  cKyGw* Resolve(cKyGw* context) const { return context ? context : context_; }

 private:
  Dword grob_flags_;
  Dword word2_;
  cGrol* children_;
  cKyGw* context_;
};
