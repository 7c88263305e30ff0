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

#include "base/error_codes.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"

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

namespace {

class CalibrationCsvFault : public TempFolderTest {};

std::string SampleTable() {
  std::vector<CalibrationCsvRow> rows;
  for (int i = 0; i < 6; ++i) {
    CalibrationCsvRow r;
    r.use = i % 2 == 0;
    r.folder = "/data/si29, run " + std::to_string(i);
    r.c_in = std::to_string(i + 1);
    r.q = std::to_string(0.25 * i);
    r.c_out = std::to_string(1.01 * (i + 1));
    rows.push_back(r);
  }
  return CalibrationCsvText(rows);
}

// The table written in place of an older one (or as a new file) under a
// write failing at every byte and a failing flush: an error, and the older
// file or none, never a temporary file.
TEST_F(CalibrationCsvFault, FailedWritesLeaveTheOldFileOrNone) {
  const std::string text = SampleTable(), path = Path("calibration.csv");
  for (const bool with_old : {false, true}) {
    for (Qword n = 0; n <= text.size(); ++n) {
      SCOPED_TRACE(testing::Message() << "old " << with_old << " N " << n);
      if (with_old) WriteFile("calibration.csv", "old,table\r\n");
      WriteFaultPlan plan;
      const bool sync_fails = n == text.size();
      plan.fail_after_bytes = sync_fails ? ~Qword{0} : n;
      plan.fail_sync = sync_fails;
      LibErrorCode e;
      {
        WriteFaultGuard guard(plan);
        e = WriteTextReplacing(path, text);
      }
      EXPECT_EQ(e, kErrFileSystem);
      if (with_old) {
        EXPECT_EQ(ReadFile(path), "old,table\r\n");
        EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"calibration.csv"});
      } else {
        EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{});
      }
    }
    ASSERT_EQ(WriteTextReplacing(path, text), 0u);
    EXPECT_EQ(ReadFile(path), text);
    std::remove(path.c_str());
  }
}

// The export through a fresh file: a unique fresh name each time (never
// one of a fixed set that leftovers can use up), leftovers of killed
// exports swept, nothing but the target left.
TEST_F(CalibrationCsvFault, FreshFilesHaveUniqueNamesAndLeaveNothing) {
  const std::string target = Path("plot.svg");
  // Leftovers of exports that were killed.
  for (int i = 0; i < 3; ++i)
    WriteFile("plot.svg.pelorin-0000000" + std::to_string(i) + ".tmp", "killed");
  std::vector<std::string> seen;
  for (int round = 0; round < 3; ++round) {
    const LibErrorCode e = WriteThroughFreshFile(
        target,
        [](const std::string& fresh, void* context) -> LibErrorCode {
          static_cast<std::vector<std::string>*>(context)->push_back(fresh);
          FILE* f = std::fopen(fresh.c_str(), "wbx");
          if (f == nullptr) return kErrFileSystem;
          std::fputs("picture", f);
          std::fclose(f);
          return kErrNone;
        },
        &seen);
    ASSERT_EQ(e, 0u);
  }
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_NE(seen[1], seen[2]);
  EXPECT_EQ(ReadFile(target), "picture");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"plot.svg"});
}

}  // namespace
