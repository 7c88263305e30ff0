// Argument records of the service and configuration commands. The caller
// owns each record and passes its address in the record's argument field.
#pragma once
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
  void* reserved;  // always null
};
