// Drawing dense curves through the data layer to the recording back end:
// the envelope mode makes the cost one pass over the visible points and a
// message count bounded by the device width.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "framework/graphics/plot.h"
#include "support/recording_draw.h"

namespace {

void BM_DrawCurve(benchmark::State& state) {
  const Qword n = static_cast<Qword>(state.range(0));
  std::vector<double> x(n), y(n);
  for (Qword i = 0; i < n; ++i) {
    x[i] = static_cast<double>(i) / static_cast<double>(n - 1);
    y[i] = 0.5 + 0.4 * std::sin(0.001 * static_cast<double>(i));
  }
  RecordingDraw rec(1200, 800);
  cKyGw gw(&rec, RecordingDraw::Callback);
  cPlot plot(0, kPlotFull, 0, 0);
  plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
  plot.data->AddArray(y.data(), n, 0, "y", 0xFF000000u, 0, false);
  size_t messages = 0;
  for (auto _ : state) {
    rec.Clear();
    plot.data->Draw(&gw, 0);
    messages = rec.Log().size();
    benchmark::DoNotOptimize(messages);
  }
  state.counters["messages"] = static_cast<double>(messages);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}
BENCHMARK(BM_DrawCurve)->Arg(1000)->Arg(100000)->Arg(1000000);

// A zoomed view: only a thousandth of the points is visible.
void BM_DrawCurveZoomed(benchmark::State& state) {
  const Qword n = 1000000;
  std::vector<double> x(n), y(n);
  for (Qword i = 0; i < n; ++i) {
    x[i] = static_cast<double>(i) / static_cast<double>(n - 1);
    y[i] = 0.5 + 0.4 * std::sin(0.001 * static_cast<double>(i));
  }
  RecordingDraw rec(1200, 800);
  cKyGw gw(&rec, RecordingDraw::Callback);
  gw.SetXMin(0.5);
  gw.SetXRange(0.001);
  cPlot plot(0, kPlotFull, 0, 0);
  plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
  plot.data->AddArray(y.data(), n, 0, "y", 0xFF000000u, 0, false);
  for (auto _ : state) {
    rec.Clear();
    plot.data->Draw(&gw, 0);
    benchmark::DoNotOptimize(rec.Log().size());
  }
}
BENCHMARK(BM_DrawCurveZoomed);

}  // namespace
