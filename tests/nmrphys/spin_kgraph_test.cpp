// The coupling graph: edge codes, components and the closure steps, with
// the closure checked against breadth-first distances.
#include <gtest/gtest.h>

#include <queue>
#include <vector>

#include "base/error_codes.h"
#include "nmrphys/spin/kgraph.h"
#include "support/alloc_failure.h"

namespace {

TEST(SpinKgraph, EdgeCodesAreProductsOfTypes) {
  cKyKgraph g;
  ASSERT_EQ(g.Init(3), kErrNone);
  EXPECT_EQ(g.AddEdge(1, 0, 2), kErrNone);
  EXPECT_EQ(g.AddEdge(0, 1, 3), kErrNone);
  EXPECT_EQ(g.EdgeCode(1, 0), 6);
  EXPECT_EQ(g.Degree(0), 1);
  EXPECT_EQ(g.Degree(1), 1);
  EXPECT_EQ(g.EdgeCount(), 1u);
  EXPECT_EQ(g.Edge(0, 1, 2), 1);
  EXPECT_EQ(g.Edge(0, 1, 3), 1);
  EXPECT_EQ(g.Edge(0, 1, 5), 0);
  EXPECT_EQ(g.Edge(0, 2, 2), 0);
  EXPECT_EQ(g.Edge(0, 1, 0), 0);
  // Type 1 counts calls.
  EXPECT_EQ(g.AddEdge(2, 1, 1), kErrNone);
  EXPECT_EQ(g.AddEdge(1, 2, 1), kErrNone);
  EXPECT_EQ(g.EdgeCode(2, 1), 2);
  EXPECT_EQ(g.Degree(1), 2);
  EXPECT_EQ(g.EdgeCount(), 2u);
  EXPECT_EQ(cKyKgraph::PackedIndex(2, 1), 1u + 3u);
  EXPECT_EQ(cKyKgraph::PackedIndex(1, 2), 4u);
}

TEST(SpinKgraph, BadVerticesAndMissingMatrix) {
  cKyKgraph g;
  EXPECT_EQ(g.AddEdge(0, 1, 2), kErrMissingDataObject);
  EXPECT_EQ(g.Edge(0, 1, 2), 23);
  EXPECT_EQ(g.Components(1), kErrMissingDataObject);
  ASSERT_EQ(g.Init(2), kErrNone);
  EXPECT_EQ(g.AddEdge(1, 1, 2), kErrNone);  // no loops
  EXPECT_EQ(g.Degree(1), 0);
  EXPECT_EQ(g.AddEdge(2, 0, 2), kErrIllegalArgument);
  EXPECT_EQ(g.Edge(2, 0, 2), -26);
  EXPECT_EQ(g.EdgeCount(), 0u);
  ASSERT_EQ(g.Init(0), kErrNone);
  EXPECT_EQ(g.VertexCount(), 0u);
}

TEST(SpinKgraph, ComponentsInOrderOfLowestVertex) {
  cKyKgraph g;
  ASSERT_EQ(g.Init(6), kErrNone);
  g.AddEdge(4, 1, 2);
  g.AddEdge(5, 0, 3);
  g.AddEdge(3, 5, 2);
  EXPECT_EQ(g.ComponentCount(1), 3u);  // {0,3,5} {1,4} {2}
  const Dword want_of[6] = {0, 1, 2, 0, 1, 0};
  for (Dword v = 0; v < 6; ++v) EXPECT_EQ(g.ComponentOfVertex()[v], want_of[v]) << v;
  EXPECT_EQ(g.ComponentSizes()[0], 3);
  EXPECT_EQ(g.ComponentSizes()[1], 2);
  EXPECT_EQ(g.ComponentSizes()[2], 1);
  // With type 3 only the dipolar edge (5, 0) joins.
  ASSERT_EQ(g.Components(3), kErrNone);
  EXPECT_EQ(g.ComponentCount(3), 5u);
  // The count is cached until Components runs again.
  g.AddEdge(2, 1, 2);
  EXPECT_EQ(g.ComponentCount(1), 5u);
  ASSERT_EQ(g.Components(1), kErrNone);
  EXPECT_EQ(g.ComponentCount(1), 2u);
  EXPECT_EQ(g.Components(0), kErrNone);
}

TEST(SpinKgraph, EdgelessGraph) {
  cKyKgraph g, c;
  ASSERT_EQ(g.Init(4), kErrNone);
  EXPECT_EQ(g.ComponentCount(1), 4u);
  for (Dword i = 0; i < 4; ++i) EXPECT_EQ(g.ComponentSizes()[i], 1);
  ASSERT_EQ(c.Extend(g), kErrNone);
  EXPECT_TRUE(c.Flags() & kKgraphComplete);
  EXPECT_EQ(c.Order(), 0u);
}

TEST(SpinKgraph, PathClosureStopsWhenOneVertexReachesAll) {
  cKyKgraph path, c;
  ASSERT_EQ(path.Init(4), kErrNone);
  path.AddEdge(0, 1, 2);
  path.AddEdge(1, 2, 2);
  path.AddEdge(2, 3, 2);
  EXPECT_EQ(path.ComponentCount(1), 1u);
  ASSERT_EQ(c.Extend(path), kErrNone);
  EXPECT_FALSE(c.Flags() & kKgraphComplete);
  ASSERT_EQ(c.Extend(path), kErrNone);
  EXPECT_EQ(c.EdgeCode(0, 2), 2);
  EXPECT_EQ(c.EdgeCode(1, 3), 2);
  EXPECT_EQ(c.EdgeCode(0, 3), 0);
  EXPECT_EQ(c.Degree(1), 3);
  EXPECT_TRUE(c.Flags() & kKgraphComplete);
  EXPECT_EQ(c.Order(), 2u);
  // Complete: further steps change nothing, (0, 3) stays open.
  ASSERT_EQ(c.Extend(path), kErrNone);
  EXPECT_EQ(c.EdgeCode(0, 3), 0);
  EXPECT_EQ(c.Order(), 2u);
  cKyKgraph other;
  ASSERT_EQ(other.Init(5), kErrNone);
  cKyKgraph d;
  ASSERT_EQ(d.Extend(path), kErrNone);
  EXPECT_EQ(d.Extend(other), kErrSizeMismatch);
}

// Closure entries against breadth-first distances on random sparse graphs,
// up to the step where the closure stops.
TEST(SpinKgraph, ClosureHoldsShortestPathLengths) {
  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int trial = 0; trial < 40; ++trial) {
    const Dword n = 3 + next() % 12;
    cKyKgraph g;
    ASSERT_EQ(g.Init(n), kErrNone);
    std::vector<std::vector<Dword>> adj(n);
    for (Dword e = 0; e < n + next() % n; ++e) {
      const Dword a = next() % n, b = next() % n;
      if (a == b || g.EdgeCode(a, b)) continue;
      g.AddEdge(a, b, 2);
      adj[a].push_back(b);
      adj[b].push_back(a);
    }
    cKyKgraph c;
    for (Dword k = 1; k <= n; ++k) {
      const bool was_complete = c.Flags() & kKgraphComplete;
      const Dword order_before = c.Order();
      ASSERT_EQ(c.Extend(g), kErrNone);
      if (was_complete) {
        EXPECT_EQ(c.Order(), order_before);
        continue;
      }
      const Dword r = c.Order();
      for (Dword s = 0; s < n; ++s) {
        std::vector<int> dist(n, -1);
        std::queue<Dword> q;
        dist[s] = 0;
        q.push(s);
        while (!q.empty()) {
          const Dword u = q.front();
          q.pop();
          for (Dword v : adj[u])
            if (dist[v] < 0) dist[v] = dist[u] + 1, q.push(v);
        }
        Long degree = 0;
        for (Dword t = 0; t < n; ++t) {
          if (t == s) continue;
          const Long want = (dist[t] > 0 && dist[t] <= static_cast<int>(r)) ? dist[t] : 0;
          EXPECT_EQ(c.EdgeCode(s, t), want) << "trial " << trial << " pair " << s << "," << t;
          degree += want ? 1 : 0;
        }
        EXPECT_EQ(c.Degree(s), degree);
      }
    }
  }
}

TEST(SpinKgraph, FailedAllocationLeavesTheGraph) {
  cKyKgraph g;
  ASSERT_EQ(g.Init(3), kErrNone);
  g.AddEdge(0, 1, 2);
  g.AddEdge(1, 2, 2);
  ASSERT_EQ(g.Components(1), kErrNone);
  AllocFailureGuard fail(0);
  EXPECT_EQ(g.Components(1), kErrAlloc);
  cKyKgraph c;
  EXPECT_EQ(c.Extend(g), kErrAlloc);
  EXPECT_EQ(g.Init(5), kErrAlloc);
  fail.Release();
  EXPECT_EQ(c.Order(), 0u);
  EXPECT_EQ(g.VertexCount(), 0u);
}

}  // namespace
