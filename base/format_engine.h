// The library's own printf-style formatter: the parsed specification, the
// parser, the engine over a variable argument list, and the converters.
// Internal to the library; the exported entry points are in base/format.h.
#pragma once
#include <cstdarg>

#include "base/format_sink.h"
#include "base/qrat.h"
#include "base/types.h"

template <class C>
struct FormatSpecT {
  Dword by_address = 0;  // 1 with '&': the argument is the value's address
  C flag = 0;            // blank, '#', '+', '-', '0' or 0; used by no conversion
  Long width = -1;       // -1 none, -2 '*'
  Long precision = -1;   // -1 none, -2 '*', 0 for a point without digits
  Dword rows = 1;
  Dword columns = 1;
  C size_modifier = 0;  // 0, 'h', 'H' (hh), 'l', 'L' (ll or L), 'j', 't', 'z'
  Dword element_size = 0;
  C conversion = 0;  // 0 when unknown
};
using FormatSpec = FormatSpecT<char16_t>;
using FormatSpecA = FormatSpecT<char>;

// Parses the conversion field that starts at the '%' of `text`; returns the
// characters consumed (the '%' included), 0 for a null text.
Qword FormatParseSpec(const char16_t* text, FormatSpec* spec);
Qword FormatParseSpec(const char* text, FormatSpecA* spec);

// A new string (released with KillString / KillStringA), or null for a null
// format, when nothing was appended, or when memory ran out.
char16_t* FormatEngine(const char16_t* format, va_list args);
char* FormatEngineA(const char* format, va_list args);

// The value records that travel by value through the argument list: a
// complex value (real part first) and the rational Qrat (base/qrat.h).
struct FormatComplexValue {
  double re;
  double im;
};

// Converters: each appends the text of one value (or one matrix) to the
// sink and returns the number of characters it appended.
template <class C>
Qword FormatPointer(const Qword* value, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatSigned(const Qlong* value, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatUnsigned(const Qword* value, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatRealG(const double* value, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatRealEF(const double* value, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatRealMatrixG(const double* first, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatRealMatrixE(const double* first, FormatSink<C>& out, const FormatSpecT<C>& spec);
template <class C>
Qword FormatComplex(const FormatComplexValue* value, FormatSink<C>& out,
                    const FormatSpecT<C>& spec);
template <class C>
Qword FormatComplexMatrix(const FormatComplexValue* first, FormatSink<C>& out,
                          const FormatSpecT<C>& spec);
template <class C>
Qword FormatRational(const Qrat* value, FormatSink<C>& out, const FormatSpecT<C>& spec);
