// The operation-code evaluator applied to the columns or the rows of a
// column-major matrix.
#include "arrays/rmat_eval.h"

#include "arrays/rarr.h"
#include "arrays/rarr_ops.h"
#include "arrays/rmat.h"
#include "base/memory.h"

namespace {

inline const double* Column(const double* m, Qword rows, Qword c) {
  return m ? m + rows * c : nullptr;
}
inline double* Column(double* m, Qword rows, Qword c) { return m ? m + rows * c : nullptr; }

// Codes that act element by element give the same result by rows or columns.
bool ElementWise(Dword code) {
  return (code >= 1 && code <= 8) || (code >= 10 && code <= 15) || code == 23 || code == 24 ||
         code == 41;
}

template <class Eval>
Dword NewEval(Dword rows, Dword cols, const double* src, double** out, Dword code, double p,
              Eval eval) {
  if (!out) return kErrMissingOutputBuffer;
  Dword error = kErrNone;
  // Zero-filled: the combining codes read the destination.
  *out = RMatNew0(&error, rows, cols);
  if (!*out) return error ? error : kErrNone;
  error = eval(rows, cols, src, *out, code, p);
  if (error) RMatKill(out);
  return error;
}

}  // namespace

VELTRIA_API Dword RMatEvalC(Dword rows, Dword cols, const double* src, double* dst, Dword code,
                            double p) {
  for (Qword c = 0; c < cols; ++c) {
    const Dword e = RArrEval(rows, Column(src, rows, c), Column(dst, rows, c), code, p);
    if (e) return e;
  }
  return kErrNone;
}

VELTRIA_API Dword RMatEvalR(Dword rows, Dword cols, const double* src, double* dst, Dword code,
                            double p) {
  if (ElementWise(code)) return RMatEvalC(rows, cols, src, dst, code, p);
  if (code == kEvalRunningSum) return RMatRunningSumR(rows, cols, src, dst);
  if (code == kEvalReverse) return RMatReverseR(rows, cols, src, dst);
  return kErrNotYetImplemented;
}

VELTRIA_API Dword NewRMatEvalC(Dword rows, Dword cols, const double* src, double** out, Dword code,
                               double p) {
  return NewEval(rows, cols, src, out, code, p, RMatEvalC);
}

VELTRIA_API Dword NewRMatEvalR(Dword rows, Dword cols, const double* src, double** out, Dword code,
                               double p) {
  return NewEval(rows, cols, src, out, code, p, RMatEvalR);
}
