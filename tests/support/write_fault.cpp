#include "support/write_fault.h"

#include <signal.h>

#include <algorithm>
#include <filesystem>

WriteFaultGuard::WriteFaultGuard(const WriteFaultPlan& plan) : plan_(plan) {
  PlatformFileFaultHookForTesting(&WriteFaultGuard::Hook, this);
}

WriteFaultGuard::~WriteFaultGuard() { PlatformFileFaultHookForTesting(nullptr, nullptr); }

int WriteFaultGuard::Hook(PlatformFileStep step, Qword* count, void* context) {
  auto* self = static_cast<WriteFaultGuard*>(context);
  const WriteFaultPlan& plan = self->plan_;
  if (self->steps_++ == plan.kill_at_step || self->bytes_ >= plan.kill_after_bytes) raise(SIGKILL);
  switch (step) {
    case PlatformFileStep::kWrite: {
      if (self->write_starts_.empty() || self->write_starts_.back() != self->bytes_)
        self->write_starts_.push_back(self->bytes_);
      if (self->bytes_ >= plan.fail_after_bytes) {
        self->fired_ = true;
        return plan.error;
      }
      const Qword limit = plan.fail_after_bytes < plan.kill_after_bytes ? plan.fail_after_bytes
                                                                        : plan.kill_after_bytes;
      const Qword room = limit - self->bytes_;
      if (*count > room) *count = room;  // a short write; the next step fails
      self->bytes_ += *count;
      return 0;
    }
    case PlatformFileStep::kSync:
      if (!plan.fail_sync && self->syncs_++ != plan.fail_sync_number) return 0;
      self->fired_ = true;
      return EIO;
    case PlatformFileStep::kRename:
      if (self->renames_++ != plan.fail_rename) return 0;
      self->fired_ = true;
      return EIO;
  }
  return 0;
}

std::vector<Qword> WriteFaultPoints(Qword total, Qword every_below, Qword samples) {
  std::vector<Qword> points;
  for (Qword n = 0; n <= total && n < every_below; ++n) points.push_back(n);
  if (total >= every_below) {
    for (Qword i = 0; i <= samples; ++i)
      points.push_back(every_below + (total - every_below) * i / samples);
    // Around the ends of the pieces a buffered writer hands over.
    for (Qword piece = 32768; piece < total; piece *= 2)
      for (Qword n : {piece - 1, piece, piece + 1}) points.push_back(n);
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

std::vector<Qword> WriteFaultPointsAround(const std::vector<Qword>& starts, Qword total,
                                          Qword samples) {
  std::vector<Qword> points;
  for (const Qword start : starts)
    for (Qword d = 0; d < 3; ++d) {
      if (start + d < total) points.push_back(start + d);
      if (start >= d + 1) points.push_back(start - d - 1);
    }
  for (Qword i = 0; i < samples; ++i) points.push_back(total * i / samples);
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
