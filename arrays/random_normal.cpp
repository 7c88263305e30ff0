// Normal deviates by Marsaglia's polar method; the second deviate of each
// pair is kept for the next call.
#include <cmath>

#include "arrays/random.h"
#include "arrays/random_state.h"
#include "arrays/random_testing.h"

namespace {
bool g_have_second = false;
double g_second = 0;
}  // namespace

VELTRIA_API double pRgNormal0(void) {
  if (g_have_second) {
    g_have_second = false;
    return g_second;
  }
  double a, b, s;
  do {
    a = 2 * pRgUniform0() - 1;
    b = 2 * pRgUniform0() - 1;
    s = a * a + b * b;
  } while (s > 1 || s < 1e-20);
  const double f = std::sqrt(-2 * std::log(s) / s);
  g_second = a * f;
  g_have_second = true;
  return b * f;
}

VELTRIA_API double pRgNormal(double mean, double sd) { return mean + sd * pRgNormal0(); }

void RandomNormalReset(void) {
  g_have_second = false;
  g_second = 0;
}

void RandomTestReset(Qlong seed) {
  RandomUniformReset(seed);
  RandomNormalReset();
}
