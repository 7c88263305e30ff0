// Fixed-width type words of the flat interface and the export markers.
#pragma once
#include <cstddef>
#include <cstdint>

typedef uint32_t Dword;         // unsigned 32-bit
typedef int32_t Long;           // signed 32-bit
typedef uint64_t Qword;         // unsigned 64-bit
typedef int64_t Qlong;          // signed 64-bit
typedef uint32_t LibErrorCode;  // 0 success, else a code of base/error_codes.h
typedef uint32_t NumStatus;     // status word of parsers and rounders

// A function or datum of the exported flat interface: C linkage, visible.
#define VELTRIA_API extern "C" __attribute__((visibility("default")))
// C linkage but not exported (the target of aliases, internal bodies).
#define VELTRIA_INTERNAL extern "C"

// A C++ class or function that the program reaches in the shared library
// beside the flat interface (framework and engine classes, the hook table).
#define VELTRIA_CLASS __attribute__((visibility("default")))

// Exports `name` as a second entry of the interface for the body `target`,
// which must be defined in the same file with the same signature.
#define VELTRIA_ALIAS(ret, name, params, target) \
  VELTRIA_API ret name params __attribute__((alias(#target)))

// The all-ones index or count that means "none".
inline constexpr Qword kNoIndex = ~Qword{0};
