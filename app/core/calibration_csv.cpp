#include "app/core/calibration_csv.h"

#include "app/core/bruker_files.h"

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
