// Running task scripts and evaluation records: the script loop, one
// command, the report of a step, the router down to the nodes of the
// step's tree level, and the dispatch to the procedures of the table.
#include <cstring>

#include "base/errors.h"
#include "base/memory.h"
#include "data_engine/engine_text.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "data_engine/procedure.h"
#include "signal_fit/signal/filters.h"

namespace {

bool Reports(const KyAppRecord* record) {
  return record && record->callback && !(record->flags & kKyFlagQuiet);
}

// Message 53 for a changed node: the record names that node's zone and
// block (all ones above them) while the message is out, so a step run on
// every zone still tells the application which one changed.
void SendRedraw(const cKyData* node, Evp* evp, KyAppRecord* record) {
  const Qword zone = evp->zone, block = evp->block;
  const Qword depth = node->Depth();
  evp->zone = evp->block = kNoIndex;
  if (depth >= 2) {
    evp->block = node->SiblingIndex();
    evp->zone = node->Parent()->SiblingIndex();
  } else if (depth == 1) {
    evp->zone = node->SiblingIndex();
  }
  KySendMessageWith(record, kKyMsgRedraw, evp);
  evp->zone = zone;
  evp->block = block;
}

// Routing below a node that should have height `expected`. Items of one
// tree may differ in height (an item without blocks): such a node cannot
// hold the level the step asks for, and the step answers 14 rather than
// run on a node of another kind.
LibErrorCode RouteAt(cKyData* node, Evp* evp, KyAppRecord* record, Qword expected) {
  if (expected == evp->level) {
    if (node->Height() != expected) return kErrMissingInputData;
    const LibErrorCode result = node->RunEvpOnTree(evp, record);
    if (result == kErrNone && (evp->flags & kEvpDone) && Reports(record))
      SendRedraw(node, evp, record);
    return result;
  }
  if (expected < evp->level) return kErrNone;  // a level above the tree runs nothing
  if (node->ChildCount() == 0) return kErrMissingInputData;
  const Qword index = expected == 2 ? evp->zone : expected == 1 ? evp->block : kNoIndex;
  if (index != kNoIndex) {
    cKyData* child = node->Child(index);
    return child ? RouteAt(child, evp, record, expected - 1) : kErrNone;
  }
  LibErrorCode result = kErrNone;
  for (cKyData* c = node->FirstChild(); c; c = c->NextSibling()) {
    result = RouteAt(c, evp, record, expected - 1);
    if (result != kErrNone) break;
  }
  return result;
}

}  // namespace

LibErrorCode cKyData::RunTask(const char* script, KyAppRecord* record) {
  if (!script || !*script) script = default_script;
  if (!script || !*script) return kErrBadTaskScript;
  const char* hash = std::strchr(script, '#');
  if (!hash) return kErrBadTaskScript;
  while (hash) {
    const char* start = hash + 1;
    const char* next = std::strchr(start, '#');
    const Qword length = next ? static_cast<Qword>(next - start) : std::strlen(start);
    LibErrorCode error = kErrNone;
    char* command = EngineCopyRangeA(start, length, &error);
    if (!command) return kErrAlloc;
    const LibErrorCode result = RunTaskCommand(command, record);
    KillPtr(&command);
    if (result != kErrNone) return result;
    hash = next;
  }
  return kErrNone;
}

LibErrorCode cKyData::RunTaskCommand(const char* command, KyAppRecord* record) {
  if (!command) return kErrNone;
  const char* comment = std::strstr(command, "//");
  const Qword length = comment ? static_cast<Qword>(comment - command) : std::strlen(command);
  if (length == 0) return kErrNone;
  LibErrorCode error = kErrNone;
  char* text = EngineCopyRangeA(command, length, &error);
  if (!text) return kErrAlloc;
  Evp evp;
  InitEvp(&evp);
  LibErrorCode result = EvpParseCommand(text, &evp);
  KillPtr(&text);
  if (result == kErrNone && evp.mode != 0) result = ExecuteEvp(&evp, record);
  ReleaseEvp(&evp);
  return result;
}

LibErrorCode cKyData::ExecuteEvp(Evp* evp, KyAppRecord* record) {
  if (!evp) return kErrNone;
  evp->flags &= ~kEvpDone;
  if (evp->mode == 0) return kErrNone;
  LibErrorCode result;
  if (evp->id == kEvpNone)
    result = kErrNone;
  else if (evp->id == kEvpExport || evp->id == kEvpReport)
    result = kErrNotYetImplemented;
  else
    result = RouteEvp(evp, record);
  if (Reports(record)) {
    const char* name = evp->id <= 0xFFFFFFFFu ? static_cast<const char*>(NamedId_GetNameA(
                                                    EvpProcedureTable, static_cast<Dword>(evp->id)))
                                              : nullptr;
    char* procedures_report = evp->report;
    evp->report = nullptr;
    EvpAppendReport(evp, "#");
    EvpAppendReport(evp, name);
    if (result == kErrNone) {
      EvpAppendReport(evp, ": completed\n");
    } else {
      EvpAppendReport(evp, "\n Error: ");
      EvpAppendReport(evp, KyErrorStringA(result));
      EvpAppendReport(evp, "\n Stop evaluation\n");
    }
    EvpAppendReport(evp, procedures_report);
    EvpAppendReport(evp, "\n");
    KillPtr(&procedures_report);
    // The step's code is in the record while the application reads the
    // report, so it can tell a failed step before it issues any command of
    // its own (which would clear the field).
    record->error = result;
    KySendMessageWith(record, kKyMsgTaskReport, evp);
  }
  KillPtr(&evp->report);
  return result;
}

LibErrorCode cKyData::RouteEvp(Evp* evp, KyAppRecord* record) {
  if (!evp) return kErrNone;
  evp->flags &= ~kEvpDone;
  if (evp->id == kEvpNone || evp->mode == 0) return kErrNone;
  return RouteAt(this, evp, record, Height());
}

LibErrorCode cKyData::RunEvpOnTree(Evp* evp, KyAppRecord* record) {
  // Procedures write the nodes below the one they run on and their
  // companions through the arrays directly: none of those may still share
  // its matrix with a copy (a previous version, the data as loaded).
  if (const LibErrorCode e = UnshareTree(); e != kErrNone) return e;
  if (!(evp->flags & kEvpChildren)) {
    const LibErrorCode e = PrepareEvp(evp, record);
    if (e != kErrNone) return e;
    return RunEvp(evp, record);
  }
  if (ChildCount() == 0) return kErrNone;
  cKyData* reference = nullptr;
  if (evp->flags & kEvpPrepareFirst)
    reference = FirstChild();
  else if (evp->flags & kEvpPrepareLast)
    reference = LastChild();
  else if (evp->flags & kEvpPrepareMaxPower)
    reference = ChildWithMaxStatistic(kKyStatMaxPower);
  if (reference) {
    const LibErrorCode e = reference->PrepareEvp(evp, record);
    if (e != kErrNone) return e;
  }
  LibErrorCode result = kErrNone;
  for (cKyData* c = FirstChild(); c; c = c->NextSibling()) {
    if (!reference) result = c->PrepareEvp(evp, record);
    if (result == kErrNone) result = c->RunEvp(evp, record);
    if (result != kErrNone) break;
  }
  return result;
}

LibErrorCode cKyData::PrepareEvp(Evp* evp, KyAppRecord* record) {
  const EvpProcedureRow* row = EvpFindProcedure(evp->id);
  if (!row) return kErrUnknownProcedureMode;
  if (!row->has_prepare) return kErrNone;
  if (row->prepare) return row->prepare(this, evp, record);
  // BASELINE mode 1 is the dispatcher's own and needs no preparation.
  if (evp->id == kEvpBaseline && evp->mode == 1) return kErrNone;
  return kErrNotYetImplemented;
}

LibErrorCode cKyData::RunEvp(Evp* evp, KyAppRecord* record) {
  if (evp->id == kEvpNone || evp->id == kEvpExport || evp->id == kEvpReport) return kErrNone;
  if (evp->id == kEvpBaseline && evp->mode == 1) {
    double* row1 = Row(1);
    if (!row1 || points == 0) return kErrMissingInputData;
    return RArrAblativeBc(points, row1, nullptr, 100, 4);
  }
  const EvpProcedureRow* row = EvpFindProcedure(evp->id);
  if (!row) return kErrUnknownProcedureMode;
  if (!row->run) return kErrNotYetImplemented;
  return row->run(this, evp, record);
}
