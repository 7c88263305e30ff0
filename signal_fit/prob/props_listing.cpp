// Listing of a distribution-properties record, one field a line.
#include "base/console_out.h"
#include "signal_fit/prob/props.h"

namespace {

constexpr int kFields = 20;

void Values(const PdProps* r, double* v) {
  const double fields[kFields] = {static_cast<double>(r->Flags),
                                  r->SupportLow,
                                  r->SupportHigh,
                                  r->Mode,
                                  r->ModeDensity,
                                  r->Mean,
                                  r->MeanDensity,
                                  r->Median,
                                  r->MedianDensity,
                                  r->StdDev,
                                  r->Variance,
                                  r->MeanAbsDev,
                                  r->HalfHeightWidth,
                                  r->LowerInflex,
                                  r->UpperInflex,
                                  r->NhciWidth,
                                  r->NhciCenter,
                                  r->Skewness,
                                  r->ExKurtosis,
                                  r->Entropy};
  for (int i = 0; i < kFields; ++i) v[i] = fields[i];
}

const char* const kLabelsA[kFields] = {
    "\n Flags = ",           "\n SupportLow = ",  "\n SupportHigh = ", "\n Mode = ",
    "\n ModeDensity = ",     "\n Mean = ",        "\n MeanDensity = ", "\n Median = ",
    "\n MedianDensity = ",   "\n StdDev = ",      "\n Variance = ",    "\n MeanAbsDev = ",
    "\n HalfHeightWidth = ", "\n LowerInflex = ", "\n UpperInflex = ", "\n NhciWidth = ",
    "\n NhciCenter = ",      "\n Skewness = ",    "\n ExKurtosis = ",  "\n Entropy = "};

const char16_t* const kLabels[kFields] = {
    u"\n Flags = ",           u"\n SupportLow = ",  u"\n SupportHigh = ", u"\n Mode = ",
    u"\n ModeDensity = ",     u"\n Mean = ",        u"\n MeanDensity = ", u"\n Median = ",
    u"\n MedianDensity = ",   u"\n StdDev = ",      u"\n Variance = ",    u"\n MeanAbsDev = ",
    u"\n HalfHeightWidth = ", u"\n LowerInflex = ", u"\n UpperInflex = ", u"\n NhciWidth = ",
    u"\n NhciCenter = ",      u"\n Skewness = ",    u"\n ExKurtosis = ",  u"\n Entropy = "};

}  // namespace

void CoutPdProps(const char16_t* title, const PdProps* r) {
  Cout(title);
  if (r == nullptr) return;
  double v[kFields];
  Values(r, v);
  for (int i = 0; i < kFields; ++i) CoutReal(kLabels[i], v[i], nullptr, 0, 10);
}

void CoutPdPropsA(const char* title, const PdProps* r) {
  CoutA(title);
  if (r == nullptr) return;
  double v[kFields];
  Values(r, v);
  for (int i = 0; i < kFields; ++i) CoutRealA(kLabelsA[i], v[i], nullptr, 0, 10);
}
