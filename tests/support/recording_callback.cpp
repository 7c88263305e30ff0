#include "recording_callback.h"

namespace {
RecordingCallback* g_active = nullptr;
}

void RecordingCallback::Install(KyAppRecord* record) {
  record_ = record;
  g_active = this;
  if (record) record->callback = &RecordingCallback::Dispatch;
}

void RecordingCallback::Uninstall() {
  if (g_active == this) g_active = nullptr;
  if (record_ && record_->callback == &RecordingCallback::Dispatch) record_->callback = nullptr;
  record_ = nullptr;
}

Dword RecordingCallback::Dispatch(Dword message, KyAppRecord* record) {
  RecordingCallback* self = g_active;
  if (!self) return 0;
  self->log_.push_back({message, record->command, record->error, record->argument});
  auto it = self->handlers_.find(message);
  return it == self->handlers_.end() ? 0 : it->second(record);
}

std::vector<Dword> RecordingCallback::Messages() const {
  std::vector<Dword> out;
  for (const auto& m : log_) out.push_back(m.message);
  return out;
}

size_t RecordingCallback::Count(Dword message) const {
  size_t n = 0;
  for (const auto& m : log_) n += m.message == message;
  return n;
}
