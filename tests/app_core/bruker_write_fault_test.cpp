// Saving into an acquisition folder under failing writes, flushes and
// renames, and killed at any moment: afterwards the folder loads as the old
// data set or the new one, never a mix of the two, no temporary file stays
// behind (after the next save at the latest) and the next save succeeds.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/bruker_folder_update.h"
#include "app/core/bruker_reader.h"
#include "app/core/bruker_writer.h"
#include "base/utf.h"
#include "data_engine/ky_data.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"
#include "tests/app_core/acqus_builder.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

std::u16string W(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// The bytes of the folder's data file and acqus: what decides the data set.
struct FolderSet {
  std::string data, acqus;
  bool operator==(const FolderSet& o) const { return data == o.data && acqus == o.acqus; }
};

class BrukerWriteFault : public TempFolderTest {
 protected:
  FolderSet SetOf(const std::string& folder, const std::string& data_name = "fid") {
    return {ReadFile(folder + "/" + data_name), ReadFile(folder + "/acqus")};
  }
  // Names the folder holds that no save should leave: temporary files,
  // the journal and the second names of old files.
  std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> out;
    for (const std::string& name : FolderNames(folder))
      if (name.find(".pelorin-") != std::string::npos || name == kBrukerUpdateJournal)
        out.push_back(name);
    return out;
  }
  // Loads the folder's data file; the blocks' real rows, or the error.
  LibErrorCode LoadRows(const std::string& folder, std::vector<std::vector<double>>* rows,
                        const std::string& data_name = "fid") {
    cKyData root(0);
    const LibErrorCode e = LoadBrukerData(&root, W(folder + "/" + data_name).c_str());
    rows->clear();
    if (e != kErrNone) return e;
    const cKyData* item = root.LastChild();
    for (Dword b = 0; b < item->ChildCount(); ++b) {
      const cKyData* block = item->Child(b);
      rows->emplace_back(block->Row(1), block->Row(1) + block->points);
    }
    return e;
  }
};

TEST_F(BrukerWriteFault, FailedSavesLeaveTheOldDataSet) {
  cKyData root(0);
  ASSERT_EQ(LoadBrukerData(&root, W(SamplesDir() + "/si29_c2/fid").c_str()), 0u);
  cKyData* item = root.LastChild();
  const std::string old_folder = SamplesDir() + "/c13_c2";
  const FolderSet old_set = SetOf(old_folder);
  std::vector<std::vector<double>> old_rows;
  ASSERT_EQ(LoadRows(old_folder, &old_rows), 0u);

  // A save without faults: the new set, and how much it writes.
  const std::string reference = Path("reference");
  std::filesystem::copy(old_folder, reference);
  WriteFaultGuard counting(WriteFaultPlan{});
  ASSERT_EQ(SaveBrukerData(item, W(reference).c_str()), 0u);
  const Qword total = counting.bytes(), syncs = counting.syncs(), renames = counting.renames();
  ASSERT_GT(counting.write_starts().size(), 3u);
  PlatformFileFaultHookForTesting(nullptr, nullptr);
  const FolderSet new_set = SetOf(reference);
  ASSERT_FALSE(new_set.data == old_set.data);
  ASSERT_FALSE(new_set.acqus == old_set.acqus);

  std::vector<WriteFaultPlan> plans;
  // The folder's files are several kilobytes each: a few bytes around the
  // start of every write and points spread across all of them.
  for (const Qword n : WriteFaultPointsAround(counting.write_starts(), total)) {
    WriteFaultPlan p;
    p.fail_after_bytes = n;
    plans.push_back(p);
  }
  for (Qword k = 0; k < syncs; ++k) {
    WriteFaultPlan p;
    p.fail_sync_number = k;
    plans.push_back(p);
  }
  for (Qword k = 0; k < renames; ++k) {
    WriteFaultPlan p;
    p.fail_rename = k;
    plans.push_back(p);
  }
  ASSERT_GT(syncs, 2u);
  ASSERT_GT(renames, 2u);
  for (size_t i = 0; i < plans.size(); ++i) {
    const WriteFaultPlan& plan = plans[i];
    SCOPED_TRACE(testing::Message() << "bytes " << plan.fail_after_bytes << " sync "
                                    << plan.fail_sync_number << " rename " << plan.fail_rename);
    const std::string out = Path("out" + std::to_string(i));
    std::filesystem::copy(old_folder, out);
    LibErrorCode e;
    bool fired;
    {
      WriteFaultGuard guard(plan);
      e = SaveBrukerData(item, W(out).c_str());
      fired = guard.fired();
    }
    // A fault in a flush of the folder's entries does not undo a save
    // that is in place; every other fault is an error.
    if (e == kErrNone) {
      EXPECT_TRUE(plan.fail_sync_number != ~Qword{0}) << "a failed write reported as success";
      EXPECT_TRUE(SetOf(out) == new_set);
    } else {
      EXPECT_TRUE(fired);
      EXPECT_TRUE(e == kErrFileSystem || e == kErrDiskFull) << e;
      EXPECT_TRUE(SetOf(out) == old_set);
      // Backups that were made are whole copies of the old files.
      if (Exists(out + "/fid.backup")) {
        EXPECT_EQ(ReadFile(out + "/fid.backup"), old_set.data);
      }
      if (Exists(out + "/acqus.backup")) {
        EXPECT_EQ(ReadFile(out + "/acqus.backup"), old_set.acqus);
      }
    }
    EXPECT_EQ(Leftovers(out), std::vector<std::string>{});
    std::vector<std::vector<double>> rows;
    ASSERT_EQ(LoadRows(out, &rows), 0u);
    if (e != kErrNone) {
      EXPECT_EQ(rows, old_rows);
    }
    // And the next save goes through.
    ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
    EXPECT_TRUE(SetOf(out) == new_set);
    EXPECT_EQ(Leftovers(out), std::vector<std::string>{});
    std::filesystem::remove_all(out);
  }
}

// A journal left by a save that was killed after every new file was
// written: the next load completes it (the new set), a journal of a save
// being undone gives the old set, and a journal that names anything but
// the folder's own temporary files is refused.
TEST_F(BrukerWriteFault, AnInterruptedSaveIsCompletedByTheNextLoad) {
  const std::string old_folder = SamplesDir() + "/si29_c1";
  const FolderSet old_set = SetOf(old_folder);
  const FolderSet new_set = SetOf(SamplesDir() + "/si29_c2");
  for (const bool forward : {true, false}) {
    SCOPED_TRACE(forward);
    const std::string out = Path(forward ? "forward" : "back");
    std::filesystem::copy(old_folder, out);
    // The data file already moved into place (its old contents under a
    // second name), acqus still waiting under its temporary name.
    const std::string fid_temp = "fid.pelorin-abcd1234.tmp",
                      acqus_temp = "acqus.pelorin-wxyz0987.tmp";
    std::filesystem::rename(out + "/fid", out + "/" + fid_temp + ".old");
    WriteFile(std::string(forward ? "forward" : "back") + "/fid", new_set.data);
    WriteFile(std::string(forward ? "forward" : "back") + "/" + acqus_temp, new_set.acqus);
    WriteFile(std::string(forward ? "forward" : "back") + "/" + kBrukerUpdateJournal,
              std::string(forward ? "forward" : "back") + "\nfid\t" + fid_temp + "\t" + fid_temp +
                  ".old\nacqus\t" + acqus_temp + "\t" + acqus_temp + ".old\n");
    std::vector<std::vector<double>> rows;
    ASSERT_EQ(LoadRows(out, &rows), 0u);
    EXPECT_TRUE(SetOf(out) == (forward ? new_set : old_set));
    EXPECT_EQ(Leftovers(out), std::vector<std::string>{});
  }
  const std::string bad = Path("bad");
  std::filesystem::copy(old_folder, bad);
  WriteFile("bad/" + std::string(kBrukerUpdateJournal), "forward\nacqus\t../../x\t\n");
  std::vector<std::vector<double>> rows;
  EXPECT_EQ(LoadRows(bad, &rows), kErrFileSystem);
  EXPECT_TRUE(SetOf(bad) == old_set);
}

// Temporary names are not taken from a fixed set: a folder full of files
// that look like old temporary names does not stop a save, and leftovers
// of killed saves (unlocked temporary files) are removed by it.
TEST_F(BrukerWriteFault, LeftoversNeitherBlockNorStay) {
  cKyData root(0);
  ASSERT_EQ(LoadBrukerData(&root, W(SamplesDir() + "/si29_c2/fid").c_str()), 0u);
  const std::string out = Path("out");
  std::filesystem::copy(SamplesDir() + "/si29_c1", out);
  for (int i = 0; i < 100; ++i) WriteFile("out/fid.pelorin-" + std::to_string(i), "x");
  WriteFile("out/fid.pelorin-0123abcd.tmp", "half a decay");
  WriteFile("out/acqus.pelorin-zz99yy88.tmp", "half a parameter file");
  ASSERT_EQ(SaveBrukerData(root.LastChild(), W(out).c_str()), 0u);
  EXPECT_FALSE(Exists(out + "/fid.pelorin-0123abcd.tmp"));
  EXPECT_FALSE(Exists(out + "/acqus.pelorin-zz99yy88.tmp"));
  EXPECT_EQ(ReadFile(out + "/fid"), ReadFile(SamplesDir() + "/si29_c2/fid"));
}

// A big folder of its own: TD samples of 32-bit integers, a pattern by
// `seed`, and an acqus that differs by seed as well.
void MakeFolder(const std::string& folder, Qword td, int seed) {
  std::filesystem::create_directories(folder);
  const std::string acqus = AcqusBuilder()
                                .Set("TD", " " + std::to_string(td))
                                .Set("O1", " " + std::to_string(1000 + seed))
                                .Text();
  FILE* f = std::fopen((folder + "/acqus").c_str(), "wb");
  std::fwrite(acqus.data(), 1, acqus.size(), f);
  std::fclose(f);
  std::vector<int32_t> samples(td);
  for (Qword i = 0; i < td; ++i)
    samples[i] = static_cast<int32_t>((i * 7919 + seed * 104729) % 200001) - 100000;
  f = std::fopen((folder + "/fid").c_str(), "wb");
  std::fwrite(samples.data(), 4, samples.size(), f);
  std::fclose(f);
}

// The child writes a large folder and a large table and is killed at
// every step of the file layer and in the middle of its files; the parent
// then checks what a user would find.
TEST_F(BrukerWriteFault, KilledSavesLeaveOneDataSetAndAWholeTableOrNone) {
  constexpr Qword kTd = 16384;  // 64 kilobytes of samples
  const std::string old_folder = Path("big_old"), new_folder = Path("big_new");
  MakeFolder(old_folder, kTd, 1);
  MakeFolder(new_folder, kTd, 2);
  cKyData root(0);
  ASSERT_EQ(LoadBrukerData(&root, W(new_folder + "/fid").c_str()), 0u);
  cKyData* item = root.LastChild();
  const FolderSet old_set = SetOf(old_folder);

  // One run without a kill: the new set, the table, and the steps taken.
  const std::string reference = Path("reference");
  std::filesystem::copy(old_folder, reference);
  WriteFaultGuard counting(WriteFaultPlan{});
  ASSERT_EQ(SaveBrukerData(item, W(reference).c_str()), 0u);
  ASSERT_EQ(ExportCsv(item->FirstChild(), 0, W(Path("reference.csv")).c_str()), 0u);
  const Qword steps = counting.steps(), bytes = counting.bytes();
  PlatformFileFaultHookForTesting(nullptr, nullptr);
  const FolderSet new_set = SetOf(reference);
  const std::string table = ReadFile(Path("reference.csv"));
  ASSERT_GT(table.size(), 100000u);

  std::vector<WriteFaultPlan> plans;
  for (Qword k = 0; k < steps; ++k) {
    WriteFaultPlan p;
    p.kill_at_step = k;
    plans.push_back(p);
  }
  for (Qword i = 1; i < 8; ++i) {
    WriteFaultPlan p;
    p.kill_after_bytes = bytes * i / 8 + 13;  // in the middle of a number or a sample
    plans.push_back(p);
  }
  for (size_t i = 0; i < plans.size(); ++i) {
    SCOPED_TRACE(testing::Message()
                 << "step " << plans[i].kill_at_step << " bytes " << plans[i].kill_after_bytes);
    const std::string out = Path("out" + std::to_string(i)),
                      csv = Path("table" + std::to_string(i) + ".csv");
    std::filesystem::copy(old_folder, out);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      WriteFaultGuard guard(plans[i]);
      const bool ok = SaveBrukerData(item, W(out).c_str()) == kErrNone &&
                      ExportCsv(item->FirstChild(), 0, W(csv).c_str()) == kErrNone;
      _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child was not killed";
    // The table is absent or whole.
    if (Exists(csv)) {
      EXPECT_EQ(ReadFile(csv), table);
    }
    // The folder loads as one data set.
    std::vector<std::vector<double>> rows;
    ASSERT_EQ(LoadRows(out, &rows), 0u);
    const FolderSet now = SetOf(out);
    EXPECT_TRUE(now == old_set || now == new_set) << "a mixed folder";
    // The next save succeeds and leaves nothing behind.
    ASSERT_EQ(SaveBrukerData(item, W(out).c_str()), 0u);
    EXPECT_TRUE(SetOf(out) == new_set);
    EXPECT_EQ(Leftovers(out), std::vector<std::string>{});
    if (!Exists(csv)) {
      ASSERT_EQ(ExportCsv(item->FirstChild(), 0, W(csv).c_str()), 0u);
      EXPECT_EQ(ReadFile(csv), table);
    }
    EXPECT_EQ(Leftovers(dir_), std::vector<std::string>{});
    std::filesystem::remove_all(out);
    std::remove(csv.c_str());
  }
}

}  // namespace
