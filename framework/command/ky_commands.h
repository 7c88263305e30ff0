// The codes of LibCommand, by name, for the program, the console front end
// and the tests. The framework message numbers and record flags come with
// the application record.
#pragma once
#include "framework/ky_app_record.h"

enum : Dword {
  // The record and the application.
  kKyCmdCreate = 1,
  kKyCmdFree = 2,
  kKyCmdRun = 3,
  // Services.
  kKyCmdErrorText = 4,
  kKyCmdErrorTextA = 5,
  kKyCmdShellOpen = 6,
  kKyCmdLocalTime = 7,
  kKyCmdOpenItemFolder = 97,
  kKyCmdFreeData = 102,
  kKyCmdKillObject = 103,
  kKyCmdKindTest = 111,
  kKyCmdReserved112 = 112,
  kKyCmdReserved116 = 116,
  kKyCmdNothing = 119,
  kKyCmdKill = 124,
  kKyCmdKill2 = 125,
  kKyCmdWriteTextFile = 142,
  // Configuration file.
  kKyCmdReadUserScript = 117,
  kKyCmdReadRecentFiles = 120,
  kKyCmdAddRecentFile = 121,
  kKyCmdWriteUserScript = 123,
  kKyCmdWriteSetup = 138,
  kKyCmdReadSetup = 139,
  // Console.
  kKyCmdConQuasso = 1000,
  kKyCmdCout = 1001,
  kKyCmdCoutA = 1002,
  kKyCmdConMenu = 1003,
  // Plots.
  kKyCmdCreatePlot = 10001,
  kKyCmdDrawPlot = 10002,
  kKyCmdKillPlot = 10004,
  kKyCmdPlotOrientation = 10005,
  kKyCmdPlotXToDevice = 10007,
  kKyCmdPlotDeviceToX = 10008,
  kKyCmdPlotYToDevice = 10009,
  kKyCmdPlotDeviceToY = 10010,
  kKyCmdPlotToSvg = 10011,
  kKyCmdPlotZoomY = 10012,
  kKyCmdPlotZoomBox = 10013,
  kKyCmdPlotSetRanges = 10014,
  kKyCmdReadoutAt = 10015,
  kKyCmdCursorReadoutX = 10016,
  kKyCmdCursorReadoutY = 10017,
  kKyCmdPlotNearestIndex = 10018,
  kKyCmdPlotApodization = 10019,
  kKyCmdPlotRemoveApodization = 10020,
  kKyCmdPlotFrequency = 10021,
};

// Kinds of the text file of code 142.
enum : Qword {
  kKyTextFileText = 1,
  kKyTextFileCsv = 10,
};
