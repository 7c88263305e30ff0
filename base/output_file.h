// The output file of a text listing, chosen by the user.
#pragma once
#include "base/types.h"

// Asks for a new file with the save dialog (filter "*.txt", extension
// "txt", starting in the home folder) and creates it for reading and
// writing; an existing file is not opened. Returns the handle, or -1 when
// the dialog was cancelled or the file could not be created (LibLastError
// tells which: 0 for a cancelled dialog, else the file layer's code). The
// chosen path goes to *path (KillString) when path is given, else it is
// released; *path is null when -1 is returned.
VELTRIA_API Qlong FileOpenByDialog(const char16_t* title, char16_t** path);
