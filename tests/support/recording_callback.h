// A recording command callback: every framework message the library sends
// through a record is logged with the record's command, error and argument
// at that moment, so frames, engine reports and progress messages are tested
// without the program. Optional per-message handlers answer or act (issue a
// nested command, set the result, stop a fit).
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/ky_app_record.h"

struct RecordedMessage {
  Dword message;
  Dword command;
  Dword error;
  void* argument;
};

class RecordingCallback {
 public:
  using Handler = std::function<Dword(KyAppRecord*)>;

  // Installs this recorder on the record (replacing any callback); only one
  // recorder is active at a time.
  void Install(KyAppRecord* record);
  // Removes the recorder from the record it was installed on.
  void Uninstall();
  ~RecordingCallback() { Uninstall(); }

  void On(Dword message, Handler handler) { handlers_[message] = std::move(handler); }
  void Clear() { log_.clear(); }

  const std::vector<RecordedMessage>& Log() const { return log_; }
  // The message numbers in the order they came.
  std::vector<Dword> Messages() const;
  size_t Count(Dword message) const;

 private:
  static Dword Dispatch(Dword message, KyAppRecord* record);
  KyAppRecord* record_ = nullptr;
  std::vector<RecordedMessage> log_;
  std::map<Dword, Handler> handlers_;
};
