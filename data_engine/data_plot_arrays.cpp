#include "data_engine/data_plot_arrays.h"

#include <cmath>

#include "base/memory.h"
#include "data_engine/ky_data.h"
#include "framework/graphics/gw_data.h"

cGwArr* AddRowSeries(cGwData* data, cKyData* node, Qword row, Qword block, const char* name,
                     Dword colour, Dword flags) {
  if (!data || !node || node->points == 0) return nullptr;
  const double* values = node->Row(row);
  if (!values) return nullptr;
  return data->AddArray(values, node->points, block, name, colour, flags, false);
}

cGwArr* AddOwnedSeries(cGwData* data, double* values, Qword count, Qword block, const char* name,
                       Dword colour, Dword flags) {
  if (!values) return nullptr;
  cGwArr* a = data ? data->AddArray(values, count, block, name, colour, flags, false) : nullptr;
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
