// Data commands on items: their fields, their first block's fields, the
// parameters, the processing state, copying a block into a new item and
// restoring an item from an older version of the tree.
#include <cstring>
#include <new>

#include "base/memory.h"
#include "command/command_table.h"
#include "command/data_root.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"

namespace {

Qword ArgumentIndex(const KyAppRecord* record) { return reinterpret_cast<Qword>(record->argument); }

cKyData* ArgumentItem(KyAppRecord* record) {
  LibErrorCode error = kErrNone;
  cKyData* item = KyDataItem(record, ArgumentIndex(record), &error);
  if (!item) record->error = error;
  return item;
}

// One field of a data node, written into the record's result.
using Result = decltype(KyAppRecord::result);
struct FieldRead {
  Dword command;
  void (*read)(cKyData& data, Result& r);
};

// The last row of a table answers every command the others do not name.
template <size_t N>
void ReadField(const FieldRead (&fields)[N], Dword command, cKyData& data, Result& r) {
  for (const FieldRead& f : fields) {
    if (f.command == command) {
      f.read(data, r);
      return;
    }
  }
  fields[N - 1].read(data, r);
}

constexpr FieldRead kItemFields[] = {
    {kKyCmdItemFolder, [](cKyData& d, Result& r) { r.pointer = d.folder; }},
    {kKyCmdItemFolder2, [](cKyData& d, Result& r) { r.pointer = d.folder; }},
    {kKyCmdItemFileName, [](cKyData& d, Result& r) { r.pointer = d.file_name; }},
    {kKyCmdItemFullPath, [](cKyData& d, Result& r) { r.pointer = d.full_path; }},
    {kKyCmdItemParameterCount, [](cKyData& d, Result& r) { r.u64 = d.parameters.EntryCount(); }},
    {kKyCmdItemBlockCount, [](cKyData& d, Result& r) { r.u64 = d.ChildCount(); }},
    {kKyCmdItemExperiment,
     [](cKyData& d, Result& r) { r.pointer = const_cast<char*>(d.ExperimentName()); }},
    {kKyCmdItemDataType, [](cKyData& d, Result& r) { r.u64 = d.data_type; }},
    {kKyCmdItemTypeName, [](cKyData& d, Result& r) { r.pointer = const_cast<char*>(d.type_name); }},
    {kKyCmdItemXFirst, [](cKyData& d, Result& r) { r.real = d.x_first; }},
    {kKyCmdItemXLast, [](cKyData& d, Result& r) { r.real = d.x_last; }},
    {kKyCmdItemXUnit, [](cKyData& d, Result& r) { r.pointer = d.x_unit; }},
    {kKyCmdItemXGrid, [](cKyData& d, Result& r) { r.u64 = d.x_grid_type; }},
    {kKyCmdItemState, [](cKyData& d, Result& r) { r.u64 = d.processing_state; }},
};

constexpr FieldRead kBlockFields[] = {
    {kKyCmdBlockPoints, [](cKyData& d, Result& r) { r.u64 = d.points; }},
    {kKyCmdBlockXFirst, [](cKyData& d, Result& r) { r.real = d.x_first; }},
    {kKyCmdBlockXLast, [](cKyData& d, Result& r) { r.real = d.x_last; }},
    {kKyCmdBlockXUnit, [](cKyData& d, Result& r) { r.pointer = d.x_unit; }},
    {kKyCmdBlockXGrid, [](cKyData& d, Result& r) { r.u64 = d.x_grid_type; }},
};

}  // namespace

void CmdItemField(KyAppRecord* record) {
  cKyData* item = ArgumentItem(record);
  if (!item) return;
  ReadField(kItemFields, record->command, *item, record->result);
}

void CmdBlockField(KyAppRecord* record) {
  cKyData* item = ArgumentItem(record);
  if (!item) return;
  cKyData* block = item->FirstChild();
  if (!block) {
    record->error = kErrIllegalArgument;
    return;
  }
  ReadField(kBlockFields, record->command, *block, record->result);
}

void CmdItemCount(KyAppRecord* record) {
  record->result.u64 = record->data_root ? record->data_root->ChildCount() : 0;
}

void CmdItemParameterList(KyAppRecord* record) {
  record->result.pointer = nullptr;
  cKyData* item = ArgumentItem(record);
  if (!item) return;
  // Two passes: the length, then the text "name\tvalue\t" per entry.
  char name[1024], value[4096], extra[1024];
  Qword length = 0;
  for (Qlong at = item->parameters.GetEntryAt(0, name, value, extra); at >= 0;
       at = item->parameters.GetEntryAt(at, name, value, extra))
    length += std::strlen(name) + std::strlen(value) + 2;
  Dword e = kErrNone;
  char* text = NewByteArrFill(&e, length + 1);
  if (!text) {
    record->error = kErrAlloc;
    return;
  }
  char* out = text;
  for (Qlong at = item->parameters.GetEntryAt(0, name, value, extra); at >= 0;
       at = item->parameters.GetEntryAt(at, name, value, extra)) {
    const Qword n = std::strlen(name), v = std::strlen(value);
    std::memcpy(out, name, n);
    out += n;
    *out++ = '\t';
    std::memcpy(out, value, v);
    out += v;
    *out++ = '\t';
  }
  *out = '\0';
  record->result.pointer = text;
}

void CmdSetParameter(KyAppRecord* record) {
  const auto* args = static_cast<const ParameterArgs*>(record->argument);
  if (!args) {
    record->error = kErrMissingInputData;
    return;
  }
  if (!args->name || !args->value) {
    record->error = kErrMissingArguments;
    return;
  }
  if (!record->data_root) {
    record->error = kErrMissingDataObject;
    return;
  }
  if (args->item == -1) {
    LibErrorCode last = kErrNone;
    for (cKyData* item = record->data_root->FirstChild(); item; item = item->NextSibling())
      last = item->parameters.Set(args->name, args->value);
    record->error = last;
    return;
  }
  LibErrorCode error = kErrNone;
  cKyData* item = KyDataItem(record, static_cast<Qword>(args->item), &error);
  record->error = item ? item->parameters.Set(args->name, args->value) : error;
}

void CmdGetParameter(KyAppRecord* record) {
  record->result.pointer = nullptr;
  const auto* args = static_cast<const ParameterArgs*>(record->argument);
  if (!args) {
    record->error = kErrMissingInputData;
    return;
  }
  if (!args->name) {
    record->error = kErrMissingArguments;
    return;
  }
  LibErrorCode error = kErrNone;
  cKyData* item = KyDataItem(record, static_cast<Qword>(args->item), &error);
  if (!item) {
    record->error = error;
    return;
  }
  Dword e = kErrNone;
  char* text = NewByteArrFill(&e, 4096);
  if (!text) {
    record->error = kErrAlloc;
    return;
  }
  if (item->parameters.GetString(args->name, text) < 0) {
    KillPtr(&text);
    record->error = kErrMissingParameters;
    return;
  }
  record->result.pointer = text;
}

void CmdSetItemState(KyAppRecord* record) {
  const auto* args = static_cast<const StateArgs*>(record->argument);
  if (!args || !args->state) {
    record->error = kErrMissingArguments;
    return;
  }
  LibErrorCode error = kErrNone;
  cKyData* item = KyDataItem(record, static_cast<Qword>(args->item), &error);
  if (!item) {
    record->error = error;
    return;
  }
  item->processing_state = *args->state;
}

void CmdRestoreItem(KyAppRecord* record) {
  if (KyDataRefuseDuringTask(record)) return;
  cKyData* item = ArgumentItem(record);
  if (!item) return;
  if (record->command == kKyCmdRestoreOldest) {
    // The item carries its as-loaded data, whatever the chain still holds;
    // an item that no snapshot has held yet has none to go back to.
    record->error = item->RestoreAsLoaded();
    return;
  }
  const cKyData* previous = record->data_root->linked;
  const cKyData* source = previous ? previous->Child(ArgumentIndex(record)) : nullptr;
  if (source) record->error = item->CopyFrom(*source);
}

void CmdCopyBlock(KyAppRecord* record) {
  const Qword argument = ArgumentIndex(record);
  const Qword item_index = argument & 0xFFF;
  const Qword block_index = (argument >> 12) & 0xFFFFF;
  LibErrorCode error = kErrNone;
  cKyData* item = KyDataItem(record, item_index, &error);
  cKyData* block = item ? item->Child(block_index) : nullptr;
  if (!block) {
    // A missing item or block is a bad argument, not a lack of memory.
    record->error = item || error == kErrIllegalArgument ? kErrIllegalArgument : error;
    return;
  }
  cKyData* copy_item = new (std::nothrow) cKyData(0);
  cKyData* copy_block = cKyData::NewCopy(*block);
  LibErrorCode e = copy_item && copy_block ? kErrNone : kErrAlloc;
  if (e == kErrNone) {
    copy_item->data_type = item->data_type;
    copy_item->type_name = item->type_name;
    copy_item->file_name = EngineCopyW(item->file_name, &e);
    copy_item->folder = EngineCopyW(item->folder, &e);
    copy_item->full_path = EngineCopyW(item->full_path, &e);
    copy_item->experiment_name = EngineCopyA(item->experiment_name, &e);
    copy_item->parameters = item->parameters;
    if (item->parameters.EntryCount() != copy_item->parameters.EntryCount()) e = kErrAlloc;
  }
  if (e == kErrNone) e = copy_item->parameters.Set("NBLK", "1");
  if (e == kErrNone && copy_item->experiment_name) {
    const Qword n = std::strlen(copy_item->experiment_name);
    if (n >= 2 && std::strcmp(copy_item->experiment_name + n - 2, "/S") == 0) {
      copy_item->experiment_name[n - 2] = '\0';
      e = copy_item->parameters.Set("EXP", copy_item->experiment_name);
    }
  }
  if (e != kErrNone) {
    delete copy_item;
    delete copy_block;
    record->error = kErrAlloc;
    return;
  }
  copy_item->AddChild(copy_block);
  record->data_root->AddChild(copy_item);
}
