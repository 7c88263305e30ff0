// Internal: where one text listing goes, console, file or both, by its
// OutputDestination word (bit 0 console, bit 1 file). Every listing of
// arrays, matrices and complex values writes through one of these.
//
// With the file bit set and no handle from the caller (0 or -1), the
// constructor asks for a new file ("Specify a new output file name"); a
// cancelled or failed choice drops the file bit and the listing goes on to
// the console alone when its bit is set. A caller's handle stays open and
// the caller's; a file opened here is flushed and closed by the destructor.
//
// Wide listings write their console text as UTF-8 and their file text as
// UTF-16LE code units; 8-bit listings write bytes to both.
#pragma once
#include "base/types.h"

class ListingOutput {
 public:
  ListingOutput(Dword destination, Qlong handle);
  ~ListingOutput();
  ListingOutput(const ListingOutput&) = delete;
  ListingOutput& operator=(const ListingOutput&) = delete;

  bool ToConsole() const { return (destination_ & 1) != 0; }
  bool ToFile() const { return (destination_ & 2) != 0; }
  // The file bit was asked for but no file could be had: 0 when the dialog
  // was cancelled, else the file layer's code; 0 otherwise.
  bool FileRefused() const { return refused_; }
  LibErrorCode RefusalCode() const { return refusal_code_; }
  // The code of the first failed file write (or of the closing flush when
  // Close was called), 0 while every write succeeded.
  LibErrorCode FileError() const { return file_error_; }

  // One piece to every destination of the listing. Null writes nothing.
  void Put(const char16_t* text);
  void Put(const char* text);
  // One piece formatted by printf rules in the "C" locale into a buffer of
  // 512 characters, then written in the listing's width C (char16_t
  // widens the ASCII text).
  template <class C>
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Closes a file opened here now (the destructor does it otherwise) and
  // keeps the failure of the close in FileError.
  void Close();

 private:
  void PutWidened(const char* ascii);
  Dword destination_;
  Qlong handle_;
  bool own_file_ = false;
  bool refused_ = false;
  LibErrorCode refusal_code_ = 0;
  LibErrorCode file_error_ = 0;
};
