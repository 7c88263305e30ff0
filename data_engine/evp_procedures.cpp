// The procedure table: one row per procedure in lookup order (the prefix
// lookup takes the first row whose name starts the command's name, so the
// order matters). A procedure joins by naming its function in its row; a
// null function is a procedure not built yet, whose steps answer 9.
#include <array>

#include "data_engine/evp_testing.h"
#include "data_engine/procedure.h"

namespace {

constexpr EvpProcedureRow kRows[] = {
    {kEvpFunction, "FUNCTION", EvpFunction, false, nullptr},
    {kEvpWindow, "WINDOW", EvpWindow, false, nullptr},
    {kEvpPhasor, "PHASOR", EvpPhasor, true, EvpPreparePhasor},
    {kEvpQuantify, "QUANTIFY", EvpQuantify, false, nullptr},
    {kEvpQArray, "QARRAY", EvpQArray, false, nullptr},
    {kEvpFit, "FIT", EvpFitProcedure, false, nullptr},
    {kEvpIlt, "ILT", EvpIlt, false, nullptr},
    {kEvpFfcProfile, "FFCPROFILE", EvpFfcProfile, false, nullptr},
    {kEvpDenoising, "DENOISING", EvpDenoising, false, nullptr},
    {kEvpApodize, "APODIZE", EvpApodize, true, EvpPrepareApodize},
    {kEvpNormalize, "NORMALIZE", EvpNormalize, true, EvpPrepareNormalize},
    {kEvpGroupDelay, "GROUPDELAY", EvpGroupDelay, false, nullptr},
    {kEvpZeroFill, "ZEROFILL", EvpZeroFill, false, nullptr},
    {kEvpFourier, "FOURIER", EvpFourier, false, nullptr},
    {kEvpPhasing, "PHASING", EvpPhasing, true, EvpPreparePhasing},
    {kEvpBaseline, "BASELINE", EvpBaseline, true,
     EvpPrepareBaseline},  // mode 1 is run by the dispatcher
    {kEvpDosy, "DOSY", EvpDosy, false, nullptr},
    {kEvpDerivative, "DERIVATIVE", EvpDerivative, false, nullptr},
    {kEvpExport, "EXPORT", nullptr, false, nullptr},  // answers 9
    {kEvpReport, "REPORT", nullptr, false, nullptr},  // answers 9
};

constexpr Qword kCount = sizeof kRows / sizeof kRows[0];

constexpr std::array<NamedId, kCount + 1> MakeNamedTable() {
  std::array<NamedId, kCount + 1> t{};
  for (Qword i = 0; i < kCount; ++i) t[i] = NamedId{kRows[i].id, kRows[i].name};
  t[kCount] = NamedId{kEvpNone, ""};
  return t;
}

constexpr std::array<NamedId, kCount + 1> kNamed = MakeNamedTable();

}  // namespace

const NamedId* const EvpProcedureTable = kNamed.data();

const EvpProcedureRow* EvpProcedureRows(Qword* count) {
  if (count) *count = kCount;
  return kRows;
}

namespace {
// Test stand-ins, by id; empty outside tests.
constexpr Qword kMaxTestRows = 8;
EvpProcedureRow g_test_rows[kMaxTestRows];
Qword g_test_count = 0;
}  // namespace

void EvpTestOverrideProcedure(Qword id, EvpProcedure run, bool has_prepare, EvpProcedure prepare) {
  const EvpProcedureRow* row = nullptr;
  for (const EvpProcedureRow& r : kRows)
    if (r.id == id) row = &r;
  if (!row) return;
  Qword slot = 0;
  while (slot < g_test_count && g_test_rows[slot].id != id) ++slot;
  if (slot == kMaxTestRows) return;
  if (slot == g_test_count) ++g_test_count;
  g_test_rows[slot] = EvpProcedureRow{row->id, row->name, run, has_prepare, prepare};
}

void EvpTestResetProcedures() { g_test_count = 0; }

const EvpProcedureRow* EvpFindProcedure(Qword id) {
  for (Qword i = 0; i < g_test_count; ++i)
    if (g_test_rows[i].id == id) return &g_test_rows[i];
  for (const EvpProcedureRow& row : kRows)
    if (row.id == id) return &row;
  return nullptr;
}
