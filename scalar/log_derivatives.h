// Members of the guarded elementary family built on the special numbers:
// the derivatives and antiderivatives of the natural logarithm.
#pragma once
#include "base/types.h"

VELTRIA_API double rLogD(double x);            // 1/x, infinities where it overflows
VELTRIA_API double rLogAD(double x, Qlong n);  // n-th derivative, or |n|-fold antiderivative
