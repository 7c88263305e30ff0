// The console front end of the data application (KyAppInfo mode 1): menus
// for loading, selecting, evaluating and exporting data, utilities and
// help, every action a LibCommand on the one record. The handlers have the
// ConMenu form; their context is the KyAppRecord, and with a null record
// each answers 8. The selection lives in node flag 0x1 of the zones.
#pragma once
#include "base/console_menu.h"
#include "base/types.h"

struct KyAppRecord;

// Run by code 3 in console mode: the title, then the Main menu until the
// user leaves it.
LibErrorCode ConAppMainMenu(Long argument, void* record);

LibErrorCode ConAppLoadMenu(Long argument, void* record);
LibErrorCode ConAppLoadFile(Long data_type, void* record);
LibErrorCode ConAppGenerateSynthetic(Long argument, void* record);
LibErrorCode ConAppDropData(Long argument, void* record);
LibErrorCode ConAppSelectMenu(Long argument, void* record);
// 1 the selection dialogue, 2 select all, 3 unselect all, 4 list the zones.
LibErrorCode ConAppEditSelection(Long mode, void* record);
LibErrorCode ConAppEvaluate(Long argument, void* record);
LibErrorCode ConAppTaskSetup(Long argument, void* record);
LibErrorCode ConAppExportMenu(Long argument, void* record);
LibErrorCode ConAppExportStelar(Long argument, void* record);
LibErrorCode ConAppShowBlock(Long argument, void* record);
LibErrorCode ConAppUtilitiesMenu(Long argument, void* record);
LibErrorCode ConAppHelpMenu(Long argument, void* record);
LibErrorCode ConAppNmrCalculator(Long argument, void* record);
// 0 "Con_Manual.pdf", 1 "Win_Manual.pdf", 2 "Dll_Manual.pdf" beside the program.
LibErrorCode ConAppOpenManual(Long which, void* record);
// 0 the web browser, 1 the maker's web page, 2 a feedback mail.
LibErrorCode ConAppOpenLink(Long which, void* record);
LibErrorCode ConAppSetTitle(Long argument, void* record);
// The title again; codes 2 and 102 call it in console mode.
LibErrorCode ConAppRefreshTitle(Long argument, void* record);
// Bit 0 of flags: no header.
LibErrorCode ConAppListZones(Long flags, void* record);

// The menu tables, title row first (its argument is the menu's flags).
extern const ConMenuItem kConAppMainMenu[];
extern const ConMenuItem kConAppLoadMenu[];
extern const ConMenuItem kConAppSelectionMenu[];
extern const ConMenuItem kConAppExportMenu[];
extern const ConMenuItem kConAppUtilitiesMenu[];
extern const ConMenuItem kConAppHelpMenu[];

// The parameter lines of the synthetic data set that "y" appends as zone
// `zone` (1 for the first): a saturation-recovery series whose relaxation
// time grows with the zone, as a field-cycling profile would.
void ConAppSyntheticParameters(Qword zone, char* text, Qword capacity);
