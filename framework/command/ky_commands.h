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
};

// Kinds of the text file of code 142.
enum : Qword {
  kKyTextFileText = 1,
  kKyTextFileCsv = 10,
};
