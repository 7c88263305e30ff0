// Console commands: control strings, wide and 8-bit output, and menus with
// the record as the handlers' context.
#include "base/console_menu.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "command/command_table.h"

namespace {

template <class T>
const T* Argument(KyAppRecord* record) {
  const auto* value = static_cast<const T*>(record->argument);
  if (value == nullptr) record->error = kErrMissingArguments;
  return value;
}

}  // namespace

void CmdConQuasso(KyAppRecord* record) {
  // The control string's own answer is not kept.
  if (const auto* text = Argument<char16_t>(record)) (void)ConQuasso(text);
}

void CmdCout(KyAppRecord* record) {
  if (const auto* text = Argument<char16_t>(record)) Cout(text);
}

void CmdCoutA(KyAppRecord* record) {
  if (const auto* text = Argument<char>(record)) CoutA(text);
}

void CmdConMenu(KyAppRecord* record) {
  const auto* table = Argument<ConMenuItem>(record);
  if (table == nullptr) return;
  (void)ConMenuOfTable(table, record);
}
