// Test-only seam of the inverse Laplace transform. Never called by the
// program.
#pragma once

// Later transforms take kernel values of at most `limit` as a panel's tail
// of tiny values, which is added only where it can change a sum; 0 restores
// the transform's own limit. Any limit gives the same results; larger ones
// make the test of the tail decide on terms that count.
void InverseLaplaceTailLimitForTesting(double limit);
