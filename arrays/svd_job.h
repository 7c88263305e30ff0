// The decimal job code shared by the real and the complex singular value
// decompositions: the tens digit selects U (0 none, 1 all rows columns, 2 or
// more the first min(rows, cols)), a units digit other than 0 selects V.
#pragma once
#include "base/types.h"

struct SvdJob {
  bool wantu;   // U is computed
  bool thin_u;  // with min(rows, cols) columns instead of rows
  bool wantv;   // V is computed
};

constexpr SvdJob SvdJobDecode(Dword job) {
  const Dword u = (job % 100) / 10;
  return SvdJob{u != 0, u > 1, job % 10 != 0};
}

// Job codes by name: both factors full, and U thin with V.
inline constexpr Dword kSvdJobFull = 11;
inline constexpr Dword kSvdJobThin = 22;
