// The changes the writer makes to the `acqus` text it puts beside a data
// file it has written, so that the folder describes that data.
#pragma once
#include <string>

#include "base/types.h"

struct BrukerAcqusPatch {
  double gdly = 0;    // written with the digits that read back exactly; NaN keeps the line
  Qword td = 0;       // written as "##$TD= %llu"
  Qword dtypa = 0;    // "##$DTYPA=" and "##$BYTORDA=" are rewritten only
  Qword bytorda = 0;  // when they read differently
  double scale = 1;   // not 1: a comment line records the factor
};

// The comment line that records a sample scale other than 1.
extern const char kBrukerScaleComment[];

// Replaces the line that starts with "##$KEY=" (up to its line end) by
// `line`; false when there is no such line.
bool BrukerReplaceKeyLine(std::string* text, const char* key, const std::string& line);

// The patched text. Lines that are missing stay missing (nothing else of
// the file changes).
std::string BrukerPatchAcqus(const std::string& text, const BrukerAcqusPatch& patch);
