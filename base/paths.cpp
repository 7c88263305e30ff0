#include "base/paths.h"

#include <string>

#include "base/errors.h"
#include "base/path_text.h"
#include "base/platform/last_error.h"
#include "base/platform/process_env.h"
#include "base/platform/ui_hooks.h"
#include "base/string_core.h"

namespace {

template <class Ch>
constexpr Ch kSeparator = Ch('/');

template <class Ch>
Qlong CleanNameOffset(const Ch* path) {
  if (!path) return 0;
  Qlong after = 0;
  for (Qlong i = 0; path[i]; ++i)
    if (path[i] == kSeparator<Ch>) after = i + 1;
  return after;
}

template <class Ch>
Ch* AppendIfMissing(Ch* text, Ch c) {
  if (!text) return text;
  const Qword n = str::Len(text);
  if (n == 0 || text[n - 1] != c) {
    text[n] = c;
    text[n + 1] = 0;
  }
  return text;
}

template <class Ch>
Ch* Combination(const Ch* folder, const Ch* name) {
  if (!folder || !name) return nullptr;
  const Qword nf = str::Len(folder), nn = str::Len(name);
  Ch* joined = str::NewCopyN(folder, nf, nn + 1);
  if (!joined) return nullptr;
  AppendIfMissing(joined, kSeparator<Ch>);
  const Qword at = str::Len(joined);
  for (Qword i = 0; i <= nn; ++i) joined[at + i] = name[i];
  return joined;
}

template <class Ch>
Ch* Fraction(const Ch* path, Dword part) {
  if (!path) return nullptr;
  const Qword n = str::Len(path);
  const Qword name = static_cast<Qword>(CleanNameOffset(path));
  Qword point = kNoIndex;  // the last point inside the file name
  for (Qword i = name; i < n; ++i)
    if (path[i] == Ch('.')) point = i;
  switch (part) {
    case kPathExtension:
      return point == kNoIndex ? nullptr : str::NewCopyN(path + point + 1, n - point - 1);
    case kPathNameNoExtension:
      return str::NewCopyN(path + name, (point == kNoIndex ? n : point) - name);
    case kPathName:
      return str::NewCopyN(path + name, n - name);
    case kPathFolder:
      return name == 0 ? nullptr : str::NewCopyN(path, name);
    case kPathDrive:
      return nullptr;  // POSIX paths have no drive
    default:
      return str::NewCopyN(path, n);
  }
}

// The dialog's filter "name|patterns|name|patterns|" as the hook's lines
// "name<TAB>patterns", one per pair.
std::string HookFilter(const std::string& filter) {
  std::string lines;
  size_t at = 0;
  while (at < filter.size()) {
    const size_t bar1 = filter.find('|', at);
    if (bar1 == std::string::npos) break;
    size_t bar2 = filter.find('|', bar1 + 1);
    if (bar2 == std::string::npos) bar2 = filter.size();
    if (!lines.empty()) lines += '\n';
    lines += filter.substr(at, bar1 - at) + '\t' + filter.substr(bar1 + 1, bar2 - bar1 - 1);
    at = bar2 + 1;
  }
  return lines;
}

// The room a chosen path has in the dialog's buffer, terminator included.
constexpr Qword kDialogPathRoom = 4096;
// The dialog's extended error for a path longer than its buffer.
constexpr Dword kDialogBufferTooSmall = 0x3003;
constexpr Qword kFolderRoom = 260;

}  // namespace

VELTRIA_API Qlong OffsetToCleanNameInPath(const char16_t* path) { return CleanNameOffset(path); }
VELTRIA_API Qlong OffsetToCleanNameInPathA(const char* path) { return CleanNameOffset(path); }

char16_t* StringAppendChrIfMissing(char16_t* text, char16_t c) { return AppendIfMissing(text, c); }
char* StringAppendChrIfMissingA(char* text, char c) { return AppendIfMissing(text, c); }

VELTRIA_API char16_t* NewFilePathCombination(const char16_t* folder, const char16_t* name) {
  return Combination(folder, name);
}
VELTRIA_API char* NewFilePathCombinationA(const char* folder, const char* name) {
  return Combination(folder, name);
}

VELTRIA_API char16_t* NewFilePathFraction(const char16_t* path, Dword part) {
  return Fraction(path, part);
}
VELTRIA_API char* NewFilePathFractionA(const char* path, Dword part) {
  return Fraction(path, part);
}

VELTRIA_API char16_t* NewFilePathLocator(const char16_t* name, const char16_t* extension,
                                         const char16_t* search_path, char16_t** name_position) {
  FileClearLastError();
  if (name_position) *name_position = nullptr;
  std::string wanted = Utf8String(name);
  const std::string ext = Utf8String(extension);
  // The extension is added only to a name that has none.
  const Qlong clean = OffsetToCleanNameInPathA(wanted.c_str());
  if (!ext.empty() && wanted.find('.', static_cast<size_t>(clean)) == std::string::npos)
    wanted += (ext[0] == '.' ? "" : ".") + ext;
  Utf8Path list(search_path);
  std::string found;
  if (!list.ok() || !WinSearchPath(list.get(), wanted.c_str(), &found)) {
    FileSaveLastError();
    return nullptr;
  }
  char16_t* result = NewTextFromUtf8<char16_t>(found);
  if (result && name_position) *name_position = result + OffsetToCleanNameInPath(result);
  return result;
}

VELTRIA_API char16_t* NewOsFileSelectDialog(const char16_t* title, const char16_t* folder,
                                            const char16_t* default_extension,
                                            const char16_t* filter, Dword flags, Qword owner,
                                            Dword* raw_flags) {
  (void)owner;  // the hooks place their dialogs themselves
  WinSetLastError(0);
  Dword dialog_flags = 0;
  const bool raw = (flags & kDialogRawFlags) && raw_flags;
  if (raw) dialog_flags = *raw_flags;
  UiFileDialogRequest request;
  request.title = Utf8String(title);
  request.folder = Utf8String(folder);
  request.filter = HookFilter(filter ? Utf8String(filter) : std::string("All:|*.*|"));
  request.save = (flags & kDialogSave) != 0;
  // The raw word's own must-exist bit (0x1000) stands for 0x2 there.
  request.must_exist = raw ? (dialog_flags & 0x1000) != 0 : (flags & kDialogMustExist) != 0;
  const UiHooks& hooks = UiHooksGet();
  if (!(flags & kDialogNoBeep)) hooks.beep(750, 100);
  std::string chosen;
  const bool answered = hooks.file_dialog(request, &chosen);
  if (raw_flags) *raw_flags = flags;
  if (!answered || chosen.empty()) {
    LibLastError = 0;  // cancelled
    return nullptr;
  }
  // A name without extension receives the default one, as typed names do.
  const std::string ext = Utf8String(default_extension);
  const Qlong clean = OffsetToCleanNameInPathA(chosen.c_str());
  if (!ext.empty() && chosen.find('.', static_cast<size_t>(clean)) == std::string::npos)
    chosen += "." + ext;
  char16_t* path = NewTextFromUtf8<char16_t>(chosen);
  if (path && str::Len(path) >= kDialogPathRoom) {
    KillPtr(&path);
    LibLastError = kDialogBufferTooSmall;
  }
  return path;
}

VELTRIA_API char16_t* NewOsFolderSelectDialog(const char16_t* title, Dword browse_flags,
                                              Qword owner) {
  (void)browse_flags;  // the hooks' folder dialog has an edit box of its own
  (void)owner;
  std::string start, folder;
  WinCurrentFolder(&start);
  const bool answered = UiHooksGet().folder_dialog(Utf8String(title), start, &folder);
  char16_t* chosen = answered ? NewTextFromUtf8<char16_t>(folder) : nullptr;
  const Qword n = str::Len(chosen);
  // At least the room of 260 characters callers rely on.
  char16_t* result =
      str::NewCopyN(str::Safe(chosen), n, n + 1 < kFolderRoom ? kFolderRoom - n - 1 : 0);
  KillPtr(&chosen);
  return result;
}
