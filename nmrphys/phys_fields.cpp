// Electromagnetic fields: energy density, dipole moments, the Lorentz force,
// the Biot-Savart kernel of a straight segment and the field of a coil.
#include <cmath>

#include "base/error_codes.h"
#include "complexvec/vectors.h"
#include "nmrphys/physics.h"
#include "nmrphys/physics_constants.h"
#include "scalar/real_helpers.h"

using namespace phys;

namespace {

// (d x r) / |r|^3, or false (and r itself in `term`) when |r|^3 is too small.
bool KernelTerm(const VECTOR3D& d, const VECTOR3D& r, VECTOR3D& term) {
  const double c = std::pow(rAbsSquareV3(r), 1.5);
  if (c < ___5EpsReal) {
    term = r;
    return false;
  }
  term = VectorProduct(d, r);
  term /= c;
  return true;
}

LibErrorCode Kernel(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& p, VECTOR3D& start,
                    VECTOR3D& end) {
  const VECTOR3D d = b - a;
  if (!KernelTerm(d, p - a, start)) return kErrDivisionByZero;
  if (!KernelTerm(d, p - b, end)) return kErrDivisionByZero;
  return kErrNone;
}

}  // namespace

VELTRIA_API double rEB2EnergyDensity(const VECTOR3D& e, const VECTOR3D& b, double epsilon,
                                     double mu) {
  return 0.5 * (epsilon * rAbsSquareV3(e) + rAbsSquareV3(b) / mu);
}

VELTRIA_API double rMagDipMomOfCurrentLoop(double r, double current) {
  return 3.141592653589793 * r * r * current;
}

VELTRIA_API VECTOR3D& vv3MagDipMomOfSurfelJ(VECTOR3D& result, const VECTOR3D& j, double da) {
  result = j * da;
  return result;
}

VELTRIA_API VECTOR3D& vLorentzForceV3(VECTOR3D& result, double q, const VECTOR3D& v,
                                      const VECTOR3D& e, const VECTOR3D& b) {
  result = q * (e + VectorProduct(v, b));
  return result;
}

VELTRIA_API LibErrorCode pBiotSavartKernel(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& p,
                                           VECTOR3D& start_term, VECTOR3D& end_term) {
  return Kernel(a, b, p, start_term, end_term);
}

VELTRIA_API LibErrorCode rBiotSavartKernel(const VECTOR3D& a, const VECTOR3D& b, const VECTOR3D& p,
                                           double** start_term, double** end_term) {
  if (!start_term || !*start_term || !end_term || !*end_term) return kErrMissingOutputBuffer;
  // A failed start term returns at once and leaves the end term alone.
  VECTOR3D s, e;
  const VECTOR3D d = b - a;
  const bool start_ok = KernelTerm(d, p - a, s);
  double* out = *start_term;
  out[0] = s.x;
  out[1] = s.y;
  out[2] = s.z;
  if (!start_ok) return kErrDivisionByZero;
  const bool end_ok = KernelTerm(d, p - b, e);
  out = *end_term;
  out[0] = e.x;
  out[1] = e.y;
  out[2] = e.z;
  return end_ok ? kErrNone : kErrDivisionByZero;
}

VELTRIA_API LibErrorCode CoilMagneticField(const VECTOR3D* points, Qword n, const VECTOR3D* p,
                                           double** field, uint8_t closed) {
  if (!points || !p) return kErrMissingArguments;
  if (!field || !*field) return kErrMissingOutputBuffer;
  // The segments are summed apart from the caller's values and only this
  // call's contribution is scaled, so fields of several coils can be added
  // into one buffer.
  VECTOR3D sum;
  LibErrorCode status = kErrNone;
  for (Qword k = 0; k < n; ++k) {
    Qword next = k + 1;
    if (next == n) {
      if (!closed) break;
      next = 0;
    }
    VECTOR3D start, end;
    status = Kernel(points[k], points[next], *p, start, end);
    if (status != kErrNone) break;
    sum = sum + ((k % 2 == 0) ? start : end);
  }
  double* f = *field;
  f[0] += sum.x * kMu0By4Pi;
  f[1] += sum.y * kMu0By4Pi;
  f[2] += sum.z * kMu0By4Pi;
  return status;
}
