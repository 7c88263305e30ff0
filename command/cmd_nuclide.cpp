// Code 107: the nuclide calculator. Conversions between Larmor frequency,
// field and 90-degree pulse length for a named nuclide, and the nuclide's
// card as one TAB-separated line.
#include <cstdio>
#include <cstring>

#include "base/error_codes.h"
#include "base/number_text.h"
#include "base/platform/allocator.h"
#include "command/command_table.h"
#include "command/nuclide_calc_args.h"
#include "nmrphys/nuclides.h"
#include "nmrphys/physics.h"

namespace {

constexpr size_t kCardRoom = 500;

// The answer of modes 1 to 4; it stays valid until the next command.
double g_answer = 0;

// Appends text, cut at the card's room (the fields below never reach it).
void Append(char* card, size_t* used, const char* text) {
  const size_t n = std::strlen(text);
  const size_t room = kCardRoom - 1 - *used;
  const size_t take = n < room ? n : room;
  std::memcpy(card + *used, text, take);
  *used += take;
  card[*used] = 0;
}

void AppendInteger(char* card, size_t* used, const char* label, Qlong value) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
  Append(card, used, label);
  Append(card, used, digits);
}

void AppendReal(char* card, size_t* used, const char* label, double value) {
  char digits[64];
  RealToBufferA(value, digits, 0, 10);  // the default: 15 digits
  Append(card, used, label);
  Append(card, used, digits);
}

char* NewCard(const NuclideRecord* row) {
  auto* card = static_cast<char*>(PlatformAlloc(kCardRoom));
  if (card == nullptr) return nullptr;
  card[0] = 0;
  size_t used = 0;
  Append(card, &used, "Name\t");
  Append(card, &used, row->symbol);
  AppendInteger(card, &used, "\tAtomic number [Z]\t", row->Z);
  AppendInteger(card, &used, "\tMass number [A]\t", row->A);
  AppendInteger(card, &used, "\tSpin [hbar/2]\t", row->spin);
  AppendReal(card, &used, "\tMass [AU]\t", row->mass);
  AppendReal(card, &used, "\tGamma ratio [MHz/T]\t", row->gamma);
  AppendReal(card, &used, "\tg-factor\t", rNucGfactor(row->symbol));
  AppendReal(card, &used, "\tMagnetic moment [J/T]\t", rNucMagneticMoment(row->symbol));
  AppendReal(card, &used, "\tQuadrupole momentum\t", row->quadrupole);
  AppendReal(card, &used, "\tAbundance [%]\t", row->abundance * 100);
  return card;
}

}  // namespace

void CmdNuclideCalculator(KyAppRecord* record) {
  const auto* args = static_cast<const NuclideCalcArgs*>(record->argument);
  if (args == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  if (args->mode < kNuclideHzToTesla || args->mode > kNuclideCard) return;
  if (args->input == nullptr) {
    record->error = kErrMissingArguments;
    return;
  }
  if (args->mode == kNuclideCard) {
    const NuclideRecord* row = FindNuclide(static_cast<const char*>(args->input));
    record->result.pointer = nullptr;
    if (row == nullptr) return;
    char* card = NewCard(row);
    if (card == nullptr) record->error = kErrAlloc;
    record->result.pointer = card;
    return;
  }
  const NuclideRecord* row = FindNuclide(args->symbol);
  if (row == nullptr) {
    record->result.pointer = nullptr;
    return;
  }
  const double input = *static_cast<const double*>(args->input);
  const double gamma = row->gamma * 1e6;  // Hz/T
  switch (args->mode) {
    case kNuclideHzToTesla:
      g_answer = rNmrHzToTesla(input, gamma);
      break;
    case kNuclideTeslaToHz:
      g_answer = rNmrTeslaToHz(input, gamma);
      break;
    default:
      g_answer = rNmrPw90ToB1tesla(input, gamma);
      break;  // 3 and 4: one formula
  }
  record->result.pointer = &g_answer;
}
