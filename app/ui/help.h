// Help: the user's guide opened with the desktop's viewer, and the About
// window.
#pragma once
#include <string>

class Fl_Widget;

// The guide beside the program: "<executable folder>/Pelorin_UserGuide.html".
std::string ManualPath();
void OnWebPage(Fl_Widget* widget, void* data);
void OnFeedbackMail(Fl_Widget* widget, void* data);
// The About box's three-line text (title with version, maker, toolkit).
std::string AboutText();

constexpr const char* kManualFileName = "Pelorin_UserGuide.html";
constexpr const char* kMakerWebAddress = "https://norvale.example/pelorin";
constexpr const char* kMakerMailAddress = "pelorin-feedback@norvale.example";
