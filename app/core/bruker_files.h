// The file operations of the Bruker folder reader and writer, on UTF-8
// paths through the library's file functions: whole-file reads, files
// written safely (a temporary file in the same folder put in place in one
// step), and the ".backup" copies of files about to be replaced.
#pragma once
#include <string>

#include "base/types.h"

// The folder of a path, with its closing '/' ("" for a bare name).
std::string BrukerFolderOf(const std::string& path);
// The name part of a path.
std::string BrukerNameOf(const std::string& path);
// folder + name, with one '/' between them.
std::string BrukerJoin(const std::string& folder, const std::string& name);

bool BrukerFileExists(const std::string& path);
bool BrukerFolderExists(const std::string& path);

// The whole file: 56 when it cannot be opened, 17 when it is larger than
// `limit` bytes, 48 for a read error, 0x80001 without memory.
LibErrorCode BrukerReadWholeFile(const std::string& path, Qword limit, std::string* bytes);

// Writes `bytes` in place of the file at `path` (created when missing): the
// old file or the new one is there afterwards, never a mix. 48 on failure.
LibErrorCode BrukerWriteFileSafely(const std::string& path, const std::string& bytes);

// When the file exists, copies it to path + ".backup" unless that copy is
// there already (the first backup is the one kept). 48 when the copy fails.
LibErrorCode BrukerBackupOnce(const std::string& path);
