#include "base/platform/os_objects.h"

#include <cerrno>
#include <mutex>
#include <new>
#include <unordered_map>

#include "base/platform/file_io.h"

namespace {

// Far above every descriptor and below the sign bit.
constexpr Qlong kTag = 0x4B59000000000000;
constexpr Qlong kTagMask = 0x7FFF000000000000;

struct Table {
  std::mutex lock;
  std::unordered_map<Qlong, OsObject*> entries;
  Qlong next = 1;
};

Table& TheTable() {
  // Never destroyed: detached threads may still close handles at exit.
  static Table* table = new Table;
  return *table;
}

}  // namespace

bool OsObjectIsTableHandle(Qlong handle) { return handle > 0 && (handle & kTagMask) == kTag; }

Qlong OsObjectInsert(OsObject* object) {
  Table& table = TheTable();
  std::lock_guard<std::mutex> guard(table.lock);
  const Qlong handle = kTag | table.next;
  try {
    table.entries.emplace(handle, object);
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return 0;
  }
  OsObjectRetain(object);
  ++table.next;
  return handle;
}

OsObject* OsObjectFindRetained(Qlong handle) {
  if (!OsObjectIsTableHandle(handle)) return nullptr;
  Table& table = TheTable();
  std::lock_guard<std::mutex> guard(table.lock);
  auto it = table.entries.find(handle);
  if (it == table.entries.end()) return nullptr;
  OsObjectRetain(it->second);
  return it->second;
}

Dword WinKillHandle(Qlong handle) {
  // -1 stays an invalid handle for the library's callers: closing it fails.
  if (handle == kPseudoCurrentThread) return 1;
  if (!OsObjectIsTableHandle(handle)) return WinFileClose(handle);
  OsObject* released = nullptr;
  Table& table = TheTable();
  {
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.entries.find(handle);
    if (it == table.entries.end()) {
      errno = EBADF;
      return 0;
    }
    released = it->second;
    table.entries.erase(it);
  }
  OsObjectRelease(released);  // outside the lock: a process may be reaped here
  return 1;
}
