// The calibration table as comma-separated text, and text files written in
// place of an existing file in one step.
#pragma once
#include <string>
#include <vector>

#include "base/types.h"

struct CalibrationCsvRow {
  bool use = false;
  std::string folder;  // the row's folder as the table shows it (UTF-8)
  std::string c_in, q, c_out;
};

// A field as CSV needs it: quoted (quotes doubled) when it holds a comma, a
// quote, a line break or blanks at either end; otherwise as it is.
std::string CsvField(const std::string& text);

// "Select,Folder,C in [%], Q,C out [%]" and one line per row, CR LF.
std::string CalibrationCsvText(const std::vector<CalibrationCsvRow>& rows);

// Writes the text to `path` (UTF-8), replacing an existing file so that an
// interruption leaves the old file or the new one. 0, or a file error.
LibErrorCode WriteTextReplacing(const std::string& path, const std::string& text);

// Has `write` make the file at a fresh path beside `target` (a new file the
// writer may create as new), then puts it in place of the target in one
// step and removes the fresh file. The writer's error, or 48.
LibErrorCode WriteThroughFreshFile(const std::string& target,
                                   LibErrorCode (*write)(const std::string& fresh, void* context),
                                   void* context);
