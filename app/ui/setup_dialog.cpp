#include "app/ui/setup_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Tooltip.H>

#include "app/ui/app_state.h"
#include "app/ui/commands.h"
#include "app/ui/fltk_hooks.h"
#include "app/ui/handlers.h"
#include "app/ui/number_input.h"
#include "command/ky_commands.h"

namespace {

ProcessingSetup g_setup;

const char* const kPointChoices[] = {"Current",
                                     "Double",
                                     "4",
                                     "8",
                                     "16",
                                     "32",
                                     "64",
                                     "128",
                                     "256",
                                     "512",
                                     "1024 (1K)",
                                     "2048 (2K)",
                                     "4096 (4K)",
                                     "8192 (8K)",
                                     "16384 (16K)",
                                     "32768 (32K)",
                                     "65536 (64K)",
                                     "131072 (128k)",
                                     "262144 (256k)",
                                     "524288 (512k)",
                                     "1048576 (1024k)"};

void AddChoices(Fl_Choice* choice, std::initializer_list<const char*> items) {
  // add() reads "/" and "&" as menu syntax; the entries have neither.
  for (const char* item : items) choice->add(item);
}

void BuildColumn(int c) {
  SetupColumnWidgets& w = g_setup.widgets[c];
  auto* group = new Fl_Group(5, 30, 370, 305, kSetupNuclides[c]);
  w.group_delay = new Fl_Check_Button(15, 40, 350, 20, " Correct group delay");
  w.resize = new Fl_Check_Button(15, 65, 350, 20, " Resize");
  w.resize_choice = new Fl_Choice(215, 65, 150, 20);
  for (const char* item : kPointChoices) w.resize_choice->add(item);
  w.apodization = new Fl_Check_Button(15, 90, 350, 20, " Apodization");
  w.apodization->callback(OnApodizationCheck, &w);
  auto* plot = new Fl_Button(215, 90, 150, 20, "Plot");
  plot->tooltip("Plot the apodization function");
  plot->callback(OnApodizationPlot);
  w.apodization_group = new Fl_Group(15, 115, 350, 75);
  w.apodization_group->box(FL_ENGRAVED_FRAME);
  w.cos2 = new Fl_Check_Button(35, 115, 330, 20, " Cos2Tmax");
  w.cos2->tooltip("cos^2(\xCF\x80/2 * t/Tmax)");
  w.tmax = new cNumberInput(215, 115, 150, 20, "Tmax [s] ", cNumberInput::kReal);
  w.smoothstep = new Fl_Check_Button(35, 140, 330, 20, " Smoothstep");
  w.smoothstep->tooltip("Smoothstep: (x/a)^n / (1 + (x/a)^n)");
  w.smooth_a = new cNumberInput(215, 140, 80, 20, "a [s] ", cNumberInput::kReal);
  w.smooth_a->tooltip("Time the signal is halved");
  w.smooth_n = new cNumberInput(325, 140, 40, 20, "n ", cNumberInput::kInteger);
  w.smooth_n->tooltip("Steepness");
  w.apodization_group->end();
  w.quantify = new Fl_Check_Button(15, 165, 350, 20, " Quantification");
  w.target = new Fl_Choice(215, 165, 150, 20, "target ");
  AddChoices(w.target, {"Real", "Magnitude", "Power"});
  w.mode = new Fl_Choice(215, 190, 150, 20, "mode ");
  AddChoices(w.mode, {"Average", "Maximum"});
  w.from = new cNumberInput(215, 215, 50, 20, "from ", cNumberInput::kInteger);
  w.from->tooltip("Index of the first point");
  w.to = new cNumberInput(315, 215, 50, 20, "to ", cNumberInput::kInteger);
  w.to->tooltip("Index of the ending point (negative means last)");
  group->end();
}

void OnSetupRun(Fl_Widget* widget, void* data) { OnRunProcessing(widget, data); }

}  // namespace

ProcessingSetup& Setup() { return g_setup; }

void BuildSetupDialog() {
  if (g_setup.window != nullptr) return;
  // Built once per program: the stored values start from the defaults and
  // then take what the configuration file holds.
  g_setup.values = SetupValues{};
  Fl_Group* const open_group = Fl_Group::current();
  Fl_Group::current(nullptr);
  auto* window = new Fl_Double_Window(380, 400, "Pelorin - Processing Setup");
  window->size_range(380, 400, 380, 400);
  g_setup.window = window;
  auto* tabs = new Fl_Tabs(5, 5, 370, 330);
  Fl_Tooltip::delay(0.1f);
  for (int c = 0; c < kSetupColumns; ++c) BuildColumn(c);
  tabs->end();
  g_setup.save = new Fl_Button(15, 350, 80, 30, "Save");
  g_setup.save->callback(OnSetupSave);
  g_setup.close = new Fl_Button(150, 350, 80, 30, "Close");
  g_setup.close->callback(OnSetupClose);
  g_setup.run = new Fl_Button(285, 350, 80, 30, "Run");
  g_setup.run->shortcut(FL_CTRL + FL_Enter);
  g_setup.run->callback(OnSetupRun);
  window->end();
  window->callback(OnSetupClose);
  Fl_Group::current(open_group);
  LoadSetup();
  SetupToDialog();
}

void DeleteSetupDialog() {
  delete g_setup.window;
  const SetupValues values = g_setup.values;
  g_setup = ProcessingSetup{};
  // The values stay what they were; only the widgets are gone.
  g_setup.values = values;
}

void OnSetupMenu(Fl_Widget*, void*) {
  if (g_setup.window == nullptr) BuildSetupDialog();
  g_setup.window->show();
}

void LoadSetup() {
  KyAppRecord* record = App().record;
  if (record == nullptr) return;
  if (RunQuietCommand(record, kKyCmdReadSetup, nullptr) != 0) return;
  char* text = static_cast<char*>(record->result.pointer);
  if (text == nullptr) return;
  ParseSetupText(text, &g_setup.values);
  ReleaseCommandText(record, text);
}

std::string FormatSetup() { return FormatSetupText(g_setup.values); }

void SetupToDialog() {
  for (int c = 0; c < kSetupColumns; ++c) {
    SetupColumnWidgets& w = g_setup.widgets[c];
    if (w.group_delay == nullptr) continue;
    const SetupColumn& v = g_setup.values.column[c];
    const SetupColumnTexts t = SetupColumnToTexts(v);
    w.group_delay->value(v.do_group_delay);
    w.resize->value(v.do_zero_fill);
    w.resize_choice->value(
        v.zero_fill_choice < kZeroFillChoices ? static_cast<int>(v.zero_fill_choice) : 0);
    w.apodization->value(v.do_apodization);
    w.cos2->value(v.do_cos2);
    w.tmax->value(t.tmax.c_str());
    w.smoothstep->value(v.do_smoothstep);
    w.smooth_a->value(t.smooth_a.c_str());
    w.smooth_n->value(t.smooth_n.c_str());
    w.quantify->value(v.do_quantify);
    w.target->value(v.target <= 2 ? static_cast<int>(v.target) : 0);
    w.mode->value(v.mode <= 1 ? static_cast<int>(v.mode) : 0);
    w.from->value(t.from.c_str());
    w.to->value(t.to.c_str());
  }
  if (g_setup.window != nullptr) g_setup.window->redraw();
}

bool SetupFromDialog(SetupValues* out, std::string* alert) {
  SetupValues v = g_setup.values;
  for (int c = 0; c < kSetupColumns; ++c) {
    const SetupColumnWidgets& w = g_setup.widgets[c];
    if (w.group_delay == nullptr) continue;
    SetupColumn& col = v.column[c];
    col.do_group_delay = w.group_delay->value() ? 1 : 0;
    col.do_zero_fill = w.resize->value() ? 1 : 0;
    col.zero_fill_choice =
        static_cast<Dword>(w.resize_choice->value() < 0 ? 0 : w.resize_choice->value());
    col.do_apodization = w.apodization->value() ? 1 : 0;
    col.do_cos2 = w.cos2->value() ? 1 : 0;
    col.do_smoothstep = w.smoothstep->value() ? 1 : 0;
    col.do_quantify = w.quantify->value() ? 1 : 0;
    col.target = static_cast<Dword>(w.target->value() < 0 ? 0 : w.target->value());
    col.mode = static_cast<Dword>(w.mode->value() < 0 ? 0 : w.mode->value());
    SetupColumnTexts t{w.tmax->value(), w.smooth_a->value(), w.smooth_n->value(), w.from->value(),
                       w.to->value()};
    std::string bad;
    if (!SetupColumnFromTexts(t, &col, &bad)) {
      *alert = SetupFieldAlert(c, bad);
      return false;
    }
  }
  *out = v;
  return true;
}

void OnSetupSave(Fl_Widget*, void*) {
  SetupValues v;
  std::string alert;
  if (!SetupFromDialog(&v, &alert)) {
    AppAlert(alert.c_str());
    return;
  }
  g_setup.values = v;
  const std::string text = FormatSetup();
  // A failed write is reported by the framework's error box.
  RunCommand(App().record, kKyCmdWriteSetup, const_cast<char*>(text.c_str()));
}

void OnSetupClose(Fl_Widget*, void*) {
  if (g_setup.window != nullptr) g_setup.window->hide();
  SetupToDialog();
}

void OnApodizationCheck(Fl_Widget* widget, void* data) {
  auto* w = static_cast<SetupColumnWidgets*>(data);
  if (w == nullptr || w->apodization_group == nullptr) return;
  if (static_cast<Fl_Check_Button*>(widget)->value())
    w->apodization_group->activate();
  else
    w->apodization_group->deactivate();
}

void OnApodizationPlot(Fl_Widget*, void*) { AppAlert("This is to fix."); }
