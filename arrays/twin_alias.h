// Exports a second name for a body whose arguments have the same widths but
// another signedness (or are pointers of the same size): the signed and
// unsigned integer arrays, and the pointer arrays on the 64-bit bodies. The
// machine code cannot tell the types apart, so one body serves all names.
#pragma once
#include "base/types.h"

#define VELTRIA_TWIN(ret, name, params, target)                                              \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wattribute-alias\"")     \
      _Pragma("GCC diagnostic ignored \"-Wmissing-attributes\"") VELTRIA_API ret name params \
      __attribute__((alias(#target)));                                                       \
  _Pragma("GCC diagnostic pop")
