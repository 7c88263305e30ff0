// FFCPROFILE: the dispersion profile of a root whose zones are relaxation
// curves recorded at their own fields. Each chosen zone gets a
// multi-exponential FIT of its own (reported as a command of its own), and
// its rates against its field "BRLX" become one point of the root's
// matrix, sorted by field.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "arrays/rarr_sort.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "data_engine/engine_text.h"
#include "data_engine/procedure.h"

namespace {

constexpr Qword kMaxRates = 18;  // the rates a FIT leaves in results[2 ...]

bool ProfileExperiment(const char* name) {
  static const char* const kNames[] = {"PP/S", "PP1E/S", "NP/S", "NP1E/S"};
  if (!name) return false;
  for (const char* k : kNames)
    if (std::strcmp(name, k) == 0) return true;
  return false;
}

// FIT mode 3 over the whole curve of zone i.
LibErrorCode FitZone(cKyData* zone, Qword i, Qword k, KyAppRecord* record) {
  Evp fit;
  InitEvp(&fit);
  fit.id = kEvpFit;
  fit.mode = 3;
  // The FIT runs on the zone itself, also on a zone without blocks.
  fit.level = zone->Height();
  fit.zone = i;
  char text[64];
  std::snprintf(text, sizeof text, "0,-1, %lli", k == kNoIndex ? -1LL : static_cast<long long>(k));
  LibErrorCode e = kErrNone;
  fit.parameters = EngineCopyA(text, &e);
  if (!fit.parameters) return kErrAlloc;
  e = zone->ExecuteEvp(&fit, record);
  ReleaseEvp(&fit);
  return e;
}

// The count of rates a zone's FIT left: its result 0, at most kMaxRates.
Qword RatesOf(const cKyData* zone) {
  const double c = zone->results[0];
  if (!(c > 0)) return 0;
  return c >= static_cast<double>(kMaxRates) ? kMaxRates : static_cast<Qword>(c);
}

}  // namespace

LibErrorCode EvpFfcProfile(cKyData* node, Evp* evp, KyAppRecord* record) {
  const Qword zones = node->ChildCount();
  if (zones < 2) return kErrIllegalData;
  Qword k = GetEvpParameterAsQword(evp, 0);
  if (k == 0) return kErrNone;
  const bool automatic = k == kNoIndex;

  // The chosen zones: by index (repeated or missing indexes add no point),
  // else by experiment name.
  Dword e = kErrNone;
  const bool none = false;
  bool* chosen = NewArrFill<bool>(&e, zones, &none);
  if (!chosen) return kErrAlloc;
  bool by_index = false;
  for (Qword p = 1;; ++p) {
    const Qword i = GetEvpParameterAsQword(evp, p);
    if (i == kNoIndex) break;
    by_index = true;
    if (i < zones) chosen[i] = true;
  }
  Qword i = 0;
  if (!by_index)
    for (cKyData* z = node->FirstChild(); z; z = z->NextSibling(), ++i)
      chosen[i] = ProfileExperiment(z->experiment_name);
  Qword points = 0;
  for (i = 0; i < zones; ++i) points += chosen[i] ? 1 : 0;
  if (points == 0) {
    KillPtr(&chosen);
    return kErrMissingInputData;
  }

  double* profile = nullptr;
  Qword rows = 0, j = 0;
  LibErrorCode result = kErrNone;
  i = 0;
  for (cKyData* z = node->FirstChild(); z && result == kErrNone; z = z->NextSibling(), ++i) {
    if (!chosen[i]) continue;
    if (!z->matrix) {
      OsMessagefA(kOsError, "Need to build Relax curve in zone %u", static_cast<unsigned>(i + 1));
      result = kErrMissingInputData;
      break;
    }
    result = FitZone(z, i, automatic ? kNoIndex : k, record);
    if (result != kErrNone) break;
    if (!profile) {
      if (automatic) k = RatesOf(z);
      if (k == 0) {
        result = kErrSolutionNotFound;
        break;
      }
      rows = k + 1;
      // Rates that a zone's fit did not find stay NaN.
      const double nan = std::numeric_limits<double>::quiet_NaN();
      profile = NewRealArrFill(&e, points * rows, &nan);
      if (!profile) {
        result = kErrAlloc;
        break;
      }
      EvpAppendReportf(evp, " Components: %u\n", static_cast<unsigned>(k));
      EvpAppendReport(evp, " # BRLX [MHz]  Rates [1/s]\n");
    }
    const double field = z->parameters.GetReal("BRLX");
    profile[j] = field;
    EvpAppendReportf(evp, " %3u %10.5g", static_cast<unsigned>(i + 1), field);
    const Qword found = RatesOf(z);
    for (Qword r = 0; r < k && r < kMaxRates; ++r) {
      const double rate = r < found ? z->results[r + 2] : std::numeric_limits<double>::quiet_NaN();
      profile[j + (r + 1) * points] = rate;
      EvpAppendReportf(evp, " %10g", rate);
    }
    EvpAppendReport(evp, "\n");
    ++j;
  }
  KillPtr(&chosen);
  if (result == kErrNone) {
    // Each rate row follows the permutation that sorts the fields.
    double* keys = NewRealArrFill(&e, points);
    if (!keys) result = kErrAlloc;
    if (keys) {
      std::memcpy(keys, profile, points * sizeof(double));
      for (Qword r = 1; r < rows; ++r) {
        std::memcpy(profile, keys, points * sizeof(double));
        RArrHeapSortR(profile, points, nullptr, nullptr, profile + r * points, nullptr, nullptr,
                      nullptr);
      }
      KillPtr(&keys);
      result = node->SetSize(points, rows, 0, profile[0], profile[points - 1]);
    }
    if (result == kErrNone) {
      std::memcpy(node->matrix, profile, points * rows * sizeof(double));
      for (Qword r = 0; r < rows; ++r) node->row_flags[r] = kKyRowProfile;
      SetEvpFlags(evp, kEvpDone);
    }
  }
  KillPtr(&profile);
  return result;
}
