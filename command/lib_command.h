// LibCommand, the one door through which the program, the console front
// end and the tests drive the framework and the data engine.
#pragma once
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "framework/ky_app_record.h"

// Runs command `code` on the record. Code 1 answers a new record (null when
// it cannot be allocated), code 2 frees the record and answers null; every
// other code runs inside the frame (messages 1, 2 and 3, argument restored)
// and answers the record. With a null record every code but 1 answers null.
VELTRIA_API KyAppRecord* LibCommand(Dword code, KyAppRecord* record);

// The framework's own copy of the application information, made by code 3;
// the constructor's defaults until then.
const KyAppInfo* KyFrameworkAppInfo(void);
