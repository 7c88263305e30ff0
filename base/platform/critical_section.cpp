#include "base/platform/critical_section.h"

#include <pthread.h>

#include <cerrno>
#include <new>

#include "base/platform/allocator.h"

struct PlatformCriticalSection {
  pthread_mutex_t mutex;
};

PlatformCriticalSection* WinMakeCriticalSection(void) {
  void* block = PlatformAlloc(sizeof(PlatformCriticalSection));
  if (!block) {
    errno = ENOMEM;
    return nullptr;
  }
  PlatformCriticalSection* section = new (block) PlatformCriticalSection;
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  const int rc = pthread_mutex_init(&section->mutex, &attr);
  pthread_mutexattr_destroy(&attr);
  if (rc != 0) {
    PlatformFree(block);
    errno = rc;
    return nullptr;
  }
  return section;
}

void WinDeleteCriticalSection(PlatformCriticalSection* section) {
  if (!section) return;
  pthread_mutex_destroy(&section->mutex);
  PlatformFree(section);
}

void WinEnterCriticalSection(PlatformCriticalSection* section) {
  pthread_mutex_lock(&section->mutex);
}

void WinLeaveCriticalSection(PlatformCriticalSection* section) {
  pthread_mutex_unlock(&section->mutex);
}

bool WinTryEnterCriticalSection(PlatformCriticalSection* section) {
  return pthread_mutex_trylock(&section->mutex) == 0;
}
