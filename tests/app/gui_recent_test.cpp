// The Recent files submenu: built from the configuration file at start-up,
// newest first, one entry per path, labels cut for display while the real
// path stays with the entry.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>

#include <string>
#include <vector>

#include "app/ui/app_state.h"
#include "app/ui/loading.h"

namespace {

struct Entry {
  std::string label;
  std::string path;
  Qword type;
};

std::vector<Entry> RecentEntries() {
  std::vector<Entry> out;
  Fl_Menu_Bar* menu = App().menu_bar;
  int i = menu->find_index("&File/Recent files") + 1;
  for (; menu->menu()[i].label() != nullptr; ++i) {
    const auto* e = static_cast<const RecentEntry*>(menu->menu()[i].user_data());
    out.push_back({menu->menu()[i].label(), e ? e->path : "", e ? e->data_type : 0});
    EXPECT_EQ(menu->menu()[i].callback(), OnRecentFile);
  }
  return out;
}

std::string Config(const std::string& section) {
  return "KyApp Configuration\r\n\r\nRecent files:\r\n" + section;
}

TEST_F(GuiTest, RecentFilesComeFromTheConfigurationInItsOrder) {
  WriteConfig(Config("\"/data/b\"8\r\n\"/data/a\"8\r\n\"/data/c.csv\"10\r\n\"/data/d\"8\r\n"));
  BuildAndShow();
  const std::vector<Entry> entries = RecentEntries();
  ASSERT_EQ(entries.size(), 3u);  // the type-10 entry is not offered
  EXPECT_EQ(entries[0].path, "/data/b");
  EXPECT_EQ(entries[1].path, "/data/a");
  EXPECT_EQ(entries[2].path, "/data/d");
  for (const Entry& e : entries) EXPECT_EQ(e.type, 8u);
  // The menu shows the path itself, slashes and all, not nested submenus.
  EXPECT_EQ(entries[0].label, "/data/b");
  EXPECT_GE(App().menu_bar->find_index("&File/Exit"), 0);
}

TEST_F(GuiTest, SectionNotStartingWithAQuoteGivesAnEmptySubmenu) {
  WriteConfig("KyApp Configuration\r\n\r\nSetup:\r\nDoApo 1 1\r\n");
  BuildAndShow();
  EXPECT_TRUE(RecentEntries().empty());
}

TEST_F(GuiTest, LongPathsGetACutLabelAndKeepTheirWholePath) {
  const std::string deep = "/data/" + std::string(3000, 'x') + "/expno/10";
  const std::string deep2 = "/data/" + std::string(3000, 'x') + "/other/10";
  const std::string odd = "/data/R&D/fid \\ one";
  WriteConfig(Config("\"" + deep + "\"8\r\n\"" + deep2 + "\"8\r\n\"" + odd + "\"8\r\n"));
  BuildAndShow();  // a 1024-byte label would abort inside FLTK
  const std::vector<Entry> entries = RecentEntries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].path, deep);
  EXPECT_EQ(entries[1].path, deep2);
  EXPECT_LE(entries[0].label.size(), kRecentLabelMax);
  EXPECT_EQ(entries[0].label.substr(0, 6), "/data/");
  EXPECT_NE(entries[0].label.find("..."), std::string::npos);
  EXPECT_EQ(entries[0].label.substr(entries[0].label.size() - 9), "/expno/10");
  EXPECT_NE(entries[0].label, entries[1].label);
  // An ampersand is shown as one, not taken as a shortcut mark.
  EXPECT_EQ(entries[2].path, odd);
  EXPECT_EQ(entries[2].label, "/data/R&&D/fid \\ one");
}

struct LabelCase {
  std::string path;
  std::string label;
};

TEST(RecentLabel, LabelsAreCutInTheMiddleAndEscaped) {
  const std::string a200(200, 'a');
  const LabelCase cases[] = {
      {"/short/path", "/short/path"},
      {"relative/path\\x", "relative\\/path\\\\x"},
      {"/" + a200 + "/tail", "/" + std::string(42, 'a') + "..." + std::string(38, 'a') + "/tail"},
      // A cut never splits a UTF-8 character (each é is two bytes).
      {"/" + std::string(41, 'a') + "\xC3\xA9\xC3\xA9" + std::string(100, 'b'),
       "/" + std::string(41, 'a') + "..." + std::string(43, 'b')},
  };
  for (const LabelCase& c : cases) EXPECT_EQ(RecentMenuLabel(c.path), c.label) << c.path;
}

TEST_F(GuiTest, ALoadedFileGoesToTheTopOnceAndOtherTypesStayOut) {
  WriteConfig(Config("\"/data/b\"8\r\n\"/data/a\"8\r\n"));
  BuildAndShow();
  AddRecentFileToMenu(App().menu_bar, "/data/a", 8);
  AddRecentFileToMenu(App().menu_bar, "/data/new", 8);
  AddRecentFileToMenu(App().menu_bar, "/data/x.csv", 10);
  AddRecentFileToMenu(App().menu_bar, "/data/new", 8);
  const std::vector<Entry> entries = RecentEntries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].path, "/data/new");
  EXPECT_EQ(entries[1].path, "/data/a");
  EXPECT_EQ(entries[2].path, "/data/b");
  EXPECT_EQ(App().recent.size(), 3u);  // removed entries are released
}

}  // namespace
