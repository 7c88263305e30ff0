// The procedure table: one row per procedure in lookup order (the prefix
// lookup takes the first row whose name starts the command's name, so the
// order matters). A procedure joins by naming its function in its row; a
// null function is a procedure not built yet, whose steps answer 9.
#include <array>

#include "data_engine/evp_testing.h"
#include "data_engine/procedure.h"

namespace {

constexpr EvpProcedureRow kRows[] = {
    {2, "FUNCTION", EvpFunction, false, nullptr},
    {1, "WINDOW", EvpWindow, false, nullptr},
    {3, "PHASOR", EvpPhasor, true, EvpPreparePhasor},
    {4, "QUANTIFY", EvpQuantify, false, nullptr},
    {5, "QARRAY", EvpQArray, false, nullptr},
    {6, "FIT", EvpFitProcedure, false, nullptr},
    {7, "ILT", EvpIlt, false, nullptr},
    {8, "FFCPROFILE", EvpFfcProfile, false, nullptr},
    {20, "DENOISING", EvpDenoising, false, nullptr},
    {22, "APODIZE", EvpApodize, true, EvpPrepareApodize},
    {23, "NORMALIZE", EvpNormalize, true, EvpPrepareNormalize},
    {24, "GROUPDELAY", EvpGroupDelay, false, nullptr},
    {25, "ZEROFILL", EvpZeroFill, false, nullptr},
    {26, "FOURIER", EvpFourier, false, nullptr},
    {27, "PHASING", EvpPhasing, true, EvpPreparePhasing},
    {28, "BASELINE", EvpBaseline, true, EvpPrepareBaseline},  // mode 1 is run by the dispatcher
    {29, "DOSY", EvpDosy, false, nullptr},
    {21, "DERIVATIVE", EvpDerivative, false, nullptr},
    {100, "EXPORT", nullptr, false, nullptr},  // answers 9
    {101, "REPORT", nullptr, false, nullptr},  // answers 9
};

constexpr Qword kCount = sizeof kRows / sizeof kRows[0];

constexpr std::array<NamedId, kCount + 1> MakeNamedTable() {
  std::array<NamedId, kCount + 1> t{};
  for (Qword i = 0; i < kCount; ++i) t[i] = NamedId{kRows[i].id, kRows[i].name};
  t[kCount] = NamedId{0, ""};
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
