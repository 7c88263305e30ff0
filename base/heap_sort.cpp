// Heap sort of 64-bit values with an optional comparison function, on the
// library's one heap sort engine.
#include "base/bytes.h"
#include "base/heap_sort_engine.h"

namespace {

// "a comes before b" is compare(a, b) < 0, or a < b unsigned; descending
// takes its negation, so that equal values pass the test. The engine asks
// "a sorts after b", which is "b comes before a".
struct PointerOrder {
  HeapSortCompare compare;
  bool descending;
  bool After(Qword a, Qword b) const {
    const bool before = compare ? compare(b, a) < 0 : b < a;
    return descending ? !before : before;
  }
};

}  // namespace

VELTRIA_API void HeapSortByPointers(Qword count, Qword* values, HeapSortCompare compare,
                                    Long direction) {
  if (!values || count < 2) return;
  KeySeq<Qword, PointerOrder> s{values, {compare, direction < 0}};
  HeapSortEngine(count, s);
}
