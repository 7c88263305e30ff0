#include "base/platform/ui_hooks.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

extern char** environ;

namespace {

bool HaveTerminal() { return isatty(STDIN_FILENO) && isatty(STDERR_FILENO); }

const char* TypeWord(UiMessageType type) {
  switch (type) {
    case kUiWarning:
      return "Warning";
    case kUiError:
      return "Error";
    case kUiQuestionYesNo:
    case kUiQuestionYesNoCancel:
      return "Question";
    default:
      return "Information";
  }
}

// Reads one answer line from the terminal; false at end of input.
bool ReadAnswer(std::string* line) {
  line->clear();
  int c;
  while ((c = std::getchar()) != EOF && c != '\n') line->push_back(static_cast<char>(c));
  return c != EOF || !line->empty();
}

Long FallbackMessageBox(const std::string& title, const std::string& text, UiMessageType type) {
  std::fprintf(stderr, "%s: %s: %s\n", TypeWord(type), title.c_str(), text.c_str());
  if (type != kUiQuestionYesNo && type != kUiQuestionYesNoCancel) return 1;
  // The safe answer without a person to ask: No, or Cancel where offered.
  const Long safe = type == kUiQuestionYesNo ? 0 : -1;
  if (!HaveTerminal()) return safe;
  std::fprintf(stderr, type == kUiQuestionYesNo ? "[y/n] " : "[y/n/c] ");
  std::fflush(stderr);
  std::string answer;
  if (!ReadAnswer(&answer) || answer.empty()) return safe;
  if (answer[0] == 'y' || answer[0] == 'Y') return 1;
  if (answer[0] == 'n' || answer[0] == 'N') return 0;
  return safe;
}

bool FallbackFileDialog(const UiFileDialogRequest& request, std::string* paths) {
  if (!HaveTerminal()) return false;
  std::fprintf(stderr, "%s\nFile name: ", request.title.c_str());
  std::fflush(stderr);
  std::string answer;
  if (!ReadAnswer(&answer) || answer.empty()) return false;
  *paths = answer;
  return true;
}

bool FallbackFolderDialog(const std::string& title, const std::string&, std::string* folder) {
  if (!HaveTerminal()) return false;
  std::fprintf(stderr, "%s\nFolder: ", title.c_str());
  std::fflush(stderr);
  std::string answer;
  if (!ReadAnswer(&answer) || answer.empty()) return false;
  *folder = answer;
  return true;
}

// Runs xdg-open directly, never through a shell, and does not wait for the
// viewer: xdg-open itself returns quickly.
bool FallbackOpenDocument(const std::string& target) {
  char prog[] = "xdg-open";
  std::string arg = target;
  char* argv[] = {prog, arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, prog, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Without a desktop the clipboard lives in the process.
std::string& ProcessClipboard() {
  static std::string text;
  return text;
}
bool FallbackClipboardGet(std::string* text) {
  if (ProcessClipboard().empty()) return false;
  *text = ProcessClipboard();
  return true;
}
bool FallbackClipboardSet(const std::string& text) {
  ProcessClipboard() = text;
  return true;
}

void FallbackBeep(Dword, Dword) {
  if (HaveTerminal()) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}

void FallbackPump(void) {}

constexpr UiHooks kFallback = {
    FallbackMessageBox,   FallbackFileDialog,   FallbackFolderDialog, FallbackOpenDocument,
    FallbackClipboardGet, FallbackClipboardSet, FallbackBeep,         FallbackPump,
};

UiHooks g_hooks = kFallback;

template <class F>
void Take(F* slot, F given, F fallback) {
  *slot = given ? given : fallback;
}

}  // namespace

const UiHooks& UiHooksGet(void) { return g_hooks; }
const UiHooks& UiHooksFallback(void) { return kFallback; }

void UiHooksInstall(const UiHooks* hooks) {
  if (!hooks) {
    g_hooks = kFallback;
    return;
  }
  Take(&g_hooks.message_box, hooks->message_box, kFallback.message_box);
  Take(&g_hooks.file_dialog, hooks->file_dialog, kFallback.file_dialog);
  Take(&g_hooks.folder_dialog, hooks->folder_dialog, kFallback.folder_dialog);
  Take(&g_hooks.open_document, hooks->open_document, kFallback.open_document);
  Take(&g_hooks.clipboard_get_text, hooks->clipboard_get_text, kFallback.clipboard_get_text);
  Take(&g_hooks.clipboard_set_text, hooks->clipboard_set_text, kFallback.clipboard_set_text);
  Take(&g_hooks.beep, hooks->beep, kFallback.beep);
  Take(&g_hooks.pump_messages, hooks->pump_messages, kFallback.pump_messages);
}
