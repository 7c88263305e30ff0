// The command codes the program issues, by the names the program uses; the
// argument records are the framework's own (ky_command_args.h).
#pragma once
#include <cstdint>

#include "base/types.h"
#include "command/ky_command_args.h"
#include "data_engine/evp.h"

// Data and plot command codes the program issues.
enum : Dword {
  kCmdLoadData = 98,
  kCmdItemFolder = 99,
  kCmdItemPath = 101,
  kCmdItemCount = 104,
  kCmdItemExperiment = 110,
  kCmdItemDataType = 113,
  kCmdItemTypeName = 114,
  kCmdRestoreOldest = 144,
  kCmdSetParameter = 126,
  kCmdGetParameter = 127,
  kCmdFirstBlockPoints = 128,
  kCmdGetState = 140,
  kCmdSetState = 141,
  kCmdPlotCreate = 10001,
  kCmdPlotDraw = 10002,
  kCmdPlotKill = 10004,
  kCmdPlotOrientation = 10005,
  kCmdPlotXToPixel = 10007,
  kCmdPlotPixelToX = 10008,
  kCmdPlotYToPixel = 10009,
  kCmdPlotPixelToY = 10010,
  kCmdPlotZoomY = 10012,
  kCmdPlotZoomBox = 10013,
  kCmdPlotReadout = 10015,
  kCmdPlotFrequency = 10021,
};

// Data type code of Bruker acquisition folders.
constexpr Qword kDataTypeBruker = 8;
