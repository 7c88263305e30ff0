// The import dispatcher and the two-column text readers (relaxation curves
// and dispersion profiles). A reader builds its new node completely before
// it touches the receiving node, so a failure leaves that node as it was.
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "base/error_detail.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/number_text.h"
#include "base/platform/c_number.h"
#include "base/utf.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "data_engine/simulator.h"
#include "framework/ky_file.h"

namespace {

struct Pairs {
  double* x = nullptr;
  double* y = nullptr;
  Qword count = 0;
  Qword capacity = 0;
  ~Pairs() {
    KillPtr(&x);
    KillPtr(&y);
  }
  LibErrorCode Add(double a, double b) {
    if (count == capacity) {
      const Qword grown = capacity ? 2 * capacity : 256;
      Dword e = kErrNone;
      double* nx = NewRealArrFill(&e, grown);
      double* ny = nx ? NewRealArrFill(&e, grown) : nullptr;
      if (!ny) {
        KillPtr(&nx);
        return kErrAlloc;
      }
      if (count) {
        std::memcpy(nx, x, count * sizeof(double));
        std::memcpy(ny, y, count * sizeof(double));
      }
      KillPtr(&x);
      KillPtr(&y);
      x = nx;
      y = ny;
      capacity = grown;
    }
    x[count] = a;
    y[count] = b;
    ++count;
    return kErrNone;
  }
};

bool BlankLine(const char* line) {
  for (; *line; ++line)
    if (!EngineIsBlank(*line)) return false;
  return true;
}

// One data line: x, an optional "," directly after it, y; the rest ignored.
bool ParsePair(const char* line, double* x, double* y) {
  PlatformRealParse a = PlatformTextToReal(line);
  if (a.consumed == 0) return false;
  const char* p = line + a.consumed;
  if (*p == ',') ++p;
  PlatformRealParse b = PlatformTextToReal(p);
  if (b.consumed == 0) return false;
  *x = a.value;
  *y = b.value;
  return true;
}

struct SourceFile {
  char16_t* name = nullptr;
  char16_t* folder = nullptr;
  char16_t* full = nullptr;
  ~SourceFile() {
    KillPtr(&name);
    KillPtr(&folder);
    KillPtr(&full);
  }
};

// Leaves "<path>: <what>" as the detail of `code` for the user's error box.
LibErrorCode Refuse(const cKyFile& file, LibErrorCode code, const std::string& what) {
  char* path = file.path() ? NewUtf8FromUtf16(file.path()) : nullptr;
  const std::string line = (path ? std::string(path) + ": " : std::string()) + what;
  KillStringA(&path);
  LibErrorDetailSetA(code, line.c_str());
  return code;
}

// "line <n>" (through the library's number text: std::to_string would
// export a symbol of the standard library from the shared library).
std::string LineText(Qword number) {
  char digits[32];
  QwordToBufferA(number, digits, 10);
  return std::string("line ") + digits;
}

LibErrorCode ReadPairs(const char16_t* path, Pairs* pairs, SourceFile* source) {
  LibErrorDetailClear();
  cKyFile file;
  if (path) {
    if (!file.SetPath(path, nullptr, nullptr)) return kErrIllegalFileName;
  } else if (!file.SetPathByDialog(u"Select an existing text data file", nullptr, u"txt",
                                   u"Text files (txt)|*.txt|All files|*.*|", 2, 0, nullptr)) {
    return kErrUndefinedFile;
  }
  if (!file.Open(kOpenMustExist)) return Refuse(file, kErrIllegalFormat, "cannot be opened");
  char* line = nullptr;
  LibErrorCode result = kErrNone;
  bool data = false;
  Qword number = 0;  // of the line read last, from 1
  for (;;) {
    const Qlong r = file.ReadLine(&line);
    ++number;
    const bool have = line != nullptr && (r > 0 || (r == 0 && line[0] != '\0'));
    if (r < 0) {
      // A file that cannot be read (or memory that runs out) ends the read.
      result = file.last_error() == kErrAlloc ? kErrAlloc
                                              : Refuse(file, kErrIllegalFormat, "cannot be read");
      break;
    }
    if (!have) {
      if (!data) result = Refuse(file, kErrIllegalFormat, "no data lines");
      break;
    }
    if (!data) {
      const char* p = line;
      while (EngineIsBlank(*p)) ++p;
      if (*p == '\0' || (p[0] == '/' && p[1] == '/')) {
        if (r == 0) {
          result = Refuse(file, kErrIllegalFormat, "no data lines");
          break;
        }
        continue;
      }
      data = true;
    }
    if (BlankLine(line)) break;
    double x, y;
    if (!ParsePair(line, &x, &y)) {
      result =
          Refuse(file, kErrWrongInputFormat, LineText(number) + " does not start with two numbers");
      break;
    }
    // An infinite or NaN value is no measurement: the file is refused,
    // not loaded as good.
    if (!std::isfinite(x) || !std::isfinite(y)) {
      result = Refuse(file, kErrWrongInputFormat,
                      LineText(number) + " holds a value that is not finite");
      break;
    }
    result = pairs->Add(x, y);
    if (result != kErrNone || r == 0) break;
  }
  KillPtr(&line);
  if (result == kErrNone && pairs->count == 0)
    result = Refuse(file, kErrWrongInputFormat, "no data lines");
  if (result == kErrNone) {
    source->name = file.GetName();
    source->folder = file.GetFolder();
    LibErrorCode e = kErrNone;
    source->full = EngineCopyW(file.path(), &e);
    if (e != kErrNone) result = e;
  }
  file.Close();
  return result;
}

// A node holding the pairs as rows 0 and 1, named after its file.
LibErrorCode FillNode(cKyData* node, const Pairs& pairs, Qword type, SourceFile* source) {
  double lo = pairs.x[0], hi = pairs.x[0];
  for (Qword i = 1; i < pairs.count; ++i) {
    if (pairs.x[i] < lo) lo = pairs.x[i];
    if (pairs.x[i] > hi) hi = pairs.x[i];
  }
  const LibErrorCode e = node->SetSize(pairs.count, 2, 0, lo, hi);
  if (e != kErrNone) return e;
  std::memcpy(node->Row(0), pairs.x, pairs.count * sizeof(double));
  std::memcpy(node->Row(1), pairs.y, pairs.count * sizeof(double));
  node->data_type = type;
  node->type_name = DataTypeName(type);
  node->file_name = source->name;
  node->folder = source->folder;
  node->full_path = source->full;
  source->name = source->folder = source->full = nullptr;
  return kErrNone;
}

LibErrorCode SetNamedExperiment(cKyData* node, const char* name) {
  LibErrorCode e = node->parameters.AddEntry("EXP", name, nullptr);
  if (e != kErrNone) return e;
  node->experiment_name = EngineCopyA(name, &e);
  return e;
}

// Replaces the content of `target` by that of `built`, keeping the
// target's own linked node (at the root: its previous versions).
LibErrorCode ReplaceKeepingLinked(cKyData* target, cKyData* built) {
  cKyData* kept = target->linked;
  target->linked = nullptr;
  const LibErrorCode e = target->CopyFrom(*built);
  delete target->linked;
  target->linked = kept;
  return e;
}

}  // namespace

LibErrorCode cKyData::ImportRelaxCurveText(const char16_t* path) {
  Pairs pairs;
  SourceFile source;
  LibErrorCode e = ReadPairs(path, &pairs, &source);
  if (e != kErrNone) return e;
  cKyData* item = new (std::nothrow) cKyData(0);
  if (!item) return kErrAlloc;
  e = FillNode(item, pairs, kKyDataRelaxCurve, &source);
  char number[32];
  if (e == kErrNone) {
    QwordToBufferA(pairs.count, number, 10);
    e = item->parameters.AddEntry("NBLK", number, nullptr);
  }
  if (e == kErrNone) {
    RealToBufferA(item->x_first, number, 15, 10);
    e = item->parameters.AddEntry("BINI", number, nullptr);
  }
  if (e == kErrNone) {
    RealToBufferA(item->x_last, number, 15, 10);
    e = item->parameters.AddEntry("BEND", number, nullptr);
  }
  if (e == kErrNone) e = SetNamedExperiment(item, "Relax Curve");
  if (e != kErrNone) {
    delete item;
    return e;
  }
  // Built: only now does the node lose its old content.
  Clear();
  AddChild(item);
  return kErrNone;
}

LibErrorCode cKyData::ImportFfcProfileText(const char16_t* path) {
  Pairs pairs;
  SourceFile source;
  LibErrorCode e = ReadPairs(path, &pairs, &source);
  if (e != kErrNone) return e;
  cKyData built(0);
  e = FillNode(&built, pairs, kKyDataFfcProfile, &source);
  if (e == kErrNone) e = SetNamedExperiment(&built, "FFC Profile");
  if (e == kErrNone) e = ReplaceKeepingLinked(this, &built);
  return e;
}

LibErrorCode cKyData::Import(Qword data_type, const char16_t* path) {
  switch (data_type) {
    case kKyDataSimulation:
      return SimulateRelaxationData(this);
    case kKyDataRelaxCurve:
      return ImportRelaxCurveText(path);
    case kKyDataFfcProfile:
      return ImportFfcProfileText(path);
    case kKyDataText:
    case kKyDataJson:
    case kKyDataXml:
    case kKyDataJcamp:
    case kKyDataExcel:
    case kKyDataClipboard:
      return kErrNotYetImplemented;
    default:
      return kErrUnknownDataSource;
  }
}
