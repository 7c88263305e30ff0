// Modular arithmetic without overflow. The products and sums are formed in
// 128 bits, which gives the exact residues the halving method gives, faster.
#include "scalar/number_theory.h"

namespace {
typedef unsigned __int128 U128;
constexpr Qword kInvalid = ~Qword{0};
}  // namespace

VELTRIA_API Qword uModAdd(Qword a, Qword b, Qword m) {
  if (m == 0) return kInvalid;
  return static_cast<Qword>((static_cast<U128>(a) + b) % m);
}

VELTRIA_API Qword uModAdd3(Qword a, Qword b, Qword c, Qword m) {
  if (m == 0) return kInvalid;
  return static_cast<Qword>((static_cast<U128>(a) + b + c) % m);
}

VELTRIA_API Qword uModSub(Qword a, Qword b, Qword m) {
  if (m == 0) return kInvalid;
  if (a >= b) return (a - b) % m;
  const Qword r = (b - a) % m;
  return r == 0 ? 0 : m - r;
}

VELTRIA_API Qword uModMul(Qword a, Qword b, Qword m) {
  if (m == 0) return kInvalid;
  return static_cast<Qword>(static_cast<U128>(a) * b % m);
}

VELTRIA_API Qword uModPwr(Qword a, Qword e, Qword m) {
  if (m < 2) return 0;
  if (e == 0) return 1;
  a %= m;
  if (a <= 1 || e == 1) return a;
  Qword r = (e & 1) ? a : 1;
  while (e > 1) {
    a = uModMul(a, a, m);
    if (e & 2) r = uModMul(r, a, m);
    e >>= 1;
  }
  return r;
}
