// The uniform generator: multiplier 16807 modulo 2^31 - 1 by Schrage's
// method, whose output is shuffled through a table of 32 entries.
#include "arrays/random.h"
#include "arrays/random_state.h"
#include "base/random_seed.h"
#include "scalar/real_helpers.h"

namespace {

constexpr Long kMultiplier = 16807;
constexpr Long kModulus = 0x7FFFFFFF;
constexpr Long kQuotient = 127773;  // modulus / multiplier
constexpr Long kRemainder = 2836;   // modulus % multiplier
constexpr int kTableSize = 32;
constexpr Long kDivisor = 0x4000000;  // 1 + (modulus - 1) / table size
constexpr double kScale = 4.656612875245797e-10;

struct UniformState {
  bool started = false;
  Long g = 0;
  Long y = 0;
  Long table[kTableSize] = {};
  double largest = 0;
};
UniformState g_uniform;
Qlong g_test_seed = -1;

inline void Step(Long* g) {
  const Long h = *g / kQuotient;
  *g = kMultiplier * (*g - h * kQuotient) - kRemainder * h;
  if (*g < 0) *g += kModulus;
}

void Start() {
  const Qword seed = g_test_seed >= 0 ? static_cast<Qword>(g_test_seed) : KyRandomSeed();
  g_uniform.g = static_cast<Long>((seed & 0xFFFF) / 2 + 1);
  for (int k = 0; k < 8; ++k) Step(&g_uniform.g);
  for (int j = kTableSize - 1; j >= 0; --j) {
    Step(&g_uniform.g);
    g_uniform.table[j] = g_uniform.g;
  }
  g_uniform.y = g_uniform.table[0];
  g_uniform.largest = 1.0 - ___2EpsReal;
  g_uniform.started = true;
}

}  // namespace

VELTRIA_API double pRgUniform0(void) {
  if (!g_uniform.started) Start();
  Step(&g_uniform.g);
  const int j = static_cast<int>(g_uniform.y / kDivisor);
  g_uniform.y = g_uniform.table[j];
  g_uniform.table[j] = g_uniform.g;
  const double u = kScale * g_uniform.y;
  return u > g_uniform.largest ? g_uniform.largest : u;
}

void RandomUniformReset(Qlong seed) {
  g_uniform = UniformState{};
  g_test_seed = seed;
}
