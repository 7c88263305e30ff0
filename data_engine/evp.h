// The evaluation record: one step of a task script (which procedure, mode,
// tree level, zone and block, label and parameters) with the working and
// result fields the procedures share with the runner and the caller.
#pragma once
#include "base/error_codes.h"
#include "base/types.h"

struct Minimizer;
// The minimizer's progress callback, handed unchanged to the fits.
typedef Dword (*EvpFitProgress)(Minimizer* context, Dword code);

// EVP flags.
enum : Dword {
  kEvpChildren = 0x1u,         // run on every child of each selected node
  kEvpPrepareFirst = 0x2u,     // with 0x1: prepare once, on the first child
  kEvpPrepareLast = 0x4u,      // with 0x1: prepare once, on the last child
  kEvpPrepareMaxPower = 0x8u,  // with 0x1: prepare once, on the child of largest power
  kEvpDone = 0x80000000u,      // set by a procedure that changed the node
};

// Procedure identifiers.
enum : Qword {
  kEvpNone = 0,
  kEvpWindow = 1,
  kEvpFunction = 2,
  kEvpPhasor = 3,
  kEvpQuantify = 4,
  kEvpQArray = 5,
  kEvpFit = 6,
  kEvpIlt = 7,
  kEvpFfcProfile = 8,
  kEvpDenoising = 20,
  kEvpDerivative = 21,
  kEvpApodize = 22,
  kEvpNormalize = 23,
  kEvpGroupDelay = 24,
  kEvpZeroFill = 25,
  kEvpFourier = 26,
  kEvpPhasing = 27,
  kEvpBaseline = 28,
  kEvpDosy = 29,
  kEvpExport = 100,
  kEvpReport = 101,
};

struct Evp {
  Qword id;
  Dword flags;
  Qword mode;
  Qword level;
  Qword zone;
  Qword block;
  char* label;
  char* parameters;
  double* caller_matrix;  // not owned
  EvpFitProgress fit_progress;
  char* report;
  Qword window_first;
  Qword window_last;
  double phase0;
  double phase1;
  double scale;
  Qword coefficient_count;
  double* coefficients;
  double quantity;
  double mean_decay;
  double* result_pointer;  // not owned
};

// Sets every field to its initial value.
VELTRIA_API void InitEvp(Evp* evp);
// Releases the owned texts and coefficients (label, parameters, report,
// coefficients; coefficient count 0).
void ReleaseEvp(Evp* evp);

VELTRIA_API Dword SetEvpFlags(Evp* evp, Dword bits);
VELTRIA_API Dword ClearEvpFlags(Evp* evp, Dword bits);
VELTRIA_API Dword TestEvpFlags(Evp* evp, Dword bits);
// Parameter `index` from 0 as it stands between its commas (a new text the
// caller releases), null when the list is shorter or absent.
VELTRIA_API char* NewGetEvpParameterAsString(Evp* evp, Qword index);
// Blanks (space, TAB, CR, LF) at both ends are ignored by these readers.
// NaN when missing, empty or not a number.
VELTRIA_API double GetEvpParameterAsReal(Evp* evp, Qword index);
// All ones when missing, empty or negative; rounded half away from zero;
// 0 when not a number.
VELTRIA_API Qword GetEvpParameterAsQword(Evp* evp, Qword index);
// The smallest signed value when missing or empty; 0 when not a number.
VELTRIA_API Qlong GetEvpParameterAsQlong(Evp* evp, Qword index);
// The point window of parameters 0 and 1 on `points` points, ordered; the
// number of points in it. With 0 points: 0, first and last 0.
VELTRIA_API Qword GetEvpIpointEpoint(Evp* evp, Qword* first, Qword* last, Qword points);

// Appends text to the record's report (a failed allocation leaves the
// report as it was).
void EvpAppendReport(Evp* evp, const char* text);
// Appends printf-formatted text in the "C" locale.
void EvpAppendReportf(Evp* evp, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Parsing of one command's text (after its "#", without the comment) into
// a record that InitEvp has prepared. Returns 0, 68 for an unknown name, or
// 0x80001.
LibErrorCode EvpParseCommand(const char* command, Evp* evp);

// A 32-bit unsigned field as the script reads it: blanks skipped, a minus
// sign negating modulo 2^32, digits (saturating at all ones), the rest
// ignored; *end receives the position after the digits.
Dword EvpReadField32(const char* text, const char** end);
