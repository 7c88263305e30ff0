#include "app/core/calibration.h"

#include <cmath>
#include <cstdio>

#include "app/core/bruker_text.h"

const char* const kCalibrationSlopeAlert =
    "The calibration line has no usable slope: no concentrations computed.";

namespace {

std::string Numbered(const char* format, size_t row) {
  char text[64];
  std::snprintf(text, sizeof text, format, static_cast<unsigned>(row + 1));
  return text;
}

}  // namespace

bool ParseWholeNumber(const std::string& text, double* value) {
  const double v = BrukerParseReal(text);
  if (!std::isfinite(v)) return false;
  *value = v;
  return true;
}

bool CheckCalibrationRows(const std::vector<CalibrationRowTexts>& rows, std::string* alert) {
  size_t used = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const CalibrationRowTexts& r = rows[i];
    double v = 0;
    const bool has_c = !BrukerTrim(r.c_in).empty();
    // A concentration that is typed goes into the table, used or not, so
    // it must be a whole number.
    if ((r.use && !has_c) || (has_c && !ParseWholeNumber(r.c_in, &v))) {
      *alert = Numbered("Input concentration # %u", i);
      return false;
    }
    if (!r.use) continue;
    if (!ParseWholeNumber(r.q, &v)) {
      *alert = Numbered("Quantify data # %u", i);
      return false;
    }
    ++used;
  }
  if (used < 2) {
    *alert = "Select more than 1 data file.";
    return false;
  }
  return true;
}

std::vector<double> CalibrationTable(const std::vector<CalibrationRowTexts>& rows, Qword* m) {
  std::vector<const CalibrationRowTexts*> taken;
  for (const CalibrationRowTexts& r : rows)
    if (!BrukerTrim(r.c_in).empty()) taken.push_back(&r);
  *m = taken.size();
  std::vector<double> table(3 * taken.size(), NAN);
  for (size_t k = 0; k < taken.size(); ++k) {
    double c = NAN, q = NAN;
    ParseWholeNumber(taken[k]->c_in, &c);
    ParseWholeNumber(taken[k]->q, &q);
    table[k] = c;
    table[(taken[k]->use ? 1 : 2) * taken.size() + k] = q;
  }
  return table;
}

std::string CalibrationTableParameters(Qword m) {
  char text[64];
  std::snprintf(text, sizeof text, "%llu, %u", static_cast<unsigned long long>(m), 3u);
  return text;
}

bool ConcentrationsOut(const std::vector<CalibrationRowTexts>& rows, double a, double b,
                       std::vector<std::string>* c_out) {
  if (!std::isfinite(a) || !std::isfinite(b) || a == 0) return false;
  c_out->assign(rows.size(), std::string());
  for (size_t i = 0; i < rows.size(); ++i) {
    double q = 0;
    if (!ParseWholeNumber(rows[i].q, &q)) continue;
    (*c_out)[i] = BrukerFormatG((q - b) / a, 6);
  }
  return true;
}

void InitCalibrationQArray(Evp* evp, std::string* parameters, std::vector<double>* table) {
  InitEvp(evp);
  evp->id = kEvpQArray;
  evp->mode = 6;
  evp->level = 2;
  evp->parameters = parameters->data();
  evp->caller_matrix = table->data();
}
