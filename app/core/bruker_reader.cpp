#include "app/core/bruker_reader.h"

#include <new>
#include <string>

#include "app/core/bruker_files.h"
#include "app/core/bruker_folder_update.h"
#include "app/core/bruker_parameters.h"
#include "arrays/grid.h"
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

LibErrorCode ReadParameters(const std::string& folder, bool ser, BrukerAcquisition* acq) {
  std::string acqus;
  if (LibErrorCode e = BrukerReadWholeFile(BrukerJoin(folder, "acqus"), kTextLimit, &acqus))
    return e;
  if (LibErrorCode e = BrukerReadAcqus(BrukerJcampText(std::move(acqus)), acq)) return e;
  std::string acqu2s, difflist;
  if (ser) {
    if (LibErrorCode e = BrukerReadWholeFile(BrukerJoin(folder, "acqu2s"), kTextLimit, &acqu2s))
      return e;
  }
  const bool have_list =
      BrukerReadWholeFile(BrukerJoin(folder, "difflist"), kTextLimit, &difflist) == kErrNone;
  const BrukerJcampText second(std::move(acqu2s));
  if (LibErrorCode e =
          BrukerReadBlockCount(ser ? &second : nullptr, have_list ? &difflist : nullptr, acq))
    return e;
  return BrukerCheckLayout(acq);
}

// One time-domain block from the bytes of its decay.
LibErrorCode NewBlock(const cKyData& item, const BrukerAcquisition& acq, const unsigned char* bytes,
                      cKyData** block) {
  *block = nullptr;
  cKyData* node = new (std::nothrow) cKyData(0);
  if (!node) return kErrAlloc;
  node->data_type = item.data_type;
  node->type_name = item.type_name;
  node->node_flags = kKyDataTimeDomain;
  const Qword n = acq.layout.points;
  const double last = acq.xoff + acq.dw * static_cast<double>(n - 1);
  if (LibErrorCode e = node->SetSize(n, 3, kGridLinear, acq.xoff, last)) {
    delete node;
    return e;
  }
  double* x = node->Row(0);
  for (Qword k = 0; k < n; ++k) x[k] = RArrGridValue(k, kGridLinear, n, acq.xoff, last);
  // One point spans no grid: its time is the first point's.
  if (n == 1) x[0] = acq.xoff;
  BrukerDecodeBlock(bytes, acq.layout, node->Row(1), node->Row(2));
  *block = node;
  return kErrNone;
}

LibErrorCode FillItem(cKyData* item, const char16_t* wide_path) {
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
  if (path.empty() || path.back() == '/') return kErrIllegalFileName;
  if (LibErrorCode e = NameItem(item, path)) return e;
  const std::string name = BrukerNameOf(path);
  const bool ser = EqualsNoCase(name, "ser");
  if (!ser && !EqualsNoCase(name, "fid")) return kErrIllegalFileName;

  // The files are read under the folder's lock, as a save writes them, and
  // a save that was interrupted is completed first: the files read belong
  // to one data set.
  const BrukerFolderLock lock(BrukerFolderOf(path));
  if (LibErrorCode e = BrukerFolderRecover(BrukerFolderOf(path))) return e;
  BrukerAcquisition acq;
  if (LibErrorCode e = ReadParameters(BrukerFolderOf(path), ser, &acq)) return e;
  for (const BrukerEntry& entry : acq.entries) {
    // A value of the parameter store ends at its first "=", so a text such
    // as "<zg=30>" would come back cut short: such an entry stays out of the
    // item (its readers find it missing) and the folder loads all the same.
    if (entry.value.find('=') != std::string::npos) continue;
    if (LibErrorCode e =
            item->parameters.AddEntry(entry.name.c_str(), entry.value.c_str(), nullptr))
      return e;
  }

  std::string data;
  if (LibErrorCode e = BrukerReadWholeFile(path, kDataLimit, &data)) return e;
  if (LibErrorCode e = BrukerCheckDataSize(acq.layout, data.size())) return e;
  Qword stride;
  BrukerBlockStride(acq.layout, &stride);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data.data());
  for (Qword j = 0; j < acq.layout.blocks; ++j) {
    cKyData* block;
    if (LibErrorCode e = NewBlock(*item, acq, bytes + j * stride, &block)) return e;
    item->AddChild(block);
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
  LibErrorCode e;
  try {
    e = FillItem(item, path);
  } catch (const std::bad_alloc&) {
    e = kErrAlloc;
  }
  if (e != kErrNone) delete item;
  return e;
}
