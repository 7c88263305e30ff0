// The whole quantitative road on the five 29Si samples without a window:
// the processing script built from the default setup and the items'
// nuclides, run twice by the engine; the calibration table through QARRAY
// and the linear FIT; the concentrations read off the line. Oracles: the
// manifest (numpy processing of the generator) and numpy's polyfit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/core/bruker_reader.h"
#include "app/core/calibration.h"
#include "app/core/processing_script.h"
#include "data_engine/evp.h"
#include "support/recording_callback.h"
#include "tests/app_core/bruker_test_util.h"

namespace {

struct Fixture {
  cKyData root{0};
  KyAppRecord record{};
  RecordingCallback recorder;
  std::map<Qword, double> quantity;  // by zone
  std::vector<ManifestRow> known;
};

std::vector<ManifestRow> Si29Standards() {
  std::vector<ManifestRow> rows;
  for (const ManifestRow& row : ReadManifest())
    if (row.at("folder").rfind("si29_c", 0) == 0) rows.push_back(row);
  return rows;
}

void Load(Fixture* f) {
  std::memset(&f->record, 0, sizeof f->record);
  f->recorder.Install(&f->record);
  f->recorder.On(kKyMsgTaskReport, [f](KyAppRecord* r) {
    const Evp* evp = static_cast<const Evp*>(r->argument);
    if (evp->id == kEvpQuantify) f->quantity[evp->zone] = evp->quantity;
    return Dword{0};
  });
  f->known = Si29Standards();
  ASSERT_EQ(f->known.size(), 5u);
  for (const ManifestRow& row : f->known) {
    const std::string path = SamplesDir() + "/" + row.at("folder") + "/fid";
    ASSERT_EQ(LoadBrukerData(&f->root, std::u16string(path.begin(), path.end()).c_str()), 0u);
  }
}

std::vector<std::string> Nuclides(cKyData* root) {
  std::vector<std::string> out;
  for (cKyData* item = root->FirstChild(); item; item = item->NextSibling()) {
    char value[256] = {0};
    item->parameters.GetString("NUC", value);
    out.push_back(value);
  }
  return out;
}

// numpy's polyfit of the manifest's quantities against the concentrations.
bool NumpyLine(double* a, double* b) {
  const std::string cmd =
      "/usr/bin/python3 -c \"import csv,sys,numpy\n"
      "rows=[r for r in csv.DictReader(open(sys.argv[1])) if r['folder'].startswith('si29_c')]\n"
      "a,b=numpy.polyfit([float(r['concentration_in']) for r in rows],"
      "[float(r['quantity']) for r in rows],1)\n"
      "print(repr(float(a)),repr(float(b)))\" '" +
      SamplesDir() + "/manifest.csv'";
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return false;
  const int n = fscanf(pipe, "%lf %lf", a, b);
  pclose(pipe);
  return n == 2;
}

TEST(CalibrationSamples, ProcessingCalibrationAndConcentrations) {
  if (access("/usr/bin/python3", X_OK) != 0)
    GTEST_FAIL() << "no /usr/bin/python3 (Debian packages python3, python3-numpy)";
  Fixture f;
  Load(&f);
  std::string script;
  Qword bad = 0;
  ASSERT_TRUE(BuildProcessingScript(SetupValues{}, Nuclides(&f.root), &script, &bad));
  // Two runs on fresh copies of the loaded data give the same quantities.
  cKyData loaded(0);
  ASSERT_EQ(loaded.CopyFrom(f.root), 0u);
  ASSERT_EQ(f.root.RunTask(script.c_str(), &f.record), 0u);
  const std::map<Qword, double> first = f.quantity;
  ASSERT_EQ(f.root.CopyFrom(loaded), 0u);
  f.quantity.clear();
  ASSERT_EQ(f.root.RunTask(script.c_str(), &f.record), 0u);
  EXPECT_EQ(f.quantity, first);

  std::vector<CalibrationRowTexts> rows;
  for (size_t i = 0; i < f.known.size(); ++i) {
    const double want = std::stod(f.known[i].at("quantity"));
    ASSERT_EQ(f.quantity.count(i), 1u);
    EXPECT_NEAR(f.quantity[i], want, 1e-10 * want);
    char q[64];
    std::snprintf(q, sizeof q, "%.17g", f.quantity[i]);
    rows.push_back({true, f.known[i].at("concentration_in"), q});
  }
  std::string alert;
  ASSERT_TRUE(CheckCalibrationRows(rows, &alert)) << alert;
  Qword m = 0;
  std::vector<double> table = CalibrationTable(rows, &m);
  std::string parameters = CalibrationTableParameters(m);

  // The two steps as Run Calibration sends them.
  Evp qarray;
  InitCalibrationQArray(&qarray, &parameters, &table);
  ASSERT_EQ(f.root.ExecuteEvp(&qarray, &f.record), 0u);
  qarray.parameters = nullptr;
  Evp fit;
  InitEvp(&fit);
  fit.id = kEvpFit;
  fit.mode = 1;
  fit.level = 2;
  ASSERT_EQ(f.root.ExecuteEvp(&fit, &f.record), 0u);
  ASSERT_NE(fit.result_pointer, nullptr);
  const double a = fit.result_pointer[0], b = fit.result_pointer[1];

  double na = 0, nb = 0;
  ASSERT_TRUE(NumpyLine(&na, &nb));
  EXPECT_NEAR(a, na, 1e-9 * std::fabs(na));
  EXPECT_NEAR(b, nb, 1e-9 * std::fabs(na) * 5);  // b against the scale of the data

  std::vector<std::string> out;
  ASSERT_TRUE(ConcentrationsOut(rows, a, b, &out));
  for (size_t i = 0; i < rows.size(); ++i) {
    const double want = std::stod(f.known[i].at("concentration_out"));
    EXPECT_NEAR(std::stod(out[i]), want, 1e-4 * want) << i;
  }
}

TEST(CalibrationSamples, AnInvalidNuclideIsFoundBeforeAnyLine) {
  cKyData root(0);
  for (const char* folder : {"si29_c1", "h1_invalid_nuclide"}) {
    const std::string path = SamplesDir() + "/" + folder + "/fid";
    ASSERT_EQ(LoadBrukerData(&root, std::u16string(path.begin(), path.end()).c_str()), 0u);
  }
  std::string script;
  Qword bad = 0;
  EXPECT_FALSE(BuildProcessingScript(SetupValues{}, Nuclides(&root), &script, &bad));
  EXPECT_EQ(bad, 1u);
  EXPECT_EQ(InvalidNuclideAlert(bad), "Invalid nuclide in data #2.");
}

}  // namespace
