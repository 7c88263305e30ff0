// The menus of the console front end and the handlers that are one command
// each: loading, synthetic data, dropping, evaluating, exporting, the task
// setup, utilities and help.
#include <string>

#include "base/console_menu.h"
#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/platform/c_number.h"
#include "command/console_app.h"
#include "command/lib_command.h"
#include "data_engine/ky_data.h"
#include "nmrphys/console/con_physics.h"

namespace {

KyAppRecord* RecordOf(void* context) { return static_cast<KyAppRecord*>(context); }

// One command with its argument; the command's error.
Dword Command(KyAppRecord* record, Dword code, void* argument) {
  record->argument = argument;
  LibCommand(code, record);
  return record->error;
}

// A sub-menu handler: the menu of the table over the record; 0 after it.
LibErrorCode SubMenu(const ConMenuItem* table, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  ConMenuOfTable(table, record);
  return 0;
}

// A task script line, with its success text.
LibErrorCode RunTask(KyAppRecord* record, const char* script, const char* success) {
  const Dword error = Command(record, kKyCmdRunTaskScript, const_cast<char*>(script));
  if (error == 0) CoutA(success);
  return error;
}

std::u16string Utf16Of(const char* ascii) {
  std::u16string text;
  for (; *ascii; ++ascii) text.push_back(static_cast<unsigned char>(*ascii));
  return text;
}

}  // namespace

const ConMenuItem kConAppMainMenu[] = {{u"\t Main MENU:", nullptr, kConMenuClear},
                                       {u"l Load a data file", ConAppLoadMenu, 0},
                                       {u"d Drop current data", ConAppDropData, 0},
                                       {u"s Select data to evaluate", ConAppSelectMenu, 0},
                                       {u"e Evaluate selected data", ConAppEvaluate, 0},
                                       {u"t evaluation Task setup", ConAppTaskSetup, 0},
                                       {u"x eXport/eXtract data", ConAppExportMenu, 0},
                                       {u"u Utilities", ConAppUtilitiesMenu, 0},
                                       {u"h Help (manual)", ConAppHelpMenu, 0},
                                       {nullptr, nullptr, 0}};

const ConMenuItem kConAppLoadMenu[] = {
    {u"\n\t Load Data MENU:", nullptr, kConMenuOnce | kConMenuNoWait},
    {u"s Stelar file", ConAppLoadFile, 5},
    {u"r Resonance Systems file", ConAppLoadFile, 6},
    {u"o Oxford Instruments file", ConAppLoadFile, 7},
    {u"y Generate synthetic data", ConAppGenerateSynthetic, 0},
    {nullptr, nullptr, 0}};

const ConMenuItem kConAppSelectionMenu[] = {
    {u"\n\t Data Selection MENU:", nullptr, kConMenuOnce | kConMenuNoWait},
    {u"a Select all data", ConAppEditSelection, 2},
    {u"u Unselect all data", ConAppEditSelection, 3},
    {u"e Edit (select/unselect) data selection", ConAppEditSelection, 1},
    {u"v View data selection", ConAppEditSelection, 4},
    {nullptr, nullptr, 0}};

const ConMenuItem kConAppExportMenu[] = {
    {u"\n\t Export/Extract Data MENU:", nullptr, kConMenuOnce | kConMenuNoWait},
    {u"s Export selected data as a Stelar file", ConAppExportStelar, 0},
    {u"b Display a data block", ConAppShowBlock, 0},
    {nullptr, nullptr, 0}};

const ConMenuItem kConAppUtilitiesMenu[] = {
    {u"\n\t Utilities MENU:", nullptr, kConMenuOnce | kConMenuNoWait},
    {u"c NMR calculator", ConAppNmrCalculator, 0},
    {u"w Launch your web-browser", ConAppOpenLink, 0},
    {nullptr, nullptr, 0}};

const ConMenuItem kConAppHelpMenu[] = {{u"\n\t Help MENU:", nullptr, kConMenuOnce | kConMenuNoWait},
                                       {u"m Con manual", ConAppOpenManual, 0},
                                       {u"w Win manual", ConAppOpenManual, 1},
                                       {u"l Dll manual", ConAppOpenManual, 2},
                                       {u"v Visit our website", ConAppOpenLink, 1},
                                       {u"e Write us an e-mail", ConAppOpenLink, 2},
                                       {nullptr, nullptr, 0}};

LibErrorCode ConAppMainMenu(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  ConAppSetTitle(0, record);
  return ConMenuOfTable(kConAppMainMenu, record);
}

LibErrorCode ConAppLoadMenu(Long, void* context) { return SubMenu(kConAppLoadMenu, context); }

LibErrorCode ConAppLoadFile(Long data_type, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  // No path: the reader asks for the file.
  LoadDataArgs args{static_cast<Qword>(static_cast<Dword>(data_type)), nullptr, 0, nullptr};
  const Dword error = Command(record, kKyCmdLoadData, &args);
  ConAppSetTitle(0, record);
  return error;
}

void ConAppSyntheticParameters(Qword zone, char* text, Qword capacity) {
  // Zone k: relaxation time 0.05 k s at the field 0.1 k T; a saturation
  // recovery of eight decays, 64 points each, with a little noise.
  const double t1 = 0.05 * static_cast<double>(zone);
  const double field = 0.1 * static_cast<double>(zone);
  const char* format =
      "ZONE=%llu\rEXP=SR/S\rBRLX=%.5f\rBS=64\rDW=10\rXOFF=0\rNLPL=1\rTDCY=0.0002\rWDCY=1\r"
      "NOIS=0.01\rBSLN=0\rF1=0\rRPHS=0\rNBLK=8\rBINI=0.001\rBEND=1\rNRLX=1\rTRLX=%.5f\r"
      "WRLX=1\rSRLX=0";
  PlatformFormatCText(text, capacity, format, static_cast<unsigned long long>(zone), field, t1);
}

LibErrorCode ConAppGenerateSynthetic(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  // The simulator is the reader of data type 12: each run appends one zone.
  const Qword zones = record->data_root ? record->data_root->ChildCount() : 0;
  char parameters[512];
  ConAppSyntheticParameters(zones + 1, parameters, sizeof parameters);
  LoadDataArgs args{kKyDataSimulation, nullptr, 0, parameters};
  const Dword error = Command(record, kKyCmdLoadData, &args);
  ConAppSetTitle(0, record);
  return error;
}

LibErrorCode ConAppDropData(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  return Command(record, kKyCmdFreeData, nullptr);
}

LibErrorCode ConAppSelectMenu(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  cKyData* root = record->data_root;
  if (root == nullptr || root->ChildCount() == 0) return kErrMissingInputData;
  if (root->ChildCount() == 1) {
    root->SetFlags(kKyDataSelected, true);
    ConQuassoA("Ch\n Single-zone data are always selected!\n");
    ConQuassoA("Cd");
    ConAppSetTitle(0, record);
    return 0;
  }
  return SubMenu(kConAppSelectionMenu, record);
}

LibErrorCode ConAppEvaluate(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  // A null script runs the root's default task script.
  const LibErrorCode error = RunTask(record, nullptr, " Evaluation task completed successfully\n");
  ConAppSetTitle(0, record);
  return error;
}

LibErrorCode ConAppTaskSetup(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  record->error = kErrNotYetImplemented;
  return kErrNotYetImplemented;
}

LibErrorCode ConAppExportMenu(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  if (record->data_root == nullptr) return kErrMissingInputData;
  return SubMenu(kConAppExportMenu, record);
}

LibErrorCode ConAppExportStelar(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  return RunTask(record, "#EXPORT,1,,,STELAR", " Export task completed successfully\n");
}

LibErrorCode ConAppShowBlock(Long, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  return RunTask(record, "#EXPORT,2,0,,0", " Export task completed successfully\n");
}

LibErrorCode ConAppUtilitiesMenu(Long, void* context) {
  return SubMenu(kConAppUtilitiesMenu, context);
}

LibErrorCode ConAppHelpMenu(Long, void* context) { return SubMenu(kConAppHelpMenu, context); }

LibErrorCode ConAppNmrCalculator(Long, void* context) {
  if (context == nullptr) return kErrInterface;
  return ConMenuNmrCalculator(0, nullptr);
}

LibErrorCode ConAppOpenManual(Long which, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  static const char* const kManuals[] = {"Con_Manual.pdf", "Win_Manual.pdf", "Dll_Manual.pdf"};
  const char16_t* folder = KyFrameworkAppInfo()->exe_folder;
  LibErrorCode result = kErrMissingFile;
  if (which >= 0 && which <= 2 && folder[0] != 0) {
    std::u16string link = u"file://";
    link += folder;
    if (link.back() != u'/') link += u'/';
    link += Utf16Of(kManuals[which]);
    if (Command(record, kKyCmdShellOpen, link.data()) == 0) result = 0;
  }
  record->error = result;
  return result;
}

LibErrorCode ConAppOpenLink(Long which, void* context) {
  KyAppRecord* record = RecordOf(context);
  if (record == nullptr) return kErrInterface;
  // The scheme alone starts the default web browser without a page.
  static const char16_t* const kLinks[] = {
      u"http://", u"https://www.norvale.example/pelorin",
      u"mailto:feedback@norvale.example?subject=Pelorin%20console%20feedback"};
  if (which < 0 || which > 2) {
    record->error = kErrUnknownCommand;
    return kErrUnknownCommand;
  }
  return Command(record, kKyCmdShellOpen, const_cast<char16_t*>(kLinks[which]));
}
