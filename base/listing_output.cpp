#include "base/listing_output.h"

#include <cstdarg>

#include "base/console_out.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/output_file.h"
#include "base/platform/c_number.h"

namespace {
// The room of one formatted piece, terminator included.
constexpr Qword kPieceRoom = 512;

LibErrorCode WriteFailureCode() {
  return LibLastError != 0 ? LibErrorCode{LibLastError} : LibErrorCode{kErrFileSystem};
}
}  // namespace

ListingOutput::ListingOutput(Dword destination, Qlong handle)
    : destination_(destination), handle_(handle) {
  if (!ToFile()) return;
  if (handle_ == 0 || handle_ == -1) {
    handle_ = FileOpenByDialog(u"Specify a new output file name", nullptr);
    if (handle_ == -1) {
      refused_ = true;
      refusal_code_ = LibLastError;
      destination_ &= ~Dword{2};
      return;
    }
    own_file_ = true;
  }
}

ListingOutput::~ListingOutput() { Close(); }

void ListingOutput::Close() {
  if (!own_file_) return;
  own_file_ = false;
  if (!FileClose(&handle_, 1) && file_error_ == 0) file_error_ = WriteFailureCode();
  destination_ &= ~Dword{2};
}

void ListingOutput::Put(const char16_t* text) {
  if (!text) return;
  if (ToConsole()) Cout(text);
  // After a failed write the file is not written again: later pieces would
  // leave a file with a hole in it.
  if (ToFile() && file_error_ == 0 && !FilePrint(handle_, text, nullptr, nullptr, nullptr))
    file_error_ = WriteFailureCode();
}

void ListingOutput::Put(const char* text) {
  if (!text) return;
  if (ToConsole()) CoutA(text);
  if (ToFile() && file_error_ == 0 && !FilePrintA(handle_, text, nullptr, nullptr, nullptr))
    file_error_ = WriteFailureCode();
}

void ListingOutput::PutWidened(const char* ascii) {
  char16_t wide[kPieceRoom];
  Qword i = 0;
  for (; ascii[i] && i + 1 < kPieceRoom; ++i) wide[i] = static_cast<unsigned char>(ascii[i]);
  wide[i] = 0;
  Put(wide);
}

template <class C>
void ListingOutput::Printf(const char* format, ...) {
  char piece[kPieceRoom];
  va_list args;
  va_start(args, format);
  const int n = PlatformFormatC(piece, kPieceRoom, format, args);
  va_end(args);
  if (n < 0) return;
  if constexpr (sizeof(C) == 1)
    Put(piece);
  else
    PutWidened(piece);
}

template void ListingOutput::Printf<char>(const char*, ...);
template void ListingOutput::Printf<char16_t>(const char*, ...);
