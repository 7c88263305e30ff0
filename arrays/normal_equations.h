// Normal equations G x = B of a least-squares problem, solved after scaling G
// by its diagonal on both sides. Columns of very different size (powers of a
// wide abscissa, basis functions far from the origin) make the raw Gram
// matrix look singular to the pivoting inverter although the problem is well
// posed; the symmetric scaling D G D with D = diag(G)^(-1/2) removes that
// without changing the solution.
#pragma once
#include "base/types.h"

// G (k x k, column-major, symmetric) := its inverse; B (k x m), when given,
// := the solution of G X = B. A diagonal entry that is zero, negative or not
// finite is left unscaled. Returns the inverter's code (26 when singular,
// 14 for k = 0 or a null G, 0x80001 when memory fails); on failure G and B
// hold unspecified values.
Dword SolveScaledNormalEquations(double* G, Qword k, double* B, Dword m);
