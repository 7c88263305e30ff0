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
