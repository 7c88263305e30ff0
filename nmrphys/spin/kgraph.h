// The coupling graph of one spin system: a vertex per group, an edge per
// non-zero coupling. Adjacency is a packed lower triangle of s32 entries
// with the vertex degrees on the diagonal; an edge's entry is the product of
// the coupling types recorded for the pair (2 scalar, 3 dipolar), so 6
// marks both. A closure graph built by Extend holds instead the length of
// the shortest coupling path of every pair it has joined.
#pragma once
#include "base/types.h"

enum : Dword {
  kKgraphComplete = 4,  // some vertex reaches every other, or a step added nothing
};

class cKyKgraph {
 public:
  cKyKgraph() = default;
  virtual ~cKyKgraph();
  cKyKgraph(const cKyKgraph&) = delete;
  cKyKgraph& operator=(const cKyKgraph&) = delete;

  // Clears everything, then n vertices without edges; 0 or 0x80001.
  LibErrorCode Init(Dword n);
  void Reset();
  // Type 1 counts (adds 1 to the entry); another type multiplies it in.
  LibErrorCode AddEdge(Dword a, Dword b, Long type);
  // Type 1: the stored entry (the degree when a = b); type t > 1: 1 when
  // the entry is a non-zero multiple of t; type 0: 0. 23 without a matrix,
  // -26 for a vertex out of range.
  Long Edge(Dword a, Dword b, Dword type) const;
  Long EdgeCode(Dword a, Dword b) const { return Edge(a, b, 1); }
  static Qword PackedIndex(Dword a, Dword b);
  // Connected components with Edge(., ., type) as the adjacency test.
  LibErrorCode Components(Dword type);
  // The cached count; computed first only while it is 0.
  Dword ComponentCount(Dword type);
  // One step of the neighbourhood closure of `source` (see kgraph.cpp).
  LibErrorCode Extend(const cKyKgraph& source);

  Dword Flags() const { return flags_; }
  Dword VertexCount() const { return n_; }
  Dword EdgeCount() const { return edges_; }
  Dword Order() const { return order_; }
  const Long* ComponentSizes() const { return component_sizes_; }
  const Dword* ComponentOfVertex() const { return component_of_; }
  Long Degree(Dword v) const { return Edge(v, v, 1); }

 private:
  Dword flags_ = 0;
  Dword n_ = 0;
  Dword edges_ = 0;
  Long* matrix_ = nullptr;
  Dword order_ = 0;
  Dword component_count_ = 0;
  Long* component_sizes_ = nullptr;
  Dword* component_of_ = nullptr;
};
