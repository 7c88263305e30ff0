// Heap sort of 64-bit values with an optional comparison function.
#include "base/bytes.h"

namespace {

struct Order {
  HeapSortCompare compare;
  bool descending;
  // "a comes before b"; the descending test is the negation, so that equal
  // values pass it.
  bool Before(Qword a, Qword b) const {
    const bool before = compare ? compare(a, b) < 0 : a < b;
    return descending ? !before : before;
  }
};

void SiftDown(Qword* v, Qword size, Qword hole, Qword value, const Order& order) {
  for (;;) {
    Qword child = 2 * hole + 1;
    if (child >= size) break;
    if (child + 1 < size && order.Before(v[child], v[child + 1])) ++child;
    if (!order.Before(value, v[child])) break;
    v[hole] = v[child];
    hole = child;
  }
  v[hole] = value;
}

}  // namespace

VELTRIA_API void HeapSortByPointers(Qword count, Qword* values, HeapSortCompare compare,
                                    Long direction) {
  if (!values || count < 2) return;
  const Order order{compare, direction < 0};
  for (Qword i = count / 2; i-- > 0;) SiftDown(values, count, i, values[i], order);
  for (Qword size = count - 1; size > 0; --size) {
    const Qword taken = values[size];
    values[size] = values[0];
    SiftDown(values, size, 0, taken, order);
  }
}
