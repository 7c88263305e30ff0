// The one heap sort of the library: in place, no recursion, no allocation,
// O(n log n) always. It works on a "sequence" that knows how to compare two
// positions, take one element aside, move one element and put the element
// aside back, so keys, index permutations and companion arrays all share it.
#pragma once
#include <cstring>

#include "base/types.h"

// Comparison of two elements: negative when the first belongs before the
// second.
template <class T>
using ArrCompare = Long (*)(const T*, const T*);

// Sequence contract (S):
//   bool After(Qword a, Qword b)  element at a sorts after element at b
//   bool AfterAside(Qword j)      element at j sorts after the element aside
//   void TakeAside(Qword i), void Move(Qword from, Qword to), void PutAside(Qword i)
template <class S>
void HeapSortEngine(Qword n, S& s) {
  if (n < 2) return;
  Qword l = n / 2;
  Qword r = n - 1;
  for (;;) {
    Qword i;
    if (l > 0) {
      i = --l;
      s.TakeAside(i);
    } else {
      s.TakeAside(r);
      s.Move(0, r);
      if (r == 1) {
        s.PutAside(0);
        return;
      }
      --r;
      i = 0;
    }
    for (Qword j = 2 * i + 1; j <= r; j = 2 * i + 1) {
      if (j < r && s.After(j + 1, j)) ++j;
      if (!s.AfterAside(j)) break;
      s.Move(j, i);
      i = j;
    }
    s.PutAside(i);
  }
}

// "a sorts after b": greater-than ascending, less-than descending; with a
// comparison, compare(b, a) < 0 ascending and compare(a, b) < 0 descending.
template <class T>
struct SortOrder {
  ArrCompare<T> compare;
  bool descending;
  bool After(const T& a, const T& b) const {
    if (compare) return descending ? compare(&a, &b) < 0 : compare(&b, &a) < 0;
    return descending ? a < b : b < a;
  }
};

// The plain orders, fixed at compile time so the hot comparisons carry no
// branch on the direction or the comparison.
template <class T>
struct Ascending {
  bool After(const T& a, const T& b) const { return b < a; }
};
template <class T>
struct Descending {
  bool After(const T& a, const T& b) const { return a < b; }
};

// Keys held in one array.
template <class T, class Order = SortOrder<T>>
struct KeySeq {
  T* x;
  Order order;
  T aside{};
  bool After(Qword a, Qword b) const { return order.After(x[a], x[b]); }
  bool AfterAside(Qword j) const { return order.After(x[j], aside); }
  void TakeAside(Qword i) { aside = x[i]; }
  void Move(Qword from, Qword to) { x[to] = x[from]; }
  void PutAside(Qword i) { x[i] = aside; }
};

// N arrays of 8-byte elements that follow every move of the keys, N fixed
// at compile time so that each move is N plain copies, unrolled. Raw 8-byte
// moves (memcpy), so they may hold doubles, integers or pointers.
template <int N>
struct Companions8 {
  unsigned char* a[N > 0 ? N : 1];
  Qword aside[N > 0 ? N : 1];
  void TakeAside(Qword i) {
    for (int k = 0; k < N; ++k) std::memcpy(&aside[k], a[k] + 8 * i, 8);
  }
  void Move(Qword from, Qword to) {
    for (int k = 0; k < N; ++k) std::memcpy(a[k] + 8 * to, a[k] + 8 * from, 8);
  }
  void PutAside(Qword i) {
    for (int k = 0; k < N; ++k) std::memcpy(a[k] + 8 * i, &aside[k], 8);
  }
};

// A key sequence whose moves are repeated on N companions.
template <class Base, int N>
struct WithCompanions : Base {
  Companions8<N> c;
  void TakeAside(Qword i) {
    Base::TakeAside(i);
    c.TakeAside(i);
  }
  void Move(Qword from, Qword to) {
    Base::Move(from, to);
    c.Move(from, to);
  }
  void PutAside(Qword i) {
    Base::PutAside(i);
    c.PutAside(i);
  }
};

template <int N, class Base>
void HeapSortCarrying(Qword n, const Base& keys, unsigned char* const* companions) {
  WithCompanions<Base, N> s;
  static_cast<Base&>(s) = keys;
  for (int k = 0; k < N; ++k) s.c.a[k] = companions[k];
  HeapSortEngine(n, s);
}

// Sorts the key sequence and carries the non-null ones of up to six
// companion arrays along; the count of companions picks the instance.
template <class Base, size_t M>
void HeapSortWithCompanions(Qword n, const Base& keys, void* const (&companions)[M]) {
  static_assert(M <= 6, "at most six companions");
  unsigned char* list[6];
  int count = 0;
  for (void* p : companions)
    if (p) list[count++] = static_cast<unsigned char*>(p);
  switch (count) {
    case 0:
      return HeapSortCarrying<0>(n, keys, list);
    case 1:
      return HeapSortCarrying<1>(n, keys, list);
    case 2:
      return HeapSortCarrying<2>(n, keys, list);
    case 3:
      return HeapSortCarrying<3>(n, keys, list);
    case 4:
      return HeapSortCarrying<4>(n, keys, list);
    case 5:
      return HeapSortCarrying<5>(n, keys, list);
    default:
      return HeapSortCarrying<6>(n, keys, list);
  }
}

// In-place sort of count elements; ascending for direction >= 0. Returns the
// array, or null (doing nothing) for a null array or a count of 0.
template <class T>
T* ArrHeapSort(Qword count, T* array, Long direction, ArrCompare<T> compare = nullptr) {
  if (!array || count == 0) return nullptr;
  if (compare) {
    KeySeq<T> s{array, {compare, direction < 0}};
    HeapSortEngine(count, s);
  } else if (direction < 0) {
    KeySeq<T, Descending<T>> s{array, {}};
    HeapSortEngine(count, s);
  } else {
    KeySeq<T, Ascending<T>> s{array, {}};
    HeapSortEngine(count, s);
  }
  return array;
}
