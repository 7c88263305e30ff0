#include "command/command_table.h"

namespace {

// Sorted by code; a code outside every row answers "Unknown command".
constexpr KyCommandRow kTable[] = {
    {3, 3, CmdRunApplication},
    {4, 4, CmdErrorText},
    {5, 5, CmdErrorTextA},
    {6, 6, CmdShellOpen},
    {7, 7, CmdLocalTime},
    {94, 94, CmdCopyBlock},
    {95, 95, CmdRunTaskRecord},
    {96, 96, CmdItemField},
    {97, 97, CmdOpenItemFolder},
    {98, 98, CmdLoadData},
    {99, 101, CmdItemField},
    {102, 102, CmdFreeData},
    {103, 103, CmdKillObject},
    {104, 104, CmdItemCount},
    {105, 105, CmdItemField},
    {106, 106, CmdItemParameterList},
    {107, 107, CmdNuclideCalculator},
    {108, 108, CmdSaveData},
    {109, 110, CmdItemField},
    {111, 111, CmdKindTest},
    {112, 112, CmdNotYetImplemented},
    {113, 114, CmdItemField},
    {115, 115, CmdUndoData},
    {116, 116, CmdNotYetImplemented},
    {117, 117, CmdReadUserScript},
    {118, 118, CmdRunDefaultTask},
    {119, 119, CmdNothing},
    {120, 120, CmdReadRecentFiles},
    {121, 121, CmdAddRecentFile},
    {122, 122, CmdRunTaskScript},
    {123, 123, CmdWriteUserScript},
    {124, 125, CmdKill},
    {126, 126, CmdSetParameter},
    {127, 127, CmdGetParameter},
    {128, 132, CmdBlockField},
    {133, 136, CmdItemField},
    {138, 138, CmdWriteSetup},
    {139, 139, CmdReadSetup},
    {140, 140, CmdItemField},
    {141, 141, CmdSetItemState},
    {142, 142, CmdWriteTextFile},
    {143, 144, CmdRestoreItem},
    {1000, 1000, CmdConQuasso},
    {1001, 1001, CmdCout},
    {1002, 1002, CmdCoutA},
    {1003, 1003, CmdConMenu},
    {10001, 10001, CmdCreatePlot},
    {10002, 10002, CmdDrawPlot},
    {10004, 10004, CmdKillPlot},
    {10005, 10005, CmdPlotOrientation},
    {10007, 10007, CmdPlotXToDevice},
    {10008, 10008, CmdPlotDeviceToX},
    {10009, 10009, CmdPlotYToDevice},
    {10010, 10010, CmdPlotDeviceToY},
    {10011, 10011, CmdPlotToSvg},
    {10012, 10012, CmdPlotZoomY},
    {10013, 10013, CmdPlotZoomBox},
    {10014, 10014, CmdPlotSetRanges},
    {10015, 10015, CmdReadoutAt},
    {10016, 10016, CmdCursorReadoutX},
    {10017, 10017, CmdCursorReadoutY},
    {10018, 10018, CmdPlotNearestIndex},
    {10019, 10019, CmdPlotApodization},
    {10020, 10020, CmdPlotRemoveApodization},
    {10021, 10021, CmdPlotFrequency},
};

constexpr Qword kRows = sizeof kTable / sizeof kTable[0];

constexpr bool Sorted() {
  for (Qword i = 0; i < kRows; ++i) {
    if (kTable[i].first > kTable[i].last) return false;
    if (i > 0 && kTable[i - 1].last >= kTable[i].first) return false;
  }
  return true;
}
static_assert(Sorted(), "command rows are sorted and do not overlap");

}  // namespace

KyCommandHandler KyCommandFind(Dword code) {
  Qword lo = 0, hi = kRows;
  while (lo < hi) {
    const Qword mid = lo + (hi - lo) / 2;
    if (kTable[mid].last < code)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo < kRows && kTable[lo].first <= code) return kTable[lo].handler;
  return nullptr;
}

const KyCommandRow* KyCommandTable(Qword* rows) {
  if (rows) *rows = kRows;
  return kTable;
}
