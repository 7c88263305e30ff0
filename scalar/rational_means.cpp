// Means of two rationals and folds over argument lists.
#include <cstdarg>

#include "base/error_codes.h"
#include "scalar/rational.h"

namespace {

// Below zero whatever the sign of the denominator: compared in reduced form.
bool IsNegative(Qrat v) {
  QratReduce(v);
  return v < Qrat(0);
}

enum class Fold { kProduct, kSum, kSumAbs, kSumInv, kSumSqr };

// The term of one value in a fold.
Qrat Term(Fold fold, const Qrat& v) {
  switch (fold) {
    case Fold::kSumAbs:
      return IsNegative(v) ? -v : v;
    case Fold::kSumInv:
      return QratReciprocal(v);
    case Fold::kSumSqr:
      return v * v;
    default:
      return v;
  }
}

Dword FoldArgs(Fold fold, Qrat* result, Qword count, va_list args) {
  if (!result) return kErrMissingOutputBuffer;
  // The empty fold: no argument is read.
  Qrat acc = fold == Fold::kProduct ? Qrat(1) : Qrat(0);
  for (Qword i = 0; i < count; ++i) {
    const Qrat v = QratFromPlain(va_arg(args, QratPlain));
    const Qrat t = Term(fold, v);
    if (i == 0)
      acc = t;
    else if (fold == Fold::kProduct)
      acc *= t;
    else
      acc += t;
  }
  // A single value comes back in canonical form too.
  QratReduce(acc);
  *result = acc;
  return 0;
}

}  // namespace

VELTRIA_API Qrat* QratMeanA(Qrat* result, Qrat a, Qrat b) {
  if (result) *result = (a + b) / 2;
  return result;
}

VELTRIA_API Qrat* QratMeanH(Qrat* result, Qrat a, Qrat b) {
  if (!result) return nullptr;
  Qrat mean;
  QratMeanA(&mean, QratReciprocal(a), QratReciprocal(b));
  // The reciprocal alone could leave a negative denominator.
  *result = QratReciprocal(mean);
  QratReduce(*result);
  return result;
}

VELTRIA_API Qrat* QratMeanLehmer(Qrat* result, Qrat a, Qrat b, Qlong p) {
  if (!result) return nullptr;
  const Qlong q = static_cast<Qlong>(static_cast<Qword>(p) - 1);  // wraps at the minimum
  *result = (QratPower(a, p) + QratPower(b, p)) / (QratPower(a, q) + QratPower(b, q));
  return result;
}

#define VELTRIA_QRAT_FOLD(name, fold)                      \
  VELTRIA_API Dword name(Qrat* result, Qword count, ...) { \
    va_list args;                                          \
    va_start(args, count);                                 \
    const Dword e = FoldArgs(fold, result, count, args);   \
    va_end(args);                                          \
    return e;                                              \
  }
VELTRIA_QRAT_FOLD(QratVaProduct, Fold::kProduct)
VELTRIA_QRAT_FOLD(QratVaSum, Fold::kSum)
VELTRIA_QRAT_FOLD(QratVaSumAbs, Fold::kSumAbs)
VELTRIA_QRAT_FOLD(QratVaSumInv, Fold::kSumInv)
VELTRIA_QRAT_FOLD(QratVaSumSqr, Fold::kSumSqr)
#undef VELTRIA_QRAT_FOLD
