// Internal pieces of the error-function family (not exported).
#pragma once
#include "base/types.h"

// R(x) of Abramowitz-Stegun 7.1.26 for x >= 0: erfc x within 1.5e-7.
double rErfcAS7_1_26(double x);
// The continued fraction h of Dawson's integral, F(x) = x·h.
double rDawsonContFrac(double x);

// e^(sign·x²) without the rounding error of x² (which alone costs x²·eps):
// x is split into a 26-bit head, whose square is exact, and a tail.
double ExpOfSignedSquare(double x, double sign);
// The tail K(x) of erfcx x = 1/(√π·(x + K)), for x >= 2, by the continued
// fraction K = (1/2)/(x + 1/(x + (3/2)/(x + ...))).
double ErfcxTail(double x);
// The continued fraction of E_n(x)·e^x (modified Lentz), for x >= 1 or
// large n.
double EnContFrac(double x, Qword n);
