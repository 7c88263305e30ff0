// Exported complex functions with a complex result. Each takes a pointer to
// its complex argument and replaces it by the result (functions without a
// complex input fill the object pointed to), and returns that pointer; a
// null pointer is returned unchanged. Branch numbers k are signed: k = 0 is
// the principal branch.
#pragma once
#include "base/types.h"
#include "complexvec/complex.h"

typedef COMPLEX (*CFunction)(COMPLEX z);

VELTRIA_API COMPLEX* ccExp(COMPLEX* z);
VELTRIA_API COMPLEX* ccExpm1(COMPLEX* z);
VELTRIA_API COMPLEX* ccExpt(COMPLEX* z, Qword n);
VELTRIA_API COMPLEX* ccLog(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccLog1p(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccLogA(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccLogD(COMPLEX* z);
VELTRIA_API COMPLEX* ccLogAD(COMPLEX* z, Qlong n, Qlong k);

VELTRIA_API COMPLEX* ccPower(COMPLEX* z, COMPLEX w);
VELTRIA_API COMPLEX* ccrPower(COMPLEX* z, double x);
VELTRIA_API COMPLEX* cciPower(COMPLEX* z, Qlong n);
VELTRIA_API COMPLEX* cciArgPower(COMPLEX* z, Qlong n);
VELTRIA_API COMPLEX* ccrArgPower(COMPLEX* z, double x);
VELTRIA_API double ciAbsPower(COMPLEX z, Qlong n);
VELTRIA_API double crAbsPower(COMPLEX z, double x);

VELTRIA_API COMPLEX* ccSqrt(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccSqrtA(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccSqrtD(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccCbrt(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccCbrtA(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccCbrtD(COMPLEX* z, Qlong k);
VELTRIA_API COMPLEX* ccMagArg(COMPLEX* result, double m, double t);
VELTRIA_API COMPLEX* ccUnity(COMPLEX* result, double t);
VELTRIA_API COMPLEX* ccRootOfUnity(COMPLEX* result, Qword n, Qword k);
VELTRIA_API COMPLEX* ccRootOfMinusOne(COMPLEX* result, Qword n, Qword k);
VELTRIA_API COMPLEX* ccrSqrt(COMPLEX* result, double x, Qlong k);
VELTRIA_API COMPLEX* ccrRoot(COMPLEX* result, double x, Qword n, Qword k);
VELTRIA_API COMPLEX* ccrCbrt(COMPLEX* result, double x, Qword k);

VELTRIA_API COMPLEX* ccSin(COMPLEX* z);
VELTRIA_API COMPLEX* ccCos(COMPLEX* z);
VELTRIA_API COMPLEX* ccTan(COMPLEX* z);
VELTRIA_API COMPLEX* ccCot(COMPLEX* z);
VELTRIA_API COMPLEX* ccSinh(COMPLEX* z);
VELTRIA_API COMPLEX* ccCosh(COMPLEX* z);
VELTRIA_API COMPLEX* ccTanh(COMPLEX* z);
VELTRIA_API COMPLEX* ccCoth(COMPLEX* z);
VELTRIA_API COMPLEX* ccAsin(COMPLEX* z);
VELTRIA_API COMPLEX* ccAcos(COMPLEX* z);
VELTRIA_API COMPLEX* ccAtan(COMPLEX* z);
VELTRIA_API COMPLEX* ccAcot(COMPLEX* z);
VELTRIA_API COMPLEX* ccAsinh(COMPLEX* z);
VELTRIA_API COMPLEX* ccAcosh(COMPLEX* z);
VELTRIA_API COMPLEX* ccAtanh(COMPLEX* z);
VELTRIA_API COMPLEX* ccAcoth(COMPLEX* z);

VELTRIA_API COMPLEX* ccAS4_1_51(COMPLEX* z, Qword n, Qword m, Qlong k);
VELTRIA_API COMPLEX* ccPochhammer(COMPLEX* z, Qlong n);
VELTRIA_API COMPLEX* ccDivByFact(COMPLEX* z, Qword n);
VELTRIA_API COMPLEX* ccMulByFact(COMPLEX* z, Qword n);

VELTRIA_API COMPLEX* ccMeanA(COMPLEX* z, COMPLEX w);
VELTRIA_API COMPLEX* ccMeanG(COMPLEX* z, COMPLEX w);
VELTRIA_API COMPLEX* ccMeanAGM(COMPLEX* z, COMPLEX w);

VELTRIA_API COMPLEX* ccAbsC1ArgC2(COMPLEX* z, COMPLEX w);
VELTRIA_API COMPLEX* ccMulByConjugate(COMPLEX* z, COMPLEX w);
VELTRIA_API COMPLEX* ccConjugate(COMPLEX* z);
VELTRIA_API COMPLEX* ccCopySign(COMPLEX* z, COMPLEX w);
VELTRIA_API COMPLEX* ccFloor(COMPLEX* z);
VELTRIA_API COMPLEX* ccModf(COMPLEX* z, COMPLEX* integer_parts);
VELTRIA_API COMPLEX* ccRoundToEps(COMPLEX* z, double q);

// Variadic: the count, then (for the Func forms) a function, then that many
// COMPLEX values by value.
VELTRIA_API COMPLEX* ccVaSum(COMPLEX* result, Qword count, ...);
VELTRIA_API COMPLEX* ccVaProduct(COMPLEX* result, Qword count, ...);
VELTRIA_API COMPLEX* ccVaSumFunc(COMPLEX* result, Qword count, CFunction f, ...);
VELTRIA_API COMPLEX* ccVaProductFunc(COMPLEX* result, Qword count, CFunction f, ...);
VELTRIA_API COMPLEX* ccVaSumInv(COMPLEX* result, Qword count, ...);
