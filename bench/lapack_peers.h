// The peers of the decomposition benchmarks: the reference LAPACK linked
// into the benchmark, and OpenBLAS when its package is installed, loaded
// from its own path with one thread so that the system's choice of BLAS and
// LAPACK stays as it is. Without OpenBLAS its ratios are left out.
#pragma once
#include <dlfcn.h>

#include <cstddef>
#include <cstdlib>

extern "C" {
void dgesvd_(const char*, const char*, const int*, const int*, double*, const int*, double*,
             double*, const int*, double*, const int*, double*, const int*, int*, size_t, size_t);
void zgesvd_(const char*, const char*, const int*, const int*, void*, const int*, double*, void*,
             const int*, void*, const int*, void*, const int*, double*, int*, size_t, size_t);
}

namespace peers {

typedef void (*Dgesvd)(const char*, const char*, const int*, const int*, double*, const int*,
                       double*, double*, const int*, double*, const int*, double*, const int*, int*,
                       size_t, size_t);
typedef void (*Zgesvd)(const char*, const char*, const int*, const int*, void*, const int*, double*,
                       void*, const int*, void*, const int*, void*, const int*, double*, int*,
                       size_t, size_t);

typedef void (*Dsyev)(const char*, const char*, const int*, double*, const int*, double*, double*,
                      const int*, int*, size_t, size_t);

struct OpenBlas {
  Dgesvd dgesvd = nullptr;
  Dsyev dsyev = nullptr;
  Zgesvd zgesvd = nullptr;
};

// Loaded once; null entries when the library is absent.
inline const OpenBlas& LoadOpenBlas() {
  static const OpenBlas lib = [] {
    OpenBlas r;
    setenv("OPENBLAS_NUM_THREADS", "1", 1);
    // Deep binding: OpenBLAS's LAPACK must call its own BLAS, not the
    // reference routines this program links.
    void* h = dlopen("/usr/lib/x86_64-linux-gnu/openblas-pthread/libopenblas.so.0",
                     RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!h) return r;
    if (auto set = reinterpret_cast<void (*)(int)>(dlsym(h, "openblas_set_num_threads"))) set(1);
    r.dgesvd = reinterpret_cast<Dgesvd>(dlsym(h, "dgesvd_"));
    r.zgesvd = reinterpret_cast<Zgesvd>(dlsym(h, "zgesvd_"));
    r.dsyev = reinterpret_cast<Dsyev>(dlsym(h, "dsyev_"));
    return r;
  }();
  return lib;
}

// The LAPACK job letter of both factors for a decimal SVD job code: values
// only, all columns, or the thin factors.
inline const char* JobLetter(unsigned job) {
  const unsigned u = (job % 100) / 10;
  return u == 0 && job % 10 == 0 ? "N" : u == 1 ? "A" : "S";
}

}  // namespace peers
