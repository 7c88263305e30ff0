// The comma-separated export of a data node: header sections chosen by
// the flags, then one line per point with the selected rows of every
// exported node side by side. Lines are assembled in one buffer that is
// written out in large pieces. The file is new, never a replaced one: it is
// written under a temporary name beside it and appears under its own name
// only when complete.
#include <cmath>
#include <cstring>
#include <new>

#include "base/errors.h"
#include "base/file_replace.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "data_engine/csv_number.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "framework/ky_file.h"

namespace {

constexpr Qword kBufferSize = 32768;
constexpr Qword kFieldMax = 48;  // the longest field a number can give

class CsvSink {
 public:
  explicit CsvSink(Qlong file) : file_(file) {}
  void Text(const char* s) {
    const Qword n = std::strlen(s);
    if (used_ + n > kBufferSize) Flush();
    if (n > kBufferSize) {
      ok_ = ok_ && FileWriteBinary(file_, s, n) != 0;
      return;
    }
    std::memcpy(buffer_ + used_, s, n);
    used_ += n;
  }
  void Real(double x, int digits) {
    Room();
    buffer_[used_++] = ',';
    used_ += CsvRealText(x, digits, buffer_ + used_);
  }
  void Hex(Dword v, bool comma) {
    Room();
    if (comma) buffer_[used_++] = ',';
    used_ += DwordToBufferA(v, buffer_ + used_, 16);
  }
  void Index(Qword v) {
    Room();
    buffer_[used_++] = ',';
    used_ += QwordToBufferA(v, buffer_ + used_, 10);
  }
  void Comma() {
    Room();
    buffer_[used_++] = ',';
  }
  void EndLine() { Text("\r\n"); }
  bool Flush() {
    if (used_ > 0) ok_ = ok_ && FileWriteBinary(file_, buffer_, used_) != 0;
    used_ = 0;
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  void Room() {
    if (used_ + kFieldMax > kBufferSize) Flush();
  }
  Qlong file_;
  char buffer_[kBufferSize + 1];
  Qword used_ = 0;
  bool ok_ = true;
};

struct Layout {
  cKyData* first = nullptr;   // the first exported node
  Qword nodes = 1;            // B
  Qword rows = 0;             // R
  Qword points = 0;           // P
  bool children = false;      // 0x1 in effect
  bool x_all = false;         // every node has its own x column
  bool x_first_only = false;  // only the first node has one
};

bool HasX(const Layout& l, Qword j) { return l.x_all || (l.x_first_only && j == 0); }

// The error of a failed write: a full disk says so, anything else is a
// file-system error.
LibErrorCode WriteFailure() {
  const Dword mapped = LibLastError;
  return mapped == kErrDiskFull ? kErrDiskFull : kErrFileSystem;
}

LibErrorCode Write(cKyData* node, const Layout& l, Dword flags, Qlong file) {
  auto* sink = new (std::nothrow) CsvSink(file);
  if (!sink) return kErrAlloc;
  const bool any_x = l.x_all || l.x_first_only;
  if (l.children) {
    sink->Text("Block,");
    if (l.x_first_only) sink->Text(",");
    for (Qword j = 1; j <= l.nodes; ++j) {
      char number[24];
      QwordToBufferA(j, number, 10);
      sink->Text(number);
      if (j < l.nodes)
        for (Qword c = 0; c < l.rows - 1 + (l.x_all ? 1 : 0); ++c) sink->Comma();
    }
    sink->EndLine();
  }
  if (flags & kCsvResults) {
    sink->Text("Results");
    for (Qword k = 0; k < kKyDataResultCount; ++k) {
      if (k == 0 && !any_x) continue;
      if (k >= 2 && (flags & kCsvTwoRows)) break;
      sink->Real(node->results[k], 15);
      sink->EndLine();
    }
    sink->EndLine();
  }
  if (flags & kCsvChannels) {
    sink->Text("Chn");
    for (Qword r = any_x ? 0 : 1; r < l.rows; ++r) sink->Index(r);
    sink->EndLine();
  }
  if (flags & kCsvFlags) {
    sink->Text("Flags");
    for (Qword r = any_x ? 0 : 1; r < l.rows; ++r) sink->Hex(l.first->row_flags[r], true);
    sink->EndLine();
  }
  if (flags & kCsvQval) {
    // Each statistic is the exported node's own, over all its rows (the
    // magnitude and power take rows 1 and 2 even when fewer are written).
    // The node caches what it computes; the export must not change the
    // tree it writes, so the cache is put back afterwards.
    const Qword cached = l.first->row_statistics ? l.first->rows * kKyStatCount : 0;
    Dword e = kErrNone;
    double* kept = NewRealArrFill(&e, cached);
    if (e != kErrNone) {
      delete sink;
      return e;
    }
    if (kept) std::memcpy(kept, l.first->row_statistics, cached * sizeof(double));
    for (Qword k = 0; k < kKyStatCount; ++k) {
      char word[8] = {'Q', 'v', 'a', 'l', static_cast<char>('0' + k), 0};
      sink->Text(word);
      for (Qword r = any_x ? 0 : 1; r < l.rows; ++r) sink->Real(l.first->RowStatistic(r, k), 6);
      sink->EndLine();
    }
    if (kept) std::memcpy(l.first->row_statistics, kept, cached * sizeof(double));
    KillPtr(&kept);
  }
  for (Qword p = 0; p < l.points; ++p) {
    if (flags & kCsvPointFlags) sink->Hex(l.first->point_flags[p], false);
    cKyData* n = l.first;
    for (Qword j = 0; j < l.nodes && n; ++j, n = l.children ? n->NextSibling() : nullptr) {
      // A shorter node leaves its fields empty for the points it lacks.
      const bool has = p < n->points && n->matrix;
      for (Qword r = HasX(l, j) ? 0 : 1; r < l.rows; ++r) {
        if (has)
          sink->Real(n->matrix[r * n->points + p], 6);
        else
          sink->Comma();
      }
    }
    sink->EndLine();
  }
  const bool ok = sink->Flush();
  delete sink;
  return ok ? kErrNone : WriteFailure();
}

}  // namespace

LibErrorCode ExportCsv(cKyData* node, Dword flags, const char16_t* path) {
  if (!node) return kErrMissingDataObject;
  // The linked node wins over the children, and then the children play no
  // part in the layout either.
  if (flags & kCsvLinked) flags &= ~kCsvChildren;
  Layout l;
  l.children = (flags & kCsvChildren) != 0;
  l.first = (flags & kCsvLinked) ? node->linked : l.children ? node->FirstChild() : node;
  if (!l.first) return kErrMissingDataObject;
  cKyFile file;
  if (path) {
    if (!file.SetPath(path, nullptr, nullptr)) return kErrIllegalFileName;
  } else {
    cKyData* owner = l.first->ParameterOwner();
    const char16_t* folder = owner ? owner->folder : nullptr;
    if (!file.SetPathByDialog(u"Select a new CSV file", folder, u"csv",
                              u"Comma-Separated Values (*.csv)|*.csv|All files (*.*)|*.*|", 5, 0,
                              nullptr))
      return kErrUndefinedFile;
  }
  l.points = l.first->points;
  l.rows = l.first->rows;
  if (l.children) {
    l.nodes = node->ChildCount();
    for (cKyData* c = l.first; c; c = c->NextSibling())
      if (c->rows < l.rows) l.rows = c->rows;
  }
  if ((flags & kCsvTwoRows) && l.rows > 2) l.rows = 2;
  if (l.points == 0 || l.rows == 0 || l.nodes == 0 || !l.first->matrix) return kErrMissingInputData;
  if (!(flags & kCsvNoX)) {
    if (l.children && (flags & kCsvXOnce))
      l.x_first_only = true;
    else
      l.x_all = true;
  }
  // A name that is taken or cannot be created answers 59; a write that
  // fails answers 48, or 53 when the disk is full.
  if (FileIsPresent(file.path(), nullptr)) return kErrIllegalFileName;
  FileReplacement out;
  if (!out.BeginNew(file.path())) return kErrIllegalFileName;
  LibErrorCode e = Write(node, l, flags, out.handle());
  if (e == kErrNone && !out.Commit())
    e = LibLastError == kErrFileSystem && FileIsPresent(file.path(), nullptr) ? kErrIllegalFileName
                                                                              : WriteFailure();
  // A failed export leaves nothing under the name; the temporary file goes
  // with `out`.
  if (e != kErrNone) return e;
  // Only a file that was written becomes the node's last CSV path.
  LibErrorCode copy_error = kErrNone;
  char16_t* full = EngineCopyW(file.path(), &copy_error);
  if (full) {
    KillPtr(&node->last_csv_path);
    node->last_csv_path = full;
  }
  return kErrNone;
}

LibErrorCode cKyData::Export(Qword data_type, Dword flags, const char16_t* path) {
  if (data_type == kKyDataExcel) return ExportCsv(this, flags, path);
  if ((data_type >= 1 && data_type <= 4) || data_type == kKyDataClipboard)
    return kErrNotYetImplemented;
  return kErrUnknownDataSource;
}
