// Life cycle of the data node: construction, Clear, deep copies made all or
// nothing, and the data type names.
#include "data_engine/ky_data.h"

#include <cmath>
#include <cstring>
#include <new>
#include <utility>

#include "base/memory.h"
#include "data_engine/engine_text.h"

namespace {

constexpr const char* kTypeNames[] = {
    nullptr,  "TEXT",   "JSON",  "XML",       "JCAMP",      "STELAR", "RS",         "OXFORD",
    "BRUKER", "VARIAN", "EXCEL", "CLIPBOARD", "SIMULATION", nullptr,  "RELAXCURVE", "FFCPROFILE",
};

// A Dword or double array of n elements copied from `source` (null for a
// null source or n 0).
template <class T>
T* CopyArray(const T* source, Qword n, LibErrorCode* error) {
  if (!source || n == 0) return nullptr;
  Dword e = kErrNone;
  T* copy = NewArrFill<T>(&e, n);
  if (!copy) {
    *error = kErrAlloc;
    return nullptr;
  }
  std::memcpy(copy, source, n * sizeof(T));
  return copy;
}

// True when the two stores hold the same text (a store without text holds
// none, whatever its counters say).
bool SameStore(const cKyAsciPars& a, const cKyAsciPars& b) {
  if (!a.Text() || !b.Text()) return !a.Text() && !b.Text();
  if (a.Used() != b.Used() || a.EntryCount() != b.EntryCount()) return false;
  return std::memcmp(a.Text(), b.Text(), a.Used()) == 0;
}

}  // namespace

const char* DataTypeName(Qword code) {
  return code < sizeof kTypeNames / sizeof kTypeNames[0] ? kTypeNames[code] : nullptr;
}

cKyData::cKyData(int flags) : cKyListItem(0), cKyList() {
  Clear();
  node_flags = static_cast<Dword>(flags);
}

cKyData::cKyData(const cKyData& source) : cKyListItem(0), cKyList() {
  Clear();
  CopyFrom(source);
}

cKyData::~cKyData() {
  Unlink();
  Clear();
  DeleteLinked();
}

cKyData& cKyData::operator=(const cKyData& source) {
  if (&source != this) CopyFrom(source);
  return *this;
}

void cKyData::DeleteLinked() {
  // The undo chain can be long: walk it instead of letting each version's
  // destructor delete the next one.
  cKyData* next = linked;
  linked = nullptr;
  while (next) {
    cKyData* after = next->linked;
    next->linked = nullptr;
    delete next;
    next = after;
  }
}

void cKyData::SetAsLoaded(cKyData* node) {
  if (node) ++node->holders;
  cKyData* old = as_loaded;
  as_loaded = node;
  if (old && --old->holders == 0) delete old;
}

LibErrorCode cKyData::KeepAsLoaded() {
  if (as_loaded) return kErrNone;
  cKyData* copy = NewCopy(*this);
  if (!copy) return kErrAlloc;
  SetAsLoaded(copy);
  return kErrNone;
}

LibErrorCode cKyData::RestoreAsLoaded() {
  cKyData* source = as_loaded;
  if (!source) return kErrMissingInputData;
  ++source->holders;  // the copy below lets go of this node's hold
  const LibErrorCode e = CopyFrom(*source);
  SetAsLoaded(source);
  --source->holders;
  return e;
}

void cKyData::Clear() {
  SetAsLoaded(nullptr);
  DeleteAll(true);
  node_flags = 0;
  parameters.Clear();
  FreeMatrix();
  data_type = 0;
  type_name = nullptr;
  processing_state = kNoIndex;
  x_grid_type = 0;
  x_first = x_last = 1.0;
  x_scale = 1.0;
  x_offset = 0.0;
  for (double& r : results) r = std::nan("");
  KillPtr(&experiment_name);
  KillPtr(&file_name);
  KillPtr(&folder);
  KillPtr(&full_path);
  KillPtr(&last_csv_path);
  KillPtr(&default_script);
  KillPtr(&x_unit);
}

LibErrorCode cKyData::CopyOwnFields(const cKyData& s) {
  LibErrorCode e = kErrNone;
  node_flags = s.node_flags;
  data_type = s.data_type;
  type_name = s.type_name;
  processing_state = s.processing_state;
  experiment_name = EngineCopyA(s.experiment_name, &e);
  file_name = EngineCopyW(s.file_name, &e);
  folder = EngineCopyW(s.folder, &e);
  full_path = EngineCopyW(s.full_path, &e);
  last_csv_path = EngineCopyW(s.last_csv_path, &e);
  default_script = EngineCopyA(s.default_script, &e);
  x_grid_type = s.x_grid_type;
  x_first = s.x_first;
  x_last = s.x_last;
  x_scale = s.x_scale;
  x_offset = s.x_offset;
  x_unit = EngineCopyA(s.x_unit, &e);
  rows = s.rows;
  points = s.points;
  if (ShareArrays(s) != kErrNone) e = kErrAlloc;
  row_statistics = CopyArray(s.row_statistics, s.rows * kKyStatCount, &e);
  row_flags = CopyArray(s.row_flags, s.rows, &e);
  std::memcpy(results, s.results, sizeof results);
  return e;
}

void cKyData::SwapContents(cKyData& o) {
  // The parameter store is assigned by the caller (it cannot be swapped);
  // everything else changes hands here and cannot fail.
  std::swap(node_flags, o.node_flags);
  std::swap(data_type, o.data_type);
  std::swap(type_name, o.type_name);
  std::swap(experiment_name, o.experiment_name);
  std::swap(processing_state, o.processing_state);
  std::swap(file_name, o.file_name);
  std::swap(folder, o.folder);
  std::swap(full_path, o.full_path);
  std::swap(last_csv_path, o.last_csv_path);
  std::swap(default_script, o.default_script);
  std::swap(x_grid_type, o.x_grid_type);
  std::swap(x_first, o.x_first);
  std::swap(x_last, o.x_last);
  std::swap(x_scale, o.x_scale);
  std::swap(x_offset, o.x_offset);
  std::swap(x_unit, o.x_unit);
  std::swap(rows, o.rows);
  std::swap(points, o.points);
  std::swap(matrix, o.matrix);
  std::swap(point_flags, o.point_flags);
  std::swap(row_statistics, o.row_statistics);
  std::swap(row_flags, o.row_flags);
  std::swap(shares_, o.shares_);
  for (Qword i = 0; i < kKyDataResultCount; ++i) std::swap(results[i], o.results[i]);
  std::swap(linked, o.linked);
  std::swap(as_loaded, o.as_loaded);
  cKyData parked(0);
  while (cKyListItem* child = First()) parked.Append(child);
  while (cKyListItem* child = o.First()) Append(child);
  while (cKyListItem* child = parked.First()) o.Append(child);
}

LibErrorCode cKyData::CopyFrom(const cKyData& source) {
  if (&source == this) return kErrNone;
  // The whole copy is built aside and only then takes this node's place,
  // so a failure leaves the node as it was.
  cKyData copy(0);
  LibErrorCode e = copy.CopyOwnFields(source);
  if (e != kErrNone) return kErrAlloc;
  for (cKyData* child = source.FirstChild(); child; child = child->NextSibling()) {
    cKyData* c = NewCopy(*child);
    if (!c) return kErrAlloc;
    copy.AddChild(c);
  }
  // A root's linked node is its undo chain, which a copy never carries; an
  // item's companion travels with it.
  if (source.Parent() && source.linked) {
    copy.linked = NewCopy(*source.linked);
    if (!copy.linked) return kErrAlloc;
  }
  copy.SetAsLoaded(source.as_loaded);
  if (!SameStore(parameters, source.parameters)) {
    parameters = source.parameters;
    if (!SameStore(parameters, source.parameters)) return kErrAlloc;
  }
  // The old contents (children, arrays, texts, the old linked node) end in
  // `copy` and go with it.
  SwapContents(copy);
  return kErrNone;
}

cKyData* cKyData::NewCopy(const cKyData& source) {
  cKyData* node = new (std::nothrow) cKyData(0);
  if (!node) return nullptr;
  if (node->CopyFrom(source) != kErrNone) {
    delete node;
    return nullptr;
  }
  return node;
}
