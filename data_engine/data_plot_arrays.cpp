#include "data_engine/data_plot_arrays.h"

#include <cmath>

#include "base/memory.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/gw_data.h"

namespace {

// An array whose name could not be copied could never be found, shown or
// hidden by name: it goes again.
cGwArr* Complete(cGwData* data, cGwArr* a, const char* name) {
  if (a && name && !a->name) {
    // The values stay the caller's to free.
    a->flags |= kGwArrBorrowed;
    data->RemoveArray(a);
    return nullptr;
  }
  return a;
}

}  // namespace

cGwArr* AddRowSeries(cGwData* data, cKyData* node, Qword row, Qword block, const char* name,
                     Dword colour, Dword flags) {
  if (!data || !node || node->points == 0) return nullptr;
  const double* values = node->Row(row);
  if (!values) return nullptr;
  return Complete(data, data->AddArray(values, node->points, block, name, colour, flags, false),
                  name);
}

cGwArr* AddOwnedSeries(cGwData* data, double* values, Qword count, Qword block, const char* name,
                       Dword colour, Dword flags) {
  if (!values) return nullptr;
  cGwArr* a =
      data ? Complete(data, data->AddArray(values, count, block, name, colour, flags, false), name)
           : nullptr;
  if (!a) {
    KillPtr(&values);
    return nullptr;
  }
  return a;
}

double* NewSeriesValues(Qword count) {
  Dword error = 0;
  const double zero = 0.0;
  return NewRealArrFill(&error, count, &zero);
}

double AxisLog10(double v) { return v > 0.0 ? std::log10(v) : NAN; }
