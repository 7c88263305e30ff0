// Faults in the file layer's writes, flushes and renames, through the
// platform's test-only hook: writes fail after a number of bytes, a flush
// or a rename fails, or the process kills itself at a chosen step. The
// guard counts what passed, so a sweep can run N over every byte of a file.
#pragma once
#include <cerrno>
#include <string>
#include <vector>

#include "base/platform/file_fault_testing.h"
#include "base/types.h"

struct WriteFaultPlan {
  // Bytes written before every further write fails (none: never).
  Qword fail_after_bytes = ~Qword{0};
  bool fail_sync = false;
  // Only the flush with this 0-based number fails (none: every one, when
  // fail_sync is set).
  Qword fail_sync_number = ~Qword{0};
  // The rename with this 0-based number fails (none: never).
  Qword fail_rename = ~Qword{0};
  // Before the step with this 0-based number (writes, flushes and renames
  // counted together) the process sends itself SIGKILL (none: never).
  Qword kill_at_step = ~Qword{0};
  // Once this many bytes are written (the write that crosses it is cut
  // there), the next step kills the process: killed in the middle of a file.
  Qword kill_after_bytes = ~Qword{0};
  int error = ENOSPC;
};

// Installs the plan for its lifetime; counts written bytes and steps.
class WriteFaultGuard {
 public:
  explicit WriteFaultGuard(const WriteFaultPlan& plan);
  WriteFaultGuard(const WriteFaultGuard&) = delete;
  WriteFaultGuard& operator=(const WriteFaultGuard&) = delete;
  ~WriteFaultGuard();
  Qword bytes() const { return bytes_; }
  Qword steps() const { return steps_; }
  Qword syncs() const { return syncs_; }
  Qword renames() const { return renames_; }
  // The byte offsets at which writes began (a file's start among them).
  const std::vector<Qword>& write_starts() const { return write_starts_; }
  // True once a fault was injected.
  bool fired() const { return fired_; }

 private:
  static int Hook(PlatformFileStep step, Qword* count, void* context);
  WriteFaultPlan plan_;
  Qword bytes_ = 0;
  Qword steps_ = 0;
  Qword renames_ = 0;
  Qword syncs_ = 0;
  std::vector<Qword> write_starts_;
  bool fired_ = false;
};

// The points of a sweep over `total` bytes: every N up to `every_below`,
// then about `samples` points spread evenly with both ends.
std::vector<Qword> WriteFaultPoints(Qword total, Qword every_below = 4096, Qword samples = 64);

// The points of a sweep over writes that begin at `starts` and end at
// `total`: a few bytes around every start, and `samples` points spread
// evenly, for runs too slow to fail at every byte.
std::vector<Qword> WriteFaultPointsAround(const std::vector<Qword>& starts, Qword total,
                                          Qword samples = 40);

// The names in a folder, sorted (no "." and "..").
std::vector<std::string> FolderNames(const std::string& folder);
