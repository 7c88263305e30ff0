// Issuing LibCommand on a record with the argument in place: the answer is
// the record's error field; the result stays in the record.
#pragma once
#include "base/types.h"
#include "framework/ky_app_record.h"

Dword RunCommand(KyAppRecord* record, Dword code, void* argument);
// The same with the quiet flag set for the call: a failure raises no error
// box (and sends no other message); the flag is put back afterwards.
Dword RunQuietCommand(KyAppRecord* record, Dword code, void* argument);

// The argument for commands that take a value rather than an address.
inline void* ValueArgument(Qword value) { return reinterpret_cast<void*>(value); }

// Releases a text a command has built (code 124).
void ReleaseCommandText(KyAppRecord* record, void* text);
