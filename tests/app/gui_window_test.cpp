// The main window as message 10 builds it: size and minimum size, the menu
// table, the logo page, the workspace tabs, the quit question.
// clang-format off
#include "gui_fixture.h"  // before X11's macros (None, Bool)
// clang-format on
#include <FL/Fl.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Display.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xutil.h>

#include <cstring>
#include <string>

#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/handlers.h"
#include "app/ui/main_window.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/text_log.h"
#include "app/ui/workspace.h"

namespace {

TEST_F(GuiTest, MainWindowHasItsSizeTitleAndMinimumSize) {
  BuildAndShow();
  Fl_Double_Window* w = App().main_window;
  EXPECT_EQ(w->w(), 1000);
  EXPECT_EQ(w->h(), 700);
  EXPECT_STREQ(w->label(), "Pelorin");
  // The minimum size reaches the window manager as the X size hints.
  XSizeHints hints{};
  long supplied = 0;  // Xlib's own type for the supplied-fields mask
  ASSERT_NE(XGetWMNormalHints(fl_display, fl_xid(w), &hints, &supplied), 0);
  EXPECT_TRUE(hints.flags & PMinSize);
  EXPECT_EQ(hints.min_width, 500);
  EXPECT_EQ(hints.min_height, 300);
  EXPECT_EQ(App().menu_bar->h(), 25);
  EXPECT_EQ(App().status_bar->y(), 675);
  EXPECT_EQ(App().work_area->y(), 25);
  EXPECT_EQ(App().work_area->h(), 650);
  EXPECT_EQ(w->resizable(), App().work_area);
  EXPECT_EQ(App().menu_bar->selection_color(), fl_rgb_color(0, 0x70, 0xE0));
}

struct MenuRow {
  const char* path;
  int shortcut;
  bool has_callback;
};

TEST_F(GuiTest, MenuTableHasTheLabelsShortcutsAndHandlers) {
  BuildAndShow();
  const MenuRow rows[] = {
      {"&File/@fileopen Open Bruker fid...", 0, true},
      {"&File/Recent files", 0, false},
      {"&File/@-1filesaveas Export...", 0, true},
      {"&File/@1+ Close all", 0, true},
      {"&File/Exit", FL_Escape, true},
      {"&Processing/@options Setup...", FL_CTRL + 's', true},
      {"&Processing/@> Run ", FL_CTRL + FL_Enter, true},
      {"&Help/@-1filenew Manual", 0, true},
      {"&Help/@help About...", FL_F + 1, true},
  };
  Fl_Menu_Bar* menu = App().menu_bar;
  for (const MenuRow& row : rows) {
    const int index = menu->find_index(row.path);
    ASSERT_GE(index, 0) << row.path;
    const Fl_Menu_Item& item = menu->menu()[index];
    EXPECT_EQ(item.shortcut(), row.shortcut) << row.path;
    EXPECT_EQ(item.callback() != nullptr, row.has_callback) << row.path;
  }
  EXPECT_EQ(FL_Escape, 0xFF1B);
  EXPECT_EQ(FL_CTRL + 's', 0x40073);
  EXPECT_EQ(FL_CTRL + FL_Enter, 0x4FF0D);
  EXPECT_EQ(FL_F + 1, 0xFFBE);
  // Recent files is a submenu with a divider after it; empty without a
  // configuration file.
  const int recent = menu->find_index("&File/Recent files");
  EXPECT_TRUE(menu->menu()[recent].flags & FL_SUBMENU);
  EXPECT_TRUE(menu->menu()[recent].flags & FL_MENU_DIVIDER);
  EXPECT_EQ(menu->menu()[recent + 1].label(), nullptr);
}

TEST_F(GuiTest, LogoPageShowsTheLogoAndTheTitleLabel) {
  BuildAndShow();
  Fl_Group* work = App().work_area;
  ASSERT_NE(work->image(), nullptr);
  EXPECT_EQ(work->image()->w(), 390);
  EXPECT_EQ(work->image()->h(), 95);
  EXPECT_STREQ(work->label(), "\nPelorin 1.0.483 (an Norvale application)");
  EXPECT_EQ(App().tabs, nullptr);
  EXPECT_EQ(work->children(), 0);
  // The logo's blue is on the screen.
  Pump(10);
  App().main_window->make_current();
  const int w = work->w(), h = work->h();
  std::string pixels(static_cast<size_t>(w) * h * 3, '\0');
  fl_read_image(reinterpret_cast<uchar*>(&pixels[0]), work->x(), work->y(), w, h);
  int blue = 0;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    if (static_cast<uchar>(pixels[i]) == 0x2B && static_cast<uchar>(pixels[i + 1]) == 0x42 &&
        static_cast<uchar>(pixels[i + 2]) == 0x94)
      ++blue;
  EXPECT_GT(blue, 500);
}

TEST_F(GuiTest, EscapeAsksAndOnlyYesQuits) {
  BuildAndShow();
  Scripted().answers = {0};
  PressKey(FL_Escape);
  Pump();
  ASSERT_EQ(Scripted().messages.size(), 1u);
  EXPECT_EQ(Scripted().messages[0], "Are you sure you want to quit?");
  EXPECT_EQ(Scripted().types[0], kUiQuestionYesNo);
  ASSERT_NE(App().main_window, nullptr);
  EXPECT_TRUE(App().main_window->shown());

  Scripted().answers = {1};
  PressKey(FL_Escape);
  Pump();
  EXPECT_EQ(Scripted().messages.size(), 2u);
  EXPECT_EQ(App().main_window, nullptr);
  EXPECT_EQ(App().menu_bar, nullptr);
  EXPECT_EQ(App().logo, nullptr);
  // No window is left, so the event loop would end.
  EXPECT_EQ(Fl::first_window(), nullptr);
}

TEST_F(GuiTest, WorkspaceHasTheDataAndCalibrationTabs) {
  BuildAndShow();
  BuildWorkspace();
  Pump();
  ASSERT_NE(App().tabs, nullptr);
  ASSERT_EQ(App().tabs->children(), 2);
  EXPECT_STREQ(App().tabs->child(0)->label(), "Data");
  EXPECT_STREQ(App().tabs->child(1)->label(), "Calibration");
  EXPECT_EQ(App().tabs->selection_color(), fl_rgb_color(0, 0x70, 0xE0));
  ASSERT_NE(App().data_counter, nullptr);
  EXPECT_EQ(App().data_counter->value(), 1.0);
  ASSERT_NE(App().calibration_canvas, nullptr);
  EXPECT_EQ(App().calibration_canvas->window_id, 0x10000000000ull);
  EXPECT_EQ(App().calibration_canvas->display_flags, 0x70000u);
  EXPECT_EQ(App().calibration_canvas->readout_box, App().status_bar);
  // The canvas is inset by 2 at the left, top and right of its group; its
  // height is the group's less 2, so it reaches the group's bottom edge.
  const Fl_Widget* canvas = App().calibration_canvas;
  const Fl_Group* group = canvas->parent();
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(canvas->x(), group->x() + 2);
  EXPECT_EQ(canvas->y(), group->y() + 2);
  EXPECT_EQ(canvas->w(), group->w() - 4);
  EXPECT_EQ(canvas->h(), group->h() - 2);
  ASSERT_NE(App().calibration_log, nullptr);
  char* text = App().calibration_log->buffer()->text();
  EXPECT_STREQ(text,
               " ---------------------------\n Calibration Log and Results\n"
               " ---------------------------\n\n");
  free(text);

  // Close all goes back to the logo page without closing the window.
  const int close = App().menu_bar->find_index("&File/@1+ Close all");
  ASSERT_GE(close, 0);
  App().menu_bar->picked(&App().menu_bar->menu()[close]);
  Pump();
  EXPECT_EQ(App().tabs, nullptr);
  EXPECT_EQ(App().calibration_canvas, nullptr);
  EXPECT_EQ(App().work_area->children(), 0);
  EXPECT_NE(App().main_window, nullptr);
  EXPECT_TRUE(Scripted().messages.empty());
}

}  // namespace
