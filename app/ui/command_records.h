// Argument records of the data, task and plot commands and of the reader
// request, laid out field for field as the framework reads them. The framework's own
// headers for these commands replace this file once they are in the tree;
// until then every command that takes one of these answers "Unknown
// command" and the program shows that error.
#pragma once
#include <cstdint>

#include "base/types.h"
#include "data_engine/evp.h"

class cKyData;
class cPlot;

// Code 108 and framework message 40.
struct SaveDataArgs {
  Dword data_type;
  const char16_t* path;
  cKyData* node;
  Qlong item;
  Qlong block;
  Dword flags;
};

// Codes 126 and 127.
struct ParameterArgs {
  Qlong item;
  const char* name;
  void* unused;
  const char* value;
};

// Code 141.
struct StateArgs {
  Qlong item;
  const Dword* state;
};

// Framework message 30.
struct ReaderRequest {
  Qword data_type;
  cKyData* root;
  const char16_t* path;
  void* unused;
};

// Codes 10002 and 10007 to 10021 (except 10005 and 10015).
struct PlotArgs {
  cPlot* plot;
  Dword flags;
  Qword apodization_type;
  void* pointer;
  std::uint8_t zoom;
  union Value {
    double real;
    Qlong integer;
  } values[4];
  Qlong first_point;
  double delta_divisor;
};

// Code 10015.
struct ReadoutArgs {
  Qlong x;
  Qlong y;
  Qword window_id;
};

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
