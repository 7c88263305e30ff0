// Key sorts that carry companion arrays along: the moves of the keys are
// repeated on every companion in the same pass.
#include "arrays/rarr_sort.h"

namespace {

// Keys held in two arrays, ordered by (k1, then k2), both ascending.
struct PairSeq {
  Qword* k1;
  double* k2;
  Qword a1 = 0;
  double a2 = 0;
  static bool After(Qword x1, double x2, Qword y1, double y2) {
    return x1 > y1 || (x1 == y1 && x2 > y2);
  }
  bool After(Qword a, Qword b) const { return After(k1[a], k2[a], k1[b], k2[b]); }
  bool AfterAside(Qword j) const { return After(k1[j], k2[j], a1, a2); }
  void TakeAside(Qword i) {
    a1 = k1[i];
    a2 = k2[i];
  }
  void Move(Qword from, Qword to) {
    k1[to] = k1[from];
    k2[to] = k2[from];
  }
  void PutAside(Qword i) {
    k1[i] = a1;
    k2[i] = a2;
  }
};

template <class T>
T* SortWithSix(T* keys, Qword count, void** c1, void** c2, void** c3, void** c4, void** c5,
               void** c6) {
  if (!keys || count < 2) return keys;
  KeySeq<T, Ascending<T>> s{keys, {}};
  void* const companions[] = {c1, c2, c3, c4, c5, c6};
  HeapSortWithCompanions(count, s, companions);
  return keys;
}

}  // namespace

VELTRIA_API double* RArrHeapSortR(double* keys, Qword count, Qword* index, void** pointers,
                                  double* d1, double* d2, double* d3, double* d4) {
  if (!keys || count < 2) return keys;
  KeySeq<double, Ascending<double>> s{keys, {}};
  void* const companions[] = {index, pointers, d1, d2, d3, d4};
  HeapSortWithCompanions(count, s, companions);
  return keys;
}

VELTRIA_API Qlong* RArrHeapSortL(Qlong* keys, Qword count, void** c1, void** c2, void** c3,
                                 void** c4, void** c5, void** c6) {
  return SortWithSix<Qlong>(keys, count, c1, c2, c3, c4, c5, c6);
}

VELTRIA_API Qword* RArrHeapSortD(Qword* keys, Qword count, void** c1, void** c2, void** c3,
                                 void** c4, void** c5, void** c6) {
  return SortWithSix<Qword>(keys, count, c1, c2, c3, c4, c5, c6);
}

VELTRIA_API double* RArrHeapSortDR(Qword* keys1, double* keys2, Qword count, void** c1, void** c2,
                                   void** c3) {
  if (!keys1 || !keys2 || count < 2) return keys2;
  PairSeq s;
  s.k1 = keys1;
  s.k2 = keys2;
  void* const companions[] = {c1, c2, c3};
  HeapSortWithCompanions(count, s, companions);
  return keys2;
}
