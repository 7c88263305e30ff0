// The data tree node: the root the record holds, its items (zones) and
// their blocks. Every node carries the same fields: flags, source names,
// parameters, the x axis, a matrix of rows x points with per-point and
// per-row flags, ten statistics per row, twenty results and one owned
// linked node (the previous tree at the root, a companion below it).
#pragma once
#include "base/error_codes.h"
#include "base/types.h"
#include "framework/ky_asci_pars.h"
#include "framework/ky_list.h"

struct Evp;
struct KyAppRecord;

// Node flags.
enum : Dword {
  kKyDataSelected = 0x1u,
  kKyDataTimeDomain = 0x1000000u,
  kKyDataFrequencyDomain = 0x2000000u,
  kKyDataDosyResult = 0x4000000u,
};

// Data type codes.
enum : Qword {
  kKyDataText = 1,
  kKyDataJson = 2,
  kKyDataXml = 3,
  kKyDataJcamp = 4,
  kKyDataStelar = 5,
  kKyDataRs = 6,
  kKyDataOxford = 7,
  kKyDataBruker = 8,
  kKyDataVarian = 9,
  kKyDataExcel = 10,
  kKyDataClipboard = 11,
  kKyDataSimulation = 12,
  kKyDataRelaxCurve = 14,
  kKyDataFfcProfile = 15,
};

// Row flags.
enum : Dword {
  kKyRowData = 0,
  kKyRowProfile = 1,  // set on every row by the FFCPROFILE procedure
  kKyRowResult = 2,   // a result row that StoreRow may overwrite
};

// Row statistics: ten per row.
enum : Qword {
  kKyStatCount = 10,
  kKyStatNoise = 3,
  kKyStatMean = 4,
  kKyStatMin = 5,
  kKyStatMax = 6,
  kKyStatMaxMagnitude = 7,
  kKyStatMaxPower = 8,
  kKyStatScale = 9,
};

inline constexpr Qword kKyDataResultCount = 20;

// Versions kept behind the current root besides the oldest one: a push
// that makes the chain longer drops the version after the last kept one,
// so the chain holds at most kKyUndoKeep + 1 previous trees.
inline constexpr Qword kKyUndoKeep = 16;

// Name of a data type code ("BRUKER"), or null for 13 and unknown codes.
VELTRIA_CLASS const char* DataTypeName(Qword code);

class VELTRIA_CLASS cKyData : public cKyListItem, public cKyList {
 public:
  explicit cKyData(int node_flags = 0);
  // A failed copy leaves the new node empty (see CopyFrom).
  cKyData(const cKyData& source);
  ~cKyData() override;
  cKyData& operator=(const cKyData& source);

  // Deep copy of everything but the own place in a list: all or nothing. On
  // failure (0x80001) this node is unchanged. The linked node becomes a copy
  // of the source's when the source has a parent, else null; the node's own
  // previous linked node is deleted either way.
  LibErrorCode CopyFrom(const cKyData& source);
  // A new deep copy, or null when memory runs out.
  static cKyData* NewCopy(const cKyData& source);
  // Back to the empty state; children are deleted, the linked node stays,
  // the as-loaded data goes.
  void Clear();

  // The item's data as it was loaded, kept with the item from the first
  // snapshot that holds it on (KyDataKeepAsLoaded), whatever the trimming of
  // the version chain drops. Copies of the item share it; it never changes.
  const cKyData* AsLoaded() const { return as_loaded; }
  // Records the node's present state as its as-loaded data unless it has
  // some already; 0x80001 when memory runs out.
  LibErrorCode KeepAsLoaded();
  // The node becomes a copy of its as-loaded data again (and keeps it):
  // 14 when it has none, 0x80001 when memory runs out (node unchanged).
  LibErrorCode RestoreAsLoaded();

  // Matrix.
  LibErrorCode SetSize(Qword points, Qword rows, Qword grid_type, double first, double last);
  // SetSize for a caller that writes every value of the new matrix itself
  // before anything reads it (a file decoder): the values are not zeroed
  // first, which would cost a pass over the whole matrix.
  LibErrorCode SetSizeToOverwrite(Qword points, Qword rows, Qword grid_type, double first,
                                  double last);
  LibErrorCode AllocateMatrix();
  void FreeMatrix();
  Qword ValueCount() const { return rows * points; }
  // A row to read or write. Copies share their matrix until one of them is
  // written: a node that shares it takes its own copy here first (null when
  // memory runs out for that copy).
  double* Row(Qword r) const {
    if (shares_ && !Unshare()) return nullptr;
    return (r < rows && matrix) ? matrix + r * points : nullptr;
  }
  // Gives this node its own matrix and point flags when it shares them
  // (Row does so by itself; code that writes through `matrix` or
  // `point_flags` calls it first). False when memory runs out (nothing
  // changed).
  bool Unshare() const;
  // Unshare on the node, every node below it and their companions, as a
  // procedure that runs on the node may write any of them.
  LibErrorCode UnshareTree();
  // True when the matrix is shared with another node.
  bool SharesMatrix() const { return shares_ != nullptr && *shares_ > 1; }
  double Value(Qword point, Qword row, bool scaled);
  LibErrorCode SetRow(const double* values, Qword count, Qword r);
  LibErrorCode AppendRow(const double* values, Qword count, Qword* row_index);
  LibErrorCode ReallocRows(Qword kept);
  LibErrorCode StoreRow(const double* values);
  LibErrorCode ResizePoints(Qword k, Qword n);
  LibErrorCode ExtractRow(double** out, Qword* count, Qword row, double factor);
  LibErrorCode ExtractComplexRows(double** out, Qword* count, Qword row, double factor);
  double RowStatistic(Qword row, Qword k);
  LibErrorCode ComputeRowStatistic(Qword row, Qword k, Qword first, Qword last);
  // Statistic slot k of row r (no computation); null when it does not exist.
  double* StatisticSlot(Qword row, Qword k) const;
  static LibErrorCode MergeIltResult(cKyData* node, const double* x, const double* y, Qword count);

  // Tree.
  void AddChild(cKyData* child);
  cKyData* FirstChild() const;
  cKyData* LastChild() const;
  cKyData* NextSibling() const;
  Dword ChildCount() const { return Count(); }
  cKyData* Child(Qword i) const;
  cKyData* Parent() const;
  cKyData* Root(Qword* depth = nullptr);
  Qword Depth() const;
  Qword Height() const;
  Dword SiblingCount() const;
  Dword SiblingIndex() const;
  cKyData* ParameterOwner();
  const char* ExperimentName();
  cKyData* ChildWithMaxStatistic(Qword k);

  // Node flags (the list item keeps its own flag word apart).
  void SetFlags(Dword bits, bool recursive);
  void ClearFlags(Dword bits, bool recursive);
  Dword TestFlags(Dword bits) const { return node_flags & bits; }
  Dword CountChildrenWithFlags(Dword bits, bool* all = nullptr) const;

  // Import and export. Import is called on the data root: 12 simulated
  // data, 14 a relaxation curve, 15 a dispersion profile; 1 to 4, 10 and 11
  // answer 9, other codes 65. Export writes code 10 (comma-separated text).
  LibErrorCode Import(Qword data_type, const char16_t* path);
  LibErrorCode Export(Qword data_type, Dword flags, const char16_t* path);
  // Two-column text files; on any error the node is left as it was.
  LibErrorCode ImportRelaxCurveText(const char16_t* path);
  LibErrorCode ImportFfcProfileText(const char16_t* path);

  // Task scripts and evaluation records.
  LibErrorCode RunTask(const char* script, KyAppRecord* record);
  LibErrorCode RunTaskCommand(const char* command, KyAppRecord* record);
  LibErrorCode ExecuteEvp(Evp* evp, KyAppRecord* record);
  LibErrorCode RouteEvp(Evp* evp, KyAppRecord* record);
  LibErrorCode RunEvpOnTree(Evp* evp, KyAppRecord* record);
  LibErrorCode PrepareEvp(Evp* evp, KyAppRecord* record);
  LibErrorCode RunEvp(Evp* evp, KyAppRecord* record);

  // Fields, in the order of the node's layout.
  Dword node_flags = 0;
  Qword data_type = 0;
  const char* type_name = nullptr;  // points at the DataTypeName constant
  char* experiment_name = nullptr;
  Qword processing_state = kNoIndex;
  char16_t* file_name = nullptr;
  char16_t* folder = nullptr;
  char16_t* full_path = nullptr;
  char16_t* last_csv_path = nullptr;
  cKyAsciPars parameters;
  char* default_script = nullptr;
  Qword x_grid_type = 0;
  double x_first = 1.0;
  double x_last = 1.0;
  double x_scale = 1.0;
  double x_offset = 0.0;
  char* x_unit = nullptr;
  Qword rows = 0;
  Qword points = 0;
  double* matrix = nullptr;
  Dword* point_flags = nullptr;
  double* row_statistics = nullptr;
  Dword* row_flags = nullptr;
  double results[kKyDataResultCount];
  cKyData* linked = nullptr;

 private:
  // Shared, never written; `holders` counts the nodes that point at it.
  cKyData* as_loaded = nullptr;
  mutable Qword holders = 0;
  void SetAsLoaded(cKyData* node);
  // Navigation caches, each valid while cKyList::ShapeCounter() equals its
  // stamp: the height, this node's index among its siblings; and the child
  // last reached by Child (so walking the children by index is linear),
  // valid while OwnShapeCounter() equals its stamp.
  mutable Qword height_ = 0, height_stamp_ = 0;
  mutable Dword sibling_index_ = 0;
  mutable Qword sibling_stamp_ = 0;
  mutable cKyData* cursor_ = nullptr;
  mutable Qword cursor_index_ = 0, cursor_stamp_ = 0;
  // Copies share the matrix and the point flags (never the statistics or
  // row flags, which reads update): `shares_` counts the nodes holding them,
  // null while this node holds them alone.
  mutable Qword* shares_ = nullptr;
  // The matrix and point flags of `source`, shared (copied when the count
  // cannot be made).
  LibErrorCode ShareArrays(const cKyData& source);
  // Lets go of shared arrays: the pointers go null unless this node was the
  // last holder, in which case they are its own again (to free or keep).
  void ReleaseShared();
  // Everything but the children and the linked node, into a fresh node.
  LibErrorCode CopyOwnFields(const cKyData& source);
  // Takes over the fields, children and linked node of `other`, which is
  // left empty; the node's own old contents go to `other`.
  void SwapContents(cKyData& other);
  // Deletes the linked node and the chain behind it without recursion.
  void DeleteLinked();
};

// CSV export flags.
enum : Dword {
  kCsvChildren = 0x1,
  kCsvLinked = 0x2,
  kCsvChannels = 0x4,
  kCsvNoX = 0x8,
  kCsvXOnce = 0x10,
  kCsvTwoRows = 0x20,
  kCsvFlags = 0x40,
  kCsvPointFlags = 0x80,
  kCsvQval = 0x100,
  kCsvResults = 0x200,
};
// Writes the node as comma-separated text to a new file (an existing file
// is never replaced: 48); a null path asks the user.
VELTRIA_CLASS LibErrorCode ExportCsv(cKyData* node, Dword flags, const char16_t* path);

// The version chain of the root held at *holder.
// Deep copy of the held tree that becomes the held node, the old tree linked
// behind it; the chain is then trimmed to the oldest version plus the last
// kKyUndoKeep. Null (holder unchanged) when memory runs out.
VELTRIA_CLASS cKyData* KyDataPushPrevious(cKyData** holder);
// Drops the held tree and makes the previous one current; null (nothing
// changed) without a holder, a tree or a previous version.
VELTRIA_CLASS cKyData* KyDataPopPrevious(cKyData** holder);
// Every item of the held tree that has no as-loaded data yet takes its
// present state as such; 0x80001 when memory runs out.
VELTRIA_CLASS LibErrorCode KyDataKeepAsLoaded(cKyData* root);
// Drops versions of the chain behind `root` so that at most `keep` recent
// ones and the oldest remain; returns the number of versions left.
VELTRIA_CLASS Qword KyDataTrimPrevious(cKyData* root, Qword keep);
// Number of previous versions linked behind the root.
VELTRIA_CLASS Qword KyDataPreviousCount(const cKyData* root);
