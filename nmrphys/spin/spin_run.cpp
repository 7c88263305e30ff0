// A simulation run: the window, the selected system and its limits, the
// output arrays, the lines of every executable system in the selected
// subtree, the sort, the decays and the transform.
#include <cmath>
#include <limits>

#include "base/error_codes.h"
#include "base/heap_sort_engine.h"
#include "base/memory.h"
#include "nmrphys/spin/spin_system.h"
#include "signal_fit/signal/fourier.h"

namespace {

constexpr double kPi = 3.14159265358979323846264338328;
constexpr Dword kSortKeys = kSsSortGroup | kSsSortFrequency | kSsSortIntensity | kSsSortUserId;

// Line order: by the selected keys in the order user id, group, frequency,
// intensity; descending inverts it.
struct LineOrder {
  Dword flags;
  static int Cmp(double a, double b) { return a < b ? -1 : (b < a ? 1 : 0); }
  int Compare(const ssLine& a, const ssLine& b) const {
    int c = 0;
    if (!c && (flags & kSsSortUserId)) c = Cmp(a.UserId, b.UserId);
    if (!c && (flags & kSsSortGroup)) c = Cmp(a.GroupCode & 0xFFFFu, b.GroupCode & 0xFFFFu);
    if (!c && (flags & kSsSortFrequency)) c = Cmp(a.Frequency, b.Frequency);
    if (!c && (flags & kSsSortIntensity)) c = Cmp(a.Intensity, b.Intensity);
    return (flags & kSsSortDescending) ? -c : c;
  }
  bool After(const ssLine& a, const ssLine& b) const { return Compare(a, b) > 0; }
};

bool PowerOfTwo(Qword n) { return n && !(n & (n - 1)); }

void SetWindow(const cSpinForest& forest, ssSimulationRequest& r) {
  if (!(r.Flags & kSsWindowFromDecay)) {
    r.DecayPoints = r.Points;
    if (r.To > r.From) {
      r.Dwell = 1.0 / (r.To - r.From);
      r.T0 = r.PiT0 / kPi;
      r.Centre = r.From + (r.To - r.From) / 2.0;
    } else {
      r.Dwell = std::numeric_limits<double>::quiet_NaN();
    }
  } else if (!(r.Dwell > 0.0) || r.DecayPoints < 2) {
    r.Points = 0;
  } else {
    r.Points = r.DecayPoints;
    r.From = r.Centre - 0.5 / r.Dwell;
    r.To = r.From + 1.0 / r.Dwell;
    r.PiT0 = kPi * r.T0;
  }
  r.Step = (r.Points > 1 && r.To > r.From) ? (r.To - r.From) / (r.Points - 1) : 0.0;
  if (r.IntensityThreshold == 0.0)
    r.IntensityThreshold = forest.configuration.TransitionsIntensityThresholdOverride;
}

// Group spectra are keyed by user id x 65536 + group: the user id must be
// neither 0 (key 0 marks a free entry) nor above 16 bits.
LibErrorCode CheckGroupKeys(const cSpinForest& forest, const cSpinSystem* selected) {
  for (cKyListItem* item = forest.First(); item; item = item->Next()) {
    const cSpinSystem* root = static_cast<const cSpinSystem*>(item);
    if (selected && root != selected->root) continue;
    if (root->input.UserId == 0 || root->input.UserId > 0xFFFFu) return kErrIllegalArgument;
  }
  return kErrNone;
}

LibErrorCode MakeOutputs(const cSpinForest& forest, ssSimulationRequest& r, const ssProfile& p,
                         cSpinRunState& run) {
  Dword error;
  const double zero = 0.0;
  if (r.Flags & kSsLineList) {
    const double x =
        (r.Flags & kSsAllTransitions) ? p.AllTransitions : p.MainTransitions + p.C1Transitions;
    if (x > forest.configuration.MaxNumberOfTransitions) return kErrTooManyItems;
    // The list never holds more than the capacity, so no more is allocated;
    // a list that cannot take a line still exists, to mark itself full.
    Qword size = static_cast<Qword>(x + 0.5);
    if (size > r.LineCapacity) size = r.LineCapacity ? r.LineCapacity : 1;
    if (size) {
      r.Lines = NewArrFill<ssLine>(&error, size);
      if (!r.Lines) return kErrAlloc;
    }
    run.LineArraySize = size;
    r.LinesKept = 0;
  }
  const Qword bins = Qword{r.Points} * forest.configuration.BinsPerPoint;
  if (bins > 0xFFFFFFFFull) return kErrTooManyItems;
  r.BinCount = static_cast<Dword>(bins);
  if ((r.Flags & (kSsBinnedSpectrum | kSsDecay | kSsSpectrumFromDecay)) && bins) {
    r.Bins = NewArrFill<double>(&error, bins, &zero);
    if (!r.Bins) return kErrAlloc;
  }
  if ((r.Flags & (kSsGroupSpectra | kSsGroupDecays)) && p.EnabledEqvGroups) {
    r.GroupSpectra = NewArrFill<ssGroupSpectrum>(&error, p.EnabledEqvGroups);
    if (!r.GroupSpectra) return kErrAlloc;
    r.GroupCount = p.EnabledEqvGroups;
    for (Dword e = 0; e < r.GroupCount; ++e)
      r.GroupSpectra[e] = ssGroupSpectrum{0, nullptr, nullptr};
    for (Dword e = 0; e < r.GroupCount && bins; ++e) {
      r.GroupSpectra[e].Bins = NewArrFill<double>(&error, bins, &zero);
      if (!r.GroupSpectra[e].Bins) return kErrAlloc;
    }
  }
  return kErrNone;
}

void SortLines(ssSimulationRequest& r) {
  if (!(r.Flags & kSsLineList) || !(r.Flags & (kSortKeys | kSsSortDescending)) || r.LinesKept < 2)
    return;
  KeySeq<ssLine, LineOrder> seq{r.Lines, LineOrder{r.Flags}};
  HeapSortEngine(r.LinesKept, seq);
}

LibErrorCode Synthesize(const ssSimulationRequest& r, const double* bins, double linewidth,
                        double* decay) {
  return ssSynthesizeFID(r.BinCount, bins, r.From, r.To, r.DecayPoints, r.Centre, r.T0, r.Dwell,
                         r.Phase, linewidth, decay, decay + r.DecayPoints);
}

LibErrorCode MakeDecays(const cSpinForest& forest, ssSimulationRequest& r) {
  const Qword values = 2 * Qword{r.DecayPoints};
  Dword error;
  const double zero = 0.0;
  const bool total = r.Flags & (kSsDecay | kSsSpectrumFromDecay);
  const bool per_group = (r.Flags & kSsGroupDecays) && r.GroupSpectra;
  if (values == 0) return kErrNone;
  if (total) {
    r.Decay = NewArrFill<double>(&error, values, &zero);
    if (!r.Decay) return kErrAlloc;
  }
  if (per_group)
    for (Dword e = 0; e < r.GroupCount; ++e) {
      ssGroupSpectrum& entry = r.GroupSpectra[e];
      entry.Decay = NewArrFill<double>(&error, values, &zero);
      if (!entry.Decay) return kErrAlloc;
      if (entry.Key <= 0xFFFFu || !entry.Bins) continue;
      const cSpinSystem* root = forest.Find(entry.Key >> 16, 0);
      const Dword group = entry.Key & 0xFFFFu;
      double lw = r.BaseLinewidth;
      if (root && group < root->input.GroupCount) lw += SpinLinewidth(root->input, group);
      if (const LibErrorCode e2 = Synthesize(r, entry.Bins, lw, entry.Decay)) return e2;
    }
  if (!total) return kErrNone;
  if (per_group) {
    for (Dword e = 0; e < r.GroupCount; ++e)
      for (Qword x = 0; x < values; ++x) r.Decay[x] += r.GroupSpectra[e].Decay[x];
  } else if (r.Bins) {
    if (const LibErrorCode e = Synthesize(r, r.Bins, r.BaseLinewidth, r.Decay)) return e;
  }
  if ((r.Flags & kSsSpectrumFromDecay) && r.Decay) {
    r.Decay[0] *= 0.5;
    r.Decay[r.DecayPoints] *= 0.5;
    return SArrFT(r.DecayPoints, r.Decay, 0);
  }
  return kErrNone;
}

LibErrorCode Run(cSpinForest& forest, ssSimulationRequest& r, Dword release_rule) {
  SetWindow(forest, r);
  cSpinSystem* selected = nullptr;
  ssProfile* profile;
  if (r.UserId == 0) {
    forest.RecomputeGlobalProfile();
    profile = &forest.global;
  } else {
    selected = forest.Find(r.UserId, r.SubId);
    if (!selected) return kErrUnknownId;
    profile = &selected->profile;
  }
  r.Profile = profile;
  const ssConfiguration& config = forest.configuration;
  const double largest = config.MaxManifoldDimension < kSpinMaxDimension
                             ? config.MaxManifoldDimension
                             : kSpinMaxDimension;
  if (profile->LargestManifoldDimension > largest) return kErrTooManyItems;
  if (profile->ExecutionTime > config.MaxExecutionTime) return kErrTimeLimitExceeded;
  if (r.Flags & (kSsGroupSpectra | kSsGroupDecays))
    if (const LibErrorCode e = CheckGroupKeys(forest, selected)) return e;
  cSpinRunState run;
  if (const LibErrorCode e = MakeOutputs(forest, r, *profile, run)) return e;
  // Checked before the lines are computed rather than after.
  if ((r.Flags & kSsSpectrumFromDecay) && r.DecayPoints && !PowerOfTwo(r.DecayPoints))
    return kErrIllegalArgument;
  // Only the selected subtree computes: its profile set the limits and the
  // size of the line list.
  ssMessageArgument argument{r.UserId, r.SubId, release_rule, &r, &run, nullptr};
  if (const Dword e = forest.Broadcast(ssMessageComputeTransitions, &argument, selected)) return e;
  SortLines(r);
  return MakeDecays(forest, r);
}

}  // namespace

void SpinReleaseOutputs(ssSimulationRequest* r) {
  KillPtr(&r->Lines);
  KillPtr(&r->Bins);
  KillPtr(&r->Decay);
  if (r->GroupSpectra)
    for (Dword e = 0; e < r->GroupCount; ++e) {
      KillPtr(&r->GroupSpectra[e].Bins);
      KillPtr(&r->GroupSpectra[e].Decay);
    }
  KillPtr(&r->GroupSpectra);
  r->LinesKept = r->BinCount = r->GroupCount = 0;
}

VELTRIA_API LibErrorCode ssRunSimulation(cSpinForest* instance, ssSimulationRequest* request) {
  if (!instance || !request) return kErrMissingArguments;
  // Outputs of an earlier run are the request's own: released, not dropped.
  SpinReleaseOutputs(request);
  // The full-list bit is an output of this run; the manifold release rule
  // comes from the caller's keep bits, so a full list neither blocks the
  // next run's lines nor keeps manifold data behind.
  request->Flags &= ~kSsLineListFull;
  const Dword release_rule = request->Flags & (kSsKeepRaising | kSsKeepIz);
  const LibErrorCode e = Run(*instance, *request, release_rule);
  if (e) SpinReleaseOutputs(request);
  return e;
}
