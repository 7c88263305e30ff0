#include "framework/ky_app_record.h"

#include <cstring>

void KyAppInfoInit(KyAppInfo* info) {
  std::memset(info, 0, sizeof *info);
  info->text_capacity = kKyTextCapacity;
  info->mode = 2;
  info->app_version[0] = 1;
  info->app_version[1] = 0;
  info->app_version[2] = 10;
}

Dword KySendMessage(KyAppRecord* record, Dword message) {
  if (record == nullptr || record->callback == nullptr) return 0;
  if ((record->flags & kKyFlagQuiet) != 0 && message != kKyMsgAppName) return 0;
  return record->callback(message, record);
}

Dword KySendMessageWith(KyAppRecord* record, Dword message, void* argument) {
  if (record == nullptr) return 0;
  void* kept = record->argument;
  record->argument = argument;
  Dword answer = KySendMessage(record, message);
  record->argument = kept;
  return answer;
}
