#include "app/ui/app_state.h"

#include <cstdio>

void AppInfoDefaults(KyAppInfo* info) { KyAppInfoInit(info); }

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
