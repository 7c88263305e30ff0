// Progress reporting of ILT mode 1 and the merge of its distributions.
#include "data_engine/ilt_progress.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>

#include "base/memory.h"
#include "base/platform/c_number.h"
#include "data_engine/evp.h"
#include "data_engine/ilt_progress_testing.h"
#include "framework/ky_app_record.h"
#include "signal_fit/fit/fit_problem.h"

namespace {

// One transform at a time: the zone index of message 53, a step counter,
// and the node the transform works on (its companion takes the
// intermediate distributions).
Qword g_zone = kNoIndex;
Qword g_step = 0;
cKyData* g_node = nullptr;

bool Reports(const KyAppRecord* r) { return r && r->callback && !(r->flags & kKyFlagQuiet); }

Dword SendText(KyAppRecord* r, Dword message, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  const int n = PlatformFormatC(text, sizeof text, format, args);
  va_end(args);
  if (n < 0) text[0] = 0;
  return KySendMessageWith(r, message, text);
}

// The intermediate distribution: exp(log-amplitude) x scale of the
// transform's problem, merged into the node's companion, then a redraw
// request naming the node.
void PublishIntermediate(Minimizer* m, KyAppRecord* r) {
  const FitProblem* problem = static_cast<const FitProblem*>(m->userData);
  if (!problem || m->paramCount < 2) return;
  const Qword count = m->paramCount - 1;
  Dword e = kErrNone;
  double* amplitudes = NewRealArrFill(&e, count);
  if (!amplitudes) return;
  for (Qword j = 0; j < count; ++j)
    amplitudes[j] = std::exp(problem->amplitudes[j]) * problem->scale;
  IltMergeDistribution(g_node, problem->rates, amplitudes, count);
  KillPtr(&amplitudes);
  Evp evp;
  InitEvp(&evp);
  evp.id = kEvpIlt;
  // A block's transform names its zone and itself.
  if (g_node->Depth() >= 2) {
    evp.level = 0;
    evp.zone = g_node->Parent()->SiblingIndex();
    evp.block = g_zone;
  } else {
    evp.level = 1;
    evp.zone = g_zone;
  }
  KySendMessageWith(r, kKyMsgRedraw, &evp);
}

}  // namespace

Qword IltCompanionComponents(const cKyData* node) {
  const cKyData* c = node ? node->linked : nullptr;
  const Qword held = (c && c->matrix && c->rows >= 2) ? c->points : 0;
  const double count = c ? c->results[0] : NAN;
  if (!(count > 0)) return 0;
  return count >= static_cast<double>(held) ? held : static_cast<Qword>(count);
}

LibErrorCode IltMergeDistribution(cKyData* node, const double* rates, const double* amplitudes,
                                  Qword count) {
  // The merge keeps as many leading companion points as the node's result
  // 0 says; that result may meanwhile hold another fit's parameter, so the
  // companion's own count stands in for it during the merge.
  const Qword kept = IltCompanionComponents(node);
  const double own = node->results[0];
  node->results[0] = static_cast<double>(kept);
  const LibErrorCode e = cKyData::MergeIltResult(node, rates, amplitudes, count);
  node->results[0] = own;
  if (e == kErrNone) node->linked->results[0] = static_cast<double>(kept);
  return e;
}

Dword IltProgressCallback(Minimizer* m, Dword code) {
  KyAppRecord* r = m ? static_cast<KyAppRecord*>(m->progressData) : nullptr;
  if (!Reports(r)) return 0;
  switch (code) {
    case kMinimizerFirstEval: {
      if (g_zone == kNoIndex) {
        g_node = static_cast<cKyData*>(r->argument);
        g_zone = g_node ? g_node->SiblingIndex() : 0;
      }
      g_step = 0;
      // A stop request is an answer to message 63 of this transform, not a
      // value left in the field by an earlier command.
      r->result.u64 = 0;
      const std::uintptr_t a = reinterpret_cast<std::uintptr_t>(r->argument);
      KySendMessageWith(r, kKyMsgFitStart,
                        reinterpret_cast<void*>((a & ~std::uintptr_t{0xFF}) | 1u));
      return 0;
    }
    case kMinimizerNewBest: {
      // Never the root: its linked node is the previous tree.
      if (!g_node || !g_node->Parent()) return 0;
      if (g_step % 10 == 0) PublishIntermediate(m, r);
      ++g_step;
      SendText(r, kKyMsgFitProgress, "n calls: %llu/%llu\ntarget function: %g\nwait please...",
               static_cast<unsigned long long>(m->calls),
               static_cast<unsigned long long>(m->maxCalls), m->value);
      return (r->result.u64 & 0xFF) != 0 ? Dword{kErrTooManyFunctionCalls} : Dword{0};
    }
    case kMinimizerEnd:
      g_zone = kNoIndex;
      g_node = nullptr;
      g_step = 0;
      SendText(r, kKyMsgFitEnd, "n calls: %llu\ntarget function: %g\nwait please...finished",
               static_cast<unsigned long long>(m->calls), m->value);
      return 0;
    default:
      return 0;
  }
}

void IltProgressResetForTesting() {
  g_zone = kNoIndex;
  g_node = nullptr;
  g_step = 0;
}

Qword IltProgressZoneForTesting() { return g_zone; }
Qword IltProgressStepForTesting() { return g_step; }
