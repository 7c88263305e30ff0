// Closed-form indefinite integrals after the formulas of Abramowitz and
// Stegun (3.3.14 to 3.3.33, 4.1.51): each returns one antiderivative F(x),
// NaN where the formula does not apply. t is the integration variable.
#pragma once
#include "base/types.h"

// ∫_0^x t^n·ln^m t dt
VELTRIA_API double rAS4_1_51(double x, Qword n, Qword m);
// ∫(a + b t)^n dt
VELTRIA_API double rAS_3_3_14(double x, double a, double b, Qlong n);
// ∫dt/(a + b t + c t²)
VELTRIA_API double rAS_3_3_16(double x, double a, double b, double c);
// ∫t dt/(a + b t + c t²)
VELTRIA_API double rAS_3_3_19(double x, double a, double b, double c);
// ∫dt/((p1 t + p0)(q1 t + q0)): coefficient of t first in each factor.
VELTRIA_API double rAS_3_3_20(double x, double p1, double p0, double q1, double q0);
// ∫dt/(a² + b² t²)
VELTRIA_API double rAS_3_3_21(double x, double a, double b);
// ∫t dt/(a² + b² t²)
VELTRIA_API double rAS_3_3_22(double x, double a, double b);
// ∫dt/√(a + b t + c t²)
VELTRIA_API double rAS_3_3_33(double x, double a, double b, double c);
