// Folders whose parameter texts hold "=": the parameter store ends a value at
// its first "=", so the reader keeps such an entry out of the item and loads
// the rest. The independent Python reader sees the same texts and samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/core/bruker_reader.h"
#include "support/temp_folder.h"
#include "tests/app_core/acqus_builder.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

// The text with its title line saying `title`.
std::string Retitled(std::string acqus, const std::string& title) {
  const std::string old = "Parameter file";
  return acqus.replace(acqus.find(old), old.size(), title);
}

class BrukerEquals : public TempFolderTest {
 protected:
  // TD 8 (4 points), DTYPA 0: one block of 32 bytes, padded to 1024.
  static std::string Block() {
    std::string bytes(1024, '\0');
    for (int i = 0; i < 8; ++i) bytes[4 * i] = static_cast<char>(i + 1);
    return bytes;
  }
  // Writes the folder and loads its fid into a fresh root.
  LibErrorCode WriteAndLoad(const std::string& acqus, const char* difflist, cKyData* root) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directory(dir_);
    WriteFile("acqus", acqus);
    if (difflist) WriteFile("difflist", difflist);
    WriteFile("fid", Block());
    const std::u16string path = Wide(Path("fid"));
    return LoadBrukerData(root, path.c_str());
  }
};

TEST_F(BrukerEquals, TextsWithAnEqualsSignStayOutAndTheFolderLoads) {
  const AcqusBuilder base = AcqusBuilder().Set("TD", " 8");
  // The same folder without any "=" in a value: the entries every case
  // keeps.
  cKyData clean_root(0);
  ASSERT_EQ(WriteAndLoad(base.Text(), "1.5\n2.5\n", &clean_root), 0u);
  const auto clean = EntriesOf(*clean_root.FirstChild());

  struct Case {
    const char* name;
    std::string acqus;
    const char* difflist;
    const char* python_key;  // the record whose text holds "=" (python's label)
    std::set<std::string> left_out;
  } cases[] = {
      {"pulse program",
       AcqusBuilder(base).Set("PULPROG", " <zg=30>").Text(),
       "1.5\n2.5\n",
       "PULPROG",
       {"PULPROG"}},
      {"nuclide",
       AcqusBuilder(base).Set("NUC1", " <29Si=x>").Text(),
       "1.5\n2.5\n",
       "NUC1",
       {"NUC"}},
      {"offset value",
       AcqusBuilder(base).Set("O1", " 1200 = 0").Text(),
       "1.5\n2.5\n",
       "O1",
       {"F1"}},
      {"title and a comment parameter",
       Retitled(AcqusBuilder(base).Set("X", " <a=b>").Text(), "T=1 ratio a=b"),
       "1.5\n2.5\n",
       "X",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cKyData root(0);
    ASSERT_EQ(WriteAndLoad(c.acqus, c.difflist, &root), 0u);
    ASSERT_EQ(root.ChildCount(), 1u);
    const cKyData& item = *root.FirstChild();

    // Every entry of the clean folder but the left-out ones, in order and
    // with the same texts; nothing that holds "=".
    std::vector<std::pair<std::string, std::string>> expected;
    for (const auto& e : clean)
      if (!c.left_out.count(e.first)) expected.push_back(e);
    EXPECT_EQ(EntriesOf(item), expected);
    for (const std::string& name : c.left_out)
      EXPECT_EQ(EntryOf(item, name.c_str()), "<missing>") << name;

    // The independent reader finds the "=" in the text and the same samples.
    const PyFolder py = ReadWithPython(dir_);
    ASSERT_EQ(py.status, 0);
    if (c.python_key) {
      ASSERT_TRUE(py.records.count(c.python_key)) << c.python_key;
      EXPECT_NE(py.records.at(c.python_key).find('='), std::string::npos);
    } else {
      ASSERT_FALSE(py.difflist.empty());
      EXPECT_EQ(py.difflist.front(), "g=1.5");
    }
    ASSERT_EQ(py.blocks, 1u);
    ASSERT_EQ(item.ChildCount(), 1u);
    const cKyData& block = *item.FirstChild();
    ASSERT_EQ(block.points, py.points);
    for (size_t k = 0; k < py.points; ++k) {
      EXPECT_EQ(block.Row(1)[k], py.samples[0][k].first);
      EXPECT_EQ(block.Row(2)[k], py.samples[0][k].second);
    }
  }
}

// The DOSY delays come from the pulse program's own text, so a program
// named with "=" still gives them, although its entry stays out.
TEST_F(BrukerEquals, DosyDelaysComeFromTheTextItself) {
  const AcqusBuilder acqus = AcqusBuilder().Set("TD", " 8").Set("PULPROG", " <stebpgp=1s>");
  cKyData root(0);
  ASSERT_EQ(WriteAndLoad(acqus.Text(), nullptr, &root), 0u);
  const cKyData& item = *root.FirstChild();
  EXPECT_EQ(EntryOf(item, "PULPROG"), "<missing>");
  const PyFolder py = ReadWithPython(dir_);
  ASSERT_EQ(py.status, 0);
  // Kind 2 (a "stebp" program): LITDEL = 2 g, BIGDEL = DIFFT - GREC / 2,
  // with g = PGRAD x 1e-6 s, from the items the Python reader lists.
  const double pgrad = std::stod(Item(py.records.at("P"), 30));
  const double difft = std::stod(Item(py.records.at("D"), 20));
  const double grec = std::stod(Item(py.records.at("D"), 16));
  EXPECT_DOUBLE_EQ(std::stod(EntryOf(item, "LITDEL")), 2 * pgrad * 1e-6);
  EXPECT_DOUBLE_EQ(std::stod(EntryOf(item, "BIGDEL")), difft - 0.5 * grec);
}

}  // namespace
