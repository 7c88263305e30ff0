// Loading the sample folders: every parameter text against the records
// that the independent Python reader finds, every sample against its
// decoding, the block layout; and a table of malformed folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/core/bruker_reader.h"
#include "base/error_detail.h"
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

// The sample folders as a third-party reader of the format sees them. It
// refuses what we refuse (a truncated data file) and, beyond that, a
// folder without SFO1, which the format lets the reader compute.
TEST(BrukerLoad, EverySampleFolderAsAThirdPartyReaderSeesIt) {
  if (!OracleInstalled())
    GTEST_SKIP() << "the third-party reader is not installed (tools/install-deps.sh needs npm)";
  const std::vector<ManifestRow> rows = ReadManifest();
  std::vector<std::string> folders;
  for (const ManifestRow& row : rows) folders.push_back(SamplesDir() + "/" + row.at("folder"));
  const std::map<std::string, OracleFolder> seen = ReadWithOracle(folders);
  for (const ManifestRow& row : rows) {
    SCOPED_TRACE(row.at("folder"));
    const std::string folder = SamplesDir() + "/" + row.at("folder");
    ASSERT_TRUE(seen.count(folder));
    cKyData root(0);
    const LibErrorCode code = LoadManifestSample(row, &root);
    ASSERT_EQ(code, std::stoul(row.at("load_error")));
    if (code != 0) {
      EXPECT_FALSE(seen.at(folder).read);
      continue;
    }
    ExpectOracleSaw(seen.at(folder), folder, *root.FirstChild());
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

// Doubles as a DTYPA 2 file holds them, little-endian.
std::string DoubleSamples(std::vector<double> values) {
  std::string bytes(values.size() * 8, '\0');
  std::memcpy(bytes.data(), values.data(), bytes.size());
  return bytes;
}

TEST_F(BrukerLoadMalformed, ErrorsLeaveTheRootAsItWasAndNameFileAndProblem) {
  // TD 8 (4 points), DTYPA 0: one block of 32 bytes, padded to 1024.
  const std::string block = IntSamples(8) + std::string(1024 - 32, '\0');
  const AcqusBuilder base = AcqusBuilder().Set("TD", " 8");
  const std::string doubles = AcqusBuilder(base).Set("DTYPA", " 2").Text();
  const std::string inf_be = [] {
    std::string b = DoubleSamples({1, 2, 3, 4, 5, HUGE_VAL, 7, 8});
    for (size_t i = 0; i < b.size(); i += 8) std::reverse(b.begin() + i, b.begin() + i + 8);
    return b;
  }();
  std::string random_bytes(700, '\0');
  for (size_t i = 0; i < random_bytes.size(); ++i)
    random_bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
  struct Case {
    const char* name;
    std::string acqus;   // empty: none
    const char* acqu2s;  // null: none
    std::string data;
    const char* data_name;  // the file named in the path
    LibErrorCode code;
    // What the user is told: the file (in the folder) and the problem.
    const char* detail;
    const char* difflist = nullptr;  // null: none
  } cases[] = {
      {"good fid", base.Text(), nullptr, block, "fid", 0, nullptr},
      {"name case ignored", base.Text(), nullptr, block, "FID", 0, nullptr},
      {"last padding missing", base.Text(), nullptr, block.substr(0, 32), "fid", 0, nullptr},
      {"no acqus", "", nullptr, block, "fid", 56, "acqus: no such file"},
      {"no data file", base.Text(), nullptr, "", "fid", 56, "fid: no such file"},
      {"other name", base.Text(), nullptr, block, "data", 59,
       "data: a data file is named fid or ser"},
      {"missing TD", AcqusBuilder(base).Erase("TD").Text(), nullptr, block, "fid", 48,
       "acqus: no ##$TD= entry"},
      {"random bytes", random_bytes, nullptr, block, "fid", 48,
       "acqus: not a parameter file (no ##KEY= lines)"},
      {"missing O1", AcqusBuilder(base).Erase("O1").Text(), nullptr, block, "fid", 48,
       "acqus: no ##$O1= entry"},
      {"missing DTYPA", AcqusBuilder(base).Erase("DTYPA").Text(), nullptr, block, "fid", 48,
       "acqus: no ##$DTYPA= entry"},
      {"short D", AcqusBuilder(base).Set("D", " (0..15)\n0 1 2 3 4 5 6 7 8 9").Text(), nullptr,
       block, "fid", 48, "acqus: ##$D= has no item 16"},
      {"short data", base.Text(), nullptr, block.substr(0, 31), "fid", 62,
       "fid: fid holds 31 bytes, 8 points need 32"},
      {"empty data", base.Text(), nullptr, std::string(), "fid", 62,
       "fid: fid holds 0 bytes, 8 points need 32"},
      {"BS 0", AcqusBuilder(base).Set("TD", " 1").Text(), nullptr, block, "fid", 17,
       "acqus: ##$TD= 1 holds no complex point"},
      {"TD no number", AcqusBuilder(base).Set("TD", " 8k").Text(), nullptr, block, "fid", 25,
       "acqus: ##$TD= 8k is not a whole number"},
      {"TD overflows", AcqusBuilder(base).Set("TD", " 4611686018427387904").Text(), nullptr, block,
       "fid", 17, "acqus: ##$TD= 4611686018427387904 is too large for a data file"},
      {"TD beyond the file", AcqusBuilder(base).Set("TD", " 4611686018427387").Text(), nullptr,
       block, "fid", 62,
       "fid: fid holds 1024 bytes, 4611686018427387 points need 18446744073709548"},
      {"SW_h 0", AcqusBuilder(base).Set("SW_h", " 0").Text(), nullptr, block, "fid", 25,
       "acqus: ##$SW_h= 0 is not a positive number of hertz"},
      {"SW_h missing", AcqusBuilder(base).Erase("SW_h").Text(), nullptr, block, "fid", 48,
       "acqus: no ##$SW_h= entry"},
      {"DTYPA 1", AcqusBuilder(base).Set("DTYPA", " 1").Text(), nullptr, block, "fid", 16,
       "acqus: ##$DTYPA= 1 is no sample type read here (0 integers, 2 doubles)"},
      {"BYTORDA 2", AcqusBuilder(base).Set("BYTORDA", " 2").Text(), nullptr, block, "fid", 16,
       "acqus: ##$BYTORDA= 2 is no byte order (0 little-endian, 1 big-endian)"},
      {"ser", base.Text(), "##$TD= 2\n", block + block, "ser", 0, nullptr},
      {"ser without acqu2s", base.Text(), nullptr, block + block, "ser", 56,
       "acqu2s: no such file"},
      {"acqu2s without TD", base.Text(), "##$SI= 2\n", block + block, "ser", 48,
       "acqu2s: no ##$TD= entry"},
      {"ser short", base.Text(), "##$TD= 3\n", block + block, "ser", 62,
       "ser: ser holds 2048 bytes, 3 blocks of 8 points need 2080"},
      {"ser blocks overflow", base.Text(), "##$TD= 18446744073709551615\n", block, "ser", 17,
       "ser: its parameters describe more bytes than a file can hold"},
      {"ser no blocks", base.Text(), "##$TD= 0\n", block, "ser", 25,
       "acqu2s: ##$TD= 0 leaves no decay"},
      {"doubles", doubles, nullptr, DoubleSamples({1, 2, 3, 4, 5, 6, 7, 8}), "fid", 0, nullptr},
      {"NaN sample", doubles, nullptr, DoubleSamples({1, 2, 3, NAN, 5, 6, 7, 8}), "fid", 15,
       "fid: sample 3 is not a finite number (NaN or infinite)"},
      {"infinite sample, big-endian",
       AcqusBuilder(base).Set("DTYPA", " 2").Set("BYTORDA", " 1").Text(), nullptr, inf_be, "fid",
       15, "fid: sample 5 is not a finite number (NaN or infinite)"},
      {"NaN in the second block", doubles, "##$TD= 2\n",
       DoubleSamples({1, 2, 3, 4, 5, 6, 7, 8}) + std::string(1024 - 64, '\0') +
           DoubleSamples({1, 2, 3, 4, 5, 6, 7, -NAN}),
       "ser", 15, "ser: sample 7 of block 1 is not a finite number (NaN or infinite)"},
      {"difflist with a word", base.Text(), "##$TD= 2\n", block + block, "ser", 28,
       "difflist: line 2 (\"a\") is not a finite number", "1.5\na\n"},
      {"difflist with nan", base.Text(), nullptr, block, "fid", 28,
       "difflist: line 1 (\"nan\") is not a finite number", "nan\n"},
      {"empty difflist", base.Text(), nullptr, block, "fid", 28,
       "difflist: no lines (no gradient values)", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directory(dir_);
    if (!c.acqus.empty()) WriteFile("acqus", c.acqus);
    if (c.acqu2s) WriteFile("acqu2s", c.acqu2s);
    if (c.difflist) WriteFile("difflist", c.difflist);
    if (!c.data.empty() || std::string(c.name) == "empty data") WriteFile(c.data_name, c.data);
    cKyData root(0);
    cKyData* earlier = new cKyData(0);
    root.AddChild(earlier);
    // A detail left by an earlier failure is not this load's.
    LibErrorDetailSetA(c.code ? c.code : 56, "stale");
    EXPECT_EQ(Load(&root, Path(c.data_name)), c.code);
    ASSERT_EQ(root.ChildCount(), c.code ? 1u : 2u);
    EXPECT_EQ(root.FirstChild(), earlier);
    if (c.code) {
      const char* detail = LibErrorDetailA(c.code);
      ASSERT_NE(detail, nullptr);
      EXPECT_EQ(std::string(detail), Path(c.detail));
      continue;
    }
    EXPECT_EQ(LibErrorDetailA(56), nullptr);
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

// Blocks larger than the reader's window of the file (1 MiB): two blocks of
// 70000 points, integers in both byte orders and doubles, each sample read
// back where the file has it, and a NaN past the first window named by its
// place in its block.
TEST_F(BrukerLoadMalformed, BlocksLargerThanTheReadWindowDecodeWhole) {
  constexpr Qword kPoints = 70000, kTd = 2 * kPoints;
  const auto value = [](Qword block, Qword sample) {
    return static_cast<int32_t>((sample * 2654435761u + block * 40503u) >> 3) - (1 << 28);
  };
  for (const int dtypa : {0, 2}) {
    for (const int bytorda : {0, 1}) {
      SCOPED_TRACE("DTYPA " + std::to_string(dtypa) + " BYTORDA " + std::to_string(bytorda));
      const Qword size = dtypa == 2 ? 8 : 4, stride = (kTd * size + 1023) / 1024 * 1024;
      std::string ser(2 * stride, '\0');
      for (Qword b = 0; b < 2; ++b)
        for (Qword i = 0; i < kTd; ++i) {
          unsigned char bytes[8];
          if (dtypa == 2) {
            const double v = value(b, i) / 4.0;
            std::memcpy(bytes, &v, 8);
          } else {
            const int32_t v = value(b, i);
            std::memcpy(bytes, &v, 4);
          }
          if (bytorda == 1) std::reverse(bytes, bytes + size);
          std::memcpy(&ser[b * stride + i * size], bytes, size);
        }
      std::filesystem::remove_all(dir_);
      std::filesystem::create_directory(dir_);
      WriteFile("acqus", AcqusBuilder()
                             .Set("TD", " " + std::to_string(kTd))
                             .Set("DTYPA", " " + std::to_string(dtypa))
                             .Set("BYTORDA", " " + std::to_string(bytorda))
                             .Text());
      WriteFile("acqu2s", "##$TD= 2\n");
      WriteFile("ser", ser);
      cKyData root(0);
      ASSERT_EQ(Load(&root, Path("ser")), 0u);
      const cKyData& item = *root.FirstChild();
      ASSERT_EQ(item.ChildCount(), 2u);
      const double scale = dtypa == 2 ? 4.0 : 1.0;
      for (Qword b = 0; b < 2; ++b) {
        const cKyData& block = *item.Child(b);
        ASSERT_EQ(block.points, kPoints);
        Qword wrong = 0;
        for (Qword k = 0; k < kPoints; ++k)
          wrong += block.Row(1)[k] * scale != value(b, 2 * k) ||
                   block.Row(2)[k] * scale != value(b, 2 * k + 1);
        EXPECT_EQ(wrong, 0u) << "block " << b;
      }
      if (dtypa != 2) continue;
      // A NaN as the imaginary part of point 66000 of the second block.
      const Qword bad = 2 * 66000 + 1;
      const double nan = std::nan("");
      unsigned char bytes[8];
      std::memcpy(bytes, &nan, 8);
      if (bytorda == 1) std::reverse(bytes, bytes + 8);
      std::memcpy(&ser[stride + bad * 8], bytes, 8);
      WriteFile("ser", ser);
      EXPECT_EQ(Load(&root, Path("ser")), 15u);
      ASSERT_NE(LibErrorDetailA(15), nullptr);
      EXPECT_EQ(std::string(LibErrorDetailA(15)),
                Path("ser") + ": sample " + std::to_string(bad) +
                    " of block 1 is not a finite number (NaN or infinite)");
    }
  }
}

TEST_F(BrukerLoadMalformed, AFolderInPlaceOfAFileIsNamed) {
  WriteFile("acqus", AcqusBuilder().Set("TD", " 8").Text());
  std::filesystem::create_directory(Path("fid"));
  cKyData root(0);
  EXPECT_EQ(Load(&root, Path("fid")), 56u);
  ASSERT_NE(LibErrorDetailA(56), nullptr);
  EXPECT_EQ(std::string(LibErrorDetailA(56)), Path("fid") + ": a folder, not a file");
  std::filesystem::remove(Path("fid"));
  std::filesystem::remove(Path("acqus"));
  std::filesystem::create_directory(Path("acqus"));
  WriteFile("fid", IntSamples(8));
  EXPECT_EQ(Load(&root, Path("fid")), 56u);
  ASSERT_NE(LibErrorDetailA(56), nullptr);
  EXPECT_EQ(std::string(LibErrorDetailA(56)), Path("acqus") + ": a folder, not a file");
  EXPECT_EQ(root.ChildCount(), 0u);
}

// An unreadable file: the load runs in a child process under an ordinary
// user's id (root reads every file), which reports code and detail.
TEST_F(BrukerLoadMalformed, AnUnreadableFileIsNamedWithPermissionDenied) {
  WriteFile("acqus", AcqusBuilder().Set("TD", " 8").Text());
  WriteFile("fid", IntSamples(8));
  for (const char* locked : {"acqus", "fid"}) {
    SCOPED_TRACE(locked);
    ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
    ASSERT_EQ(chmod(Path("acqus").c_str(), 0644), 0);
    ASSERT_EQ(chmod(Path("fid").c_str(), 0644), 0);
    ASSERT_EQ(chmod(Path(locked).c_str(), 0), 0);
    int pipe_ends[2];
    ASSERT_EQ(pipe(pipe_ends), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      close(pipe_ends[0]);
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
      cKyData root(0);
      const LibErrorCode code = Load(&root, Path("fid"));
      const char* detail = LibErrorDetailA(code);
      const std::string report = std::to_string(code) + "|" + (detail ? detail : "");
      if (write(pipe_ends[1], report.data(), report.size()) < 0) _exit(4);
      _exit(0);
    }
    close(pipe_ends[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    close(pipe_ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(report, "56|" + Path(locked) + ": permission denied");
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
