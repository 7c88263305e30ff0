// The callbacks of the menu entries and buttons, declared apart from the
// windows that hold them, so that a window names its handlers without
// reaching into the files that define them.
#pragma once

class Fl_Widget;

void OnOpenBrukerFid(Fl_Widget* widget, void* data);
void OnCloseAll(Fl_Widget* widget, void* data);
void OnMainWindowClose(Fl_Widget* widget, void* data);
void OnSetupMenu(Fl_Widget* widget, void* data);
void OnRunProcessing(Fl_Widget* widget, void* data);
void OnRunCalibration(Fl_Widget* widget, void* data);
void ShowExportDialog(Fl_Widget* widget, void* data);
void OnManual(Fl_Widget* widget, void* data);
void ShowAboutBox(Fl_Widget* widget, void* data);
