// Coupling and closure graphs of the spin engine.
#include "nmrphys/spin/kgraph.h"

#include <cstring>

#include "base/error_codes.h"
#include "base/memory.h"

namespace {

Qword TriangleSize(Dword n) { return Qword{n} * (Qword{n} + 1) / 2; }

Long* NewZeroMatrix(Dword* error, Dword n) {
  const Long zero = 0;
  return NewArrFill<Long>(error, TriangleSize(n), &zero);
}

}  // namespace

cKyKgraph::~cKyKgraph() { Reset(); }

Qword cKyKgraph::PackedIndex(Dword a, Dword b) {
  const Qword hi = a > b ? a : b;
  const Qword lo = a > b ? b : a;
  return lo + hi * (hi + 1) / 2;
}

void cKyKgraph::Reset() {
  KillPtr(&matrix_);
  KillPtr(&component_sizes_);
  KillPtr(&component_of_);
  flags_ = n_ = edges_ = order_ = component_count_ = 0;
}

LibErrorCode cKyKgraph::Init(Dword n) {
  Reset();
  if (n == 0) return kErrNone;
  Dword error;
  matrix_ = NewZeroMatrix(&error, n);
  if (!matrix_) return error;
  n_ = n;
  return kErrNone;
}

LibErrorCode cKyKgraph::AddEdge(Dword a, Dword b, Long type) {
  if (!matrix_) return kErrMissingDataObject;
  if (type == 0 || a == b) return kErrNone;
  if ((a > b ? a : b) >= n_) return kErrIllegalArgument;
  Long& e = matrix_[PackedIndex(a, b)];
  const Long before = e;
  if (type == 1)
    e = static_cast<Long>(static_cast<Dword>(e) + 1u);
  else
    e = before ? static_cast<Long>(static_cast<Dword>(type) * static_cast<Dword>(before)) : type;
  if (before == 0) {
    ++edges_;
    ++matrix_[PackedIndex(a, a)];
    ++matrix_[PackedIndex(b, b)];
  }
  return kErrNone;
}

Long cKyKgraph::Edge(Dword a, Dword b, Dword type) const {
  if (!matrix_) return static_cast<Long>(kErrMissingDataObject);
  if ((a > b ? a : b) >= n_) return -static_cast<Long>(kErrIllegalArgument);
  if (type == 0) return 0;
  const Long e = matrix_[PackedIndex(a, b)];
  if (type == 1) return e;
  return (e != 0 && e % static_cast<Qlong>(type) == 0) ? 1 : 0;
}

LibErrorCode cKyKgraph::Components(Dword type) {
  if (!matrix_) return kErrMissingDataObject;
  if (type == 0) return kErrNone;
  // Labels and the stack are built aside, so a failed allocation leaves the
  // tables of the last successful call.
  Dword error;
  const Dword zero = 0;
  Dword* label = NewArrFill<Dword>(&error, n_, &zero);
  Dword* stack = NewArrFill<Dword>(&error, n_);
  if (!label || !stack) {
    KillPtr(&label);
    KillPtr(&stack);
    return kErrAlloc;
  }
  Dword count = 0;
  for (Dword s = 0; s < n_; ++s) {
    if (label[s]) continue;
    label[s] = ++count;
    Dword top = 0;
    stack[top++] = s;
    while (top) {
      const Dword c = stack[--top];
      for (Dword j = s + 1; j < n_; ++j)
        if (!label[j] && Edge(c, j, type) != 0) {
          label[j] = count;
          stack[top++] = j;  // each vertex is pushed once: top < n
        }
    }
  }
  const Long zero_size = 0;
  Long* sizes = NewArrFill<Long>(&error, count, &zero_size);
  if (!sizes) {
    KillPtr(&label);
    KillPtr(&stack);
    return kErrAlloc;
  }
  for (Dword v = 0; v < n_; ++v) {
    --label[v];
    ++sizes[label[v]];
  }
  KillPtr(&stack);
  KillPtr(&component_sizes_);
  KillPtr(&component_of_);
  component_sizes_ = sizes;
  component_of_ = label;
  component_count_ = count;
  return kErrNone;
}

Dword cKyKgraph::ComponentCount(Dword type) {
  if (component_count_ == 0) Components(type);
  return component_count_;
}

// One closure step. Step 1 joins the coupled pairs with entry 1; step r + 1
// joins an open pair (i, j) with r + 1 when some k has entry r with i and a
// coupling with j, reading only entries of earlier steps. The flag
// kKgraphComplete is set when some vertex has become joined to all others
// (or when a step joins nothing) and then ends every further step. So the
// closure stops as soon as one vertex reaches every other: on the path
// 0-1-2-3 two steps join (0, 2) and (1, 3), vertex 1 reaches all, and
// (0, 3) is never joined however many steps follow. The fragmentation
// stage only needs the neighbourhoods and the completeness test, and relies
// on exactly this stop.
LibErrorCode cKyKgraph::Extend(const cKyKgraph& source) {
  if ((flags_ & kKgraphComplete) || source.n_ == 0) return kErrNone;
  if (!source.matrix_) return kErrMissingDataObject;
  const Dword n = source.n_;
  Dword error;
  Qword added = 0;
  if (order_ == 0) {
    Long* m = NewZeroMatrix(&error, n);
    if (!m) return error;
    for (Dword i = 0; i < n; ++i) {
      m[PackedIndex(i, i)] = source.matrix_[PackedIndex(i, i)];
      for (Dword j = 0; j < i; ++j)
        if (source.matrix_[PackedIndex(i, j)] != 0) {
          m[PackedIndex(i, j)] = 1;
          ++added;
        }
    }
    Reset();
    matrix_ = m;
    n_ = n;
  } else {
    if (n_ != n) return kErrSizeMismatch;
    Long* m = NewArrFill<Long>(&error, TriangleSize(n));
    if (!m) return kErrAlloc;
    std::memcpy(m, matrix_, TriangleSize(n) * sizeof(Long));
    const Long r = static_cast<Long>(order_);
    for (Dword i = 0; i < n; ++i)
      for (Dword j = 0; j < i; ++j) {
        if (matrix_[PackedIndex(i, j)] != 0) continue;
        for (Dword k = 0; k < n; ++k) {
          if (k == i || k == j) continue;
          if (matrix_[PackedIndex(k, i)] == r && source.matrix_[PackedIndex(k, j)] != 0) {
            m[PackedIndex(i, j)] = r + 1;
            ++m[PackedIndex(i, i)];
            ++m[PackedIndex(j, j)];
            ++added;
            break;
          }
        }
      }
    KillPtr(&matrix_);
    matrix_ = m;
  }
  if (added > 0) {
    ++order_;
    for (Dword v = 0; v < n_; ++v)
      if (matrix_[PackedIndex(v, v)] == static_cast<Long>(n_ - 1)) {
        flags_ |= kKgraphComplete;
        break;
      }
  } else {
    flags_ |= kKgraphComplete;
  }
  return kErrNone;
}
