// Power-basis coefficients of the Chebyshev polynomials, as real or signed
// 64-bit arrays, by the three-term recurrence on whole coefficient arrays.
#include <cstring>

#include "base/error_codes.h"
#include "base/memory.h"
#include "scalar/orthogonal_polys.h"

namespace {
// Whole-array steps on the allocate-and-fill of base, for either element type.
template <class T>
struct ArrayOps {
  static Dword Zero(Qword n, T* p) {
    if (!p) return kErrMissingInputData;
    std::memset(p, 0, static_cast<size_t>(n * sizeof(T)));
    return kErrNone;
  }
  static T* New(Dword* e, Qword n) { return NewArrFill<T>(e, n); }
  static T* NewCopy(Dword* e, Qword n, const T* p) {
    T* q = NewArrFill<T>(e, n);
    if (q) std::memcpy(q, p, static_cast<size_t>(n * sizeof(T)));
    return q;
  }
  static Dword Copy(Qword n, const T* src, T* dst) {
    if (!src || !dst) return kErrMissingInputData;
    std::memmove(dst, src, static_cast<size_t>(n * sizeof(T)));
    return kErrNone;
  }
  static void Kill(T** p) { KillPtr(p); }
};

struct RealOps : ArrayOps<double> {
  using T = double;
  static T TwiceMinus(T a, T b) { return 2 * a - b; }
  static T Negate(T a) { return -a; }
};

// The integer forms wrap modulo 2^64 beyond the signed range, by design.
struct IntOps : ArrayOps<Qlong> {
  using T = Qlong;
  static T TwiceMinus(T a, T b) {
    return static_cast<T>(2 * static_cast<Qword>(a) - static_cast<Qword>(b));
  }
  static T Negate(T a) { return static_cast<T>(0 - static_cast<Qword>(a)); }
};

// Coefficients of T_n (lead 1) or U_n (lead 2) into p[0..n].
template <class Ops>
Dword ChebyshevFill(Qword n, typename Ops::T* p, typename Ops::T lead) {
  using T = typename Ops::T;
  if (!p) return kErrMissingOutputBuffer;
  if (n == ~Qword{0}) return kErrAlloc;  // n + 1 entries cannot exist
  const Qword count = n + 1;
  if (const Dword status = Ops::Zero(count, p)) return status;
  if (n == 0) {
    p[0] = 1;
    return kErrNone;
  }
  p[1] = lead;
  if (n == 1) return kErrNone;
  Dword status = kErrNone;
  T* older = Ops::NewCopy(&status, count, p);
  if (!older) return status;
  T* newer = Ops::NewCopy(&status, count, p);
  if (!newer) {
    Ops::Kill(&older);
    return status;
  }
  older[1] = 0;
  older[0] = 1;
  for (Qword i = 2; i <= n; ++i) {
    for (Qword j = 0; j <= i; ++j) {
      if ((i + j) % 2) {
        p[j] = 0;
      } else if (j == 0) {
        p[0] = Ops::Negate(older[0]);
      } else {
        p[j] = Ops::TwiceMinus(newer[j - 1], older[j]);
      }
    }
    if (i < n) {
      T* spare = older;
      older = newer;
      newer = spare;
      Ops::Copy(i + 1, p, newer);
    }
  }
  Ops::Kill(&older);
  Ops::Kill(&newer);
  return kErrNone;
}

template <class Ops>
typename Ops::T* ChebyshevNew(Dword* error, Qword n, typename Ops::T lead) {
  using T = typename Ops::T;
  Dword local = kErrNone;
  Dword* err = error ? error : &local;
  if (n == ~Qword{0}) {
    *err = kErrAlloc;
    return nullptr;
  }
  T* p = Ops::New(err, n + 1);
  if (!p) return nullptr;
  *err = ChebyshevFill<Ops>(n, p, lead);
  if (*err) Ops::Kill(&p);
  return p;
}
}  // namespace

VELTRIA_API Dword rChebyshevTFillPoly(Qword n, double* p) {
  return ChebyshevFill<RealOps>(n, p, 1);
}
VELTRIA_API Dword rChebyshevUFillPoly(Qword n, double* p) {
  return ChebyshevFill<RealOps>(n, p, 2);
}
VELTRIA_API Dword rChebyshevTFillPolyIQ(Qword n, Qlong* p) {
  return ChebyshevFill<IntOps>(n, p, 1);
}
VELTRIA_API Dword rChebyshevUFillPolyIQ(Qword n, Qlong* p) {
  return ChebyshevFill<IntOps>(n, p, 2);
}

VELTRIA_API double* rChebyshevTNewPoly(Dword* e, Qword n) { return ChebyshevNew<RealOps>(e, n, 1); }
VELTRIA_API double* rChebyshevUNewPoly(Dword* e, Qword n) { return ChebyshevNew<RealOps>(e, n, 2); }
VELTRIA_API Qlong* rChebyshevTNewPolyIQ(Dword* e, Qword n) { return ChebyshevNew<IntOps>(e, n, 1); }
VELTRIA_API Qlong* rChebyshevUNewPolyIQ(Dword* e, Qword n) { return ChebyshevNew<IntOps>(e, n, 2); }
