// The apodization overlay (code 10019) keeps its extremes true to its values
// after every multiplication, so the plot's y range neither clips a window
// that changes sign nor keeps room for values the overlay no longer has. The
// expected extremes come from the windows' closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "command_fixture.h"
#include "framework/graphics/gw_data.h"
#include "framework/graphics/plot.h"
#include "support/recording_draw.h"

namespace {

constexpr Qword kPoints = 101;

class ApodizationRangeTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    // Time 0..1 s; a decay between 0.5 and 2, so the overlay starts at 2.
    for (Qword i = 0; i < kPoints; ++i) {
      x_[i] = static_cast<double>(i) / (kPoints - 1);
      y_[i] = 0.5 + 1.5 * std::exp(-4 * x_[i]);
    }
    plot_.SetContext(&gw_);
    plot_.data->AddArray(x_.data(), kPoints, 0, "x", 0, 0, false);
    plot_.data->AddArray(y_.data(), kPoints, 0, "real", 0xFF000000u, 0, false);
  }
  Dword Overlay(Qword type, double p0, Qlong first) {
    PlotArgs a{};
    a.plot = &plot_;
    a.apodization_type = type;
    a.first_point = first;
    a.values[0].real = p0;
    return Run(kKyCmdPlotApodization, &a);
  }
  const cGwArr* Apod() { return cGwArr::FindByName("apod", plot_.data->FirstArray()); }

  std::vector<double> x_ = std::vector<double>(kPoints), y_ = std::vector<double>(kPoints);
  RecordingDraw screen_{800, 600};
  cKyGw gw_{&screen_, RecordingDraw::Callback};
  cPlot plot_{0, kPlotFull, 0, 0};
};

double Exponential(double p0, double t) { return std::exp(-M_PI * p0 * t); }
double Sinc(double p0, double t) {
  const double u = M_PI * p0 * t;
  return u == 0 ? 1.0 : std::sin(u) / u;
}

TEST_F(ApodizationRangeTest, ExtremesFollowEveryMultiplication) {
  struct Case {
    const char* name;
    Qword type;
    double p0;
    double (*window)(double, double);
    Qlong first;
  } cases[] = {
      {"exponential decays", 1, 2.0, Exponential, 0},
      {"exponential from point 20", 1, 2.0, Exponential, 20},
      {"sinc changes sign", 6, 3.0, Sinc, 0},
      {"sinc from point 30", 6, 3.0, Sinc, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotArgs remove{};
    remove.plot = &plot_;
    ASSERT_EQ(Run(kKyCmdPlotRemoveApodization, &remove), 0u);
    const double top = 2.0;  // the largest y value, where a fresh overlay starts
    const Qword first = static_cast<Qword>(c.first);
    const Qword m = kPoints - first;
    for (int times = 1; times <= 2; ++times) {
      ASSERT_EQ(Overlay(c.type, c.p0, c.first), 0u);
      const cGwArr* apod = Apod();
      ASSERT_NE(apod, nullptr);
      // The window runs over the m points from the first on, from the
      // reference's minimum 0 to its maximum 1.
      double lo = INFINITY, hi = -INFINITY;
      for (Qword k = 0; k < m; ++k) {
        const double v =
            top *
            std::pow(c.window(c.p0, static_cast<double>(k) / static_cast<double>(m - 1)), times);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
      }
      EXPECT_NEAR(apod->min, lo, 1e-12) << times;
      EXPECT_NEAR(apod->max, hi, 1e-12) << times;
      // The plot's y range holds the overlay and the data, no more.
      double y0, y1;
      plot_.data->GetYRange(&y0, &y1);
      EXPECT_NEAR(y0, std::min(lo, 0.5 + 1.5 * std::exp(-4.0)), 1e-12) << times;
      EXPECT_NEAR(y1, std::max(hi, 2.0), 1e-12) << times;
    }
  }
}

// The "Stanning" marker multiplies nothing: the overlay keeps the height it
// was created with.
TEST_F(ApodizationRangeTest, StanningKeepsTheFreshOverlay) {
  ASSERT_EQ(Overlay(2, 1.0, 10), 0u);
  const cGwArr* apod = Apod();
  ASSERT_NE(apod, nullptr);
  EXPECT_EQ(apod->min, 2.0);
  EXPECT_EQ(apod->max, 2.0);
}

}  // namespace
