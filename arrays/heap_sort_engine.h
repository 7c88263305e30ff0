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

// Keys held in one array.
template <class T>
struct KeySeq {
  T* x;
  SortOrder<T> order;
  T aside{};
  bool After(Qword a, Qword b) const { return order.After(x[a], x[b]); }
  bool AfterAside(Qword j) const { return order.After(x[j], aside); }
  void TakeAside(Qword i) { aside = x[i]; }
  void Move(Qword from, Qword to) { x[to] = x[from]; }
  void PutAside(Qword i) { x[i] = aside; }
};

// Up to six arrays of 8-byte elements that follow every move of the keys.
// Raw 8-byte moves (memcpy), so they may hold doubles, integers or pointers.
struct Companions8 {
  unsigned char* a[6];
  Qword aside[6];
  int n = 0;
  void Add(void* p) {
    if (p) a[n++] = static_cast<unsigned char*>(p);
  }
  void TakeAside(Qword i) {
    for (int k = 0; k < n; ++k) std::memcpy(&aside[k], a[k] + 8 * i, 8);
  }
  void Move(Qword from, Qword to) {
    for (int k = 0; k < n; ++k) std::memcpy(a[k] + 8 * to, a[k] + 8 * from, 8);
  }
  void PutAside(Qword i) {
    for (int k = 0; k < n; ++k) std::memcpy(a[k] + 8 * i, &aside[k], 8);
  }
};

// A key sequence whose moves are repeated on the companions.
template <class Base>
struct WithCompanions : Base {
  Companions8 c;
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

// In-place sort of count elements; ascending for direction >= 0. Returns the
// array, or null (doing nothing) for a null array or a count of 0.
template <class T>
T* ArrHeapSort(Qword count, T* array, Long direction, ArrCompare<T> compare = nullptr) {
  if (!array || count == 0) return nullptr;
  KeySeq<T> s{array, {compare, direction < 0}};
  HeapSortEngine(count, s);
  return array;
}
