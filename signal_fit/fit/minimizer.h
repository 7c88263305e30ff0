// The library's one nonlinear minimizer: a Nelder-Mead simplex (method 1)
// and a coordinate pattern search (method 3) over caller-owned parameters
// reached through pointers. Internal to the library; the data engine's
// progress reporting reads the context during a run, so the field order is
// fixed.
#pragma once
#include "base/types.h"

struct Minimizer;

// Computes the target from the parameters, stores it in `value`, returns 0
// (any other code ends the run with it).
typedef Dword (*MinimizerTarget)(Minimizer* m);
// Progress codes below; a non-zero answer to 61, 62 or 63 ends the run.
typedef Dword (*MinimizerProgressCallback)(Minimizer* m, Dword code);

enum : Dword {
  kMinimizerFirstEval = 61,  // '=' first evaluation, before `calls` counts it
  kMinimizerEval = 62,       // '>' after every evaluation
  kMinimizerNewBest = 63,    // '?' new best simplex vertex (flag bit 31)
  kMinimizerEnd = 64,        // '@' end of a run of method 1 or 3
};

enum : Qword {
  kMinimizerNone = 0,
  kMinimizerSimplex = 1,
  kMinimizerPatternSearch = 3,
};

struct Minimizer {
  Dword flags;            // FitFlags; the minimizer reads bit 31 only
  Qword paramCount;       // entries of params and variedParams
  double** params;        // every model parameter
  double** variedParams;  // the same pointer for a varied one, else null
  Qword maxCalls;         // call budget of one run
  double tolerance;       // stopping tolerance
  double initialStep;     // absolute initial step
  Qword method;           // 1 simplex, 3 pattern search
  MinimizerTarget target;
  void* userData;  // the caller's problem record
  MinimizerProgressCallback progress;
  void* progressData;
  double firstValue;  // target at the starting point (simplex)
  double value;       // target of the latest evaluation
  Qword calls;        // evaluations of the current run
  Qword variedCount;  // collected at the start of a run
  double** varied;    // the non-null entries of variedParams
};

Minimizer* MinimizerInit(Minimizer* m, Dword flags, MinimizerProgressCallback progress,
                         void* userData);
// Copies both pointer arrays (the caller's may be released afterwards).
// 14 for count 0 or a null array, before anything changes.
Dword MinimizerSetParams(Minimizer* m, Qword count, double* const* params,
                         double* const* variedParams);
Dword MinimizerSetProblem(Minimizer* m, Dword flags, Qword count, double* const* params,
                          double* const* variedParams, MinimizerTarget target);
// Method 0 returns 0 at once; 1 and 3 run and end with progress code 64;
// any other method is 9 without running.
Dword MinimizerRun(Minimizer* m, Qword method);
void MinimizerKill(Minimizer* m);

// Pieces of a run, used by the two methods.
Dword MinimizerEval(Minimizer* m);
Dword MinimizerCollectVaried(Minimizer* m);
Dword MinimizerSimplex(Minimizer* m);
Dword MinimizerPatternSearch(Minimizer* m);
