#include "app/core/bruker_folder_update.h"

#include "app/core/bruker_files.h"
#include "base/error_codes.h"
#include "base/errors.h"
#include "base/file_temp.h"
#include "base/files.h"

const char kBrukerUpdateJournal[] = ".pelorin-update";

namespace {

constexpr char kForward[] = "forward";
constexpr char kBack[] = "back";
constexpr char kPreviousSuffix[] = ".old";
constexpr Qword kPathRoom = 4096;

// The error of the file call that just failed (its system error is still
// the last one): a full disk says so, anything else is a file-system error.
LibErrorCode Failure() {
  return FileSaveLastError() == kErrDiskFull ? kErrDiskFull : kErrFileSystem;
}

// The journal: the direction, then one line per file with its name, its
// temporary name and the name of its previous contents, TAB-separated.
std::string JournalText(const char* direction,
                        const std::vector<BrukerFolderUpdate::Entry>& entries) {
  std::string text = std::string(direction) + "\n";
  for (const auto& e : entries) text += e.name + "\t" + e.temp + "\t" + e.previous + "\n";
  return text;
}

// Replaces the journal in one step. 0 or the failure.
LibErrorCode WriteJournal(const std::string& folder, const std::string& text) {
  const std::string path = BrukerJoin(folder, kBrukerUpdateJournal);
  char temp[kPathRoom];
  Qlong handle = FileTempCreateA(path.c_str(), nullptr, temp, sizeof temp);
  if (handle == -1) return Failure();
  if (!FileWriteBinary(handle, text.data(), text.size())) {
    const LibErrorCode e = Failure();
    FileTempAbandonA(&handle, temp);
    return e;
  }
  return FileTempCommitA(&handle, temp, path.c_str(), 1) ? kErrNone : Failure();
}

bool PlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// Reads the journal; false when it is not one this writer made.
bool ParseJournal(const std::string& text, bool* forward,
                  std::vector<BrukerFolderUpdate::Entry>* entries) {
  size_t pos = text.find('\n');
  if (pos == std::string::npos) return false;
  const std::string direction = text.substr(0, pos);
  if (direction != kForward && direction != kBack) return false;
  *forward = direction == kForward;
  for (++pos; pos < text.size();) {
    const size_t end = text.find('\n', pos);
    if (end == std::string::npos) return false;
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    const size_t t1 = line.find('\t'), t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
    if (t2 == std::string::npos) return false;
    BrukerFolderUpdate::Entry e;
    e.name = line.substr(0, t1);
    e.temp = line.substr(t1 + 1, t2 - t1 - 1);
    e.previous = line.substr(t2 + 1);
    // Only moves between a file and its own temporary names.
    if (!PlainName(e.name) || !FileTempIsNameOfA(e.temp.c_str(), e.name.c_str())) return false;
    if (!e.previous.empty() && e.previous != e.temp + kPreviousSuffix) return false;
    entries->push_back(e);
  }
  return true;
}

// Moves every file's new contents into place (their temporary files that
// are still there); then the previous names and the journal go.
bool RollForward(const std::string& folder, const std::vector<BrukerFolderUpdate::Entry>& entries) {
  bool ok = true;
  for (const auto& e : entries) {
    const std::string temp = BrukerJoin(folder, e.temp);
    if (BrukerFileExists(temp) && !FileRenameA(temp.c_str(), BrukerJoin(folder, e.name).c_str(), 1))
      ok = false;
  }
  return ok;
}

// Puts back every file's previous contents; a file that was new goes.
bool RollBack(const std::string& folder, const std::vector<BrukerFolderUpdate::Entry>& entries) {
  bool ok = true;
  for (const auto& e : entries) {
    const std::string target = BrukerJoin(folder, e.name);
    if (e.previous.empty()) {
      // The file was new: its new contents go, whether in place or not.
      if (BrukerFileExists(target) && !BrukerFileExists(BrukerJoin(folder, e.temp)))
        ok = FileDeleteA(target.c_str()) && ok;
    } else {
      const std::string previous = BrukerJoin(folder, e.previous);
      if (BrukerFileExists(previous) && !FileRenameA(previous.c_str(), target.c_str(), 1))
        ok = false;
    }
  }
  return ok;
}

// Removes what is left of an update once the folder is whole.
void CleanUp(const std::string& folder, const std::vector<BrukerFolderUpdate::Entry>& entries) {
  for (const auto& e : entries) {
    const std::string temp = BrukerJoin(folder, e.temp);
    if (BrukerFileExists(temp)) FileDeleteA(temp.c_str());
    if (!e.previous.empty()) {
      const std::string previous = BrukerJoin(folder, e.previous);
      if (BrukerFileExists(previous)) FileDeleteA(previous.c_str());
    }
  }
  FileDeleteA(BrukerJoin(folder, kBrukerUpdateJournal).c_str());
  FileSyncFolderOfA(BrukerJoin(folder, kBrukerUpdateJournal).c_str());
}

}  // namespace

BrukerFolderLock::BrukerFolderLock(const std::string& folder)
    : handle_(FileLockFolderA(folder.empty() ? "." : folder.c_str())) {}

BrukerFolderLock::~BrukerFolderLock() { FileUnlockFolder(&handle_); }

BrukerFolderUpdate::BrukerFolderUpdate(const std::string& folder) : folder_(folder) {}

BrukerFolderUpdate::~BrukerFolderUpdate() {
  for (Entry& e : entries_) {
    if (e.handle == -1) continue;
    const std::string temp = BrukerJoin(folder_, e.temp);
    FileTempAbandonA(&e.handle, temp.c_str());
  }
}

LibErrorCode BrukerFolderUpdate::Stage(const std::string& name, const std::string& bytes) {
  const std::string target = BrukerJoin(folder_, name);
  Entry e;
  e.name = name;
  e.existed = BrukerFileExists(target);
  char temp[kPathRoom];
  e.handle =
      FileTempCreateA(target.c_str(), e.existed ? target.c_str() : nullptr, temp, sizeof temp);
  if (e.handle == -1) return Failure();
  e.temp = BrukerNameOf(temp);
  if (e.existed) e.previous = e.temp + kPreviousSuffix;
  const bool ok = FileWriteBinary(e.handle, bytes.data(), bytes.size()) && FileTempSync(e.handle);
  const LibErrorCode error = ok ? kErrNone : Failure();
  entries_.push_back(e);  // removed by the destructor when not committed
  return error;
}

LibErrorCode BrukerFolderUpdate::Commit() {
  // From here on a reader completes the update: the journal goes first.
  if (LibErrorCode e = WriteJournal(folder_, JournalText(kForward, entries_))) return e;
  LibErrorCode error = kErrNone;
  for (Entry& e : entries_) {
    const std::string target = BrukerJoin(folder_, e.name);
    const std::string temp = BrukerJoin(folder_, e.temp);
    // The old contents keep a second name until the update is through.
    if (e.existed && !FileLinkA(target.c_str(), BrukerJoin(folder_, e.previous).c_str())) {
      error = Failure();
      break;
    }
    if (!FileRenameA(temp.c_str(), target.c_str(), 1)) {
      error = Failure();
      break;
    }
    FileTempRelease(&e.handle);
  }
  if (error == kErrNone) {
    FileSyncFolderOfA(BrukerJoin(folder_, kBrukerUpdateJournal).c_str());
    CleanUp(folder_, entries_);
    return kErrNone;
  }
  // Undo: the journal says so first, so that an interruption now is undone
  // as well rather than completed from half the files.
  WriteJournal(folder_, JournalText(kBack, entries_));
  if (RollBack(folder_, entries_)) {
    CleanUp(folder_, entries_);
  } else {
    // The journal finishes the work on the next access; the files it
    // names must stay.
    for (Entry& e : entries_) FileTempRelease(&e.handle);
  }
  return error;
}

LibErrorCode BrukerFolderRecover(const std::string& folder) {
  const std::string journal = BrukerJoin(folder, kBrukerUpdateJournal);
  if (!BrukerFileExists(journal)) return kErrNone;
  std::string text;
  if (BrukerReadWholeFile(journal, 1 << 20, &text) != kErrNone) return kErrFileSystem;
  bool forward = true;
  std::vector<BrukerFolderUpdate::Entry> entries;
  if (!ParseJournal(text, &forward, &entries)) return kErrFileSystem;
  const bool whole = forward ? RollForward(folder, entries) : RollBack(folder, entries);
  if (!whole) return kErrFileSystem;
  FileSyncFolderOfA(journal.c_str());
  CleanUp(folder, entries);
  return kErrNone;
}
