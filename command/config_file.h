// The configuration file on disk: its name (asked of the application with
// message 9), its folder, loading, and writing a section back under an
// advisory lock through a temporary file renamed over the old one.
#pragma once
#include <string>

#include "command/config_text.h"
#include "framework/ky_app_record.h"

// Where the file lives: `folder` for reading and writing; `seed` (may be
// empty) is read instead while `folder` holds no file yet. Both end in '/'.
struct KyConfigPlace {
  std::string folder;
  std::string seed;
};

// The executable's folder when the program may write there; else
// $XDG_CONFIG_HOME/pelorin/ (an absolute XDG_CONFIG_HOME only), else
// <home>/.config/pelorin/, starting from the copy in the executable's folder.
void KyConfigResolvePlace(const std::string& exe_folder, bool exe_writable,
                          const std::string& xdg_config_home, const std::string& home,
                          KyConfigPlace* place);
// The place in force: resolved once per process, or the tests' override.
const KyConfigPlace& KyConfigCurrentPlace(void);

// The file name for the application: "<name>.config", or "config.txt"
// without a name. 0, or 59 for a name that cannot name a file here (longer
// than 42 characters, or holding '/'), or the allocation failure.
Dword KyConfigFileName(KyAppRecord* record, std::string* name);

// A section's text as a new block (freed with code 124), or null.
char* KyConfigRead(KyAppRecord* record, KyConfigSection section, Dword* error);
// Writes a built body into the section: 0 or the error code.
Dword KyConfigWrite(KyAppRecord* record, KyConfigSection section, const std::string& body);
