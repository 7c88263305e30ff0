// The SVG export of a rotated plot: the file always shows the plot upright,
// whatever the orientation of the screen's context. The plot is drawn on a
// recording screen of the file's size, then exported; every line, point and
// filled rectangle of each file (read back with ElementTree) must be the one
// an upright screen was sent. Texts are left out of the comparison: the
// screen measures them, the SVG writer does not.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/graphics/ky_svg.h"
#include "framework/graphics/plot.h"
#include "support/temp_folder.h"
#include "svg_test_util.h"

namespace {

std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

bool IsText(const std::string& element) { return element.rfind("text ", 0) == 0; }

class SvgRotationTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    SvgResetFontSizeForTest();
  }
};

TEST_F(SvgRotationTest, TheFileShowsThePlotUprightWhateverTheScreensTurn) {
  // A decaying cosine over 0..1 with axes: nothing symmetric under a turn.
  const int n = 400;
  std::vector<double> x(n), y(n);
  for (int i = 0; i < n; ++i) {
    x[i] = i / (n - 1.0);
    y[i] = std::exp(-3 * x[i]) * std::cos(9 * x[i]);
  }
  struct Case {
    const char* name;
    Dword orientation;
  } cases[] = {{"upright", 0}, {"x runs upwards", kGwRotateCcw}, {"x runs downwards", kGwRotateCw}};
  std::vector<std::vector<std::string>> screens;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDraw screen(1000, 1000);
    cKyGw gw(&screen, RecordingDraw::Callback);
    gw.SetOrientation(c.orientation);
    cPlot plot(0, kPlotFull, 0, 0);
    plot.SetContext(&gw);
    plot.axes->SetFlags(0x04010400u);
    plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
    plot.data->AddArray(y.data(), n, 0, "real", 0xFF000000u, 0, false);
    plot.data->GetXRange(&plot.x_data_min, &plot.x_data_max);
    plot.data->GetYRange(&plot.y_data_min, &plot.y_data_max);
    plot.AutoScaleX(nullptr);
    plot.AutoScaleY(nullptr);
    screen.Clear();
    plot.Draw(nullptr, 0);

    const std::string file = Path("plot.svg");
    ASSERT_EQ(GrobToSvgFile(0, &plot, 1000, 1000, U16(file).c_str()), 0u);
    int status = 0;
    const std::vector<std::string> lines = RunSvgCheck("elements " + file, &status);
    ASSERT_EQ(status, 0);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "svg viewBox=0 0 1000 1000");
    // The writer's own first group (message 10 of the new context) comes
    // before the plot's elements.
    std::vector<std::string> written;
    for (size_t i = 3; i < lines.size(); ++i)
      if (!IsText(lines[i])) written.push_back(lines[i]);
    std::vector<std::string> shown;
    Dword font = 10;
    for (const RecordedDraw& m : screen.Log()) {
      if (m.message == kGwMsgFont) font = m.state.font_size;
      const std::string e = ExpectedElement(m, font);
      if (!e.empty() && !IsText(e)) shown.push_back(e);
    }
    ASSERT_GT(shown.size(), 50u);
    screens.push_back(shown);
    EXPECT_EQ(written, screens[0]);
  }
  // The turned screens really differ from the upright one.
  EXPECT_NE(screens[1], screens[0]);
  EXPECT_NE(screens[2], screens[0]);
}

}  // namespace
