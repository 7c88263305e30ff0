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
  kKyCmdNuclideCalculator = 107,
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
  // Data and task commands.
  kKyCmdCopyBlock = 94,
  kKyCmdRunTaskRecord = 95,
  kKyCmdItemFolder = 96,
  kKyCmdLoadData = 98,
  kKyCmdItemFolder2 = 99,
  kKyCmdItemFileName = 100,
  kKyCmdItemFullPath = 101,
  kKyCmdItemCount = 104,
  kKyCmdItemParameterCount = 105,
  kKyCmdItemParameterList = 106,
  kKyCmdSaveData = 108,
  kKyCmdItemBlockCount = 109,
  kKyCmdItemExperiment = 110,
  kKyCmdItemDataType = 113,
  kKyCmdItemTypeName = 114,
  kKyCmdUndoData = 115,
  kKyCmdRunDefaultTask = 118,
  kKyCmdRunTaskScript = 122,
  kKyCmdSetParameter = 126,
  kKyCmdGetParameter = 127,
  kKyCmdBlockPoints = 128,
  kKyCmdBlockXFirst = 129,
  kKyCmdBlockXLast = 130,
  kKyCmdBlockXUnit = 131,
  kKyCmdBlockXGrid = 132,
  kKyCmdItemXFirst = 133,
  kKyCmdItemXLast = 134,
  kKyCmdItemXUnit = 135,
  kKyCmdItemXGrid = 136,
  kKyCmdItemState = 140,
  kKyCmdSetItemState = 141,
  kKyCmdRestorePrevious = 143,
  kKyCmdRestoreOldest = 144,
};

// Kinds of the text file of code 142.
enum : Qword {
  kKyTextFileText = 1,
  kKyTextFileCsv = 10,
};
