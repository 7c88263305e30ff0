// Paths: cutting, joining, the position of the file name, the search of a
// file along a search path, and the file and folder selection dialogs.
// Paths are POSIX paths: the folder separator is '/'; there are no drives.
// Returned texts are new strings (KillString / KillStringA).
#pragma once
#include "base/types.h"

// Part codes of NewFilePathFraction.
enum FilePathPart : Dword {
  kPathExtension = 1,  // after the last point of the name, without it
  kPathNameNoExtension = 2,
  kPathName = 3,    // the name with its extension
  kPathFolder = 4,  // up to and including the last '/'
  kPathDrive = 5,   // none on this platform: always null
};

// Bits of the selection dialog's flag word (0x1 and 0x2 as in FileOpen).
enum : Dword {
  kDialogSave = 0x1,
  kDialogMustExist = 0x2,
  kDialogNoBeep = 0x20000,
  kDialogOverwritePrompt = 0x40000,
  kDialogNoDereference = 0x80000,
  kDialogRawFlags = 0x100000,
};

VELTRIA_API Qlong OffsetToCleanNameInPath(const char16_t* path);
VELTRIA_API Qlong OffsetToCleanNameInPathA(const char* path);
VELTRIA_API char16_t* NewFilePathCombination(const char16_t* folder, const char16_t* name);
VELTRIA_API char* NewFilePathCombinationA(const char* folder, const char* name);
VELTRIA_API char16_t* NewFilePathFraction(const char16_t* path, Dword part);
VELTRIA_API char* NewFilePathFractionA(const char* path, Dword part);
VELTRIA_API char16_t* NewFilePathLocator(const char16_t* name, const char16_t* extension,
                                         const char16_t* search_path, char16_t** name_position);
VELTRIA_API char16_t* NewOsFileSelectDialog(const char16_t* title, const char16_t* folder,
                                            const char16_t* default_extension,
                                            const char16_t* filter, Dword flags, Qword owner,
                                            Dword* raw_flags);
VELTRIA_API char16_t* NewOsFolderSelectDialog(const char16_t* title, Dword browse_flags,
                                              Qword owner);

// Internal: appends c in place unless it already ends the text (an empty
// text receives it); the text must have room for one more character.
char16_t* StringAppendChrIfMissing(char16_t* text, char16_t c);
char* StringAppendChrIfMissingA(char* text, char c);
