#include "base/files.h"

#include "base/errors.h"
#include "base/os_services.h"
#include "base/path_text.h"
#include "base/platform/file_io.h"
#include "base/string_core.h"
#include "base/string_search.h"

namespace {

PlatformCreation CreationOf(Dword flags) {
  if (flags & kOpenCreateNew) return kCreateNew;
  if (flags & kOpenMustExist) return flags & kOpenTruncate ? kTruncateExisting : kOpenExisting;
  if (flags & kOpenTruncate) return kCreateAlways;
  return kOpenAlways;
}

// A path that could not be converted for lack of memory.
bool NoPath(const Utf8Path& path) {
  if (path.ok()) return false;
  LibLastError = kErrAlloc;
  return true;
}

template <class Ch>
Qlong Open(const Ch* path, Dword flags) {
  FileClearLastError();
  Utf8Path native(path);
  if (NoPath(native)) return -1;
  // Of the attribute group only read-only has a counterpart here.
  const bool read_only = (flags & kOpenAttributes) && (flags & kOpenReadOnly);
  const Qlong handle =
      WinFileOpen(native.get(), (flags & kOpenWrite) != 0, CreationOf(flags), read_only);
  if (handle == -1) {
    FileSaveLastError();
    if (flags & kOpenErrorBox) {
      const bool present = FileIsPresentA(native.get(), nullptr);
      if constexpr (sizeof(Ch) == 1)
        OsMessageA(kOsError, present ? "File already exists" : "Cant't create file", nullptr);
      else
        OsMessage(kOsError, present ? u"File already exists" : u"Can't create file", nullptr);
    }
    return -1;
  }
  if (flags & kOpenMoveToEnd) FileMoveToEnd(handle, nullptr);
  return handle;
}

template <class Ch>
Qlong ReadText(Qlong handle, Ch* buffer, Qword count) {
  FileClearLastError();
  if (!buffer) {
    LibLastError = kErrMissingOutputBuffer;
    return -1;
  }
  const Qword most = kNoIndex / sizeof(Ch) / 2;  // whole bytes, signed result
  if (count > most) count = most;
  Qword done = 0;
  if (!WinFileReadBinary(handle, buffer, count * sizeof(Ch), &done)) {
    FileSaveLastError();
    return -1;
  }
  const Qword whole = done / sizeof(Ch);  // an odd last byte is not counted
  buffer[whole] = 0;
  return static_cast<Qlong>(whole);
}

template <class Ch>
unsigned char WriteText(Qlong handle, const Ch* text) {
  return FileWriteBinary(handle, text, str::Len(text) * sizeof(Ch));
}

template <class Ch>
unsigned char Print(Qlong handle, const Ch* const (&texts)[4]) {
  if (handle == -1) return 1;
  for (const Ch* text : texts)
    if (text && !WriteText(handle, text)) return 0;
  return 1;
}

template <class Ch>
unsigned char IsPresent(const Ch* path, Long* attributes) {
  FileClearLastError();
  Utf8Path native(path);
  Dword found = 0xFFFFFFFF;
  if (!NoPath(native)) {
    found = WinFileGetAttributes(native.get());
    if (found == 0xFFFFFFFF) FileSaveLastError();
  }
  if (attributes) *attributes = static_cast<Long>(WinFileAttributesToFlags(found));
  return found != 0xFFFFFFFF;
}

template <class Ch>
Long GetAttributes(const Ch* path) {
  Utf8Path native(path);
  if (!native.ok()) return -1;
  return static_cast<Long>(WinFileAttributesToFlags(WinFileGetAttributes(native.get())));
}

template <class Ch>
unsigned char Delete(const Ch* path) {
  FileClearLastError();
  Utf8Path native(path);
  if (NoPath(native)) return 0;
  if (WinFileDelete(native.get())) return 1;
  FileSaveLastError();
  return 0;
}

// How often FileCopy looks for its target before it gives up.
constexpr int kPresencePolls = 1000;

template <class Ch>
unsigned char Copy(const Ch* source, const Ch* target, unsigned char fail_if_exists) {
  FileClearLastError();
  Utf8Path from(source), to(target);
  if (NoPath(from) || NoPath(to)) return 0;
  if (!WinFileCopy(from.get(), to.get(), fail_if_exists != 0)) {
    FileSaveLastError();
    return 0;
  }
  for (int poll = 0; poll < kPresencePolls; ++poll)
    if (FileIsPresentA(to.get(), nullptr)) return 1;
  LibLastError = kErrMissingFile;
  return 0;
}

template <class Ch>
const Ch* LocateIn(const Ch* text, Qword n, const Ch* pattern, Qword length, Dword flags,
                   Ch wildcard, const Qword* table);
template <>
const char16_t* LocateIn(const char16_t* text, Qword n, const char16_t* pattern, Qword length,
                         Dword flags, char16_t wildcard, const Qword* table) {
  return StringLocateSubStringEx(text, pattern, n, length, flags, wildcard, table);
}
template <>
const char* LocateIn(const char* text, Qword n, const char* pattern, Qword length, Dword flags,
                     char wildcard, const Qword* table) {
  return StringLocateSubStringExA(text, pattern, n, length, flags, wildcard, table);
}

inline void SkipTable(const char16_t* p, Qword n, Dword f, char16_t w, Qword* t) {
  BmhSkipTableEx(p, n, f, w, t);
}
inline void SkipTable(const char* p, Qword n, Dword f, char w, Qword* t) {
  BmhSkipTableExA(p, n, f, w, t);
}

constexpr Qword kLongestPattern = 0x1000000;
constexpr Qword kSmallestChunk = 32768;

}  // namespace

namespace {

// Positions are kept in bytes, so a chunk that ends in an odd byte never
// shifts the pointer by half a character.
template <class Ch>
Qlong Locate(Qlong handle, const Ch* pattern, Dword flags, Qword length, Ch wildcard) {
  FileClearLastError();
  if (handle == -1) return -1;
  if (flags & kLocateRewind) WinFileSetPointer(handle, 0, 0, nullptr);
  if (!pattern) return 1;
  if (length == 0) length = str::Len(pattern);
  if (length == 0) return 1;
  if (length > kLongestPattern) return -2;
  const Qword chunk = length * 2 > kSmallestChunk ? length * 2 : kSmallestChunk;
  Dword error = 0;
  Ch* buffer = NewArrFill<Ch>(&error, chunk);
  if (!buffer) return -2;
  Qword table[256];
  SkipTable(pattern, length, flags, wildcard, table);
  Qword start = 0;
  Qlong result = -1;
  if (!WinFileSetPointer(handle, 0, 1, &start)) {
    FileSaveLastError();
    KillPtr(&buffer);
    return -1;
  }
  for (;;) {
    Qword done = 0;
    if (!WinFileReadBinary(handle, buffer, chunk * sizeof(Ch), &done)) {
      FileSaveLastError();
      result = -1;
      break;
    }
    const Qword n = done / sizeof(Ch);
    if (n == 0) {
      result = 0;
      break;
    }
    Qword v = n;
    if (!(flags & kLocateThroughCtrlZ))
      for (Qword i = 0; i < n; ++i)
        if (str::Code(buffer[i]) == 26) {
          v = i;
          break;
        }
    if (v < length) {
      result = 0;
      break;
    }
    const Ch* match = LocateIn<Ch>(buffer, v, pattern, length, flags, wildcard, table);
    if (match) {
      const Qword at = start + static_cast<Qword>(match - buffer) * sizeof(Ch);
      result = WinFileSetPointer(handle, static_cast<Qlong>(at), 0, nullptr) ? 1 : -1;
      break;
    }
    if (v < chunk) {
      result = 0;
      break;
    }
    // The next chunk overlaps this one by length - 1 characters.
    start += (n - (length - 1)) * sizeof(Ch);
    if (!WinFileSetPointer(handle, static_cast<Qlong>(start), 0, nullptr)) {
      FileSaveLastError();
      result = -1;
      break;
    }
  }
  KillPtr(&buffer);
  if (result == 1 && (flags & kLocateBehindMatch))
    WinFileSetPointer(handle, static_cast<Qlong>(length * sizeof(Ch)), 1, nullptr);
  return result;
}

}  // namespace

VELTRIA_API Qlong FileOpen(const char16_t* path, Dword flags) { return Open(path, flags); }
VELTRIA_API Qlong FileOpenA(const char* path, Dword flags) { return Open(path, flags); }

VELTRIA_API unsigned char FileClose(Qlong* handle, unsigned char flush) {
  if (!handle || *handle == -1) return 1;
  FileClearLastError();
  if (flush) OsFlushFileOrPortBuffers(*handle);  // a failed flush keeps the result
  const Qlong closing = *handle;
  *handle = -1;
  FileClearLastError();
  if (WinFileClose(closing)) return 1;
  FileSaveLastError();
  return 0;
}

VELTRIA_API Qlong FileReadBinary(Qlong handle, void* buffer, Qword count) {
  FileClearLastError();
  if (!buffer && count) {
    LibLastError = kErrMissingOutputBuffer;
    return -1;
  }
  if (count > static_cast<Qword>(INT64_MAX)) count = static_cast<Qword>(INT64_MAX);
  Qword done = 0;
  if (!WinFileReadBinary(handle, buffer, count, &done)) {
    FileSaveLastError();
    return -1;
  }
  return static_cast<Qlong>(done);
}

VELTRIA_API unsigned char FileWriteBinary(Qlong handle, const void* buffer, Qword count) {
  FileClearLastError();
  if (handle == -1) return 0;
  if (!buffer || count == 0) return 1;
  Qword done = 0;
  if (WinFileWriteBinary(handle, buffer, count, &done) && done == count) return 1;
  FileSaveLastError();
  return 0;
}

VELTRIA_API Qlong FileRead(Qlong handle, char16_t* buffer, Qword count) {
  return ReadText(handle, buffer, count);
}
VELTRIA_API Qlong FileReadA(Qlong handle, char* buffer, Qword count) {
  return ReadText(handle, buffer, count);
}
VELTRIA_API unsigned char FileWrite(Qlong handle, const char16_t* text) {
  return WriteText(handle, text);
}
VELTRIA_API unsigned char FileWriteA(Qlong handle, const char* text) {
  return WriteText(handle, text);
}
VELTRIA_API unsigned char FilePrint(Qlong handle, const char16_t* text1, const char16_t* text2,
                                    const char16_t* text3, const char16_t* text4) {
  const char16_t* const texts[4] = {text1, text2, text3, text4};
  return Print(handle, texts);
}
VELTRIA_API unsigned char FilePrintA(Qlong handle, const char* text1, const char* text2,
                                     const char* text3, const char* text4) {
  const char* const texts[4] = {text1, text2, text3, text4};
  return Print(handle, texts);
}

VELTRIA_API Long FileSetPointer(Qlong handle, Qlong distance, Dword origin, Qword* position) {
  FileClearLastError();
  if (handle == -1 || handle == 0) return -1;
  // A failure is answered by the result alone; LibLastError stays cleared.
  return WinFileSetPointer(handle, distance, origin, position) ? 1 : 0;
}
VELTRIA_API Long FileGetPointer(Qlong handle, Qword* position) {
  return FileSetPointer(handle, 0, 1, position);
}
VELTRIA_API Long FileRewind(Qlong handle, Qword* position) {
  return FileSetPointer(handle, 0, 0, position);
}
VELTRIA_API Long FileMoveToEnd(Qlong handle, Qword* position) {
  return FileSetPointer(handle, 0, 2, position);
}

// A failed query is a failure even when the system names no error.
VELTRIA_API unsigned char FileGetSize(Qlong handle, Qlong* size) {
  FileClearLastError();
  Qlong local = 0;
  if (!size) size = &local;
  *size = INT64_MIN;
  Qlong got = 0;
  if (WinFileGetSize(handle, &got)) {
    *size = got;
    return 1;
  }
  FileSaveLastError();
  return 0;
}

VELTRIA_API unsigned char FileTruncate(Qlong handle) {
  FileClearLastError();
  if (WinFileTruncate(handle)) return 1;
  FileSaveLastError();
  return 0;
}

VELTRIA_API unsigned char FileIsPresent(const char16_t* path, Long* attributes) {
  return IsPresent(path, attributes);
}
VELTRIA_API unsigned char FileIsPresentA(const char* path, Long* attributes) {
  return IsPresent(path, attributes);
}
VELTRIA_API Long FileGetAttributes(const char16_t* path) { return GetAttributes(path); }
VELTRIA_API Long FileGetAttributesA(const char* path) { return GetAttributes(path); }
VELTRIA_API unsigned char FileDelete(const char16_t* path) { return Delete(path); }
VELTRIA_API unsigned char FileDeleteA(const char* path) { return Delete(path); }
VELTRIA_API unsigned char FileCopy(const char16_t* source, const char16_t* target,
                                   unsigned char fail_if_exists) {
  return Copy(source, target, fail_if_exists);
}
VELTRIA_API unsigned char FileCopyA(const char* source, const char* target,
                                    unsigned char fail_if_exists) {
  return Copy(source, target, fail_if_exists);
}

VELTRIA_API Qlong FileLocateString(Qlong handle, const char16_t* pattern, Dword flags, Qword length,
                                   char16_t wildcard) {
  return Locate(handle, pattern, flags, length, wildcard);
}
VELTRIA_API Qlong FileLocateStringA(Qlong handle, const char* pattern, Dword flags, Qword length,
                                    char wildcard) {
  return Locate(handle, pattern, flags, length, wildcard);
}
