// Test-only seam of the exponential's build choice. Never called by the
// program.
#pragma once

// true: every later call of wide::ExpArray takes std::exp value by value;
// false: the choice made from the processor and the C library again.
// Returns whether the vector build is now used.
bool WideExpForceScalar(bool scalar);
