// Overflow-safe real arithmetic. The bounded operations (rBound*) saturate
// at +-___MaxReal on overflow and +-___MinReal when a nonzero product or
// quotient underflows, never giving an infinity from finite operands; they
// report in an optional status word that is set to 0 at entry and receives
// one NumStatus bit (NUM_OVERFLOW, NUM_UNDERFLOW, NUM_PRECISIONLIM). The
// safe operations (rSafe*) answer ___PlsINF or ___MnsINF where the result
// would overflow and otherwise do the plain operation.
#pragma once
#include "base/types.h"

VELTRIA_API double rBoundAdd(double a, double b, Long* status);
VELTRIA_API double rBoundSub(double a, double b, Long* status);
VELTRIA_API double rBoundMul(double a, double b, Long* status);
VELTRIA_API double rBoundDiv(double a, double b, Long* status);
// Remainder of a by b with the sign of a; the whole quotient (sign of a)
// goes to `quotient` when given. b = 0 gives a and leaves `quotient` alone.
VELTRIA_API double rBoundMod(double a, double b, double* quotient, Long* status);

VELTRIA_API double rSafeDiv(double a, double b);
VELTRIA_API double rSafeInv(double x);
VELTRIA_API double rSafeMul(double a, double b);
VELTRIA_API double rSafeProportion(double a, double b, double c);  // a b / c

// a rounded half away from zero to a multiple of the quantum q > 0; a
// unchanged for q <= 0 or NaN.
VELTRIA_API double rRoundToEps(double a, double q);
