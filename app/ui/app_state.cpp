#include "app/ui/app_state.h"

#include <cstdio>
#include <cstring>

void AppInfoDefaults(KyAppInfo* info) {
  std::memset(info, 0, sizeof *info);
  info->text_capacity = kKyTextCapacity;
  info->mode = 2;
  info->app_version[0] = 1;
  info->app_version[1] = 0;
  info->app_version[2] = 10;
}

AppState& App() {
  static AppState* state = [] {
    auto* s = new AppState;
    AppInfoDefaults(&s->info);
    return s;
  }();
  return *state;
}

const char* AppVersionText() {
  static char text[256] = {};
  if (text[0] == 0)
    std::snprintf(text, sizeof text, "%s %u.%u.%u", kAppName, kAppVersion[0], kAppVersion[1],
                  kAppVersion[2]);
  return text;
}
