// The processing setup: the stored values of both nuclide columns and the
// dialog "Pelorin - Processing Setup" that edits them.
#pragma once
#include <string>

#include "app/core/setup_values.h"

class Fl_Double_Window;
class Fl_Check_Button;
class Fl_Choice;
class cNumberInput;
class Fl_Button;
class Fl_Group;
class Fl_Widget;

// Built once with the main window, deleted when the program quits.
void BuildSetupDialog();
void DeleteSetupDialog();
void OnSetupMenu(Fl_Widget* widget, void* data);

// The dialog's widgets of one column.
struct SetupColumnWidgets {
  Fl_Check_Button* group_delay = nullptr;
  Fl_Check_Button* resize = nullptr;
  Fl_Choice* resize_choice = nullptr;
  Fl_Check_Button* apodization = nullptr;
  Fl_Group* apodization_group = nullptr;
  Fl_Check_Button* cos2 = nullptr;
  cNumberInput* tmax = nullptr;
  Fl_Check_Button* smoothstep = nullptr;
  cNumberInput* smooth_a = nullptr;
  cNumberInput* smooth_n = nullptr;
  Fl_Check_Button* quantify = nullptr;
  Fl_Choice* target = nullptr;
  Fl_Choice* mode = nullptr;
  cNumberInput* from = nullptr;
  cNumberInput* to = nullptr;
};

struct ProcessingSetup {
  Fl_Double_Window* window = nullptr;
  SetupColumnWidgets widgets[kSetupColumns];
  Fl_Button* save = nullptr;
  Fl_Button* close = nullptr;
  Fl_Button* run = nullptr;
  SetupValues values;  // the last loaded or saved state
};

ProcessingSetup& Setup();

// Loads the "Setup:" section (code 139) into the stored values.
void LoadSetup();
// The section's text of the stored values.
std::string FormatSetup();
void SetupToDialog();
// The stored values updated from the widgets into `out`. False with the
// alert text (naming the field) when a typed value is not usable; `out`
// is then unchanged.
bool SetupFromDialog(SetupValues* out, std::string* alert);

void OnSetupSave(Fl_Widget* widget, void* data);
void OnSetupClose(Fl_Widget* widget, void* data);
void OnApodizationCheck(Fl_Widget* widget, void* data);
void OnApodizationPlot(Fl_Widget* widget, void* data);
