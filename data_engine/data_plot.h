// The data plot: a cPlot filled from the data tree. The drawing target of
// its context is a 64-bit window id that also names what to show (the view
// code): bits 0-11 the item, bits 12-31 the block, bits 32-63 the view kind.
// The plot is built once, from the tree as it is then; it borrows rows of
// the nodes or holds copies of them, so it is rebuilt after the tree changes.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"
#include "framework/graphics/plot.h"

class cKyData;

// View kinds (bits 32-63 of the view code).
enum : Qword {
  kViewBlock = 0x1,  // one block of an item
  kViewBlocksSideBySide = 0x2,
  kViewCurve = 0x3,         // the item as a relaxation curve
  kViewDistribution = 0x4,  // the item's inverse-Laplace distribution
  kViewProfile = 0x6,       // the root as a dispersion profile
  kViewApodization = 0x10,  // one block with its reference and window
  kViewBlocksStacked = 0x20,
  kViewQarray = 0x40,        // the item's QARRAY table, rotated
  kViewCalibration = 0x100,  // the root as a relaxation curve
};

inline constexpr Qword ViewItem(Qword code) { return code & 0xFFF; }
inline constexpr Qword ViewBlock(Qword code) { return (code >> 12) & 0xFFFFF; }
inline constexpr Qword ViewKind(Qword code) { return code >> 32; }
inline constexpr Qword MakeViewCode(Qword kind, Qword item, Qword block) {
  return (kind << 32) | ((block & 0xFFFFF) << 12) | (item & 0xFFF);
}

// Plot kinds of the data plot (the cPlot kind word).
enum : Dword {
  kDataPlotCurve = 2,
  kDataPlotBlocks = 3,
  kDataPlotBlock = 4,
  kDataPlotDistribution = 5,
  kDataPlotProfile = 6,
  kDataPlotApodization = 100,
  kDataPlotQarray = 102,
};

// Bits of the plot flags that belong to the data plot.
enum : Dword {
  kDataPlotShowDatai = 0x1000000,
  kDataPlotShowMagn = 0x2000000,
  kDataPlotShowPowr = 0x4000000,
  kDataPlotShowComp = 0x8000000,
};

// Bits of the second word (cPlot::word3): where the y range comes from.
enum : Dword {
  kDataPlotRangeAllBlocks = 0x1,  // row statistics of row 1 of every block
  kDataPlotRangeWithImag = 0x2,   // ... and of row 2
};

class cKyDataPlot : public cPlot {
 public:
  // Builds the plot of the view its context's target names. On any failure
  // the plot is reset, `root` is null and `build_error` says why.
  cKyDataPlot(cKyData* data_root, cKyGw* context);
  ~cKyDataPlot() override;

  LibErrorCode BuildSeries(cKyData* node);
  LibErrorCode AddComplexSeries(cKyData* item, Qlong block);

  // The plot deletes its drawing context with itself (the plot command
  // that creates both hands the context over).
  void AdoptContext() { owns_context_ = true; }

  // Brings every "delta" series to the unit factor asked for (1, 10, 100 or
  // 1000). The factor applied so far is kept here, so repeated draws never
  // scale twice whatever the caller believes was applied.
  void SetDeltaFactor(double factor);

  cKyData* root;      // the data root (not owned); null when building failed
  Qlong block_index;  // block of the block and apodization views, else -1
  LibErrorCode build_error;
  double delta_factor;  // unit factor the "delta" series carry now

 private:
  LibErrorCode Build(cKyGw* context);
  LibErrorCode BuildCurve(cKyData* node);
  LibErrorCode BuildBlock(cKyData* item);
  LibErrorCode BuildBlocks(cKyData* item);
  LibErrorCode BuildDistribution(cKyData* node);
  LibErrorCode BuildProfile(cKyData* node);
  LibErrorCode BuildApodization(cKyData* item);
  LibErrorCode BuildQarray(cKyData* node);
  // Adds "fit" (row 3) and "delta" (row 1 - row 3) of the node.
  LibErrorCode AddFitAndDelta(cKyData* node);
  // The y range over the row statistics of every block of the item.
  void BlockStatisticsRange(cKyData* item, bool with_imag, double* lo, double* hi);
  void ScaleBlockView(cKyData* item);
  // Data ranges from the data object, then autoscaling with margins.
  void ScaleFromData();
  bool XAxisLogarithmic() const;

  bool owns_context_;
};

// A plot of the view, or null when the view has nothing to show, names no
// node or memory runs out.
cKyDataPlot* NewKyDataPlot(cKyData* data_root, cKyGw* context);
