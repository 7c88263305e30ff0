// Heap sorts of real arrays: in place, into a copy, with companion arrays
// that follow every move of the keys, and index sorts that leave the keys in
// place. All are the one heap sort of heap_sort_engine.h.
#pragma once
#include "base/heap_sort_engine.h"
#include "base/types.h"

// Ascending for direction >= 0. Returns x; null for a null x or count 0.
VELTRIA_API double* RArrIpHeapSort(Qword count, double* x, Long direction);
// dst = sorted copy of src (src may equal dst): 18 null dst, 14 null src or
// count 0.
VELTRIA_API Dword RArrHeapSortCopy(Qword count, const double* src, double* dst, Long direction);

// Companion sorts: keys first, then the count; always ascending; every
// non-null companion (8-byte elements, moved as raw bits) is permuted as the
// keys are. Nothing is done for null keys or a count below 2.
VELTRIA_API double* RArrHeapSortR(double* keys, Qword count, Qword* index, void** pointers,
                                  double* d1, double* d2, double* d3, double* d4);
VELTRIA_API Qlong* RArrHeapSortL(Qlong* keys, Qword count, void** c1, void** c2, void** c3,
                                 void** c4, void** c5, void** c6);
VELTRIA_API Qword* RArrHeapSortD(Qword* keys, Qword count, void** c1, void** c2, void** c3,
                                 void** c4, void** c5, void** c6);
// By the pair (keys1 unsigned, then keys2); returns keys2.
VELTRIA_API double* RArrHeapSortDR(Qword* keys1, double* keys2, Qword count, void** c1, void** c2,
                                   void** c3);

// Internal pieces.
double* ArrIpHeapSort(Qword count, double* x, Long direction, ArrCompare<double> compare);
// index = 0 .. count-1 ordered so that keys[index[k]] run in the requested
// order; null (index untouched) for null keys or index or count below 2.
Qword* ArrHeapSortIndex(Qword count, const double* keys, Qword* index, Long direction,
                        ArrCompare<double> compare);
Qword* RArrHeapSortAbsIndex(Qword count, const double* keys, Qword* index, Long direction);
// -1, 0, 1 as abs(*a) is below, equal to or above abs(*b).
Long rAbsCompare(const double* a, const double* b);
// New index array (released with the common Kill): null for null keys or no
// memory. A single element gets the index (0).
Qword* RArrNewSortIndex(Qword count, const double* keys, Long direction,
                        ArrCompare<double> compare);
// The same by absolute value; also null for a count below 2.
Qword* RArrNewAbsSortIndex(Qword count, const double* keys, Long direction);
