// The main window: menu bar, status bar and the logo page; Close all and
// quitting. The workspace that replaces the logo page is workspace.h's.
#pragma once
#include "base/types.h"

class Fl_Widget;
class Fl_Menu_Item;
class Fl_Pixmap;
class Fl_RGB_Image;

// The main menu; entries of "&File/Recent files" are inserted at run time.
extern Fl_Menu_Item MainMenuTable[];

Dword BuildMainWindow();
// Shows the main window and runs the event loop; answers Fl::run's value.
Dword RunMainWindow();

void QuitApplication();
void ForgetWorkspace();

// The logo (390 x 95) and the window icon, drawn from built-in data.
Fl_Pixmap* NewLogoPixmap();
const Fl_RGB_Image* AppIcon();
