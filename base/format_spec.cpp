// Parsing one %-specification of the formatter, for both text widths.
#include "base/format_engine.h"
#include "base/number_text.h"

namespace {

constexpr Qword kMaxDigitRun = 30;

template <class C>
bool IsDigit(C c) {
  return c >= '0' && c <= '9';
}

// A run of at most 30 decimal digits; the value saturates below the
// markers -1 and -2 so that no written width can read as "none" or '*'.
template <class C>
Long DigitRun(const C* text, Qword& pos) {
  Qword v = 0;
  for (Qword n = 0; n < kMaxDigitRun && IsDigit(text[pos]); ++n, ++pos) {
    v = v * 10 + static_cast<Qword>(text[pos] - '0');
    if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
  }
  return static_cast<Long>(v);
}

Dword ReadCount(const char16_t* t, Qword* used) { return StringToDword(t, nullptr, used, 10); }
Dword ReadCount(const char* t, Qword* used) { return StringToDwordA(t, nullptr, used, 10); }

template <class C>
constexpr C SectionSign() {
  if constexpr (sizeof(C) == 1) {
    return static_cast<C>(0xA7);
  } else {
    return static_cast<C>(0x00A7);
  }
}

// Default element size of a known conversion letter; -1 for an unknown one.
template <class C>
Long DefaultSize(C conversion, C modifier) {
  constexpr bool wide = sizeof(C) == 2;
  switch (conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      switch (modifier) {
        case 'L':
        case 'z':
        case 't':
          return 8;
        case 'h':
          return 2;
        case 'H':
          return 1;
        default:
          return 4;
      }
    case 'e':
    case 'f':
    case 'F':
    case 'a':
    case 'A':
    case 'g':
    case 'G':
    case 'E':
      return 8;
    case 'Z':
    case 'Q':
    case '%':
      return 16;
    case 'p':
    case 'n':
      return 8;
    case 'c':
    case 's':
      return (!wide && (modifier == 'l' || modifier == 'L')) ? 2 : 1;
    case 'C':
      return wide ? 1 : 0;
    case 'S':
      return wide ? 2 : 0;
    case 'r':
    case 'M':
    case 'O':
    case 'T':
    case 'V':
      return 0;
    case 'W':
      return wide ? 0 : -1;
    default:
      return -1;
  }
}

template <class C>
Qword Parse(const C* text, FormatSpecT<C>* spec) {
  *spec = FormatSpecT<C>{};
  if (!text) return 0;
  Qword pos = 1;  // past the '%'
  const C f = text[pos];
  if (f == ' ' || f == '#' || f == '+' || f == '-' || f == '0') {
    spec->flag = f;
    ++pos;
  }
  if (IsDigit(text[pos])) {
    spec->width = DigitRun(text, pos);
  } else if (text[pos] == '*') {
    spec->width = -2;
    ++pos;
  }
  if (text[pos] == '.') {
    ++pos;
    if (IsDigit(text[pos])) {
      spec->precision = DigitRun(text, pos);
    } else if (text[pos] == '*') {
      spec->precision = -2;
      ++pos;
    } else {
      spec->precision = 0;
    }
  }
  if (text[pos] == '&') {
    spec->by_address = 1;
    ++pos;
    if (IsDigit(text[pos])) spec->element_size = Dword{1} << (text[pos++] - '0');
  }
  switch (text[pos]) {
    case 'l':
      if (text[pos + 1] == 'l') {
        spec->size_modifier = 'L';
        pos += 2;
      } else if (IsDigit(text[pos + 1])) {
        spec->element_size = Dword{1} << (text[pos + 1] - '0');
        pos += 2;
      } else {
        spec->size_modifier = 'l';
        ++pos;
      }
      break;
    case 'h':
      if (text[pos + 1] == 'h') {
        spec->size_modifier = 'H';
        pos += 2;
      } else {
        spec->size_modifier = 'h';
        ++pos;
      }
      break;
    case 'L':
      spec->size_modifier = 'L';
      spec->element_size = 10;
      ++pos;
      break;
    case 'j':
    case 't':
    case 'z':
      spec->size_modifier = text[pos++];
      break;
    default:
      break;
  }
  const C conversion = text[pos++];
  const Long size = DefaultSize(conversion, spec->size_modifier);
  if (size < 0) return pos;  // unknown letter or the terminator: conversion 0
  spec->conversion = conversion;
  if (conversion == 'p' || conversion == 'n') {
    spec->element_size = 8;
  } else if (spec->element_size == 0) {
    spec->element_size = static_cast<Dword>(size);
  }
  // Shape suffix: §rows and then §columns.
  Dword* dims[2] = {&spec->rows, &spec->columns};
  for (Dword* dim : dims) {
    if (text[pos] != SectionSign<C>() || !IsDigit(text[pos + 1])) break;
    Qword used = 0;
    *dim = ReadCount(text + pos + 1, &used);
    pos += 1 + used;
  }
  return pos;
}

}  // namespace

Qword FormatParseSpec(const char16_t* text, FormatSpec* spec) { return Parse(text, spec); }
Qword FormatParseSpec(const char* text, FormatSpecA* spec) { return Parse(text, spec); }
