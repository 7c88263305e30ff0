// The problem record that every nonlinear fit hands to the minimizer as its
// user data, the flag word of the fits and the residual norm.
#pragma once
#include <cmath>
#include <cstdint>

#include "base/types.h"

// FitFlags: low 16 bits the residual norm type, then these bits.
enum : Dword {
  kFitOffsetFixed = 0x10000,
  kFitAutoStart = 0x20000,
  kFitNormalize = 0x40000,
  kFitSpacingWeights = 0x80000,
  kFitEnforceBounds = 0x10000000,
  kFitReportBest = 0x80000000u,
};

struct FitProblem {
  Dword mode;          // per-fit mode word
  Qword pointCount;    // data points n
  double* x;           // abscissa (power-sum fit: the variables)
  double* y;           // data
  Qword termCount;     // model terms k
  double* amplitudes;  // term amplitudes (log-amplitudes while an ILT runs)
  double* rates;       // rates or per-term parameters
  double* offset;      // the offset (term-function fit)
  Dword* termTypes;    // term type codes
  double limitA;       // limits of the power-sum variables, either order
  double limitB;
  double scale;         // the model is compared with y / scale
  double* lowerBounds;  // per-parameter bounds
  double* upperBounds;
};

FitProblem* FitProblemInit(FitProblem* p);

// Weight of one residual for the norm type in the low 16 bits of `flags`
// (read as a signed 16-bit number). Inline: the fits call it once per
// point and evaluation.
inline double FitResidualNorm(double r, Dword flags) {
  const double a = std::fabs(r);
  switch (static_cast<int16_t>(flags & 0xFFFFu)) {
    case 0:
      return std::sqrt(a);
    case 1:
    case 5:
      return a;
    case 3:
      return a * a * a;
    case 4:
      return (a * a) * (a * a);
    default:
      return a * a;
  }
}

// Adds the weights (norm types 0 and 2: neither bit 0 nor bit 2 set) or
// keeps the largest (every other type).
struct FitResidualSum {
  explicit FitResidualSum(Dword flags) : flags_(flags), add_((flags & 5u) == 0) {}
  void Add(double r) { AddWeight(FitResidualNorm(r, flags_)); }
  void AddWeight(double w) {
    if (add_)
      total_ += w;
    else if (w > total_ || w != w)
      total_ = w;
  }
  double Total() const { return total_; }

 private:
  Dword flags_;
  bool add_;
  double total_ = 0;
};
