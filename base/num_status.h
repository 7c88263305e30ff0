// Bits of the NumStatus word written by the number parsers and the rounders.
#pragma once
#include "base/types.h"

inline constexpr NumStatus NUM_PREFIXES = 0x1;     // input: strict parsers accept 0x, 0b, 0o
inline constexpr NumStatus NUM_KEEPWRAPPED = 0x2;  // input: keep the wrapped 64-bit value
inline constexpr NumStatus NUM_UNDEFINED = 0x10;
inline constexpr NumStatus NUM_ILLEGALCHAR = 0x20;
inline constexpr NumStatus NUM_FRACTIONAL = 0x40;
inline constexpr NumStatus NUM_NOSTRUCT = 0x80;
inline constexpr NumStatus NUM_OVERFLOW = 0x100;
inline constexpr NumStatus NUM_UNDERFLOW = 0x200;
inline constexpr NumStatus NUM_PRECISIONLIM = 0x400;
inline constexpr NumStatus NUM_I32OVERFLOW_ABOVE = 0x1000;
inline constexpr NumStatus NUM_I32OVERFLOW_BELOW = 0x2000;
inline constexpr NumStatus NUM_I64OVERFLOW_ABOVE = 0x4000;
inline constexpr NumStatus NUM_I64OVERFLOW_BELOW = 0x8000;
inline constexpr NumStatus NUM_U32OVERFLOW_ABOVE = 0x10000;
inline constexpr NumStatus NUM_U32OVERFLOW_BELOW = 0x20000;
inline constexpr NumStatus NUM_U64OVERFLOW_ABOVE = 0x40000;
inline constexpr NumStatus NUM_U64OVERFLOW_BELOW = 0x80000;
inline constexpr NumStatus NUM_ABOVELIMIT = 0x10000000;
inline constexpr NumStatus NUM_BELOWLIMIT = 0x20000000;
inline constexpr NumStatus NUM_BADRADIX = 0x40000000;
