// Menu shortcuts with Ctrl (Ctrl+S, Ctrl+Enter) reach the menu first.
// FLTK offers a shortcut to the widget under the mouse and its parents
// before the menu bar, and every group there takes Enter as "move the focus
// down": with the mouse over a page, Ctrl+Enter would only move the focus.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

#include "app/ui/app_state.h"
#include "app/ui/setup_dialog.h"

namespace {

int DispatchMenuFirst(int event, Fl_Window* window) {
  Fl_Menu_Bar* menu = App().menu_bar;
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && (Fl::event_state() & FL_CTRL) &&
      menu != nullptr && window != nullptr && Fl::modal() == nullptr &&
      window->top_window() == static_cast<Fl_Window*>(App().main_window) &&
      menu->menu() != nullptr) {
    const Fl_Menu_Item* item = menu->menu()->test_shortcut();
    if (item != nullptr && item->callback() != nullptr) {
      menu->picked(item);
      return 1;
    }
  }
  // The same in the setup dialog for its "Run" button (Ctrl+Enter).
  Fl_Button* run = Setup().run;
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && (Fl::event_state() & FL_CTRL) &&
      run != nullptr && window != nullptr && Fl::modal() == nullptr &&
      window->top_window() == static_cast<Fl_Window*>(Setup().window) &&
      Fl::test_shortcut(run->shortcut())) {
    run->do_callback();
    return 1;
  }
  return Fl::handle_(event, window);
}

}  // namespace

void InstallMenuShortcutDispatch() { Fl::event_dispatch(DispatchMenuFirst); }
