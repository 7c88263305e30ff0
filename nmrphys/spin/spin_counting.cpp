// State counts and the cost estimates of an executable system.
#include "nmrphys/spin/spin_counting.h"

#include <new>

#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "nmrphys/spin/spin_system.h"

SpinCounts::~SpinCounts() { KillPtr(&block); }

static LibErrorCode Allocate(SpinCounts* c, Dword length) {
  KillPtr(&c->block);
  Dword error;
  const double zero = 0.0;
  c->block = NewArrFill<double>(&error, Qword{length} * 6, &zero);
  if (!c->block) return kErrAlloc;
  c->length = length;
  c->N = c->block;
  c->R = c->N + length;
  c->L = c->R + length;
  c->F = c->L + length;
  c->X = c->F + length;
  c->C1 = c->X + length;
  return kErrNone;
}

LibErrorCode SpinCountStates(const Dword* s, Dword count, SpinCounts* out) {
  if (count == 0) return Allocate(out, 1);
  if (count == 1) {
    const Dword top = s[0];
    if (const LibErrorCode e = Allocate(out, top + 1)) return e;
    for (Dword K = 0; K <= top; ++K) {
      out->N[K] = 1.0;
      out->R[K] = K < top ? 1.0 : 0.0;
      out->L[K] = K >= 1 ? 1.0 : 0.0;
      out->X[K] = K + 1 < top ? 1.0 : 0.0;
    }
    return kErrNone;
  }
  SpinCounts a, b;
  const Dword half = count / 2;
  if (const LibErrorCode e = SpinCountStates(s, half, &a)) return e;
  if (const LibErrorCode e = SpinCountStates(s + half, count - half, &b)) return e;
  if (const LibErrorCode e = Allocate(out, a.length + b.length - 1)) return e;
  for (Dword K = 0; K < out->length; ++K) {
    double n = 0, r = 0, l = 0, f = 0, x = 0, c1 = 0;
    const Dword i0 = K >= b.length ? K - (b.length - 1) : 0;
    const Dword i1 = K < a.length ? K : a.length - 1;
    for (Dword i = i0; i <= i1; ++i) {
      const Dword j = K - i;
      n += a.N[i] * b.N[j];
      r += a.R[i] * b.N[j] + a.N[i] * b.R[j];
      l += a.L[i] * b.N[j] + a.N[i] * b.L[j];
      f += a.F[i] * b.N[j] + a.N[i] * b.F[j] + a.R[i] * b.L[j] + a.L[i] * b.R[j];
      x += a.X[i] * b.N[j] + a.N[i] * b.X[j] + a.R[i] * b.R[j];
      c1 += a.C1[i] * b.N[j] + a.N[i] * b.C1[j] + a.R[i] * b.F[j] + a.F[i] * b.R[j] +
            a.X[i] * b.L[j] + a.L[i] * b.X[j];
    }
    out->N[K] = n;
    out->R[K] = r;
    out->L[K] = l;
    out->F[K] = f;
    out->X[K] = x;
    out->C1[K] = c1;
  }
  return kErrNone;
}

// Stage 7: lays out the manifolds (no states yet) and estimates the run's
// cost from the counts: operations at 1e-8 s each, and the memory of two
// neighbouring manifolds.
LibErrorCode SpinBuildManifolds(cSpinSystem* sys) {
  sys->ReleaseManifolds();
  ssProfile& p = sys->profile;
  const ssSpinSystemInput& in = sys->input;
  const Dword g = in.GroupCount;
  p.NumberOfManifolds = p.TotalQuanta + 1;
  double states = 1.0;
  for (Dword k = 0; k < g; ++k) states *= static_cast<double>(in.Spin[k]) + 1.0;
  p.WeightFactor *= 2.0 / states;
  SpinCounts counts;
  if (const LibErrorCode e = SpinCountStates(in.Spin, g, &counts)) return e;
  sys->manifolds = new (std::nothrow) cSpinManifold[p.NumberOfManifolds];
  if (!sys->manifolds) return kErrAlloc;
  p.LargestManifoldDimension = p.NumberOfStates = p.MainTransitions = p.C1Transitions = 0;
  p.AllTransitions = p.ExecutionTime = p.BytesOfRAM = 0;
  Dword limit = sys->Forest()->configuration.MaxManifoldDimension;
  if (limit > kSpinMaxDimension) limit = kSpinMaxDimension;
  const double gd = g;
  double previous = 0.0;
  for (Dword K = 0; K < p.NumberOfManifolds; ++K) {
    cSpinManifold& m = sys->manifolds[K];
    const double counted = K < counts.length ? counts.N[K] : 0.0;
    const double raising = K < counts.length ? counts.R[K] : 0.0;
    m.K = K;
    m.Owner = sys;
    m.CountedDimension = counted;
    m.Dimension = counted <= limit ? static_cast<Dword>(counted) : 0;
    m.RaisingCount = m.Dimension ? static_cast<Dword>(DoubleToQword(raising)) : 0;
    const double d = m.Dimension, r = raising;
    p.NumberOfStates += d;
    if (counted > p.LargestManifoldDimension) p.LargestManifoldDimension = counted;
    p.MainTransitions += r;
    p.C1Transitions += K < counts.length ? counts.C1[K] : 0.0;
    double ops = gd / 20.0 + 2.0 * d + 3.0 * d * d + (2.0 * gd + 1.0) * d + gd;
    if (K > 0) {
      ops += d / 20.0 + r + 3.0 * previous * r;
      p.AllTransitions += d * previous;
      const double bytes = 12.0 * gd * (d + previous) + 16.0 * r + 8.0 * d * (d + 1.0) +
                           8.0 * previous * (previous + 1.0);
      if (bytes > p.BytesOfRAM) p.BytesOfRAM = bytes;
    }
    p.ExecutionTime += ops * d;
    previous = d;
  }
  p.ExecutionTime *= 1e-8;
  sys->ProfileEvent(3, p.NumberOfManifolds, true);
  sys->ProfileEvent(4, p.LargestManifoldDimension, true);
  sys->ProfileEvent(5, p.NumberOfStates, true);
  sys->ProfileEvent(6, p.MainTransitions, true);
  sys->ProfileEvent(7, p.C1Transitions, true);
  sys->ProfileEvent(8, p.AllTransitions, true);
  sys->ProfileEvent(9, p.ExecutionTime, true);
  sys->ProfileEvent(10, p.BytesOfRAM, true);
  return kErrNone;
}
