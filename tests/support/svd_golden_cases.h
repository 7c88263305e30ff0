// The matrices and job codes of the golden-output tests of the real and the
// complex singular value decompositions, shared by the tests and by the
// recorder (tools/svd_golden_dump.cpp) so both build the same inputs bit for
// bit. Each output buffer is preset with a fixed pattern and hashed whole,
// so a value written where the job wants none changes the hash as well.
#pragma once
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "base/types.h"
#include "complexvec/cmat_svd.h"
#include "complexvec/complex.h"

namespace svd_golden {

// How the matrix of a case is made.
enum class Kind {
  kRandom,      // entries uniform in [-1, 1)
  kLowRank,     // product of two random factors of rank 2
  kGraded,      // random, column j scaled by 10^(-3j)
  kTiny,        // random times 1e-160
  kHuge,        // random times 1e+150
  kZero,        // all zero
  kZeroColumn,  // random with column 1 zero
  kIdentity,    // ones on the diagonal (repeated singular values)
  kDiagonal,    // 1, 0, 3, 0, 5, ... on the diagonal, unordered with zeros
  kNaN,         // random with one NaN (no decomposition)
};

struct Shape {
  Qword rows, cols;
  Kind kind;
  unsigned seed;
};

inline const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes = {
      {1, 1, Kind::kRandom, 1},     {1, 7, Kind::kRandom, 2},      {7, 1, Kind::kRandom, 3},
      {2, 2, Kind::kRandom, 4},     {2, 3, Kind::kRandom, 5},      {3, 2, Kind::kRandom, 6},
      {5, 5, Kind::kRandom, 7},     {9, 4, Kind::kRandom, 8},      {4, 9, Kind::kRandom, 9},
      {37, 23, Kind::kRandom, 10},  {23, 37, Kind::kRandom, 11},   {30, 30, Kind::kRandom, 12},
      {100, 12, Kind::kRandom, 13}, {12, 100, Kind::kRandom, 14},  {48, 30, Kind::kRandom, 15},
      {10, 8, Kind::kLowRank, 16},  {8, 10, Kind::kLowRank, 17},   {20, 6, Kind::kLowRank, 18},
      {9, 7, Kind::kGraded, 19},    {12, 9, Kind::kTiny, 20},      {6, 6, Kind::kHuge, 21},
      {4, 3, Kind::kZero, 22},      {7, 5, Kind::kZeroColumn, 23}, {6, 6, Kind::kIdentity, 24},
      {5, 7, Kind::kDiagonal, 25},  {7, 5, Kind::kDiagonal, 26},   {5, 4, Kind::kNaN, 27},
  };
  return shapes;
}

// Job codes: none, V only, U full, both, U thin, U thin with V, the thin
// job, a units digit other than 1, digits above the tens.
inline const std::vector<Dword>& Jobs() {
  static const std::vector<Dword> jobs = {0, 1, 10, 11, 20, 21, 22, 2, 131};
  return jobs;
}

// Uniform in [-1, 1) from the top 53 bits: the same on every platform,
// unlike the standard distributions.
inline double Uniform(std::mt19937_64& g) { return static_cast<double>(g() >> 11) * 0x1p-52 - 1.0; }

// A real rows x cols matrix (column-major) of the case; the complex cases
// take the real and the imaginary parts from two such matrices.
inline std::vector<double> RealMatrix(const Shape& c, unsigned salt) {
  const Qword m = c.rows, n = c.cols;
  std::mt19937_64 g(c.seed * 1000003ull + salt);
  std::vector<double> a(m * n, 0.0);
  switch (c.kind) {
    case Kind::kLowRank: {
      std::vector<double> l(m * 2), r(2 * n);
      for (double& x : l) x = Uniform(g);
      for (double& x : r) x = Uniform(g);
      for (Qword i = 0; i < m; ++i)
        for (Qword j = 0; j < n; ++j) a[i + m * j] = l[i] * r[2 * j] + l[i + m] * r[2 * j + 1];
      break;
    }
    case Kind::kZero:
      break;
    case Kind::kIdentity:
      for (Qword i = 0; i < m && i < n; ++i) a[i + m * i] = 1.0;
      break;
    case Kind::kDiagonal:
      for (Qword i = 0; i < m && i < n; ++i)
        a[i + m * i] = i % 2 ? 0.0 : static_cast<double>(i + 1);
      break;
    default: {
      for (double& x : a) x = Uniform(g);
      for (Qword j = 0; j < n; ++j)
        for (Qword i = 0; i < m; ++i) {
          double& x = a[i + m * j];
          if (c.kind == Kind::kGraded)
            for (Qword k = 0; k < j; ++k) x *= 1e-3;
          if (c.kind == Kind::kTiny) x *= 1e-160;
          if (c.kind == Kind::kHuge) x *= 1e150;
          if (c.kind == Kind::kZeroColumn && j == 1) x = 0.0;
        }
      if (c.kind == Kind::kNaN) a[(m * n) / 2] = __builtin_nan("");
    }
  }
  return a;
}

inline std::vector<COMPLEX> ComplexMatrix(const Shape& c) {
  const std::vector<double> re = RealMatrix(c, 1), im = RealMatrix(c, 2);
  std::vector<COMPLEX> a(re.size());
  // The structured kinds stay real on the diagonal so they keep their meaning.
  const bool real_only = c.kind == Kind::kIdentity || c.kind == Kind::kDiagonal;
  for (size_t i = 0; i < a.size(); ++i) a[i] = COMPLEX(re[i], real_only ? 0.0 : im[i]);
  return a;
}

// The pattern every output buffer holds before the call.
inline constexpr double kPreset = -777.25;

// FNV-1a over the bytes of a buffer.
inline std::uint64_t Hash(const void* data, size_t bytes) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  std::uint64_t h = 14695981039346656037ull;
  for (size_t i = 0; i < bytes; ++i) {
    h ^= p[i];
    h *= 1099511628211ull;
  }
  return h;
}

// One recorded call: status and the hashes of the whole U, s and V buffers.
struct Record {
  Qword rows, cols;
  Dword job;
  Dword status;
  std::uint64_t u, s, v;
};

// Buffer sizes: U rows x rows, s min(rows + 1, cols) values, V cols x cols.
inline Qword SingularCount(const Shape& c) { return c.cols < c.rows + 1 ? c.cols : c.rows + 1; }

inline Record RunReal(const Shape& c, Dword job) {
  std::vector<double> a = RealMatrix(c, 0);
  std::vector<double> u(c.rows * c.rows, kPreset), s(SingularCount(c), kPreset),
      v(c.cols * c.cols, kPreset);
  Record r{c.rows, c.cols, job, 0, 0, 0, 0};
  r.status = RMatSVD(a.data(), c.rows, c.cols, u.data(), s.data(), v.data(), job);
  r.u = Hash(u.data(), u.size() * sizeof(double));
  r.s = Hash(s.data(), s.size() * sizeof(double));
  r.v = Hash(v.data(), v.size() * sizeof(double));
  return r;
}

inline Record RunComplex(const Shape& c, Dword job) {
  const std::vector<COMPLEX> a = ComplexMatrix(c);
  const COMPLEX preset(kPreset, -kPreset);
  std::vector<COMPLEX> u(c.rows * c.rows, preset), s(SingularCount(c), preset),
      v(c.cols * c.cols, preset);
  Record r{c.rows, c.cols, job, 0, 0, 0, 0};
  r.status = CMatSVD(a.data(), static_cast<Dword>(c.rows), static_cast<Dword>(c.cols), u.data(),
                     s.data(), v.data(), job);
  r.u = Hash(u.data(), u.size() * sizeof(COMPLEX));
  r.s = Hash(s.data(), s.size() * sizeof(COMPLEX));
  r.v = Hash(v.data(), v.size() * sizeof(COMPLEX));
  return r;
}

}  // namespace svd_golden
