// Data grids: n points from min to max spaced evenly in the value (linear),
// its logarithm, its reciprocal or its square.
#pragma once
#include "base/string_lists.h"
#include "base/types.h"

enum : Qword {
  kGridLinear = 1,
  kGridLogarithmic = 2,
  kGridInverse = 3,
  kGridSquare = 4,
};

// Names of the kinds ("Lin", "LIN", "lin", "Regular", "Log", "log", "LOG",
// "Inverse", "Square"), 8-bit, ended by a row with id 0.
extern const NamedId RArrGridNameTable[10];

VELTRIA_API double* NewRArrGrid(Dword* error, Qword kind, double min, double max, Qword n);
VELTRIA_API void RArrGridFill(Qword kind, double min, double max, Qword n, double* dst);
VELTRIA_API double RArrGridValue(Qword i, Qword kind, Qword n, double min, double max);
// Index of the nearest point in the grid's own coordinate, limited to n - 1;
// -1 for a NaN value, min = max or n < 2.
VELTRIA_API Qlong RArrGridIndex(double v, Qword kind, Qlong n, double min, double max);
VELTRIA_API const char* RArrGridNameFromTypeA(Qword kind);
VELTRIA_API Qword RArrGridTypeFromNameA(const char* text);
// 1 linear, 2 logarithmic within tol, else 0.
VELTRIA_API Dword RArrTestGridType(const double* x, Qword n, double tol);
