// The main window: menu bar, status bar, the logo page and the workspace
// with its "Data" and "Calibration" tabs; Close all and quitting.
#pragma once
#include <cstddef>

#include "base/types.h"

class Fl_Widget;
class Fl_Text_Buffer;
class Fl_Menu_Item;

// The accent colour 0x70E000 as an FLTK colour (red 0, green 112, blue 224).
constexpr unsigned kAccentColour = 0x0070E000u;

// The main menu; entries of "&File/Recent files" are inserted at run time.
extern Fl_Menu_Item MainMenuTable[];

Dword BuildMainWindow();
// Shows the main window and runs the event loop; answers Fl::run's value.
Dword RunMainWindow();

void BuildWorkspace();
void AddEvaluationPage();
void GrowItemWidgetTables(Qword count);
// A new text of at most 8192 bytes (delete[] by the caller).
char* MakeDataInfoText(Qword item);
void AppendParameterText(Qword item, char* buffer, size_t capacity, const char* name,
                         const char* label, size_t* position);

void OnDataCounter(Fl_Widget* widget, void* data);
void OnComponentButton(Fl_Widget* button, void* canvas);
void OnCloseAll(Fl_Widget* widget, void* data);
void OnMainWindowClose(Fl_Widget* widget, void* data);
void QuitApplication();
void ForgetWorkspace();

// Removes everything after the last "-\n\n" of a log buffer (the end of its
// header): the reports of an earlier run go.
void ClearLogReports(Fl_Text_Buffer* buffer);

// The logo (390 x 95) and the window icon, drawn from built-in data.
class Fl_Pixmap;
class Fl_RGB_Image;
Fl_Pixmap* NewLogoPixmap();
const Fl_RGB_Image* AppIcon();

// Handlers of the menu entries and buttons of the setup, processing,
// calibration, export and help windows.
void BuildSetupDialog();
void DeleteSetupDialog();
void OnSetupMenu(Fl_Widget* widget, void* data);
void OnRunProcessing(Fl_Widget* widget, void* data);
void OnRunCalibration(Fl_Widget* widget, void* data);
void ShowExportDialog(Fl_Widget* widget, void* data);
void OnManual(Fl_Widget* widget, void* data);
void ShowAboutBox(Fl_Widget* widget, void* data);
