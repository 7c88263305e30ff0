// Argument records of the service and configuration commands. The caller
// owns each record and passes its address in the record's argument field.
#pragma once
#include <cstdint>

#include "base/types.h"

// Codes 4 and 5: the caller clears the record and fills the code; code 4
// answers in `wide` (a shared buffer, valid until the next call), code 5 in
// `narrow` (a constant text). Neither is freed by the caller.
struct ErrorTextArgs {
  Dword code;
  const char16_t* wide;
  const char* narrow;
};

// Code 142: kind 1 text file, 10 comma-separated values; `reserved` is
// not read; a null path asks the user with a save dialog.
struct TextFileArgs {
  Qword kind;
  Qword reserved;
  const char16_t* path;
  const char* text;
};

// Loading a data set (code 98) and adding a recent file (code 121). The
// data type is read as 64 bits by code 121, so callers fill all of it; for
// code 121 `text` holds the full path in UTF-8.
struct LoadDataArgs {
  Qword data_type;
  const char16_t* path;
  Dword flags;  // 0x200: the path is required
  const char* text;
};

enum : Dword { kKyLoadPathRequired = 0x200 };

class cKyData;

// Saving a node (code 108, and message 40 when the engine has no writer for
// the type). The framework fills in `node`; item -1 is the root, block -1
// the whole item.
struct SaveDataArgs {
  Dword data_type;
  const char16_t* path;  // null: the writer asks the user
  cKyData* node;
  Qlong item;
  Qlong block;
  Dword flags;  // the CSV export flags
};

// Codes 126 (set; item -1 every item) and 127 (get).
struct ParameterArgs {
  Qlong item;
  const char* name;
  void* unused;
  const char* value;
};

// Code 141: the item's processing state := *state.
struct StateArgs {
  Qlong item;
  const Dword* state;
};

// Message 30: the application reads the file into `root` with its own
// reader; the path is null when the caller gave none.
struct ReaderRequest {
  Qword data_type;
  cKyData* root;
  const char16_t* path;
  void* unused;  // always null
};

class cPlot;

// Codes 10002 and 10007 to 10021 but 10005 and 10015. Which fields a code
// reads is listed with the code (command/cmd_plot*.cpp); code
// 10019 may write the second value.
struct PlotArgs {
  cPlot* plot;
  Dword flags;             // 10002: visible kinds and delta unit; 10011: SVG flags
  Qword apodization_type;  // 10019
  void* pointer;           // 10002: the drawing target; 10007-10010, 10018: the input value
  std::uint8_t zoom;       // 10002: set the ranges from the values instead of drawing
  union Value {
    double real;
    Qlong integer;
  } values[4];
  Qlong first_point;     // 10019: first point of the window, -1 for 0
  double delta_divisor;  // 10002: the unit factor the caller believes applied
};

// Code 10015: the pixel under the mouse and the window id of the canvas.
struct ReadoutArgs {
  Qlong x;
  Qlong y;
  Qword window_id;
};

// Units of the "delta" series in the flags of code 10002.
enum : Dword {
  kPlotDeltaUnitMask = 0xF0,
  kPlotDeltaUnit1 = 0x10,
  kPlotDeltaUnit10 = 0x20,
  kPlotDeltaUnit100 = 0x40,
  kPlotDeltaUnit1000 = 0x80,
};
