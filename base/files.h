// Files: opening with one flag word, binary and text reading and writing
// (wide UTF-16LE and 8-bit), the file pointer, size and truncation,
// presence and attributes, copying and deleting single files, and the
// search of a text inside a file. A file handle is 64 bits; -1 is invalid
// or closed. Success bytes are nonzero for success.
#pragma once
#include "base/types.h"

// Bits of FileOpen's flag word (0x1 and 0x2 as in the selection dialog).
enum : Dword {
  kOpenWrite = 0x1,        // read and write access, else read only
  kOpenMustExist = 0x2,    // with 0x10: truncate
  kOpenCreateNew = 0x4,    // fail when it exists; before 0x2 and 0x10
  kOpenMoveToEnd = 0x8,    // after a successful open
  kOpenTruncate = 0x10,    // without 0x2 and 0x4: create or truncate
  kOpenShareRead = 0x20,   // the share bits 0x20 to 0x100 are accepted
  kOpenShareWrite = 0x40,  // and not enforced: POSIX has no share modes
  kOpenShareBoth = 0x80,
  kOpenShareNone = 0x100,
  kOpenReadOnly = 0x200,      // a new file gets no write permission
  kOpenAttributes = 0x1FE00,  // the attribute group; only 0x200 has an effect
  kOpenErrorBox = 0x10000000,
};

// Answers of FileGetAttributes: -1 nothing there, else these bits.
enum : Long {
  kFileIsFolder = 0x10000,
  kFileIsReadOnly = 0x20000,
};

// Bits of FileLocateString's flag word.
enum : Dword {
  kLocateNoCase = 0x1,
  kLocateRewind = 0x10,
  kLocateBehindMatch = 0x40,
  kLocateThroughCtrlZ = 0x100,
};

VELTRIA_API Qlong FileOpen(const char16_t* path, Dword flags);
VELTRIA_API Qlong FileOpenA(const char* path, Dword flags);
VELTRIA_API unsigned char FileClose(Qlong* handle, unsigned char flush);

VELTRIA_API Qlong FileReadBinary(Qlong handle, void* buffer, Qword count);
VELTRIA_API unsigned char FileWriteBinary(Qlong handle, const void* buffer, Qword count);
VELTRIA_API Qlong FileRead(Qlong handle, char16_t* buffer, Qword count);
VELTRIA_API Qlong FileReadA(Qlong handle, char* buffer, Qword count);
VELTRIA_API unsigned char FileWrite(Qlong handle, const char16_t* text);
VELTRIA_API unsigned char FileWriteA(Qlong handle, const char* text);
VELTRIA_API unsigned char FilePrint(Qlong handle, const char16_t* text1, const char16_t* text2,
                                    const char16_t* text3, const char16_t* text4);
VELTRIA_API unsigned char FilePrintA(Qlong handle, const char* text1, const char* text2,
                                     const char* text3, const char* text4);
// Numbers: Dword right-aligned in width blanks when wider than its digits;
// Long without padding (the width is ignored); reals with the digit count.
// The number goes out between prefix and suffix (null ones are skipped).
VELTRIA_API unsigned char FilePrintDword(Qlong handle, const char16_t* prefix, Dword value,
                                         const char16_t* suffix, Dword width, Dword radix);
VELTRIA_API unsigned char FilePrintDwordA(Qlong handle, const char* prefix, Dword value,
                                          const char* suffix, Dword width, Dword radix);
VELTRIA_API unsigned char FilePrintLong(Qlong handle, const char16_t* prefix, Long value,
                                        const char16_t* suffix, Dword ignored, Dword radix);
VELTRIA_API unsigned char FilePrintLongA(Qlong handle, const char* prefix, Long value,
                                         const char* suffix, Dword ignored, Dword radix);
VELTRIA_API unsigned char FilePrintReal(Qlong handle, const char16_t* prefix, double value,
                                        const char16_t* suffix, Long digits, Dword radix);
VELTRIA_API unsigned char FilePrintRealA(Qlong handle, const char* prefix, double value,
                                         const char* suffix, Long digits, Dword radix);
// The library's formatter; handle -1 formats nothing and succeeds.
VELTRIA_API unsigned char FilePrintf(Qlong handle, const char16_t* format, ...);
VELTRIA_API unsigned char FilePrintfA(Qlong handle, const char* format, ...);

// 1 moved, 0 failed, -1 for a handle of -1.
VELTRIA_API Long FileSetPointer(Qlong handle, Qlong distance, Dword origin, Qword* position);
VELTRIA_API Long FileGetPointer(Qlong handle, Qword* position);
VELTRIA_API Long FileRewind(Qlong handle, Qword* position);
VELTRIA_API Long FileMoveToEnd(Qlong handle, Qword* position);
VELTRIA_API unsigned char FileGetSize(Qlong handle, Qlong* size);
VELTRIA_API unsigned char FileTruncate(Qlong handle);

VELTRIA_API unsigned char FileIsPresent(const char16_t* path, Long* attributes);
VELTRIA_API unsigned char FileIsPresentA(const char* path, Long* attributes);
VELTRIA_API Long FileGetAttributes(const char16_t* path);
VELTRIA_API Long FileGetAttributesA(const char* path);
VELTRIA_API unsigned char FileDelete(const char16_t* path);
VELTRIA_API unsigned char FileDeleteA(const char* path);
VELTRIA_API unsigned char FileCopy(const char16_t* source, const char16_t* target,
                                   unsigned char fail_if_exists);
VELTRIA_API unsigned char FileCopyA(const char* source, const char* target,
                                    unsigned char fail_if_exists);

// 1 found, 0 not found, -1 invalid handle or read error, -2 a pattern of
// more than 0x1000000 characters or no memory.
VELTRIA_API Qlong FileLocateString(Qlong handle, const char16_t* pattern, Dword flags, Qword length,
                                   char16_t wildcard);
VELTRIA_API Qlong FileLocateStringA(Qlong handle, const char* pattern, Dword flags, Qword length,
                                    char wildcard);
