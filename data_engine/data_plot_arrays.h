// Helpers of the data plot's builders: series from node rows (borrowed)
// or from computed values (owned), and the plot's log10 of axis values.
#pragma once
#include "base/types.h"

class cGwArr;
class cGwData;
class cKyData;

// Array flag words of the series.
enum : Dword {
  kSeriesBorrowedX = 0xC0000001u,
  kSeriesBorrowed = 0xC0000000u,
  kSeriesMarkers = 0xC0005000u,
  kSeriesBorrowedLines = 0xC0002000u,
  kSeriesOwned = 0x80000000u,
  kSeriesOwnedX = 0x80000001u,
  kSeriesOwnedLines = 0x80002000u,
  kSeriesOwnedMarkers = 0x80005000u,
  kSeriesOwnedAll = 0x80004000u,
};

// Row r of the node as a series over the node's points, values borrowed;
// null when the row does not exist or the array cannot be made.
cGwArr* AddRowSeries(cGwData* data, cKyData* node, Qword row, Qword block, const char* name,
                     Dword colour, Dword flags);
// A series that takes over `values` (library memory); on failure the
// values are freed and null is returned.
cGwArr* AddOwnedSeries(cGwData* data, double* values, Qword count, Qword block, const char* name,
                       Dword colour, Dword flags);
// New zero-filled values, or null.
double* NewSeriesValues(Qword count);
// log10 for a logarithmic axis; values without a logarithm (0, negative,
// NaN) become NaN, which the curves skip, instead of -inf or NaN ranges.
double AxisLog10(double v);
