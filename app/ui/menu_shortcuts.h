// Menu shortcuts with Ctrl go to the main menu before the widgets under the
// mouse (see menu_shortcuts.cpp).
#pragma once

void InstallMenuShortcutDispatch();
