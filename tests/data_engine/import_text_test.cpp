// Two-column text files of relaxation curves and dispersion profiles.
#include <cmath>
#include <cstdio>
#include <string>

#include "base/error_detail.h"
#include "data_engine/ky_data.h"
#include "support/temp_folder.h"
#include "tree_fixture.h"

namespace {

class ImportTextTest : public TempFolderTest {
 protected:
  std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }
  LibErrorCode ImportCurve(cKyData* root, const std::string& name, const std::string& text) {
    WriteFile(name, text);
    return root->Import(kKyDataRelaxCurve, U16(Path(name)).c_str());
  }
};

TEST_F(ImportTextTest, CurveReplacesTheTreeAndKeepsTheVersions) {
  cKyData* root = NewTestTree(2, 2, 4);
  root->linked = NewTestTree(1, 1, 2);
  ASSERT_EQ(ImportCurve(root, "c.txt", "// one\n  // two\n\n1, 2\n3 4\n\n5,6\n"), 0u);
  EXPECT_EQ(root->Height(), 1u);
  ASSERT_EQ(root->ChildCount(), 1u);
  EXPECT_NE(root->linked, nullptr);
  cKyData* item = root->Child(0);
  EXPECT_EQ(item->data_type, kKyDataRelaxCurve);
  EXPECT_STREQ(item->type_name, "RELAXCURVE");
  EXPECT_STREQ(item->experiment_name, "Relax Curve");
  ASSERT_EQ(item->points, 2u);
  EXPECT_EQ(item->Row(0)[1], 3.0);
  EXPECT_EQ(item->Row(1)[1], 4.0);
  EXPECT_EQ(item->x_first, 1.0);
  EXPECT_EQ(item->x_last, 3.0);
  EXPECT_EQ(std::u16string(item->file_name), u"c.txt");
  EXPECT_EQ(std::u16string(item->full_path), U16(Path("c.txt")));
  char value[1024];
  item->parameters.GetString("NBLK", value);
  EXPECT_STREQ(value, "2");
  item->parameters.GetString("EXP", value);
  EXPECT_STREQ(value, "Relax Curve");
  EXPECT_EQ(item->parameters.GetReal("BEND"), 3.0);
  delete root;
}

TEST_F(ImportTextTest, BadFilesLeaveTheNodeAsItWasAndNameTheLine) {
  struct Case {
    const char* text;
    LibErrorCode error;
    const char* detail;  // after "<path>: "
  };
  const Case cases[] = {
      {"1 ,2\n", kErrWrongInputFormat, "line 1 does not start with two numbers"},
      {"1, 2\nword\n", kErrWrongInputFormat, "line 2 does not start with two numbers"},
      {"1\n", kErrWrongInputFormat, "line 1 does not start with two numbers"},
      {"// only a remark\n\n", kErrIllegalFormat, "no data lines"},
      {"", kErrIllegalFormat, "no data lines"},
      // Values that are no measurements.
      {"// t, M\n1, 2\nnan, 3\n", kErrWrongInputFormat, "line 3 holds a value that is not finite"},
      {"1, 2\n2, 1e999\n", kErrWrongInputFormat, "line 2 holds a value that is not finite"},
      {"1 -inf\n", kErrWrongInputFormat, "line 1 holds a value that is not finite"},
      {"\n1, 2\n2,NAN\n", kErrWrongInputFormat, "line 3 holds a value that is not finite"},
      {"1e-320, -1e308\ninfinity 1\n", kErrWrongInputFormat,
       "line 2 holds a value that is not finite"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    cKyData* root = NewTestTree(2, 1, 3);
    LibErrorDetailSetA(c.error, "stale");
    EXPECT_EQ(ImportCurve(root, "bad.txt", c.text), c.error);
    ASSERT_NE(LibErrorDetailA(c.error), nullptr);
    EXPECT_EQ(std::string(LibErrorDetailA(c.error)), Path("bad.txt") + ": " + c.detail);
    EXPECT_EQ(root->ChildCount(), 2u);
    EXPECT_EQ(root->Child(1)->Child(0)->Row(1)[0], 100.0);
    delete root;
    std::remove(Path("bad.txt").c_str());
  }
  // The largest finite values and subnormals are measurements.
  cKyData good(0);
  EXPECT_EQ(ImportCurve(&good, "edge.txt", "1e-320, -1.7976931348623157e308\n2 5e-324\n"), 0u);
  ASSERT_EQ(good.ChildCount(), 1u);
  EXPECT_EQ(good.Child(0)->Row(1)[0], -1.7976931348623157e308);
  cKyData root(0);
  EXPECT_EQ(root.Import(kKyDataRelaxCurve, U16(Path("missing.txt")).c_str()), kErrIllegalFormat);
  EXPECT_EQ(root.Import(kKyDataRelaxCurve, nullptr), kErrUndefinedFile);  // the dialog is cancelled
  EXPECT_EQ(root.Import(kKyDataBruker, nullptr), kErrUnknownDataSource);
  EXPECT_EQ(root.Import(kKyDataXml, nullptr), kErrNotYetImplemented);
}

TEST_F(ImportTextTest, ManyPairsAndALastLineWithoutEnd) {
  std::string text;
  for (int i = 0; i < 257; ++i) text += std::to_string(i) + "," + std::to_string(2 * i) + "\r\n";
  text += "257,514";
  cKyData root(0);
  ASSERT_EQ(ImportCurve(&root, "many.txt", text), 0u);
  cKyData* item = root.Child(0);
  ASSERT_EQ(item->points, 258u);
  for (Qword i = 0; i < 258; ++i) {
    EXPECT_EQ(item->Row(0)[i], static_cast<double>(i));
    EXPECT_EQ(item->Row(1)[i], static_cast<double>(2 * i));
  }
}

TEST_F(ImportTextTest, ProfileMakesTheRootTheData) {
  cKyData* root = NewTestTree(1, 1, 2);
  root->linked = new cKyData(0);
  WriteFile("p.txt", "0.01 5\n0.1 4\n1 3.5\n");
  ASSERT_EQ(root->Import(kKyDataFfcProfile, U16(Path("p.txt")).c_str()), 0u);
  EXPECT_EQ(root->ChildCount(), 0u);
  EXPECT_EQ(root->Height(), 0u);
  EXPECT_NE(root->linked, nullptr);
  EXPECT_EQ(root->data_type, kKyDataFfcProfile);
  EXPECT_STREQ(root->experiment_name, "FFC Profile");
  ASSERT_EQ(root->points, 3u);
  EXPECT_EQ(root->Row(1)[2], 3.5);
  EXPECT_EQ(root->x_first, 0.01);
  delete root;
}

}  // namespace
