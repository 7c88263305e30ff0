// The processing setup's values, one column per nuclide ("29Si", "13C"):
// defaults, the fourteen "Setup:" lines of the configuration file written
// and read back, the texts the setup dialog shows, and the checks of what
// a user typed.
#pragma once
#include <cstdint>
#include <string>

#include "base/types.h"

constexpr int kSetupColumns = 2;
// Column names, also the tab labels.
extern const char* const kSetupNuclides[kSetupColumns];

struct SetupColumn {
  std::uint8_t do_group_delay = 1;
  std::uint8_t do_zero_fill = 1;
  Dword zero_fill_choice = 10;  // 0 keep, 1 double, k = 2..20: 2^k points
  std::uint8_t do_apodization = 1;
  std::uint8_t do_cos2 = 1;
  double tmax = 0.01;
  std::uint8_t do_smoothstep = 1;
  double smooth_a = 0.0003;
  Dword smooth_n = 2;
  std::uint8_t do_quantify = 1;
  Dword target = 1;  // 0 Real, 1 Magnitude, 2 Power
  Dword mode = 0;    // 0 Average, 1 Maximum
  Long from = 0;
  Long to = -1;
};

struct SetupValues {
  SetupColumn column[kSetupColumns];
};

constexpr Dword kZeroFillChoices = 21;

// The "Setup:" section's body: fourteen lines ended by CR LF.
std::string FormatSetupText(const SetupValues& setup);
// Reads the lines into `setup`, stopping at the first line that does not
// match its format (or holds a value out of range); fields after it keep
// their values. Returns the number of lines taken.
int ParseSetupText(const char* text, SetupValues* setup);

// The shortest text that reads back as exactly the same double.
std::string FormatSetupReal(double value);

// What the setup dialog's inputs hold for one column.
struct SetupColumnTexts {
  std::string tmax, smooth_a, smooth_n, from, to;
};
SetupColumnTexts SetupColumnToTexts(const SetupColumn& column);

// Takes the typed texts into `column` (flags and choices are set by the
// caller). Every field is checked before any is taken: on a bad one the
// column is unchanged and `bad` names the field ("Tmax [s]", "a [s]", "n",
// "from", "to"). Reals must be finite and greater than 0, n a whole number
// from 1 to 4294967295, from and to whole 32-bit numbers.
bool SetupColumnFromTexts(const SetupColumnTexts& texts, SetupColumn* column, std::string* bad);

// The alert of a bad field: "Invalid value of <field> in the <nuclide> setup."
std::string SetupFieldAlert(int column, const std::string& field);
