// Automatic zero- and first-order phase and baseline correction of a
// complex spectrum by the shape of its intensity histogram.
#pragma once
#include "base/types.h"

// PcBcFlags.
enum : Dword {
  kPcBcOutputCorrected = 1,  // else the output receives the baseline alone
  kPcBcChebyshev = 2,        // else a Fourier-series baseline
  kPcBcPhasesFixed = 4,
  kPcBcNoBaseline = 8,
  kPcBcFinal = 0x10,  // set after the fit: the edge windows no longer reset c0, c1
};

// m baseline coefficients per part (at least 2). 14 null input or n = 0,
// 18 null output or phase locations, 26 for n < 33 (the edge windows) or a
// noise level that is not positive and finite.
VELTRIA_API Dword SArrPcBc(Qword n, const double* input, double* output, Dword flags, double* phi0,
                           double* phi1, Qword m, double noise);

struct PcBcWork {
  Qword count;
  Qword flags;
  const double* input;
  double* output;
  double scale;       // baseline unit: 10 x noise
  double binWidth;    // noise / 4
  Qword binCount;     // odd, at most 5001
  double* histogram;  // real part, then imaginary part
  double edgeFraction;
  double* weights;  // real part, then imaginary part
  Qword leftCentre, leftStart, leftEnd;
  Qword rightCentre, rightStart, rightEnd;
};

PcBcWork* PcBcWorkInit(PcBcWork* w);
// Bin weights of the real part (first N) and the imaginary part; 14 for a
// null array or fewer than 4 bins.
Dword PcBcHistogramWeights(Qword bins, double* weights);
// Subtracts scale x baseline from one part (n values) of the output; the
// two lowest coefficients are first fitted to the edge windows unless the
// final flag is set.
void PcBcBaselineChebyshev(const PcBcWork& w, double* part, double* coef, Qword m);
void PcBcBaselineFourier(const PcBcWork& w, double* part, double* coef, Qword m);
