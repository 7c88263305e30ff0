// The configuration file's text, read and edited in memory: the
// discriminator line, the three sections and their bodies. The file layer
// (config_file.cpp) loads the bytes, and writes the edited bytes back in
// one piece.
//
// Headers count only as whole lines outside the body of another section,
// so a script or setup line that reads like a header stays what it is.
#pragma once
#include <string>

#include "base/types.h"

enum KyConfigSection : Dword {
  kKyConfigRecentFiles = 0,
  kKyConfigUserScript = 1,
  kKyConfigSetup = 2,
};

// Most entries of the recent-files section.
constexpr Qword kKyConfigMaxRecent = 30;

// True when the first non-blank bytes within the first 100 begin with the
// discriminator text.
bool KyConfigHasDiscriminator(const std::string& file);

// The section's text as its reader answers it; false when the reader
// answers null (no discriminator, no section, no entry, no quoted script).
bool KyConfigReadSection(const std::string& file, KyConfigSection section, std::string* text);

// The body the writer inserts, built from the caller's text; line breaks
// become CR LF. Answers 0 with the body, -1 when the text is empty (the
// writer does nothing), or an error code when the text cannot be stored
// without breaking the file (a quote inside the script or the path, a line
// break inside the path, an empty line inside the setup).
Dword KyConfigBuildScriptBody(const char* script, std::string* body);
Dword KyConfigBuildSetupBody(const char* setup, std::string* body);
Dword KyConfigBuildRecentEntry(const char* path, Qword data_type, std::string* entry);

// The new file after writing `body` (as built above) into `section`.
// `exists` false: the file is new.
std::string KyConfigWriteSection(const std::string& file, bool exists, KyConfigSection section,
                                 const std::string& body);

// True when `updated` (the file after writing `body` into `section`) reads
// back as the writer meant: the section answers the new text and every
// other section answers what it answered in `file`.
bool KyConfigKeepsSections(const std::string& file, const std::string& updated,
                           KyConfigSection section, const std::string& body);
