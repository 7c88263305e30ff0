// The seven complex constants. All are constant-initialised, so they hold
// their values before any static initialiser of the library can read them.
#include <bit>

#include "complexvec/complex.h"

namespace {
// The bits of ___NAN, which is constant-initialised from the same pattern; a
// dynamic copy of it would leave NanComplex zero for initialisers that run
// earlier, so the pattern is stated here and a test holds the two together.
constexpr double kNan = std::bit_cast<double>(Qword{0x7FF8000000000000});
}  // namespace

constinit const COMPLEX ZeroComplex(0.0, 0.0);
constinit const COMPLEX OneComplex(1.0, 0.0);
constinit const COMPLEX TwoComplex(2.0, 0.0);
constinit const COMPLEX MnsOneComplex(-1.0, 0.0);
constinit const COMPLEX IComplex(0.0, 1.0);
constinit const COMPLEX MnsIComplex(0.0, -1.0);
constinit const COMPLEX NanComplex(kNan, kNan);
