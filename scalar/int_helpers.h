// Integer and unsigned helpers, real-to-integer rounding with a status
// word, clamping conversions, bounded multiplication, bits, index windows,
// pick spreading and score conversions.
#pragma once
#include "base/real_round.h"
#include "base/types.h"

// Clamping conversions: 1 when the rounded value lies in [min, max].
VELTRIA_API Long iRealToLongInterval(double x, Long* result, Long minimum, Long maximum);
VELTRIA_API Long iRealToQlongInterval(double x, Qlong* result, Qlong minimum, Qlong maximum);
VELTRIA_API Long uRealToDwordInterval(double x, Dword* result, Dword minimum, Dword maximum);
VELTRIA_API Long uRealToQwordInterval(double x, Qword* result, Qword minimum, Qword maximum);

// Other conversions; |x| >= 2^63 and NaN give 0x8000000000000000.
VELTRIA_API Qlong iRound(double x);
VELTRIA_API Qlong iRoundFrac(double x, double* fraction);
VELTRIA_API Qlong iFloor(double x);
VELTRIA_API Qlong iFloorFrac(double x, double* fraction);
VELTRIA_API Qlong iCeil(double x);
VELTRIA_API Qlong iCeilFrac(double x, double* fraction);
VELTRIA_API Qlong iSymFloor(double x);
VELTRIA_API Qlong iSymFloorFrac(double x, double* fraction);
VELTRIA_API Qlong iSymRound(double x);
VELTRIA_API Qlong iSymRoundFrac(double x, double* fraction);

// Multiplication with overflow control.
VELTRIA_API Qword uBoundMul(Qword a, Qword b);
VELTRIA_API Qword uSafeMul(Qword a, Qword b, NumStatus* status);
VELTRIA_API Qlong iBoundMul(Qlong a, Qlong b);
VELTRIA_API Qlong iSafeMul(Qlong a, Qlong b, NumStatus* status);

// Bits and parity.
VELTRIA_API Dword uBitsNeeded(Qword v);
VELTRIA_API Qlong iBitsNeeded(Qlong v);
VELTRIA_API Qword uHammingWeight(Qword v);
VELTRIA_API Qword iHammingWeight(Qlong v);
VELTRIA_API bool uIsOddParity(Qword v);
VELTRIA_API bool iIsOddParity(Qlong v);
VELTRIA_API bool iIsEven(Qlong v);
VELTRIA_API bool uIsEven(Qword v);
VELTRIA_API bool iIsOdd(Qlong v);
VELTRIA_API bool uIsOdd(Qword v);

// Comparisons, signs and small functions.
VELTRIA_API Qlong uCompare(Qword a, Qword b);
VELTRIA_API bool iIsInRangeMtoN(Qlong x, Qlong m, Qlong n);
VELTRIA_API bool uIsInRangeMtoN(Qword x, Qword m, Qword n);
VELTRIA_API bool iHaveSameSign(Qlong a, Qlong b);
VELTRIA_API Qlong iKronDelta(Qlong a, Qlong b);
VELTRIA_API Qlong uKronDelta(Qword a, Qword b);
VELTRIA_API Qlong iMin1toI(Qlong n);
VELTRIA_API Qlong iMin1toU(Qword n);
VELTRIA_API Qlong iByMin1toI(Qlong x, Qlong n);
VELTRIA_API Qlong iByMin1toU(Qlong x, Qword n);
VELTRIA_API Qlong iAbs(Qlong v);
VELTRIA_API Qlong iTriangularExcess(Qword a, Qword b, Qword c);

// Index windows and picks.
VELTRIA_API Qword uNormalizeIndexWindow(Qword* first, Qword* last, Qword maximum, Qword minimum);
VELTRIA_API Qword uqDistributeMinN(Qword count, Qword wanted, Qword* picks, Qword* last_index);

// Scores, probabilities and minus-log-probabilities.
VELTRIA_API double ssProbabilityToScore(double p);
VELTRIA_API double ssScoreToProbability(double s);
VELTRIA_API double ssProbabilityToMlp(double p, double cap);
VELTRIA_API double ssMlpToProbability(double m);
VELTRIA_API double ssMlpToScore(double m, double scale);
VELTRIA_API double ssScoreToMlp(double s, double scale);
VELTRIA_API double ssScoreQuality(double s, double q);
