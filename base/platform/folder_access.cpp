#include "base/platform/folder_access.h"

#include <sys/stat.h>
#include <unistd.h>

bool WinFolderWritable(const char* folder) {
  struct stat st;
  if (folder == nullptr || folder[0] == 0 || stat(folder, &st) != 0 || !S_ISDIR(st.st_mode))
    return false;
  return access(folder, W_OK | X_OK) == 0;
}
