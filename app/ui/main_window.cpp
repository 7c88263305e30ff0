#include "app/ui/main_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Pixmap.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <cstring>

#include "app/ui/app_state.h"
#include "app/ui/canvas.h"
#include "app/ui/commands.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "app/ui/loading.h"
#include "app/ui/menu_shortcuts.h"
#include "app/ui/setup_dialog.h"
#include "app/ui/workspace.h"
#include "command/ky_commands.h"

Fl_Menu_Item MainMenuTable[] = {
    {"&File", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"@fileopen Open Bruker fid...", 0, OnOpenBrukerFid, nullptr, 0, 0, 0, 0, 0},
    {"Recent files", 0, nullptr, nullptr, FL_SUBMENU | FL_MENU_DIVIDER, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"@-1filesaveas Export...", 0, ShowExportDialog, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"@1+ Close all", 0, OnCloseAll, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"Exit", FL_Escape, OnMainWindowClose, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Processing", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"@options Setup...", FL_CTRL + 's', OnSetupMenu, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"@> Run ", FL_CTRL + FL_Enter, OnRunProcessing, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Help", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"@-1filenew Manual", 0, OnManual, nullptr, 0, 0, 0, 0, 0},
    {"@help About...", FL_F + 1, ShowAboutBox, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

Dword BuildMainWindow() {
  AppState& app = App();
  auto* window = new Fl_Double_Window(1000, 700, kAppName);
  app.main_window = window;
  window->size_range(500, 300, 0, 0);
  window->callback(OnMainWindowClose);
  window->icon(AppIcon());
  const int W = window->w(), H = window->h();

  auto* menu = new Fl_Menu_Bar(0, 0, W, 25);
  app.menu_bar = menu;
  menu->box(FL_FLAT_BOX);
  menu->selection_color(kAccentColour);
  menu->menu(MainMenuTable);
  menu->down_box(FL_FLAT_BOX);
  BuildRecentFilesMenu(menu, menu->find_index("&File/Recent files") + 1);

  auto* status = new Fl_Group(0, H - 25, W, 25);
  status->end();
  app.status_bar = status;
  status->box(FL_FLAT_BOX);
  status->align(FL_ALIGN_INSIDE);

  auto* work = new Fl_Group(0, 25, W, H - 50);
  work->end();
  app.work_area = work;
  app.logo = NewLogoPixmap();
  work->image(app.logo);
  work->align(FL_ALIGN_INSIDE);
  // The label holds at most 255 bytes.
  char label[kKyTextCapacity + 32];
  std::snprintf(label, sizeof label, "\n%s (an Norvale application)", app.info.title);
  label[255] = 0;
  work->copy_label(label);
  window->resizable(work);
  window->end();

  BuildSetupDialog();
  InstallMenuShortcutDispatch();
  Fl::option(Fl::OPTION_DND_TEXT, false);
  return app.record != nullptr ? app.record->error : 0;
}

Dword RunMainWindow() {
  if (App().main_window == nullptr) return 0;
  App().main_window->show();
  return static_cast<Dword>(Fl::run());
}

void ForgetWorkspace() {
  AppState& app = App();
  if (app.main_window != nullptr) app.main_window->label(kAppName);
  if (app.work_area != nullptr) {
    // Deleting the canvases destroys their plots.
    app.work_area->clear();
    app.work_area->redraw();
  }
  app.tabs = nullptr;
  app.data_tab = nullptr;
  app.calibration_tab = nullptr;
  app.data_counter = nullptr;
  app.calibration_scroll = nullptr;
  app.calibration_header = nullptr;
  app.calibration_canvas = nullptr;
  app.calibration_log = nullptr;
  app.data_sets.clear();
}

void OnCloseAll(Fl_Widget*, void*) {
  if (App().main_window != nullptr && App().main_window->shown())
    App().main_window->cursor(FL_CURSOR_DEFAULT);
  RunCommand(App().record, kKyCmdFreeData, nullptr);
  ForgetWorkspace();
  if (App().main_window != nullptr) App().main_window->redraw();
}

void OnMainWindowClose(Fl_Widget*, void*) {
  if (AppAsk("Are you sure you want to quit?")) QuitApplication();
}

void QuitApplication() {
  AppState& app = App();
  RunCommand(app.record, kKyCmdFreeData, nullptr);
  ForgetWorkspace();
  if (app.main_window != nullptr) {
    if (app.work_area != nullptr) app.work_area->image(nullptr);
    app.main_window->hide();
    Fl::delete_widget(app.main_window);
  }
  app.main_window = nullptr;
  app.menu_bar = nullptr;
  app.status_bar = nullptr;
  app.work_area = nullptr;
  DeleteSetupDialog();
  delete app.logo;
  app.logo = nullptr;
  app.recent.clear();
}
