// The command table: every code of LibCommand, by ranges, with the handler
// that runs it. A row without a handler belongs to a family that is not in
// this build yet; its codes answer "Unknown command" like codes outside
// every row.
#pragma once
#include "framework/ky_app_record.h"

// Runs one command on the record: reads the argument field, writes the
// result and error fields. Never throws.
typedef void (*KyCommandHandler)(KyAppRecord* record);

struct KyCommandRow {
  Dword first;
  Dword last;
  KyCommandHandler handler;  // null: not yet available in this build
};

// The handler of a code, or null for an unknown or unavailable code.
KyCommandHandler KyCommandFind(Dword code);
// The whole table, for tests that walk it.
const KyCommandRow* KyCommandTable(Qword* rows);

// Handlers, by family.
void CmdRunApplication(KyAppRecord* record);     // 3
void CmdFreeData(KyAppRecord* record);           // 102
void CmdErrorText(KyAppRecord* record);          // 4
void CmdErrorTextA(KyAppRecord* record);         // 5
void CmdShellOpen(KyAppRecord* record);          // 6
void CmdLocalTime(KyAppRecord* record);          // 7
void CmdOpenItemFolder(KyAppRecord* record);     // 97
void CmdKillObject(KyAppRecord* record);         // 103
void CmdKindTest(KyAppRecord* record);           // 111
void CmdNotYetImplemented(KyAppRecord* record);  // 112, 116
void CmdNothing(KyAppRecord* record);            // 119
void CmdKill(KyAppRecord* record);               // 124, 125
void CmdWriteTextFile(KyAppRecord* record);      // 142
void CmdReadUserScript(KyAppRecord* record);     // 117
void CmdReadRecentFiles(KyAppRecord* record);    // 120
void CmdAddRecentFile(KyAppRecord* record);      // 121
void CmdWriteUserScript(KyAppRecord* record);    // 123
void CmdWriteSetup(KyAppRecord* record);         // 138
void CmdReadSetup(KyAppRecord* record);          // 139
void CmdCopyBlock(KyAppRecord* record);          // 94
void CmdRunTaskRecord(KyAppRecord* record);      // 95
void CmdItemField(KyAppRecord* record);  // 96, 99-101, 105, 109, 110, 113, 114, 133-136, 140
void CmdLoadData(KyAppRecord* record);   // 98
void CmdItemCount(KyAppRecord* record);  // 104
void CmdItemParameterList(KyAppRecord* record);      // 106
void CmdSaveData(KyAppRecord* record);               // 108
void CmdUndoData(KyAppRecord* record);               // 115
void CmdRunDefaultTask(KyAppRecord* record);         // 118
void CmdRunTaskScript(KyAppRecord* record);          // 122
void CmdSetParameter(KyAppRecord* record);           // 126
void CmdGetParameter(KyAppRecord* record);           // 127
void CmdBlockField(KyAppRecord* record);             // 128-132
void CmdSetItemState(KyAppRecord* record);           // 141
void CmdRestoreItem(KyAppRecord* record);            // 143, 144
void CmdConQuasso(KyAppRecord* record);              // 1000
void CmdCout(KyAppRecord* record);                   // 1001
void CmdCoutA(KyAppRecord* record);                  // 1002
void CmdConMenu(KyAppRecord* record);                // 1003
void CmdNuclideCalculator(KyAppRecord* record);      // 107
void CmdCreatePlot(KyAppRecord* record);             // 10001
void CmdDrawPlot(KyAppRecord* record);               // 10002
void CmdKillPlot(KyAppRecord* record);               // 10004
void CmdPlotOrientation(KyAppRecord* record);        // 10005
void CmdPlotXToDevice(KyAppRecord* record);          // 10007
void CmdPlotDeviceToX(KyAppRecord* record);          // 10008
void CmdPlotYToDevice(KyAppRecord* record);          // 10009
void CmdPlotDeviceToY(KyAppRecord* record);          // 10010
void CmdPlotToSvg(KyAppRecord* record);              // 10011
void CmdPlotZoomY(KyAppRecord* record);              // 10012
void CmdPlotZoomBox(KyAppRecord* record);            // 10013
void CmdPlotSetRanges(KyAppRecord* record);          // 10014
void CmdReadoutAt(KyAppRecord* record);              // 10015
void CmdCursorReadoutX(KyAppRecord* record);         // 10016
void CmdCursorReadoutY(KyAppRecord* record);         // 10017
void CmdPlotNearestIndex(KyAppRecord* record);       // 10018
void CmdPlotApodization(KyAppRecord* record);        // 10019
void CmdPlotRemoveApodization(KyAppRecord* record);  // 10020
void CmdPlotFrequency(KyAppRecord* record);          // 10021
