// cKyFile: path, dialogs, opening and closing, the discriminator line and
// the error box.
#include "framework/ky_file.h"

#include <string>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/os_services.h"
#include "base/paths.h"
#include "base/string_groom.h"
#include "base/strings.h"
#include "base/utf.h"

namespace {

constexpr Dword kLow16 = 0xFFFF;

// A caller's path or folder in this platform's form: groomed (inner runs of
// blanks kept) with every '\' turned into the separator '/'.
std::u16string Normalised(const char16_t* text) {
  std::u16string s = text ? std::u16string(text) : std::u16string();
  if (s.empty()) return s;
  StringGroom(s.data(), kGroomKeepRuns);
  s.resize(std::char_traits<char16_t>::length(s.c_str()));
  for (char16_t& c : s)
    if (c == u'\\') c = u'/';
  return s;
}

// Takes over a library string.
std::u16string Take(char16_t* text) {
  std::u16string s = text ? std::u16string(text) : std::u16string();
  KillString(&text);
  return s;
}

bool HasRefusedCharacter(const std::u16string& path) {
  return path.find_first_of(u"*?|<>\"") != std::u16string::npos;
}

// Index of the first character above a blank, or npos.
size_t FirstNonWhite(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) > 32) return i;
  return std::string::npos;
}

}  // namespace

cKyFile::cKyFile() = default;

cKyFile::cKyFile(const char16_t* path, const char16_t* folder, const char16_t* extension) {
  SetPath(path, folder, extension);
}

cKyFile::~cKyFile() { Reset(); }

bool cKyFile::SetPath(const char16_t* path, const char16_t* folder, const char16_t* extension) {
  Reset();
  std::u16string p = Normalised(path);
  bool relative = false;
  if (!p.empty() && p[0] == u'%') {
    relative = true;
    p = Normalised(p.c_str() + 1);
  }
  if (!p.empty()) {
    const size_t slash = p.rfind(u'/');
    const std::u16string name = slash == std::u16string::npos ? p : p.substr(slash + 1);
    if (extension && name.find(u'.') == std::u16string::npos) {
      const char16_t* ext = extension;
      while (*ext && *ext <= 32) ++ext;
      if (*ext) {
        if (*ext != u'.') p += u'.';
        p += ext;
      }
    }
  }
  bool have_folder = folder != nullptr;
  std::u16string dir;
  if (have_folder) {
    dir = Normalised(folder);
    // An empty folder, or one of blanks only, means the executable's folder.
    if (dir.empty()) dir = Take(OsStringNewCopy(kOsExecutableFolder));
    if (dir.empty())
      have_folder = false;
    else if (dir.back() != u'/')
      dir += u'/';
  }
  std::u16string full;
  if (p.empty()) {
    // No name: a fresh temporary name in the folder (or the temporary
    // folder); the file the system creates for it is deleted at once.
    if (!have_folder) dir = Take(OsStringNewCopy(kOsTempFolder));
    char16_t* temp = NewCreateTemporaryFile(dir.empty() ? nullptr : dir.c_str(), u"~KY", 0);
    if (!temp) {
      last_error_ = LibLastError;
      return false;
    }
    full = Take(temp);
    FileDelete(full.c_str());
  } else if (have_folder) {
    full = (relative || p.find(u'/') == std::u16string::npos) ? dir + p : p;
  } else if (p.find(u'/') == std::u16string::npos) {
    char16_t* found = NewFilePathLocator(p.c_str(), nullptr, nullptr, nullptr);
    if (!found) {
      last_error_ = LibLastError;
      return false;
    }
    full = Take(found);
  } else {
    full = p;
  }
  if (HasRefusedCharacter(full)) {
    last_error_ = kErrIllegalFileName;
    return false;
  }
  Dword error = 0;
  path_ = NewArrFill<char16_t>(&error, full.size() + 1);
  if (!path_) {
    last_error_ = error;
    return false;
  }
  std::char_traits<char16_t>::copy(path_, full.c_str(), full.size() + 1);
  return true;
}

bool cKyFile::SelectByDialog(const char16_t* title, const char16_t* folder,
                             const char16_t* extension, const char16_t* filter, Dword flags,
                             Qword owner, Dword* raw_flags) {
  char16_t* start = folder ? nullptr : OsStringNewCopy(kOsExecutableFolder);
  char16_t* chosen = NewOsFileSelectDialog(title, folder ? folder : start, extension, filter, flags,
                                           owner, raw_flags);
  KillString(&start);
  if (!chosen) {
    last_error_ = LibLastError;
    return false;
  }
  const bool ok = SetPath(chosen, nullptr, extension);
  KillString(&chosen);
  return ok;
}

bool cKyFile::SetPathByDialog(const char16_t* title, const char16_t* folder,
                              const char16_t* extension, const char16_t* filter, Dword flags,
                              Qword owner, Dword* raw_flags) {
  cKyFile chooser;
  if (!chooser.SelectByDialog(title, folder, extension, filter, flags | kDialogNoBeep, owner,
                              raw_flags)) {
    last_error_ = chooser.last_error_;
    return false;
  }
  return SetPath(chooser.path_, nullptr, nullptr);
}

char16_t* cKyFile::GetName() const {
  return path_ ? NewFilePathFraction(path_, kPathName) : nullptr;
}

char16_t* cKyFile::GetFolder() const {
  return path_ ? NewFilePathFraction(path_, kPathFolder) : nullptr;
}

bool cKyFile::Exists() {
  last_error_ = 0;
  if (IsOpen()) return true;
  if (path_ && FileIsPresent(path_, nullptr)) return true;
  last_error_ = LibLastError ? LibLastError : static_cast<Dword>(kErrMissingFile);
  return false;
}

bool cKyFile::Open(Dword mode) {
  last_error_ = 0;
  if (IsOpen()) {
    if (!Close()) return false;
  } else {
    DropBuffer();
  }
  if (!path_ || !path_[0]) {
    last_error_ = kErrIllegalFileName;
    return false;
  }
  const Qlong handle = FileOpen(path_, mode);
  if (handle == -1) {
    last_error_ = LibLastError;
    return false;
  }
  handle_ = handle;
  flags_ &= ~kLow16;
  if (!(mode & kOpenWrite)) flags_ |= kReadOnly;
  position_ = 0;
  Qlong size = 0;
  size_ = FileGetSize(handle_, &size) ? size : kSizeUnknown;
  if (mode & kOpenMoveToEnd) SeekEnd();
  last_error_ = 0;
  return true;
}

bool cKyFile::OpenOrComplain(Dword mode, bool show) {
  if (Open(mode | kOpenMustExist)) return true;
  if (show) ShowError("Missing/inaccessible file");
  return false;
}

bool cKyFile::OpenExisting(Dword mode, bool show) {
  if (!path_ || !FileIsPresent(path_, nullptr)) {
    last_error_ = kErrMissingFile;
    if (show) ShowError("File does not exist");
    return false;
  }
  if (Open(mode | kOpenWrite | kOpenMustExist | kOpenTruncate)) return true;
  if (show) ShowError("Cant't open file");
  return false;
}

bool cKyFile::CreateNew(Dword mode, bool show) {
  if (path_ && FileIsPresent(path_, nullptr)) {
    last_error_ = kErrIllegalFile;
    if (show) ShowError("File already exists");
    return false;
  }
  if (Open(mode | kOpenWrite | kOpenCreateNew)) return true;
  if (show) ShowError("Cant't create file");
  return false;
}

bool cKyFile::Close() {
  DropBuffer();
  if (IsClosed()) return true;
  const bool ok = FileClose(&handle_, (flags_ & kReadOnly) ? 0 : 1) != 0;
  if (!ok) last_error_ = LibLastError;
  handle_ = -1;
  flags_ &= ~kLow16;
  return ok;
}

void cKyFile::Reset() {
  Close();
  KillString(&path_);
  flags_ = 0;
  size_ = 0;
  last_error_ = 0;
  position_ = 0;
  handle_ = -1;
}

Long cKyFile::OpenWithDiscriminator(const char* text, bool show) {
  if (!OpenOrComplain(0, false)) return 1;
  const size_t text_length = text ? std::char_traits<char>::length(text) : 0;
  const size_t want = FirstNonWhite(text ? text : "", text_length);
  if (want == std::string::npos) return 0;
  const Qlong noted = position_;
  char head[102] = {};
  Qword got = 0;
  Long result;
  if (!ReadAt(0, head, 100, &got) || got == 0) {
    result = -1;
  } else {
    const size_t have = FirstNonWhite(head, static_cast<size_t>(got));
    const size_t needed = text_length - want;
    result = (have != std::string::npos && got - have >= needed &&
              std::char_traits<char>::compare(head + have, text + want, needed) == 0)
                 ? 0
                 : 1;
  }
  if (result != 0) {
    const Dword kept = last_error_;
    Close();
    last_error_ = kept ? kept : static_cast<Dword>(kErrBadFileDiscriminator);
    if (show && result == 1) ShowError("No/Bad discriminator");
  } else {
    position_ = noted;
  }
  return result;
}

Long cKyFile::CreateWithDiscriminator(const char* text, bool show) {
  if (!CreateNew(0, false)) {
    Close();
    return -1;
  }
  if (WriteLine(text)) return 0;
  const Dword kept = last_error_;
  Close();
  last_error_ = kept;
  if (show) ShowError("Could not write the discriminator line");
  return 1;
}

bool cKyFile::SaveLastError() {
  last_error_ = FileSaveLastError();
  return false;
}

void cKyFile::ShowError(const char* message) const {
  // UTF-8, the 8-bit form of the message box.
  char* path = NewUtf8FromUtf16(path_ ? path_ : u"");
  OsMessagefA(kOsError, "FILE HANDLING ERROR\n\nFile: %s\nError: %s", path ? path : "",
              message ? message : "");
  KillStringA(&path);
}
