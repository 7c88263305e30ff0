// Seeded random inputs for tests: the same numbers on every run, so a test
// never depends on the clock or on the order the tests run in. The engine
// is std::mt19937_64 unless a test keeps the 32-bit one of its tables.
#pragma once
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "complexvec/complex.h"

template <class Engine>
class BasicRandomInputs {
 public:
  explicit BasicRandomInputs(uint64_t seed)
      : engine_(static_cast<typename Engine::result_type>(seed)) {}

  // Uniform on [lo, hi).
  double Uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(engine_);
  }
  // Normal deviates from one distribution, so that its stored second
  // deviate is used as std::normal_distribution does.
  double Normal(double mean = 0, double sd = 1) {
    return normal_(engine_, std::normal_distribution<double>::param_type(mean, sd));
  }
  // Logarithmically uniform on [lo, hi), 0 < lo < hi: every decade alike.
  double LogUniform(double lo, double hi) { return std::exp(Uniform(std::log(lo), std::log(hi))); }
  // A whole number uniform on [lo, hi].
  int64_t Integer(int64_t lo, int64_t hi) {
    return std::uniform_int_distribution<int64_t>(lo, hi)(engine_);
  }

  // n values uniform on [lo, hi), drawn in order.
  std::vector<double> UniformVector(size_t n, double lo, double hi) {
    std::vector<double> v(n);
    for (double& x : v) x = Uniform(lo, hi);
    return v;
  }
  std::vector<double> NormalVector(size_t n, double mean = 0, double sd = 1) {
    std::vector<double> v(n);
    for (double& x : v) x = Normal(mean, sd);
    return v;
  }
  // A rows x cols matrix (column by column) uniform on [lo, hi).
  std::vector<double> Matrix(size_t rows, size_t cols, double lo = -1, double hi = 1) {
    return UniformVector(rows * cols, lo, hi);
  }
  // A symmetric n x n matrix: the upper triangle drawn column by column and
  // mirrored.
  std::vector<double> SymmetricMatrix(size_t n, double lo = -1, double hi = 1) {
    std::vector<double> a(n * n);
    for (size_t j = 0; j < n; ++j)
      for (size_t i = 0; i <= j; ++i) a[i + n * j] = a[j + n * i] = Uniform(lo, hi);
    return a;
  }
  // n complex values, real then imaginary part, each uniform on [lo, hi).
  std::vector<COMPLEX> ComplexVector(size_t n, double lo = -1, double hi = 1) {
    std::vector<COMPLEX> v(n);
    for (COMPLEX& z : v) {
      z.re = Uniform(lo, hi);
      z.im = Uniform(lo, hi);
    }
    return v;
  }

  Engine& engine() { return engine_; }

 private:
  Engine engine_;
  std::normal_distribution<double> normal_;
};

using RandomInputs = BasicRandomInputs<std::mt19937_64>;
