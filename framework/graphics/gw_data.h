// The data layer of a plot: a chain of named real arrays (cGwArr), the first
// of which gives the x values of all others, drawn in one of the multi-block
// layouts of the owning plot by the curve renderer (DrawCurve), which thins
// dense data to one vertical stroke per device column.
#pragma once
#include "base/types.h"
#include "framework/graphics/grob.h"

class cPlot;
class cGwData;

// Array flags.
enum : Dword {
  kGwArrHidden = 0x1,
  kGwArrNoRange = 0x2,
  kGwArrNoLines = 0x1000,
  kGwArrNoMarkers = 0x2000,
  kGwArrAllMarkers = 0x4000,
  kGwArrBorrowed = 0x40000000u,
  kGwArrOwned = 0x80000000u,
};

// Layout bits of the owning plot's flags word.
enum : Dword {
  kPlotFull = 0x1,
  kPlotBlocks = 0x2,
  kPlotOverlaid = 0x10,
  kPlotSideBySide = 0x20,
  kPlotStacked = 0x40,
  kPlotEveryPoint = 0x400,
  kPlotRowLines = 0x400000,
  kPlotBlockLines = 0x800000,
  kPlotRotatedCcw = 0x20000000u,
  kPlotRotatedCw = 0x40000000u,
};

constexpr Dword kGwGrey = 0x80808000u;

class cGwArr {
 public:
  cGwArr(const double* values, Qword count, Qword block_index, Dword flags, const char* name,
         Dword colour, Dword line_width, bool copy);
  virtual ~cGwArr();
  cGwArr(const cGwArr&) = delete;
  cGwArr& operator=(const cGwArr&) = delete;

  void Reset();
  // Minimum and maximum of the values (NaN skipped; 0 and 1 without a
  // number) and the direction, for values changed after construction.
  void UpdateRange();
  void SetName(const char* text);
  static cGwArr* FindByName(const char* name, cGwArr* start);

  Dword flags;
  Qword count;
  double* values;
  char* name;
  Dword colour;
  Dword line_width;
  Dword marker_kind;
  Dword marker_size;
  double min;
  double max;
  Qlong direction;
  Qword block_index;
  cGwArr* previous;
  cGwArr* next;
  cGwData* owner;
};

class cGwData : public cGrob {
 public:
  cGwData();
  ~cGwData() override;

  void Clear();
  cGwArr* AddArray(const double* values, Qword count, Qword block_index, const char* name,
                   Dword colour, Dword flags, bool copy);
  // Unlinks the array from the chain and deletes it; false when it is not
  // one of this object's arrays.
  bool RemoveArray(cGwArr* array);
  Dword ArrayCount() const;
  cGwArr* FirstArray() const { return first_; }
  cGwArr* LastArray() const;
  void HideByName(const char* name);
  void ShowByName(const char* name);
  void SetVisibleKinds(Dword display_flags);
  void SetTitle(const char* text);
  const char* Title() const { return description_; }
  void GetXRange(double* min, double* max);
  void GetYRange(double* min, double* max);
  void DrawBefore(cKyGw* context, Dword call_flags) override;

  cPlot* Plot() const { return plot_; }
  void SetPlot(cPlot* plot) { plot_ = plot; }
  // The reference array; the first array becomes it when none is set.
  cGwArr* Reference();
  Qword RowCount() const { return row_count_; }
  void SetRowCount(Qword rows) { row_count_ = rows; }

 private:
  void DrawStacked(cKyGw* gw, Dword plot_flags);
  void DrawSideBySide(cKyGw* gw, Dword plot_flags);

  cPlot* plot_;
  cGwArr* first_;
  cGwArr* reference_;
  char* description_;
  Qword row_count_;
};

void DrawSeries(cKyGw* context, Dword plot_flags, const cGwArr* reference, const cGwArr* array);
void DrawCurve(cKyGw* context, Dword plot_flags, Dword array_flags, Qword count, const double* x,
               const double* y, Dword colour, Dword line_width, Dword marker_kind,
               Dword marker_size);
Dword CurveColour(Qword count, Qword index);

// The plot's flags word (defined with the plot).
Dword PlotFlagsOf(const cPlot* plot);
