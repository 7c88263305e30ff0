#include "app/core/bruker_writer.h"

#include <cmath>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/core/bruker_acqus_patch.h"
#include "app/core/bruker_files.h"
#include "app/core/bruker_folder_update.h"
#include "app/core/bruker_samples.h"
#include "app/core/bruker_text.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/paths.h"
#include "base/utf.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"

namespace {

constexpr Qword kTextLimit = Qword{16} << 20;

std::string Utf8(const char16_t* text) {
  if (!text) return std::string();
  char* utf8 = NewUtf8FromUtf16(text);
  std::string s = utf8 ? utf8 : "";
  KillStringA(&utf8);
  return s;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

// An unsigned parameter; false when missing or not a number.
bool Unsigned(const cKyAsciPars& p, const char* name, Qword* value) {
  char text[1024];
  if (p.GetString(name, text) < 0) return false;
  return BrukerParseUnsigned(text, value) == BrukerNumber::kOk;
}

// What the writer puts into the folder, gathered before anything is
// written.
struct Plan {
  BrukerLayout layout;
  std::string data_name;
  std::string data;  // the whole data file
  std::string acqus, acqu2s, difflist;
  bool ser = false, have_difflist = false;
  double scale = 1;
};

// The time-domain samples of every block, in the layout; the DTYPA 0 scale.
LibErrorCode BuildData(cKyData* node, Plan* plan) {
  BrukerLayout& layout = plan->layout;
  cKyData* first = node->FirstChild();
  if (!first || first->points == 0) return kErrMissingInputData;
  layout.points = first->points;
  layout.samples = 2 * layout.points;
  std::vector<cKyData*> blocks;
  for (Qword b = 0; b < layout.blocks; ++b) {
    cKyData* block = node->Child(b);
    if (!block || block->rows < 3) return kErrMissingInputData;
    if (!block->TestFlags(kKyDataTimeDomain)) return kErrIllegalData;
    // Every block from its own matrix: a stale BS must not decide.
    if (block->points != layout.points) return kErrIllegalDataSize;
    blocks.push_back(block);
  }
  Qword stride;
  if (LibErrorCode e = BrukerBlockStride(layout, &stride)) return e;
  if (layout.blocks > (~Qword{0}) / stride) return kErrIllegalDataSize;

  const Qword n = layout.points;
  if (layout.dtypa == 0) {
    // Integer data (a decay as the spectrometer stored it) is written as
    // it is, so its absolute intensity survives; anything else is scaled
    // to a largest magnitude of 1e7 and the factor recorded in acqus.
    bool integers = true;
    double largest = 0;
    for (cKyData* block : blocks)
      for (Qword r = 1; r <= 2; ++r)
        for (Qword k = 0; k < n; ++k) {
          const double v = block->Row(r)[k];
          if (!std::isfinite(v)) return kErrIllegalData;
          largest = std::fmax(largest, std::fabs(v));
          if (v != std::trunc(v) || v < -2147483648.0 || v > 2147483647.0) integers = false;
        }
    plan->scale = (integers || largest == 0) ? 1.0 : 1e7 / largest;
  }
  plan->data.resize(static_cast<size_t>(stride * layout.blocks));
  std::vector<double> re(n), im(n);
  for (Qword b = 0; b < layout.blocks; ++b) {
    cKyData* block = blocks[b];
    for (Qword r = 1; r <= 2; ++r) {
      double* out = r == 1 ? re.data() : im.data();
      const double* row = block->Row(r);
      double factor = 1;
      if (layout.dtypa == 2) {
        // The values in the units of the data as loaded (statistic 9),
        // read without computing it so the node stays as it is.
        const double* s = block->StatisticSlot(r, kKyStatScale);
        if (s && !std::isnan(*s)) factor = *s;
      }
      for (Qword k = 0; k < n; ++k) {
        out[k] = row[k] * factor;
        // A reader refuses such a sample: no folder is written with one.
        if (!std::isfinite(out[k])) return kErrIllegalData;
      }
    }
    BrukerEncodeBlock(layout, re.data(), im.data(), plan->scale, stride,
                      reinterpret_cast<unsigned char*>(plan->data.data()) + b * stride);
  }
  return kErrNone;
}

// The item's own parameter file, else the one already in the target.
LibErrorCode Source(const std::string& own_folder, const std::string& target, const char* name,
                    std::string* text) {
  if (!own_folder.empty() &&
      BrukerReadWholeFile(BrukerJoin(own_folder, name), kTextLimit, text) == kErrNone)
    return kErrNone;
  if (BrukerReadWholeFile(BrukerJoin(target, name), kTextLimit, text) == kErrNone) return kErrNone;
  return kErrMissingFile;
}

LibErrorCode WriteFolder(const Plan& plan, const cKyAsciPars& params, const std::string& target) {
  // An earlier save that was interrupted is completed first: its files are
  // about to be replaced, and its temporary files must not be swept away
  // half used.
  const BrukerFolderLock lock(target);
  if (LibErrorCode e = BrukerFolderRecover(target)) return e;

  BrukerAcqusPatch patch;
  patch.gdly = params.GetReal("GDLY");
  patch.td = plan.layout.samples;
  patch.dtypa = plan.layout.dtypa;
  patch.bytorda = plan.layout.bytorda;
  patch.scale = plan.scale;
  std::vector<std::pair<std::string, std::string>> files;
  files.emplace_back(plan.data_name, plan.data);
  files.emplace_back("acqus", BrukerPatchAcqus(plan.acqus, patch));
  if (plan.ser) {
    std::string acqu2s = plan.acqu2s;
    BrukerReplaceKeyLine(&acqu2s, "TD", "##$TD= " + std::to_string(plan.layout.blocks));
    files.emplace_back("acqu2s", acqu2s);
  }
  if (plan.have_difflist) files.emplace_back("difflist", plan.difflist);

  for (const auto& file : files)
    if (LibErrorCode e = BrukerBackupOnce(BrukerJoin(target, file.first))) return e;
  // The folder changes as a whole: every file is written in full before the
  // first one is put in place.
  BrukerFolderUpdate update(target);
  for (const auto& file : files)
    if (LibErrorCode e = update.Stage(file.first, file.second)) return e;
  return update.Commit();
}

// The target folder (UTF-8), made when missing; empty when none.
std::string TargetFolder(const char16_t* folder) {
  char16_t* chosen = nullptr;
  if (!folder) {
    chosen = NewOsFolderSelectDialog(u"Select or create a folder", 0, 0);
    if (!chosen) return std::string();
    folder = chosen;
  }
  std::string target = Utf8(folder);
  for (char& c : target)
    if (c == '\\') c = '/';
  if (!target.empty() && !BrukerFolderExists(target)) OsCreateFolderA(target.c_str());
  KillString(&chosen);
  return BrukerFolderExists(target) ? target : std::string();
}

LibErrorCode Save(cKyData* node, cKyData* data, const char16_t* folder) {
  cKyData* owner = node->ParameterOwner();
  if (!owner) return kErrMissingParameters;
  const cKyAsciPars& params = owner->parameters;
  if (!data->FirstChild()) return kErrMissingInputData;
  if (!data->FirstChild()->TestFlags(kKyDataTimeDomain)) return kErrIllegalData;

  Plan plan;
  // The encoding is checked before any file is touched.
  if (!Unsigned(params, "DTYPA", &plan.layout.dtypa) ||
      !Unsigned(params, "BYTORDA", &plan.layout.bytorda))
    return kErrIllegalDataType;
  if (LibErrorCode e = BrukerCheckEncoding(plan.layout.dtypa, plan.layout.bytorda)) return e;
  if (!Unsigned(params, "NBLK", &plan.layout.blocks) || plan.layout.blocks == 0)
    return kErrMissingParameters;
  if (LibErrorCode e = BuildData(data, &plan)) return e;

  const std::string name = Utf8(node->file_name);
  if (name.empty()) {
    plan.data_name = plan.layout.blocks > 1 ? "ser" : "fid";
  } else if (Lower(name) == "fid" || Lower(name) == "ser") {
    plan.data_name = name;
  } else {
    return kErrIllegalFileName;
  }
  plan.ser = Lower(plan.data_name) == "ser";

  const std::string target = TargetFolder(folder);
  if (target.empty()) return kErrFileSystem;
  std::string own = Utf8(node->folder);
  if (own.empty()) own = Utf8(owner->folder);
  if (LibErrorCode e = Source(own, target, "acqus", &plan.acqus)) return e;
  if (plan.ser) {
    if (LibErrorCode e = Source(own, target, "acqu2s", &plan.acqu2s)) return e;
    plan.have_difflist =
        !own.empty() &&
        BrukerReadWholeFile(BrukerJoin(own, "difflist"), kTextLimit, &plan.difflist) == kErrNone;
  }
  return WriteFolder(plan, params, target);
}

}  // namespace

LibErrorCode SaveBrukerData(cKyData* node, const char16_t* folder) {
  if (!node) return kErrMissingInputData;
  cKyData* first = node->FirstChild();
  if (!first) return kErrMissingInputData;
  // Spectra go back to decays on a copy; the stored item stays as it is.
  std::unique_ptr<cKyData> copy;
  if (first->TestFlags(kKyDataFrequencyDomain)) {
    copy.reset(cKyData::NewCopy(*node));
    if (!copy) return kErrAlloc;
    Evp evp;
    InitEvp(&evp);
    evp.id = kEvpFourier;
    evp.mode = 2;
    evp.level = 0;
    const LibErrorCode e = copy->ExecuteEvp(&evp, nullptr);
    KillStringA(&evp.report);
    if (e != kErrNone) return e;
  }
  try {
    return Save(node, copy ? copy.get() : node, folder);
  } catch (const std::bad_alloc&) {
    return kErrAlloc;
  }
}
