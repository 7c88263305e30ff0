// Spin systems of the engine: input copies, profiles and their statistics
// events, the instance's lookup and global profile, the tree messages.
#include "nmrphys/spin/spin_system.h"

#include <new>

#include "base/error_codes.h"
#include "base/memory.h"

namespace {

template <class T>
T* CopyArray(Dword* error, const T* source, Qword count) {
  *error = kErrNone;
  if (!source || count == 0) return nullptr;
  T* block = NewArrFill<T>(error, count);
  if (block)
    for (Qword i = 0; i < count; ++i) block[i] = source[i];
  return block;
}

Qword Triangle(Dword n) { return Qword{n} * (Qword{n} + 1) / 2; }

}  // namespace

cSpinManifold::~cSpinManifold() { Release(0); }

// Keep bits: 0x40000000 Iz; 0x20000000 or 0x10000000 eigenvalues and
// eigenvectors; 0x20000000 raising elements; 0x10000000 basis.
void cSpinManifold::Release(Dword flags) {
  if (!(flags & kSsKeepIz)) KillPtr(&Iz);
  if (!(flags & (kSsKeepRaising | kSsLineListFull))) {
    KillPtr(&Eigenvalues);
    KillPtr(&Eigenvectors);
  }
  if (!(flags & kSsKeepRaising)) {
    KillPtr(&RaisingPairs);
    KillPtr(&RaisingValues);
  }
  if (!(flags & kSsLineListFull)) KillPtr(&Basis);
}

cSpinSystem::cSpinSystem(cSpinSystem* parent) : cKyTreeNode(parent) {
  if (parent) root = parent->root;
}

cSpinSystem::~cSpinSystem() {
  // Children first (they read nothing of this system while they go).
  Children().DeleteAll(true);
  ReleaseInput();
  KillPtr(&species.Codes);
  KillPtr(&species.GroupCounts);
  KillPtr(&index_map);
  ReleaseManifolds();
  ReleaseGraph();
}

cSpinForest* cSpinSystem::Forest() const { return static_cast<cSpinForest*>(root->Owner()); }

void cSpinSystem::ReleaseInput() {
  KillPtr(&input.GroupFlags);
  KillPtr(&input.EquivalentSpins);
  KillPtr(&input.Spin);
  KillPtr(&input.Species);
  KillPtr(&input.Couplings);
  KillPtr(&input.Dipolar);
  KillPtr(&input.Quadratic);
  KillPtr(&input.Linewidths);
}

void cSpinSystem::ReleaseManifolds() {
  delete[] manifolds;
  manifolds = nullptr;
}

void cSpinSystem::ReleaseGraph() {
  delete graph;
  graph = nullptr;
}

LibErrorCode cSpinSystem::CopyInput(const ssSpinSystemInput& s) {
  ReleaseInput();
  input = s;
  input.GroupFlags = input.EquivalentSpins = input.Spin = input.Species = nullptr;
  input.Couplings = input.Dipolar = input.Quadratic = input.Linewidths = nullptr;
  const Dword n = s.GroupCount;
  Dword e[8];
  input.GroupFlags = CopyArray(&e[0], s.GroupFlags, n);
  input.EquivalentSpins = CopyArray(&e[1], s.EquivalentSpins, n);
  input.Spin = CopyArray(&e[2], s.Spin, n);
  input.Species = CopyArray(&e[3], s.Species, n);
  input.Couplings = CopyArray(&e[4], s.Couplings, Triangle(n));
  input.Dipolar = CopyArray(&e[5], s.Dipolar, Triangle(n));
  input.Quadratic = CopyArray(&e[6], s.Quadratic, n);
  input.Linewidths = CopyArray(&e[7], s.Linewidths, n);
  for (Dword error : e)
    if (error) {
      ReleaseInput();
      return kErrAlloc;
    }
  return kErrNone;
}

LibErrorCode cSpinSystem::CopyRestrictedInput(const cSpinSystem& parent, const Dword* groups,
                                              Dword count) {
  ReleaseInput();
  const ssSpinSystemInput& p = parent.input;
  input = p;
  input.GroupCount = count;
  input.GroupFlags = input.EquivalentSpins = input.Spin = input.Species = nullptr;
  input.Couplings = input.Dipolar = input.Quadratic = input.Linewidths = nullptr;
  input.SubId = 0;
  Dword e[8] = {};
  input.GroupFlags = NewArrFill<Dword>(&e[0], count);
  input.EquivalentSpins = NewArrFill<Dword>(&e[1], count);
  input.Spin = NewArrFill<Dword>(&e[2], count);
  input.Species = NewArrFill<Dword>(&e[3], count);
  input.Couplings = NewArrFill<double*>(&e[4], Triangle(count));
  if (p.Dipolar) input.Dipolar = NewArrFill<double*>(&e[5], Triangle(count));
  if (p.Quadratic) input.Quadratic = NewArrFill<double*>(&e[6], count);
  if (p.Linewidths) input.Linewidths = NewArrFill<double*>(&e[7], count);
  for (Dword error : e)
    if (error) {
      ReleaseInput();
      return kErrAlloc;
    }
  for (Dword i = 0; i < count; ++i) {
    const Dword gi = groups[i];
    input.GroupFlags[i] = p.GroupFlags[gi];
    input.EquivalentSpins[i] = p.EquivalentSpins[gi];
    input.Spin[i] = p.Spin[gi];
    input.Species[i] = p.Species[gi];
    if (input.Quadratic) input.Quadratic[i] = p.Quadratic[gi];
    if (input.Linewidths) input.Linewidths[i] = p.Linewidths[gi];
    for (Dword j = 0; j <= i; ++j) {
      const Qword to = SpinPacked(i, j), from = SpinPacked(gi, groups[j]);
      input.Couplings[to] = p.Couplings[from];
      if (input.Dipolar) input.Dipolar[to] = p.Dipolar[from];
    }
  }
  return kErrNone;
}

// Number of product states in spin-1/2 equivalents: about the base-2
// logarithm of the product of (2I + 1) over every spin.
static Dword EquivalentSize(const ssSpinSystemInput& in) {
  double x = 1.0;
  Dword e = 0;
  for (Dword g = 0; g < in.GroupCount; ++g)
    for (Dword k = 0; in.Spin[g] && k < in.EquivalentSpins[g]; ++k) {
      x *= static_cast<double>(in.Spin[g]) + 1.0;
      while (x >= 1.999) {
        ++e;
        x /= 2.0;
      }
    }
  return e + (x >= 1.5 ? 1 : 0);
}

void cSpinSystem::InitProfile(double weight) {
  input.Executable = 0;
  profile = ssProfile{};
  profile.WeightFactor = weight;
  if (cSpinSystem* parent = ParentSystem()) {
    parent->profile.Branches = parent->Children().Count();
    profile.SplittingLevel = parent->profile.SplittingLevel + 1;
    profile.ParentUserId = parent->input.UserId;
    profile.ParentSubId = parent->input.SubId;
  }
  profile.EquivalentSize = EquivalentSize(input);
  Dword quanta = 0, enabled = 0;
  for (Dword g = 0; g < input.GroupCount; ++g) {
    quanta += input.Spin[g] * input.EquivalentSpins[g];
    if (!(input.GroupFlags[g] & kSpinGroupSpectator)) ++enabled;
  }
  profile.TotalQuanta = quanta;
  profile.EnabledEqvGroups = enabled;
}

static void ApplyEvent(ssProfile& p, Dword kind, double value) {
  switch (kind) {
    case 1:
      ++p.Subsystems;
      break;
    case 2:
      ++p.ExeSubsystems;
      break;
    case 3:
      p.NumberOfManifolds += static_cast<Dword>(value);
      break;
    case 4:
      if (value > p.LargestManifoldDimension) p.LargestManifoldDimension = value;
      break;
    case 5:
      p.NumberOfStates += value;
      break;
    case 6:
      p.MainTransitions += value;
      break;
    case 7:
      p.C1Transitions += value;
      break;
    case 8:
      p.AllTransitions += value;
      break;
    case 9:
      p.ExecutionTime += value;
      break;
    case 10:
      if (value > p.BytesOfRAM) p.BytesOfRAM = value;
      break;
    default:
      break;
  }
}

void cSpinSystem::ProfileEvent(Dword kind, double value, bool ancestors_only) {
  for (cSpinSystem* s = ancestors_only ? ParentSystem() : this; s; s = s->ParentSystem())
    ApplyEvent(s->profile, kind, value);
}

Qlong cSpinSystem::OnMessage(Dword message, void* argument) {
  if (profile.SplittingLevel != 7 || !argument) return 0;
  const ssMessageArgument& arg = *static_cast<const ssMessageArgument*>(argument);
  if (message == ssMessageFreeManifoldData) {
    for (Dword k = 0; manifolds && k < profile.NumberOfManifolds; ++k)
      manifolds[k].Release(arg.Flags);
    return 0;
  }
  if (message == ssMessageComputeTransitions) return SpinComputeTransitions(this, arg);
  return 0;
}

cSpinForest::cSpinForest() : configuration{600.0, 10000000u, 65535u, 1e-8, 1u, 11u, 1u} {}

cSpinForest::~cSpinForest() { DeleteAll(true); }

cSpinSystem* cSpinForest::Find(Dword user_id, Dword sub_id) const {
  for (cKyListItem* item = LastA(); item; item = item->PrevA()) {
    cSpinSystem* r = static_cast<cSpinSystem*>(item);
    if (r->input.UserId != user_id) continue;
    for (cKyTreeNode* node = r; node; node = node->NextInTree(r))
      if (static_cast<cSpinSystem*>(node)->input.SubId == sub_id)
        return static_cast<cSpinSystem*>(node);
    return nullptr;
  }
  return nullptr;
}

void cSpinForest::RecomputeGlobalProfile() {
  ssProfile g{};
  for (cKyListItem* item = First(); item; item = item->Next()) {
    const ssProfile& p = static_cast<cSpinSystem*>(item)->profile;
    ++g.Branches;
    g.EquivalentSize += p.EquivalentSize;
    g.TotalQuanta += p.TotalQuanta;
    g.EnabledEqvGroups += p.EnabledEqvGroups;
    g.Subsystems += p.Subsystems;
    g.ExeSubsystems += p.ExeSubsystems;
    g.NumberOfManifolds += p.NumberOfManifolds;
    if (p.LargestManifoldDimension > g.LargestManifoldDimension)
      g.LargestManifoldDimension = p.LargestManifoldDimension;
    g.NumberOfStates += p.NumberOfStates;
    g.MainTransitions += p.MainTransitions;
    g.C1Transitions += p.C1Transitions;
    g.AllTransitions += p.AllTransitions;
    g.ExecutionTime += p.ExecutionTime;
    if (p.BytesOfRAM > g.BytesOfRAM) g.BytesOfRAM = p.BytesOfRAM;
  }
  global = g;
}

cSpinSystem* SpinMakeChild(cSpinSystem* parent, const ssSpinSystemInput* whole, const Dword* groups,
                           Dword count, bool inherit) {
  cSpinSystem* child = new (std::nothrow) cSpinSystem(parent);
  if (!child) return nullptr;
  const LibErrorCode copied =
      whole ? child->CopyInput(*whole) : child->CopyRestrictedInput(*parent, groups, count);
  const Dword n = child->input.GroupCount;
  Dword error = kErrNone;
  if (copied == kErrNone) child->index_map = NewArrFill<Dword>(&error, n);
  if (copied != kErrNone || (n && !child->index_map)) {
    delete child;
    return nullptr;
  }
  for (Dword i = 0; i < n; ++i) child->index_map[i] = parent->index_map[whole ? i : groups[i]];
  child->input.UserId = parent->input.UserId;
  child->input.IntensityScale = parent->input.IntensityScale;
  child->input.Executable = parent->input.Executable;
  child->input.SubId = ++parent->root->sub_id_counter;
  child->InitProfile(inherit ? parent->profile.WeightFactor : 1.0);
  return child;
}
