// Splitting a Windows-style command line into arguments. Internal.
#pragma once
#include <string>
#include <vector>

// The program name is the first token: up to the next double quote when it
// starts with one, else up to the first blank or tab; backslashes in it are
// plain characters. Each further argument ends at a blank or tab outside
// double quotes; 2n backslashes before a double quote give n backslashes
// and the quote opens or closes a quoted part, 2n + 1 give n backslashes
// and a literal quote; inside a quoted part two double quotes give one
// literal quote; other backslashes are plain. Leading blanks are skipped.
// False only when memory runs out.
bool SplitCommandLine(const std::string& line, std::vector<std::string>* args);
