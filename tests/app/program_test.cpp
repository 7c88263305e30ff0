// The real program as a user starts it: in a folder of its own with a
// configuration listing recent files, on the test's X display, driven with
// xdotool and looked at through screenshots of the screen.
// clang-format off
#include <gtest/gtest.h>  // before X11's macros (None, Bool)
// clang-format on
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/program_driver.h"

namespace {

bool Have(const char* program) {
  std::string out;
  return RunProgram({"sh", "-c", std::string("command -v ") + program}, &out) == 0 && !out.empty();
}

std::string WindowName(const std::string& id) {
  std::string out;
  RunProgram({"xdotool", "getwindowname", id}, &out, 10);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// The names of the visible windows that have one (the display holds only
// the program's windows).
std::vector<std::string> NamedWindows() {
  std::vector<std::string> names;
  for (const std::string& id : Windows(".*")) {
    const std::string name = WindowName(id);
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// Waits for a visible window whose name is none of `known`; its name.
std::string WaitForOtherWindow(const std::vector<std::string>& known, int seconds = 20) {
  std::string found;
  WaitUntil(
      [&] {
        for (const std::string& name : NamedWindows()) {
          bool is_known = false;
          for (const std::string& k : known) is_known = is_known || name == k;
          if (!is_known) {
            found = name;
            return true;
          }
        }
        return false;
      },
      seconds);
  return found;
}

// Keys go in order into the program's event queue, and a menu handles the
// keys that follow the one that opened it; a key meant for a new window is
// sent once the window is mapped.
void Key(const std::string& key) { RunProgram({"xdotool", "key", "--clearmodifiers", key}); }

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A screenshot of the whole screen, 8 bits per channel.
struct Shot {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
  int Count(unsigned r, unsigned g, unsigned b, int x0 = 0, int y0 = 0, int x1 = -1,
            int y1 = -1) const {
    if (x1 < 0) x1 = w;
    if (y1 < 0) y1 = h;
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        n += p[0] == r && p[1] == g && p[2] == b;
      }
    return n;
  }
  void SavePpm(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << w << " " << h << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  }
};

Shot Screenshot() {
  Shot shot;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return shot;
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* image =
      XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image != nullptr) {
    shot.w = image->width;
    shot.h = image->height;
    shot.rgb.resize(static_cast<size_t>(shot.w) * shot.h * 3);
    for (int y = 0; y < shot.h; ++y)
      for (int x = 0; x < shot.w; ++x) {
        const auto pixel = XGetPixel(image, x, y);
        unsigned char* p = &shot.rgb[(static_cast<size_t>(y) * shot.w + x) * 3];
        p[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
        p[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
        p[2] = static_cast<unsigned char>(pixel & image->blue_mask);
      }
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return shot;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display (run under xvfb_run.sh)";
    if (!Have("xdotool")) GTEST_SKIP() << "xdotool is not installed (tools/install-deps.sh)";
    char folder[] = "/tmp/pelorin-program-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    // The program keeps its configuration beside itself: a copy in a folder
    // of its own keeps the test's file away from the build.
    ASSERT_EQ(RunProgram({"cp", PELORIN_PROGRAM, folder_ + "/pelorin"}), 0);
  }
  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (!folder_.empty()) RunProgram({"rm", "-rf", folder_});
  }
  // Starts the program with `home` as the home folder (the Bruker reader's
  // file chooser opens there) and waits for its start page to be drawn.
  void Start(const std::string& home = "") {
    std::string program = folder_ + "/pelorin";
    char* argv[] = {program.data(), nullptr};
    std::vector<std::string> env_texts;
    for (char** e = environ; *e != nullptr; ++e)
      if (home.empty() || std::strncmp(*e, "HOME=", 5) != 0) env_texts.push_back(*e);
    if (!home.empty()) env_texts.push_back("HOME=" + home);
    std::vector<char*> env;
    for (std::string& t : env_texts) env.push_back(t.data());
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    const int started = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(started, 0);
    ASSERT_TRUE(WaitForWindows("^Pelorin$", 1)) << "the main window did not appear";
    main_ = Windows("^Pelorin$").front();
    Park();
    // The logo's blue on the start page.
    ASSERT_TRUE(WaitUntil([] { return Screenshot().Count(0x2B, 0x42, 0x94) > 500; }))
        << "the start page was not drawn";
  }
  // Waits for the program to end; its exit code, or -1 after the timeout.
  int Exit(int seconds = 20) {
    int code = -1;
    WaitUntil(
        [&] {
          int status = 0;
          if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
          pid_ = 0;
          code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
          return true;
        },
        seconds);
    return code;
  }
  // Esc, the quit question, Yes: the program ends with exit code 0.
  void Quit() {
    Key("Escape");
    ASSERT_TRUE(WaitForWindows("^Pelorin$", 2, 10)) << "no quit question";
    Key("Return");
    EXPECT_EQ(Exit(), 0);
  }
  // Keys go to the window under the pointer. A canvas is a window of its
  // own that goes when its page is hidden: a key sent over it while the
  // program is busy would be lost with it. The pointer waits over the menu
  // bar's empty right end, where no menu drops down.
  void Park() { RunProgram({"xdotool", "mousemove", "--window", main_, "990", "12"}); }
  // The About box (F1) opened and closed: the program has handled every
  // event sent before. False when it did not open (a box holds the program).
  bool Settle() {
    Key("F1");
    if (!WaitForWindows("^About$", 1, 10)) return false;
    Key("Escape");
    return WaitForFewerWindows("^About$", 0, 10);
  }
  std::string folder_;
  std::string main_;  // the main window's id
  pid_t pid_ = 0;
};

std::string Sample(const char* name) {
  return std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker/" + name;
}

// Dark red pixels (the real part's curve) inside the main window's lower
// right part, where the canvas of the data page sits.
int CurvePixels(const Shot& shot) { return shot.Count(0xC0, 0x00, 0x00, 320, 100, 1000, 700); }

// Waits until two screenshots in a row are the same: the program has
// drawn what its last action changed and waits for the next event.
bool WaitForStillScreen(int seconds = 20) {
  Shot last = Screenshot();
  return WaitUntil(
      [&] {
        Shot now = Screenshot();
        const bool still = now.rgb == last.rgb;
        last = std::move(now);
        return still;
      },
      seconds);
}

bool WaitForCurve() {
  return WaitUntil([] { return CurvePixels(Screenshot()) > 200; });
}

TEST_F(ProgramTest, OpensRecentFilesShowsTheDecayReportsAFailedLoadAndQuitsWithZero) {
  const std::string missing = folder_ + "/gone/1/fid";
  std::ofstream(folder_ + "/Pelorin.config", std::ios::binary)
      << "KyApp Configuration\r\n\r\nRecent files:\r\n\"" << Sample("si29_c1") << "/fid\"8\r\n\""
      << missing << "\"8\r\n";
  Start();
  // No curve on the start page.
  EXPECT_EQ(CurvePixels(Screenshot()), 0);

  // Alt+F, down to Recent files, into it, the first entry.
  Key("alt+f");
  Key("Down");
  Key("Down");
  Key("Right");
  Key("Return");
  EXPECT_TRUE(WaitForCurve()) << "no decay drawn after opening the recent file";
  Screenshot().SavePpm(folder_ + "/loaded.ppm");
  EXPECT_EQ(Windows("^Pelorin$").size(), 1u) << "an error box after loading a sample";

  // The second entry is gone: the load fails with the framework's error box
  // (a second window of the program), and the data page stays.
  Key("alt+f");
  Key("Down");
  Key("Down");
  Key("Right");
  Key("Down");
  Key("Return");
  ASSERT_TRUE(WaitForWindows("^Pelorin$", 2, 10)) << "no error box after the failed load";
  Key("Return");
  ASSERT_TRUE(WaitForFewerWindows("^Pelorin$", 1, 10));
  EXPECT_EQ(Windows("^Pelorin$").size(), 1u);
  EXPECT_GT(CurvePixels(Screenshot()), 200);

  Quit();
  // The configuration lists the loaded file first, the missing one after.
  EXPECT_EQ(FileBytes(folder_ + "/Pelorin.config"),
            "KyApp Configuration\r\n\r\nRecent files:\r\n\"" + Sample("si29_c1") + "/fid\"8\r\n\"" +
                missing + "\"8\r\n");
}

const char kOpenDialog[] = "^Specify an existing Bruker data file$";

TEST_F(ProgramTest, TheFileChooserOpensATypedFid) {
  // A copy of a sample folder as the home folder: the chooser opens there
  // (and FLTK keeps its preferences there, away from the sources).
  const std::string home = folder_ + "/si29_c2";
  ASSERT_EQ(RunProgram({"cp", "-r", Sample("si29_c2"), home}), 0);
  Start(home);
  // File/Open Bruker fid...: the chooser opens in the home folder with its
  // name field focused.
  Key("alt+f");
  Key("Down");
  Key("Return");
  ASSERT_TRUE(WaitForWindows(kOpenDialog, 1, 10)) << "no file chooser";
  RunProgram({"xdotool", "type", "--delay", "50", "fid"});
  Key("Return");
  EXPECT_TRUE(WaitForCurve()) << "no decay drawn after choosing the fid";
  const std::string entry = "\"" + home + "/fid\"8";
  EXPECT_TRUE(WaitUntil([&] {
    return FileBytes(folder_ + "/Pelorin.config").find(entry) != std::string::npos;
  })) << FileBytes(folder_ + "/Pelorin.config");
  Quit();
}

TEST_F(ProgramTest, CancellingTheOpenDialogShowsNoBox) {
  Start(folder_);
  Key("alt+f");
  Key("Down");
  Key("Return");
  ASSERT_TRUE(WaitForWindows(kOpenDialog, 1, 10)) << "no file chooser";
  Key("Escape");
  ASSERT_TRUE(WaitForFewerWindows(kOpenDialog, 0, 10)) << "the chooser stayed";
  EXPECT_TRUE(Settle()) << "the program does not answer: a box is open";
  // No window but the main one is mapped.
  EXPECT_EQ(NamedWindows(), std::vector<std::string>{"Pelorin"});
  EXPECT_EQ(Windows("^Pelorin$"), std::vector<std::string>{main_});
  Quit();
}

TEST_F(ProgramTest, NoAtTheQuitQuestionKeepsTheProgramRunning) {
  Start();
  Key("Escape");
  ASSERT_TRUE(WaitForWindows("^Pelorin$", 2, 10));
  Key("Escape");  // the question's No
  ASSERT_TRUE(WaitForFewerWindows("^Pelorin$", 1, 10)) << "the question stayed";
  EXPECT_TRUE(Settle()) << "the program does not answer after No";
  int status = 0;
  EXPECT_EQ(waitpid(pid_, &status, WNOHANG), 0) << "the program ended after No";
  EXPECT_EQ(Windows("^Pelorin$").size(), 1u);
  Quit();
}

}  // namespace

namespace {

// Clicks at a point of a window (window coordinates).
void ClickIn(const std::string& window, int x, int y) {
  RunProgram({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y),
              "click", "1"});
}

// The whole road as a user takes it: five 29Si samples loaded, Ctrl+Enter,
// the standards' concentrations typed, Run Calibration, the calibration
// table exported as CSV and compared with the manifest.
TEST_F(ProgramTest, LoadsProcessesCalibratesAndExportsTheCalibrationTable) {
  // Recent files, newest first: the fifth entry is always the next sample.
  std::ofstream config(folder_ + "/Pelorin.config", std::ios::binary);
  config << "KyApp Configuration\r\n\r\nRecent files:\r\n";
  for (int c = 5; c >= 1; --c)
    config << "\"" << Sample(("si29_c" + std::to_string(c)).c_str()) << "/fid\"8\r\n";
  config.close();
  Start(folder_);
  for (int i = 0; i < 5; ++i) {
    Key("alt+f");
    Key("Down");
    Key("Down");
    Key("Right");
    for (int k = 0; k < 4; ++k) Key("Down");
    Key("Return");
    // A loaded file becomes the newest recent file.
    const std::string newest =
        "Recent files:\r\n\"" + Sample(("si29_c" + std::to_string(i + 1)).c_str()) + "/fid\"8";
    ASSERT_TRUE(WaitUntil([&] {
      return FileBytes(folder_ + "/Pelorin.config").find(newest) != std::string::npos;
    })) << "sample "
        << i + 1 << " was not loaded";
    // Keys that come while the load is still being handled can be lost.
    ASSERT_TRUE(WaitForStillScreen());
  }
  EXPECT_EQ(Windows("^Pelorin$").size(), 1u) << "an error box while loading";
  // Over the decay's plot, where a group would take Enter for itself.
  RunProgram({"xdotool", "mousemove", "--window", main_, "640", "400"});
  RunProgram({"xdotool", "mousemove", "--window", main_, "650", "410"});
  Key("ctrl+Return");
  Park();
  EXPECT_TRUE(Settle()) << "the program does not answer after Run Processing";
  EXPECT_EQ(Windows("^Pelorin$").size(), 1u) << "an error box after Run Processing";
  // The Calibration tab, then each C in field (rows 20 pixels apart).
  ClickIn(main_, 90, 38);
  for (int i = 0; i < 5; ++i) {
    ClickIn(main_, 90, 134 + 20 * i);
    RunProgram({"xdotool", "type", "--delay", "50", std::to_string(i + 1)});
  }
  // "Run Calibration".
  ClickIn(main_, 80, 74);
  EXPECT_TRUE(Settle()) << "the program does not answer after Run Calibration";
  EXPECT_EQ(Windows("^Pelorin$").size(), 1u) << "an alert after Run Calibration";
  // File/Export...: the dialog starts on the calibration table as CSV.
  Key("alt+f");
  Key("Down");
  Key("Down");
  Key("Down");
  Key("Return");
  ASSERT_TRUE(WaitForWindows("^Pelorin - Export$", 1, 10));
  Key("Return");
  // The file chooser of the export.
  ASSERT_FALSE(WaitForOtherWindow({"Pelorin", "Pelorin - Export"}).empty()) << "no file chooser";
  RunProgram({"xdotool", "type", "--delay", "50", "calibration.csv"});
  Key("Return");
  const std::string csv = folder_ + "/calibration.csv";
  // The header and five rows, each ended by CR LF.
  EXPECT_TRUE(WaitUntil([&] {
    const std::string bytes = FileBytes(csv);
    size_t lines = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
      ++lines;
    return lines >= 6;
  })) << FileBytes(csv);
  std::string out;
  const int rc =
      RunProgram({"/usr/bin/python3", "-c",
                  "import csv,sys\n"
                  "rows=list(csv.reader(open(sys.argv[1],newline='')))\n"
                  "man={r['folder']:r for r in csv.DictReader(open(sys.argv[2]))}\n"
                  "assert rows[0]==['Select','Folder','C in [%]',' Q','C out [%]'], rows[0]\n"
                  "assert len(rows)==6, rows\n"
                  "for i,r in enumerate(rows[1:]):\n"
                  "  m=man['si29_c%d'%(i+1)]\n"
                  "  assert r[0]=='1' and r[1].endswith('/si29_c%d/'%(i+1)) and r[2]==str(i+1), r\n"
                  "  q=float(m['quantity']); c=float(m['concentration_out'])\n"
                  "  assert abs(float(r[3])-q)<=1e-5*q, (r, q)\n"
                  "  assert abs(float(r[4])-c)<=1e-4*c, (r, c)\n"
                  "print('ok')",
                  csv, std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker/manifest.csv"},
                 &out);
  EXPECT_EQ(rc, 0) << out;
  EXPECT_EQ(out, "ok\n");

  // The calibration plot as a bitmap on the clipboard, read by another
  // program while this one runs: a BMP of the canvas's size.
  if (Have("xclip")) {
    ASSERT_TRUE(WaitForFewerWindows("^Pelorin - Export$", 0, 10));
    Key("alt+f");
    Key("Down");
    Key("Down");
    Key("Down");
    Key("Return");
    ASSERT_TRUE(WaitForWindows("^Pelorin - Export$", 1, 10));
    const std::string dialog = Windows("^Pelorin - Export$").front();
    ClickIn(dialog, 215, 60);  // the destination choice
    Key("Down");
    Key("Down");
    Key("Return");
    Key("Return");  // Export
    std::string bmp;
    WaitUntil(
        [&] {
          RunProgram({"xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"}, &bmp, 10);
          return bmp.size() > 54;
        },
        10);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    auto word = [&](size_t at) {
      return static_cast<int>(static_cast<unsigned char>(bmp[at]) |
                              static_cast<unsigned char>(bmp[at + 1]) << 8 |
                              static_cast<unsigned char>(bmp[at + 2]) << 16 |
                              static_cast<unsigned char>(bmp[at + 3]) << 24);
    };
    // The calibration canvas of the 1000 x 700 window: right of the
    // 300-pixel table, below the menu and status bars (25 each), the tabs'
    // 2-pixel gap and 25-pixel labels and the 40-pixel button row, less the
    // frame of its group: 2 on each side, 2 in height (the canvas reaches
    // the group's bottom edge).
    EXPECT_EQ(word(18), 1000 - 300 - 4);
    EXPECT_EQ(std::abs(word(22)), 700 - 25 - 25 - 2 - 25 - 40 - 2);
    ASSERT_TRUE(WaitForFewerWindows("^Pelorin - Export$", 0, 10));
  }
  Quit();
}

}  // namespace

namespace {

// The user's guide is built beside the program and speaks of every menu
// entry.
TEST(UserGuide, BesideTheProgramAndCoversEveryMenuEntry) {
  std::string program = PELORIN_PROGRAM;
  const std::string guide = program.substr(0, program.rfind('/')) + "/Pelorin_UserGuide.html";
  std::ifstream in(guide, std::ios::binary);
  ASSERT_TRUE(in.good()) << guide;
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string html = bytes.str();
  for (const char* entry : {"File", "Open Bruker fid...", "Recent files", "Export...", "Close all",
                            "Exit", "Processing", "Setup...", "Run", "Help", "Manual", "About...",
                            "Run Calibration", "Load data..."})
    EXPECT_NE(html.find(entry), std::string::npos) << entry;
  // Well formed enough for Python's HTML parser to read to the end.
  std::string out;
  EXPECT_EQ(RunProgram({"/usr/bin/python3", "-c",
                        "import sys,html.parser\n"
                        "class P(html.parser.HTMLParser):\n"
                        "  open=[]\n"
                        "  def handle_starttag(s,t,a):\n"
                        "    if t not in ('meta',): s.open.append(t)\n"
                        "  def handle_endtag(s,t):\n"
                        "    assert s.open.pop()==t, t\n"
                        "p=P(); p.feed(open(sys.argv[1]).read()); assert not p.open, p.open\n"
                        "print('ok')",
                        guide},
                       &out),
            0);
  EXPECT_EQ(out, "ok\n");
}

}  // namespace
