// The comma-separated export: exact texts for the flag cases, files read
// back with Python's csv module, and the correctly rounded number format.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/memory.h"
#include "data_engine/csv_number.h"
#include "data_engine/engine_text.h"
#include "data_engine/ky_data.h"
#include "support/temp_folder.h"

namespace {

// A node of `rows` rows and `points` points: row 0 = 0.5 p, row r = 10 r + p.
cKyData* Block(Qword rows, Qword points) {
  auto* n = new cKyData(0);
  n->SetSize(points, rows, 1, 0.0, 0.5 * static_cast<double>(points - 1));
  for (Qword r = 0; r < rows; ++r)
    for (Qword p = 0; p < points; ++p)
      n->Row(r)[p] = r == 0 ? 0.5 * static_cast<double>(p) : static_cast<double>(10 * r + p);
  return n;
}

class CsvExportTest : public TempFolderTest {
 protected:
  std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }
  // Exports and returns the file's bytes ("" and the error on failure).
  std::string Export(cKyData* node, Dword flags, const std::string& name,
                     LibErrorCode* error = nullptr) {
    const std::u16string path = U16(Path(name));
    const LibErrorCode e = ExportCsv(node, flags, path.c_str());
    if (error) *error = e;
    EXPECT_TRUE(error || e == kErrNone) << e;
    return e == kErrNone ? ReadFile(Path(name)) : "";
  }
};

TEST_F(CsvExportTest, PlainBlockHasOnlyDataLines) {
  cKyData* b = Block(3, 4);
  EXPECT_EQ(Export(b, 0, "plain.csv"),
            ",0,10.0000,20.0000\r\n,0.500000,11.0000,21.0000\r\n,1.00000,12.0000,22.0000\r\n"
            ",1.50000,13.0000,23.0000\r\n");
  ASSERT_NE(b->last_csv_path, nullptr);
  EXPECT_EQ(std::u16string(b->last_csv_path), U16(Path("plain.csv")));
  // An existing file is never replaced, and the last path stays.
  LibErrorCode e = kErrNone;
  KillPtr(&b->last_csv_path);
  Export(b, 0, "plain.csv", &e);
  EXPECT_EQ(e, kErrIllegalFileName);
  EXPECT_EQ(b->last_csv_path, nullptr);
  EXPECT_EQ(b->Export(kKyDataExcel, 0, nullptr), kErrUndefinedFile);  // no dialog answers
  EXPECT_EQ(b->Export(kKyDataBruker, 0, nullptr), kErrUnknownDataSource);
  EXPECT_EQ(b->Export(kKyDataJson, 0, nullptr), kErrNotYetImplemented);
  delete b;
}

// A write that fails half way (here the file-size limit of a child
// process, which the system reports like a full disk) reports it and
// leaves no truncated file behind.
TEST_F(CsvExportTest, FailedWriteLeavesNoPartialFile) {
  const std::string name = Path("big.csv");
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    cKyData* b = Block(3, 20000);
    const std::u16string path = U16(name);
    const LibErrorCode e = ExportCsv(b, 0, path.c_str());
    const bool gone = access(name.c_str(), F_OK) != 0;
    _exit(e == kErrDiskFull && gone && b->last_csv_path == nullptr ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(access(name.c_str(), F_OK), 0);
}

TEST_F(CsvExportTest, ChildrenSideBySide) {
  cKyData item(0);
  item.AddChild(Block(3, 2));
  item.AddChild(Block(3, 2));
  EXPECT_EQ(Export(&item, kCsvChildren, "c1.csv"),
            "Block,1,,,2\r\n,0,10.0000,20.0000,0,10.0000,20.0000\r\n"
            ",0.500000,11.0000,21.0000,0.500000,11.0000,21.0000\r\n");
  EXPECT_EQ(Export(&item, kCsvChildren | kCsvXOnce, "c11.csv"),
            "Block,,1,,2\r\n,0,10.0000,20.0000,10.0000,20.0000\r\n"
            ",0.500000,11.0000,21.0000,11.0000,21.0000\r\n");
  // A shorter child leaves empty fields; the fewest rows decide R.
  item.AddChild(Block(2, 1));
  EXPECT_EQ(Export(&item, kCsvChildren | kCsvNoX, "short.csv"),
            "Block,1,2,3\r\n,10.0000,10.0000,10.0000\r\n,11.0000,11.0000,\r\n");
  // The linked node wins over the children.
  item.linked = Block(2, 1);
  EXPECT_EQ(Export(&item, kCsvChildren | kCsvLinked, "linked.csv"), ",0,10.0000\r\n");
  cKyData empty(0);
  LibErrorCode e = kErrNone;
  Export(&empty, kCsvChildren, "none.csv", &e);
  EXPECT_EQ(e, kErrMissingDataObject);
  Export(&empty, 0, "none.csv", &e);
  EXPECT_EQ(e, kErrMissingInputData);
}

TEST_F(CsvExportTest, HeaderSections) {
  cKyData* b = Block(3, 2);
  for (Qword k = 0; k < kKyDataResultCount; ++k) b->results[k] = static_cast<double>(k) + 0.25;
  b->row_flags[2] = 2;
  b->point_flags[1] = 0x1F;
  EXPECT_EQ(Export(b, kCsvNoX | kCsvChannels | kCsvTwoRows | kCsvResults, "x8.csv"),
            "Results,1.25000000000000\r\n\r\nChn,1\r\n,10.0000\r\n,11.0000\r\n");
  EXPECT_EQ(Export(b, kCsvFlags | kCsvPointFlags | kCsvTwoRows, "flags.csv"),
            "Flags,0,0\r\n0,0,10.0000\r\n1F,0.500000,11.0000\r\n");
  const std::string q = Export(b, kCsvQval | kCsvNoX, "q.csv");
  EXPECT_EQ(q.substr(0, q.find("Qval3")), "Qval0,NaN,NaN\r\nQval1,NaN,NaN\r\nQval2,NaN,NaN\r\n");
  EXPECT_NE(q.find("Qval4,10.5000,20.5000\r\nQval5,10.0000,20.0000\r\nQval6,11.0000,21.0000\r\n"),
            std::string::npos);
  EXPECT_NE(q.find("Qval9,1.00000,1.00000\r\n"), std::string::npos);
  // The export computed into a copy: the node's statistics are untouched.
  EXPECT_TRUE(std::isnan(*b->StatisticSlot(1, kKyStatMean)));
  EXPECT_TRUE(std::isnan(*b->StatisticSlot(1, kKyStatScale)));
  delete b;
}

// Files read back with Python's csv module: every field count and number.
TEST_F(CsvExportTest, PythonCsvReadsTheFilesBack) {
  cKyData item(0);
  item.AddChild(Block(3, 5));
  item.AddChild(Block(3, 5));
  item.Child(1)->Row(2)[3] = -0.02;
  item.Child(1)->Row(1)[4] = 1e-7;
  for (Qword k = 0; k < kKyDataResultCount; ++k) item.results[k] = 1.0 / (k + 3.0);
  struct Case {
    Dword flags;
    const char* expect;  // lines, fields of a data line, sum of the data values
  };
  // Block 1: x 0..2 (sum 5), rows 10..14 and 20..24 (60, 110); block 2 the
  // same with 14 -> 1e-7 and 23 -> -0.02 (x 5, 46.0000001, 86.98).
  const Case cases[] = {
      {kCsvChildren, "6 7 312.98"},
      {kCsvChildren | kCsvXOnce, "6 6 307.98"},
      {0x344 | kCsvChildren, "38 7 312.98"},
  };
  for (const Case& c : cases) {
    const std::string name = "py" + std::to_string(c.flags) + ".csv";
    Export(&item, c.flags, name);
    const std::string cmd =
        "/usr/bin/python3 -c \"import csv,sys\n"
        "rows=list(csv.reader(open(sys.argv[1],newline='')))\n"
        "data=rows[-5:]\n"
        "assert all(len(r)==len(data[0]) for r in data)\n"
        "s=sum(float(x) for r in data for x in r[1:] if x)\n"
        "print(len([r for r in rows if r]) , len(data[0]), '%.2f' % s)\" " +
        Path(name) + " > " + Path(name + ".out");
    ASSERT_EQ(std::system(cmd.c_str()), 0) << c.flags;
    std::string out = ReadFile(Path(name + ".out"));
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    EXPECT_EQ(out, c.expect) << c.flags;
  }
}

// With only the first two rows written, the statistics are still those of
// the exported node: the largest magnitude and power of its complex rows 1
// and 2. Probe: x = 0.5 p, real part p + 1, imaginary part p^2 (p = 0..3);
// the largest |re + i im|^2 is 4^2 + 9^2 = 97 at p = 3.
TEST_F(CsvExportTest, TwoRowStatisticsComeFromTheWholeNode) {
  cKyData* b = Block(3, 4);
  for (Qword p = 0; p < 4; ++p) {
    b->Row(1)[p] = static_cast<double>(p) + 1.0;
    b->Row(2)[p] = static_cast<double>(p * p);
  }
  std::vector<double> before(b->row_statistics, b->row_statistics + 3 * kKyStatCount);
  const std::string text = Export(b, kCsvTwoRows | kCsvQval, "q2.csv");
  // Statistics 0 to 3 are whatever the node holds or estimates (nothing
  // computed here, and the noise estimate); the same calls on a copy.
  cKyData copy(0);
  ASSERT_EQ(copy.CopyFrom(*b), kErrNone);
  std::string held;
  for (Qword k = 0; k < 4; ++k) {
    held += "Qval" + std::to_string(k);
    for (Qword r = 0; r < 2; ++r) {
      char field[48];
      CsvRealText(copy.RowStatistic(r, k), 6, field);
      held += std::string(",") + field;
    }
    held += "\r\n";
  }
  EXPECT_EQ(text,
            held +
                "Qval4,0.750000,2.50000\r\n"  // means of 0, .5, 1, 1.5 and 1..4
                "Qval5,0,1.00000\r\n"
                "Qval6,1.50000,4.00000\r\n"
                "Qval7,9.84886,9.84886\r\n"  // sqrt(97)
                "Qval8,97.0000,97.0000\r\n"
                "Qval9,1.00000,1.00000\r\n"
                ",0,1.00000\r\n,0.500000,2.00000\r\n,1.00000,3.00000\r\n,1.50000,4.00000\r\n");
  // The export leaves the node's cached statistics as they were.
  for (Qword i = 0; i < before.size(); ++i) {
    const double now = b->row_statistics[i];
    EXPECT_TRUE(now == before[i] || (std::isnan(now) && std::isnan(before[i]))) << i;
  }
  // Python's csv module: 14 records of three fields, the magnitude and
  // power fields the closed forms, the same as without 0x20.
  Export(b, kCsvQval, "q3.csv");
  const std::string cmd =
      "/usr/bin/python3 -c \"import csv,sys,math\n"
      "two=list(csv.reader(open(sys.argv[1],newline='')))\n"
      "three=list(csv.reader(open(sys.argv[2],newline='')))\n"
      "assert len(two)==14 and all(len(r)==3 for r in two), two\n"
      "q=dict((r[0],r[1:]) for r in two if r[0])\n"
      "q3=dict((r[0],r[1:]) for r in three if r[0])\n"
      "assert all(abs(float(v)-math.sqrt(97))<=5e-6*math.sqrt(97) for v in q['Qval7']), q\n"
      "assert all(float(v)==97.0 for v in q['Qval8']), q\n"
      "assert q['Qval7']==q3['Qval7'][:2] and q['Qval8']==q3['Qval8'][:2], (q,q3)\n"
      "print('ok')\" " +
      Path("q2.csv") + " " + Path("q3.csv") + " > " + Path("q.out");
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(ReadFile(Path("q.out")), "ok\n");
  delete b;
}

TEST(CsvNumber, RoundedToTheDigits) {
  struct Case {
    double x;
    int digits;
    const char* text;
  };
  const Case cases[] = {
      {-0.02, 6, "-0.0200000"},
      {0.00123, 6, "0.00123000"},
      {1e-7, 6, "1.00000e-7"},
      {123456789.0, 6, "1.23457e8"},
      {999999.7, 6, "1.00000e6"},
      {123456.0, 6, "123456."},
      {100.0, 6, "100.000"},
      {0.5, 6, "0.500000"},
      {9.99e-4, 6, "9.99000e-4"},
      {12345.65, 15, "12345.6500000000"},
      {1.0 / 3, 15, "0.333333333333333"},
      {5e-300, 6, "5.00000e-300"},
      {0.0, 6, "0"},
      {std::nan(""), 6, "NaN"},
      {INFINITY, 6, "+INF"},
      {-INFINITY, 6, "-INF"},
  };
  for (const Case& c : cases) {
    char buffer[48];
    const Qword n = CsvRealText(c.x, c.digits, buffer);
    EXPECT_STREQ(buffer, c.text) << c.x;
    EXPECT_EQ(n, std::string(c.text).size());
  }
  // Read back, a written value is the value rounded to the digits.
  for (double x : {0.1, -2.5e-9, 7.0 / 9, 1e22, 6.02214076e23}) {
    char buffer[48];
    CsvRealText(x, 17, buffer);
    EXPECT_EQ(std::strtod(buffer, nullptr), x) << buffer;
  }
}

}  // namespace
