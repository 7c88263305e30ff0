// The CSV export under failing writes: whatever byte the disk fills at, and
// when the final flush fails, the export answers the error and the name
// stays free (no partial table, no temporary file left in the folder).
#include <string>
#include <vector>

#include "base/memory.h"
#include "data_engine/ky_data.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"

namespace {

cKyData* Block(Qword rows, Qword points) {
  auto* n = new cKyData(0);
  n->SetSize(points, rows, 1, 0.0, 1.0);
  for (Qword r = 0; r < rows; ++r)
    for (Qword p = 0; p < points; ++p)
      n->Row(r)[p] = r == 0 ? 1e-4 * static_cast<double>(p) : 1.0 / static_cast<double>(p + r);
  return n;
}

class CsvFaultTest : public TempFolderTest {};

TEST_F(CsvFaultTest, FailedWritesLeaveNothingUnderTheName) {
  // A small table swept at every byte, a large one (several buffer loads)
  // at sampled bytes.
  for (const Qword points : {Qword{12}, Qword{6000}}) {
    cKyData* b = Block(3, points);
    const std::u16string reference = Wide(Path("reference.csv"));
    ASSERT_EQ(ExportCsv(b, 0, reference.c_str()), kErrNone);
    const std::string complete = ReadFile(Path("reference.csv"));
    std::remove(Path("reference.csv").c_str());
    const std::u16string target = Wide(Path("table.csv"));
    std::vector<Qword> points_n = WriteFaultPoints(complete.size(), 1024, 48);
    points_n.push_back(complete.size());  // everything written, the flush fails
    for (const Qword n : points_n) {
      for (const bool sync_fails : {false, true}) {
        if (sync_fails != (n == complete.size())) continue;
        SCOPED_TRACE(testing::Message() << "size " << complete.size() << " N " << n);
        KillPtr(&b->last_csv_path);
        WriteFaultPlan plan;
        plan.fail_after_bytes = sync_fails ? ~Qword{0} : n;
        plan.fail_sync = sync_fails;
        LibErrorCode e;
        {
          WriteFaultGuard guard(plan);
          e = ExportCsv(b, 0, target.c_str());
          EXPECT_TRUE(guard.fired());
        }
        EXPECT_EQ(e, sync_fails ? kErrFileSystem : kErrDiskFull);
        EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{});
        EXPECT_EQ(b->last_csv_path, nullptr);
      }
    }
    // And the next export, with room on the disk, writes the whole table.
    ASSERT_EQ(ExportCsv(b, 0, target.c_str()), kErrNone);
    EXPECT_EQ(ReadFile(Path("table.csv")), complete);
    EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"table.csv"});
    std::remove(Path("table.csv").c_str());
    delete b;
  }
}

// A file that appears under the name while the table is written is kept:
// the export never replaces a file.
TEST_F(CsvFaultTest, AFileMadeMeanwhileIsNotReplaced) {
  cKyData* b = Block(2, 50);
  const std::string name = Path("race.csv");
  struct Context {
    std::string name;
    bool made = false;
  } context{name};
  // After the first write the other file appears.
  PlatformFileFaultHookForTesting(
      [](PlatformFileStep step, Qword*, void* c) {
        auto* ctx = static_cast<Context*>(c);
        if (step == PlatformFileStep::kSync && !ctx->made) {
          FILE* f = std::fopen(ctx->name.c_str(), "wb");
          std::fputs("theirs", f);
          std::fclose(f);
          ctx->made = true;
        }
        return 0;
      },
      &context);
  const std::u16string target = Wide(name);
  const LibErrorCode e = ExportCsv(b, 0, target.c_str());
  PlatformFileFaultHookForTesting(nullptr, nullptr);
  EXPECT_TRUE(context.made);
  EXPECT_EQ(e, kErrIllegalFileName);
  EXPECT_EQ(ReadFile(name), "theirs");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"race.csv"});
  delete b;
}

}  // namespace
