// Test-only: redirects the configuration file to a folder of the test's
// own (and an optional seed folder read while it holds no file). A null
// folder goes back to the folder resolved for the process.
#pragma once

void KyConfigFolderOverrideForTesting(const char* folder, const char* seed_folder);
