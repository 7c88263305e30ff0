// Loading the sample folders: every parameter text against the records
// that the independent Python reader finds, every sample against its
// decoding, the block layout; and a table of malformed folders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/core/bruker_reader.h"
#include "base/utf.h"
#include "support/alloc_failure.h"
#include "support/temp_folder.h"
#include "tests/app_core/acqus_builder.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

LibErrorCode Load(cKyData* root, const std::string& path) {
  const std::u16string w = [&] {
    std::u16string s(path.size() * 2 + 1, u'\0');
    s.resize(Utf8ToUtf16(path.c_str(), kNoIndex, s.data(), s.size()));
    return s;
  }();
  return LoadBrukerData(root, w.c_str());
}

std::string Angle(const std::string& v) {
  return v.size() >= 2 && v.front() == '<' && v.back() == '>' ? v.substr(1, v.size() - 2) : v;
}

TEST(BrukerLoad, EverySampleFolderAsTheIndependentReaderSeesIt) {
  const std::vector<ManifestRow> manifest = ReadManifest();
  ASSERT_GE(manifest.size(), 15u);
  for (const ManifestRow& row : manifest) {
    SCOPED_TRACE(row.at("folder"));
    const std::string folder = SamplesDir() + "/" + row.at("folder");
    cKyData root(0);
    const LibErrorCode code = Load(&root, folder + "/" + row.at("data_file"));
    ASSERT_EQ(code, std::stoul(row.at("load_error")));
    if (code != 0) {
      EXPECT_EQ(root.ChildCount(), 0u);
      continue;
    }
    ASSERT_EQ(root.ChildCount(), 1u);
    const cKyData& item = *root.FirstChild();
    const PyFolder py = ReadWithPython(folder);
    ASSERT_EQ(py.status, 0);

    // The item.
    EXPECT_EQ(item.data_type, 8u);
    EXPECT_STREQ(item.type_name, "BRUKER");
    EXPECT_EQ(item.rows, 0u);
    const std::u16string name(row.at("data_file").begin(), row.at("data_file").end());
    EXPECT_EQ(std::u16string(item.file_name), name);
    const std::u16string wide_folder(folder.begin(), folder.end());
    EXPECT_EQ(std::u16string(item.folder), wide_folder + u"/");
    EXPECT_EQ(std::u16string(item.full_path), wide_folder + u"/" + name);

    // Parameters: value texts as they stand after "=" (one blank).
    const auto& r = py.records;
    const Qword td = std::stoull(r.at("TD"));
    const double sw_h = std::stod(r.at("SW_h"));
    EXPECT_EQ(EntryOf(item, "BS"), std::to_string(td / 2));
    EXPECT_EQ(EntryOf(item, "SW"), " " + r.at("SW_h"));
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", 1 / sw_h);
    EXPECT_EQ(EntryOf(item, "DW"), text);
    std::snprintf(text, sizeof text, "%.15g", (1 / sw_h) / 2);
    EXPECT_EQ(EntryOf(item, "XOFF"), text);
    EXPECT_EQ(std::stod(EntryOf(item, "GDLY")), std::stod(row.at("gdly")));
    EXPECT_EQ(EntryOf(item, "NUC"), Angle(r.at("NUC1")));
    EXPECT_EQ(EntryOf(item, "NUC"), row.at("nuclide"));
    EXPECT_EQ(EntryOf(item, "SF"), " " + r.at("BF1"));
    EXPECT_EQ(EntryOf(item, "F1"), " " + r.at("O1"));
    if (r.count("SFO1")) {
      EXPECT_EQ(EntryOf(item, "SYF1"), " " + r.at("SFO1"));
    } else {
      std::snprintf(text, sizeof text, "%.15g",
                    std::stod(r.at("BF1")) + 1e-6 * std::stod(r.at("O1")));
      EXPECT_EQ(EntryOf(item, "SYF1"), text);
    }
    EXPECT_EQ(EntryOf(item, "GREC"), Item(r.at("D"), 16));
    EXPECT_EQ(EntryOf(item, "DIFFT"), Item(r.at("D"), 20));
    EXPECT_EQ(EntryOf(item, "PW90"), Item(r.at("P"), 1));
    EXPECT_EQ(EntryOf(item, "PW180"), Item(r.at("P"), 2));
    EXPECT_EQ(EntryOf(item, "PGRAD"), Item(r.at("P"), 30));
    EXPECT_EQ(EntryOf(item, "PULPROG"), Angle(r.at("PULPROG")));
    EXPECT_EQ(EntryOf(item, "BYTORDA"), " " + r.at("BYTORDA"));
    EXPECT_EQ(EntryOf(item, "DTYPA"), " " + r.at("DTYPA"));
    const size_t blocks = std::stoul(row.at("blocks"));
    EXPECT_EQ(EntryOf(item, "NBLK"),
              row.at("data_file") == "ser" ? " " + py.records2.at("TD") : "1");
    if (!py.difflist.empty()) {
      EXPECT_EQ(EntryOf(item, "BINI"), py.difflist.front());
      EXPECT_EQ(EntryOf(item, "BEND"), py.difflist[std::min(blocks, py.difflist.size()) - 1]);
      EXPECT_EQ(EntryOf(item, "BGRD"), "Lin");
      EXPECT_EQ(EntryOf(item, "BUNIT"), "G/cm");
    } else {
      EXPECT_EQ(EntryOf(item, "BINI"), "<missing>");
    }

    // Blocks: three rows of BS points, the time axis, every sample.
    ASSERT_EQ(item.ChildCount(), blocks);
    ASSERT_EQ(py.blocks, blocks);
    const double dw = std::stod(EntryOf(item, "DW"));
    const double xoff = std::stod(EntryOf(item, "XOFF"));
    for (size_t b = 0; b < blocks; ++b) {
      const cKyData& block = *item.Child(b);
      EXPECT_EQ(block.node_flags, 0x1000000u);
      EXPECT_EQ(block.data_type, 8u);
      EXPECT_EQ(block.x_grid_type, 1u);
      ASSERT_EQ(block.rows, 3u);
      ASSERT_EQ(block.points, td / 2);
      ASSERT_EQ(py.points, td / 2);
      EXPECT_EQ(block.x_first, xoff);
      EXPECT_EQ(block.x_last, xoff + dw * static_cast<double>(td / 2 - 1));
      for (size_t k = 0; k < td / 2; ++k) {
        EXPECT_NEAR(block.Row(0)[k], xoff + dw * static_cast<double>(k), 1e-15);
        ASSERT_EQ(block.Row(1)[k], py.samples[b][k].first) << b << " " << k;
        ASSERT_EQ(block.Row(2)[k], py.samples[b][k].second) << b << " " << k;
      }
    }
  }
}

TEST(BrukerLoad, LatinOneTextsArriveAsUtf8) {
  cKyData root(0);
  ASSERT_EQ(Load(&root, SamplesDir() + "/var_keyline_bare/fid"), 0u);
  EXPECT_EQ(EntryOf(*root.FirstChild(), "PULPROG"), "zg30_\xC3\xA9");
}

class BrukerLoadMalformed : public TempFolderTest {};

std::string IntSamples(size_t count) {
  std::string bytes(count * 4, '\0');
  for (size_t i = 0; i < count; ++i) bytes[4 * i] = static_cast<char>(i + 1);
  return bytes;
}

TEST_F(BrukerLoadMalformed, ErrorsLeaveTheRootAsItWas) {
  // TD 8 (4 points), DTYPA 0: one block of 32 bytes, padded to 1024.
  const std::string block = IntSamples(8) + std::string(1024 - 32, '\0');
  const AcqusBuilder base = AcqusBuilder().Set("TD", " 8");
  struct Case {
    const char* name;
    std::string acqus;   // empty: none
    const char* acqu2s;  // null: none
    std::string data;
    const char* data_name;  // the file named in the path
    LibErrorCode code;
  } cases[] = {
      {"good fid", base.Text(), nullptr, block, "fid", 0},
      {"name case ignored", base.Text(), nullptr, block, "FID", 0},
      {"last padding missing", base.Text(), nullptr, block.substr(0, 32), "fid", 0},
      {"no acqus", "", nullptr, block, "fid", 56},
      {"no data file", base.Text(), nullptr, "", "fid", 56},
      {"other name", base.Text(), nullptr, block, "data", 59},
      {"missing O1", AcqusBuilder(base).Erase("O1").Text(), nullptr, block, "fid", 48},
      {"missing DTYPA", AcqusBuilder(base).Erase("DTYPA").Text(), nullptr, block, "fid", 48},
      {"short data", base.Text(), nullptr, block.substr(0, 31), "fid", 62},
      {"empty data", base.Text(), nullptr, std::string(), "fid", 62},
      {"BS 0", AcqusBuilder(base).Set("TD", " 1").Text(), nullptr, block, "fid", 17},
      {"TD no number", AcqusBuilder(base).Set("TD", " 8k").Text(), nullptr, block, "fid", 25},
      {"TD overflows", AcqusBuilder(base).Set("TD", " 4611686018427387904").Text(), nullptr, block,
       "fid", 17},
      {"TD beyond the file", AcqusBuilder(base).Set("TD", " 4611686018427387").Text(), nullptr,
       block, "fid", 62},
      {"SW_h 0", AcqusBuilder(base).Set("SW_h", " 0").Text(), nullptr, block, "fid", 25},
      {"SW_h missing", AcqusBuilder(base).Erase("SW_h").Text(), nullptr, block, "fid", 48},
      {"DTYPA 1", AcqusBuilder(base).Set("DTYPA", " 1").Text(), nullptr, block, "fid", 16},
      {"BYTORDA 2", AcqusBuilder(base).Set("BYTORDA", " 2").Text(), nullptr, block, "fid", 16},
      {"ser", base.Text(), "##$TD= 2\n", block + block, "ser", 0},
      {"ser without acqu2s", base.Text(), nullptr, block + block, "ser", 56},
      {"acqu2s without TD", base.Text(), "##$SI= 2\n", block + block, "ser", 48},
      {"ser short", base.Text(), "##$TD= 3\n", block + block, "ser", 62},
      {"ser blocks overflow", base.Text(), "##$TD= 18446744073709551615\n", block, "ser", 17},
      {"ser no blocks", base.Text(), "##$TD= 0\n", block, "ser", 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directory(dir_);
    if (!c.acqus.empty()) WriteFile("acqus", c.acqus);
    if (c.acqu2s) WriteFile("acqu2s", c.acqu2s);
    if (!c.data.empty() || std::string(c.name) == "empty data") WriteFile(c.data_name, c.data);
    cKyData root(0);
    cKyData* earlier = new cKyData(0);
    root.AddChild(earlier);
    EXPECT_EQ(Load(&root, Path(c.data_name)), c.code);
    ASSERT_EQ(root.ChildCount(), c.code ? 1u : 2u);
    EXPECT_EQ(root.FirstChild(), earlier);
    if (c.code) continue;
    const cKyData& item = *root.Child(1);
    const size_t blocks = std::string(c.data_name) == "ser" ? 2 : 1;
    ASSERT_EQ(item.ChildCount(), blocks);
    for (size_t b = 0; b < blocks; ++b) {
      const cKyData& blk = *item.Child(b);
      ASSERT_EQ(blk.points, 4u);
      for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(blk.Row(1)[k], 2 * k + 1);
        EXPECT_EQ(blk.Row(2)[k], 2 * k + 2);
      }
    }
  }
}

TEST_F(BrukerLoadMalformed, NoRootNoPathAndAnEmptyPath) {
  EXPECT_EQ(LoadBrukerData(nullptr, u"/x/fid"), 18u);
  cKyData root(0);
  // Without a terminal the dialog answers "cancelled".
  EXPECT_EQ(LoadBrukerData(&root, nullptr), 63u);
  EXPECT_EQ(LoadBrukerData(&root, u""), 59u);
  EXPECT_EQ(LoadBrukerData(&root, u"/tmp/"), 59u);
  EXPECT_EQ(root.ChildCount(), 0u);
}

TEST_F(BrukerLoadMalformed, TheDialogChoosesTheDataFile) {
  WriteFile("acqus", AcqusBuilder().Set("TD", " 8").Text());
  WriteFile("fid", IntSamples(8));
  static std::string chosen;
  chosen = Path("fid");
  UiHooks hooks{};
  hooks.file_dialog = [](const UiFileDialogRequest& request, std::string* paths) {
    EXPECT_EQ(request.title, "Specify an existing Bruker data file");
    EXPECT_TRUE(request.must_exist);
    *paths = chosen;
    return true;
  };
  UiHooksInstall(&hooks);
  cKyData root(0);
  EXPECT_EQ(LoadBrukerData(&root, nullptr), 0u);
  ASSERT_EQ(root.ChildCount(), 1u);
  EXPECT_EQ(root.FirstChild()->ChildCount(), 1u);
}

TEST_F(BrukerLoadMalformed, OddTdNeverReadsPastItsBlock) {
  // TD 9: four points and an unpaired ninth sample; a second block of a
  // ser starts at 1024 bytes, where the spectrometer put it.
  std::string one = IntSamples(9) + std::string(1024 - 36, '\0');
  WriteFile("acqus", AcqusBuilder().Set("TD", " 9").Text());
  WriteFile("acqu2s", "##$TD= 2\n");
  std::string second = one;
  second[0] = 50;
  WriteFile("ser", one + second.substr(0, 36));
  cKyData root(0);
  ASSERT_EQ(Load(&root, Path("ser")), 0u);
  const cKyData& item = *root.FirstChild();
  EXPECT_EQ(EntryOf(item, "BS"), "4");
  ASSERT_EQ(item.ChildCount(), 2u);
  EXPECT_EQ(item.Child(0)->points, 4u);
  EXPECT_EQ(item.Child(0)->Row(2)[3], 8);
  EXPECT_EQ(item.Child(1)->Row(1)[0], 50);
}

}  // namespace

namespace {

TEST_F(BrukerLoadMalformed, BackslashesSeparateFolders) {
  WriteFile("acqus", AcqusBuilder().Set("TD", " 8").Text());
  WriteFile("fid", IntSamples(8));
  std::string path = Path("fid");
  for (char& c : path)
    if (c == '/') c = '\\';
  cKyData root(0);
  ASSERT_EQ(Load(&root, path), 0u);
  EXPECT_EQ(std::u16string(root.FirstChild()->full_path), Wide(Path("fid")));
}

}  // namespace

namespace {

// Every allocation of the library that the reading makes may fail: the
// answer is then 0x80001 and the root is as it was.
TEST(BrukerLoadAllocation, FailuresLeaveTheRootAsItWas) {
  const std::string path = SamplesDir() + "/ser_dosy/ser";
  const std::u16string wide(path.begin(), path.end());
  const Qlong needed = SweepAllocFailures(
      [&](AllocSweepStep& step) {
        cKyData root(0);
        const LibErrorCode code =
            step.Code([&] { return LoadBrukerData(&root, wide.c_str()); }, 0x80001u);
        if (code == 0) {
          ASSERT_EQ(root.ChildCount(), 1u);
          EXPECT_EQ(root.FirstChild()->ChildCount(), 4u);
        } else {
          EXPECT_EQ(root.ChildCount(), 0u);
        }
      },
      400);
  EXPECT_GT(needed, 10);  // the reading allocates through the library
}

}  // namespace
