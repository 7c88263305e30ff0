// Writing acquisition folders: round trips through our reader and the
// independent Python reader, both byte orders bit for bit, the integer
// and scaled DTYPA 0 paths, the ".backup" rule, series with their second
// dimension, and every refusal before any file is written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/core/bruker_acqus_patch.h"
#include "app/core/bruker_reader.h"
#include "app/core/bruker_writer.h"
#include "base/memory.h"
#include "base/utf.h"
#include "data_engine/evp.h"
#include "support/temp_folder.h"
#include "tests/app_core/acqus_builder.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

std::u16string W(const std::string& s) {
  std::u16string w(s.size() * 2 + 1, u'\0');
  w.resize(Utf8ToUtf16(s.c_str(), kNoIndex, w.data(), w.size()));
  return w;
}

class BrukerSave : public TempFolderTest {
 protected:
  // Loads a data file into a new item of root_; the item.
  cKyData* Load(const std::string& path) {
    EXPECT_EQ(LoadBrukerData(&root_, W(path).c_str()), 0u) << path;
    return root_.LastChild();
  }
  std::string Out(const std::string& name) {
    const std::string p = Path(name);
    std::filesystem::create_directories(p);
    return p;
  }
  std::vector<std::string> Files(const std::string& folder) {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(folder))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  cKyData root_{0};
};

// Every sample of every block as the Python reader decodes it.
void ExpectPythonSees(const std::string& folder, const cKyData& item, double scale = 1,
                      bool exact = true) {
  const PyFolder py = ReadWithPython(folder);
  ASSERT_EQ(py.status, 0) << folder;
  EXPECT_TRUE(py.padding_ok);
  ASSERT_EQ(py.blocks, item.ChildCount());
  for (size_t b = 0; b < py.blocks; ++b) {
    const cKyData& block = *item.Child(b);
    ASSERT_EQ(py.points, block.points);
    EXPECT_EQ(std::stoull(py.records.at("TD")), 2 * block.points);
    for (size_t k = 0; k < py.points; ++k) {
      const double re = block.Row(1)[k] * scale, im = block.Row(2)[k] * scale;
      if (exact) {
        ASSERT_EQ(0, std::memcmp(&py.samples[b][k].first, &re, 8)) << b << " " << k;
        ASSERT_EQ(0, std::memcmp(&py.samples[b][k].second, &im, 8)) << b << " " << k;
      } else {
        ASSERT_EQ(py.samples[b][k].first, std::round(re)) << b << " " << k;
        ASSERT_EQ(py.samples[b][k].second, std::round(im)) << b << " " << k;
      }
    }
  }
}

void ExpectSameItems(const cKyData& a, const cKyData& b, bool same_entries = true) {
  if (same_entries) {
    EXPECT_EQ(EntriesOf(a), EntriesOf(b));
  }
  ASSERT_EQ(a.ChildCount(), b.ChildCount());
  for (Dword i = 0; i < a.ChildCount(); ++i) {
    const cKyData& x = *a.Child(i);
    const cKyData& y = *b.Child(i);
    ASSERT_EQ(x.rows, y.rows);
    ASSERT_EQ(x.points, y.points);
    EXPECT_EQ(0, std::memcmp(x.matrix, y.matrix, x.rows * x.points * sizeof(double)));
  }
}

TEST_F(BrukerSave, EverySampleRoundTrips) {
  // What each written folder must hold, for one run of the third-party
  // reader over all of them at the end.
  std::vector<std::string> written;
  std::vector<cKyData*> items;
  for (const ManifestRow& row : ReadManifest()) {
    if (row.at("load_error") != "0") continue;
    SCOPED_TRACE(row.at("folder"));
    cKyData* item = Load(SamplesDir() + "/" + row.at("folder") + "/" + row.at("data_file"));
    const std::string out = Out(row.at("folder"));
    ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
    ExpectPythonSees(out, *item);
    written.push_back(out);
    items.push_back(item);
    cKyData* again = Load(out + "/" + row.at("data_file"));
    // GRPDLY -1 comes back as the table's value, without DECIM and DSPFVS.
    const bool table = row.at("folder") == "var_grpdly_table";
    ExpectSameItems(*item, *again, !table);
    if (table) {
      EXPECT_EQ(EntryOf(*again, "GDLY"), " 69.5313");
    }
    EXPECT_EQ(EntryOf(*again, "GDLY").substr(EntryOf(*again, "GDLY")[0] == ' '),
              EntryOf(*item, "GDLY").substr(EntryOf(*item, "GDLY")[0] == ' '));
  }
  if (OracleInstalled()) {
    const std::map<std::string, OracleFolder> seen = ReadWithOracle(written);
    for (size_t i = 0; i < written.size(); ++i) {
      SCOPED_TRACE(written[i]);
      ASSERT_TRUE(seen.count(written[i]));
      ExpectOracleSaw(seen.at(written[i]), written[i], *items[i]);
    }
  }
}

TEST_F(BrukerSave, AFifteenDigitGroupDelayComesBackEqual) {
  std::filesystem::create_directories(Path("in"));
  WriteFile("in/acqus", AcqusBuilder().Set("GRPDLY", " 67.9860229492188").Set("TD", " 256").Text());
  std::string fid(1024, '\0');
  for (size_t i = 0; i < 256; ++i) fid[4 * i] = static_cast<char>(i);
  WriteFile("in/fid", fid);
  cKyData* item = Load(Path("in/fid"));
  ASSERT_NE(item, nullptr);
  const std::string out = Out("gdly");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  // The independent reader sees the same number in the written acqus.
  const PyFolder py = ReadWithPython(out);
  ASSERT_EQ(py.status, 0);
  EXPECT_EQ(std::strtod(py.records.at("GRPDLY").c_str(), nullptr), 67.9860229492188);
  cKyData* again = Load(out + "/fid");
  EXPECT_EQ(again->parameters.GetReal("GDLY"), 67.9860229492188);
  ExpectOracleSees(out, *item);
  EXPECT_EQ(again->parameters.GetReal("GDLY"), item->parameters.GetReal("GDLY"));
}

TEST_F(BrukerSave, FloatsInBothByteOrdersBitForBit) {
  cKyData* item = Load(SamplesDir() + "/si29_c3/fid");
  // Values that no integer format would keep.
  for (Dword b = 0; b < item->ChildCount(); ++b)
    for (Qword r = 1; r <= 2; ++r)
      for (Qword k = 0; k < item->Child(b)->points; ++k) item->Child(b)->Row(r)[k] *= M_PI / 7;
  item->Child(0)->Row(1)[5] = -0.0;
  item->Child(0)->Row(2)[6] = 1e-310;  // subnormal
  for (const char* order : {" 0", " 1"}) {
    SCOPED_TRACE(order);
    ASSERT_EQ(item->parameters.Set("DTYPA", " 2"), 0u);
    ASSERT_EQ(item->parameters.Set("BYTORDA", order), 0u);
    const std::string out = Out(std::string("float") + order[1]);
    ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
    ExpectPythonSees(out, *item);
    const PyFolder py = ReadWithPython(out);
    EXPECT_EQ(py.records.at("DTYPA"), "2");
    EXPECT_EQ(py.records.at("BYTORDA"), std::string(1, order[1]));
    cKyData* again = Load(out + "/fid");
    ExpectSameItems(*item, *again, false);
    ExpectOracleSees(out, *item);
  }
}

TEST_F(BrukerSave, IntegerExtremesAreWrittenAsTheyAre) {
  cKyData* item = Load(SamplesDir() + "/si29_c1/fid");
  cKyData& block = *item->Child(0);
  block.Row(1)[0] = -2147483648.0;
  block.Row(2)[0] = 2147483647.0;
  block.Row(1)[1] = 2147483647.0;
  block.Row(2)[1] = -2147483648.0;
  const std::string out = Out("extremes");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  EXPECT_EQ(ReadFile(out + "/acqus").find(kBrukerScaleComment), std::string::npos);
  ExpectPythonSees(out, *item);
  ExpectSameItems(*item, *Load(out + "/fid"), false);
  ExpectOracleSees(out, *item);
}

TEST_F(BrukerSave, IntegerDataIsWrittenUnscaledOtherDataScaledAndRecorded) {
  cKyData* item = Load(SamplesDir() + "/si29_c1/fid");
  const std::string plain = Out("plain");
  ASSERT_EQ(SaveBrukerData(item, W(plain).c_str()), 0u);
  EXPECT_EQ(ReadFile(plain + "/fid"), ReadFile(SamplesDir() + "/si29_c1/fid"));
  EXPECT_EQ(ReadFile(plain + "/acqus").find(kBrukerScaleComment), std::string::npos);
  ExpectOracleSees(plain, *item);

  // Processed (non-integer) data: the largest magnitude becomes 1e7.
  double largest = 0;
  cKyData& block = *item->Child(0);
  for (Qword r = 1; r <= 2; ++r)
    for (Qword k = 0; k < block.points; ++k) {
      block.Row(r)[k] *= 0.37;
      largest = std::fmax(largest, std::fabs(block.Row(r)[k]));
    }
  const std::string scaled = Out("scaled");
  ASSERT_EQ(SaveBrukerData(item, W(scaled).c_str()), 0u);
  const double scale = 1e7 / largest;
  ExpectPythonSees(scaled, *item, scale, false);
  const std::string acqus = ReadFile(scaled + "/acqus");
  const size_t at = acqus.find(kBrukerScaleComment);
  ASSERT_NE(at, std::string::npos);
  const double recorded =
      std::strtod(acqus.c_str() + at + std::strlen(kBrukerScaleComment), nullptr);
  EXPECT_EQ(recorded, scale);
  const PyFolder py = ReadWithPython(scaled);
  double top = 0;
  for (const auto& p : py.samples[0])
    top = std::fmax(top, std::fmax(std::fabs(p.first), std::fabs(p.second)));
  EXPECT_EQ(top, 1e7);
  // The third-party reader too, up to the recorded scale.
  ExpectOracleSees(scaled, *item, scale, false);
}

TEST_F(BrukerSave, AllZeroDataWritesZeros) {
  cKyData* item = Load(SamplesDir() + "/var_odd_td/fid");
  cKyData& block = *item->Child(0);
  std::memset(block.Row(1), 0, 2 * block.points * sizeof(double));
  const std::string out = Out("zero");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  const std::string fid = ReadFile(out + "/fid");
  EXPECT_EQ(fid, std::string(1024 * ((2 * block.points * 4 + 1023) / 1024), '\0'));
}

TEST_F(BrukerSave, BlockPointsDecideNotAStaleBs) {
  cKyData* item = Load(SamplesDir() + "/ser_dosy/ser");
  ASSERT_EQ(item->parameters.Set("BS", "4096"), 0u);
  const std::string out = Out("stale");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  ExpectPythonSees(out, *item);
  EXPECT_EQ(ReadWithPython(out).records.at("TD"), "256");
  ExpectOracleSees(out, *item);
  // Blocks of different sizes are refused.
  ASSERT_EQ(item->Child(2)->ResizePoints(0, 64), 0u);
  const std::string uneven = Out("uneven");
  EXPECT_EQ(SaveBrukerData(item, W(uneven).c_str()), 17u);
  EXPECT_TRUE(Files(uneven).empty());
}

TEST_F(BrukerSave, SeriesToAFreshFolderCarriesItsSecondDimension) {
  cKyData* item = Load(SamplesDir() + "/ser_dosy/ser");
  const std::string out = Out("fresh");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  EXPECT_EQ(Files(out), (std::vector<std::string>{"acqu2s", "acqus", "difflist", "ser"}));
  EXPECT_EQ(ReadFile(out + "/difflist"), ReadFile(SamplesDir() + "/ser_dosy/difflist"));
  const PyFolder py = ReadWithPython(out);
  EXPECT_EQ(py.records2.at("TD"), "4");
  cKyData* again = Load(out + "/ser");
  ExpectSameItems(*item, *again);
  ExpectOracleSees(out, *item);
}

TEST_F(BrukerSave, ForeignFilesAreBackedUpOnceAndTheItemsOwnWritten) {
  cKyData* item = Load(SamplesDir() + "/si29_c2/fid");
  const std::string out = Out("foreign");
  const std::string foreign = AcqusBuilder().Set("NUC1", " <13C>").Set("TD", " 8").Text();
  WriteFile("foreign/acqus", foreign);
  WriteFile("foreign/fid", "old data");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  EXPECT_EQ(ReadFile(out + "/acqus.backup"), foreign);
  EXPECT_EQ(ReadFile(out + "/fid.backup"), "old data");
  EXPECT_EQ(ReadFile(out + "/acqus"), ReadFile(SamplesDir() + "/si29_c2/acqus"));
  // A second save keeps the first backups.
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  EXPECT_EQ(ReadFile(out + "/acqus.backup"), foreign);
  EXPECT_EQ(ReadFile(out + "/fid.backup"), "old data");
  EXPECT_EQ(Files(out), (std::vector<std::string>{"acqus", "acqus.backup", "fid", "fid.backup"}));
}

TEST_F(BrukerSave, IntoItsOwnFolder) {
  std::filesystem::copy(SamplesDir() + "/si29_c4", Path("own"));
  cKyData* item = Load(Path("own/fid"));
  const std::string before = ReadFile(Path("own/fid"));
  ASSERT_EQ(SaveBrukerData(item, W(Path("own")).c_str()), 0u);
  EXPECT_EQ(ReadFile(Path("own/fid.backup")), before);
  EXPECT_EQ(ReadFile(Path("own/fid")), before);
  EXPECT_EQ(ReadFile(Path("own/acqus")), ReadFile(Path("own/acqus.backup")));
}

TEST_F(BrukerSave, RefusalsWriteNothing) {
  cKyData* item = Load(SamplesDir() + "/ser_dosy/ser");
  struct Case {
    const char* name;
    const char* value;  // a parameter changed on a copy of the item
    LibErrorCode code;
  } cases[] = {
      {"DTYPA", " 1", 16},   {"DTYPA", " 3", 16}, {"DTYPA", " x", 16},
      {"BYTORDA", " 2", 16}, {"NBLK", " 5", 14},  {"NBLK", " 0", 21},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + c.value);
    cKyData copy(*item);
    ASSERT_EQ(copy.parameters.Set(c.name, c.value), 0u);
    const std::string out = Out("refused");
    EXPECT_EQ(SaveBrukerData(&copy, W(out).c_str()), c.code);
    EXPECT_TRUE(Files(out).empty());
  }
  EXPECT_EQ(SaveBrukerData(nullptr, u"/tmp"), 14u);
  cKyData empty(0);
  EXPECT_EQ(SaveBrukerData(&empty, W(Out("e")).c_str()), 14u);
  // Blocks that are not time-domain data.
  cKyData plain(*item);
  plain.FirstChild()->ClearFlags(kKyDataTimeDomain, false);
  EXPECT_EQ(SaveBrukerData(&plain, W(Out("p")).c_str()), 15u);
  // No folder chosen (the dialog answers "cancelled" without a terminal).
  EXPECT_EQ(SaveBrukerData(item, nullptr), 48u);
  // Non-finite samples cannot be integers.
  cKyData nan(*item);
  nan.FirstChild()->Row(1)[3] = NAN;
  EXPECT_EQ(SaveBrukerData(&nan, W(Out("nan")).c_str()), 15u);
  EXPECT_TRUE(Files(Path("nan")).empty());
  // Nor can doubles: the reader would refuse the folder.
  for (const double bad : {double{NAN}, HUGE_VAL}) {
    cKyData floats(*item);
    ASSERT_EQ(floats.parameters.Set("DTYPA", " 2"), 0u);
    floats.LastChild()->Row(2)[7] = bad;
    EXPECT_EQ(SaveBrukerData(&floats, W(Out("nonfinite")).c_str()), 15u);
    EXPECT_TRUE(Files(Path("nonfinite")).empty());
  }
}

// Runs FOURIER in `mode` on every block of the item.
LibErrorCode Fourier(cKyData* item, Qword mode) {
  Evp evp;
  InitEvp(&evp);
  evp.id = kEvpFourier;
  evp.mode = mode;
  evp.level = 0;
  const LibErrorCode e = item->ExecuteEvp(&evp, nullptr);
  KillStringA(&evp.report);
  return e;
}

TEST_F(BrukerSave, SpectraAreWrittenAsDecaysAndStayAsTheyAre) {
  cKyData* item = Load(SamplesDir() + "/ser_dosy/ser");
  const cKyData decays(*item);
  ASSERT_EQ(item->parameters.Set("DTYPA", " 2"), 0u);
  ASSERT_EQ(Fourier(item, 1), 0u);
  ASSERT_TRUE(item->FirstChild()->TestFlags(kKyDataFrequencyDomain));
  const cKyData spectra(*item);
  const std::string out = Out("spectrum");
  ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
  // The item keeps its spectra.
  ExpectSameItems(spectra, *item);
  EXPECT_TRUE(item->LastChild()->TestFlags(kKyDataFrequencyDomain));
  // The folder holds the decays again (to the transform's rounding).
  const PyFolder py = ReadWithPython(out);
  ASSERT_EQ(py.status, 0);
  ASSERT_EQ(py.blocks, 4u);
  for (size_t b = 0; b < 4; ++b) {
    const cKyData& d = *decays.Child(b);
    ASSERT_EQ(py.points, d.points);
    for (size_t k = 0; k < py.points; ++k) {
      ASSERT_NEAR(py.samples[b][k].first, d.Row(1)[k], 1e-6) << b << " " << k;
      ASSERT_NEAR(py.samples[b][k].second, d.Row(2)[k], 1e-6) << b << " " << k;
    }
  }
  EXPECT_EQ(Files(out), (std::vector<std::string>{"acqu2s", "acqus", "difflist", "ser"}));
}

TEST_F(BrukerSave, ATransformThatFailsWritesNothing) {
  // 255 points are no power of two: the transform answers 26.
  cKyData* item = Load(SamplesDir() + "/var_odd_td/fid");
  item->FirstChild()->ClearFlags(kKyDataTimeDomain, false);
  item->FirstChild()->SetFlags(kKyDataFrequencyDomain, false);
  const std::string out = Out("odd");
  EXPECT_EQ(SaveBrukerData(item, W(out).c_str()), 26u);
  EXPECT_TRUE(Files(out).empty());
  EXPECT_TRUE(item->FirstChild()->TestFlags(kKyDataFrequencyDomain));
}

TEST_F(BrukerSave, TheStoredItemIsNeverChanged) {
  cKyData* item = Load(SamplesDir() + "/var_dtypa2_be/fid");
  const cKyData before(*item);
  ASSERT_EQ(SaveBrukerData(item, W(Out("same")).c_str()), 0u);
  ExpectSameItems(before, *item);
  EXPECT_TRUE(std::isnan(*item->FirstChild()->StatisticSlot(1, kKyStatScale)));
}

TEST_F(BrukerSave, TheFolderDialogChoosesAndTheFolderIsMade) {
  cKyData* item = Load(SamplesDir() + "/si29_c1/fid");
  static std::string target;
  target = Path("made");
  UiHooks hooks{};
  hooks.folder_dialog = [](const std::string& title, const std::string&, std::string* folder) {
    EXPECT_EQ(title, "Select or create a folder");
    *folder = target;
    return true;
  };
  UiHooksInstall(&hooks);
  ASSERT_EQ(SaveBrukerData(item, nullptr), 0u);
  EXPECT_EQ(Files(target), (std::vector<std::string>{"acqus", "fid"}));
}

}  // namespace
