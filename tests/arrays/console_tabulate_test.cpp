// The console tabulators, driven on a pseudo-terminal; rows checked by the
// bytes of the file (expected rows from Python's "%.15g" formatting).
#include "arrays/console_tabulate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "support/output_file_script.h"
#include "support/pty_run.h"
#include "support/temp_folder.h"

namespace {

class TabulateTest : public TempFolderTest {};

double Third(double x) { return x / 3; }
double ThirdD(double x, Dword p) { return x / p; }
double ThirdQ(double x, Qword p) { return x / static_cast<double>(p); }
double ThirdR(double x, double p) { return x / p; }
double Root(double x) { return std::sqrt(x); }

// Linear grid 0.25..1 with three points (0.25, 0.625, 1), then the destination.
std::vector<PtyStep> Answers(const char* destination) {
  return {{"square):", "0\n"},
          {"Minimum value :", "0.25\n"},
          {"Maximum value :", "1\n"},
          {"Total points  :", "3\n"},
          {"both console and file", destination}};
}

// Runs one tabulator in a child with the file dialog answering `file`
// (empty: cancelled); the exit code is the tabulator's result.
PtyResult Tabulate(const std::function<LibErrorCode()>& call, const std::string& file,
                   const char* destination) {
  return RunInPty(
      [call, file] {
        OutputFileScript::Install(!file.empty(), file);
        return static_cast<int>(call());
      },
      Answers(destination));
}

const char kThirds[] =
    " 0.25\t0.0833333333333333\r\n 0.625\t0.208333333333333\r\n 1\t0.333333333333333\r\n";

TEST_F(TabulateTest, EveryFormWritesTheRowsOfTheGridToTheFile) {
  struct Case {
    const char* name;
    std::function<LibErrorCode()> call;
  };
  const Case cases[] = {
      {"R", [] { return ConTabulateRFunctionR(Third, u"thirds"); }},
      {"RD", [] { return ConTabulateRFunctionRD(ThirdD, u"thirds", 3); }},
      {"RQ", [] { return ConTabulateRFunctionRQ(ThirdQ, u"thirds", 3); }},
      {"RR", [] { return ConTabulateRFunctionRR(ThirdR, u"thirds", 3.0); }},
  };
  for (const Case& c : cases) {
    const std::string file = Path(std::string(c.name) + ".txt");
    PtyResult r = Tabulate(c.call, file, "2\n");
    EXPECT_FALSE(r.timed_out) << c.name;
    EXPECT_EQ(r.exit_code, 0) << c.name << r.output;
    EXPECT_EQ(ReadFile(file), kThirds) << c.name;
    // File only: no header and no rows on the console, the closing rule always.
    EXPECT_EQ(r.output.find("f(x)"), std::string::npos) << c.name;
    EXPECT_EQ(r.output.find(" 0.625\t"), std::string::npos) << c.name;
    EXPECT_NE(r.output.find("\n..................................................\n"),
              std::string::npos);
  }
}

TEST_F(TabulateTest, FifteenSignificantDigitsToBoth) {
  const std::string file = Path("root.txt");
  PtyResult r = Tabulate([] { return ConTabulateRFunctionR(Root, u"root"); }, file, "3\n");
  EXPECT_EQ(r.exit_code, 0) << r.output;
  const std::string rows = " 0.25\t0.5\r\n 0.625\t0.790569415042095\r\n 1\t1\r\n";
  EXPECT_EQ(ReadFile(file), rows);
  EXPECT_NE(r.output.find("\n x\t\t f(x) \n" + rows), std::string::npos) << r.output;
}

TEST_F(TabulateTest, NoFileGivesATrueCodeAndNoRows) {
  // Cancelled: "Undefined file", not the allocation failure.
  for (const char* destination : {"2\n", "3\n"}) {
    PtyResult r = Tabulate([] { return ConTabulateRFunctionR(Third, u"t"); }, "", destination);
    EXPECT_EQ(r.exit_code, 63) << destination;
    EXPECT_EQ(r.output.find("\r\n"), std::string::npos);
  }
  // A file that exists is not overwritten: the file layer's code.
  WriteFile("there.txt", "keep");
  PtyResult r =
      Tabulate([] { return ConTabulateRFunctionR(Third, u"t"); }, Path("there.txt"), "2\n");
  EXPECT_NE(r.exit_code, 0);
  EXPECT_NE(r.exit_code, 1);
  EXPECT_EQ(ReadFile(Path("there.txt")), "keep");
}

TEST(Tabulate, FailedGridQuestionEndsWithItsCode) {
  // No input at all: the minimum cannot be read.
  PtyResult r =
      RunInPty([] { return static_cast<int>(ConTabulateRFunctionR(Third, u"t")); }, {}, false);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 15);
  EXPECT_EQ(r.output.find("\r\n"), std::string::npos);
  EXPECT_EQ(ConTabulateRFunctionR(nullptr, u"t"), 20u);
}

}  // namespace
