// The console title, the zone listing and the selection of zones: select
// or unselect all, and the dialogue that reads zone ids.
#include <cstring>
#include <string>

#include "base/console_in.h"
#include "base/console_menu.h"
#include "base/console_out.h"
#include "base/console_text.h"
#include "base/error_codes.h"
#include "base/num_status.h"
#include "base/number_text.h"
#include "base/os_services.h"
#include "base/platform/c_number.h"
#include "base/platform/terminal.h"
#include "base/string_groom.h"
#include "base/utf.h"
#include "command/console_app.h"
#include "command/lib_command.h"
#include "data_engine/ky_data.h"

namespace {

constexpr Qword kTextRoom = 256;      // titles and messages
constexpr Qword kListingRoom = 1024;  // listing lines
constexpr Long kInvalidLong = INT32_MIN;
// Status bits of StringToLong that leave no zone id.
constexpr NumStatus kNoId = 0x3170;

KyAppRecord* RecordOf(void* context) { return static_cast<KyAppRecord*>(context); }

// A node's wide text as UTF-8 (empty for none), cut to the room.
void Utf8Of(const char16_t* text, char* out, Qword room) {
  out[0] = 0;
  if (text != nullptr) Utf16ToUtf8(text, kNoIndex, out, room);
}

Qword ZoneId(const cKyData* zone) { return zone->parameters.GetUnsigned("ZONE"); }

void PrintZoneLine(cKyData* zone) {
  char line[kListingRoom + 2];
  const char* exp = zone->ExperimentName();
  PlatformFormatCText(line + 2, kListingRoom,
                      "\n   ZoneID: %llu, EXP: %s, NBLK: %llu, BS: %llu, BRLX: %7.5f",
                      static_cast<unsigned long long>(ZoneId(zone)), exp ? exp : "",
                      static_cast<unsigned long long>(zone->ChildCount()),
                      static_cast<unsigned long long>(zone->parameters.GetUnsigned("BS")),
                      zone->parameters.GetReal("BRLX"));
  // A control string: its colour letter, then the line; a selected zone
  // shows an "s" in place of the second blank.
  const bool selected = zone->TestFlags(kKyDataSelected) != 0;
  line[0] = 'C';
  line[1] = selected ? 'd' : 'g';
  if (selected) line[2 + 2] = 's';
  ConQuassoA(line);
  ConQuassoA("Cd");
}

// Selects (positive) or unselects (negative) the zone of each id typed;
// ids are separated by blanks, "," or ";"; other text is skipped.
void ApplySelection(cKyData* root, const char16_t* line) {
  const Qword n = std::char_traits<char16_t>::length(line);
  Qword p = 0;
  while (p < n) {
    if (line[p] == u' ' || line[p] == u'\t' || line[p] == u',' || line[p] == u';') {
      ++p;
      continue;
    }
    // One token up to the next separator, read as a whole.
    char16_t token[64];
    Qword k = 0;
    while (p < n && line[p] != u' ' && line[p] != u'\t' && line[p] != u',' && line[p] != u';') {
      if (k + 1 < sizeof token / sizeof token[0]) token[k++] = line[p];
      ++p;
    }
    token[k] = 0;
    NumStatus status = 0;
    Qword used = 0;
    const Long value = StringToLong(token, &status, &used, 10);
    if ((status & kNoId) != 0 || value == kInvalidLong || value == 0) continue;
    const Qword id =
        value < 0 ? static_cast<Qword>(-static_cast<Qlong>(value)) : static_cast<Qword>(value);
    for (cKyData* zone = root->FirstChild(); zone != nullptr; zone = zone->NextSibling()) {
      if (ZoneId(zone) != id) continue;
      if (value > 0)
        zone->SetFlags(kKyDataSelected, true);
      else
        zone->ClearFlags(kKyDataSelected, true);
    }
  }
}

void SelectionDialogue(KyAppRecord* record) {
  for (;;) {
    Dword column = 0, row = 0;
    const bool have_cursor = ConGetOrSetCursorLocation(&column, &row, 1) == 0;
    ConAppListZones(1, record);
    char16_t line[kListingRoom];
    bool ended = false;
    if (ConReadLine(u"\n Zone ID's to select/unselect (example: 1 -3 4): ", line, kListingRoom,
                    kGroomUnchanged, &ended) != 0)
      line[0] = 0;
    if (record->data_root == nullptr) return;
    ApplySelection(record->data_root, line);
    if (have_cursor) ConGetOrSetCursorLocation(&column, &row, 0);
    ConAppListZones(1, record);
    // At the end of the input nobody can answer: the question would be
    // answered No for ever.
    if (ended) return;
    // The listing is on the screen before the question comes.
    TermFlush();
    if (OsMessage(kOsQuestionYesNo, u"Is this correct?", u"Data Selection") != 0) return;
  }
}

}  // namespace

LibErrorCode ConAppSetTitle(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  char title[kTextRoom];
  const cKyData* root = record->data_root;
  if (root == nullptr) {
    PlatformFormatCText(title, sizeof title, "T %s (an Norvale utility)",
                        KyFrameworkAppInfo()->title);
  } else {
    char name[kTextRoom];
    Utf8Of(root->file_name, name, sizeof name);
    const unsigned long long n = root->ChildCount();
    const unsigned long long s = root->CountChildrenWithFlags(kKyDataSelected);
    if (s == n)
      PlatformFormatCText(title, sizeof title, "T %s [%llu] Selected: ALL", name, n);
    else if (s == 0)
      PlatformFormatCText(title, sizeof title, "T %s [%llu] Selected: None", name, n);
    else
      PlatformFormatCText(title, sizeof title, "T %s [%llu] Selected: %llu", name, n, s);
  }
  return static_cast<LibErrorCode>(ConQuassoA(title));
}

LibErrorCode ConAppRefreshTitle(Long argument, void* context) {
  return ConAppSetTitle(argument, context);
}

LibErrorCode ConAppListZones(Long flags, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  cKyData* root = record->data_root;
  if (root == nullptr) {
    record->error = kErrMissingInputData;
    return kErrMissingInputData;
  }
  record->error = 0;
  if ((flags & 1) == 0) {
    char text[kListingRoom];
    PlatformFormatCText(text, sizeof text, "\n Data type: %s (ID %llu)",
                        root->type_name ? root->type_name : "",
                        static_cast<unsigned long long>(root->data_type));
    CoutA(text);
    char path[kListingRoom];
    Utf8Of(root->full_path, path, sizeof path);
    PlatformFormatCText(text, sizeof text, "\n File: %s", path);
    CoutA(text);
  }
  for (cKyData* zone = root->FirstChild(); zone != nullptr; zone = zone->NextSibling())
    PrintZoneLine(zone);
  return 0;
}

LibErrorCode ConAppEditSelection(Long mode, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  cKyData* root = record->data_root;
  record->error = 0;
  if (root == nullptr) {
    record->error = kErrMissingInputData;
  } else {
    switch (mode) {
      case 1:
        SelectionDialogue(record);
        break;
      case 2:
      case 3:
        for (cKyData* zone = root->FirstChild(); zone != nullptr; zone = zone->NextSibling()) {
          if (mode == 2)
            zone->SetFlags(kKyDataSelected, true);
          else
            zone->ClearFlags(kKyDataSelected, true);
        }
        break;
      case 4:
        ConAppListZones(1, record);
        break;
      default:
        record->error = kErrIllegalMode;
        break;
    }
  }
  const Dword error = record->error;
  ConAppSetTitle(0, record);
  return error;
}
