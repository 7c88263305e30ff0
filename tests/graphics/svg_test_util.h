// Helpers of the SVG tests: the expected element line of a recorded drawing
// message, and the Python reader of the written file.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/recording_draw.h"

inline std::string SvgCheckScript() {
  return std::string(VELTRIA_SOURCE_DIR) + "/tests/graphics/svg_check.py";
}

// Runs the reader; the lines it prints, and its exit status in *status.
inline std::vector<std::string> RunSvgCheck(const std::string& args, int* status) {
  const std::string command = "python3 " + SvgCheckScript() + " " + args;
  std::vector<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    *status = -1;
    return lines;
  }
  std::string current;
  int c;
  while ((c = fgetc(pipe)) != EOF) {
    if (c == '\n') {
      lines.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(c);
    }
  }
  const int rc = pclose(pipe);
  *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return lines;
}

inline bool HaveRsvgConvert() {
  return std::system("command -v rsvg-convert >/dev/null 2>&1") == 0;
}

inline std::string Hex6(Dword colour) {
  char b[16];
  std::snprintf(b, sizeof(b), "#%06x", colour >> 8);
  return b;
}

// The element line the reader prints for one recorded message; empty for
// messages that write no element.
inline std::string ExpectedElement(const RecordedDraw& m, Dword font_size) {
  auto n = [](Qlong v) { return std::to_string(v); };
  switch (m.message) {
    case 10:
    case 13:
      return "g fill=" + Hex6(m.state.line_colour) + " stroke=" + Hex6(m.state.line_colour) +
             " stroke-width=" + n(m.state.line_width);
    case 12:
      return "g fill=" + Hex6(m.state.fill_colour) + " stroke=" + Hex6(m.state.fill_colour) +
             " stroke-width=" + n(m.state.line_width);
    case 20:
      return "circle cx=" + n(m.x1) + " cy=" + n(m.y1) + " r=1";
    case 21:
      if (m.x1 == m.x2 && m.y1 == m.y2) return "circle cx=" + n(m.x1) + " cy=" + n(m.y1) + " r=1";
      return "line x1=" + n(m.x1) + " y1=" + n(m.y1) + " x2=" + n(m.x2) + " y2=" + n(m.y2) +
             (m.state.line_style ? " stroke-dasharray=10 5" : "");
    case 22:
      return "rect x=" + n(m.x1) + " y=" + n(m.y2) + " width=" + n(m.x2 - m.x1) +
             " height=" + n(m.y1 - m.y2);
    case 31:
      return "text x=" + n(m.x1) + " y=" + n(m.y1) + " font-size=" + n(font_size) +
             " text= " + m.text + " ";
    default:
      return "";
  }
}
