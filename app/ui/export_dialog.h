// File/Export...: the current data set or the calibration table as CSV,
// either plot as an SVG image of 1000 x 1000, or a canvas as a bitmap on
// the clipboard.
#pragma once
#include <string>

class cCanvas;
class Fl_Widget;
class Fl_Double_Window;

void OnExportCancel(Fl_Widget* widget, void* window);
void OnExport(Fl_Widget* widget, void* choices);
// The canvas drawn into an FLTK copy surface, which puts it on the
// clipboard as a bitmap.
void CopyCanvasToClipboard(cCanvas* canvas);
// The calibration table's CSV text as the table shows it now.
std::string CalibrationTableText();
// The export dialog now open (tests drive it), or null.
Fl_Double_Window* ExportDialogWindow();
