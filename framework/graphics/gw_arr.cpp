#include <cmath>
#include <cstring>

#include "base/memory.h"
#include "base/string_search.h"
#include "base/strings.h"
#include "framework/graphics/gw_data.h"

cGwArr::cGwArr(const double* src, Qword n, Qword block, Dword array_flags, const char* array_name,
               Dword array_colour, Dword width, bool copy)
    : flags(0), count(0), values(nullptr), name(nullptr) {
  Reset();
  if (n == 0 || !src) return;
  if (copy) {
    Dword error = 0;
    double* block_copy = NewArrFill<double>(&error, n);
    if (!block_copy) return;
    std::memcpy(block_copy, src, static_cast<size_t>(n * sizeof(double)));
    values = block_copy;
    // The copy belongs to the array whatever the flags said, or it would leak.
    array_flags = (array_flags & ~kGwArrBorrowed) | kGwArrOwned;
  } else {
    values = const_cast<double*>(src);
  }
  count = n;
  block_index = block;
  flags = array_flags;
  SetName(array_name);
  colour = array_colour;
  line_width = width;
  UpdateRange();
}

void cGwArr::UpdateRange() {
  // Without a number the range is the fresh array's 0 to 1.
  min = 0.0;
  max = 1.0;
  direction = 0;
  const Qword n = count;
  if (n == 0 || !values) return;
  Qword j0 = 0;
  while (j0 < n && std::isnan(values[j0])) ++j0;
  if (j0 < n) min = max = values[j0];
  direction = values[0] > values[n - 1] ? -1 : 1;
  for (Qword j = 1; j < n; ++j) {
    const double v = values[j];
    if (v < min)
      min = v;
    else if (v > max)
      max = v;
    const bool rising = v >= values[j - 1];
    if ((rising && direction == -1) || (!rising && direction == 1)) direction = 0;
  }
}

cGwArr::~cGwArr() { Reset(); }

void cGwArr::Reset() {
  KillStringA(&name);
  if ((flags & (kGwArrOwned | kGwArrBorrowed)) == kGwArrOwned && values) {
    double* block = values;
    KillStringA(&block);
  }
  flags = 0;
  count = 0;
  values = nullptr;
  colour = 0;
  line_width = 1;
  marker_kind = 1;
  marker_size = 2;
  min = 0.0;
  max = 1.0;
  direction = 0;
  block_index = 0;
  previous = nullptr;
  next = nullptr;
  owner = nullptr;
}

void cGwArr::SetName(const char* text) {
  KillStringA(&name);
  if (text) name = NewCopyStringExA(text, 0);
}

cGwArr* cGwArr::FindByName(const char* wanted, cGwArr* start) {
  if (!wanted) return nullptr;
  for (cGwArr* a = start; a; a = a->next)
    if (a->name && StringsCompareA(a->name, wanted, 0, 0) == 0) return a;
  return nullptr;
}
