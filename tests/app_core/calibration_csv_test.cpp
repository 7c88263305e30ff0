// The calibration table as CSV: fields quoted as CSV needs, read back with
// Python's csv module; an existing file replaced whole.
#include "app/core/calibration_csv.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string TempFolder() {
  char pattern[] = "/tmp/pelorin_csv_XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? made : "/tmp";
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The rows as Python's csv module reads them, one cell per line with a
// "|" between rows, as repr() texts so that nothing is ambiguous.
std::string ReadWithPython(const std::string& path) {
  const std::string cmd =
      "/usr/bin/python3 -c \"import csv,sys\n"
      "with open(sys.argv[1], newline='') as f:\n"
      "  for row in csv.reader(f): print('|'.join(repr(c) for c in row))\" '" +
      path + "'";
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return "";
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

TEST(CalibrationCsv, Fields) {
  EXPECT_EQ(CsvField("plain"), "plain");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(CsvField(" lead"), "\" lead\"");
}

TEST(CalibrationCsv, HeaderOnlyWithoutRows) {
  EXPECT_EQ(CalibrationCsvText({}), "Select,Folder,C in [%], Q,C out [%]\r\n");
}

TEST(CalibrationCsv, ReadBackByPython) {
  if (access("/usr/bin/python3", X_OK) != 0)
    GTEST_FAIL() << "no /usr/bin/python3 (Debian package python3)";
  const std::string dir = TempFolder();
  const std::string path = dir + "/cal,ib \"x\".csv";
  std::vector<CalibrationCsvRow> rows = {
      {true, "/data/run, 1/si29_c1/", "1", "7642.41", "1.0001"},
      {false, "/data/\"q\"/b", "", "15266", ""},
      {true, "/ä/ü", "2.5", "", ""},
  };
  // A long table grows past any fixed buffer.
  for (int i = 0; i < 300; ++i)
    rows.push_back({true, "/samples/folder_" + std::to_string(i), "1", "2", "3"});
  const std::string text = CalibrationCsvText(rows);
  ASSERT_GT(text.size(), 7692u);
  std::ofstream(path) << "old contents that are longer than nothing";
  ASSERT_EQ(WriteTextReplacing(path, text), 0u);
  EXPECT_EQ(Slurp(path), text);
  const std::string got = ReadWithPython(path);
  std::stringstream lines(got);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), rows.size() + 1);
  EXPECT_EQ(all[0], "'Select'|'Folder'|'C in [%]'|' Q'|'C out [%]'");
  EXPECT_EQ(all[1], "'1'|'/data/run, 1/si29_c1/'|'1'|'7642.41'|'1.0001'");
  EXPECT_EQ(all[2], "'0'|'/data/\"q\"/b'|''|'15266'|''");
  EXPECT_EQ(all[3], "'1'|'/ä/ü'|'2.5'|''|''");
  EXPECT_EQ(all.back(), "'1'|'/samples/folder_299'|'1'|'2'|'3'");
  // Nothing but the file is left in the folder.
  std::string cmd = "ls -A '" + dir + "' | wc -l";
  FILE* p = popen(cmd.c_str(), "r");
  int count = 0;
  ASSERT_EQ(fscanf(p, "%d", &count), 1);
  pclose(p);
  EXPECT_EQ(count, 1);
  std::remove(path.c_str());
  rmdir(dir.c_str());
}

TEST(CalibrationCsv, UnwritableFolderIsAnError) {
  EXPECT_NE(WriteTextReplacing("/nonexistent-folder-pelorin/x.csv", "a\r\n"), 0u);
}

}  // namespace
