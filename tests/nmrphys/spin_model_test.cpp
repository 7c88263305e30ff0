// Spin systems added to an instance: profiles, the splitting stages and the
// tree they build, failures that leave the instance as it was.
#include <gtest/gtest.h>

#include <cmath>

#include "nmrphys/spin/spin_system.h"
#include "spin_fixture.h"
#include "support/alloc_failure.h"

namespace {

SpinSpec ThreeCoupled() {
  SpinSpec s;
  s.groups = {{1, 1, 10.0}, {1, 1, 30.0}, {1, 1, 40.0}};
  s.J = {{1, 0, 2.0}, {2, 0, 1.5}, {2, 1, 5.0}};
  return s;
}

struct Instance {
  ssConfiguration* config = nullptr;
  cSpinForest* forest = ssOpenInstance(&config);
  ~Instance() { ssCloseInstance(&forest, nullptr); }
};

// Executable leaves of a root in pre-order.
std::vector<cSpinSystem*> Leaves(cSpinSystem* root) {
  std::vector<cSpinSystem*> out;
  for (cKyTreeNode* n = root; n; n = n->NextInTree(root)) {
    cSpinSystem* s = static_cast<cSpinSystem*>(n);
    if (s->input.Executable) out.push_back(s);
  }
  return out;
}

TEST(SpinModel, DefaultsAndConfigurationAccess) {
  Instance inst;
  ASSERT_NE(inst.forest, nullptr);
  EXPECT_EQ(inst.config, ssAccessConfiguration(inst.forest));
  EXPECT_EQ(inst.config->MaxExecutionTime, 600.0);
  EXPECT_EQ(inst.config->MaxNumberOfTransitions, 10000000u);
  EXPECT_EQ(inst.config->MaxManifoldDimension, 65535u);
  EXPECT_EQ(inst.config->TransitionsIntensityThresholdOverride, 1e-8);
  EXPECT_EQ(inst.config->DesiredFragmentationOrder, 1u);
  EXPECT_EQ(inst.config->FragmentIfEqvSizeExceeds, 11u);
  EXPECT_EQ(inst.config->BinsPerPoint, 1u);
  EXPECT_EQ(ssAccessConfiguration(nullptr), nullptr);
}

TEST(SpinModel, ThreeCoupledSpinsAreExecutableAsTheRoot) {
  Instance inst;
  SpinInput in(ThreeCoupled());
  ssProfile* global = ssAddSpinSystem(inst.forest, &in.in);
  ASSERT_NE(global, nullptr);
  cSpinSystem* root = inst.forest->Find(1, 0);
  ASSERT_NE(root, nullptr);
  const ssProfile& p = root->profile;
  EXPECT_EQ(p.SplittingLevel, 7u);
  EXPECT_EQ(p.Subsystems, 1u);
  EXPECT_EQ(p.ExeSubsystems, 1u);
  EXPECT_EQ(p.TotalQuanta, 3u);
  EXPECT_EQ(p.NumberOfManifolds, 4u);
  EXPECT_EQ(p.NumberOfStates, 8.0);
  EXPECT_EQ(p.EquivalentSize, 3u);
  EXPECT_EQ(p.MainTransitions, 12.0);
  EXPECT_EQ(p.AllTransitions, 15.0);
  EXPECT_EQ(p.C1Transitions, 3.0);
  EXPECT_EQ(p.LargestManifoldDimension, 3.0);
  EXPECT_EQ(p.WeightFactor, 0.25);
  EXPECT_EQ(root->input.Executable, 1u);
  const double d[4] = {1, 3, 3, 1}, raising[4] = {3, 6, 3, 0};
  for (Dword K = 0; K < 4; ++K) {
    EXPECT_EQ(root->manifolds[K].K, K);
    EXPECT_EQ(root->manifolds[K].Dimension, d[K]);
    EXPECT_EQ(root->manifolds[K].RaisingCount, raising[K]);
  }
  // Estimates from the formulas: g = 3.
  double time = 0.0, ram = 0.0, previous = 0.0;
  for (int K = 0; K < 4; ++K) {
    double o = 3.0 / 20 + 2 * d[K] + 3 * d[K] * d[K] + 7 * d[K] + 3;
    if (K > 0) {
      o += d[K] / 20 + raising[K] + 3 * previous * raising[K];
      ram = std::max(ram, 36 * (d[K] + previous) + 16 * raising[K] + 8 * d[K] * (d[K] + 1) +
                              8 * previous * (previous + 1));
    }
    time += o * d[K];
    previous = d[K];
  }
  EXPECT_DOUBLE_EQ(p.ExecutionTime, time * 1e-8);
  EXPECT_DOUBLE_EQ(p.BytesOfRAM, ram);
  EXPECT_EQ(global->Branches, 1u);
  EXPECT_EQ(global->NumberOfStates, 8.0);
  EXPECT_EQ(global->SplittingLevel, 0u);
  EXPECT_EQ(global->WeightFactor, 0.0);
}

TEST(SpinModel, EquivalentSize) {
  struct Case {
    std::vector<SpinGroup> groups;
    Dword want;
  } cases[] = {
      {{{1, 2, 1.0}}, 2},               // one spin 1
      {{{2, 1, 1.0}, {1, 2, 3.0}}, 4},  // two spins 1/2 and a spin 1: 12 states
      {{{1, 1, 1.0}}, 1},
      {{{3, 1, 1.0}, {1, 3, 2.0}}, 5},  // 8 x 4 states
      {{{1, 4, 1.0}, {1, 4, 2.0}}, 5},  // 25 states: log2 = 4.64
  };
  for (const Case& c : cases) {
    Instance inst;
    SpinSpec s;
    s.groups = c.groups;
    SpinInput in(s);
    ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
    EXPECT_EQ(inst.forest->Find(1, 0)->profile.EquivalentSize, c.want);
  }
}

TEST(SpinModel, TwoSystemsAndDuplicateIds) {
  Instance inst;
  SpinSpec a = ThreeCoupled(), b;
  b.groups = {{1, 2, 5.0}, {1, 1, 9.0}};
  b.J = {{1, 0, 3.0}};
  b.user_id = 2;
  SpinInput ia(a), ib(b);
  ASSERT_NE(ssAddSpinSystem(inst.forest, &ia.in), nullptr);
  const ssProfile* g = ssAddSpinSystem(inst.forest, &ib.in);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Branches, 2u);
  EXPECT_EQ(g->NumberOfStates, 8.0 + 6.0);
  const ssProfile before = *g;
  EXPECT_EQ(ssAddSpinSystem(inst.forest, &ia.in), nullptr);
  EXPECT_EQ(inst.forest->Count(), 2u);
  EXPECT_EQ(inst.forest->global.NumberOfStates, before.NumberOfStates);
  EXPECT_EQ(ssAddSpinSystem(nullptr, &ia.in), nullptr);
  EXPECT_EQ(ssAddSpinSystem(inst.forest, nullptr), nullptr);
}

TEST(SpinModel, BadInputIsRefused) {
  Instance inst;
  SpinInput in(ThreeCoupled());
  ssSpinSystemInput bad = in.in;
  bad.Couplings = nullptr;
  EXPECT_EQ(ssAddSpinSystem(inst.forest, &bad), nullptr);
  bad = in.in;
  bad.IntensityScale = nullptr;
  EXPECT_EQ(ssAddSpinSystem(inst.forest, &bad), nullptr);
  Dword huge[3] = {4000000000u, 1, 1};
  bad = in.in;
  bad.EquivalentSpins = huge;
  EXPECT_EQ(ssAddSpinSystem(inst.forest, &bad), nullptr);
  bad = in.in;
  bad.GroupCount = 0;  // nothing to simulate
  EXPECT_EQ(ssAddSpinSystem(inst.forest, &bad), nullptr);
  EXPECT_EQ(inst.forest->Count(), 0u);
  EXPECT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
}

TEST(SpinModel, NonMagneticSystemLeavesNoTrace) {
  Instance inst;
  SpinSpec s;
  s.groups = {{0, 1, 3.0}, {0, 2, 4.0}};
  s.J = {{1, 0, 3.0}};
  SpinInput in(s);
  const ssProfile* g = ssAddSpinSystem(inst.forest, &in.in);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(inst.forest->Count(), 0u);
  EXPECT_EQ(g->Branches, 0u);
}

TEST(SpinModel, SpeciesAndComponentsSplit) {
  Instance inst;
  SpinSpec s;
  // Groups 0-1-2 coupled in a chain, 3 uncoupled; 4 of another species
  // coupled to 0.
  s.groups = {{1, 1, 1.0}, {1, 1, 20.0}, {1, 1, 40.0}, {1, 1, 60.0}, {1, 1, 80.0, 0, 7}};
  s.J = {{1, 0, 3.0}, {2, 1, 4.0}, {4, 0, 9.0}};
  SpinInput in(s);
  ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
  cSpinSystem* root = inst.forest->Find(1, 0);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->species.Count, 2u);
  EXPECT_EQ(root->species.Codes[0], 0u);
  EXPECT_EQ(root->species.Codes[1], 7u);
  EXPECT_EQ(root->species.GroupCounts[0], 4u);
  EXPECT_EQ(root->profile.Branches, 2u);
  std::vector<std::vector<Dword>> maps;
  for (cSpinSystem* leaf : Leaves(root)) {
    std::vector<Dword> m(leaf->index_map, leaf->index_map + leaf->input.GroupCount);
    maps.push_back(m);
    EXPECT_EQ(leaf->profile.SplittingLevel, 7u);
  }
  const std::vector<std::vector<Dword>> want = {{0, 1, 2}, {3}, {4}};
  EXPECT_EQ(maps, want);
  // Sub ids are handed out by the root in creation order; Find walks them.
  for (Dword sub = 1; sub <= root->sub_id_counter; ++sub) {
    cSpinSystem* s2 = inst.forest->Find(1, sub);
    ASSERT_NE(s2, nullptr);
    EXPECT_EQ(s2->input.SubId, sub);
    EXPECT_EQ(s2->profile.ParentSubId, s2->ParentSystem()->input.SubId);
  }
  EXPECT_EQ(inst.forest->Find(1, root->sub_id_counter + 1), nullptr);
  // Three executable leaves and the cuts at stage 1 and 2.
  EXPECT_EQ(root->profile.ExeSubsystems, 3u);
  EXPECT_EQ(root->profile.NumberOfStates, 8.0 + 2.0 + 2.0);
}

// Composite spins: the pair of equivalent spins 1/2 next to a single spin
// 1/2 becomes 2S = 2 (share 3/4) and 2S = 0 (share 1/4); the second child
// drops that group and keeps the single spin.
TEST(SpinModel, CompositeSpinDecomposition) {
  Instance inst;
  SpinSpec s;
  s.groups = {{2, 1, 10.0}, {1, 1, 50.0}};
  s.J = {{1, 0, 7.0}};
  SpinInput in(s);
  ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
  cSpinSystem* root = inst.forest->Find(1, 0);
  std::vector<cSpinSystem*> leaves = Leaves(root);
  ASSERT_EQ(leaves.size(), 2u);
  EXPECT_EQ(leaves[0]->input.GroupCount, 2u);
  EXPECT_EQ(leaves[0]->input.Spin[0], 2u);
  EXPECT_EQ(leaves[0]->input.EquivalentSpins[0], 1u);
  EXPECT_DOUBLE_EQ(leaves[0]->profile.WeightFactor, 0.75 * 2.0 / 6.0);
  EXPECT_EQ(leaves[1]->input.GroupCount, 1u);
  EXPECT_EQ(leaves[1]->index_map[0], 1u);
  EXPECT_DOUBLE_EQ(leaves[1]->profile.WeightFactor, 0.25 * 2.0 / 2.0);
  EXPECT_EQ(leaves[1]->profile.SplittingLevel, 7u);
}

// The shares M (2S + 1) / (s + 1)^N of the composite spins, by the leaves'
// weights times their state counts / 2.
TEST(SpinModel, CompositeShares) {
  struct Case {
    Dword spins, two_i;
    std::vector<std::pair<Dword, double>> shares;  // 2S and share
  } cases[] = {
      {2, 1, {{2, 3.0 / 4}, {0, 1.0 / 4}}},
      {3, 1, {{3, 4.0 / 8}, {1, 4.0 / 8}}},
      {2, 2, {{4, 5.0 / 9}, {2, 3.0 / 9}, {0, 1.0 / 9}}},
      {4, 1, {{4, 5.0 / 16}, {2, 9.0 / 16}, {0, 2.0 / 16}}},
      {3, 2, {{6, 7.0 / 27}, {4, 10.0 / 27}, {2, 9.0 / 27}, {0, 1.0 / 27}}},
  };
  for (const Case& c : cases) {
    Instance inst;
    SpinSpec s;
    s.groups = {{c.spins, c.two_i, 10.0}, {1, 1, 40.0}};
    s.J = {{1, 0, 3.0}};
    SpinInput in(s);
    ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
    std::vector<cSpinSystem*> leaves = Leaves(inst.forest->Find(1, 0));
    ASSERT_EQ(leaves.size(), c.shares.size());
    for (size_t i = 0; i < leaves.size(); ++i) {
      const cSpinSystem* leaf = leaves[i];
      const Dword two_s = leaf->input.GroupCount == 2 ? leaf->input.Spin[0] : 0;
      EXPECT_EQ(two_s, c.shares[i].first);
      double states = 1;
      for (Dword g = 0; g < leaf->input.GroupCount; ++g) states *= leaf->input.Spin[g] + 1.0;
      EXPECT_NEAR(leaf->profile.WeightFactor * states / 2.0, c.shares[i].second, 1e-15)
          << c.spins << " spins 2I=" << c.two_i;
    }
  }
}

TEST(SpinModel, SpinThreeHalvesGroupUnchangedInDecomposition) {
  Instance inst;
  SpinSpec s;
  s.groups = {{1, 3, 10.0}, {2, 1, 40.0}};
  s.J = {{1, 0, 3.0}};
  SpinInput in(s);
  ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
  cSpinSystem* root = inst.forest->Find(1, 0);
  Dword decomposition_children = 0;
  for (cKyTreeNode* n = root->FirstChild(); n; n = n->NextSibling()) {
    cSpinSystem* c = static_cast<cSpinSystem*>(n);
    ++decomposition_children;
    EXPECT_EQ(c->input.Spin[0], 3u);
    EXPECT_EQ(c->input.GroupCount, 2u);
  }
  EXPECT_EQ(decomposition_children, 2u);
  // The pair as 2S = 2 passes 5 and 6 without a cut; as 2S = 0 it is
  // dropped at 5, where its child goes on with the spin-3/2 group alone.
  cSpinSystem* first = static_cast<cSpinSystem*>(root->FirstChild());
  cSpinSystem* second = static_cast<cSpinSystem*>(first->NextSibling());
  EXPECT_EQ(first->profile.SplittingLevel, 7u);
  EXPECT_EQ(second->profile.SplittingLevel, 5u);
  cSpinSystem* kept = static_cast<cSpinSystem*>(second->FirstChild());
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->input.GroupCount, 1u);
  EXPECT_EQ(kept->input.Spin[0], 3u);
  EXPECT_EQ(kept->profile.SplittingLevel, 7u);
}

// Twenty methyl groups that are not fragmented would make 2^20 systems:
// refused before any is made, and the instance stays empty.
TEST(SpinModel, DecompositionCountedBeforeChildrenAreMade) {
  Instance inst;
  inst.config->FragmentIfEqvSizeExceeds = 1000;
  SpinSpec s;
  for (Dword g = 0; g < 20; ++g) s.groups.push_back({3, 1, 10.0 * g});
  for (Dword g = 1; g < 20; ++g) s.J.push_back({g, 0, 1.0});
  SpinInput in(s);
  EXPECT_EQ(ssAddSpinSystem(inst.forest, &in.in), nullptr);
  EXPECT_EQ(inst.forest->Count(), 0u);
}

// A chain of 14 spins 1/2 cut into fragments of order 1: every group is
// owned by exactly one fragment and a spectator in the others that hold it.
TEST(SpinModel, FragmentsOwnEveryGroupOnce) {
  Instance inst;
  SpinSpec s;
  for (Dword g = 0; g < 14; ++g) s.groups.push_back({1, 1, 100.0 * g});
  for (Dword g = 1; g < 14; ++g) s.J.push_back({g, g - 1, 2.0});
  SpinInput in(s);
  ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
  cSpinSystem* root = inst.forest->Find(1, 0);
  std::vector<int> owners(14, 0);
  Dword fragments = 0;
  for (cKyTreeNode* n = root->FirstChild(); n; n = n->NextSibling()) {
    cSpinSystem* f = static_cast<cSpinSystem*>(n);
    ++fragments;
    EXPECT_LE(f->input.GroupCount, 3u);
    for (Dword g = 0; g < f->input.GroupCount; ++g)
      if (!(f->input.GroupFlags[g] & kSpinGroupSpectator)) ++owners[f->index_map[g]];
  }
  for (int o : owners) EXPECT_EQ(o, 1);
  // The first centre is the lowest group of the highest degree (1); group 0
  // has no neighbour outside, so it belongs there too; the last fragment
  // owns 12 and 13.
  cSpinSystem* first = static_cast<cSpinSystem*>(root->FirstChild());
  ASSERT_EQ(first->input.GroupCount, 3u);
  EXPECT_EQ(first->index_map[0], 0u);
  EXPECT_EQ(first->index_map[2], 2u);
  EXPECT_TRUE(first->input.GroupFlags[2] & kSpinGroupSpectator);
  EXPECT_FALSE(first->input.GroupFlags[0] & kSpinGroupSpectator);
  EXPECT_EQ(fragments, 12u);
  EXPECT_EQ(root->input.GroupFlags[2] & kSpinGroupSpectator, 0u);  // the root keeps its flags
}

// Small systems are never fragmented with the defaults.
TEST(SpinModel, NoFragmentationUpToEleven) {
  Instance inst;
  SpinSpec s;
  for (Dword g = 0; g < 11; ++g) s.groups.push_back({1, 1, 100.0 * g});
  for (Dword g = 1; g < 11; ++g) s.J.push_back({g, g - 1, 2.0});
  SpinInput in(s);
  ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr);
  EXPECT_EQ(inst.forest->Find(1, 0)->profile.SplittingLevel, 7u);
}

// Without memory at any point of adding, the add fails and the instance is
// as before: a retry with the same id succeeds.
TEST(SpinModel, FailedAddRemovesThePartialRoot) {
  SpinSpec s;
  s.groups = {{2, 1, 10.0}, {1, 1, 50.0}, {1, 2, 80.0, 0, 3}};
  s.J = {{1, 0, 7.0}};
  SpinInput in(s);
  Qlong allowed = 0;
  for (;; ++allowed) {
    Instance inst;
    SpinInput other(ThreeCoupled());
    other.in.UserId = 9;
    ASSERT_NE(ssAddSpinSystem(inst.forest, &other.in), nullptr);
    AllocFailureGuard fail(allowed);
    const ssProfile* p = ssAddSpinSystem(inst.forest, &in.in);
    fail.Release();
    if (p) break;
    EXPECT_EQ(inst.forest->Count(), 1u) << allowed;
    EXPECT_EQ(inst.forest->Find(1, 0), nullptr);
    EXPECT_EQ(inst.forest->global.Branches, 1u);
    ASSERT_NE(ssAddSpinSystem(inst.forest, &in.in), nullptr) << allowed;
    EXPECT_EQ(inst.forest->global.Branches, 2u);
    ASSERT_LT(allowed, 1000);
  }
  EXPECT_GT(allowed, 5);
}

TEST(SpinModel, CloseInstanceTwiceIsHarmless) {
  cSpinForest* forest = ssOpenInstance(nullptr);
  ASSERT_NE(forest, nullptr);
  ssCloseInstance(&forest, nullptr);
  EXPECT_EQ(forest, nullptr);
  ssCloseInstance(&forest, nullptr);
  ssCloseInstance(nullptr, nullptr);
}

}  // namespace
