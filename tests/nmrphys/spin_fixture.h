// Spin systems for the engine's tests: a readable description turned into
// an ssSpinSystemInput (owning every array and value), a run helper, and a
// brute-force spectrum over the full product space of every single spin.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <tuple>
#include <vector>

#include "arrays/rmat_linalg.h"
#include "base/error_codes.h"
#include "nmrphys/spin/spin.h"

struct SpinGroup {
  Dword spins;   // equivalent spins
  Dword two_i;   // 2I
  double shift;  // [Hz]
  Dword flags = 0;
  Dword species = 0;
};

struct SpinSpec {
  std::vector<SpinGroup> groups;
  std::vector<std::tuple<Dword, Dword, double>> J, D;       // pairs (i, j) and values
  std::vector<double> quadratic, linewidths, self_dipolar;  // per group, or empty
  double scale = 1.0;
  Dword user_id = 1;
};

// Owns the arrays of an input built from a SpinSpec. Values that are 0 are
// given as null pointers where allowed, to exercise that path too.
class SpinInput {
 public:
  explicit SpinInput(const SpinSpec& s, bool null_zeros = false) {
    const Dword n = static_cast<Dword>(s.groups.size());
    for (const SpinGroup& g : s.groups) {
      flags_.push_back(g.flags);
      spins_.push_back(g.spins);
      two_i_.push_back(g.two_i);
      species_.push_back(g.species);
    }
    couplings_.assign(n * (n + 1) / 2, nullptr);
    for (Dword i = 0; i < n; ++i) couplings_[Packed(i, i)] = Value(s.groups[i].shift, null_zeros);
    for (Dword i = 0; i < n; ++i)
      for (Dword j = 0; j < i; ++j) couplings_[Packed(i, j)] = Value(0.0, null_zeros);
    for (auto [i, j, v] : s.J) couplings_[Packed(i, j)] = Value(v, false);
    const bool dipolar = !s.D.empty() || !s.self_dipolar.empty();
    if (dipolar) {
      dipolar_.assign(n * (n + 1) / 2, nullptr);
      for (Dword i = 0; i < n; ++i)
        for (Dword j = 0; j <= i; ++j) dipolar_[Packed(i, j)] = Value(0.0, null_zeros);
      for (auto [i, j, v] : s.D) dipolar_[Packed(i, j)] = Value(v, false);
      for (Dword i = 0; i < s.self_dipolar.size(); ++i)
        dipolar_[Packed(i, i)] = Value(s.self_dipolar[i], false);
    }
    for (double q : s.quadratic) quadratic_.push_back(Value(q, null_zeros));
    for (double w : s.linewidths) linewidths_.push_back(Value(w, null_zeros));
    scale_ = s.scale;
    in.UserId = s.user_id;
    in.IntensityScale = &scale_;
    in.GroupCount = n;
    in.GroupFlags = flags_.data();
    in.EquivalentSpins = spins_.data();
    in.Spin = two_i_.data();
    in.Species = species_.data();
    in.Couplings = couplings_.data();
    in.Dipolar = dipolar ? dipolar_.data() : nullptr;
    in.Quadratic = quadratic_.empty() ? nullptr : quadratic_.data();
    in.Linewidths = linewidths_.empty() ? nullptr : linewidths_.data();
  }
  SpinInput(const SpinInput&) = delete;

  ssSpinSystemInput in{};
  double scale_;

  static Dword Packed(Dword i, Dword j) {
    const Dword hi = std::max(i, j), lo = std::min(i, j);
    return lo + hi * (hi + 1) / 2;
  }

 private:
  double* Value(double v, bool null_zero) {
    if (v == 0.0 && null_zero) return nullptr;
    values_.push_back(v);
    return &values_.back();
  }
  std::deque<double> values_;  // stable addresses
  std::vector<Dword> flags_, spins_, two_i_, species_;
  std::vector<double*> couplings_, dipolar_, quadratic_, linewidths_;
};

struct Line {
  double f, intensity;
  Dword group = 0, order = 0;  // dominant group and combination order (brute force and engine)
};

// A run of every transition above `threshold` of one system; the lines in
// ascending frequency.
inline std::vector<Line> EngineLines(const SpinSpec& spec, double threshold = 1e-12,
                                     Dword fragment_above = 11, Dword flags = kSsAllTransitions,
                                     bool* full = nullptr) {
  ssConfiguration* config = nullptr;
  cSpinForest* forest = ssOpenInstance(&config);
  config->FragmentIfEqvSizeExceeds = fragment_above;
  SpinInput input(spec);
  EXPECT_NE(ssAddSpinSystem(forest, &input.in), nullptr);
  ssSimulationRequest r{};
  r.Flags = kSsLineList | flags;
  r.LineCapacity = 1000000;
  r.IntensityThreshold = threshold;
  EXPECT_EQ(ssRunSimulation(forest, &r), kErrNone);
  std::vector<Line> lines;
  if (full) *full = r.Flags & kSsLineListFull;
  for (Dword i = 0; i < r.LinesKept; ++i)
    lines.push_back({r.Lines[i].Frequency, r.Lines[i].Intensity, r.Lines[i].GroupCode & 0xFFFF,
                     r.Lines[i].GroupCode >> 16});
  ssCloseInstance(&forest, &r);
  std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.f < b.f; });
  return lines;
}

// Every line of the system from the full product space of its single
// spins: H from spin operators, the library's symmetric eigensolver, and the
// amplitudes <j|I+|i> of the total raising operator. Intensities carry the
// engine's normalisation 2 / (number of product states) and the scale.
inline std::vector<Line> BruteForceLines(const SpinSpec& s, double threshold = 1e-12) {
  struct One {
    Dword group, two_i;
  };
  std::vector<One> spins;
  for (Dword g = 0; g < s.groups.size(); ++g)
    for (Dword c = 0; c < s.groups[g].spins; ++c) spins.push_back({g, s.groups[g].two_i});
  Dword dim = 1;
  for (const One& o : spins) dim *= o.two_i + 1;
  // State index: mixed radix, spin 0 slowest; digit k_i = I + m_i.
  auto digit = [&](Dword state, Dword i) {
    Dword x = state;
    for (Dword k = static_cast<Dword>(spins.size()); k-- > i + 1;) x /= spins[k].two_i + 1;
    return x % (spins[i].two_i + 1);
  };
  auto with_digit = [&](Dword state, Dword i, Dword value) {
    Dword stride = 1;
    for (Dword k = static_cast<Dword>(spins.size()); k-- > i + 1;) stride *= spins[k].two_i + 1;
    return state + (value - digit(state, i)) * stride;
  };
  auto m = [&](Dword state, Dword i) { return digit(state, i) - 0.5 * spins[i].two_i; };
  auto raise = [&](Dword k, Dword two_i) { return std::sqrt((k + 1.0) * (two_i - k)); };
  const Dword n = static_cast<Dword>(s.groups.size());
  std::vector<double> J(n * n, 0.0), D(n * n, 0.0);
  for (auto [i, j, v] : s.J) J[i * n + j] = J[j * n + i] = v;
  for (auto [i, j, v] : s.D) D[i * n + j] = D[j * n + i] = v;
  std::vector<double> H(Qword{dim} * dim, 0.0), P(Qword{dim} * dim, 0.0);
  const Dword count = static_cast<Dword>(spins.size());
  for (Dword a = 0; a < dim; ++a) {
    double diag = 0.0;
    std::vector<double> mz(n, 0.0);
    for (Dword i = 0; i < count; ++i) mz[spins[i].group] += m(a, i);
    for (Dword g = 0; g < n; ++g) {
      diag += s.groups[g].shift * mz[g];
      double q = s.quadratic.empty() ? 0.0 : s.quadratic[g];
      if (!s.self_dipolar.empty()) q += 1.5 * s.self_dipolar[g];
      diag += q * mz[g] * mz[g];
    }
    for (Dword i = 0; i < count; ++i)
      for (Dword k = 0; k < i; ++k) {
        const Dword gi = spins[i].group, gk = spins[k].group;
        if (gi == gk || s.groups[gi].species != s.groups[gk].species) continue;
        const double j = J[gi * n + gk], d = D[gi * n + gk];
        // J I.I + D (3 IzIz - I.I): zz part here, flip-flop part below.
        diag += (j + 2.0 * d) * m(a, i) * m(a, k);
        const double flip = 0.5 * (j - d);
        if (flip == 0.0) continue;
        // I+_i I-_k and I-_i I+_k acting on a.
        const Dword ki = digit(a, i), kk = digit(a, k);
        if (ki < spins[i].two_i && kk > 0) {
          const Dword b = with_digit(with_digit(a, i, ki + 1), k, kk - 1);
          H[b + Qword{dim} * a] += flip * raise(ki, spins[i].two_i) * raise(kk - 1, spins[k].two_i);
        }
        if (kk < spins[k].two_i && ki > 0) {
          const Dword b = with_digit(with_digit(a, k, kk + 1), i, ki - 1);
          H[b + Qword{dim} * a] += flip * raise(kk, spins[k].two_i) * raise(ki - 1, spins[i].two_i);
        }
      }
    H[a + Qword{dim} * a] += diag;
    for (Dword i = 0; i < count; ++i) {
      const Dword ki = digit(a, i);
      if (ki < spins[i].two_i)
        P[with_digit(a, i, ki + 1) + Qword{dim} * a] += raise(ki, spins[i].two_i);
    }
  }
  std::vector<double> E(dim);
  EXPECT_EQ(RMatDiagonalize(H.data(), dim, E.data()), 0u);
  // <i|Mz_g|i> of every eigenstate and group.
  std::vector<double> iz(Qword{dim} * n, 0.0);
  for (Dword i = 0; i < dim; ++i)
    for (Dword a = 0; a < dim; ++a) {
      const double p = H[a + Qword{dim} * i] * H[a + Qword{dim} * i];
      for (Dword k = 0; k < count; ++k) iz[Qword{i} * n + spins[k].group] += p * m(a, k);
    }
  const double weight = 2.0 / dim * s.scale;
  std::vector<Line> lines;
  std::vector<double> PV(Qword{dim} * dim, 0.0);  // P V
  for (Dword i = 0; i < dim; ++i)
    for (Dword a = 0; a < dim; ++a) {
      const double v = H[a + Qword{dim} * i];
      if (v == 0.0) continue;
      for (Dword b = 0; b < dim; ++b) PV[b + Qword{dim} * i] += P[b + Qword{dim} * a] * v;
    }
  for (Dword i = 0; i < dim; ++i)
    for (Dword j = 0; j < dim; ++j) {
      double amp = 0.0;
      for (Dword b = 0; b < dim; ++b) amp += H[b + Qword{dim} * j] * PV[b + Qword{dim} * i];
      const double intensity = amp * amp * weight;
      if (!(intensity > threshold)) continue;
      Dword dominant = 0;
      double largest = 0.0, negative = 0.0;
      for (Dword g = 0; g < n; ++g) {
        const double delta = iz[Qword{j} * n + g] - iz[Qword{i} * n + g];
        if (delta > largest) largest = delta, dominant = g;
        if (delta < 0.0) negative += delta;
      }
      lines.push_back({E[j] - E[i], intensity, dominant, static_cast<Dword>(0.5 - negative)});
    }
  std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.f < b.f; });
  return lines;
}

// Lines of equal frequency (within tol) merged into one with the summed
// intensity: degenerate states make the split among them arbitrary.
inline std::vector<Line> Merge(const std::vector<Line>& sorted, double tol = 1e-6) {
  std::vector<Line> out;
  for (const Line& l : sorted) {
    if (!out.empty() && l.f - out.back().f <= tol) {
      out.back().intensity += l.intensity;
    } else {
      out.push_back(l);
    }
  }
  return out;
}

// Every merged line of either list above `floor` has a partner within
// 1e-6 Hz of the same intensity (to 1e-9 relative to the total).
inline void ExpectSameSpectrum(const std::vector<Line>& got, const std::vector<Line>& want,
                               double floor = 1e-9) {
  const std::vector<Line> a = Merge(got), b = Merge(want);
  auto check = [floor](const std::vector<Line>& x, const std::vector<Line>& y, const char* what) {
    for (const Line& l : x) {
      if (l.intensity < floor) continue;
      auto it = std::min_element(y.begin(), y.end(), [&](const Line& p, const Line& q) {
        return std::fabs(p.f - l.f) < std::fabs(q.f - l.f);
      });
      ASSERT_NE(it, y.end()) << what;
      EXPECT_NEAR(it->f, l.f, 1e-6) << what << " line at " << l.f;
      EXPECT_NEAR(it->intensity, l.intensity, 1e-9) << what << " line at " << l.f;
    }
  };
  check(a, b, "engine line missing in brute force");
  check(b, a, "brute-force line missing in engine");
}
