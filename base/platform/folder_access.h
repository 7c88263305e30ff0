// Whether the program may create and replace files in a folder. Paths are
// UTF-8.
#pragma once

// True when the folder exists and the process may add and rename entries.
bool WinFolderWritable(const char* folder);
