// Where the configuration file lives, decided once per process.
#include <string>

#include "base/memory.h"
#include "base/os_services.h"
#include "base/platform/folder_access.h"
#include "base/platform/process_env.h"
#include "command/config_file.h"
#include "command/config_file_testing.h"

namespace {

std::string AsFolder(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

bool g_override = false;
KyConfigPlace g_override_place;

KyConfigPlace ResolveForProcess() {
  std::string exe;
  if (char* text = OsStringNewCopyA(kOsExecutableFolder)) {
    exe = text;
    KillStringA(&text);
  }
  std::string xdg, home;
  if (!WinEnvironmentVariable("XDG_CONFIG_HOME", &xdg)) xdg.clear();
  if (!WinHomeFolder(&home)) home.clear();
  KyConfigPlace place;
  KyConfigResolvePlace(exe, WinFolderWritable(exe.c_str()), xdg, home, &place);
  return place;
}

}  // namespace

void KyConfigResolvePlace(const std::string& exe_folder, bool exe_writable,
                          const std::string& xdg_config_home, const std::string& home,
                          KyConfigPlace* place) {
  place->folder = AsFolder(exe_folder);
  place->seed.clear();
  if (exe_writable) return;
  std::string base;
  if (!xdg_config_home.empty() && xdg_config_home[0] == '/')
    base = AsFolder(xdg_config_home);
  else if (!home.empty())
    base = AsFolder(home) + ".config/";
  else
    return;  // nowhere else to go: writes report the executable folder's error
  place->folder = base + "pelorin/";
  place->seed = AsFolder(exe_folder);
}

const KyConfigPlace& KyConfigCurrentPlace(void) {
  if (g_override) return g_override_place;
  static const KyConfigPlace resolved = ResolveForProcess();
  return resolved;
}

void KyConfigFolderOverrideForTesting(const char* folder, const char* seed_folder) {
  g_override = folder != nullptr;
  g_override_place.folder = folder ? AsFolder(folder) : std::string();
  g_override_place.seed = seed_folder ? AsFolder(seed_folder) : std::string();
}
