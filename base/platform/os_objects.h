// Handles of the process and thread objects. Windows closes every kind of
// handle with one call; here a handle is either a file descriptor or a
// tagged value that names an entry of this table, so OsKillHandle can close
// both. Tagged values are never reused, so a stale handle cannot reach a
// newer object. The pseudo handles -1 (this process) and -2 (this thread)
// are never in the table; closing -2 does nothing, closing -1 fails like
// any closed handle.
#pragma once
#include <atomic>
#include <utility>

#include "base/types.h"

enum : Qlong {
  kPseudoCurrentProcess = -1,
  kPseudoCurrentThread = -2,
};

// What a handle names; counted references are held by every handle of it
// and, for threads, by the running thread itself. (An intrusive count keeps
// the standard library's shared-pointer type data out of the exports.)
struct OsObject {
  virtual ~OsObject() = default;
  std::atomic<Long> references{1};
};

inline void OsObjectRetain(OsObject* object) {
  object->references.fetch_add(1, std::memory_order_relaxed);
}
inline void OsObjectRelease(OsObject* object) {
  if (object && object->references.fetch_sub(1, std::memory_order_acq_rel) == 1) delete object;
}

// One counted reference of an object of type T.
template <class T>
class OsRef {
 public:
  OsRef() = default;
  // Takes over a reference the caller already holds.
  explicit OsRef(T* adopted) : object_(adopted) {}
  OsRef(const OsRef& other) : object_(other.object_) {
    if (object_) OsObjectRetain(object_);
  }
  OsRef(OsRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  OsRef& operator=(OsRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~OsRef() { OsObjectRelease(object_); }
  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// A new handle that holds a new reference of the object (0 with errno
// ENOMEM when the table cannot grow).
Qlong OsObjectInsert(OsObject* object);
// A reference of the object of a handle, or null (not a table handle,
// closed, or of another type).
OsObject* OsObjectFindRetained(Qlong handle);
template <class T>
OsRef<T> OsObjectFind(Qlong handle) {
  OsObject* found = OsObjectFindRetained(handle);
  T* typed = dynamic_cast<T*>(found);
  if (!typed) {
    OsObjectRelease(found);
    return OsRef<T>();
  }
  return OsRef<T>(typed);
}
// True when the value has the form of a table handle (open or not).
bool OsObjectIsTableHandle(Qlong handle);

// Closes any handle: a table entry, the thread pseudo handle (nothing to
// do) or a descriptor. 1, or 0 with errno.
Dword WinKillHandle(Qlong handle);
