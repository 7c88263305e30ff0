// The texts of the library's error codes and the last-error word.
#include <cstddef>

#include "base/errors.h"
#include "base/platform/last_error.h"

Dword LibLastError = 0;

namespace {

// Codes 0 to 73 in order; 80, 82 and 256 are looked up apart.
constexpr const char* kTexts[] = {
    "",
    "Allocation failure",
    "Cannot start Application",
    "Internal system error",
    "Shell command error",
    "Console management error",
    "Clipboard access error",
    "Missing module",
    "Interface error",
    "Not yet implemented",
    "Unknown command",
    "Illegal mode",
    "Not this list item",
    "Missing list item",
    "Missing input data",
    "Illegal data",
    "Illegal data type",
    "Illegal data size",
    "Missing output buffer",
    "Output buffer overrun",
    "Missing/unknown function",
    "Missing parameters",
    "Missing argument(s)",
    "Missing cKyData object",
    "Illegal input",
    "Illegal parameters",
    "Illegal argument",
    "Illegal format",
    "Wrong input format",
    "Wrong output format",
    "Wrong parameters count",
    "Wrong arguments count",
    "Size mismatch",
    "No solution",
    "Multiple solutions",
    "Solution not found",
    "No convergence",
    "Time limit exceeded",
    "Too many items",
    "Too many iterations",
    "Division by zero",
    "Overflow",
    "Underflow",
    "Matrix operation failure",
    "Unknown ID",
    "Duplicate ID",
    "Impossible task",
    "Internal error",
    "File system error",
    "Missing disk",
    "Bad disk FAT",
    "Disk not ready",
    "Wrong disk",
    "Disk is full",
    "Disk is write protected",
    "Missing folder",
    "Missing file",
    "File sharing error",
    "File not accessible",
    "Illegal file name",
    "Illegal file",
    "Bad file discriminator",
    "Unexpected file end",
    "Undefined file",
    "Unknown function",
    "Unknown data source",
    "Unknown experiment",
    "Missing/Invalid evaluation task script",
    "Unknown evaluation procedure",
    "Unknown evaluation procedure mode",
    "Illegal evaluation window",
    "Evaluation window is too small",
    "Expected a sorted array",
    "Too many function calls",
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == 74);

constexpr size_t kWideCapacity = 256;
char16_t g_wide_text[kWideCapacity];

}  // namespace

VELTRIA_API const char* KyErrorStringA(Dword code) {
  code &= kErrCodeMask;
  if (code < sizeof(kTexts) / sizeof(kTexts[0])) return kTexts[code];
  switch (code) {
    case kErrMixedScoringType:
      return "Mixed scoring type";
    case kErrMissingScript:
      return "Missing or illegal script";
    case kErrUnknownMolScriptType:
      return "Unkown mol-script type";  // the stored spelling
    default:
      return "Unnamed error";
  }
}

VELTRIA_API const char16_t* KyErrorString(Dword code) {
  const char* text = KyErrorStringA(code);
  size_t i = 0;
  for (; i + 1 < kWideCapacity && text[i]; ++i)
    g_wide_text[i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
  g_wide_text[i] = 0;
  return g_wide_text;
}

VELTRIA_API Dword FileClearLastError(void) {
  WinSetLastError(0);
  return 0;
}

VELTRIA_API Dword FileSaveLastError(void) {
  const Dword raw = WinFetchLastError();
  LibLastError = WinErrorToLibraryError(raw);
  return LibLastError;
}

VELTRIA_API Dword CrcFromMem(Qword, Qword, Qword, Qword) { return kErrNotYetImplemented; }
