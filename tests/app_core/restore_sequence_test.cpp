// Long work sequences through LibCommand on the sample folders, checked
// against a model of the tree and its version chain: loads, Run Processing
// (restore every processed item as loaded, then the script the program
// builds), calibrations, QUANTIFY-only runs, undo, item restores and Close
// all, long enough to pass the chain's trim many times. After every run each
// item's Q must equal that of a fresh single run of the same setup on the
// freshly loaded folder, bit for bit.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/core/bruker_reader.h"
#include "app/core/calibration.h"
#include "app/core/processing_script.h"
#include "command/command_testing.h"
#include "command/ky_command_args.h"
#include "command/ky_commands.h"
#include "command/lib_command.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "support/recording_callback.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

// Folders with a nuclide of the setup, and their known concentrations.
const std::vector<std::string> kFolders = {"si29_c1", "si29_c2", "si29_c3", "si29_c4",
                                           "si29_c5", "c13_c2",  "c13_c4"};

std::string FidPath(const std::string& folder) { return SamplesDir() + "/" + folder + "/fid"; }

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Q of a fresh single run: the folder loaded into a new tree alone and the
// script of the default setup for its nuclide run once.
double FreshQuantity(const std::string& folder) {
  cKyData root(0);
  EXPECT_EQ(LoadBrukerData(&root, Wide(FidPath(folder)).c_str()), 0u) << folder;
  char nuclide[256] = {0};
  if (root.FirstChild()) root.FirstChild()->parameters.GetString("NUC", nuclide);
  std::string script;
  Qword bad = 0;
  EXPECT_TRUE(BuildProcessingScript(SetupValues{}, {nuclide}, &script, &bad)) << folder;
  KyAppRecord record{};
  RecordingCallback recorder;
  recorder.Install(&record);
  double q = std::nan("");
  recorder.On(kKyMsgTaskReport, [&q](KyAppRecord* r) {
    const Evp* evp = static_cast<const Evp*>(r->argument);
    if (evp->id == kEvpQuantify) q = evp->quantity;
    return Dword{0};
  });
  EXPECT_EQ(root.RunTask(script.c_str(), &record), 0u) << folder;
  recorder.Uninstall();
  return q;
}

// What the test expects of one version of the tree: the folder of each
// item and whether a snapshot has held the item since it was loaded.
struct ModelTree {
  std::vector<int> folders;
  std::vector<bool> held;
};

class RestoreSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    // Only one recorder listens at a time: the fresh runs come first.
    for (const std::string& folder : kFolders) fresh_.push_back(FreshQuantity(folder));
    KyFrameworkAppInfoResetForTesting();
    record_ = LibCommand(kKyCmdCreate, nullptr);
    ASSERT_NE(record_, nullptr);
    recorder_.Install(record_);
    recorder_.On(kKyMsgReadRequest, [](KyAppRecord* r) {
      const auto* request = static_cast<const ReaderRequest*>(r->argument);
      return static_cast<Dword>(LoadBrukerData(request->root, request->path));
    });
    recorder_.On(kKyMsgTaskReport, [this](KyAppRecord* r) {
      const Evp* evp = static_cast<const Evp*>(r->argument);
      if (evp->id == kEvpQuantify) quantity_[evp->zone] = evp->quantity;
      return Dword{0};
    });
    for (const ManifestRow& row : ReadManifest())
      concentration_[row.at("folder")] = row.at("concentration_in");
  }
  void TearDown() override {
    recorder_.Uninstall();
    LibCommand(kKyCmdFree, record_);
    KyFrameworkAppInfoResetForTesting();
  }

  Dword Run(Dword code, void* argument = nullptr) {
    record_->argument = argument;
    EXPECT_EQ(LibCommand(code, record_), record_);
    return record_->error;
  }
  static void* Index(Qword i) { return reinterpret_cast<void*>(i); }

  Qword ItemCount() {
    EXPECT_EQ(Run(kKyCmdItemCount), 0u);
    return record_->result.u64;
  }
  Qword State(Qword item) {
    EXPECT_EQ(Run(kKyCmdItemState, Index(item)), 0u);
    return record_->result.u64;
  }
  void SetState(Qword item, Dword state) {
    StateArgs args{static_cast<Qlong>(item), &state};
    EXPECT_EQ(Run(kKyCmdSetItemState, &args), 0u);
  }
  std::string Nuclide(Qword item) {
    ParameterArgs args{static_cast<Qlong>(item), "NUC", nullptr, nullptr};
    if (Run(kKyCmdGetParameter, &args) != 0) return "";
    void* text = record_->result.pointer;
    std::string nuclide = static_cast<const char*>(text);
    Run(kKyCmdKill, &text);
    return nuclide;
  }
  std::string Script(bool quantify_only) {
    std::vector<std::string> nuclides;
    for (Qword i = 0, n = ItemCount(); i < n; ++i) nuclides.push_back(Nuclide(i));
    std::string script;
    Qword bad = 0;
    EXPECT_TRUE(BuildProcessingScript(SetupValues{}, nuclides, &script, &bad));
    if (!quantify_only) return script;
    std::string kept;
    for (size_t at = 0; at < script.size();) {
      size_t end = script.find('\n', at);
      end = end == std::string::npos ? script.size() : end + 1;
      const std::string line = script.substr(at, end - at);
      if (line.rfind("#QUANTIFY", 0) == 0) kept += line;
      at = end;
    }
    return kept;
  }

  // The model's side of a task run that succeeded: the tree before it
  // becomes a version, every item held from then on.
  void ModelPush() {
    for (size_t i = 0; i < tree_.held.size(); ++i) tree_.held[i] = true;
    chain_.insert(chain_.begin(), tree_);
    while (chain_.size() > kKyUndoKeep + 1) chain_.erase(chain_.begin() + kKyUndoKeep);
  }

  void Load(int folder) {
    const std::u16string path = Wide(FidPath(kFolders[folder]));
    LoadDataArgs args{kKyDataBruker, path.c_str(), kKyLoadPathRequired, nullptr};
    ASSERT_EQ(Run(kKyCmdLoadData, &args), 0u) << kFolders[folder];
    tree_.folders.push_back(folder);
    tree_.held.push_back(false);
    ASSERT_EQ(ItemCount(), tree_.folders.size());
    SetState(tree_.folders.size() - 1, 0);
  }

  // Run Processing as the program does it; then every item's Q against
  // its fresh single run.
  void RunProcessing(const std::string& where) {
    const Qword n = ItemCount();
    ASSERT_EQ(n, tree_.folders.size()) << where;
    for (Qword i = 0; i < n; ++i)
      if (State(i) != 0) {
        ASSERT_EQ(Run(kKyCmdRestoreOldest, Index(i)), 0u) << where << " item " << i;
        SetState(i, 0);
      }
    std::string script = Script(false);
    quantity_.clear();
    ASSERT_EQ(Run(kKyCmdRunTaskScript, script.data()), 0u) << where;
    ModelPush();
    for (Qword i = 0; i < n; ++i) {
      SetState(i, 1);
      ASSERT_EQ(quantity_.count(i), 1u) << where << " item " << i;
      EXPECT_EQ(quantity_[i], fresh_[tree_.folders[i]])
          << where << ": item " << i << " (" << kFolders[tree_.folders[i]] << ")";
    }
  }

  void QuantifyOnly() {
    std::string script = Script(true);
    ASSERT_EQ(Run(kKyCmdRunTaskScript, script.data()), 0u);
    ModelPush();
  }

  // The two steps of Run Calibration; each successful one is a task run
  // with its snapshot. Answers whether both succeeded.
  bool Calibrate() {
    std::vector<CalibrationRowTexts> rows;
    for (int folder : tree_.folders) {
      char q[64];
      std::snprintf(q, sizeof q, "%.17g", fresh_[folder]);
      rows.push_back({true, concentration_[kFolders[folder]], q});
    }
    std::string alert;
    if (!CheckCalibrationRows(rows, &alert)) return false;
    Qword m = 0;
    std::vector<double> table = CalibrationTable(rows, &m);
    std::string parameters = CalibrationTableParameters(m);
    Evp qarray;
    InitCalibrationQArray(&qarray, &parameters, &table);
    const Dword e = Run(kKyCmdRunTaskRecord, &qarray);
    qarray.parameters = nullptr;
    qarray.caller_matrix = nullptr;
    if (e != 0) return false;
    ModelPush();
    Evp fit;
    InitEvp(&fit);
    fit.id = kEvpFit;
    fit.mode = 1;
    fit.level = 2;
    if (Run(kKyCmdRunTaskRecord, &fit) != 0) return false;
    ModelPush();
    for (Qword i = 0; i < tree_.folders.size(); ++i) SetState(i, 2);
    return true;
  }

  void Undo() {
    const Dword e = Run(kKyCmdUndoData);
    ASSERT_EQ(e, 0u);
    if (chain_.empty()) {
      EXPECT_EQ(record_->result.pointer, nullptr);
      return;
    }
    EXPECT_EQ(record_->result.u64, 1u);
    tree_ = chain_.front();
    chain_.erase(chain_.begin());
    ASSERT_EQ(ItemCount(), tree_.folders.size());
  }

  // Code 144 on its own: an item a snapshot has held goes back to its data
  // as loaded; one that none has held cannot, and says so.
  void RestoreOldest(Qword item) {
    const Dword e = Run(kKyCmdRestoreOldest, Index(item));
    EXPECT_EQ(e, tree_.held[item] ? 0u : Dword{kErrMissingInputData}) << "item " << item;
  }

  void RestorePrevious(Qword item) { EXPECT_EQ(Run(kKyCmdRestorePrevious, Index(item)), 0u); }

  void CloseAll() {
    EXPECT_EQ(Run(kKyCmdFreeData), 0u);
    EXPECT_EQ(record_->data_root, nullptr);
    tree_ = ModelTree{};
    chain_.clear();
  }

  KyAppRecord* record_ = nullptr;
  RecordingCallback recorder_;
  std::map<Qword, double> quantity_;
  std::vector<double> fresh_;
  std::map<std::string, std::string> concentration_;
  ModelTree tree_;
  std::vector<ModelTree> chain_;  // newest first
};

TEST_F(RestoreSequence, ItemLoadedAfterTheFirstRunOutlivesTheTrim) {
  // si29_c1, Run, si29_c2, three runs, one calibration, then enough runs to
  // trim the version that first held si29_c2.
  Load(0);
  RunProcessing("first run");
  Load(1);
  for (int i = 0; i < 3; ++i) RunProcessing("run " + std::to_string(i + 2));
  ASSERT_TRUE(Calibrate());
  for (int i = 0; i < 18; ++i) RunProcessing("run after calibration " + std::to_string(i + 1));
}

TEST_F(RestoreSequence, QuantifyOnlyRunBeforeTheTrim) {
  Load(0);
  RunProcessing("first run");
  Load(1);
  for (int i = 0; i < 3; ++i) RunProcessing("run " + std::to_string(i + 2));
  QuantifyOnly();
  for (int i = 0; i < 18; ++i) RunProcessing("run after quantify " + std::to_string(i + 1));
}

TEST_F(RestoreSequence, RandomSequencesAgainstTheModel) {
  for (const unsigned seed : {11u, 2027u, 90210u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937_64 random(seed);
    auto pick = [&random](Qword n) { return static_cast<Qword>(random() % n); };
    for (int step = 0; step < 160; ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      const Qword n = tree_.folders.size();
      const Qword action = pick(100);
      if (n == 0 || (action < 12 && n < 6)) {
        Load(static_cast<int>(pick(kFolders.size())));
      } else if (action < 55) {
        RunProcessing("run");
      } else if (action < 63) {
        Calibrate();
      } else if (action < 68) {
        QuantifyOnly();
      } else if (action < 82) {
        Undo();
      } else if (action < 90) {
        RestoreOldest(pick(n));
      } else if (action < 95) {
        RestorePrevious(pick(n));
      } else if (action < 97) {
        CloseAll();
      } else {
        RunProcessing("run");
      }
      if (HasFatalFailure()) return;
    }
    CloseAll();
  }
}

}  // namespace
