// The manifest's quantities (a numpy version of the default processing in
// tools/gen_bruker_samples.py) against the same chain built from the
// library's own signal functions on the loaded blocks: group-delay
// removal, zero filling to 1024 points, the Cos2Tmax and Smoothstep
// windows, the average magnitude. Two independent versions of one chain,
// so the manifest can serve as the oracle of the end-to-end runs.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/core/bruker_reader.h"
#include "base/real_round.h"
#include "signal_fit/signal/apodization.h"
#include "signal_fit/signal/fourier.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

double DefaultQuantity(cKyData& block, double gdly) {
  const Qword n = block.points;
  double* signal = block.Row(1);  // rows 1 and 2 are one signal array
  const Qword k = uRealRoundToQword(gdly, nullptr);
  if (k != 0) {
    const std::vector<double> copy(signal, signal + 2 * n);
    EXPECT_EQ(SArrCorrectBrukerFid(n, copy.data(), signal, k), 0u);
    signal[0] *= 0.85;
    signal[n] *= 0.85;
  }
  EXPECT_EQ(block.ResizePoints(0, 1024), 0u);
  const Qword m = block.points;
  const double t0 = block.Row(0)[0], t1 = block.Row(0)[m - 1];
  const double cos2[2] = {0.01, NAN}, step[2] = {0.0003, 2};
  EXPECT_EQ(SArrTdApodize(3, m, block.Row(1), t0, t1, cos2), 0u);
  EXPECT_EQ(SArrTdApodize(8, m, block.Row(1), t0, t1, step), 0u);
  double sum = 0;
  for (Qword i = 0; i < m; ++i) sum += std::hypot(block.Row(1)[i], block.Row(2)[i]);
  return sum / static_cast<double>(m);
}

TEST(BrukerManifest, QuantitiesAgreeWithTheLibrarysChain) {
  int checked = 0;
  for (const ManifestRow& row : ReadManifest()) {
    if (row.at("quantity").empty()) continue;
    SCOPED_TRACE(row.at("folder"));
    cKyData root(0);
    ASSERT_EQ(LoadManifestSample(row, &root), 0u);
    cKyData& item = *root.FirstChild();
    const double gdly = item.parameters.GetReal("GDLY");
    EXPECT_EQ(gdly, std::stod(row.at("gdly")));
    double q = NAN;
    for (Dword b = 0; b < item.ChildCount(); ++b) q = DefaultQuantity(*item.Child(b), gdly);
    const double want = std::stod(row.at("quantity"));
    EXPECT_NEAR(q, want, 1e-10 * want);
    ++checked;
  }
  EXPECT_GE(checked, 12);
}

TEST(BrukerManifest, ConcentrationsLieOnTheCalibrationLine) {
  // C out = (Q - b) / a with the least-squares line of the known samples:
  // for the known ones it lies within the noise of their inputs, and the
  // line through two 13C samples is exact.
  for (const ManifestRow& row : ReadManifest()) {
    if (row.at("concentration_in").empty()) continue;
    SCOPED_TRACE(row.at("folder"));
    const double in = std::stod(row.at("concentration_in"));
    const double out = std::stod(row.at("concentration_out"));
    EXPECT_NEAR(out, in, row.at("nuclide") == "13C" ? 1e-9 : 0.01);
  }
}

}  // namespace
