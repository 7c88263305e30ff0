// Loading a data set into the tree (code 98) and saving a node (code 108).
// Formats the engine does not read or write go to the application through
// messages 30 and 40.
#include <new>

#include "command/command_table.h"
#include "command/data_root.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "data_engine/ky_data.h"

namespace {

bool Asks(const KyAppRecord* record) {
  return record->callback != nullptr && !(record->flags & kKyFlagQuiet);
}

// Imports that replace the whole tree's content: older versions of the
// tree hold another data set, and restoring an item from them would put
// that data over the new one, so the version chain goes.
bool ReplacesTree(Qword data_type) {
  return data_type == kKyDataRelaxCurve || data_type == kKyDataFfcProfile;
}

void DropVersions(cKyData* root) {
  cKyData* chain = root->linked;
  root->linked = nullptr;
  while (chain) {
    cKyData* next = chain->linked;
    chain->linked = nullptr;
    delete chain;
    chain = next;
  }
}

}  // namespace

void CmdLoadData(KyAppRecord* record) {
  const auto* args = static_cast<const LoadDataArgs*>(record->argument);
  if (!args) {
    record->error = kErrMissingArguments;
    return;
  }
  const char16_t* path = nullptr;
  if (args->flags & kKyLoadPathRequired) {
    if (!args->path) {
      record->error = kErrMissingFile;
      return;
    }
    path = args->path;
  }
  bool created = false;
  if (!record->data_root) {
    record->data_root = new (std::nothrow) cKyData(0);
    if (!record->data_root) {
      record->error = kErrAlloc;
      return;
    }
    created = true;
  }
  cKyData* root = record->data_root;
  LibErrorCode error = kErrNone;
  cKyData* added = nullptr;
  if (args->data_type == kKyDataSimulation) {
    added = new (std::nothrow) cKyData(0);
    if (!added) {
      error = kErrAlloc;
    } else {
      root->AddChild(added);
      if (args->text) error = added->parameters.AddLines(args->text);
    }
  }
  if (error == kErrNone) error = root->Import(args->data_type, path);
  if (error == kErrUnknownDataSource && Asks(record)) {
    ReaderRequest request{args->data_type, root, path, nullptr};
    error = KySendMessageWith(record, kKyMsgReadRequest, &request);
  }
  if (error == kErrNone && ReplacesTree(args->data_type)) DropVersions(root);
  if (error != kErrNone) {
    // A failed load leaves the tree as it was: the item made for it goes,
    // and so does a root made for it.
    delete added;
    if (created) {
      delete record->data_root;
      record->data_root = nullptr;
    }
  }
  record->error = error;
}

void CmdSaveData(KyAppRecord* record) {
  auto* args = static_cast<SaveDataArgs*>(record->argument);
  if (!args) {
    record->error = kErrIllegalArgument;
    return;
  }
  cKyData* node = record->data_root;
  if (args->item != -1) {
    LibErrorCode error = kErrNone;
    node = KyDataItem(record, static_cast<Qword>(args->item), &error);
    if (!node) {
      record->error = kErrIllegalArgument;
      return;
    }
    if (args->block != -1) node = node->Child(static_cast<Qword>(args->block));
  }
  args->node = node;
  LibErrorCode error =
      node ? node->Export(args->data_type, args->flags, args->path) : kErrMissingDataObject;
  if (error == kErrUnknownDataSource && Asks(record))
    error = KySendMessageWith(record, kKyMsgWriteRequest, args);
  record->error = error;
}
