// The application record shared by the command interface, the data engine
// and the program: one record per application, its callback into the
// application, the application-information record, and the numbers of the
// framework messages. The record type lives below the data engine so that the
// engine can report through it; LibCommand itself sits above both.
#pragma once
#include <cstdint>

#include "base/types.h"

class cKyData;
struct KyAppRecord;

// (message, record) -> 32-bit answer.
typedef Dword (*KyCommandCallback)(Dword message, KyAppRecord* record);

struct GwState;
// (target, message, x1, y1, x2, y2, state or 8-bit text) -> 64-bit answer.
typedef Qlong (*KyDrawCallback)(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                                const void* state_or_text);

struct KyAppRecord {
  Dword flags;
  Dword error;
  Dword command;
  Dword reserved_pad;  // keeps the callback 8-byte aligned, as the 48-byte layout has it
  KyCommandCallback callback;
  void* argument;
  union {
    void* pointer;
    Qword u64;
    Qlong i64;
    double real;
  } result;
  cKyData* data_root;
};
static_assert(sizeof(KyAppRecord) == 48, "the application record is 48 bytes");

// Record flags.
enum : Dword {
  kKyFlagNoUndo = 0x10000000u,
  kKyFlagKeepCommand1 = 0x20000000u,
  kKyFlagQuiet = 0x40000000u,
  kKyFlagKeepCommand2 = 0x80000000u,
};

// Framework messages sent through the record's callback.
enum : Dword {
  kKyMsgBegin = 1,
  kKyMsgEnd = 2,
  kKyMsgError = 3,
  kKyMsgAppName = 9,
  kKyMsgBuildWindow = 10,
  kKyMsgRunWindow = 11,
  kKyMsgTreeDeleted = 15,
  kKyMsgKindTested = 17,
  kKyMsgTaskReport = 20,
  kKyMsgReadRequest = 30,
  kKyMsgWriteRequest = 40,
  kKyMsgPlotOfTarget = 51,
  kKyMsgDisplayFlags = 52,
  kKyMsgRedraw = 53,
  kKyMsgUndone = 54,
  kKyMsgFitStart = 60,
  kKyMsgFitProgress = 63,
  kKyMsgFitEnd = 64,
};

enum : Dword { kKyTextCapacity = 1024 };

struct KyAppInfo {
  Dword text_capacity;
  Dword mode;  // 1 console, 2 windowed
  Dword app_version[3];
  char title[kKyTextCapacity];
  char16_t exe_name[kKyTextCapacity];
  char16_t exe_folder[kKyTextCapacity];
  KyDrawCallback draw_callback;
  Dword lib_version[3];
  char16_t lib_version_text[kKyTextCapacity];
};

// Constructor defaults: capacity 1024, mode 2, version 1.0.10, empty texts,
// no drawing callback, library version 0.0.0. Exported, so that every host
// program starts from the same defaults before it sets its own fields.
VELTRIA_API void KyAppInfoInit(KyAppInfo* info);

// Sends a framework message when a callback is installed and the record is
// not quiet (message 9 goes out whenever a callback is installed). Returns the
// callback's answer, or 0 when nothing was sent.
Dword KySendMessage(KyAppRecord* record, Dword message);

// Sends a message with the argument field set to `argument` for its duration;
// the previous argument is put back afterwards.
Dword KySendMessageWith(KyAppRecord* record, Dword message, void* argument);
