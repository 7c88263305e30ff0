// Inside the spin engine: the instance is a forest whose roots are the
// added systems; the splitting stages cut each root into a tree of
// subsystems, and the executable leaves hold the manifolds (blocks of their
// Hamiltonian with a fixed number of raised quanta).
#pragma once
#include "framework/ky_tree.h"
#include "nmrphys/spin/kgraph.h"
#include "nmrphys/spin/spin.h"

class cSpinSystem;

// Tree messages of a run; only executable systems answer.
enum : Dword {
  ssMessageFreeManifoldData = 0x80000001u,
  ssMessageComputeTransitions = 0x80000002u,
};

// Raising elements pack two state indices of 16 bits each.
inline constexpr Dword kSpinMaxDimension = 65535;

// What a run keeps beside the request while the systems compute their lines.
struct cSpinRunState {
  Qword LineArraySize = 0;  // lines the array holds
};

// Argument of the tree messages. The run passes its private state in the
// first spare pointer.
struct ssMessageArgument {
  Dword UserId;
  Dword SubId;
  Dword Flags;  // the release rule
  ssSimulationRequest* Request;
  cSpinRunState* Run;
  void* Spare;
};

class cSpinManifold {
 public:
  cSpinManifold() = default;
  virtual ~cSpinManifold();
  cSpinManifold(const cSpinManifold&) = delete;
  cSpinManifold& operator=(const cSpinManifold&) = delete;

  // Releases the data by the release rule (flag word 0: everything).
  void Release(Dword flags);

  Dword K = 0;
  double CountedDimension = 0;
  Dword Dimension = 0;
  Dword* Basis = nullptr;  // Dimension x n, state by state
  Dword RaisingCount = 0;
  Dword* RaisingPairs = nullptr;  // (state in K + 1) x 65536 + (state in K)
  double* RaisingValues = nullptr;
  double* Eigenvalues = nullptr;
  double* Eigenvectors = nullptr;  // Dimension x Dimension, column i for eigenvalue i
  double* Iz = nullptr;            // Dimension x n, eigenstate by eigenstate
  cSpinSystem* Owner = nullptr;
};

// The species of a system's groups (count 0 when all share one).
struct cSpinSpeciesTable {
  Dword Count = 0;
  Dword* Codes = nullptr;
  Dword* GroupCounts = nullptr;
};

class cSpinSystem : public cKyTreeNode {
 public:
  explicit cSpinSystem(cSpinSystem* parent);
  ~cSpinSystem() override;
  Qlong OnMessage(Dword message, void* argument) override;

  ssSpinSystemInput input{};
  ssProfile profile{};
  cSpinSystem* root = this;
  Dword sub_id_counter = 0;
  Dword* index_map = nullptr;
  cSpinSpeciesTable species;
  cKyKgraph* graph = nullptr;
  cSpinManifold* manifolds = nullptr;

  cSpinSystem* ParentSystem() const { return static_cast<cSpinSystem*>(Parent()); }
  cSpinForest* Forest() const;
  // Copies `source` whole (arrays and pointer arrays); 0 or 0x80001.
  LibErrorCode CopyInput(const ssSpinSystemInput& source);
  // The parent's input restricted to the listed groups (ascending).
  LibErrorCode CopyRestrictedInput(const cSpinSystem& parent, const Dword* groups, Dword count);
  void ReleaseInput();
  void ReleaseManifolds();
  void ReleaseGraph();
  // Profile from the groups; weight as given, parent fields from the parent.
  void InitProfile(double weight);
  // Statistics event of kind 1 to 10 on this system (unless ancestors_only)
  // and every ancestor.
  void ProfileEvent(Dword kind, double value, bool ancestors_only);
};

class cSpinForest : public cKyForest {
 public:
  cSpinForest();
  ~cSpinForest() override;

  ssConfiguration configuration;
  ssProfile global{};

  // The system of (user id, sub id): the root of the user id searched from
  // the last added, then the first node of its tree in pre-order with the
  // sub id; null when none.
  cSpinSystem* Find(Dword user_id, Dword sub_id) const;
  void RecomputeGlobalProfile();
};

// Reads a coupling value; a null pointer counts as 0.
inline double SpinValue(const double* p) { return p ? *p : 0.0; }
inline Qword SpinPacked(Dword i, Dword j) {
  const Qword hi = i > j ? i : j, lo = i > j ? j : i;
  return lo + hi * (hi + 1) / 2;
}
// The optional arrays read as 0 when absent.
inline double SpinCoupling(const ssSpinSystemInput& in, Dword i, Dword j) {
  return SpinValue(in.Couplings[SpinPacked(i, j)]);
}
inline double SpinDipolar(const ssSpinSystemInput& in, Dword i, Dword j) {
  return in.Dipolar ? SpinValue(in.Dipolar[SpinPacked(i, j)]) : 0.0;
}
inline double SpinQuadratic(const ssSpinSystemInput& in, Dword g) {
  return in.Quadratic ? SpinValue(in.Quadratic[g]) : 0.0;
}
inline double SpinLinewidth(const ssSpinSystemInput& in, Dword g) {
  return in.Linewidths ? SpinValue(in.Linewidths[g]) : 0.0;
}

// Splitting stages (spin_stages.cpp): runs the stage of the system's
// SplittingLevel and everything after it. The system may be deleted by
// its stages; the caller must not touch it after a result of 0.
LibErrorCode SpinRunStage(cSpinSystem* system);
// Makes a child of parent: from `whole` copied when given, else from the
// parent's listed groups; inherits the parent's WeightFactor when asked.
// Null without memory.
cSpinSystem* SpinMakeChild(cSpinSystem* parent, const ssSpinSystemInput* whole, const Dword* groups,
                           Dword count, bool inherit);
// Stage 7: manifolds and estimates (spin_counting.cpp).
LibErrorCode SpinBuildManifolds(cSpinSystem* system);
// The lines of one executable system into the run (spin_transitions.cpp).
LibErrorCode SpinComputeTransitions(cSpinSystem* system, const ssMessageArgument& argument);
// Releases every output of a request and sets its counts to 0.
void SpinReleaseOutputs(ssSimulationRequest* request);
