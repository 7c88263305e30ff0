// cKyFile, the framework's file object: one file named by a normalised
// path, opened in a few fixed modes, read through a read-ahead window with
// line input and a forward search, written at a logical position, with
// byte ranges inserted, deleted or replaced, and a first line (the
// discriminator) that names the kind of a text file.
//
// Paths are POSIX paths: a '\' given by a caller becomes '/', and a path
// is relative to a folder when it has no '/'. Byte-range edits rewrite the
// file through a temporary file in its folder renamed over it, so an
// interruption leaves the old or the new file.
#pragma once
#include "base/types.h"

class cKyFile {
 public:
  // Bit 0 of the state flags: opened read-only.
  static constexpr Dword kReadOnly = 0x1;
  static constexpr Qlong kSizeUnknown = static_cast<Qlong>(0x8000000000000000u);
  // Largest read-ahead window: 8 MiB + 2.
  static constexpr Qlong kWindowMax = 0x800002;
  // Block of the byte-range moves.
  static constexpr Qword kChunk = 32768;

  cKyFile();
  cKyFile(const char16_t* path, const char16_t* folder, const char16_t* extension);
  cKyFile(const cKyFile&) = delete;
  cKyFile& operator=(const cKyFile&) = delete;
  virtual ~cKyFile();

  // Path.
  bool SetPath(const char16_t* path, const char16_t* folder, const char16_t* extension);
  bool SelectByDialog(const char16_t* title, const char16_t* folder, const char16_t* extension,
                      const char16_t* filter, Dword flags, Qword owner, Dword* raw_flags);
  bool SetPathByDialog(const char16_t* title, const char16_t* folder, const char16_t* extension,
                       const char16_t* filter, Dword flags, Qword owner, Dword* raw_flags);
  char16_t* GetName() const;    // new string: the name with extension
  char16_t* GetFolder() const;  // new string: the folder with its closing '/'
  bool Exists();
  bool IsOpen() const { return handle_ != 0 && handle_ != -1; }
  bool IsClosed() const { return !IsOpen(); }

  // Opening and closing (FileOpenFlags modes).
  bool Open(Dword mode);
  bool OpenOrComplain(Dword mode, bool show);
  bool OpenExisting(Dword mode, bool show);
  bool CreateNew(Dword mode, bool show);
  bool Close();
  void Reset();

  // Discriminator line: 0 it is there, 1 not there or not opened, -1 the
  // file's first bytes cannot be read.
  Long OpenWithDiscriminator(const char* text, bool show);
  Long CreateWithDiscriminator(const char* text, bool show);

  // Positioning and size.
  bool SetPosition(Qlong offset);
  bool MovePosition(Qlong delta);
  bool SeekEnd();
  bool Rewind();
  Qlong GetPosition() const { return IsOpen() ? position_ : 0; }
  bool SeekLineStart();
  bool SeekPreviousLine();
  bool GetSize();

  // Reading.
  Qlong Read(void* target, Qlong count);
  Qlong ReadLine(char** line);
  Qlong SkipLine();
  Qlong LocateString(const char* text, Dword flags, Qlong length, char wildcard);

  // Writing, at the position.
  bool Write(const void* bytes, Qword count);
  bool WriteStrings(const char* s1 = nullptr, const char* s2 = nullptr, const char* s3 = nullptr,
                    const char* s4 = nullptr, const char* s5 = nullptr);
  bool WriteLine(const char* s1 = nullptr, const char* s2 = nullptr, const char* s3 = nullptr,
                 const char* s4 = nullptr, const char* s5 = nullptr);
  bool WriteNewLine();
  bool InsertRange(Qlong offset, const void* bytes, Qword count);
  bool DeleteRange(Qlong offset, Qword count);
  bool ReplaceRange(Qlong offset, Qlong old_length, const void* bytes, Qlong new_length);
  bool Truncate();
  void DropBuffer();

  // Errors.
  bool SaveLastError();
  void ShowError(const char* message) const;

  // Readable state (the Bruker reader parses the window directly).
  Dword flags() const { return flags_; }
  Qlong handle() const { return handle_; }
  const char16_t* path() const { return path_; }
  Dword last_error() const { return last_error_; }
  Qlong size() const { return size_; }
  Qlong position() const { return position_; }
  Qlong window_capacity() const { return window_capacity_; }
  Qlong window_count() const { return window_count_; }

 private:
  bool MakeWindow(Qlong capacity);
  bool FillWindow();
  bool ReadAt(Qlong offset, void* target, Qword count, Qword* got);
  bool Rewrite(Qlong offset, Qword remove, const void* bytes, Qword insert, Qlong* new_size);

  Dword flags_ = 0;
  Qlong handle_ = -1;
  char16_t* path_ = nullptr;
  Dword last_error_ = 0;
  Qlong size_ = 0;
  Qlong position_ = 0;
  Qlong window_capacity_ = 0;
  Qlong window_count_ = 0;
  Qlong window_base_ = 0;
  unsigned char* window_data_ = nullptr;
};
