#include "app/ui/commands.h"

#include "command/lib_command.h"

Dword RunCommand(KyAppRecord* record, Dword code, void* argument) {
  if (record == nullptr) return 23;
  record->argument = argument;
  LibCommand(code, record);
  return record->error;
}

Dword RunQuietCommand(KyAppRecord* record, Dword code, void* argument) {
  if (record == nullptr) return 23;
  const Dword kept = record->flags & kKyFlagQuiet;
  record->flags |= kKyFlagQuiet;
  const Dword error = RunCommand(record, code, argument);
  record->flags = (record->flags & ~kKyFlagQuiet) | kept;
  return error;
}

void ReleaseCommandText(KyAppRecord* record, void* text) {
  if (record == nullptr || text == nullptr) return;
  void* pointer = text;
  // Code 124 releases the block whose address the argument holds and
  // clears that pointer.
  RunQuietCommand(record, 124, &pointer);
}
