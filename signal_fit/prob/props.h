// Distribution-properties records: support, location, spread, shape and
// information measures of one distribution in one call, and their listing.
// Entries a family does not define, and every entry after invalid
// parameters, are ___NAN; an erased record has Flags 0xFFFFFF00.
#pragma once
#include "base/types.h"

struct PdProps {
  Dword Flags;  // 1 discrete, 0 continuous
  double SupportLow, SupportHigh;
  double Mode, ModeDensity;
  double Mean, MeanDensity;
  double Median, MedianDensity;
  double StdDev, Variance;
  double MeanAbsDev;
  double HalfHeightWidth;
  double LowerInflex, UpperInflex;
  double NhciWidth, NhciCenter;  // narrowest interval holding half the probability
  double Skewness, ExKurtosis;
  double Entropy;  // nats
};

VELTRIA_API PdProps* pDPropsErase(PdProps* r);
VELTRIA_API PdProps* pPropsBernoulli(double p, PdProps* r);
VELTRIA_API PdProps* pPropsBeta(double a, double b, PdProps* r);
VELTRIA_API PdProps* pPropsCauchy(double x0, double gamma, PdProps* r);
VELTRIA_API PdProps* pPropsChiSquare(Qword k, PdProps* r);
VELTRIA_API PdProps* pPropsExponential(double lambda, PdProps* r);
VELTRIA_API PdProps* pPropsFisherSnedecor(double d1, double d2, PdProps* r);
VELTRIA_API PdProps* pPropsNormal(double mu, double sigma, PdProps* r);
VELTRIA_API PdProps* pPropsPoisson(double lambda, PdProps* r);
VELTRIA_API PdProps* pPropsStudent(double nu, double mu, double sigma, PdProps* r);
VELTRIA_API PdProps* pPropsUniform(double c, double w, PdProps* r);

VELTRIA_API void CoutPdProps(const char16_t* title, const PdProps* r);
VELTRIA_API void CoutPdPropsA(const char* title, const PdProps* r);
