// Helpers of the procedure tests: blocks with a signal given by functions
// of the point index, one command run on one node through the procedure
// table (preparation, then the procedure), and the message boxes that
// procedures show, recorded through the user-interface hooks.
#pragma once
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "base/platform/ui_hooks.h"
#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "tests/data_engine/evp_step.h"

using IndexFunction = std::function<double(Qword)>;

// A time-domain block of `points` points: row 0 x0 + i dx (grid `grid`),
// row 1 re(i), row 2 im(i).
inline cKyData* NewSignalBlock(Qword points, double x0, double dx, const IndexFunction& re,
                               const IndexFunction& im, Qword grid = 1) {
  auto* b = new cKyData(0);
  b->SetSize(points, 3, grid, x0, x0 + dx * static_cast<double>(points - 1));
  for (Qword i = 0; i < points; ++i) {
    b->Row(0)[i] = x0 + dx * static_cast<double>(i);
    b->Row(1)[i] = re(i);
    b->Row(2)[i] = im(i);
  }
  b->node_flags = kKyDataTimeDomain;
  return b;
}

// Smooth but irregular test values.
inline double Wiggle(Qword i, double phase) {
  const double t = static_cast<double>(i);
  return std::sin(0.37 * t + phase) + 0.25 * std::cos(0.011 * t * t - phase) + 0.001 * t;
}

struct StepResult {
  LibErrorCode code;
  std::string report;
  bool done;
  double quantity;
};

// Runs one command (the text after "#") on the node as the router does
// for a node of the step's level: the preparation step, then the
// procedure. `table` is the caller matrix of the record.
inline StepResult RunStep(cKyData* node, const char* command, double* table = nullptr) {
  Evp evp;
  InitEvp(&evp);
  evp.quantity = std::nan("");
  StepResult r{RunEvpStep(node, command, &evp, nullptr, table), "", false, 0.0};
  r.report = evp.report ? evp.report : "";
  r.done = (evp.flags & kEvpDone) != 0;
  r.quantity = evp.quantity;
  ReleaseEvp(&evp);
  return r;
}

inline std::vector<double> RowCopy(const cKyData* node, Qword row) {
  const double* r = node->Row(row);
  return r ? std::vector<double>(r, r + node->points) : std::vector<double>();
}

inline std::vector<double> MatrixCopy(const cKyData* node) {
  return node->matrix ? std::vector<double>(node->matrix, node->matrix + node->rows * node->points)
                      : std::vector<double>();
}

// Message boxes shown while an instance lives: (type, text), each answered
// OK.
class RecordedMessageBoxes {
 public:
  RecordedMessageBoxes() {
    Boxes().clear();
    UiHooks hooks = UiHooksFallback();
    hooks.message_box = [](const std::string&, const std::string& text, UiMessageType type) {
      Boxes().push_back({static_cast<Long>(type), text});
      return Long{1};
    };
    hooks.beep = [](Dword, Dword) {};
    UiHooksInstall(&hooks);
  }
  ~RecordedMessageBoxes() { UiHooksInstall(nullptr); }
  struct Box {
    Long type;
    std::string text;
  };
  static std::vector<Box>& Boxes() {
    static std::vector<Box> boxes;
    return boxes;
  }
};
