// Directory search by pattern, the FileInfo record, the full information of
// one file, and copying and deleting every file a pattern yields.
// Patterns: '*' and '?' in the last part of a POSIX path; "*.*" matches
// every name. Names compare case-sensitively, as the file system does.
#pragma once
#include "base/types.h"

// Valid-field bits of FileInfo.
enum : Dword {
  kInfoSearchFields = 0x2B,  // attributes, size and the three times
  kInfoBinaryType = 0x4,
  kInfoCompressedSize = 0x10,
  kInfoFileVersion = 0x80,
  kInfoProductVersion = 0x100,
  kInfoFileFlags = 0x200,
  kInfoFileType = 0x400,
  kInfoTargetOs = 0x800,
  kInfoFileDate = 0x1000,
  kInfoLanguages = 0x2000,
  kInfoShellExeType = 0x10000,
};

// The information record of a search step and of FileGetFullInfo. The
// texts are wide in the wide operations and 8-bit in the A operations.
struct FileInfo {
  Dword valid;
  Dword attributes;  // 0x1 read-only, 0x2 hidden, 0x10 folder, 0x80 normal, 0x400 link
  Qword size;
  Qword compressed_size;  // bytes occupied on disk
  Qword creation_time;    // file times: 100 ns since 1601-01-01 UTC
  Qword access_time;
  Qword write_time;
  Dword binary_type;
  Dword version_info_size;
  Dword product_version_high;
  Dword product_version_low;
  Dword file_version_high;
  Dword file_version_low;
  Dword file_flags;
  Dword file_type;
  Dword file_subtype;
  Dword target_os;
  Dword file_date_low;
  Dword file_date_high;
  Long language_count;
  Dword shell_exe_type;
  Dword shell_attributes;
  Dword shell_icon_index;
  void* language_entries;
  void* display_name;
  void* type_name;
  void* icon_location;
  void* version_block;
};

// 0: existing targets stay; 1: they are overwritten; any other value is the
// address of this decision function (nonzero: overwrite).
typedef unsigned char (*FilesCopyDecision)(const char16_t* target);

VELTRIA_API Qlong FileFindFirst(const char16_t* pattern, char16_t** name, FileInfo* info);
VELTRIA_API unsigned char FileFindNext(Qlong search, char16_t** name, FileInfo* info);
VELTRIA_API unsigned char FileFindClose(Qlong search, char16_t** name);

VELTRIA_API FileInfo* InitializeFileInfo(FileInfo* info);
VELTRIA_API FileInfo* InitializeFileInfoA(FileInfo* info);
VELTRIA_API FileInfo* EraseFileInfo(FileInfo* info);
VELTRIA_API FileInfo* EraseFileInfoA(FileInfo* info);
VELTRIA_API unsigned char FileGetFullInfo(const char16_t* path, char16_t** name, FileInfo* info);
VELTRIA_API unsigned char FileGetFullInfoA(const char* path, char** name, FileInfo* info);

VELTRIA_API unsigned char FilesCopy(const char16_t* pattern, const char16_t* target_folder,
                                    Qword mode, Dword* count);
VELTRIA_API unsigned char FilesDelete(const char16_t* pattern, Dword* count);
