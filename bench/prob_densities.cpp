// Densities, cumulative functions and quantiles of the distribution
// families against GSL's, and Poisson deviates at a large mean.
#include <benchmark/benchmark.h>
#include <gsl/gsl_cdf.h>
#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include "signal_fit/prob/probability.h"
#include "signal_fit/prob/random_deviates.h"

namespace {

// A sweep of arguments so that no branch is predicted from one value.
template <typename F>
void Sweep(benchmark::State& state, double lo, double hi, F f) {
  constexpr int kN = 256;
  double x[kN];
  for (int i = 0; i < kN; ++i) x[i] = lo + (hi - lo) * (i + 0.5) / kN;
  for (auto _ : state) {
    double s = 0.0;
    for (int i = 0; i < kN; ++i) s += f(x[i]);
    benchmark::DoNotOptimize(s);
  }
  state.SetItemsProcessed(state.iterations() * kN);
}

void BM_DfStudent(benchmark::State& s) {
  Sweep(s, -5, 5, [](double x) { return pDfStudent0(x, 7.5); });
}
void BM_GslTdistPdf(benchmark::State& s) {
  Sweep(s, -5, 5, [](double x) { return gsl_ran_tdist_pdf(x, 7.5); });
}
void BM_DfChiSquare(benchmark::State& s) {
  Sweep(s, 0.1, 30, [](double x) { return pDfChiSquare(x, 9.0); });
}
void BM_GslChisqPdf(benchmark::State& s) {
  Sweep(s, 0.1, 30, [](double x) { return gsl_ran_chisq_pdf(x, 9.0); });
}
void BM_DfFisherSnedecor(benchmark::State& s) {
  Sweep(s, 0.05, 6, [](double x) { return pDfFisherSnedecor(x, 5.0, 150.0); });
}
void BM_GslFdistPdf(benchmark::State& s) {
  Sweep(s, 0.05, 6, [](double x) { return gsl_ran_fdist_pdf(x, 5.0, 150.0); });
}
void BM_DfBeta(benchmark::State& s) {
  Sweep(s, 0.01, 0.99, [](double x) { return pDfBeta(x, 2.5, 4.0); });
}
void BM_GslBetaPdf(benchmark::State& s) {
  Sweep(s, 0.01, 0.99, [](double x) { return gsl_ran_beta_pdf(x, 2.5, 4.0); });
}
void BM_CfNormal(benchmark::State& s) {
  Sweep(s, -8, 8, [](double x) { return pCfNormal0(x); });
}
void BM_GslGaussianP(benchmark::State& s) {
  Sweep(s, -8, 8, [](double x) { return gsl_cdf_ugaussian_P(x); });
}
void BM_QfNormal(benchmark::State& s) {
  Sweep(s, 1e-6, 1 - 1e-6, [](double p) { return pQfNormal0(p); });
}
void BM_GslGaussianPinv(benchmark::State& s) {
  Sweep(s, 1e-6, 1 - 1e-6, [](double p) { return gsl_cdf_ugaussian_Pinv(p); });
}
void BM_QfStudent(benchmark::State& s) {
  Sweep(s, 1e-4, 1 - 1e-4, [](double p) { return pQfStudent0(p, 7.5); });
}
void BM_GslTdistPinv(benchmark::State& s) {
  Sweep(s, 1e-4, 1 - 1e-4, [](double p) { return gsl_cdf_tdist_Pinv(p, 7.5); });
}

void BM_RgPoisson(benchmark::State& state) {
  const double lambda = static_cast<double>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(pRgPoisson(lambda));
  state.SetItemsProcessed(state.iterations());
}
void BM_GslPoisson(benchmark::State& state) {
  gsl_rng* r = gsl_rng_alloc(gsl_rng_mt19937);
  const double lambda = static_cast<double>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(gsl_ran_poisson(r, lambda));
  state.SetItemsProcessed(state.iterations());
  gsl_rng_free(r);
}

}  // namespace

BENCHMARK(BM_DfStudent);
BENCHMARK(BM_GslTdistPdf);
BENCHMARK(BM_DfChiSquare);
BENCHMARK(BM_GslChisqPdf);
BENCHMARK(BM_DfFisherSnedecor);
BENCHMARK(BM_GslFdistPdf);
BENCHMARK(BM_DfBeta);
BENCHMARK(BM_GslBetaPdf);
BENCHMARK(BM_CfNormal);
BENCHMARK(BM_GslGaussianP);
BENCHMARK(BM_QfNormal);
BENCHMARK(BM_GslGaussianPinv);
BENCHMARK(BM_QfStudent);
BENCHMARK(BM_GslTdistPinv);
BENCHMARK(BM_RgPoisson)->Arg(5)->Arg(100)->Arg(1000000);
BENCHMARK(BM_GslPoisson)->Arg(5)->Arg(100)->Arg(1000000);
