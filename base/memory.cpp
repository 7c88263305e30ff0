#include "base/memory.h"

double* NewArrCopyExtend(Dword* error, const double* source, Qword count, Qword extra) {
  *error = kErrNone;
  if (!source) return nullptr;
  const Qword total = count + extra;
  if (total < count) {  // the sum wrapped: far beyond any possible block
    *error = kErrAlloc;
    return nullptr;
  }
  if (total == 0) return nullptr;
  double* block = NewRealArrFill(error, total);
  if (block && count) std::memcpy(block, source, static_cast<size_t>(count * sizeof(double)));
  return block;
}

VELTRIA_INTERNAL void KillPtr(void* address_of_pointer) {
  if (!address_of_pointer) return;
  void** slot = static_cast<void**>(address_of_pointer);
  if (!*slot) return;
  PlatformFree(*slot);
  *slot = nullptr;
}

VELTRIA_ALIAS(void, CArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, CFArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, CMatKill, (void*), KillPtr);
VELTRIA_ALIAS(void, IArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, IMatKill, (void*), KillPtr);
VELTRIA_ALIAS(void, IQArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, IQMatKill, (void*), KillPtr);
VELTRIA_ALIAS(void, KillString, (void*), KillPtr);
VELTRIA_ALIAS(void, KillStringA, (void*), KillPtr);
VELTRIA_ALIAS(void, RArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, RMatKill, (void*), KillPtr);
VELTRIA_ALIAS(void, RPArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, UArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, UMatKill, (void*), KillPtr);
VELTRIA_ALIAS(void, UQArrKill, (void*), KillPtr);
VELTRIA_ALIAS(void, UQMatKill, (void*), KillPtr);
