// The data-info text at the head of every item log.
#include <cstdio>
#include <cstring>

#include "app/ui/app_state.h"
#include "app/ui/commands.h"
#include "app/ui/workspace.h"
#include "base/utf.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"

namespace {

constexpr size_t kInfoCapacity = 8192;

void Append(char* buffer, size_t capacity, size_t* position, const char* text) {
  if (text == nullptr || *position + 1 >= capacity) return;
  const size_t room = capacity - 1 - *position;
  size_t n = std::strlen(text);
  if (n > room) n = room;
  std::memcpy(buffer + *position, text, n);
  *position += n;
  buffer[*position] = 0;
}

// The end of a path from its third slash counted from the end; the whole
// path when it has fewer.
const char* PathTail(const char* path) {
  int seen = 0;
  for (size_t i = std::strlen(path); i > 0; --i) {
    if (path[i - 1] == '/' && ++seen == 3) return path + i - 1;
  }
  return path;
}

}  // namespace

void AppendParameterText(Qword item, char* buffer, size_t capacity, const char* name,
                         const char* label, size_t* position) {
  KyAppRecord* record = App().record;
  ParameterArgs args{static_cast<Qlong>(item), name, nullptr, nullptr};
  if (RunQuietCommand(record, kKyCmdGetParameter, &args) != 0) return;
  char* value = static_cast<char*>(record->result.pointer);
  if (value == nullptr) return;
  Append(buffer, capacity, position, label);
  Append(buffer, capacity, position, value);
  ReleaseCommandText(record, value);
}

char* MakeDataInfoText(Qword item) {
  KyAppRecord* record = App().record;
  auto* buffer = new char[kInfoCapacity];
  buffer[0] = 0;
  size_t at = 0;
  Append(buffer, kInfoCapacity, &at, " --------------------------\n");
  Append(buffer, kInfoCapacity, &at, " Data info\n");
  Append(buffer, kInfoCapacity, &at, " --------------------------\n");
  char line[1200];
  if (RunQuietCommand(record, kKyCmdItemFolder2, ValueArgument(item)) == 0 &&
      record->result.pointer != nullptr) {
    char path[1024];
    Utf16ToUtf8(static_cast<const char16_t*>(record->result.pointer), ~Qword{0}, path, sizeof path);
    std::snprintf(line, sizeof line, "\n Path: %s", path);
    Append(buffer, kInfoCapacity, &at, line);
    std::snprintf(line, sizeof line, "\n Folder: ...%s", PathTail(path));
    Append(buffer, kInfoCapacity, &at, line);
  }
  if (RunQuietCommand(record, kKyCmdItemTypeName, ValueArgument(item)) == 0 &&
      record->result.pointer != nullptr) {
    std::snprintf(line, sizeof line, "\n Origin: %s",
                  static_cast<const char*>(record->result.pointer));
    Append(buffer, kInfoCapacity, &at, line);
  }
  if (RunQuietCommand(record, kKyCmdItemExperiment, ValueArgument(item)) == 0 &&
      record->result.pointer != nullptr) {
    std::snprintf(line, sizeof line, "\n Experiment: %s",
                  static_cast<const char*>(record->result.pointer));
    Append(buffer, kInfoCapacity, &at, line);
  }
  static const char* const kParameters[][2] = {
      {"USER", "\n User: "},
      {"OPER", "\n Operator: "},
      {"SMPL", "\n Sample: "},
      {"TEXT", "\n Text: "},
      {"NUC", "\n Nuclide: "},
      {"INST", "\n Instrument: "},
      {"SF", "\n Spec. freq. [MHz]: "},
      {"DW", "\n Dwell time [s]: "},
      {"TEMP", "\n Temperature: "},
      {"BS", "\n # points: "},
  };
  for (const auto& p : kParameters)
    AppendParameterText(item, buffer, kInfoCapacity, p[0], p[1], &at);
  Append(buffer, kInfoCapacity, &at, "\n");
  return buffer;
}
