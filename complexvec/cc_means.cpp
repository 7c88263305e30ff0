// Arithmetic, geometric and arithmetic-geometric means of complex values.
#include "complexvec/complex_functions.h"
#include "complexvec/complex_scalar.h"
#include "complexvec/complex_values.h"
#include "complexvec/complex_wrap.h"
#include "scalar/real_helpers.h"

namespace {
// Enough for the slowest finite case: iterates that halve from the largest
// double down to zero (about 2100 rounds) before the test can pass.
constexpr int kAgmMaxRounds = 4096;
}  // namespace

COMPLEX ccMeanAValue(COMPLEX z, COMPLEX w) { return 0.5 * (z + w); }

// The square root on the side of the arithmetic mean.
COMPLEX ccMeanGValue(COMPLEX z, COMPLEX w) {
  const COMPLEX q = ccSqrtValue(z * w, 0);
  return cIsAngleAcute(q, z + w) ? q : -q;
}

COMPLEX ccMeanAGMValue(COMPLEX z, COMPLEX w) {
  // A NaN comparison ends the loop; the round limit makes it end for every
  // input, including iterates that stop shrinking in relative terms.
  for (int round = 0; round < kAgmMaxRounds && cNormL1(z - w) > ___5EpsReal * cNormL1(z); ++round) {
    const COMPLEX p = ccMeanAValue(z, w);
    w = ccMeanGValue(z, w);
    z = p;
  }
  return ccMeanAValue(z, w);
}

VELTRIA_API COMPLEX* ccMeanA(COMPLEX* z, COMPLEX w) { return ReplaceBy(z, ccMeanAValue, w); }
VELTRIA_API COMPLEX* ccMeanG(COMPLEX* z, COMPLEX w) { return ReplaceBy(z, ccMeanGValue, w); }
VELTRIA_API COMPLEX* ccMeanAGM(COMPLEX* z, COMPLEX w) { return ReplaceBy(z, ccMeanAGMValue, w); }
