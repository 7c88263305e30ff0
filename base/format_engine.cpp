// The formatter's main loop: literal runs, one specification at a time,
// argument fetching by element size, and dispatch to the converters.
#include "base/format_engine.h"

#include <cstring>

namespace {

// The argument list travels by reference through the helpers.
struct Args {
  va_list ap;
};

template <class C>
constexpr bool kWide = sizeof(C) == 2;

// The low `size` bytes of `raw`, widened with or without sign.
Qword Widen(Qword raw, Dword size, bool is_signed) {
  switch (size) {
    case 1:
      return is_signed ? static_cast<Qword>(static_cast<Qlong>(static_cast<std::int8_t>(raw)))
                       : raw & 0xFF;
    case 2:
      return is_signed ? static_cast<Qword>(static_cast<Qlong>(static_cast<std::int16_t>(raw)))
                       : raw & 0xFFFF;
    case 4:
      return is_signed ? static_cast<Qword>(static_cast<Qlong>(static_cast<std::int32_t>(raw)))
                       : raw & 0xFFFFFFFF;
    default:
      return raw;
  }
}

// Reads `size` (1, 2, 4 or 8) bytes at `address` as an integer.
Qword ReadInteger(const void* address, Dword size, bool is_signed) {
  Qword raw = 0;  // little-endian: the low bytes come first
  std::memcpy(&raw, address, size);
  return Widen(raw, size, is_signed);
}

// Integers below 64 bits travel as int; the element size picks the bits.
Qword FetchInteger(Args& a, Dword size, bool by_address, bool is_signed, bool* ok) {
  *ok = false;
  if (by_address) {
    const void* p = va_arg(a.ap, const void*);
    if (!p) return 0;
    *ok = true;
    return ReadInteger(p, size, is_signed);
  }
  *ok = true;
  if (size == 8) return va_arg(a.ap, Qword);
  return Widen(va_arg(a.ap, unsigned), size, is_signed);
}

bool FetchReal(Args& a, Dword size, bool by_address, double* x) {
  if (!by_address) {
    *x = va_arg(a.ap, double);  // a float arrives promoted to double
    return true;
  }
  const void* p = va_arg(a.ap, const void*);
  if (!p) return false;
  if (size == 4) {
    float f;
    std::memcpy(&f, p, 4);
    *x = f;
  } else {
    std::memcpy(x, p, 8);
  }
  return true;
}

// The type a record is read as from the argument list: itself, or for a
// record with constructors a plain struct of the same members (the same
// classification in the calling convention), since va_arg of a type with
// constructors is not portable.
template <class T>
struct VaRecord {
  using type = T;
};
template <>
struct VaRecord<Qrat> {
  using type = QratPlain;
};

// A record by value, or through its address with '&'.
template <class T>
bool FetchRecord(Args& a, bool by_address, T* value) {
  if (!by_address) {
    const typename VaRecord<T>::type plain = va_arg(a.ap, typename VaRecord<T>::type);
    std::memcpy(static_cast<void*>(value), &plain, sizeof(T));
    return true;
  }
  const T* p = va_arg(a.ap, const T*);
  if (!p) return false;
  std::memcpy(value, p, sizeof(T));
  return true;
}

// The character of a byte: widened as a signed byte in wide text.
template <class C>
C FromByte(unsigned char b) {
  if constexpr (kWide<C>) {
    return static_cast<C>(static_cast<std::int16_t>(static_cast<signed char>(b)));
  } else {
    return static_cast<C>(b);
  }
}

template <class C>
void PutByteText(const char* text, FormatSink<C>& out) {
  out.Start();
  for (; *text; ++text) out.Put(FromByte<C>(static_cast<unsigned char>(*text)));
}

template <class C>
void PutWideText(const char16_t* text, FormatSink<C>& out) {
  out.Start();
  for (; *text; ++text) out.Put(static_cast<C>(*text));  // narrowing keeps the low byte
}

template <class C>
void Echo(C letter, FormatSink<C>& out) {
  out.Start();
  out.Put('%');
  out.Put(letter);
}

template <class C>
void Dispatch(FormatSpecT<C>& spec, C last, Args& a, FormatSink<C>& out) {
  const bool by_address = spec.by_address != 0;
  const Dword size = spec.element_size;
  const bool single = Qword{spec.rows} + spec.columns <= 2;
  switch (spec.conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X': {
      const bool is_signed = spec.conversion == 'd' || spec.conversion == 'i';
      if (size != 1 && size != 2 && size != 4 && size != 8) {
        if (by_address) (void)va_arg(a.ap, const void*);
        return;
      }
      bool ok = false;
      const Qword v = FetchInteger(a, size, by_address, is_signed, &ok);
      if (!ok) return;
      out.Start();
      if (is_signed) {
        const Qlong s = static_cast<Qlong>(v);
        FormatSigned(&s, out, spec);
      } else {
        FormatUnsigned(&v, out, spec);
      }
      return;
    }
    case 'e':
    case 'f':
    case 'F':
    case 'a':
    case 'A':
    case 'g':
    case 'G': {
      if (size != 8 && size != 4) {
        if (by_address) (void)va_arg(a.ap, const void*);
        return;
      }
      double x = 0;
      if (!FetchReal(a, size, by_address, &x)) return;
      out.Start();
      if (spec.conversion == 'e' || spec.conversion == 'f' || spec.conversion == 'F') {
        FormatRealEF(&x, out, spec);
      } else {
        FormatRealG(&x, out, spec);
      }
      return;
    }
    case 'E':
    case 'r': {
      const bool e_form = spec.conversion == 'E';
      if (single) {
        const double x = va_arg(a.ap, double);
        out.Start();
        e_form ? FormatRealEF(&x, out, spec) : FormatRealG(&x, out, spec);
        return;
      }
      const double* first = va_arg(a.ap, const double*);
      if (!first && spec.rows != 0 && spec.columns != 0) return;
      out.Start();
      e_form ? FormatRealMatrixE(first, out, spec) : FormatRealMatrixG(first, out, spec);
      return;
    }
    case 'C': {
      if (single) {
        const FormatComplexValue z = va_arg(a.ap, FormatComplexValue);
        out.Start();
        FormatComplex(&z, out, spec);
        return;
      }
      const FormatComplexValue* first = va_arg(a.ap, const FormatComplexValue*);
      if (!first && spec.rows != 0 && spec.columns != 0) return;
      out.Start();
      FormatComplexMatrix(first, out, spec);
      return;
    }
    case 'Z':
    case 'Q': {
      if (size != 16) {
        if (by_address) (void)va_arg(a.ap, const void*);
        return;
      }
      if (spec.conversion == 'Z') {
        FormatComplexValue z{};
        if (!FetchRecord(a, by_address, &z)) return;
        out.Start();
        FormatComplex(&z, out, spec);
      } else {
        Qrat q{};
        if (!FetchRecord(a, by_address, &q)) return;
        out.Start();
        FormatRational(&q, out, spec);
      }
      return;
    }
    case 'c': {
      if (size != 1 && size != 2) {
        if (by_address) (void)va_arg(a.ap, const void*);
        return;
      }
      bool ok = false;
      const Qword v = FetchInteger(a, size, by_address, false, &ok);
      if (!ok) return;
      out.Start();  // the character 0 still makes an (empty) piece
      if ((v & 0xFF) != 0) out.Put(FromByte<C>(static_cast<unsigned char>(v & 0xFF)));
      return;
    }
    case 's':
    case 'S': {
      if (!kWide<C> && spec.conversion == 'S') break;  // the 8-bit engine writes %S as %p
      // Wide engine: s is 8-bit text, S wide text; 8-bit engine: s of
      // size 1 is 8-bit text, of size 2 wide text.
      const bool wide_text = kWide<C> ? spec.conversion == 'S' : size == 2;
      const Dword wanted = kWide<C> ? (spec.conversion == 'S' ? 2 : 1) : size;
      if (size != wanted || (size != 1 && size != 2)) {
        if (by_address) (void)va_arg(a.ap, const void*);
        return;
      }
      const void* text = nullptr;
      if (by_address) {
        const void* const* p = va_arg(a.ap, const void* const*);
        if (!p) return;
        text = *p;
      } else {
        text = va_arg(a.ap, const void*);
      }
      if (!text) return;
      if (wide_text) {
        PutWideText(static_cast<const char16_t*>(text), out);
      } else {
        PutByteText(static_cast<const char*>(text), out);
      }
      return;
    }
    case 'p':
      break;
    case 'n': {
      Qword* count = va_arg(a.ap, Qword*);
      if (count) *count = out.Length();
      return;
    }
    case '%':
      out.Start();
      out.Put('%');
      return;
    default:  // unknown, and the accepted letters without a conversion
      Echo(last, out);
      return;
  }
  // 'p', and 'S' in the 8-bit engine.
  Qword v = 0;
  if (by_address) {
    const void* p = va_arg(a.ap, const void*);
    if (!p) return;
    std::memcpy(&v, p, 8);
  } else {
    v = reinterpret_cast<Qword>(va_arg(a.ap, const void*));
  }
  out.Start();
  FormatPointer(&v, out, spec);
}

template <class C>
C* Engine(const C* format, va_list args) {
  if (!format) return nullptr;
  Args a;
  va_copy(a.ap, args);
  FormatSink<C> out;
  Qword pos = 0;
  for (;;) {
    // Literal run; "%%" is one literal percent sign.
    while (format[pos] != 0) {
      if (format[pos] == '%') {
        if (format[pos + 1] != '%') break;
        out.Start();
        out.Put('%');
        pos += 2;
        continue;
      }
      Qword end = pos;
      while (format[end] != 0 && format[end] != '%') ++end;
      out.Start();
      out.Put(format + pos, end - pos);
      pos = end;
    }
    if (format[pos] == 0) break;
    FormatSpecT<C> spec;
    const Qword used = FormatParseSpec(format + pos, &spec);
    const C last = format[pos + used - 1];
    if (spec.conversion == 0 && last == 0) {
      // The format ends inside a specification: keep its text as written.
      out.Start();
      out.Put(format + pos, used - 1);
      break;
    }
    pos += used;
    if (spec.width == -2) spec.width = va_arg(a.ap, int);
    if (spec.precision == -2) spec.precision = va_arg(a.ap, int);
    Dispatch(spec, last, a, out);
  }
  va_end(a.ap);
  return out.Release();
}

}  // namespace

char16_t* FormatEngine(const char16_t* format, va_list args) { return Engine(format, args); }
char* FormatEngineA(const char* format, va_list args) { return Engine(format, args); }
