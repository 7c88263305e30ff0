// The workspace: the "Data" and "Calibration" tabs, one evaluation page per
// data item, the data counter and the component buttons; the data-info text
// at the head of every item log.
#pragma once
#include <cstddef>

#include "base/types.h"

class Fl_Widget;

// The accent colour 0x70E000 as an FLTK colour (red 0, green 112, blue 224).
constexpr unsigned kAccentColour = 0x0070E000u;

void BuildWorkspace();
void AddEvaluationPage();
void GrowItemWidgetTables(Qword count);
// A new text of at most 8192 bytes (delete[] by the caller).
char* MakeDataInfoText(Qword item);
void AppendParameterText(Qword item, char* buffer, size_t capacity, const char* name,
                         const char* label, size_t* position);

void OnDataCounter(Fl_Widget* widget, void* data);
void OnComponentButton(Fl_Widget* button, void* canvas);
