// Index windows and the spreading of picks over an index range.
#include "scalar/int_helpers.h"

VELTRIA_API Qword uNormalizeIndexWindow(Qword* first, Qword* last, Qword maximum, Qword minimum) {
  if (*first == kNoIndex) *first = minimum;
  if (*last == kNoIndex) *last = maximum == kNoIndex ? kNoIndex - 1 : maximum;
  if (*first > *last) {
    const Qword t = *first;
    *first = *last;
    *last = t;
  }
  if (*first < minimum) *first = minimum;
  if (*last > maximum) *last = maximum;
  return *last - *first + 1;
}

VELTRIA_API Qword uqDistributeMinN(Qword count, Qword wanted, Qword* picks, Qword* last_index) {
  *picks = count;
  *last_index = count - 1;
  if (wanted == 0 || wanted >= count) return 1;
  if (wanted == 1) {
    // One pick: the first index alone; the step reaches past the end.
    *picks = 1;
    *last_index = 0;
    return count;
  }
  const Qword step = (count - 1) / (wanted - 1);
  *last_index = (wanted - 1) * step;
  *picks = wanted;
  return step;
}
