// The splitting stages run when a system is added: each either cuts the
// system into children (which run their own stages at once) or finds
// nothing to cut and passes the system on to the next stage.
#include <new>

#include "arrays/rarr_sort.h"
#include "base/error_codes.h"
#include "base/memory.h"
#include "nmrphys/spin/spin_system.h"

namespace {

// Most children a composite-spin decomposition may make: every combination
// of composite spins is a whole copy of the system, so a few dozen groups of
// equivalent spins would otherwise make millions of systems.
constexpr double kMaxDecompositionChildren = 4096.0;

struct GroupList {
  Dword* groups = nullptr;
  Dword count = 0;
  ~GroupList() { KillPtr(&groups); }
};

// Makes the child and runs its stages; the child may delete itself.
LibErrorCode Cut(cSpinSystem* system, const ssSpinSystemInput* whole, const Dword* groups,
                 Dword count, bool inherit, double weight, const Dword* spin_override) {
  cSpinSystem* child = SpinMakeChild(system, whole, groups, count, inherit);
  if (!child) return kErrAlloc;
  if (spin_override) {
    for (Dword g = 0; g < child->input.GroupCount; ++g)
      if (spin_override[g] != ~Dword{0}) {
        child->input.Spin[g] = spin_override[g];
        child->input.EquivalentSpins[g] = 1;
      }
    child->InitProfile(weight);
  }
  return SpinRunStage(child);
}

// Stage 0 and 5. Returns 1 through *cut when the stage cut or deleted.
LibErrorCode DropNonMagnetic(cSpinSystem* s, bool* done) {
  ssSpinSystemInput& in = s->input;
  Dword m = 0;
  for (Dword g = 0; g < in.GroupCount; ++g) {
    if (in.EquivalentSpins[g] == 0) in.Spin[g] = 0;
    if (in.Spin[g] != 0) ++m;
  }
  *done = false;
  if (m == in.GroupCount) return kErrNone;
  *done = true;
  if (m == 0) {
    delete s;  // unlinks it from its parent or the instance
    return kErrNone;
  }
  s->ReleaseGraph();
  Dword error;
  GroupList list;
  list.groups = NewArrFill<Dword>(&error, m);
  if (!list.groups) return kErrAlloc;
  for (Dword g = 0; g < in.GroupCount; ++g)
    if (in.Spin[g] != 0) list.groups[list.count++] = g;
  s->ProfileEvent(1, 0, false);
  return Cut(s, nullptr, list.groups, list.count, true, 0, nullptr);
}

LibErrorCode SplitBySpecies(cSpinSystem* s, bool* done) {
  ssSpinSystemInput& in = s->input;
  const Dword n = in.GroupCount;
  *done = false;
  bool mixed = false;
  for (Dword g = 1; g < n && !mixed; ++g) mixed = in.Species[g] != in.Species[g - 1];
  KillPtr(&s->species.Codes);
  KillPtr(&s->species.GroupCounts);
  s->species.Count = 0;
  if (!mixed) return kErrNone;
  *done = true;
  Dword error;
  double* sorted = NewArrFill<double>(&error, n);
  if (!sorted) return kErrAlloc;
  for (Dword g = 0; g < n; ++g) sorted[g] = in.Species[g];
  RArrIpHeapSort(n, sorted, 1);
  Dword distinct = 1;
  for (Dword g = 1; g < n; ++g) distinct += sorted[g] != sorted[g - 1];
  s->species.Codes = NewArrFill<Dword>(&error, distinct);
  const Dword zero = 0;
  s->species.GroupCounts = NewArrFill<Dword>(&error, distinct, &zero);
  GroupList list;
  list.groups = NewArrFill<Dword>(&error, n);
  if (!s->species.Codes || !s->species.GroupCounts || !list.groups) {
    KillPtr(&sorted);
    return kErrAlloc;
  }
  Dword c = 0;
  for (Dword g = 0; g < n; ++g) {
    if (g > 0 && sorted[g] != sorted[g - 1]) ++c;
    s->species.Codes[c] = static_cast<Dword>(sorted[g]);
    ++s->species.GroupCounts[c];
  }
  KillPtr(&sorted);
  s->species.Count = distinct;
  s->ProfileEvent(1, 0, false);
  for (Dword c2 = 0; c2 < distinct; ++c2) {
    list.count = 0;
    for (Dword g = 0; g < n; ++g)
      if (in.Species[g] == s->species.Codes[c2]) list.groups[list.count++] = g;
    if (const LibErrorCode e = Cut(s, nullptr, list.groups, list.count, true, 0, nullptr)) return e;
  }
  return kErrNone;
}

LibErrorCode BuildCouplingGraph(cSpinSystem* s) {
  s->ReleaseGraph();
  s->graph = new (std::nothrow) cKyKgraph;
  if (!s->graph) return kErrAlloc;
  const ssSpinSystemInput& in = s->input;
  if (const LibErrorCode e = s->graph->Init(in.GroupCount)) return e;
  for (Dword i = 0; i < in.GroupCount; ++i)
    for (Dword j = 0; j < i; ++j) {
      if (SpinCoupling(in, i, j) != 0.0) s->graph->AddEdge(i, j, 2);
      if (in.Dipolar && SpinDipolar(in, i, j) != 0.0) s->graph->AddEdge(i, j, 3);
    }
  return kErrNone;
}

LibErrorCode SplitComponents(cSpinSystem* s, bool* done) {
  *done = false;
  if (const LibErrorCode e = BuildCouplingGraph(s)) return e;
  if (const LibErrorCode e = s->graph->Components(1)) return e;
  const Dword count = s->graph->ComponentCount(1);
  if (count <= 1) return kErrNone;
  *done = true;
  const Dword n = s->input.GroupCount;
  Dword error;
  GroupList list;
  list.groups = NewArrFill<Dword>(&error, n);
  if (!list.groups) return kErrAlloc;
  s->ProfileEvent(1, 0, false);
  LibErrorCode result = kErrNone;
  for (Dword c = 0; c < count && !result; ++c) {
    list.count = 0;
    for (Dword g = 0; g < n; ++g)
      if (s->graph->ComponentOfVertex()[g] == c) list.groups[list.count++] = g;
    result = Cut(s, nullptr, list.groups, list.count, true, 0, nullptr);
  }
  s->ReleaseGraph();
  return result;
}

// Stage 3: overlapping fragments around the most connected groups. Each
// fragment holds a centre and its neighbours within k coupling steps; a
// member belongs to the fragment when its own neighbourhood lies inside it,
// and is a spectator there otherwise.
LibErrorCode Fragment(cSpinSystem* s, Dword k, bool* done) {
  *done = false;
  const ssConfiguration& config = s->Forest()->configuration;
  if (s->profile.EquivalentSize <= config.FragmentIfEqvSizeExceeds) return kErrNone;
  const Dword n = s->input.GroupCount;
  for (; k > 0; --k) {
    if (!s->graph)
      if (const LibErrorCode e = BuildCouplingGraph(s)) return e;
    cKyKgraph closure;
    for (Dword step = 0; step < k; ++step)
      if (const LibErrorCode e = closure.Extend(*s->graph)) return e;
    if (closure.Flags() & kKgraphComplete) continue;
    *done = true;
    Dword error;
    const Dword zero = 0;
    GroupList owner, members;
    owner.groups = NewArrFill<Dword>(&error, n, &zero);
    members.groups = NewArrFill<Dword>(&error, n);
    Dword* flags = NewArrFill<Dword>(&error, n);
    if (!owner.groups || !members.groups || !flags) {
      KillPtr(&flags);
      return kErrAlloc;
    }
    s->ProfileEvent(1, 0, false);
    const Long kk = static_cast<Long>(k);
    auto near = [&](Dword a, Dword b) {
      const Long e = closure.EdgeCode(a, b);
      return a != b && e > 0 && e <= kk;
    };
    Dword owned = 0, f = 0;
    LibErrorCode result = kErrNone;
    while (owned < n && !result) {
      ++f;
      Dword c = n;
      for (Dword g = 0; g < n; ++g)
        if (!owner.groups[g] && (c == n || closure.Degree(g) > closure.Degree(c))) c = g;
      members.count = 0;
      for (Dword g = 0; g < n; ++g)
        if (g == c || near(g, c)) members.groups[members.count++] = g;
      owner.groups[c] = f;
      ++owned;
      for (Dword i = 0; i < members.count; ++i) {
        const Dword g = members.groups[i];
        if (g == c || owner.groups[g]) continue;
        bool inside = true;
        for (Dword h = 0; h < n && inside; ++h) {
          if (h == g || h == c || !near(h, g)) continue;
          bool member = false;
          for (Dword j = 0; j < members.count && !member; ++j) member = members.groups[j] == h;
          inside = member;
        }
        if (inside) {
          owner.groups[g] = f;
          ++owned;
        }
      }
      // The child copies the flags of the system; the spectator flag of the
      // members owned elsewhere is added there, the system's stay as given.
      for (Dword g = 0; g < n; ++g) flags[g] = s->input.GroupFlags[g];
      for (Dword i = 0; i < members.count; ++i) {
        const Dword g = members.groups[i];
        if (owner.groups[g] != f) s->input.GroupFlags[g] |= kSpinGroupSpectator;
      }
      cSpinSystem* child = SpinMakeChild(s, nullptr, members.groups, members.count, true);
      for (Dword g = 0; g < n; ++g) s->input.GroupFlags[g] = flags[g];
      result = child ? SpinRunStage(child) : kErrAlloc;
    }
    KillPtr(&flags);
    return result;
  }
  return kErrNone;
}

// Stage 4: each group of N > 1 equivalent spins 2I = s is replaced by one
// composite spin 2S = N s - 2v, v = 0 .. floor(N s / 2), with the share
// M_v (2S + 1) / (s + 1)^N of the states, M_v the number of multiplets;
// every combination of choices becomes a child.
LibErrorCode Decompose(cSpinSystem* s, bool* done) {
  const ssSpinSystemInput& in = s->input;
  const Dword n = in.GroupCount;
  *done = false;
  double children = 1.0;
  Qword table_size = 0;
  for (Dword g = 0; g < n; ++g)
    if (in.EquivalentSpins[g] > 1) {
      const Qword choices = Qword{in.EquivalentSpins[g]} * in.Spin[g] / 2 + 1;
      children *= static_cast<double>(choices);
      table_size += choices;
    }
  if (table_size == 0) return kErrNone;
  *done = true;
  // Counted before anything is made: the combinations multiply.
  if (children > kMaxDecompositionChildren) return kErrTooManyItems;
  s->ReleaseGraph();
  Dword error;
  double* share = NewArrFill<double>(&error, table_size);
  Dword* first = NewArrFill<Dword>(&error, n);  // offset of a group's choices
  Dword* choice = NewArrFill<Dword>(&error, n);
  Dword* spin = NewArrFill<Dword>(&error, n);
  double* c = NewArrFill<double>(&error, table_size + 1);
  double* next = NewArrFill<double>(&error, table_size + 1);
  auto release = [&] {
    KillPtr(&share);
    KillPtr(&first);
    KillPtr(&choice);
    KillPtr(&spin);
    KillPtr(&c);
    KillPtr(&next);
  };
  if (!share || !first || !choice || !spin || !c || !next) {
    release();
    return kErrAlloc;
  }
  Qword offset = 0;
  for (Dword g = 0; g < n; ++g) {
    choice[g] = 0;
    const Dword N = in.EquivalentSpins[g];
    if (N <= 1) continue;
    first[g] = static_cast<Dword>(offset);
    const Qword sg = in.Spin[g];
    const Qword len = Qword{N} * sg / 2 + 1;
    // c_t / (s + 1)^N, t < len, for c_t the coefficients of
    // (1 + x + ... + x^s)^N: N running-sum passes, each divided by s + 1 so
    // that large N neither overflows nor ends in inf / inf.
    const double base = static_cast<double>(sg) + 1.0;
    for (Qword t = 0; t < len; ++t) c[t] = t == 0 ? 1.0 : 0.0;
    for (Dword pass = 0; pass < N; ++pass) {
      double run = 0.0;
      for (Qword t = 0; t < len; ++t) {
        run += c[t];
        if (t > sg) run -= c[t - sg - 1];
        next[t] = run / base;
      }
      for (Qword t = 0; t < len; ++t) c[t] = next[t];
    }
    for (Qword v = 0; v < len; ++v) {
      const double multiplets = c[v] - (v ? c[v - 1] : 0.0);
      const double two_s = static_cast<double>(Qword{N} * sg - 2 * v);
      share[offset + v] = multiplets * (two_s + 1.0);
    }
    offset += len;
  }
  s->ProfileEvent(1, 0, false);
  LibErrorCode result = kErrNone;
  for (;;) {
    double weight = s->profile.WeightFactor;
    for (Dword g = 0; g < n; ++g) {
      spin[g] = ~Dword{0};
      if (in.EquivalentSpins[g] <= 1) continue;
      weight *= share[first[g] + choice[g]];
      spin[g] = in.EquivalentSpins[g] * in.Spin[g] - 2 * choice[g];
    }
    result = Cut(s, &in, nullptr, 0, false, weight, spin);
    if (result) break;
    // Odometer, the first group fastest.
    Dword g = 0;
    for (; g < n; ++g) {
      if (in.EquivalentSpins[g] <= 1) continue;
      if (++choice[g] < Qword{in.EquivalentSpins[g]} * in.Spin[g] / 2 + 1) break;
      choice[g] = 0;
    }
    if (g == n) break;
  }
  release();
  return result;
}

}  // namespace

LibErrorCode SpinRunStage(cSpinSystem* s) {
  for (;;) {
    bool done = false;
    LibErrorCode e;
    switch (s->profile.SplittingLevel) {
      case 0:
      case 5:
        e = DropNonMagnetic(s, &done);
        break;
      case 1:
        e = SplitBySpecies(s, &done);
        break;
      case 2:
      case 6:
        e = SplitComponents(s, &done);
        break;
      case 3:
        e = Fragment(s, s->Forest()->configuration.DesiredFragmentationOrder, &done);
        break;
      case 4:
        e = Decompose(s, &done);
        break;
      case 7:
        s->input.Executable = 1;
        s->ProfileEvent(1, 0, false);
        s->ProfileEvent(2, 0, false);
        return SpinBuildManifolds(s);
      default:
        return kErrInternal;
    }
    if (e || done) return e;
    s->profile.SplittingLevel += s->profile.SplittingLevel == 5 ? 2 : 1;
  }
}
