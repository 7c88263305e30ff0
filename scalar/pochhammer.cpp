// Generalised binomial coefficients and rising and falling factorials of a
// real argument.
#include "scalar/elementary.h"
#include "scalar/gamma.h"
#include "scalar/gamma_internal.h"
#include "scalar/real_helpers.h"

VELTRIA_INTERNAL double rBinomialLnCore(double x, Qlong k) {
  const double dk = static_cast<double>(k);
  return rGammaLn(x + 1.0) - rGammaLn(dk + 1.0) - rGammaLn(x - dk + 1.0);
}

VELTRIA_INTERNAL double rBinomialCore(double x, Qlong k) { return rExp(rBinomialLnCore(x, k)); }

VELTRIA_API double rBinomialLn(double x, Qlong k) { return rBinomialLnCore(x, k); }
VELTRIA_API double rBinomial(double x, Qlong k) { return rBinomialCore(x, k); }

namespace {
// x (x+1) ... (x+m-1) as a running product. Once the product is infinite
// the remaining factors can only keep it so; the sign then follows from the
// count of negative factors, so huge counts end at once.
double RisingProduct(double x, Qword m) {
  const double dm = static_cast<double>(m);
  if (x < 0 && x == rFloor(x) && -x < dm) return 0.0;  // a factor is zero
  double r = x;
  for (Qword i = 1; i < m; ++i) {
    r *= x + static_cast<double>(i);
    if (rIsNAN(r)) {
      if (rIsPlsINF(r) || rIsMnsINF(r)) {
        double negatives = x < 0 ? rCeil(-x) : 0.0;
        if (negatives > dm) negatives = dm;
        const bool odd = rFmod(negatives, 2.0) == 1.0;
        return odd ? ___MnsINF : ___PlsINF;
      }
      return r;
    }
  }
  return r;
}
}  // namespace

VELTRIA_API double rPochhammer(double x, Qlong n) {
  if (n == 0) return 1.0;
  if (x == 0) return 0.0;
  if (n == 1 || n == -1) return x;
  if (n < 0) {
    // Falling factorial x(x-1)...(x-m+1) = (-1)^m (-x)(-x+1)...(-x+m-1).
    const Qword m = Qword{0} - static_cast<Qword>(n);
    const double r = RisingProduct(-x, m);
    return (m & 1) ? -r : r;
  }
  return RisingProduct(x, static_cast<Qword>(n));
}

VELTRIA_INTERNAL double rPochhammerLnCore(double x, Qlong n) {
  if (n == 0) return 0.0;
  if (x == 0) return ___MnsINF;
  if (x < 0) return rPochhammerLnCore(-x, -n);  // same magnitude
  if (n == 1 || n == -1) return rLog(x);
  const double dn = static_cast<double>(n);
  if (n < -1) return rGammaLn(x + 1.0) - rGammaLn(x + dn + 1.0);
  return rGammaLn(x + dn) - rGammaLn(x);
}

VELTRIA_API double rPochhammerLn(double x, Qlong n) { return rPochhammerLnCore(x, n); }
