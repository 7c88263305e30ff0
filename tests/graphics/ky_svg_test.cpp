#include "framework/graphics/ky_svg.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cmath>
#include <filesystem>

#include "framework/graphics/grob.h"
#include "framework/graphics/plot.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"
#include "svg_test_util.h"

namespace {

std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Forwards every message to the SVG writer and records it, so the file can
// be compared with exactly what the writer was sent.
struct Tee {
  RecordingDraw rec;
  cKySVG* svg;
  static Qlong Callback(void* target, Dword message, Qlong x1, Qlong y1, Qlong x2, Qlong y2,
                        const void* arg) {
    Tee* t = static_cast<Tee*>(target);
    RecordingDraw::Callback(&t->rec, message, x1, y1, x2, y2, arg);
    return SvgDrawCallback(t->svg, message, x1, y1, x2, y2, arg);
  }
};

// A small scene in real coordinates: background, a red diagonal, a blue
// box, a cross marker and two texts.
class SceneGrob : public cGrob {
 public:
  SceneGrob() : cGrob(0, 0) {}
  void DrawBefore(cKyGw* gw, Dword) override {
    gw->FillAll(kGwWhite);
    gw->SetPen(0xFF000000u, 5, 0, 0);
    gw->LineReal(0.1, 0.1, 0.9, 0.9);
    gw->SetPen(0x00800000u, 1, 1, 0);
    gw->LineReal(0.1, 0.9, 0.4, 0.6);
    gw->SetFill(0x0000FF00u, 0, 0);
    gw->FillRect(gw->XToLogical(0.6, true), gw->YToLogical(0.1, true), gw->XToLogical(0.8, true),
                 gw->YToLogical(0.3, true));
    gw->SetPen(0, 1, 0, 0);
    gw->MarkerReal(0.5, 0.5, 2, 0);
    gw->SendFont();
    gw->Text(gw->XToLogical(0.05, true), gw->YToLogical(0.95, true), text_.c_str());
  }
  std::string text_ = "a<&>\"'\xC3\xA9\xE2\x82\xAC";  // a<&>"'é€ in UTF-8
};

class SvgTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    SvgResetFontSizeForTest();
  }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_F(SvgTest, PrologViewBoxAndClosingTags) {
  SceneGrob scene;
  const std::u16string path = U16(Path("plot.svg"));
  ASSERT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, path.c_str()), 0u);
  const std::string text = Read(Path("plot.svg"));
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
      "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"1000\">\n"
      "<svg viewBox = \"0 0 1000 1000\">\n<g fill=\"#000000\" stroke=\"#000000\" "
      "stroke-width=\"1\" >";
  EXPECT_EQ(text.substr(0, head.size()), head);
  const std::string tail = "\n</g>\n</svg>\n</svg>";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  // No temporary file is left beside the result.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(SvgTest, EveryElementMatchesTheRecordedTrace) {
  const std::string file = Path("trace.svg");
  cKySVG svg(1000, 1000);
  ASSERT_EQ(svg.Create(U16(file).c_str(), 0), 0u);
  Tee tee{RecordingDraw(), &svg};
  SceneGrob scene;
  {
    cKyGw gw(&tee, Tee::Callback);
    scene.Draw(&gw, 0);
  }
  EXPECT_TRUE(svg.Close());
  int status = 0;
  std::vector<std::string> lines = RunSvgCheck("elements " + file, &status);
  ASSERT_EQ(status, 0);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "svg width=1000 height=1000");
  EXPECT_EQ(lines[1], "svg viewBox=0 0 1000 1000");
  std::vector<std::string> expected;
  Dword font = 10;
  for (const RecordedDraw& m : tee.rec.Log()) {
    if (m.message == 11) font = m.state.font_size;
    const std::string e = ExpectedElement(m, font);
    if (!e.empty()) expected.push_back(e);
  }
  ASSERT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), expected);
  // The text came through with its reserved characters and non-ASCII intact.
  EXPECT_EQ(expected.back().substr(expected.back().find("text= ")),
            "text= a<&>\"'\xC3\xA9\xE2\x82\xAC ");
}

TEST_F(SvgTest, ElementsOfThePathAndOutlineMessages) {
  const std::string file = Path("paths.svg");
  cKySVG svg(200, 100);
  ASSERT_EQ(svg.Create(U16(file).c_str(), 0), 0u);
  GwState st{0x12345600u, 2, 0, 0, kGwWhite, 0, 0, 12};
  SvgDrawCallback(&svg, 10, 0, 0, 0, 0, &st);
  SvgDrawCallback(&svg, 23, 10, 90, 50, 20, &st);
  SvgDrawCallback(&svg, 24, 5, -7, 0, 0, &st);
  SvgDrawCallback(&svg, 25, 0, 0, 30, 40, &st);
  for (Qlong v = 0; v <= 5; ++v) SvgDrawCallback(&svg, 26, 15, v, 60, 70, &st);
  SvgDrawCallback(&svg, 27, 0, 0, 0, 0, &st);
  SvgDrawCallback(&svg, 99, 1, 2, 3, 4, &st);
  EXPECT_EQ(SvgDrawCallback(&svg, 41, 0, 0, 0, 0, &st), 100);
  EXPECT_EQ(SvgDrawCallback(&svg, 42, 0, 0, 0, 0, &st), 200);
  EXPECT_EQ(SvgDrawCallback(&svg, 32, 0, 0, 0, 0, &st), 10);
  // Text widths are estimated from the characters (UTF-8 sequences count
  // once) and the font size: about half to four fifths of an em each.
  const Qlong abc = SvgDrawCallback(&svg, 33, 0, 0, 0, 0, "abc");
  EXPECT_GE(abc, 3 * 10 / 2);
  EXPECT_LE(abc, 3 * 10 * 4 / 5);
  EXPECT_EQ(SvgDrawCallback(&svg, 33, 0, 0, 0, 0, "\xC3\xA9\xE2\x82\xAC\x31"), abc);
  ASSERT_TRUE(svg.Close());
  const std::string text = Read(file);
  const std::string body =
      "\n<g fill=\"#123456\" stroke=\"#123456\" stroke-width=\"2\" >"
      "\n<path d= \" M  10  90 L 10 20 L 50 20 L 50 90 Z \" fill=\"transparent\" />"
      "\n<path d= \" M  5 -7  L 30 40  A 15 15 0 0 0 60 70  A 15 15 0 0 1 60 70 "
      " A 15 15 0 1 0 60 70  A 15 15 0 1 1 60 70  Z \" />"
      "\n</g>\n</svg>\n</svg>";
  ASSERT_GE(text.size(), body.size());
  EXPECT_EQ(text.substr(text.size() - body.size()), body);
  int status = 0;
  RunSvgCheck("elements " + file, &status);
  EXPECT_EQ(status, 0);
}

// 12 and 13 before any 10 must not close a group that was never opened.
TEST_F(SvgTest, FillAndPenBeforeBeginKeepGroupsBalanced) {
  const std::string file = Path("groups.svg");
  cKySVG svg(100, 100);
  ASSERT_EQ(svg.Create(U16(file).c_str(), 0), 0u);
  GwState st{0, 1, 0, 0, kGwWhite, 0, 0, 12};
  SvgDrawCallback(&svg, 12, 0, 0, 0, 0, &st);
  SvgDrawCallback(&svg, 13, 0, 0, 0, 0, &st);
  SvgDrawCallback(&svg, 13, 0, 0, 0, 0, &st);
  EXPECT_EQ(svg.OpenGroups(), 1);
  ASSERT_TRUE(svg.Close());
  int status = 0;
  RunSvgCheck("elements " + file, &status);
  EXPECT_EQ(status, 0);
}

TEST_F(SvgTest, EscapingAndLatin1) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"plain", "plain"},
      {"<&>", "&lt;&amp;&gt;"},
      {"\"'", "&quot;&apos;"},
      {"caf\xE9", "caf\xC3\xA9"},                        // Latin-1 e acute
      {"\xC3\xA9\xE2\x82\xAC", "\xC3\xA9\xE2\x82\xAC"},  // valid UTF-8 stays
      {"\xB5s", "\xC2\xB5s"},                            // Latin-1 micro sign
      // Characters XML forbids stand as U+FFFD: control characters but
      // tab, line feed and return, and U+FFFE, U+FFFF.
      {"a\x01\x1F"
       "b",
       "a\xEF\xBF\xBD\xEF\xBF\xBD"
       "b"},
      {"\t\n\r", "\t\n\r"},
      {"\xEF\xBF\xBE|\xEF\xBF\xBF", "\xEF\xBF\xBD|\xEF\xBF\xBD"},
      {"\xEF\xBF\xBC\xEF\xBF\xBD", "\xEF\xBF\xBC\xEF\xBF\xBD"},  // U+FFFC, U+FFFD stay
      {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},                  // U+10FFFF stays
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate is not UTF-8
  };
  for (const Case& c : cases) {
    std::string out;
    SvgAppendEscaped(&out, c.in);
    EXPECT_EQ(out, c.out) << c.in;
  }
}

TEST_F(SvgTest, NullObjectAndUncreatableFile) {
  SceneGrob scene;
  EXPECT_EQ(GrobToSvgFile(0, nullptr, 1000, 1000, U16(Path("x.svg")).c_str()), 14u);
  EXPECT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, U16(Path("no/such/dir/x.svg")).c_str()), 48u);
  // No dialog answers in tests: cancelled.
  EXPECT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, nullptr), 48u);
}

// A write that fails half-way is an error and leaves neither a partial file
// nor a temporary one; an older file of that name survives untouched.
TEST_F(SvgTest, FailedWriteReportsErrorAndLeavesNoPartialFile) {
  WriteFile("old.svg", "old contents");
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 600;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  SceneGrob scene;
  scene.text_ = std::string(2000, 'x');
  const LibErrorCode rc = GrobToSvgFile(0, &scene, 1000, 1000, U16(Path("old.svg")).c_str());
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);
  EXPECT_EQ(rc, 48u);
  EXPECT_EQ(Read(Path("old.svg")), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
  // A new file that fails is not left behind at all.
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  signal(SIGXFSZ, SIG_IGN);
  const LibErrorCode rc2 = GrobToSvgFile(0, &scene, 1000, 1000, U16(Path("new.svg")).c_str());
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);
  EXPECT_EQ(rc2, 48u);
  EXPECT_FALSE(std::filesystem::exists(Path("new.svg")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

// Text with characters XML forbids still gives a file an XML parser reads,
// with U+FFFD where they stood.
TEST_F(SvgTest, ForbiddenCharactersStillParse) {
  SceneGrob scene;
  scene.text_ = "x\x01\x1B\xEF\xBF\xBE\xEF\xBF\xBFy";
  const std::string file = Path("chars.svg");
  ASSERT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, U16(file).c_str()), 0u);
  int status = 0;
  const std::vector<std::string> lines = RunSvgCheck("elements " + file, &status);
  ASSERT_EQ(status, 0);
  const std::string fffd = "\xEF\xBF\xBD";
  bool found = false;
  for (const std::string& line : lines)
    found = found || line.find("x" + fffd + fffd + fffd + fffd + "y") != std::string::npos;
  EXPECT_TRUE(found) << testing::PrintToString(lines);
}

// A write that fails at any byte or in its flush answers 48 and leaves the
// older file of the name as it was, or no file when the name was new;
// never a temporary file.
TEST_F(SvgTest, FailedWritesLeaveTheOldFileOrNone) {
  SceneGrob scene;
  const std::string file = Path("plot.svg");
  ASSERT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, U16(file).c_str()), 0u);
  const std::string complete = Read(file);
  std::remove(file.c_str());
  for (const bool with_old : {false, true}) {
    for (Qword n = 0; n <= complete.size(); ++n) {
      SCOPED_TRACE(testing::Message() << "old " << with_old << " N " << n);
      if (with_old) WriteFile("plot.svg", "old contents");
      WriteFaultPlan plan;
      const bool sync_fails = n == complete.size();
      plan.fail_after_bytes = sync_fails ? ~Qword{0} : n;
      plan.fail_sync = sync_fails;
      LibErrorCode rc;
      {
        WriteFaultGuard guard(plan);
        rc = GrobToSvgFile(0, &scene, 1000, 1000, U16(file).c_str());
      }
      EXPECT_EQ(rc, 48u);
      if (with_old) {
        EXPECT_EQ(Read(file), "old contents");
        EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"plot.svg"});
      } else {
        EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{});
      }
    }
    std::remove(file.c_str());
  }
}

// The wheel zoom changes the y scale alone; the file must show it.
TEST_F(SvgTest, CopiesScalesAsWellAsRanges) {
  RecordingDraw rec(1000, 1000);
  cKyGw own(&rec, RecordingDraw::Callback);
  own.SetYRange(1.0);
  SceneGrob scene;
  scene.SetContext(&own);
  scene.ZoomY(nullptr, 2.0, 0.5, false);  // twice as tall about y 0.5
  ASSERT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, U16(Path("zoom.svg")).c_str()), 0u);
  int status = 0;
  std::vector<std::string> lines = RunSvgCheck("elements " + Path("zoom.svg"), &status);
  ASSERT_EQ(status, 0);
  // The red diagonal from (0.1, 0.1) to (0.9, 0.9) now leaves the square:
  // clipped where y reaches the top and bottom, at x 0.25 and 0.75.
  bool found = false;
  for (const std::string& l : lines) {
    long long a, b, c, d;
    if (std::sscanf(l.c_str(), "line x1=%lld y1=%lld x2=%lld y2=%lld", &a, &b, &c, &d) == 4 &&
        std::llabs(a - 250) <= 1 && b == 1000 && std::llabs(c - 750) <= 1 && d == 0)
      found = true;
  }
  EXPECT_TRUE(found) << ::testing::PrintToString(lines);
}

TEST_F(SvgTest, RenderedColoursLandWhereTheTraceSays) {
  if (!HaveRsvgConvert()) GTEST_FAIL() << "rsvg-convert is missing (Debian package librsvg2-bin)";
  SceneGrob scene;
  ASSERT_EQ(GrobToSvgFile(0, &scene, 1000, 1000, U16(Path("r.svg")).c_str()), 0u);
  struct Probe {
    int x, y;
    const char* rgb;
  } probes[] = {
      {200, 800, "255 0 0"},      // the diagonal at x 0.2
      {300, 700, "255 0 0"},      // the diagonal at x 0.3
      {700, 800, "0 0 255"},      // inside the blue box (0.6..0.8, 0.1..0.3)
      {300, 300, "255 255 255"},  // background
  };
  for (const Probe& p : probes) {
    int status = 0;
    std::vector<std::string> out = RunSvgCheck(
        "pixel " + Path("r.svg") + " " + std::to_string(p.x) + " " + std::to_string(p.y), &status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], p.rgb) << p.x << "," << p.y;
  }
}

// A plot of a real array with axes, through the whole chain: the curve lies
// where the data says, and the file stays small.
TEST_F(SvgTest, PlotOfRealArrayRendersTheCurve) {
  if (!HaveRsvgConvert()) GTEST_FAIL() << "rsvg-convert is missing (Debian package librsvg2-bin)";
  const int n = 20000;
  std::vector<double> x(n), y(n);
  for (int i = 0; i < n; ++i) {
    x[i] = i / (n - 1.0);
    y[i] = 0.8 * std::sin(2 * M_PI * x[i]);
  }
  RecordingDraw screen(800, 600);
  cKyGw gw(&screen, RecordingDraw::Callback);
  cPlot plot(0, kPlotFull, 0, 0);
  plot.SetContext(&gw);
  plot.axes->SetFlags(0x04010400u);
  plot.data->AddArray(x.data(), n, 0, "x", 0, 0, false);
  cGwArr* curve = plot.data->AddArray(y.data(), n, 0, "real", 0xFF000000u, 0, false);
  curve->line_width = 3;
  plot.data->GetXRange(&plot.x_data_min, &plot.x_data_max);
  plot.data->GetYRange(&plot.y_data_min, &plot.y_data_max);
  plot.AutoScaleX(nullptr);
  plot.AutoScaleY(nullptr);
  ASSERT_EQ(GrobToSvgFile(0, &plot, 1000, 1000, U16(Path("plot.svg")).c_str()), 0u);
  int status = 0;
  const std::vector<std::string> lines = RunSvgCheck("elements " + Path("plot.svg"), &status);
  ASSERT_EQ(status, 0);
  EXPECT_LT(lines.size(), 3000u);  // one stroke per column, not one per point
  // The y axis (x = 0) stands where its labels leave it room; x = 1 is the
  // right edge.
  int x0 = -1;
  for (const std::string& l : lines)
    if (std::sscanf(l.c_str(), "line x1=%d y1=1000 x2=%*d y2=0", &x0) == 1) break;
  ASSERT_GT(x0, 0);
  ASSERT_LT(x0, 200);
  struct Probe {
    double xv;
  } probes[] = {{0.1}, {0.4}, {0.7}};
  for (const Probe& p : probes) {
    const double yv = 0.8 * std::sin(2 * M_PI * p.xv);
    const int px = static_cast<int>(std::lround(x0 + p.xv * (1000 - x0)));
    const int py = static_cast<int>(std::lround((1 - (yv + 0.8) / 1.6) * 1000));
    // The curve is 3 pixels wide: some pixel within 2 of the point is red.
    std::vector<std::string> out = RunSvgCheck(
        "pixel " + Path("plot.svg") + " " + std::to_string(px) + " " + std::to_string(py) + " 2",
        &status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(out.size(), 25u);
    bool red = false;
    for (const std::string& o : out) {
      int r = 0, g = 0, b = 0;
      ASSERT_EQ(std::sscanf(o.c_str(), "%d %d %d", &r, &g, &b), 3);
      if (r > 230 && g < 30 && b < 30) red = true;
    }
    EXPECT_TRUE(red) << p.xv;
  }
}

std::string g_dialog_answer;
std::string g_dialog_title;
std::string g_opened;

bool ScriptedDialog(const UiFileDialogRequest& request, std::string* paths) {
  g_dialog_title = request.title;
  *paths = g_dialog_answer;
  return true;
}

bool RecordOpen(const std::string& target) {
  g_opened = target;
  return true;
}

// Without a path the save dialog chooses the file; flag bit 0 opens the
// finished file with the desktop.
TEST_F(SvgTest, DialogChoosesThePathAndShellOpensIt) {
  UiHooks hooks = UiHooksFallback();
  hooks.file_dialog = ScriptedDialog;
  hooks.open_document = RecordOpen;
  UiHooksInstall(&hooks);
  g_dialog_answer = Path("chosen.svg");
  g_opened.clear();
  SceneGrob scene;
  EXPECT_EQ(GrobToSvgFile(kSvgOpenWithShell | kSvgNoOverwritePrompt, &scene, 500, 400, nullptr),
            0u);
  EXPECT_EQ(g_dialog_title, "Create a new SVG file");
  EXPECT_TRUE(std::filesystem::exists(Path("chosen.svg")));
  EXPECT_EQ(g_opened, Path("chosen.svg"));
  EXPECT_NE(Read(Path("chosen.svg")).find("<svg viewBox = \"0 0 500 400\">"), std::string::npos);
  g_opened.clear();
  EXPECT_EQ(GrobToSvgFile(0, &scene, 500, 400, U16(Path("plain.svg")).c_str()), 0u);
  EXPECT_TRUE(g_opened.empty());
  UiHooksInstall(nullptr);
}

// Children are drawn from the last added to the first unless bit 0 asks
// otherwise; a hidden node draws neither itself nor its children.
TEST(Grob, ChildOrderAndHidden) {
  struct Mark : cGrob {
    Dword colour;
    explicit Mark(Dword c) : cGrob(0, 0), colour(c) {}
    void DrawBefore(cKyGw* gw, Dword) override { gw->SetPen(colour, 1, 0, 0); }
  };
  RecordingDraw rec(100, 100);
  cKyGw gw(&rec, RecordingDraw::Callback);
  cGrob root(0, 0);
  root.AddChild(new Mark(1 << 8));
  root.AddChild(new Mark(2 << 8));
  root.AddChild(nullptr);
  auto pens = [&] {
    std::vector<Qlong> out;
    for (const RecordedDraw& m : rec.Of(13)) out.push_back(m.x1 >> 8);
    return out;
  };
  rec.Clear();
  root.Draw(&gw, 0);
  EXPECT_EQ(pens(), (std::vector<Qlong>{2, 1}));
  rec.Clear();
  root.Draw(&gw, kGrolForward);
  EXPECT_EQ(pens(), (std::vector<Qlong>{1, 2}));
  root.SetGrobFlags(kGrobHidden);
  rec.Clear();
  root.Draw(&gw, 0);
  EXPECT_TRUE(rec.Log().empty());
  root.SetGrobFlags(0);
  root.Children()->SetGrolFlags(kGrobHidden);
  rec.Clear();
  root.Draw(&gw, 0);
  EXPECT_TRUE(rec.Log().empty());
  root.Draw(nullptr, 0);  // no context of its own: nothing
  EXPECT_TRUE(rec.Log().empty());
}

}  // namespace
