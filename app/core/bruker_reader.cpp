#include "app/core/bruker_reader.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "app/core/bruker_files.h"
#include "app/core/bruker_folder_update.h"
#include "app/core/bruker_parameters.h"
#include "app/core/bruker_samples.h"
#include "arrays/grid.h"
#include "base/error_detail.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/paths.h"
#include "base/string_search.h"
#include "base/utf.h"
#include "data_engine/ky_data.h"

namespace {

// Parameter texts are small; anything larger is no parameter file.
constexpr Qword kTextLimit = Qword{16} << 20;
constexpr Qword kDataLimit = ~Qword{0};

// A text with an embedded NUL is no file name.
bool EqualsNoCase(const std::string& a, const char* b) {
  return a.find('\0') == std::string::npos && StringsCompareA(a.c_str(), b, kCompareNoCase, 0) == 0;
}

// The data file chosen by the user (UTF-8); empty when cancelled.
std::string PathByDialog() {
  // The drive root the dialog starts in is the home folder here.
  char16_t* home = OsEnvironmentVariableNewCopy(u"HOME");
  char16_t* chosen = NewOsFileSelectDialog(u"Specify an existing Bruker data file", home, nullptr,
                                           u"Bruker data files (ser; fid)|ser; fid|All files|*.*|",
                                           kDialogMustExist, 0, nullptr);
  KillString(&home);
  std::string path;
  if (chosen) {
    char* utf8 = NewUtf8FromUtf16(chosen);
    if (utf8) path = utf8;
    KillStringA(&utf8);
  }
  KillString(&chosen);
  return path;
}

// A new library-owned UTF-16 copy of a UTF-8 text.
char16_t* Wide(const std::string& text, LibErrorCode* error) {
  char16_t* w = NewUtf16FromUtf8(text.c_str());
  if (!w) *error = kErrAlloc;
  return w;
}

LibErrorCode NameItem(cKyData* item, const std::string& path) {
  LibErrorCode e = kErrNone;
  item->data_type = kKyDataBruker;
  item->type_name = DataTypeName(kKyDataBruker);
  item->file_name = Wide(BrukerNameOf(path), &e);
  item->folder = Wide(BrukerFolderOf(path), &e);
  item->full_path = Wide(path, &e);
  return e;
}

// What the user is told with a refused folder: the file and the problem.
struct Problem {
  std::string path, what;
};

// Why a file could not be read whole: it is missing, a folder, not ours to
// read, or fails while reading.
std::string ReadProblem(const std::string& path, LibErrorCode code) {
  if (code == kErrIllegalDataSize) return "larger than a parameter file can be";
  if (code == kErrAlloc) return "too large for the memory available";
  const Long attributes = FileGetAttributesA(path.c_str());
  if (attributes == -1) return "no such file";
  if (attributes & kFileIsFolder) return "a folder, not a file";
  Qlong handle = FileOpenA(path.c_str(), kOpenMustExist);
  if (handle == -1) {
    const Dword why = FileSaveLastError();
    if (why == kErrFileNotAccessible) return "permission denied";
    return std::string("cannot be opened (") + KyErrorStringA(why) + ")";
  }
  FileClose(&handle, 0);
  return "cannot be read";
}

LibErrorCode ReadText(const std::string& folder, const char* name, std::string* text,
                      Problem* problem) {
  const std::string path = BrukerJoin(folder, name);
  const LibErrorCode e = BrukerReadWholeFile(path, kTextLimit, text);
  if (e != kErrNone) *problem = {path, ReadProblem(path, e)};
  return e;
}

LibErrorCode ReadParameters(const std::string& folder, bool ser, BrukerAcquisition* acq,
                            Problem* problem) {
  std::string acqus;
  if (LibErrorCode e = ReadText(folder, "acqus", &acqus, problem)) return e;
  LibErrorCode e = BrukerReadAcqus(BrukerJcampText(std::move(acqus)), acq);
  if (e == kErrNone) {
    std::string acqu2s, difflist;
    if (ser) {
      if (LibErrorCode r = ReadText(folder, "acqu2s", &acqu2s, problem)) return r;
    }
    Problem ignored;
    const bool have_list = ReadText(folder, "difflist", &difflist, &ignored) == kErrNone;
    const BrukerJcampText second(std::move(acqu2s));
    e = BrukerReadBlockCount(ser ? &second : nullptr, have_list ? &difflist : nullptr, acq);
    if (e == kErrNone) e = BrukerCheckLayout(acq);
  }
  if (e != kErrNone) *problem = {BrukerJoin(folder, acq->problem_file), acq->problem};
  return e;
}

// The data file, read in order through a window of 1 MiB: its samples are
// decoded from memory that stays in the cache between the read and the
// decoding, and the file is never held whole in memory.
class DataFile {
 public:
  static constexpr Qword kWindow = Qword{1} << 20;

  ~DataFile() { FileClose(&handle_, 0); }
  LibErrorCode Open(const std::string& path, Problem* problem) {
    path_ = path;
    // Opened only if it exists and is a file: a read never creates one.
    handle_ = FileOpenA(path.c_str(), kOpenMustExist);
    if (handle_ == -1) {
      *problem = {path, ReadProblem(path, kErrMissingFile)};
      return kErrMissingFile;
    }
    Qlong size = 0;
    if (!FileGetSize(handle_, &size) || size < 0) {
      *problem = {path, "cannot be read"};
      return kErrFileSystem;
    }
    size_ = static_cast<Qword>(size);
    window_.reset(new (std::nothrow) unsigned char[kWindow]);
    return window_ ? kErrNone : kErrAlloc;
  }
  Qword size() const { return size_; }
  // The bytes [offset, offset + count) of the file (count at most the
  // window; offsets never go back). A file that ends early (cut short
  // since it was measured) or fails cannot be read.
  LibErrorCode Bytes(Qword offset, Qword count, const unsigned char** out, Problem* problem) {
    if (offset + count > start_ + held_) {
      const Qword keep = offset < start_ + held_ ? start_ + held_ - offset : 0;
      if (keep) std::memmove(window_.get(), window_.get() + (offset - start_), keep);
      const Qword rest = offset < size_ ? size_ - offset : 0;
      Qword want = rest < kWindow ? rest : kWindow;
      if (want < count) want = count;  // the file ends early: the read says so
      if (keep == 0 && offset != start_ + held_ &&
          FileSetPointer(handle_, static_cast<Qlong>(offset), 0, nullptr) != 1)
        return Unreadable(problem);
      if (want > keep && FileReadBinary(handle_, window_.get() + keep, want - keep) !=
                             static_cast<Qlong>(want - keep))
        return Unreadable(problem);
      start_ = offset;
      held_ = want;
    }
    *out = window_.get() + (offset - start_);
    return kErrNone;
  }

 private:
  LibErrorCode Unreadable(Problem* problem) {
    *problem = {path_, "cannot be read"};
    held_ = 0;
    return kErrFileSystem;
  }
  std::string path_;
  Qlong handle_ = -1;
  Qword size_ = 0;
  std::unique_ptr<unsigned char[]> window_;
  Qword start_ = 0, held_ = 0;  // the window holds [start_, start_ + held_)
};

// Decodes the samples of block `j` from the file into the block's rows, a
// window's worth at most at a time. The first sample that is not finite,
// as BrukerDecodeBlock counts them, in `bad_sample`.
LibErrorCode DecodeBlockFromFile(DataFile* file, const BrukerLayout& layout, Qword stride, Qword j,
                                 cKyData* node, Qword* bad_sample, Problem* problem) {
  BrukerLayout chunk = layout;
  const Qword n = layout.points, sample_bytes = 2 * layout.SampleSize();
  const Qword most = DataFile::kWindow / sample_bytes;
  double* re = node->Row(1);
  double* im = node->Row(2);
  *bad_sample = ~Qword{0};
  for (Qword at = 0; at < n; at += chunk.points) {
    chunk.points = n - at < most ? n - at : most;
    chunk.samples = 2 * chunk.points;
    const unsigned char* bytes;
    if (LibErrorCode e = file->Bytes(j * stride + at * sample_bytes, chunk.points * sample_bytes,
                                     &bytes, problem))
      return e;
    const Qword bad = BrukerDecodeBlock(bytes, chunk, re + at, im + at);
    if (bad != ~Qword{0} && *bad_sample == ~Qword{0}) *bad_sample = 2 * at + bad;
  }
  return kErrNone;
}

// "fid holds 7199 bytes, 3600 points need 14400": the data file against
// the size its parameters describe.
std::string SizeProblem(const std::string& name, const BrukerLayout& layout, Qword size) {
  Qword stride;
  BrukerBlockStride(layout, &stride);
  const Qword needed = (layout.blocks - 1) * stride + layout.samples * layout.SampleSize();
  std::string what = name + " holds " + std::to_string(size) + " bytes, ";
  if (layout.blocks > 1) what += std::to_string(layout.blocks) + " blocks of ";
  return what + std::to_string(layout.samples) + " points need " + std::to_string(needed);
}

// One time-domain block from the bytes of its decay; `time` is the time
// row, the same for every block (null: computed here). The sample rows
// are left for the decoder to fill.
LibErrorCode NewBlock(const cKyData& item, const BrukerAcquisition& acq, const double* time,
                      cKyData** block) {
  *block = nullptr;
  cKyData* node = new (std::nothrow) cKyData(0);
  if (!node) return kErrAlloc;
  node->data_type = item.data_type;
  node->type_name = item.type_name;
  node->node_flags = kKyDataTimeDomain;
  const Qword n = acq.layout.points;
  const double last = acq.xoff + acq.dw * static_cast<double>(n - 1);
  // Every value is written below: the time row and both sample rows.
  if (LibErrorCode e = node->SetSizeToOverwrite(n, 3, kGridLinear, acq.xoff, last)) {
    delete node;
    return e;
  }
  double* x = node->Row(0);
  if (time) {
    std::memcpy(x, time, n * sizeof(double));
  } else {
    for (Qword k = 0; k < n; ++k) x[k] = RArrGridValue(k, kGridLinear, n, acq.xoff, last);
    // One point spans no grid: its time is the first point's.
    if (n == 1) x[0] = acq.xoff;
  }
  *block = node;
  return kErrNone;
}

LibErrorCode FillItem(cKyData* item, const char16_t* wide_path, Problem* problem) {
  std::string path;
  if (wide_path) {
    char* utf8 = NewUtf8FromUtf16(wide_path);
    if (!utf8) return kErrAlloc;
    path = utf8;
    KillStringA(&utf8);
  } else {
    path = PathByDialog();
    if (path.empty()) return kErrUndefinedFile;
  }
  // A Windows-style separator from a caller is the folder separator here,
  // as the framework's file object takes it.
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.empty() || path.back() == '/') {
    *problem = {path, "names a folder, not a data file (fid or ser)"};
    return kErrIllegalFileName;
  }
  if (LibErrorCode e = NameItem(item, path)) return e;
  const std::string name = BrukerNameOf(path);
  const bool ser = EqualsNoCase(name, "ser");
  if (!ser && !EqualsNoCase(name, "fid")) {
    *problem = {path, "a data file is named fid or ser"};
    return kErrIllegalFileName;
  }

  // The files are read under the folder's lock, as a save writes them, and
  // a save that was interrupted is completed first: the files read belong
  // to one data set.
  const BrukerFolderLock lock(BrukerFolderOf(path));
  if (LibErrorCode e = BrukerFolderRecover(BrukerFolderOf(path))) return e;
  BrukerAcquisition acq;
  if (LibErrorCode e = ReadParameters(BrukerFolderOf(path), ser, &acq, problem)) return e;
  for (const BrukerEntry& entry : acq.entries) {
    // A value of the parameter store ends at its first "=", so a text such
    // as "<zg=30>" would come back cut short: such an entry stays out of the
    // item (its readers find it missing) and the folder loads all the same.
    if (entry.value.find('=') != std::string::npos) continue;
    if (LibErrorCode e =
            item->parameters.AddEntry(entry.name.c_str(), entry.value.c_str(), nullptr))
      return e;
  }

  DataFile data;
  if (LibErrorCode e = data.Open(path, problem)) return e;
  if (LibErrorCode e = BrukerCheckDataSize(acq.layout, data.size())) {
    *problem = {path, e == kErrUnexpectedFileEnd
                          ? SizeProblem(name, acq.layout, data.size())
                          : "its parameters describe more bytes than a file can hold"};
    return e;
  }
  Qword stride;
  BrukerBlockStride(acq.layout, &stride);
  const double* time = nullptr;
  for (Qword j = 0; j < acq.layout.blocks; ++j) {
    cKyData* block;
    if (LibErrorCode e = NewBlock(*item, acq, time, &block)) return e;
    item->AddChild(block);
    Qword bad;
    if (LibErrorCode e = DecodeBlockFromFile(&data, acq.layout, stride, j, block, &bad, problem))
      return e;
    if (bad != ~Qword{0}) {
      std::string what = "sample " + std::to_string(bad);
      if (acq.layout.blocks > 1) what += " of block " + std::to_string(j);
      *problem = {path, what + " is not a finite number (NaN or infinite)"};
      return kErrIllegalData;
    }
    time = block->Row(0);
  }
  return kErrNone;
}

}  // namespace

LibErrorCode LoadBrukerData(cKyData* root, const char16_t* path) {
  if (!root) return kErrMissingOutputBuffer;
  // The item is in the tree from the start (a repaint during the dialog
  // sees it without blocks) and leaves it again on any error.
  cKyData* item = new (std::nothrow) cKyData(0);
  if (!item) return kErrAlloc;
  root->AddChild(item);
  LibErrorDetailClear();
  LibErrorCode e;
  Problem problem;
  try {
    e = FillItem(item, path, &problem);
  } catch (const std::bad_alloc&) {
    e = kErrAlloc;
  }
  if (e != kErrNone) {
    delete item;
    if (!problem.what.empty()) {
      const std::string line =
          problem.path.empty() ? problem.what : problem.path + ": " + problem.what;
      LibErrorDetailSetA(e, line.c_str());
    }
  }
  return e;
}
