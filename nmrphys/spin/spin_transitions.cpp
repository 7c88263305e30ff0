// The lines of one executable system, manifold pair by manifold pair: the
// product basis, the raising operator, the Hamiltonian block and its
// eigenvectors, the Iz expectation values, then every transition K -> K+1.
#include <cmath>

#include "arrays/rmat_linalg.h"
#include "base/double_to_int.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "nmrphys/spin/spin_system.h"

namespace {

// Columns of the amplitude matrix computed together: small enough that the
// block buffers stay in cache, wide enough to reuse each eigenvector load.
constexpr Dword kBlock = 16;

// Everything of a system that every manifold reads, built once per run.
struct SystemTables {
  Dword n = 0;
  Dword total = 0;  // TotalQuanta
  const Dword* s = nullptr;
  double* block = nullptr;
  double* suffix =
      nullptr;           // S(g, q) = states of groups g.. with at most q quanta, (n+1) x (total+2)
  double* nu = nullptr;  // shifts
  double* quad = nullptr;  // q_g + 1.5 D_gg
  double* zz = nullptr;    // n x n: J + 2D
  double* flip = nullptr;  // n x n: (J - D) / 2
  ~SystemTables() { KillPtr(&block); }

  double S(Dword g, Long q) const {
    return q < 0 ? 0.0 : suffix[g * (total + 2) + static_cast<Dword>(q)];
  }
  // Index of a state in lexicographic (basis) order among states of K quanta.
  Dword Rank(const Dword* k, Dword K) const {
    double rank = 0.0;
    Long left = static_cast<Long>(K);
    for (Dword g = 0; g + 1 < n; ++g) {
      rank += S(g + 1, left) - S(g + 1, left - static_cast<Long>(k[g]));
      left -= static_cast<Long>(k[g]);
    }
    return static_cast<Dword>(rank);
  }
};

LibErrorCode BuildTables(const cSpinSystem& sys, SystemTables* t) {
  const ssSpinSystemInput& in = sys.input;
  const Dword n = in.GroupCount;
  t->n = n;
  t->total = sys.profile.TotalQuanta;
  t->s = in.Spin;
  const Qword cols = Qword{t->total} + 2;
  Dword error;
  const double zero = 0.0;
  t->block =
      NewArrFill<double>(&error, (Qword{n} + 1) * cols + 2 * Qword{n} + 2 * Qword{n} * n, &zero);
  if (!t->block) return kErrAlloc;
  t->suffix = t->block;
  t->nu = t->suffix + (Qword{n} + 1) * cols;
  t->quad = t->nu + n;
  t->zz = t->quad + n;
  t->flip = t->zz + Qword{n} * n;
  // W(n, q) = [q = 0]; W(g, q) = sum over v <= s_g of W(g + 1, q - v); S is
  // the running sum of W over q.
  double* w = nullptr;
  w = NewArrFill<double>(&error, cols, &zero);
  double* w_next = NewArrFill<double>(&error, cols, &zero);
  if (!w || !w_next) {
    KillPtr(&w);
    KillPtr(&w_next);
    return kErrAlloc;
  }
  w[0] = 1.0;
  for (Dword g = n + 1; g-- > 0;) {
    if (g < n) {
      for (Qword q = 0; q < cols; ++q) {
        double sum = 0.0;
        for (Qword v = 0; v <= t->s[g] && v <= q; ++v) sum += w[q - v];
        w_next[q] = sum;
      }
      for (Qword q = 0; q < cols; ++q) w[q] = w_next[q];
    }
    double run = 0.0;
    for (Qword q = 0; q < cols; ++q) t->suffix[g * cols + q] = run += w[q];
  }
  KillPtr(&w);
  KillPtr(&w_next);
  for (Dword g = 0; g < n; ++g) {
    t->nu[g] = SpinCoupling(in, g, g);
    t->quad[g] = SpinQuadratic(in, g) + 1.5 * SpinDipolar(in, g, g);
    for (Dword h = 0; h < n; ++h) {
      if (h == g) continue;
      const double J = SpinCoupling(in, g, h), D = SpinDipolar(in, g, h);
      t->zz[g * n + h] = J + 2.0 * D;
      t->flip[g * n + h] = (J - D) / 2.0;
    }
  }
  return kErrNone;
}

// The states of K quanta in lexicographic order, built by the successor
// rule: the first state puts the quanta greedily from the last group back;
// the next raises the last group before the trailing block that can still
// take a quantum and refills everything behind it greedily from the end.
LibErrorCode BuildBasis(const SystemTables& t, cSpinManifold& m) {
  if (m.Basis || m.Dimension == 0) return kErrNone;
  const Dword n = t.n;
  Dword error;
  m.Basis = NewArrFill<Dword>(&error, Qword{m.Dimension} * n);
  if (!m.Basis) return kErrAlloc;
  Dword* k = m.Basis;
  Dword left = m.K;
  for (Dword g = n; g-- > 0;) {
    k[g] = left < t.s[g] ? left : t.s[g];
    left -= k[g];
  }
  for (Dword state = 1; state < m.Dimension; ++state) {
    Dword* next = k + n;
    for (Dword g = 0; g < n; ++g) next[g] = k[g];
    Long g = static_cast<Long>(n) - 1;
    Dword passed = 0;
    while (g >= 0 && next[g] == 0) --g;
    if (g < 0) return kErrInternal;
    passed += next[g--];
    while (g >= 0 && next[g] == t.s[g]) passed += next[g--];
    if (g < 0) return kErrInternal;  // the counted dimension said there is another state
    ++next[g];
    Dword rest = passed - 1;
    for (Dword h = n; h-- > static_cast<Dword>(g) + 1;) {
      next[h] = rest < t.s[h] ? rest : t.s[h];
      rest -= next[h];
    }
    k = next;
  }
  return kErrNone;
}

// sqrt((k + 1)(s - k)): the raising element of one spin of 2I = s.
double RaiseFactor(Dword k, Dword s) {
  if (s <= 1) return 1.0;
  return std::sqrt(static_cast<double>(k + 1) * static_cast<double>(s - k));
}

// Elements of I+ from manifold K to K + 1, state a of K outer, the states b
// of K + 1 in basis order inner (b = a with one group raised: the later
// the group, the earlier b).
LibErrorCode BuildRaising(const SystemTables& t, cSpinManifold& m, const cSpinManifold& up) {
  if (m.RaisingPairs || m.Dimension == 0 || up.Dimension == 0) return kErrNone;
  const Dword n = t.n;
  Dword count = 0;
  for (Dword a = 0; a < m.Dimension; ++a)
    for (Dword g = 0; g < n; ++g) count += m.Basis[a * n + g] < t.s[g];
  Dword error;
  m.RaisingPairs = NewArrFill<Dword>(&error, count);
  m.RaisingValues = NewArrFill<double>(&error, count);
  if (count && (!m.RaisingPairs || !m.RaisingValues)) {
    KillPtr(&m.RaisingPairs);
    KillPtr(&m.RaisingValues);
    return kErrAlloc;
  }
  Dword e = 0;
  Dword raised[64];
  Dword* state = n <= 64 ? raised : NewArrFill<Dword>(&error, n);
  if (!state) return kErrAlloc;
  for (Dword a = 0; a < m.Dimension; ++a) {
    const Dword* ka = m.Basis + Qword{a} * n;
    for (Dword g = 0; g < n; ++g) state[g] = ka[g];
    for (Dword g = n; g-- > 0;) {
      if (ka[g] >= t.s[g]) continue;
      ++state[g];
      const Dword b = t.Rank(state, m.K + 1);
      --state[g];
      m.RaisingPairs[e] = b * 65536u + a;
      m.RaisingValues[e] = RaiseFactor(ka[g], t.s[g]);
      ++e;
    }
  }
  if (state != raised) KillPtr(&state);
  m.RaisingCount = e;
  return kErrNone;
}

// The Hamiltonian block [Hz] in place of the eigenvectors, then its
// eigen decomposition.
LibErrorCode Diagonalize(const SystemTables& t, cSpinManifold& m) {
  if (m.Eigenvectors || m.Dimension == 0) return kErrNone;
  const Dword n = t.n, d = m.Dimension;
  Dword error;
  const double zero = 0.0;
  m.Eigenvectors = NewArrFill<double>(&error, Qword{d} * d, &zero);
  m.Eigenvalues = NewArrFill<double>(&error, d);
  Dword raised[64];
  Dword* state = n <= 64 ? raised : NewArrFill<Dword>(&error, n);
  if (!m.Eigenvectors || !m.Eigenvalues || !state) {
    KillPtr(&m.Eigenvectors);
    KillPtr(&m.Eigenvalues);
    if (state != raised) KillPtr(&state);
    return kErrAlloc;
  }
  double* H = m.Eigenvectors;
  for (Dword a = 0; a < d; ++a) {
    const Dword* k = m.Basis + Qword{a} * n;
    double diagonal = 0.0;
    for (Dword g = 0; g < n; ++g) {
      const double mg = static_cast<double>(k[g]) - 0.5 * t.s[g];
      diagonal += t.nu[g] * mg;
      if (t.quad[g] != 0.0) diagonal += t.quad[g] * mg * mg;
      for (Dword h = 0; h < g; ++h) {
        const double c = t.zz[g * n + h];
        if (c != 0.0) diagonal += c * mg * (static_cast<double>(k[h]) - 0.5 * t.s[h]);
      }
    }
    H[a + Qword{d} * a] = diagonal;
    // Flip-flop elements: group c raised, group e lowered.
    for (Dword g = 0; g < n; ++g) state[g] = k[g];
    for (Dword c = 0; c < n; ++c) {
      if (k[c] >= t.s[c]) continue;
      for (Dword e = 0; e < n; ++e) {
        if (e == c || k[e] == 0) continue;
        const double coupling = t.flip[c * n + e];
        if (coupling == 0.0) continue;
        ++state[c];
        --state[e];
        const Dword b = t.Rank(state, m.K);
        ++state[e];
        --state[c];
        const double fd =
            t.s[e] <= 1 ? 1.0 : static_cast<double>(k[e]) * static_cast<double>(t.s[e] - k[e] + 1);
        const double fc = RaiseFactor(k[c], t.s[c]);
        H[b + Qword{d} * a] = coupling * fc * std::sqrt(fd);
      }
    }
  }
  if (state != raised) KillPtr(&state);
  const Dword status = RMatDiagonalize(H, d, m.Eigenvalues);
  if (status) {
    KillPtr(&m.Eigenvectors);
    KillPtr(&m.Eigenvalues);
  }
  return status;
}

LibErrorCode BuildIz(const SystemTables& t, cSpinManifold& m) {
  if (m.Iz || m.Dimension == 0) return kErrNone;
  const Dword n = t.n, d = m.Dimension;
  Dword error;
  const double zero = 0.0;
  m.Iz = NewArrFill<double>(&error, Qword{d} * n, &zero);
  if (!m.Iz) return kErrAlloc;
  for (Dword i = 0; i < d; ++i) {
    const double* v = m.Eigenvectors + Qword{d} * i;
    double* iz = m.Iz + Qword{i} * n;
    for (Dword a = 0; a < d; ++a) {
      const double p = v[a] * v[a];
      const Dword* k = m.Basis + Qword{a} * n;
      for (Dword g = 0; g < n; ++g) iz[g] += p * k[g];
    }
    for (Dword g = 0; g < n; ++g) iz[g] -= 0.5 * t.s[g];
  }
  return kErrNone;
}

// A line found by a system: into the list while there is room, and into the
// bins and the group spectra.
void StoreLine(const ssMessageArgument& arg, const ssLine& line) {
  ssSimulationRequest& r = *arg.Request;
  if (r.Lines && !(r.Flags & kSsLineListFull)) {
    if (r.LinesKept < r.LineCapacity && r.LinesKept < arg.Run->LineArraySize)
      r.Lines[r.LinesKept++] = line;
    else
      r.Flags |= kSsLineListFull;
  }
  if ((!r.Bins && !r.GroupSpectra) || r.BinCount == 0) return;
  const double f = line.Frequency;
  if (!(f >= r.From && f < r.To)) return;
  const Qlong index = DoubleToQlong((f - r.From) / ((r.To - r.From) / r.BinCount) + 0.5);
  if (index < 0 || index >= static_cast<Qlong>(r.BinCount)) return;
  if (r.Bins) r.Bins[index] += line.Intensity;
  if (!r.GroupSpectra) return;
  const Dword key = line.UserId * 65536u + (line.GroupCode & 0xFFFFu);
  ssGroupSpectrum* free_entry = nullptr;
  for (Dword e = 0; e < r.GroupCount; ++e) {
    ssGroupSpectrum& entry = r.GroupSpectra[e];
    if (entry.Key == key) {
      if (entry.Bins) entry.Bins[index] += line.Intensity;
      return;
    }
    if (!free_entry && entry.Key == 0) free_entry = &entry;
  }
  if (free_entry) {
    free_entry->Key = key;
    if (free_entry->Bins) free_entry->Bins[index] += line.Intensity;
  }
}

// Transitions from manifold K (lo) to K + 1 (hi). The amplitudes of all
// pairs are W^T (R V), R the raising operator, V and W the eigenvectors,
// taken kBlock columns of V at a time.
LibErrorCode Lines(const cSpinSystem& sys, const SystemTables& t, const cSpinManifold& lo,
                   const cSpinManifold& hi, const ssMessageArgument& arg) {
  const Dword n = t.n, d0 = lo.Dimension, d1 = hi.Dimension;
  if (d0 == 0 || d1 == 0) return kErrNone;
  const ssSimulationRequest& r = *arg.Request;
  const bool all_orders = r.Flags & kSsAllTransitions;
  const double weight = sys.profile.WeightFactor * *sys.input.IntensityScale;
  const Dword* flags = sys.input.GroupFlags;
  Dword error;
  double* vb = NewArrFill<double>(&error, Qword{d0} * kBlock);
  double* tb = NewArrFill<double>(&error, Qword{d1} * kBlock);
  double* mb = NewArrFill<double>(&error, Qword{d1} * kBlock);
  if (!vb || !tb || !mb) {
    KillPtr(&vb);
    KillPtr(&tb);
    KillPtr(&mb);
    return kErrAlloc;
  }
  for (Dword i0 = 0; i0 < d0; i0 += kBlock) {
    const Dword width = d0 - i0 < kBlock ? d0 - i0 : kBlock;
    for (Dword a = 0; a < d0; ++a)
      for (Dword c = 0; c < kBlock; ++c)
        vb[Qword{a} * kBlock + c] = c < width ? lo.Eigenvectors[a + Qword{d0} * (i0 + c)] : 0.0;
    for (Qword x = 0; x < Qword{d1} * kBlock; ++x) tb[x] = 0.0;
    for (Dword e = 0; e < lo.RaisingCount; ++e) {
      const Dword pair = lo.RaisingPairs[e];
      const double value = lo.RaisingValues[e];
      double* to = tb + Qword{pair >> 16} * kBlock;
      const double* from = vb + Qword{pair & 0xFFFFu} * kBlock;
      for (Dword c = 0; c < kBlock; ++c) to[c] += value * from[c];
    }
    for (Dword j = 0; j < d1; ++j) {
      const double* w = hi.Eigenvectors + Qword{d1} * j;
      double acc[kBlock] = {};
      for (Dword b = 0; b < d1; ++b) {
        const double wb = w[b];
        const double* row = tb + Qword{b} * kBlock;
        for (Dword c = 0; c < kBlock; ++c) acc[c] += wb * row[c];
      }
      for (Dword c = 0; c < kBlock; ++c) mb[Qword{j} * kBlock + c] = acc[c];
    }
    for (Dword c = 0; c < width; ++c) {
      const Dword i = i0 + c;
      const double* iz0 = lo.Iz + Qword{i} * n;
      for (Dword j = 0; j < d1; ++j) {
        const double* iz1 = hi.Iz + Qword{j} * n;
        Dword dominant = 0;
        double largest = 0.0, negative = 0.0;
        Qlong order = 0;
        bool skip = false;
        for (Dword g = 0; g < n; ++g) {
          const double delta = iz1[g] - iz0[g];
          if (delta > largest) {
            largest = delta;
            dominant = g;
          } else if (delta < 0.0) {
            negative += delta;
            order = DoubleToQlong(0.5 - negative);
            if (!all_orders && order > 1) {
              skip = true;
              break;
            }
          }
        }
        if (skip || (flags[dominant] & kSpinGroupSpectator)) continue;
        const double amplitude = mb[Qword{j} * kBlock + c];
        const double intensity = amplitude * amplitude * weight;
        if (!(intensity > r.IntensityThreshold)) continue;
        ssLine line;
        line.Frequency = hi.Eigenvalues[j] - lo.Eigenvalues[i];
        line.Intensity = intensity;
        line.Linewidth = r.BaseLinewidth;
        if (sys.input.Linewidths) line.Linewidth += SpinLinewidth(sys.input, dominant);
        line.GroupCode = sys.index_map[dominant] + static_cast<Dword>(order) * 65536u;
        line.UserId = sys.root->input.UserId;
        StoreLine(arg, line);
      }
    }
  }
  KillPtr(&vb);
  KillPtr(&tb);
  KillPtr(&mb);
  return kErrNone;
}

LibErrorCode Prepare(const SystemTables& t, cSpinManifold& m, cSpinManifold* up) {
  if (m.Dimension == 0 && m.CountedDimension > 0) return kErrTooManyItems;
  if (const LibErrorCode e = BuildBasis(t, m)) return e;
  if (up) {
    if (const LibErrorCode e = BuildBasis(t, *up)) return e;
    if (const LibErrorCode e = BuildRaising(t, m, *up)) return e;
  }
  if (const LibErrorCode e = Diagonalize(t, m)) return e;
  return BuildIz(t, m);
}

}  // namespace

LibErrorCode SpinComputeTransitions(cSpinSystem* sys, const ssMessageArgument& arg) {
  if (!sys->manifolds || !arg.Request || !arg.Run) return kErrNone;
  SystemTables tables;
  LibErrorCode e = BuildTables(*sys, &tables);
  const Dword total = sys->profile.TotalQuanta;
  for (Dword K = 0; !e && K < total; ++K) {
    cSpinManifold& lo = sys->manifolds[K];
    cSpinManifold& hi = sys->manifolds[K + 1];
    e = Prepare(tables, lo, &hi);
    if (!e) e = Prepare(tables, hi, nullptr);
    if (!e) e = Lines(*sys, tables, lo, hi, arg);
    lo.Release(arg.Flags);
  }
  if (e) {
    for (Dword K = 0; K <= total; ++K) sys->manifolds[K].Release(0);
    return e;
  }
  sys->manifolds[total].Release(arg.Flags);
  return kErrNone;
}
