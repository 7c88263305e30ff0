// Path and system texts between the library's widths and the platform's
// UTF-8: wide texts convert, 8-bit texts are UTF-8 already. Internal.
#pragma once
#include <string>

#include "base/memory.h"
#include "base/string_core.h"
#include "base/types.h"
#include "base/utf.h"

// The UTF-8 form of a path for one platform call. `ok` is false only when
// the conversion could not allocate; a null path stays null.
class Utf8Path {
 public:
  explicit Utf8Path(const char* path) : text_(path) {}
  explicit Utf8Path(const char16_t* path) {
    if (!path) return;
    owned_ = NewUtf8FromUtf16(path);
    text_ = owned_;
    ok_ = owned_ != nullptr;
  }
  Utf8Path(const Utf8Path&) = delete;
  Utf8Path& operator=(const Utf8Path&) = delete;
  ~Utf8Path() { KillPtr(&owned_); }
  const char* get() const { return text_; }
  bool ok() const { return ok_; }

 private:
  char* owned_ = nullptr;
  const char* text_ = nullptr;
  bool ok_ = true;
};

// A new library text of the character type from UTF-8; null when the
// allocation fails.
template <class Ch>
Ch* NewTextFromUtf8(const char* utf8) {
  if constexpr (sizeof(Ch) == 1) {
    return str::NewCopyN(utf8, str::Len(utf8));
  } else {
    return NewUtf16FromUtf8(utf8 ? utf8 : "");
  }
}
template <class Ch>
Ch* NewTextFromUtf8(const std::string& utf8) {
  return NewTextFromUtf8<Ch>(utf8.c_str());
}

// The UTF-8 form of a text of either width (empty for null).
inline std::string Utf8String(const char* text) { return text ? std::string(text) : std::string(); }
inline std::string Utf8String(const char16_t* text) {
  Utf8Path converted(text);
  return converted.get() ? std::string(converted.get()) : std::string();
}
