// Helpers of the relaxometry procedure tests: curve nodes (row 0 x, row 1
// y) built from a function, zones under a root, and one command run on a
// node with the record kept for inspection.
#pragma once
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "data_engine/evp.h"
#include "data_engine/ky_data.h"
#include "framework/ky_app_record.h"
#include "tests/data_engine/evp_step.h"

inline cKyData* NewCurve(const std::vector<double>& x, const std::function<double(double)>& f) {
  auto* n = new cKyData(0);
  const Qword points = x.size();
  n->SetSize(points, 2, 0, x.front(), x.back());
  for (Qword i = 0; i < points; ++i) {
    n->Row(0)[i] = x[i];
    n->Row(1)[i] = f(x[i]);
  }
  return n;
}

inline cKyData* NewCurve(const std::vector<double>& x, const std::vector<double>& y) {
  auto* n = new cKyData(0);
  n->SetSize(x.size(), 2, 0, x.front(), x.back());
  for (Qword i = 0; i < x.size(); ++i) {
    n->Row(0)[i] = x[i];
    n->Row(1)[i] = y[i];
  }
  return n;
}

inline std::vector<double> LogSpaced(double lo, double hi, Qword n) {
  std::vector<double> v(n);
  for (Qword i = 0; i < n; ++i)
    v[i] = lo * std::pow(hi / lo, static_cast<double>(i) / static_cast<double>(n - 1));
  return v;
}

inline std::vector<double> LinSpaced(double lo, double hi, Qword n) {
  std::vector<double> v(n);
  for (Qword i = 0; i < n; ++i)
    v[i] = lo + (hi - lo) * static_cast<double>(i) / static_cast<double>(n - 1);
  return v;
}

struct RelaxStep {
  LibErrorCode code = 0;
  std::string report;
  bool done = false;
  double* result_pointer = nullptr;
};

// Parses the command and runs it on the node as the router does for a node
// of the step's level, with the given application record.
inline RelaxStep RunRelax(cKyData* node, const char* command, KyAppRecord* record = nullptr) {
  Evp evp;
  InitEvp(&evp);
  RelaxStep r;
  r.code = RunEvpStep(node, command, &evp, record, nullptr);
  r.report = evp.report ? evp.report : "";
  r.done = (evp.flags & kEvpDone) != 0;
  r.result_pointer = evp.result_pointer;
  ReleaseEvp(&evp);
  return r;
}

// C printf of one value, as the report formats it.
inline std::string Cfmt(const char* format, double v) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, v);
  return buffer;
}
