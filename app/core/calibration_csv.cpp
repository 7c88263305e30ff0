#include "app/core/calibration_csv.h"

#include "app/core/bruker_files.h"
#include "base/error_codes.h"
#include "base/file_temp.h"
#include "base/files.h"

std::string CsvField(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CalibrationCsvText(const std::vector<CalibrationCsvRow>& rows) {
  std::string text = "Select,Folder,C in [%], Q,C out [%]\r\n";
  for (const CalibrationCsvRow& r : rows) {
    text += r.use ? "1" : "0";
    for (const std::string* f : {&r.folder, &r.c_in, &r.q, &r.c_out}) text += "," + CsvField(*f);
    text += "\r\n";
  }
  return text;
}

LibErrorCode WriteTextReplacing(const std::string& path, const std::string& text) {
  return BrukerWriteFileSafely(path, text);
}

LibErrorCode WriteThroughFreshFile(const std::string& target,
                                   LibErrorCode (*write)(const std::string& fresh, void* context),
                                   void* context) {
  // A unique name the writer creates as a new file: a temporary name of the
  // target, reserved and freed again (a writer that cannot create it new
  // fails safely). A leftover of a killed export is swept like any other
  // temporary file of the target.
  char reserved[4096];
  Qlong handle = FileTempCreateA(target.c_str(), nullptr, reserved, sizeof reserved);
  if (handle == -1) return kErrFileSystem;
  const std::string fresh = reserved;
  FileTempAbandonA(&handle, reserved);
  LibErrorCode error = write(fresh, context);
  if (error == kErrNone) {
    std::string bytes;
    error = BrukerReadWholeFile(fresh, ~Qword{0}, &bytes);
    if (error == kErrNone) error = WriteTextReplacing(target, bytes);
  }
  if (BrukerFileExists(fresh)) FileDeleteA(fresh.c_str());
  return error;
}
